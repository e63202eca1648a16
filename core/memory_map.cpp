#include "core/memory_map.h"

namespace vgr47::mem {

const std::vector<Region>& Regions() {
    static const std::vector<Region> kRegions = {
        {0x0000, 1616, "channel records 1-99, A, B"},
        {0x0650, 8, "model identity"},
        {0x0658, 1, "scan pause and dwell times"},
        {0x0659, 1, "scan function and revert channel"},
        {0x065A, 1, "priority channel"},
        {0x065B, 7, "optional features"},
        {0x0662, 2, "version stamp"},
        {0x0664, 12, "unnamed"},
        {0x0670, 1, "signalling hold time"},
        {0x0671, 143, "unnamed"},
        {0x0700, 64, "test frequency table"},
        {0x0740, 64, "alignment values"},
        {0x0780, 128, "unnamed, never transferred"},
        {0x0800, 792, "channel extension records"},
        {0x0B18, 5, "2-tone options"},
        {0x0B20, 64, "2-tone decoder sets"},
        {0x0B60, 128, "5-tone decode table"},
        {0x0BE0, 8, "5-tone system parameters"},
        {0x0BEA, 18, "5-tone encode/decode settings"},
        {0x0BFC, 3, "key functions"},
        {0x0C00, 512, "5-tone transmit codes"},
        {0x0E00, 128, "2-tone encode table"},
        {0x0E80, 11, "DTMF settings"},
        {0x0E90, 8, "auto channel select list"},
        {0x0E98, 2, "auto channel select settings"},
        {0x0EF0, 10, "DTMF kill code"},
        {0x0F00, 128, "DTMF codes"},
        {0x0F80, 128, "DTMF digit codes"},
    };
    return kRegions;
}

int ChannelRecordAddress(int channel) { return layout::kChannelRecords.RecordStart(channel); }

int ChannelExtensionAddress(int channel) { return layout::kChannelExtensions.RecordStart(channel); }

std::vector<int> TransferBlocks(bool signalling) { return layout::TransferBlocks(signalling); }

}  // namespace vgr47::mem
