// The 2-tone form's settings as the form shows them: the encode page's switches and timings
// (durations in tenths of a second, the gap in milliseconds), the encode table's rows and the
// four decoder sets, each set a tab of its own. A loaded value the fields would clamp on
// leaving them is refused, so a text never changes into something else on its way in. The
// encode table, the decoder sets' working copy and the Decode lists' rules stay the model's
// own code, called from here by name.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>

#include "core/codeplug_lib.h"
#include "editors/two_tone/two_tone_model.h"

namespace vgr47 {
namespace {

using Model = TwoToneModel;
using namespace settings;
namespace fields = layout::fields;
using Given = Setting<Model>::Given;

std::string SecondsOfTenths(const Model&, int tenths) { return FormatFixed(tenths / 10.0, 1, 3); }
int TenthsOfText(const Model&, const std::string& text) { return Model::Tenths16(text); }

std::string TextOfMilliseconds(const Model&, int ms) { return std::to_string(ms); }
int MillisecondsOfText(const Model&, const std::string& text) { return ParseLeadingInt(text); }

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// A plain decimal number: what a field would take as its whole text.
bool IsNumber(const std::string& s) {
    std::size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    bool digits = false, dot = false;
    for (; i < s.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(s[i])))
            digits = true;
        else if (s[i] == '.' && !dot)
            dot = true;
        else
            return false;
    }
    return digits;
}

// A plain decimal number in tenths, when it has no digit finer than a tenth ("420", "420.50").
std::optional<long> Tenths(const std::string& s) {
    if (!IsNumber(s)) return std::nullopt;
    const std::size_t start = (s[0] == '+' || s[0] == '-') ? 1 : 0;
    const std::size_t dot = s.find('.');
    const std::string whole =
        s.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    const std::string fraction = dot == std::string::npos ? "" : s.substr(dot + 1);
    // The fields show one decimal; a finer digit would be dropped on leaving them.
    if (fraction.size() > 1 && fraction.find_first_not_of('0', 1) != std::string::npos)
        return std::nullopt;
    if (whole.size() > 6) return std::nullopt;  // far outside every range
    long value = 0;
    for (char c : whole) value = value * 10 + (c - '0');
    value = value * 10 + (fraction.empty() ? 0 : fraction[0] - '0');
    return s[0] == '-' ? -value : value;
}

// A loaded value must already lie inside the range the field clamps to on leaving it.
bool InRange(const std::string& value, Model::Field field) {
    const Model::Range r = Model::FieldRange(field);
    if (field == Model::kGap) {
        std::string why;
        return WholeNumberIn(value, static_cast<int>(r.min), static_cast<int>(r.max), why)
            .has_value();
    }
    auto t = Tenths(value);
    return t && *t >= std::lround(r.min * 10) && *t <= std::lround(r.max * 10);
}

std::string RangeText(Model::Field field) {
    const Model::Range r = Model::FieldRange(field);
    if (field == Model::kGap)
        return "expected a whole number from " + std::to_string(std::lround(r.min)) + " to " +
               std::to_string(std::lround(r.max)) + " (ms)";
    const char* unit = field >= Model::kToneA ? " Hz" : " seconds";
    return "expected " + FormatFixed(r.min, 1) + " to " + FormatFixed(r.max, 1) + unit +
           " in steps of 0.1";
}

// The ends of a field's range, as a user would type them.
std::vector<std::string> RangeEnds(Model::Field field) {
    const Model::Range r = Model::FieldRange(field);
    if (field == Model::kGap)
        return {std::to_string(std::lround(r.min)), std::to_string(std::lround(r.max))};
    return {FormatFixed(r.min, 1), FormatFixed(r.max, 1)};
}

// ---- the encode table: a row is "<first> <second>", "-" for an empty tone ----

std::string EncodeRow(const Model& m, int entry) {
    const std::string& first = m.cell(entry, 0);
    const std::string& second = m.cell(entry, 1);
    if (first.empty() && second.empty()) return "";
    return (first.empty() ? "-" : first) + " " + (second.empty() ? "-" : second);
}

// Types the row's tones into its cells as the in-place editor takes them.
std::string EnterEncodeRow(Model& m, int entry, const std::string& value) {
    std::istringstream words(value);
    std::vector<std::string> tones;
    for (std::string w; words >> w;) tones.push_back(w == "-" ? "" : w);
    if (tones.size() > 2) return "expected <first> <second>";
    tones.resize(2);
    for (const std::string& t : tones)
        if (!t.empty() && !InRange(t, Model::kToneA)) return RangeText(Model::kToneA) + ", or -";
    if (tones[0].empty() && !tones[1].empty() &&
        (tones[1] != m.cell(entry, 1) || !m.cell(entry, 0).empty()))
        return "a second tone needs a first tone";
    m.EnterCell(entry, 0, tones[0]);
    if (!tones[0].empty()) m.EnterCell(entry, 1, tones[1]);
    return "";
}

// ---- the decoder sets ----

std::string ChoiceText(int choice) {
    if (choice == Model::kNoChoice) return "-";
    if (choice == Model::kNoneChoice) return "none";
    return Model::CombinationText(choice);
}

// A combination text, "none" (Decode 2 only) or "-"; nullopt for anything else.
std::optional<int> ParseChoice(const std::string& value, bool allowNone) {
    if (value == "-") return Model::kNoChoice;
    if (allowNone && Lower(value) == "none") return Model::kNoneChoice;
    for (int c = 0; c < Model::kCombinations; ++c)
        if (Lower(value) == Lower(Model::CombinationText(c))) return c;
    return std::nullopt;
}

std::vector<std::string> Combinations(bool withNone) {
    std::vector<std::string> out;
    for (int c = 0; c < Model::kCombinations; ++c) out.push_back(Model::CombinationText(c));
    if (withNone) out.push_back("none");
    return out;
}

std::string SetKey(int set, const std::string& field) {
    return "twotone.decode." + std::to_string(set) + "." + field;
}

std::string NotOffered(int first, int second) {
    return "the Decode lists do not offer " + ChoiceText(first) + " with " + ChoiceText(second);
}

// The Decode lists take their two choices together: a second given on its own line is chosen
// along with the first.
std::string ChooseFirst(Model& m, int set, const std::string& value, const Given& given) {
    auto first = ParseChoice(value, false);
    if (!first) return "expected a combination such as A-B or Long C";
    int second = m.shown().second;
    if (const std::string* other = given(SetKey(set, "second"))) {
        auto parsed = ParseChoice(*other, true);
        if (!parsed) return "";  // the second's own line says why
        second = *parsed;
    }
    return m.SetDecodeChoices(*first, second) ? "" : NotOffered(*first, second);
}

std::string ChooseSecond(Model& m, int set, const std::string& value, const Given& given) {
    auto second = ParseChoice(value, true);
    if (!second) return "expected none or a combination such as A-B or Long C";
    if (given(SetKey(set, "first"))) return "";  // chosen along with the first
    const int first = m.shown().first;
    return m.SetDecodeChoices(first, *second) ? "" : NotOffered(first, *second);
}

// A tone as the field would show it, without the range clamp.
std::string ShownTone(const std::string& text) {
    return FormatFixed(static_cast<double>(std::lround(ParseLeadingDouble(text) * 10.0)) / 10.0, 1,
                       2);
}

// A tone field the chosen combinations do not use is disabled: only what it shows passes.
std::string TypeTone(Model& m, int letter, const std::string& value) {
    const auto field = static_cast<Model::Field>(Model::kToneA + letter);
    if (!IsNumber(value)) return RangeText(Model::kToneA);
    if (!m.ToneEnabled(letter))
        return ShownTone(value) == m.fieldText(field)
                   ? ""
                   : "the tone is not used by the chosen combinations";
    if (!InRange(value, field)) return RangeText(field);
    m.SetFieldText(field, value);
    m.LeaveField(field);
    return "";
}

int IndexOf(const std::vector<std::string>& entries, const std::string& text) {
    auto it = std::find(entries.begin(), entries.end(), text);
    return it == entries.end() ? -1 : static_cast<int>(it - entries.begin());
}

}  // namespace

const settings::Description<TwoToneModel>& TwoToneModel::Settings() {
    static const Description<Model> description = [] {
        auto timing = [](const char* key, const layout::Field& field, Field f) {
            return TextField<Model>(
                       key, field, 0, [f](const Model& m) { return m.fields_[f]; },
                       [f](Model& m, const std::string& t) { m.fields_[f] = t; })
                .ChosenAs([f](Model& m, const std::string& t) {
                    m.SetFieldText(f, t);
                    m.LeaveField(f);
                })
                .Checks([f](const Model&, const std::string& t, std::string& why) {
                    if (InRange(t, f)) return std::optional<std::string>(t);
                    why = RangeText(f);
                    return std::optional<std::string>();
                })
                .Offers([f](const Model&) { return RangeEnds(f); })
                .Quoted(Quoting::Never);
        };
        Description<Model> d{
            "twotone",
            {
                Check("twotone.side_tone", fields::kTwoToneSideTone, &Model::sideTone_),
                Check("twotone.single_tone", fields::kTwoToneSingleTone, &Model::singleTone_)
                    .NotOffered("the single tone box is not offered"),
                timing("twotone.first_duration", fields::kTwoToneFirstDuration, kFirstDuration)
                    .ReadsText(SecondsOfTenths)
                    .WritesText(TenthsOfText),
                timing("twotone.second_duration", fields::kTwoToneSecondDuration, kSecondDuration)
                    .ReadsText(SecondsOfTenths)
                    .WritesText(TenthsOfText),
                timing("twotone.long_duration", fields::kTwoToneLongDuration, kLongDuration)
                    .ReadsText(SecondsOfTenths)
                    .WritesText(TenthsOfText),
                timing("twotone.gap", fields::kTwoToneGap, kGap)
                    .ReadsText(TextOfMilliseconds)
                    .WritesText(MillisecondsOfText),
            },
        };
        d.declaredOrder = true;
        d.listWording = ListWording::ExpectedRange;
        d.checkWording = CheckWording::Expected;
        for (int e = 0; e < kEntries; ++e) {
            const int record = e + 1;
            d.settings.push_back(
                TextField<Model>(
                    "twotone.encode." + std::to_string(record), fields::kTwoToneEncodeFirstTone,
                    record, [e](const Model& m) { return EncodeRow(m, e); }, nullptr)
                    .PairedWith(fields::kTwoToneEncodeSecondTone)
                    .OwnCode([e](Model& m, const std::string& v, const Given&) {
                        return EnterEncodeRow(m, e, v);
                    })
                    .Offers([](const Model&) {
                        return std::vector<std::string>{"1000.0 2000.0", "288.5 -", "3000.0 -"};
                    })
                    .Quoted(Quoting::Never));
        }
        for (int set = 1; set <= kSets; ++set) {
            const int n = set - 1;
            auto shown = [n](auto part) {
                return [n, part](const Model& m) { return part(m.SetValues(n)); };
            };
            auto text = [&](const std::string& name, const layout::Field& field,
                            Setting<Model>::GetText get, Setting<Model>::Special rule) {
                return TextField<Model>(SetKey(set, name), field, set, std::move(get), nullptr)
                    .OwnCode(std::move(rule))
                    .InGroup(set)
                    .Quoted(Quoting::Never);
            };
            d.settings.push_back(text("first", fields::kTwoToneSetFirst,
                                      shown([](const DecodeSet& s) { return ChoiceText(s.first); }),
                                      [set](Model& m, const std::string& v, const Given& g) {
                                          return ChooseFirst(m, set, v, g);
                                      })
                                     .Offers([](const Model&) { return Combinations(false); }));
            d.settings.push_back(
                text("second", fields::kTwoToneSetSecond,
                     shown([](const DecodeSet& s) { return ChoiceText(s.second); }),
                     [set](Model& m, const std::string& v, const Given& g) {
                         return ChooseSecond(m, set, v, g);
                     })
                    .Offers([](const Model&) { return Combinations(true); }));
            const layout::Field* toneFields[4] = {
                &fields::kTwoToneSetToneA, &fields::kTwoToneSetToneB, &fields::kTwoToneSetToneC,
                &fields::kTwoToneSetToneD};
            for (int l = 0; l < 4; ++l)
                d.settings.push_back(text(std::string("tone_") + static_cast<char>('a' + l),
                                          *toneFields[l],
                                          shown([l](const DecodeSet& s) { return s.tones[l]; }),
                                          [l](Model& m, const std::string& v, const Given&) {
                                              return TypeTone(m, l, v);
                                          })
                                         .Offers([](const Model&) { return RangeEnds(kToneA); }));
            auto list = [&](const std::string& name, const layout::Field& field,
                            Setting<Model>::Getter get, Setting<Model>::Putter put,
                            std::vector<std::string> (Model::*entries)() const) {
                return Accessed<Model>(SetKey(set, name), field, std::move(get), std::move(put),
                                       [entries](const Model& m) { return (m.*entries)(); })
                    .OwnCode()
                    .InRecord(set)
                    .InGroup(set);
            };
            d.settings.push_back(list(
                "auto_reset", fields::kTwoToneSetAutoReset,
                [n](const Model& m) {
                    return IndexOf(m.AutoResetEntries(), m.SetValues(n).autoReset);
                },
                [](Model& m, int i) { m.SetAutoResetText(m.AutoResetEntries().at(i)); },
                &Model::AutoResetEntries));
            d.settings.push_back(list(
                "call_alert", fields::kTwoToneSetCallAlert,
                [n](const Model& m) { return m.SetValues(n).callAlert; },
                [](Model& m, int i) { m.SetCallAlert(i); }, &Model::CallAlertEntries));
            d.settings.push_back(list(
                "auto_answer", fields::kTwoToneSetAutoAnswer,
                [n](const Model& m) { return m.SetValues(n).autoAnswer; },
                [](Model& m, int i) { m.SetAutoAnswer(i); }, &Model::AutoAnswerEntries));
        }
        d.visit = [](Model& m, int set) { m.SelectSet(set - 1); };
        return d;
    }();
    return description;
}

}  // namespace vgr47
