#include "editors/acs/acs_model.h"

#include <algorithm>

#include "core/codeplug_lib.h"
#include "core/memory_map.h"
#include "core/text_ids.h"

namespace vgr47 {

bool AcsModel::Available(const CodeplugImage& image) {
    return image.byteCount() >= static_cast<std::size_t>(mem::kAcsTimes + 1);
}

AcsModel::AcsModel(CodeplugImage& image, const ModelState& state, const TextCatalogue& texts,
                   const ChannelModel& channels)
    : image_(image), state_(state), texts_(texts), channels_(channels) {
    entries_[kCycles] = {"2", "3", "4", "5"};
    for (int i = 0; i < 10; ++i) entries_[kTxTime].push_back(FormatFixed((i + 1) * 0.5, 1, 3));
    entries_[kRxTime] = entries_[kTxTime];
    Read();
}

int AcsModel::TitleText() const {
    return state_.edition() == Edition::Vgr47 ? kTextAcsTitle : kTextAcsTitleDealer;
}

std::array<int, AcsModel::kListCount> AcsModel::LabelTexts() const {
    if (state_.edition() == Edition::Vgr47)
        return {kTextAcsCycleCount, kTextAcsTxTime, kTextAcsRxTime};
    return {kTextAcsCycleCountDealer, kTextAcsTxTimeDealer, kTextAcsRxTimeDealer};
}

void AcsModel::Read() {
    std::string cycles = image_.ReadBytes(mem::kAcsCycles, 1);
    int cycle = cycles.size() == 2 ? HexToInt(cycles) - 2 : -1;
    selected_[kCycles] = cycle >= 0 && cycle <= 3 ? cycle : 0;
    std::string times = image_.ReadBytes(mem::kAcsTimes, 1);
    auto nibble = [&](std::size_t digit) {
        int v = times.size() == 2 ? HexToInt(times.substr(digit, 1)) : -1;
        return v >= 0 && v < static_cast<int>(entries_[kTxTime].size()) ? v : -1;
    };
    selected_[kTxTime] = nibble(1);
    selected_[kRxTime] = nibble(0);
    std::string list = image_.ReadBytes(mem::kAcsList, mem::kAcsListCount);
    for (int r = 0; r < kRows; ++r) {
        int channel = list.size() >= 2u * (r + 1) ? HexToInt(list.substr(2 * r, 2)) : -1;
        rows_[r] = channel >= 1 && channel <= mem::kChannelCount ? std::to_string(channel) : "";
    }
    currentRow_ = 0;
    chooser_.clear();
    picked_.reset();
}

void AcsModel::Select(List list, int index) {
    if (index >= 0 && index < static_cast<int>(entries_[list].size())) selected_[list] = index;
}

const std::string& AcsModel::RowText(int row) const {
    static const std::string none;
    return row >= 1 && row <= kRows ? rows_[row - 1] : none;
}

bool AcsModel::IsRowEditable(int row) const {
    if (row < 1 || row > kRows) return false;
    for (int r = 1; r < row; ++r)
        if (rows_[r - 1].empty()) return false;
    return true;
}

int AcsModel::ChannelCount() const { return std::min(channels_.Rows() - 1, mem::kChannelCount); }

bool AcsModel::HasTransmitFrequency(int channel) const {
    if (channel < 1 || channel > ChannelCount()) return false;
    std::string record =
        image_.ReadBytes(mem::ChannelRecordAddress(channel), mem::kChannelRecordBytes);
    if (record.size() != 2u * mem::kChannelRecordBytes) return false;
    if (record == std::string(record.size(), 'F') || record == std::string(record.size(), '0'))
        return false;
    std::string tx = record.substr(8, 8);
    return tx != "FFFFFFFF" && tx != "00000000";
}

std::vector<std::string> AcsModel::ChooserEntries(int row) const {
    std::vector<std::string> out;
    if (row < 1 || row > kRows) return out;
    if (row == kRows || rows_[row].empty()) out.push_back(Text(kTextNone));
    for (int channel = 1; channel <= ChannelCount(); ++channel) {
        if (!HasTransmitFrequency(channel)) continue;
        // The row's own channel counts as held too: a row is changed by picking another one.
        const std::string name = std::to_string(channel);
        if (std::find(rows_.begin(), rows_.end(), name) == rows_.end()) out.push_back(name);
    }
    return out;
}

int AcsModel::ChooserSelection() const {
    if (currentRow_ == 0) return -1;
    auto it = std::find(chooser_.begin(), chooser_.end(), rows_[currentRow_ - 1]);
    return it == chooser_.end() ? -1 : static_cast<int>(it - chooser_.begin());
}

bool AcsModel::ClickRow(int row) {
    CommitChoice();
    if (!IsRowEditable(row)) {
        currentRow_ = 0;
        chooser_.clear();
        return false;
    }
    currentRow_ = row;
    chooser_ = ChooserEntries(row);
    return true;
}

void AcsModel::Pick(const std::string& text) {
    if (currentRow_ != 0) picked_ = text;
}

void AcsModel::ApplyChoice(int row, const std::string& text) {
    if (text == Text(kTextNone)) {
        rows_[row - 1].clear();
    } else if (text.empty()) {
        for (int r = row; r <= kRows; ++r) rows_[r - 1].clear();
    } else {
        rows_[row - 1] = text;
    }
}

void AcsModel::CommitChoice() {
    // Only an entry the user picked is applied: a cell whose channel is no longer offered
    // shows no selection, and applying that as an empty choice would empty the rows below.
    if (currentRow_ != 0 && picked_) ApplyChoice(currentRow_, *picked_);
    picked_.reset();
}

void AcsModel::DeleteAll() {
    for (std::string& r : rows_) r.clear();
    currentRow_ = 0;
    chooser_.clear();
    picked_.reset();
}

void AcsModel::SetRow(int row, const std::string& text) {
    if (row >= 1 && row <= kRows) rows_[row - 1] = text;
}

bool AcsModel::Apply() {
    if (!Available(image_)) return false;
    std::string cycles = selected_[kCycles] >= 0 ? IntToHex(selected_[kCycles] + 2, 1)
                                                 : image_.ReadBytes(mem::kAcsCycles, 1);
    std::string times = image_.ReadBytes(mem::kAcsTimes, 1);
    const char* digits = "0123456789ABCDEF";
    if (selected_[kTxTime] >= 0) times[1] = digits[selected_[kTxTime]];
    if (selected_[kRxTime] >= 0) times[0] = digits[selected_[kRxTime]];
    CommitChoice();
    std::string list;
    for (const std::string& r : rows_) list += r.empty() ? "FF" : IntToHex(ParseLeadingInt(r), 1);
    if (list.size() != 2u * mem::kAcsListCount) return false;
    return image_.WriteBytes(mem::kAcsCycles, cycles) && image_.WriteBytes(mem::kAcsTimes, times) &&
           image_.WriteBytes(mem::kAcsList, list);
}

}  // namespace vgr47
