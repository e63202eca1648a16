#include "editors/options/option_model.h"

#include "core/codeplug_lib.h"
#include "core/text_ids.h"

namespace vgr47 {

namespace {

constexpr int kPreAlertEntries = 11;
constexpr int kRekeyEntries = 61;
constexpr int kResetEntries = 16;
constexpr int kSquelchEntries = 10;
constexpr int kAutoAnswerEntries = 256;

std::vector<std::string> OffThenNumbers(const std::string& off, int first, int step, int count) {
    std::vector<std::string> entries{off};
    for (int i = 0; i < count; ++i) entries.push_back(std::to_string(first + i * step));
    return entries;
}

}  // namespace

OptionModel::OptionModel(CodeplugImage& image, const ModelState& state, const TextCatalogue& texts)
    : image_(image), state_(state), texts_(texts) {
    Load();
}

std::vector<std::string> OptionModel::TotEntries() const {
    return {texts_.GetText(kTextOffEntry), "30", "60", "90", "120", "180", "900"};
}

std::vector<std::string> OptionModel::PreAlertEntries() const {
    return OffThenNumbers(texts_.GetText(kTextOffEntry), 1, 1, kPreAlertEntries - 1);
}

std::vector<std::string> OptionModel::RekeyEntries() const {
    return OffThenNumbers(texts_.GetText(kTextOffEntry), 1, 1, kRekeyEntries - 1);
}

std::vector<std::string> OptionModel::ResetEntries() const {
    return OffThenNumbers(texts_.GetText(kTextOffEntry), 1, 1, kResetEntries - 1);
}

std::vector<std::string> OptionModel::SquelchEntries() {
    std::vector<std::string> entries;
    for (int i = 0; i < kSquelchEntries; ++i) entries.push_back(std::to_string(i));
    return entries;
}

std::vector<std::string> OptionModel::PowerEntries() const {
    return {texts_.GetText(kTextLow), texts_.GetText(kTextMiddle), texts_.GetText(kTextHigh)};
}

std::vector<std::string> OptionModel::PttEntries() const {
    return {texts_.GetText(kTextOffEntry), texts_.GetText(kTextPttPressAndHold),
            texts_.GetText(kTextPttToggle)};
}

std::vector<std::string> OptionModel::AutoAnswerEntries() const {
    return OffThenNumbers(texts_.GetText(kTextOffEntry), 50, 50, kAutoAnswerEntries - 1);
}

void OptionModel::Load() { settings::LoadSettings(Settings(), *this, image_); }

// The power-on scan bits of 0x0660 and the monitor key bits of 0x065B stay as they are.
void OptionModel::Store() { settings::StoreSettings(Settings(), *this, image_); }

}  // namespace vgr47
