#include "editors/keys/key_assign_model.h"

#include "core/codeplug_lib.h"
#include "core/memory_map.h"
#include "core/text_ids.h"

namespace vgr47 {

namespace {

constexpr int kSideKeyEntries = 5;
constexpr int kMonitorEntries = 4;

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
    return image_.ReadBytes(mem::kKeyOption, 1).size() == 2;
}

int KeyAssignModel::IndexOfCode(int code) {
    int index = code == 0xFF || code <= 0 ? 0 : code <= 2 ? 1 : code - 1;
    return index < kSideKeyEntries ? index : -1;
}

int KeyAssignModel::CodeOfIndex(int index) { return index > 1 ? index + 1 : index; }

void KeyAssignModel::Load() {
    monitor = BitsToInt(GetBits(image_.ReadBytes(mem::kOption065B, 1), 3, 2));
    if (!sideKeyBytesPresent()) {
        aKey = bKey = 0;
        optionByte = 0;
        return;
    }
    aKey = IndexOfCode(HexToInt(image_.ReadBytes(mem::kKeyA, 1)));
    bKey = IndexOfCode(HexToInt(image_.ReadBytes(mem::kKeyB, 1)));
    optionByte = HexToInt(image_.ReadBytes(mem::kKeyOption, 1));
}

void KeyAssignModel::Store() {
    std::string byte = image_.ReadBytes(mem::kOption065B, 1);
    if (byte.size() == 2 && monitor >= 0 && monitor < kMonitorEntries) {
        SetBits(byte, 3, 2, IntToBits(monitor, 2));
        image_.WriteBytes(mem::kOption065B, byte);
    }
    // A basic radio's image ends before the side key bytes; it is never lengthened for them.
    if (!sideKeyBytesPresent()) return;
    if (aKey >= 0 && aKey < kSideKeyEntries)
        image_.WriteBytes(mem::kKeyA, IntToHex(CodeOfIndex(aKey), 1));
    if (bKey >= 0 && bKey < kSideKeyEntries)
        image_.WriteBytes(mem::kKeyB, IntToHex(CodeOfIndex(bKey), 1));
    image_.WriteBytes(mem::kKeyOption, IntToHex(optionByte != 0 ? 1 : 0, 1));
}

}  // namespace vgr47
