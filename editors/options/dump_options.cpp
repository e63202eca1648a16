// The options area: the optional features form as text. Its hidden power-on scan list is
// the scan area's scan.power_on_scan.
#include "editors/dump/dump_areas.h"
#include "editors/dump/dump_form_values.h"
#include "editors/options/option_model.h"

namespace vgr47::dump {
namespace {

std::string Entry(const std::vector<std::string>& entries, int index) {
    return index >= 0 && index < static_cast<int>(entries.size()) ? entries[index] : "";
}

Line List(const char* key, int index, const std::vector<std::string>& entries) {
    return {key, FormatList(index, Entry(entries, index))};
}

std::vector<Line> Lines(const OptionModel& m) {
    return {
        List("options.tot", m.tot, m.TotEntries()),
        List("options.tot_prealert", m.preAlert, m.PreAlertEntries()),
        List("options.tot_rekey", m.rekey, m.RekeyEntries()),
        List("options.tot_reset", m.reset, m.ResetEntries()),
        List("options.squelch", m.squelch, OptionModel::SquelchEntries()),
        List("options.power", m.power, m.PowerEntries()),
        {"options.key_lock", FormatCheck(m.keyLock)},
        {"options.user_settings", FormatCheck(m.userSettings)},
        {"options.disable_manual_tuning", FormatCheck(m.disableManualTuning)},
        {"options.disable_self_programming", FormatCheck(m.disableSelfProgramming)},
        {"options.power_on", FormatCheck(m.powerOn)},
        List("options.ptt_mode", m.ptt, m.PttEntries()),
        List("options.auto_answer_delay", m.autoAnswer, m.AutoAnswerEntries()),
    };
}

class OptionsArea : public Area {
  public:
    std::string name() const override { return "options"; }

    std::vector<Line> Dump(const Context& ctx) const override {
        return Lines(OptionModel(ctx.image, ctx.state, ctx.texts));
    }

    void Load(const std::vector<Input>& changed, Context& ctx,
              std::vector<Problem>& problems) const override {
        OptionModel m(ctx.image, ctx.state, ctx.texts);
        const std::size_t before = problems.size();
        const auto current = ValuesByKey(Lines(m));
        struct ListField {
            const char* key;
            int* index;
            std::size_t entries;
            bool signalling;  // disabled on basic models
        };
        const ListField lists[] = {
            {"options.tot", &m.tot, m.TotEntries().size(), false},
            {"options.tot_prealert", &m.preAlert, m.PreAlertEntries().size(), false},
            {"options.tot_rekey", &m.rekey, m.RekeyEntries().size(), false},
            {"options.tot_reset", &m.reset, m.ResetEntries().size(), false},
            {"options.squelch", &m.squelch, OptionModel::SquelchEntries().size(), false},
            {"options.power", &m.power, m.PowerEntries().size(), false},
            {"options.ptt_mode", &m.ptt, m.PttEntries().size(), true},
            {"options.auto_answer_delay", &m.autoAnswer, m.AutoAnswerEntries().size(), true},
        };
        const std::pair<const char*, bool*> checks[] = {
            {"options.key_lock", &m.keyLock},
            {"options.user_settings", &m.userSettings},
            {"options.disable_manual_tuning", &m.disableManualTuning},
            {"options.disable_self_programming", &m.disableSelfProgramming},
            {"options.power_on", &m.powerOn},
        };
        for (const Input& in : changed) {
            for (const ListField& f : lists) {
                if (in.key != f.key) continue;
                if (f.signalling && !m.signallingEnabled() &&
                    Unchangeable(in, current.at(in.key), "is disabled on this model", problems))
                    break;
                if (auto i = ListChoice(in, f.entries, problems)) *f.index = *i;
            }
            for (const auto& [key, flag] : checks) {
                if (in.key != key) continue;
                if (auto c = CheckChoice(in, problems)) *flag = *c;
            }
        }
        if (problems.size() == before) m.Store();
    }
};

}  // namespace

std::unique_ptr<Area> MakeOptionsArea() { return std::make_unique<OptionsArea>(); }

}  // namespace vgr47::dump
