#include "editors/keys/key_assign_model.h"

#include "core/codeplug_lib.h"
#include "core/text_ids.h"

namespace vgr47 {

namespace {

constexpr int kSideKeyEntries = 5;

}  // namespace

KeyAssignModel::KeyAssignModel(CodeplugImage& image, const ModelState& state,
                               const TextCatalogue& texts)
    : image_(image), state_(state), texts_(texts) {
    Load();
}

std::vector<std::string> KeyAssignModel::MonitorEntries() const {
    return {texts_.GetText(kTextOffEntry), texts_.GetText(kTextMonitorMomentary),
            texts_.GetText(kTextMonitorLatched), texts_.GetText(kTextSquelchOff)};
}

std::vector<std::string> KeyAssignModel::AKeyEntries() const {
    return {texts_.GetText(kTextOffEntry), texts_.GetText(kTextKeyCall1),
            texts_.GetText(kTextKeyScanOnOff), texts_.GetText(kTextKeyPowerHighLow),
            texts_.GetText(kTextKeySignallingOnOff)};
}

std::vector<std::string> KeyAssignModel::BKeyEntries() const {
    return {texts_.GetText(kTextOffEntry), texts_.GetText(kTextKeyCall2),
            texts_.GetText(kTextKeyScanOnOff), texts_.GetText(kTextKeyPowerHighLow),
            texts_.GetText(kTextKeySignallingOnOff)};
}

bool KeyAssignModel::sideKeyBytesPresent() const {
    return layout::ReadHex(image_, layout::fields::kKeysOption).has_value();
}

int KeyAssignModel::IndexOfCode(int code) {
    int index = code == 0xFF || code <= 0 ? 0 : code <= 2 ? 1 : code - 1;
    return index < kSideKeyEntries ? index : -1;
}

int KeyAssignModel::CodeOfIndex(int index) { return index > 1 ? index + 1 : index; }

// A basic radio's image ends before the side key bytes: they read as 0 and are never written
// (the image is not lengthened for them).
void KeyAssignModel::Load() { settings::LoadSettings(Settings(), *this, image_); }

// The other bits of 0x065B are the options form's and stay as they are.
void KeyAssignModel::Store() { settings::StoreSettings(Settings(), *this, image_); }

}  // namespace vgr47
