// The scan area: the scan form's lists as text, applied in the form's order (function,
// then priority, then revert), since each decides what the next one offers.
#include "editors/dump/dump_areas.h"
#include "editors/dump/dump_form_values.h"
#include "editors/scan/scan_model.h"

namespace vgr47::dump {
namespace {

std::string Entry(const std::vector<std::string>& entries, int index) {
    return index >= 0 && index < static_cast<int>(entries.size()) ? entries[index] : "";
}

std::vector<Line> Lines(const ScanModel& m) {
    const auto pauses = ScanModel::PauseEntries();
    return {
        {"scan.function", FormatList(m.function(), Entry(m.FunctionEntries(), m.function()))},
        {"scan.priority", FormatChannel(m.priority(), Entry(m.PriorityEntries(), m.priority()))},
        {"scan.revert", FormatList(m.revert(), Entry(m.RevertEntries(), m.revert()))},
        {"scan.tx_pause", FormatList(m.txPause, Entry(pauses, m.txPause))},
        {"scan.dwell", FormatList(m.dwell, Entry(pauses, m.dwell))},
        {"scan.signalling_hold", FormatList(m.hold, Entry(m.HoldEntries(), m.hold))},
        {"scan.power_on_scan",
         FormatList(m.powerOnScan, Entry(m.PowerOnScanEntries(), m.powerOnScan))},
    };
}

const char* const kOrder[] = {"scan.function",     "scan.priority", "scan.revert",
                              "scan.tx_pause",     "scan.dwell",    "scan.signalling_hold",
                              "scan.power_on_scan"};

class ScanArea : public Area {
  public:
    std::string name() const override { return "scan"; }

    std::vector<Line> Dump(const Context& ctx) const override {
        return Lines(ScanModel(ctx.image, ctx.state, ctx.texts, ctx.channels));
    }

    void Load(const std::vector<Input>& changed, Context& ctx,
              std::vector<Problem>& problems) const override {
        ScanModel m(ctx.image, ctx.state, ctx.texts, ctx.channels);
        const std::size_t before = problems.size();
        for (const char* key : kOrder) {
            for (const Input& in : changed)
                if (in.key == key) Apply(in, m, problems);
        }
        if (problems.size() == before) m.Store();
    }

  private:
    static void Apply(const Input& in, ScanModel& m, std::vector<Problem>& problems) {
        const std::string current = ValuesByKey(Lines(m))[in.key];
        if (in.key == "scan.function") {
            if (!m.functionEnabled() &&
                Unchangeable(in, current, "is disabled: fewer than 2 channels are in the scan list",
                             problems))
                return;
            if (auto i = ListChoice(in, m.FunctionEntries().size(), problems)) m.SetFunction(*i);
            return;
        }
        if (!m.othersEnabled() &&
            Unchangeable(in, current, "is disabled while the scan function is off", problems))
            return;
        if (in.key == "scan.priority") {
            int index = in.value == "none" ? 0 : in.quoted ? -1 : m.PriorityIndexOf(in.value);
            if (index < 0)
                problems.push_back(
                    {in.lineNumber,
                     in.key + ": '" + in.value + "' is not a channel of the scan list (or none)"});
            else
                m.SetPriority(index);
        } else if (in.key == "scan.revert") {
            if (auto i = ListChoice(in, m.RevertEntries().size(), problems)) m.SetRevert(*i);
        } else if (in.key == "scan.tx_pause") {
            if (auto i = ListChoice(in, ScanModel::PauseEntries().size(), problems)) m.txPause = *i;
        } else if (in.key == "scan.dwell") {
            if (auto i = ListChoice(in, ScanModel::PauseEntries().size(), problems)) m.dwell = *i;
        } else if (in.key == "scan.signalling_hold") {
            if (!m.holdShown() && Unchangeable(in, current, "is hidden on this model", problems))
                return;
            if (auto i = ListChoice(in, m.HoldEntries().size(), problems)) m.hold = *i;
        } else if (in.key == "scan.power_on_scan") {
            if (auto i = ListChoice(in, m.PowerOnScanEntries().size(), problems))
                m.powerOnScan = *i;
        }
    }
};

}  // namespace

std::unique_ptr<Area> MakeScanArea() { return std::make_unique<ScanArea>(); }

}  // namespace vgr47::dump
