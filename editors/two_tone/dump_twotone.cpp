// The twotone area: encode timing, the encode table and the four decoder sets, as the 2-tone
// form shows them. Loading types the values in as a user would, visits the decoder sets tab by
// tab and presses OK; a value the fields would clamp on leaving them is refused instead, so a
// text never changes into something else on its way in.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <sstream>

#include "core/codeplug_lib.h"
#include "editors/dump/dump_areas.h"
#include "editors/two_tone/two_tone_model.h"

namespace vgr47::dump {
namespace {

using M = TwoToneModel;

constexpr const char* kLetters[4] = {"a", "b", "c", "d"};
const M::Field kTimingFields[4] = {M::kFirstDuration, M::kSecondDuration, M::kLongDuration,
                                   M::kGap};
constexpr const char* kTimingKeys[4] = {"first_duration", "second_duration", "long_duration",
                                        "gap"};

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
bool InRange(const std::string& value, M::Field field) {
    const M::Range r = M::FieldRange(field);
    auto t = Tenths(value);
    return t && *t >= std::lround(r.min * 10) && *t <= std::lround(r.max * 10);
}

std::string RangeText(M::Field field) {
    const M::Range r = M::FieldRange(field);
    if (field == M::kGap)
        return "expected a whole number from " + std::to_string(std::lround(r.min)) + " to " +
               std::to_string(std::lround(r.max)) + " (ms)";
    const char* unit = field >= M::kToneA ? " Hz" : " seconds";
    return "expected " + FormatFixed(r.min, 1) + " to " + FormatFixed(r.max, 1) + unit +
           " in steps of 0.1";
}

std::string EncodeValue(const M& m, int entry) {
    const std::string& first = m.cell(entry, 0);
    const std::string& second = m.cell(entry, 1);
    if (first.empty() && second.empty()) return "";
    return (first.empty() ? "-" : first) + " " + (second.empty() ? "-" : second);
}

std::string ChoiceText(int choice) {
    if (choice == M::kNoChoice) return "-";
    if (choice == M::kNoneChoice) return "none";
    return M::CombinationText(choice);
}

// A combination text, "none" (Decode 2 only) or "-"; nullopt for anything else.
std::optional<int> ParseChoice(const std::string& value, bool allowNone) {
    if (value == "-") return M::kNoChoice;
    if (allowNone && Lower(value) == "none") return M::kNoneChoice;
    for (int c = 0; c < M::kCombinations; ++c)
        if (Lower(value) == Lower(M::CombinationText(c))) return c;
    return std::nullopt;
}

int IndexOf(const std::vector<std::string>& entries, const std::string& text) {
    auto it = std::find(entries.begin(), entries.end(), text);
    return it == entries.end() ? -1 : static_cast<int>(it - entries.begin());
}

std::string ListValue(const std::vector<std::string>& entries, int index) {
    return FormatList(index,
                      index >= 0 && index < static_cast<int>(entries.size()) ? entries[index] : "");
}

std::string SetKey(int n, const std::string& field) {
    return "twotone.decode." + std::to_string(n + 1) + "." + field;
}

class TwoToneArea : public Area {
  public:
    std::string name() const override { return "twotone"; }

    std::vector<Line> Dump(const Context& ctx) const override {
        if (!M::Available(ctx.image)) return {};
        M m(ctx.image, ctx.texts);
        std::vector<Line> lines{{"twotone.side_tone", FormatCheck(m.sideTone())},
                                {"twotone.single_tone", FormatCheck(m.singleTone())}};
        for (int i = 0; i < 4; ++i)
            lines.push_back(
                {std::string("twotone.") + kTimingKeys[i], m.fieldText(kTimingFields[i])});
        for (int e = 0; e < M::kEntries; ++e)
            lines.push_back({"twotone.encode." + std::to_string(e + 1), EncodeValue(m, e)});
        for (int n = 0; n < M::kSets; ++n) {
            M::DecodeSet s = m.SetValues(n);
            lines.push_back({SetKey(n, "first"), ChoiceText(s.first)});
            lines.push_back({SetKey(n, "second"), ChoiceText(s.second)});
            for (int l = 0; l < 4; ++l)
                lines.push_back({SetKey(n, std::string("tone_") + kLetters[l]), s.tones[l]});
            auto resets = m.AutoResetEntries();
            lines.push_back(
                {SetKey(n, "auto_reset"), ListValue(resets, IndexOf(resets, s.autoReset))});
            lines.push_back(
                {SetKey(n, "call_alert"), ListValue(m.CallAlertEntries(), s.callAlert)});
            lines.push_back(
                {SetKey(n, "auto_answer"), ListValue(m.AutoAnswerEntries(), s.autoAnswer)});
        }
        return lines;
    }

    void Load(const std::vector<Input>& changed, Context& ctx,
              std::vector<Problem>& problems) const override {
        auto bad = [&problems](const Input& i, const std::string& why) {
            problems.push_back({i.lineNumber, i.key + ": " + why});
        };
        // The radio would never receive these bytes: the window greys the form on such a model.
        if (!ctx.state.IsExtendedModel()) {
            for (const Input& i : changed) bad(i, "this model has no 2-tone signalling");
            return;
        }
        M m(ctx.image, ctx.texts);
        std::map<std::string, const Input*> in;
        for (const Input& i : changed) in[i.key] = &i;

        if (auto it = in.find("twotone.side_tone"); it != in.end()) {
            if (auto v = ParseCheck(it->second->value))
                m.SetSideTone(*v);
            else
                bad(*it->second, "expected 0 or 1");
        }
        if (auto it = in.find("twotone.single_tone"); it != in.end())
            bad(*it->second, "the single tone box is not offered");
        for (int i = 0; i < 4; ++i) {
            auto it = in.find(std::string("twotone.") + kTimingKeys[i]);
            if (it == in.end()) continue;
            const std::string& value = it->second->value;
            const M::Field field = kTimingFields[i];
            auto gap = ParseInteger(value);
            const bool ok = field == M::kGap ? gap && *gap >= M::FieldRange(field).min &&
                                                   *gap <= M::FieldRange(field).max
                                             : InRange(value, field);
            if (!ok) {
                bad(*it->second, RangeText(field));
                continue;
            }
            m.SetFieldText(kTimingFields[i], it->second->value);
            m.LeaveField(kTimingFields[i]);
        }
        for (int e = 0; e < M::kEntries; ++e) {
            auto it = in.find("twotone.encode." + std::to_string(e + 1));
            if (it != in.end()) LoadEntry(m, e, *it->second, bad);
        }
        for (int n = 0; n < M::kSets; ++n) {
            bool any = false;
            for (const auto& [key, input] : in) any = any || key.rfind(SetKey(n, ""), 0) == 0;
            if (!any) continue;
            m.SelectSet(n);
            LoadSet(m, n, in, bad);
        }
        if (!problems.empty()) return;
        if (!m.Ok())
            problems.push_back({0, "twotone: the codeplug is too short for the 2-tone tables"});
    }

  private:
    template <typename Bad>
    static void LoadEntry(M& m, int e, const Input& input, Bad& bad) {
        std::istringstream words(input.value);
        std::vector<std::string> tones;
        for (std::string w; words >> w;) tones.push_back(w == "-" ? "" : w);
        if (tones.size() > 2) return bad(input, "expected <first> <second>");
        tones.resize(2);
        for (const std::string& t : tones)
            if (!t.empty() && !InRange(t, M::kToneA))
                return bad(input, RangeText(M::kToneA) + ", or -");
        if (tones[0].empty() && !tones[1].empty() &&
            (tones[1] != m.cell(e, 1) || !m.cell(e, 0).empty()))
            return bad(input, "a second tone needs a first tone");
        m.EnterCell(e, 0, tones[0]);
        if (!tones[0].empty()) m.EnterCell(e, 1, tones[1]);
    }

    template <typename Bad>
    static void LoadSet(M& m, int n, const std::map<std::string, const Input*>& in, Bad& bad) {
        auto find = [&](const std::string& field) -> const Input* {
            auto it = in.find(SetKey(n, field));
            return it == in.end() ? nullptr : it->second;
        };
        int first = m.shown().first, second = m.shown().second;
        const Input* firstIn = find("first");
        const Input* secondIn = find("second");
        if (firstIn) {
            auto c = ParseChoice(firstIn->value, false);
            if (!c) return bad(*firstIn, "expected a combination such as A-B or Long C");
            first = *c;
        }
        if (secondIn) {
            auto c = ParseChoice(secondIn->value, true);
            if (!c) return bad(*secondIn, "expected none or a combination such as A-B or Long C");
            second = *c;
        }
        if ((firstIn || secondIn) && !m.SetDecodeChoices(first, second))
            return bad(firstIn ? *firstIn : *secondIn, "the Decode lists do not offer " +
                                                           ChoiceText(first) + " with " +
                                                           ChoiceText(second));
        for (int l = 0; l < 4; ++l) {
            const Input* t = find(std::string("tone_") + kLetters[l]);
            if (!t) continue;
            if (!IsNumber(t->value)) return bad(*t, RangeText(M::kToneA));
            const auto field = static_cast<M::Field>(M::kToneA + l);
            if (!m.ToneEnabled(l)) {
                if (ShownTone(t->value) == m.fieldText(field)) continue;
                return bad(*t, "the tone is not used by the chosen combinations");
            }
            if (!InRange(t->value, field)) return bad(*t, RangeText(field));
            m.SetFieldText(field, t->value);
            m.LeaveField(field);
        }
        struct ListField {
            const char* name;
            std::vector<std::string> entries;
            void (M::*set)(int);
        };
        if (const Input* r = find("auto_reset")) {
            auto i = ParseIndex(r->value);
            auto entries = m.AutoResetEntries();
            if (!i || *i < 0 || *i >= static_cast<int>(entries.size()))
                return bad(*r, "expected 0 to 300");
            m.SetAutoResetText(entries[*i]);
        }
        const ListField lists[2] = {{"call_alert", m.CallAlertEntries(), &M::SetCallAlert},
                                    {"auto_answer", m.AutoAnswerEntries(), &M::SetAutoAnswer}};
        for (const ListField& f : lists) {
            const Input* v = find(f.name);
            if (!v) continue;
            auto i = ParseIndex(v->value);
            if (!i || *i < 0 || *i >= static_cast<int>(f.entries.size()))
                return bad(*v, "expected 0 to " + std::to_string(f.entries.size() - 1));
            (m.*f.set)(*i);
        }
    }

    // A tone as the field would show it, without the range clamp.
    static std::string ShownTone(const std::string& text) {
        return FormatFixed(static_cast<double>(std::lround(ParseLeadingDouble(text) * 10.0)) / 10.0,
                           1, 2);
    }
};

}  // namespace

std::unique_ptr<Area> MakeTwoToneArea() { return std::make_unique<TwoToneArea>(); }

}  // namespace vgr47::dump
