#include "editors/five_tone_system/five_tone_system_model.h"

#include "core/codeplug_lib.h"
#include "core/field_clamps.h"
#include "core/layout/codeplug_layout.h"
#include "core/memory_map.h"
#include "core/text_ids.h"

namespace vgr47 {

using layout::AddressOf;
namespace fields = layout::fields;

namespace {

// The block ends with the two bytes of the maximum decode time.
constexpr int kBlockEnd = AddressOf(fields::kFiveToneMaxDecode) + 2;

constexpr int kPresetTonePeriods[FiveToneSystemModel::kStandardCount] = {100, 70, 70, 70,
                                                                         40,  70, 40};
constexpr int kPresetMinDecode = 30;

// 1.5 times the tone period, the fraction dropped.
int HalfAgain(int value) { return value * 3 / 2; }

}  // namespace

int WrapSpinStep(int value, int delta, int min, int max) {
    if (value < min) value = min;
    if (value > max) value = max;
    long long next = static_cast<long long>(value) + delta;
    if (next > max) return min;
    if (next < min) return max;
    return static_cast<int>(next);
}

FiveToneSystemModel::FiveToneSystemModel(CodeplugImage& image, const TextCatalogue& texts)
    : image_(image), texts_(texts) {
    Read();
}

bool FiveToneSystemModel::Available(const CodeplugImage& image) {
    return image.byteCount() >= static_cast<std::size_t>(kBlockEnd);
}

const std::vector<std::string>& FiveToneSystemModel::StandardNames() {
    static const std::vector<std::string> names = {"CCIR", "ZVEI-1", "ZVEI-2", "DZVEI",
                                                   "EEA",  "PZVEI",  "EIA"};
    return names;
}

int FiveToneSystemModel::PresetTonePeriod(int standard) {
    if (standard < 0 || standard >= kStandardCount) return -1;
    return kPresetTonePeriods[standard];
}

FiveToneSystemModel::Range FiveToneSystemModel::FieldRange(Field field) {
    switch (field) {
        case kTonePeriod:
            return {40, 255};
        case kRxInterval:
            return {0, 640};
        case kMinDecode:
            return {20, 600};
        case kMaxDecode:
        case kFieldCount:
            break;
    }
    return {40, 600};
}

std::vector<std::string> FiveToneSystemModel::GroupCallEntries() const {
    std::vector<std::string> entries = {texts_.GetText(kTextOffEntry)};
    for (int d = 0; d < kGroupCallDigits; ++d)
        entries.push_back(std::string(1, "0123456789ABCDEF"[d]));
    return entries;
}

std::vector<std::string> FiveToneSystemModel::EncodePauseEntries() const {
    std::vector<std::string> entries = {texts_.GetText(kTextOffEntry)};
    for (int s = 1; s <= kEncodePauseMax; ++s) entries.push_back(std::to_string(s));
    return entries;
}

int FiveToneSystemModel::EncodePauseEntryFor(const std::string& typed) const {
    const std::vector<std::string> entries = EncodePauseEntries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].compare(0, typed.size(), typed) == 0) return static_cast<int>(i);
    return 0;
}

void FiveToneSystemModel::Read() {
    for (bool& e : editing_) e = false;
    if (!Available(image_)) return;
    settings::LoadSettings(Settings(), *this, image_);
}

void FiveToneSystemModel::ChooseStandard(int index) {
    if (index < 0 || index >= kStandardCount) return;
    standard_ = index;
    const int period = kPresetTonePeriods[index];
    fields_[kTonePeriod] = std::to_string(period);
    fields_[kRxInterval] = std::to_string(HalfAgain(period));
    fields_[kMinDecode] = std::to_string(kPresetMinDecode);
    fields_[kMaxDecode] = std::to_string(HalfAgain(period));
    for (bool& e : editing_) e = false;
}

void FiveToneSystemModel::SetFieldText(Field field, const std::string& text) {
    fields_[field] = text;
    editing_[field] = true;
}

void FiveToneSystemModel::CommitField(Field field) {
    const Range r = FieldRange(field);
    if (field == kTonePeriod || field == kRxInterval)
        fields_[field] = ClampIntField(fields_[field], r.min, r.max, 1);
    else
        fields_[field] = ClampDecimalField(fields_[field], r.min, r.max, 1);
    editing_[field] = false;
    // A maximum typed but not yet committed is the user's later word and stays.
    if (field == kTonePeriod && !editing_[kMaxDecode])
        fields_[kMaxDecode] = std::to_string(HalfAgain(ParseLeadingInt(fields_[kTonePeriod])));
}

void FiveToneSystemModel::StepField(Field field, int delta) {
    const Range r = FieldRange(field);
    fields_[field] =
        std::to_string(WrapSpinStep(ParseLeadingInt(fields_[field]), delta, r.min, r.max));
    CommitField(field);
}

void FiveToneSystemModel::ChooseGroupCall(int entry) {
    if (entry >= 0 && entry <= kGroupCallDigits) groupCall_ = entry;
}

bool FiveToneSystemModel::Write() {
    for (Field f : {kTonePeriod, kRxInterval, kMinDecode, kMaxDecode})
        if (editing_[f]) CommitField(f);
    if (!Available(image_)) return false;
    settings::StoreSettings(Settings(), *this, image_);
    return true;
}

}  // namespace vgr47
