#include "editors/options/option_model.h"

#include "core/codeplug_lib.h"
#include "core/memory_map.h"
#include "core/text_ids.h"

namespace vgr47 {

namespace {

constexpr int kTotEntries = 7;
constexpr int kTotReadLimit = 10;  // 7..10 are read as they are and show no entry
constexpr int kPreAlertEntries = 11;
constexpr int kRekeyEntries = 61;
constexpr int kResetEntries = 16;
constexpr int kSquelchEntries = 10;
constexpr int kPowerEntries = 3;
constexpr int kPttEntries = 3;
constexpr int kAutoAnswerEntries = 256;

// Bits 1..0 (of bits 2..1 and 5..4) for the power and PTT list indexes.
const char* const kPowerBits[] = {"00", "01", "10"};
const char* const kPttBits[] = {"00", "01", "11"};

std::vector<std::string> OffThenNumbers(const std::string& off, int first, int step, int count) {
    std::vector<std::string> entries{off};
    for (int i = 0; i < count; ++i) entries.push_back(std::to_string(first + i * step));
    return entries;
}

bool InList(int index, int entries) { return index >= 0 && index < entries; }

// -1 for an index the list has no entry for, as the combo box shows it.
int Shown(int index, int entries) { return InList(index, entries) ? index : -1; }

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

void OptionModel::Load() {
    int value = HexToInt(image_.ReadBytes(mem::kOption065D, 1));
    tot = Shown(value < 0 || value > kTotReadLimit ? 0 : value, kTotEntries);
    value = HexToInt(image_.ReadBytes(mem::kOption065E, 1));
    rekey = Shown(value < 0 || value >= kRekeyEntries ? 0 : value, kRekeyEntries);

    const std::string times = image_.ReadBytes(mem::kOption065F, 1);
    value = HexToInt(times.substr(0, 1));
    preAlert = Shown(value >= kPreAlertEntries ? 0 : value, kPreAlertEntries);
    reset = Shown(HexToInt(times.substr(times.size() > 1 ? 1 : times.size(), 1)), kResetEntries);

    // The squelch byte is taken as a decimal number: 05 is 5, 0A stops at the letter and is 0.
    squelch = Shown(ParseLeadingInt(image_.ReadBytes(mem::kOption065C, 1)), kSquelchEntries);

    const std::string flags = image_.ReadBytes(mem::kOption065B, 1);
    keyLock = GetBit(flags, 0) == 1;
    const std::string powerBits = GetBits(flags, 1, 2);
    power = powerBits == "01" ? 1 : powerBits == "10" ? 2 : 0;
    userSettings = GetBit(flags, 5) == 1;
    disableManualTuning = GetBit(flags, 6) == 1;
    disableSelfProgramming = GetBit(flags, 7) == 1;

    autoAnswer = Shown(HexToInt(image_.ReadBytes(mem::kOption0661, 1)), kAutoAnswerEntries);

    const std::string options = image_.ReadBytes(mem::kOption0660, 1);
    powerOn = GetBit(options, 0) == 1;
    const std::string pttBits = GetBits(options, 4, 2);
    ptt = pttBits == "01" ? 1 : pttBits == "11" ? 2 : 0;
}

void OptionModel::Store() {
    if (InList(tot, kTotEntries)) image_.WriteBytes(mem::kOption065D, IntToHex(tot, 1));

    std::string byte = image_.ReadBytes(mem::kOption065F, 1);
    if (byte.size() == 2) {
        if (InList(preAlert, kPreAlertEntries)) SetBits(byte, 4, 4, IntToBits(preAlert, 4));
        if (InList(reset, kResetEntries)) SetBits(byte, 0, 4, IntToBits(reset, 4));
        image_.WriteBytes(mem::kOption065F, byte);
    }

    if (InList(rekey, kRekeyEntries)) image_.WriteBytes(mem::kOption065E, IntToHex(rekey, 1));
    if (InList(squelch, kSquelchEntries)) image_.WriteBytes(mem::kOption065C, IntToHex(squelch, 1));

    byte = image_.ReadBytes(mem::kOption065B, 1);
    if (byte.size() == 2) {
        SetBit(byte, 0, keyLock ? 1 : 0);
        if (InList(power, kPowerEntries)) SetBits(byte, 1, 2, kPowerBits[power]);
        SetBit(byte, 5, userSettings ? 1 : 0);
        SetBit(byte, 7, disableSelfProgramming ? 1 : 0);
        SetBit(byte, 6, disableManualTuning ? 1 : 0);
        image_.WriteBytes(mem::kOption065B, byte);  // bits 4..3 are the monitor key's
    }

    if (InList(autoAnswer, kAutoAnswerEntries))
        image_.WriteBytes(mem::kOption0661, IntToHex(autoAnswer, 1));

    // Read now, not at open: bits 2..1 are the scan form's power-on scan option, and a change
    // made there while this form was open must not be reverted.
    byte = image_.ReadBytes(mem::kOption0660, 1);
    if (byte.size() == 2) {
        SetBit(byte, 0, powerOn ? 1 : 0);
        if (InList(ptt, kPttEntries)) SetBits(byte, 4, 2, kPttBits[ptt]);
        image_.WriteBytes(mem::kOption0660, byte);
    }
}

}  // namespace vgr47
