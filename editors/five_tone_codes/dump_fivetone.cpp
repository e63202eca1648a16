// The fivetone area: the 5-tone system parameters and the encode/decode tables. Values are
// applied through the two form models in the order a user depends on (a standard before
// its timings, encode entries before the decode answers naming them), and each form is
// written only when one of its own values changed: OK of the encode/decode form also
// normalises bytes the text cannot show.
#include <algorithm>
#include <map>
#include <sstream>

#include "editors/dump/dump_areas.h"
#include "editors/five_tone_codes/five_tone_en_decode_model.h"
#include "editors/five_tone_system/five_tone_system_model.h"

namespace vgr47::dump {
namespace {

using Sys = FiveToneSystemModel;
using EnDe = FiveToneEnDecodeModel;

struct SysField {
    const char* key;
    Sys::Field field;
};
const SysField kSysFields[] = {
    {"fivetone.tone_period", Sys::kTonePeriod},
    {"fivetone.rx_interval", Sys::kRxInterval},
    {"fivetone.min_decode", Sys::kMinDecode},
    {"fivetone.max_decode", Sys::kMaxDecode},
};

struct TimeKey {
    const char* key;
    EnDe::TimeField field;
};
const TimeKey kTimeKeys[] = {
    {"fivetone.delay1", EnDe::kDelay1},          {"fivetone.delay2", EnDe::kDelay2},
    {"fivetone.delay3", EnDe::kDelay3},          {"fivetone.end_delay", EnDe::kEndDelay},
    {"fivetone.first_digit", EnDe::kFirstDigit},
};

// The models report through messages; here every rule is checked before it is applied.
class QuietMessages : public Messages {
  public:
    void ShowMessage(const std::string&) override {}
    Answer Ask(const std::string&, const std::string&, Buttons, bool) override {
        return Answer::Cancel;
    }
};

bool Stored(const Context& ctx) { return Sys::Available(ctx.image) && EnDe::Available(ctx.image); }

std::string EncodeKey(int n) { return "fivetone.encode." + std::to_string(n); }
std::string DecodeKey(int n) { return "fivetone.decode." + std::to_string(n); }

std::string FramesText(const std::string (&frames)[EnDe::kFrames]) {
    std::string out;
    for (const std::string& f : frames)
        out += (out.empty() ? "" : " ") + (f.empty() ? std::string("-") : f);
    return out;
}

std::string EncodeValue(const EnDe::EncodeEntry& e) {
    if (e.frames[0].empty()) return "";
    std::string flags;
    for (int f : e.flags) flags += f == 1 ? '1' : '0';
    return FramesText(e.frames) + " | " + flags;
}

std::string DecodeValue(const EnDe::DecodeEntry& d) {
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

// Collects the problems of one line.
struct Reporter {
    std::vector<Problem>& problems;
    bool Fail(const Input& in, const std::string& why) {
        problems.push_back({in.lineNumber, in.key + ": " + why});
        return false;
    }
};

// An entry's frames as given: "-" for none, each checked as the in-place editor checks it.
bool ParseFrames(const Input& in, const std::vector<std::string>& words,
                 std::string (&frames)[EnDe::kFrames], Reporter& r) {
    for (int n = 0; n < EnDe::kFrames; ++n) {
        if (words[n] == "-") continue;
        int message = 0;
        frames[n] = EnDe::ValidateFrame(words[n], &message);
        if (message)
            return r.Fail(in, "frame " + std::to_string(n + 1) + " \"" + words[n] +
                                  "\" must be 5 to 8 digits 0-9 or A-F");
    }
    if (frames[0].empty())
        return r.Fail(in, "frame 1 is missing (an empty value deletes the entry)");
    if (frames[1].empty() && !frames[2].empty()) return r.Fail(in, "frame 3 needs a frame 2");
    return true;
}

bool SetFrames(EnDe& m, EnDe::Page page, int entry, const std::string (&frames)[EnDe::kFrames]) {
    for (int n = 0; n < EnDe::kFrames; ++n)
        if (!m.SetFrame(page, entry, n, frames[n])) return frames[n].empty();
    return true;
}

bool LoadEncode(const Input& in, int entry, EnDe& m, Reporter& r) {
    if (in.value.empty()) return m.SetFrame(EnDe::kEncodePage, entry, 0, "");
    std::vector<std::string> w = Words(in.value);
    if (w.size() != 5 || w[3] != "|" || w[4].size() != 3 ||
        w[4].find_first_not_of("01") != std::string::npos)
        return r.Fail(in, "expected <frame1> <frame2> <frame3> | <flags>, e.g. 12345 - - | 000");
    std::string frames[EnDe::kFrames];
    if (!ParseFrames(in, w, frames, r)) return false;
    for (int n = 0; n < EnDe::kFrames; ++n)
        if (frames[n].empty() && w[4][n] == '1')
            return r.Fail(
                in, "flag " + std::to_string(n + 1) + " belongs to a frame that is not there");
    SetFrames(m, EnDe::kEncodePage, entry, frames);
    for (int n = 0; n < EnDe::kFrames; ++n)
        if (!frames[n].empty()) m.SetFlag(entry, n, w[4][n] == '1');
    return true;
}

std::optional<int> NamedValue(const std::string& word, const std::string& name) {
    if (word.compare(0, name.size() + 1, name + "=") != 0) return std::nullopt;
    auto n = ParseInteger(word.substr(name.size() + 1));
    if (!n || *n < 0 || *n > 1000) return std::nullopt;
    return static_cast<int>(*n);
}

bool LoadDecode(const Input& in, int entry, EnDe& m, Reporter& r) {
    if (in.value.empty()) return m.SetFrame(EnDe::kDecodePage, entry, 0, "");
    std::vector<std::string> w = Words(in.value);
    std::optional<int> answer, alert;
    if (w.size() == 6 && w[3] == "|") {
        answer = NamedValue(w[4], "answer");
        alert = NamedValue(w[5], "alert");
    }
    if (!answer || !alert)
        return r.Fail(
            in, "expected <frame1> <frame2> <frame3> | answer=<entry or 0> alert=<0, 1 or 2>");
    std::string frames[EnDe::kFrames];
    if (!ParseFrames(in, w, frames, r)) return false;
    if (*alert > 2) return r.Fail(in, "alert must be 0 (none), 1 (alert tone) or 2 (ring)");
    // An answer the entry already has is kept even when the chooser would not offer it.
    const int before = m.decodeEntry(entry).answer;
    SetFrames(m, EnDe::kDecodePage, entry, frames);
    if (*answer != std::max(before, 0) && !m.SetAnswer(entry, *answer))
        return r.Fail(in,
                      "answer " + std::to_string(*answer) + " names no encode entry with a code");
    m.SetAlert(entry, *alert);
    return true;
}

class FiveToneArea : public Area {
  public:
    std::string name() const override { return "fivetone"; }

    std::vector<Line> Dump(const Context& ctx) const override {
        if (!Stored(ctx)) return {};
        QuietMessages quiet;
        Sys sys(ctx.image, ctx.texts);
        EnDe ed(ctx.image, ctx.texts, quiet);
        std::vector<Line> lines;
        const int s = sys.standard();
        lines.push_back(
            {"fivetone.standard", FormatList(s, s >= 0 ? Sys::StandardNames()[s] : "")});
        for (const SysField& f : kSysFields) {
            lines.push_back({f.key, sys.fieldText(f.field)});
            if (f.field == Sys::kRxInterval)
                lines.push_back(
                    {"fivetone.group_call",
                     FormatList(sys.groupCall(), sys.GroupCallEntries()[sys.groupCall()])});
        }
        for (const TimeKey& t : kTimeKeys) lines.push_back({t.key, ed.timeText(t.field)});
        const auto codes = ed.DelayCodeEntries();
        lines.push_back(
            {"fivetone.delay2_code", FormatList(ed.delay2Code(), codes[ed.delay2Code()])});
        lines.push_back(
            {"fivetone.delay3_code", FormatList(ed.delay3Code(), codes[ed.delay3Code()])});
        lines.push_back({"fivetone.side_tone", FormatCheck(ed.sideTone())});
        lines.push_back({"fivetone.clear_auto_answer", FormatCheck(ed.clearAutoAnswer())});
        lines.push_back({"fivetone.wait_time", ed.waitTimeText()});
        const int d = ed.decodeNumber();
        lines.push_back(
            {"fivetone.decode_number", FormatList(d, d >= 0 ? ed.DecodeNumberEntries()[d] : "")});
        const int a = ed.autoReset();
        lines.push_back(
            {"fivetone.auto_reset", FormatList(a, a >= 0 ? ed.AutoResetEntries()[a] : "")});
        for (int n = 1; n <= EnDe::kEncodeEntries; ++n)
            lines.push_back({EncodeKey(n), EncodeValue(ed.encodeEntry(n))});
        for (int n = 1; n <= EnDe::kDecodeEntries; ++n)
            lines.push_back({DecodeKey(n), DecodeValue(ed.decodeEntry(n))});
        return lines;
    }

    void Load(const std::vector<Input>& changed, Context& ctx,
              std::vector<Problem>& problems) const override {
        if (!Stored(ctx)) return;
        Reporter r{problems};
        if (!ctx.state.IsExtendedModel()) {
            for (const Input& in : changed) r.Fail(in, "this model has no 5-tone signalling");
            return;
        }
        std::map<std::string, const Input*> byKey;
        for (const Input& in : changed) byKey[in.key] = &in;
        auto take = [&](const std::string& key) -> const Input* {
            auto it = byKey.find(key);
            return it == byKey.end() ? nullptr : it->second;
        };
        auto number = [&](const Input& in, int min, int max) -> std::optional<int> {
            auto n = ParseInteger(in.value);
            if (!n || *n < min || *n > max) {
                r.Fail(in, "expected a whole number from " + std::to_string(min) + " to " +
                               std::to_string(max));
                return std::nullopt;
            }
            return static_cast<int>(*n);
        };
        auto index = [&](const Input& in, int count) -> std::optional<int> {
            auto i = ParseIndex(in.value);
            if (!i || *i < 0 || *i >= count) {
                r.Fail(in, "expected a list entry from 0 to " + std::to_string(count - 1));
                return std::nullopt;
            }
            return *i;
        };
        auto check = [&](const Input& in) -> std::optional<bool> {
            auto c = ParseCheck(in.value);
            if (!c) r.Fail(in, "expected 0 or 1");
            return c;
        };

        QuietMessages quiet;
        Sys sys(ctx.image, ctx.texts);
        EnDe ed(ctx.image, ctx.texts, quiet);
        bool sysChanged = false, edChanged = false;

        // System parameters: the standard's presets first, then the timings typed over them.
        if (const Input* in = take("fivetone.standard")) {
            sysChanged = true;
            if (auto i = index(*in, Sys::kStandardCount)) sys.ChooseStandard(*i);
        }
        for (const SysField& f : kSysFields) {
            const Input* in = take(f.key);
            if (!in) continue;
            sysChanged = true;
            const Sys::Range range = Sys::FieldRange(f.field);
            if (auto v = number(*in, range.min, range.max)) {
                sys.SetFieldText(f.field, std::to_string(*v));
                sys.CommitField(f.field);
            }
        }
        if (const Input* in = take("fivetone.group_call")) {
            sysChanged = true;
            if (auto i = index(*in, Sys::kGroupCallDigits + 1)) sys.ChooseGroupCall(*i);
        }

        // Encode page settings.
        for (const TimeKey& t : kTimeKeys) {
            const Input* in = take(t.key);
            if (!in) continue;
            edChanged = true;
            if (auto v = number(*in, EnDe::TimeFieldMin(t.field), EnDe::TimeFieldMax(t.field)))
                ed.SetTimeText(t.field, std::to_string(*v));
        }
        const int codeCount = static_cast<int>(ed.DelayCodeEntries().size());
        if (const Input* in = take("fivetone.delay2_code")) {
            edChanged = true;
            if (auto i = index(*in, codeCount)) ed.ChooseDelay2Code(*i);
        }
        if (const Input* in = take("fivetone.delay3_code")) {
            edChanged = true;
            if (auto i = index(*in, codeCount)) ed.ChooseDelay3Code(*i);
        }
        if (const Input* in = take("fivetone.side_tone")) {
            edChanged = true;
            if (auto c = check(*in)) ed.SetSideTone(*c);
        }
        // Decode page settings.
        if (const Input* in = take("fivetone.clear_auto_answer")) {
            edChanged = true;
            if (auto c = check(*in)) ed.SetClearAutoAnswer(*c);
        }
        if (const Input* in = take("fivetone.wait_time")) {
            edChanged = true;
            auto v = number(*in, 0, EnDe::kWaitTimeMax);
            if (v && *v % 10 != 0)
                r.Fail(*in, "the wait time goes in steps of 10 ms");
            else if (v)
                ed.SetWaitTimeText(std::to_string(*v));
        }
        if (const Input* in = take("fivetone.decode_number"))
            r.Fail(*in, "the decode number is not offered by the form");
        if (const Input* in = take("fivetone.auto_reset")) {
            edChanged = true;
            if (auto i = index(*in, EnDe::kAutoResetMax + 1)) ed.ChooseAutoReset(*i);
        }
        // The encode entries before the decode answers that name them.
        for (int n = 1; n <= EnDe::kEncodeEntries; ++n)
            if (const Input* in = take(EncodeKey(n))) {
                edChanged = true;
                LoadEncode(*in, n, ed, r);
            }
        for (int n = 1; n <= EnDe::kDecodeEntries; ++n)
            if (const Input* in = take(DecodeKey(n))) {
                edChanged = true;
                LoadDecode(*in, n, ed, r);
            }

        if (sysChanged) sys.Write();
        if (edChanged) ed.Write();
    }
};

}  // namespace

std::unique_ptr<Area> MakeFiveToneArea() { return std::make_unique<FiveToneArea>(); }

}  // namespace vgr47::dump
