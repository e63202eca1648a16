// The 5-tone system parameters without widgets: the tone standard with its preset timings,
// the tone period, receive interval and single-tone decode times, and the group-call digit.
// The form edits texts as typed; a field is clamped when it is committed (focus leaving it,
// a spin step, or OK), and OK writes the bytes in their fixed order.
#pragma once

#include <string>
#include <vector>

#include "core/codeplug_image.h"
#include "core/text_catalogue.h"
#include "editors/common/settings_description.h"

namespace vgr47 {

// One step of a spin control that wraps: past the maximum gives the minimum and below the
// minimum the maximum. A value outside the range steps from the nearer end.
int WrapSpinStep(int value, int delta, int min, int max);

class FiveToneSystemModel {
  public:
    enum Field { kTonePeriod, kRxInterval, kMinDecode, kMaxDecode, kFieldCount };
    struct Range {
        int min, max;
    };
    static constexpr int kStandardCount = 7;
    static constexpr int kGroupCallDigits = 14;  // 0..D
    static constexpr int kEncodePauseMax = 300;

    // Reads the image at once.
    FiveToneSystemModel(CodeplugImage& image, const TextCatalogue& texts);

    // Each setting's field and rules (five_tone_system_settings.cpp).
    static const settings::Description<FiveToneSystemModel>& Settings();

    // Whether the image holds the whole parameter block (a short image from a basic radio
    // does not); the form is not offered otherwise.
    static bool Available(const CodeplugImage& image);

    static const std::vector<std::string>& StandardNames();
    // The tone period a standard's presets start from.
    static int PresetTonePeriod(int standard);
    static Range FieldRange(Field field);
    // Entry 0 the "off" text, then "0".."9", "A".."D".
    std::vector<std::string> GroupCallEntries() const;
    // Entry 0 the "off" text, then "1".."300"; the list is never stored.
    std::vector<std::string> EncodePauseEntries() const;
    // The entry a typed text selects: the first starting with it, else entry 0.
    int EncodePauseEntryFor(const std::string& typed) const;

    void Read();
    // Commits every field still being edited, then writes the block; false when the image
    // cannot hold it (nothing is written then).
    bool Write();

    // -1 when the stored byte names no standard.
    int standard() const { return standard_; }
    // The user chose a standard: its presets replace the four timings.
    void ChooseStandard(int index);

    const std::string& fieldText(Field field) const { return fields_[field]; }
    // The text as typed; the field counts as being edited until it is committed.
    void SetFieldText(Field field, const std::string& text);
    // Clamps the field to its range; the tone period then sets the maximum decode time to
    // 1.5 times itself.
    void CommitField(Field field);
    // A spin step of the field (committed at once, wrapping at the ends of the range).
    void StepField(Field field, int delta);

    // 0 = none, n = digit n - 1.
    int groupCall() const { return groupCall_; }
    void ChooseGroupCall(int entry);

    int encodePause() const { return encodePause_; }
    void ChooseEncodePause(int entry) { encodePause_ = entry; }

  private:
    CodeplugImage& image_;
    const TextCatalogue& texts_;
    int standard_ = -1;
    std::string fields_[kFieldCount];
    bool editing_[kFieldCount] = {};
    int groupCall_ = 0;
    int encodePause_ = 0;
};

}  // namespace vgr47
