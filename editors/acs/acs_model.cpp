#include "editors/acs/acs_model.h"

#include <algorithm>

#include "core/codeplug_lib.h"
#include "core/layout/codeplug_layout.h"
#include "core/memory_map.h"
#include "core/text_ids.h"

namespace vgr47 {

bool AcsModel::Available(const CodeplugImage& image) {
    // The times are the last of its bytes.
    return image.byteCount() >
           static_cast<std::size_t>(layout::AddressOf(layout::fields::kAcsRxTime));
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
    settings::LoadSettings(Settings(), *this, image_);
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
    CommitChoice();
    settings::StoreSettings(Settings(), *this, image_);
    return true;
}

}  // namespace vgr47
