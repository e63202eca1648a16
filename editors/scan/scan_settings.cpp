// The scan form's settings: each control's field, list and rules. The lists are declared in
// the form's order: the function decides whether the others may change, the priority channel
// which revert entries there are.
#include "core/codeplug_lib.h"
#include "editors/scan/scan_model.h"

namespace vgr47 {
namespace {

using Model = ScanModel;
using namespace settings;
namespace fields = layout::fields;

// Bits 11 off, 01 time operated, 10 carrier operated; the function stays off while the radio
// cannot scan.
int FunctionOfBits(const Model& m, int bits) {
    if (!m.functionEnabled()) return 0;
    return bits == 1 ? 1 : bits == 2 ? 2 : 0;
}
int BitsOfFunction(const Model&, int index) { return index == 0 ? 3 : index; }

// The stored channel number (1..99, 100 = A, 101 = B, 0 = none) by its entry's name.
int PriorityOfStored(const Model& m, int stored) {
    if (stored == layout::kChannelA) return m.PriorityIndexOf("A");
    if (stored == layout::kChannelB) return m.PriorityIndexOf("B");
    if (stored >= 1 && stored <= layout::kChannelCount)
        return m.PriorityIndexOf(std::to_string(stored));
    return 0;
}
int StoredOfPriority(const Model& m, int index) {
    if (index == 0) return 0;
    const std::string& name = m.PriorityEntries()[index];
    return name == "A"   ? layout::kChannelA
           : name == "B" ? layout::kChannelB
                         : ParseLeadingInt(name);
}

int RevertOfStored(const Model&, int stored) { return Model::RevertIndexOfValue(stored); }
int StoredOfRevert(const Model&, int index) { return Model::RevertValueOfIndex(index); }

// Bits 11 off, 01 scan at power-on; other bits show no entry (and store 11).
int PowerOnScanOfBits(const Model&, int bits) { return bits == 3 ? 0 : bits == 1 ? 1 : -1; }
int BitsOfPowerOnScan(const Model&, int index) { return index == 1 ? 1 : 3; }
constexpr int kPowerOnScanOffBits = 3;

const char* FewScanChannels(const Model& m) {
    return m.functionEnabled() ? nullptr
                               : "is disabled: fewer than 2 channels are in the scan list";
}
const char* ScanOff(const Model& m) {
    return m.othersEnabled() ? nullptr : "is disabled while the scan function is off";
}
const char* ScanOffOrBasicModel(const Model& m) {
    if (const char* why = ScanOff(m)) return why;
    return m.holdShown() ? nullptr : "is hidden on this model";
}

std::vector<std::string> Pauses(const Model&) { return Model::PauseEntries(); }

}  // namespace

const settings::Description<ScanModel>& ScanModel::Settings() {
    static const Description<Model> description{
        "scan",
        {
            List("scan.function", fields::kScanFunction, &Model::function_, &Model::FunctionEntries)
                .Reads(FunctionOfBits)
                .Writes(BitsOfFunction)
                .ChosenBy(&Model::SetFunction)
                .DisabledWhen(FewScanChannels),
            ChannelList("scan.priority", fields::kScanPriority, &Model::priority_,
                        &Model::PriorityEntries)
                .Reads(PriorityOfStored)
                .Writes(StoredOfPriority)
                .ChosenBy(&Model::SetPriority)
                .DisabledWhen(ScanOff),
            List("scan.revert", fields::kScanRevert, &Model::revert_, &Model::RevertEntries)
                .Reads(RevertOfStored)
                .Writes(StoredOfRevert)
                .ChosenBy(&Model::SetRevert)
                .DisabledWhen(ScanOff),
            List("scan.tx_pause", fields::kScanTxPause, &Model::txPause, Pauses)
                .DisabledWhen(ScanOff),
            List("scan.dwell", fields::kScanDwell, &Model::dwell, Pauses).DisabledWhen(ScanOff),
            // Hidden on basic models, but its byte is still carried through.
            List("scan.signalling_hold", fields::kScanSignallingHold, &Model::hold,
                 &Model::HoldEntries)
                .DisabledWhen(ScanOffOrBasicModel),
            List("scan.power_on_scan", fields::kScanPowerOnScan, &Model::powerOnScan,
                 &Model::PowerOnScanEntries)
                .Reads(PowerOnScanOfBits)
                .Writes(BitsOfPowerOnScan)
                .StoresWithoutSelection(kPowerOnScanOffBits)
                .DisabledWhen(ScanOff),
        },
        true,
    };
    return description;
}

}  // namespace vgr47
