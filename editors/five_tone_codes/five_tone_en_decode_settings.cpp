// The 5-tone encode and decode pages' settings: the five times, the two delay codes, the side
// tone and clear-auto-answer switches, the wait time, the decode number and the auto reset, and
// the encode and decode tables' rows. A loaded number the fields would clamp is refused. The
// frame packing and the answers re-pointed to encode entries stay the model's own code, called
// from here by name.
#include <algorithm>
#include <sstream>

#include "core/codeplug_lib.h"
#include "editors/five_tone_codes/five_tone_en_decode_model.h"

namespace vgr47 {
namespace {

using Model = FiveToneEnDecodeModel;
using namespace settings;
namespace fields = layout::fields;
using Given = Setting<Model>::Given;

// A time field shows its stored milliseconds; a value it holds is stored as it stands.
std::string TextOfMilliseconds(const Model&, int ms) { return std::to_string(ms); }
int MillisecondsOfText(const Model&, const std::string& text) { return ParseLeadingInt(text); }

// A delay code nibble: F is off (entry 0), digit d entry d + 1.
constexpr int kNoCode = 0xF;
int CodeOfNibble(const Model&, int nibble) { return nibble == kNoCode ? 0 : nibble + 1; }
int NibbleOfCode(const Model&, int entry) { return entry == 0 ? kNoCode : entry - 1; }

// The wait time is stored in steps of 10 ms.
std::string WaitOfSteps(const Model&, int steps) {
    return std::to_string(steps * Model::kWaitTimeStep);
}
int StepsOfWait(const Model&, const std::string& text) {
    return ParseLeadingInt(text) / Model::kWaitTimeStep;
}

// The decode number is the lowest bit set; without one there is no selection (the byte stays).
int NumberOfBits(const Model& m, int bits) {
    for (int b = 0; b < static_cast<int>(m.DecodeNumberEntries().size()); ++b)
        if (bits & (1 << b)) return b;
    return -1;
}
int BitsOfNumber(const Model&, int entry) { return 1 << entry; }

// Seconds 0..300; anything else shows no selection and is stored as off.
constexpr int kResetOffStored = 0;

// ---- the encode and decode tables: a row is its three frames ("-" for none), then its
// flags or its answer and alert ----

std::string FramesText(const std::string (&frames)[Model::kFrames]) {
    std::string out;
    for (const std::string& f : frames)
        out += (out.empty() ? "" : " ") + (f.empty() ? std::string("-") : f);
    return out;
}

std::string EncodeRow(const Model& m, int entry) {
    const Model::EncodeEntry& e = m.encodeEntry(entry);
    if (e.frames[0].empty()) return "";
    std::string flags;
    for (int f : e.flags) flags += f == 1 ? '1' : '0';
    return FramesText(e.frames) + " | " + flags;
}

std::string DecodeRow(const Model& m, int entry) {
    const Model::DecodeEntry& d = m.decodeEntry(entry);
    if (d.frames[0].empty()) return "";
    return FramesText(d.frames) + " | answer=" + std::to_string(std::max(d.answer, 0)) +
           " alert=" + std::to_string(std::max(d.alert, 0));
}

std::vector<std::string> Words(const std::string& value) {
    std::istringstream in(value);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// A row's frames as given: "-" for none, each checked as the in-place editor checks it.
std::string ParseFrames(const std::vector<std::string>& words,
                        std::string (&frames)[Model::kFrames]) {
    for (int n = 0; n < Model::kFrames; ++n) {
        if (words[n] == "-") continue;
        int message = 0;
        frames[n] = Model::ValidateFrame(words[n], &message);
        if (message)
            return "frame " + std::to_string(n + 1) + " \"" + words[n] +
                   "\" must be 5 to 8 digits 0-9 or A-F";
    }
    if (frames[0].empty()) return "frame 1 is missing (an empty value deletes the entry)";
    if (frames[1].empty() && !frames[2].empty()) return "frame 3 needs a frame 2";
    return "";
}

void SetFrames(Model& m, Model::Page page, int entry, const std::string (&frames)[Model::kFrames]) {
    for (int n = 0; n < Model::kFrames; ++n)
        if (!m.SetFrame(page, entry, n, frames[n])) return;
}

std::string EnterEncodeRow(Model& m, int entry, const std::string& value) {
    if (value.empty()) {
        m.SetFrame(Model::kEncodePage, entry, 0, "");
        return "";
    }
    std::vector<std::string> w = Words(value);
    if (w.size() != 5 || w[3] != "|" || w[4].size() != 3 ||
        w[4].find_first_not_of("01") != std::string::npos)
        return "expected <frame1> <frame2> <frame3> | <flags>, e.g. 12345 - - | 000";
    std::string frames[Model::kFrames];
    if (auto why = ParseFrames(w, frames); !why.empty()) return why;
    for (int n = 0; n < Model::kFrames; ++n)
        if (frames[n].empty() && w[4][n] == '1')
            return "flag " + std::to_string(n + 1) + " belongs to a frame that is not there";
    SetFrames(m, Model::kEncodePage, entry, frames);
    for (int n = 0; n < Model::kFrames; ++n)
        if (!frames[n].empty()) m.SetFlag(entry, n, w[4][n] == '1');
    return "";
}

std::optional<int> NamedValue(const std::string& word, const std::string& name) {
    if (word.compare(0, name.size() + 1, name + "=") != 0) return std::nullopt;
    std::string why;
    auto n = WholeNumberIn(word.substr(name.size() + 1), 0, 1000, why);
    if (!n) return std::nullopt;
    return std::stoi(*n);
}

std::string EnterDecodeRow(Model& m, int entry, const std::string& value) {
    if (value.empty()) {
        m.SetFrame(Model::kDecodePage, entry, 0, "");
        return "";
    }
    std::vector<std::string> w = Words(value);
    std::optional<int> answer, alert;
    if (w.size() == 6 && w[3] == "|") {
        answer = NamedValue(w[4], "answer");
        alert = NamedValue(w[5], "alert");
    }
    if (!answer || !alert)
        return "expected <frame1> <frame2> <frame3> | answer=<entry or 0> alert=<0, 1 or 2>";
    std::string frames[Model::kFrames];
    if (auto why = ParseFrames(w, frames); !why.empty()) return why;
    if (*alert > 2) return "alert must be 0 (none), 1 (alert tone) or 2 (ring)";
    // An answer the entry already has is kept even when the chooser would not offer it.
    const int before = m.decodeEntry(entry).answer;
    SetFrames(m, Model::kDecodePage, entry, frames);
    if (*answer != std::max(before, 0) && !m.SetAnswer(entry, *answer))
        return "answer " + std::to_string(*answer) + " names no encode entry with a code";
    m.SetAlert(entry, *alert);
    return "";
}

}  // namespace

const settings::Description<FiveToneEnDecodeModel>& FiveToneEnDecodeModel::Settings() {
    static const Description<Model> description = [] {
        auto time = [](const char* key, const layout::Field& field, TimeField f) {
            return TextField<Model>(
                       key, field, 0, [f](const Model& m) { return m.times_[f]; },
                       [f](Model& m, const std::string& t) { m.times_[f] = t; })
                .ReadsText(TextOfMilliseconds)
                .WritesText(MillisecondsOfText)
                .ChosenAs([f](Model& m, const std::string& t) { m.SetTimeText(f, t); })
                .Checks([f](const Model&, const std::string& t, std::string& why) {
                    return WholeNumberIn(t, TimeFieldMin(f), TimeFieldMax(f), why);
                })
                .Offers([f](const Model&) {
                    return std::vector<std::string>{std::to_string(TimeFieldMin(f)),
                                                    std::to_string(TimeFieldMax(f))};
                })
                .Quoted(Quoting::Never);
        };
        auto codes = [](const Model& m) { return m.DelayCodeEntries(); };
        Description<Model> d{
            "fivetone",
            {
                time("fivetone.delay1", fields::kFiveToneDelay1, kDelay1),
                time("fivetone.delay2", fields::kFiveToneDelay2, kDelay2),
                time("fivetone.delay3", fields::kFiveToneDelay3, kDelay3),
                time("fivetone.end_delay", fields::kFiveToneEndDelay, kEndDelay),
                time("fivetone.first_digit", fields::kFiveToneFirstDigit, kFirstDigit),
                List("fivetone.delay2_code", fields::kFiveToneDelay2Code, &Model::delay2Code_,
                     codes)
                    .Reads(CodeOfNibble)
                    .Writes(NibbleOfCode)
                    .ChosenBy(&Model::ChooseDelay2Code),
                List("fivetone.delay3_code", fields::kFiveToneDelay3Code, &Model::delay3Code_,
                     codes)
                    .Reads(CodeOfNibble)
                    .Writes(NibbleOfCode)
                    .ChosenBy(&Model::ChooseDelay3Code),
                Check("fivetone.side_tone", fields::kFiveToneSideTone, &Model::sideTone_),
                Check("fivetone.clear_auto_answer", fields::kFiveToneClearAutoAnswer,
                      &Model::clearAutoAnswer_),
                TextField<Model>(
                    "fivetone.wait_time", fields::kFiveToneWaitTime, 0,
                    [](const Model& m) { return m.waitTime_; },
                    [](Model& m, const std::string& t) { m.waitTime_ = t; })
                    .ReadsText(WaitOfSteps)
                    .WritesText(StepsOfWait)
                    .ChosenAs([](Model& m, const std::string& t) { m.SetWaitTimeText(t); })
                    .Checks([](const Model&, const std::string& t, std::string& why) {
                        auto kept = WholeNumberIn(t, 0, kWaitTimeMax, why);
                        if (kept && std::stoi(*kept) % kWaitTimeStep != 0) {
                            why = "the wait time goes in steps of 10 ms";
                            kept.reset();
                        }
                        return kept;
                    })
                    .Offers([](const Model&) {
                        return std::vector<std::string>{"0", std::to_string(kWaitTimeMax)};
                    })
                    .Quoted(Quoting::Never),
                List("fivetone.decode_number", fields::kFiveToneDecodeNumber, &Model::decodeNumber_,
                     &Model::DecodeNumberEntries)
                    .Reads(NumberOfBits)
                    .Writes(BitsOfNumber)
                    .NotOffered("the decode number is not offered by the form"),
                List("fivetone.auto_reset", fields::kFiveToneAutoReset, &Model::autoReset_,
                     &Model::AutoResetEntries)
                    .StoresWithoutSelection(kResetOffStored)
                    .ChosenBy(&Model::ChooseAutoReset),
            },
        };
        d.declaredOrder = true;
        d.listWording = ListWording::ExpectedListEntry;
        d.checkWording = CheckWording::Expected;
        // The encode entries before the decode answers that name them.
        for (int entry = 1; entry <= kEncodeEntries; ++entry)
            d.settings.push_back(
                TextField<Model>(
                    "fivetone.encode." + std::to_string(entry), fields::kFiveToneEncodeFrame1,
                    entry, [entry](const Model& m) { return EncodeRow(m, entry); }, nullptr)
                    .WholeRecord()
                    .OwnCode([entry](Model& m, const std::string& v, const Given&) {
                        return EnterEncodeRow(m, entry, v);
                    })
                    .Offers([](const Model&) {
                        return std::vector<std::string>{"12345 - - | 000", "ABCDE 123456 - | 010",
                                                        ""};
                    })
                    .Quoted(Quoting::Never));
        for (int entry = 1; entry <= kDecodeEntries; ++entry)
            d.settings.push_back(
                TextField<Model>(
                    "fivetone.decode." + std::to_string(entry), fields::kFiveToneDecodeFrame1,
                    entry, [entry](const Model& m) { return DecodeRow(m, entry); }, nullptr)
                    .WholeRecord()
                    .OwnCode([entry](Model& m, const std::string& v, const Given&) {
                        return EnterDecodeRow(m, entry, v);
                    })
                    .Offers([](const Model&) {
                        return std::vector<std::string>{"12345 - - | answer=0 alert=1",
                                                        "54321 - - | answer=0 alert=2", ""};
                    })
                    .Quoted(Quoting::Never));
        return d;
    }();
    return description;
}

}  // namespace vgr47
