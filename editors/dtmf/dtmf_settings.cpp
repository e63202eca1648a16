// The DTMF form's settings: each list's field and rules, the kill code and the two code lists.
// The lists are kept in the model's array; a stored value past a list selects the entry the
// form falls back to.
#include "core/codeplug_lib.h"
#include "editors/dtmf/dtmf_model.h"

namespace vgr47 {
namespace {

using Model = DtmfModel;
using namespace settings;
namespace fields = layout::fields;

// The delay is stored as its list index + 1.
int DelayOfStored(const Model&, int stored) { return stored - 1; }
int StoredOfDelay(const Model&, int index) { return index + 1; }

// Side tone and clearing auto answer: entry 0 is on, stored as 1; any other byte but 0 is on.
int OnOffOfStored(const Model&, int stored) { return stored == 0 ? 1 : 0; }
int StoredOfOnOff(const Model&, int index) { return index == 0 ? 1 : 0; }

// The group call character by its ASCII code; FF (or 00) is off.
int GroupCallOfStored(const Model& m, int stored) {
    if (stored <= 0 || stored == 0xFF) return 0;
    const auto& entries = m.Entries(Model::kGroupCall);
    for (std::size_t i = 1; i < entries.size(); ++i)
        if (entries[i] == std::string(1, static_cast<char>(stored))) return static_cast<int>(i);
    return 0;
}
int StoredOfGroupCall(const Model& m, int index) {
    if (index <= 0) return 0xFF;
    return static_cast<unsigned char>(m.Entries(Model::kGroupCall)[index][0]);
}

// A code the field keeps as given (blanks and case aside): empty, or 3 to limit characters. The
// field itself would turn one or two characters into "000" and cut a longer code.
bool KeptAsGiven(const std::string& value, int limit) {
    const std::size_t length = TrimText(value).size();
    return length == 0 || (length >= 3 && length <= static_cast<std::size_t>(limit));
}

// Codes the fields take, and no code.
template <Model::CodeList list>
std::vector<std::string> Examples(const Model&) {
    return {list == Model::kDtmfCodes ? "A*#" : "147", ""};
}

bool KillCodeEdited(const Model& m) { return m.killCodeEdited(); }

std::string CodeKey(Model::CodeList list, int entry) {
    return std::string(list == Model::kDtmfCodes ? "dtmf.code." : "dtmf.digit_code.") +
           std::to_string(entry + 1);
}

}  // namespace

const settings::Description<DtmfModel>& DtmfModel::Settings() {
    static const Description<Model> description = [] {
        auto list = [](const char* key, const layout::Field& field, List l) {
            return ArrayList(key, field, &Model::selected_, &Model::entries_, l);
        };
        Description<Model> d{
            "dtmf",
            {
                list("dtmf.rate", fields::kDtmfRate, kRate).ReadsOutsideListAs(0),
                list("dtmf.first_digit_time", fields::kDtmfFirstDigitTime, kFirstDigitTime)
                    .ReadsOutsideListAs(0),
                list("dtmf.first_digit_delay", fields::kDtmfFirstDigitDelay, kFirstDigitDelay)
                    .Reads(DelayOfStored)
                    .Writes(StoredOfDelay)
                    .ReadsOutsideListAs(0),
                list("dtmf.star_hash_tone", fields::kDtmfStarHashTone, kStarHashTone)
                    .ReadsOutsideListAs(1),
                list("dtmf.d_key", fields::kDtmfDKey, kDKey).ReadsOutsideListAs(0),
                list("dtmf.side_tone", fields::kDtmfSideTone, kSideTone)
                    .Reads(OnOffOfStored)
                    .Writes(StoredOfOnOff),
                list("dtmf.group_call", fields::kDtmfGroupCall, kGroupCall)
                    .Reads(GroupCallOfStored)
                    .Writes(StoredOfGroupCall),
                list("dtmf.auto_reset", fields::kDtmfAutoReset, kAutoReset).ReadsOutsideListAs(10),
                list("dtmf.call_alert", fields::kDtmfCallAlert, kCallAlert).ReadsOutsideListAs(1),
                list("dtmf.auto_answer", fields::kDtmfAutoAnswer, kAutoAnswer)
                    .ReadsOutsideListAs(0),
                list("dtmf.clear_auto_answer", fields::kDtmfClearAutoAnswer, kClearAutoAnswer)
                    .Reads(OnOffOfStored)
                    .Writes(StoredOfOnOff),
                // A code the user never edited is written back exactly as read, whatever the
                // rules would make of it.
                TextField<Model>(
                    "dtmf.kill_code", fields::kDtmfKillCode, 0,
                    [](const Model& m) { return m.killCode_; },
                    [](Model& m, const std::string& t) { m.killCode_ = t; })
                    .ChosenAs([](Model& m, const std::string& t) { m.SetKillCode(t); })
                    .Checks([](const Model& m, const std::string& value,
                               std::string& why) -> std::optional<std::string> {
                        const Checked c = CheckKillCode(value);
                        if (c.message)
                            why = m.Text(c.message);
                        else if (!KeptAsGiven(value, kKillCodeLimit))
                            why = "expected nothing or 3 to 10 characters 0-9, A-D, * or #";
                        else
                            return c.text;
                        return std::nullopt;
                    })
                    .StoredOnlyWhen(KillCodeEdited)
                    .Offers(Examples<kDtmfCodes>),
            },
        };
        d.listWording = ListWording::ExpectedEntry;
        for (CodeList l : {kDtmfCodes, kDigitCodes}) {
            const layout::Field& field =
                l == kDtmfCodes ? fields::kDtmfCode : fields::kDtmfDigitCode;
            const int limit = l == kDtmfCodes ? kCodeLimit : kDigitCodeLimit;
            for (int n = 0; n < kCodeCount; ++n)
                d.settings.push_back(
                    TextField<Model>(
                        CodeKey(l, n), field, n + 1,
                        [l, n](const Model& m) { return m.codes_[l][n]; },
                        [l, n](Model& m, const std::string& t) { m.codes_[l][n] = t; })
                        // Checked as the grid checks an entry, so a text can never store a
                        // code the form would refuse.
                        .Checks([l, limit](const Model& m, const std::string& value,
                                           std::string& why) -> std::optional<std::string> {
                            const Checked c = CheckCode(l, value);
                            if (c.message)
                                why = m.Text(c.message);
                            else if (l == kDigitCodes && !KeptAsGiven(value, limit))
                                why = "expected nothing or 3 to 10 digits";
                            else if (static_cast<int>(c.text.size()) > limit)
                                why = "longer than " + std::to_string(limit) + " characters";
                            else
                                return c.text;
                            return std::nullopt;
                        })
                        .Quoted(Quoting::NotWhenEmpty)
                        .Offers(l == kDtmfCodes ? Examples<kDtmfCodes> : Examples<kDigitCodes>));
        }
        return d;
    }();
    return description;
}

}  // namespace vgr47
