// The DTMF area: the form's lists, the kill code and the two code lists. Codes are checked
// as the grid checks them, so a text can never store a code the form would refuse.
#include <map>

#include "core/codeplug_lib.h"
#include "editors/dtmf/dtmf_model.h"
#include "editors/dump/dump_areas.h"

namespace vgr47::dump {
namespace {

struct ListKey {
    const char* key;
    DtmfModel::List list;
};

const ListKey kListKeys[] = {
    {"dtmf.rate", DtmfModel::kRate},
    {"dtmf.first_digit_time", DtmfModel::kFirstDigitTime},
    {"dtmf.first_digit_delay", DtmfModel::kFirstDigitDelay},
    {"dtmf.star_hash_tone", DtmfModel::kStarHashTone},
    {"dtmf.d_key", DtmfModel::kDKey},
    {"dtmf.side_tone", DtmfModel::kSideTone},
    {"dtmf.group_call", DtmfModel::kGroupCall},
    {"dtmf.auto_reset", DtmfModel::kAutoReset},
    {"dtmf.call_alert", DtmfModel::kCallAlert},
    {"dtmf.auto_answer", DtmfModel::kAutoAnswer},
    {"dtmf.clear_auto_answer", DtmfModel::kClearAutoAnswer},
};

std::string CodeKey(DtmfModel::CodeList list, int entry) {
    return std::string(list == DtmfModel::kDtmfCodes ? "dtmf.code." : "dtmf.digit_code.") +
           std::to_string(entry + 1);
}

// Messages shown while the model applies its rules become problems of the load.
class CollectedMessages : public Messages {
  public:
    std::vector<std::string> shown;
    void ShowMessage(const std::string& text) override { shown.push_back(text); }
    Answer Ask(const std::string&, const std::string&, Buttons, bool) override {
        return Answer::Cancel;
    }
};

// A code the field keeps as given (blanks and case aside): empty, or 3 to limit characters. The
// field itself would turn one or two characters into "000" and cut a longer code.
bool KeptAsGiven(const std::string& value, int limit) {
    const std::size_t length = TrimText(value).size();
    return length == 0 || (length >= 3 && length <= static_cast<std::size_t>(limit));
}

// Shown wherever the image holds the bytes; changed only on models that offer the form.
bool Stored(const Context& ctx) { return DtmfModel::Available(ctx.image); }

bool RefusedOnThisModel(const std::vector<Input>& changed, const Context& ctx,
                        std::vector<Problem>& problems) {
    if (ctx.state.IsExtendedModel()) return false;
    for (const Input& in : changed)
        problems.push_back({in.lineNumber, in.key + ": this model has no DTMF settings"});
    return true;
}

class DtmfArea : public Area {
  public:
    std::string name() const override { return "dtmf"; }

    std::vector<Line> Dump(const Context& ctx) const override {
        if (!Stored(ctx)) return {};
        CollectedMessages quiet;
        DtmfModel m(ctx.image, ctx.texts, quiet);
        std::vector<Line> lines;
        for (const ListKey& k : kListKeys) {
            int i = m.Selected(k.list);
            lines.push_back({k.key, FormatList(i, i >= 0 ? m.Entries(k.list)[i] : "")});
        }
        lines.push_back({"dtmf.kill_code", FormatQuoted(m.killCode())});
        for (DtmfModel::CodeList list : {DtmfModel::kDtmfCodes, DtmfModel::kDigitCodes})
            for (int n = 0; n < DtmfModel::kCodeCount; ++n) {
                const std::string& code = m.Code(list, n);
                lines.push_back({CodeKey(list, n), code.empty() ? "" : FormatQuoted(code)});
            }
        return lines;
    }

    void Load(const std::vector<Input>& changed, Context& ctx,
              std::vector<Problem>& problems) const override {
        if (!Stored(ctx) || RefusedOnThisModel(changed, ctx, problems)) return;
        CollectedMessages messages;
        DtmfModel m(ctx.image, ctx.texts, messages);
        std::map<std::string, DtmfModel::List> lists;
        for (const ListKey& k : kListKeys) lists[k.key] = k.list;
        const std::size_t before = problems.size();

        for (const Input& in : changed) {
            if (auto l = lists.find(in.key); l != lists.end()) {
                auto index = ParseIndex(in.value);
                int count = static_cast<int>(m.Entries(l->second).size());
                if (!index || *index < 0 || *index >= count) {
                    problems.push_back({in.lineNumber, in.key + ": expected an entry from 0 to " +
                                                           std::to_string(count - 1)});
                    continue;
                }
                m.Select(l->second, *index);
                continue;
            }
            if (in.key == "dtmf.kill_code") {
                DtmfModel::Checked c = DtmfModel::CheckKillCode(in.value);
                if (c.message) {
                    problems.push_back(
                        {in.lineNumber, in.key + ": " + ctx.texts.GetText(c.message)});
                } else if (!KeptAsGiven(in.value, DtmfModel::kKillCodeLimit)) {
                    problems.push_back({in.lineNumber, in.key + ": expected nothing or 3 to 10 "
                                                                "characters 0-9, A-D, * or #"});
                } else {
                    m.SetKillCode(c.text);
                }
                continue;
            }
            for (DtmfModel::CodeList list : {DtmfModel::kDtmfCodes, DtmfModel::kDigitCodes}) {
                for (int n = 0; n < DtmfModel::kCodeCount; ++n) {
                    if (in.key != CodeKey(list, n)) continue;
                    int limit = list == DtmfModel::kDtmfCodes ? DtmfModel::kCodeLimit
                                                              : DtmfModel::kDigitCodeLimit;
                    DtmfModel::Checked c = DtmfModel::CheckCode(list, in.value);
                    if (c.message) {
                        problems.push_back(
                            {in.lineNumber, in.key + ": " + ctx.texts.GetText(c.message)});
                    } else if (list == DtmfModel::kDigitCodes && !KeptAsGiven(in.value, limit)) {
                        problems.push_back(
                            {in.lineNumber, in.key + ": expected nothing or 3 to 10 digits"});
                    } else if (static_cast<int>(c.text.size()) > limit) {
                        problems.push_back(
                            {in.lineNumber,
                             in.key + ": longer than " + std::to_string(limit) + " characters"});
                    } else {
                        m.SetCode(list, n, c.text);
                    }
                }
            }
        }
        if (problems.size() != before) return;
        if (!m.Apply())
            problems.push_back({0, "dtmf: the codeplug has no room for the DTMF settings"});
        // Every line was checked above, so the rules have nothing left to say; should they,
        // the text must not change the codeplug behind the user's back.
        for (const std::string& text : messages.shown) problems.push_back({0, "dtmf: " + text});
    }
};

}  // namespace

std::unique_ptr<Area> MakeDtmfArea() { return std::make_unique<DtmfArea>(); }

}  // namespace vgr47::dump
