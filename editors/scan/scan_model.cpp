#include "editors/scan/scan_model.h"

#include "core/codeplug_lib.h"
#include "core/text_ids.h"

namespace vgr47 {

namespace {

constexpr int kPauseEntries = 10;
constexpr int kHoldEntries = 256;
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

    functionEnabled_ = channels_.CountScanChannels() >= 2;
    settings::LoadSettings(Settings(), *this, image_);
}

// Every field written into its own bits: the options form's bits of 0x0660 are read now.
void ScanModel::Store() { settings::StoreSettings(Settings(), *this, image_); }

}  // namespace vgr47
