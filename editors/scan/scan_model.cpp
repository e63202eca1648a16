#include "editors/scan/scan_model.h"

#include "core/codeplug_lib.h"
#include "core/memory_map.h"
#include "core/text_ids.h"

namespace vgr47 {

namespace {

constexpr int kPauseEntries = 10;
constexpr int kHoldEntries = 256;
constexpr int kChannelA = 100;
constexpr int kChannelB = 101;
// Bits 1..0 of the function byte for each list index.
const char* const kFunctionBits[] = {"11", "01", "10"};
const int kRevertValues[] = {4, 5, 0, 1, 2, 3};

}  // namespace

ScanModel::ScanModel(CodeplugImage& image, const ModelState& state, const TextCatalogue& texts,
                     const ChannelModel& channels)
    : image_(image), state_(state), texts_(texts), channels_(channels) {
    Load();
}

std::vector<std::string> ScanModel::FunctionEntries() const {
    return {texts_.GetText(kTextOffEntry), texts_.GetText(kTextScanTimeOperated),
            texts_.GetText(kTextScanCarrierOperated)};
}

std::vector<std::string> ScanModel::RevertEntries() const {
    std::vector<std::string> entries;
    for (int t : {kTextRevertSelected, kTextRevertSelectedTalkback, kTextRevertLastCalled,
                  kTextRevertLastUsed})
        entries.push_back(texts_.GetText(t));
    if (priority_ > 0) {
        entries.push_back(texts_.GetText(kTextRevertPriority));
        entries.push_back(texts_.GetText(kTextRevertPriorityTalkback));
    }
    return entries;
}

std::vector<std::string> ScanModel::PauseEntries() {
    std::vector<std::string> entries;
    for (int i = 1; i <= kPauseEntries; ++i) entries.push_back(FormatFixed(i * 0.5, 1, 3));
    return entries;
}

std::vector<std::string> ScanModel::HoldEntries() const {
    std::vector<std::string> entries{texts_.GetText(kTextOffEntry)};
    for (int i = 1; i < kHoldEntries; ++i) entries.push_back(std::to_string(i * 50));
    return entries;
}

std::vector<std::string> ScanModel::PowerOnScanEntries() const {
    return {texts_.GetText(kTextOffEntry), texts_.GetText(kTextScanAtPowerOn)};
}

int ScanModel::RevertValueOfIndex(int index) {
    return index >= 0 && index < 6 ? kRevertValues[index] : -1;
}

int ScanModel::RevertIndexOfValue(int value) {
    switch (value) {
        case 0:
            return 2;
        case 1:
            return 3;
        case 2:
            return 4;
        case 3:
            return 5;
        case 5:
            return 1;
        default:
            return 0;  // 4, and the values 6 and 7 the form never writes
    }
}

int ScanModel::PriorityIndexOf(const std::string& name) const {
    for (std::size_t i = 1; i < priorityEntries_.size(); ++i)
        if (priorityEntries_[i] == name) return static_cast<int>(i);
    return -1;
}

void ScanModel::RebuildRevert() {
    // A selection the rebuilt list no longer has falls back to the first entry.
    if (revert_ > LastRevertIndex()) revert_ = 0;
}

void ScanModel::SetFunction(int index) {
    function_ = index;
    if (function_ != 0) RebuildRevert();
}

void ScanModel::SetPriority(int index) {
    priority_ = index;
    RebuildRevert();
}

void ScanModel::Load() {
    priorityEntries_ = {texts_.GetText(kTextNone)};
    for (int row = 1; row < channels_.Rows(); ++row) {
        if (TrimText(channels_.CellText(row, ChannelModel::kColRx)).empty()) continue;
        if (!channels_.IsSet(row, ChannelModel::kColScan)) continue;
        priorityEntries_.push_back(channels_.RowName(row));
    }

    const std::string functionByte = image_.ReadBytes(mem::kScanFunction, 1);
    const std::string bits = GetBits(functionByte, 0, 2);
    function_ = bits == "01" ? 1 : bits == "10" ? 2 : 0;

    const int stored = HexToInt(image_.ReadBytes(mem::kScanPriority, 1));
    std::string name = stored == kChannelA           ? "A"
                       : stored == kChannelB         ? "B"
                       : stored >= 1 && stored <= 99 ? std::to_string(stored)
                                                     : "";
    priority_ = name.empty() ? 0 : PriorityIndexOf(name);

    functionEnabled_ = channels_.CountScanChannels() >= 2;
    if (!functionEnabled_) function_ = 0;

    int index = RevertIndexOfValue(BitsToInt(GetBits(functionByte, 2, 3)));
    revert_ = index <= LastRevertIndex() ? index : -1;

    const int times = HexToInt(image_.ReadBytes(mem::kScanTimes, 1));
    txPause = (times & 0x0F) < kPauseEntries ? (times & 0x0F) : -1;
    dwell = (times >> 4) < kPauseEntries ? (times >> 4) : -1;
    hold = HexToInt(image_.ReadBytes(mem::kSignallingHold, 1));

    const std::string powerOn = GetBits(image_.ReadBytes(mem::kOption0660, 1), 1, 2);
    powerOnScan = powerOn == "11" ? 0 : powerOn == "01" ? 1 : -1;
}

void ScanModel::Store() {
    std::string byte = image_.ReadBytes(mem::kScanFunction, 1);
    if (byte.size() == 2) {
        if (function_ >= 0 && function_ <= 2) SetBits(byte, 0, 2, kFunctionBits[function_]);
        if (int value = RevertValueOfIndex(revert_); value >= 0 && revert_ <= LastRevertIndex())
            SetBits(byte, 2, 3, IntToBits(value, 3));
        image_.WriteBytes(mem::kScanFunction, byte);
    }

    if (priority_ == 0) {
        image_.WriteBytes(mem::kScanPriority, "00");
    } else if (priority_ > 0 && priority_ < static_cast<int>(priorityEntries_.size())) {
        const std::string& name = priorityEntries_[priority_];
        int value = name == "A" ? kChannelA : name == "B" ? kChannelB : ParseLeadingInt(name);
        image_.WriteBytes(mem::kScanPriority, IntToHex(value, 1));
    }

    byte = image_.ReadBytes(mem::kScanTimes, 1);
    if (byte.size() == 2) {
        if (txPause >= 0 && txPause < kPauseEntries) SetBits(byte, 0, 4, IntToBits(txPause, 4));
        if (dwell >= 0 && dwell < kPauseEntries) SetBits(byte, 4, 4, IntToBits(dwell, 4));
        image_.WriteBytes(mem::kScanTimes, byte);
    }

    // The hold list is hidden on basic models but still carries its byte through.
    if (hold >= 0 && hold < kHoldEntries)
        image_.WriteBytes(mem::kSignallingHold, IntToHex(hold, 1));

    byte = image_.ReadBytes(mem::kOption0660, 1);
    if (byte.size() == 2) {
        SetBits(byte, 1, 2, powerOnScan == 1 ? "01" : "11");
        image_.WriteBytes(mem::kOption0660, byte);
    }
}

}  // namespace vgr47
