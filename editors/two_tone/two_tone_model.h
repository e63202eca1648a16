// The 2-tone form without widgets: encode timing and the 32-entry encode table, and the four
// decoder sets edited one at a time over a working copy. Fields hold their texts as typed;
// leaving a field clamps it, and storing a set or OK applies the clamps first, so no value
// outside the radio's range (or outside 16 bits) ever reaches the image.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/codeplug_image.h"
#include "core/text_catalogue.h"
#include "editors/common/settings_description.h"

namespace vgr47 {

class TwoToneModel {
  public:
    static constexpr int kEntries = 32;
    static constexpr int kSets = 4;
    static constexpr int kCombinations = 15;
    // Choices of the Decode lists besides a combination code 0..14.
    static constexpr int kNoChoice = -2;    // nothing selected
    static constexpr int kNoneChoice = -1;  // Decode 2's "none" entry

    enum Field {
        kFirstDuration,
        kSecondDuration,
        kLongDuration,
        kGap,
        kToneA,
        kToneB,
        kToneC,
        kToneD
    };

    struct Cell {
        int entry;  // 0..31
        int tone;   // 0 first, 1 second
    };

    // One decoder set as the decode page shows it.
    struct DecodeSet {
        int first = kNoChoice;
        int second = kNoneChoice;
        std::array<std::string, 4> tones;  // A..D
        std::string autoReset;             // the editable list's text
        int callAlert = -1;                // list index, -1 none selected
        int autoAnswer = -1;
    };

    TwoToneModel(CodeplugImage& image, const TextCatalogue& texts);

    // The encode page's switches and timings (two_tone_settings.cpp); the encode table and the
    // decoder sets are the model's own code.
    static const settings::Description<TwoToneModel>& Settings();
    // A tone or time text in tenths, kept inside 16 bits so its code never comes out empty.
    static int Tenths16(const std::string& text);

    // The form is offered only when every byte it owns lies inside the image.
    static bool Available(const CodeplugImage& image);
    static std::string CombinationText(int code);         // "A-B" ... "Long C"; "" otherwise
    static int CombinationCode(const std::string& text);  // -1 when not a combination

    // Fills every field from the image and shows set 1.
    void Read();

    // ---- encode page ----
    bool sideTone() const { return sideTone_; }
    bool singleTone() const { return singleTone_; }
    void SetSideTone(bool on) { sideTone_ = on; }
    void SetSingleTone(bool on) { singleTone_ = on; }

    // What a field clamps to on leaving it, in its unit (seconds, milliseconds, hertz); the
    // gap goes in steps of 1, the others in steps of 0.1.
    struct Range {
        double min, max;
    };
    static Range FieldRange(Field f);

    // The tone fields are those of the shown decoder set.
    const std::string& fieldText(Field f) const;
    void SetFieldText(Field f, const std::string& text);
    // Focus leaving the field: its clamp.
    void LeaveField(Field f);

    const std::string& cell(int entry, int tone) const { return cells_[entry][tone]; }
    int currentEntry() const { return currentEntry_; }
    void SetCurrentEntry(int entry);
    const std::optional<Cell>& editingCell() const { return editing_; }
    // Commits an open editor, then opens the clicked cell; a second tone whose first tone is
    // empty opens the first tone instead. Returns the cell opened.
    Cell BeginCellEdit(int entry, int tone);
    // What the open editor holds: its text is committed into the cell with the validation.
    void SetEditorText(const std::string& text) { editorText_ = text; }
    const std::string& editorText() const { return editorText_; }
    void CommitCellEdit();
    void CancelCellEdit() { editing_.reset(); }
    // The validation of a committed cell (trim, empty first tone empties the second, range).
    void EnterCell(int entry, int tone, const std::string& text);
    void DeleteCurrentEntry();
    void DeleteAllEntries();

    // ---- decode page ----
    int shownSet() const { return shownSet_; }
    // Stores the shown set (after its clamps) into the working copy and shows set n.
    void SelectSet(int n);
    // Set n as it shows when its tab is chosen (the shown set as it is now).
    DecodeSet SetValues(int n) const;
    const DecodeSet& shown() const { return shown_; }

    std::vector<std::string> Decode1Entries() const;
    std::vector<std::string> Decode2Entries() const;
    int decode1Index() const;  // position in Decode1Entries(), -1 for no selection
    int decode2Index() const;
    void SelectDecode1(int index);
    void SelectDecode2(int index);
    // Both choices at once (code, kNoneChoice, kNoChoice); false when the lists would not offer
    // them (the same combination twice, none for Decode 1).
    bool SetDecodeChoices(int first, int second);
    // Whether tone field A (0) .. D (3) is enabled by the letters of the chosen combinations.
    bool ToneEnabled(int letter) const;

    std::vector<std::string> AutoResetEntries() const;
    std::vector<std::string> CallAlertEntries() const;
    std::vector<std::string> AutoAnswerEntries() const;
    void SetAutoResetText(const std::string& text) { shown_.autoReset = text; }
    // Focus leaving the auto-reset field: a text that is not one of the entries selects entry 0.
    void LeaveAutoReset();
    void SetCallAlert(int index) { shown_.callAlert = index; }
    void SetAutoAnswer(int index) { shown_.autoAnswer = index; }

    // Writes everything in the form's order. False (image unchanged) when a piece would not
    // fit its place, e.g. the image is too short.
    bool Ok();

  private:
    DecodeSet DecodeFrom(const std::string& setHex) const;
    void ShowSet(int n);
    void ApplySetClamps();
    std::string EncodeSet(const DecodeSet& set, const std::string& oldHex) const;
    std::string Text(int number) const { return texts_.GetText(number); }
    std::vector<int> Decode1Codes() const;
    std::vector<int> Decode2Codes() const;
    void EnsureFirstEntry();

    CodeplugImage& image_;
    const TextCatalogue& texts_;
    bool sideTone_ = false;
    bool singleTone_ = false;
    std::array<std::string, 4> fields_;  // durations and gap
    std::array<std::array<std::string, 2>, kEntries> cells_;
    int currentEntry_ = 0;
    std::optional<Cell> editing_;
    std::string editorText_;
    std::string workingCopy_;  // the 64 bytes of the four sets, as hex
    int shownSet_ = 0;
    DecodeSet shown_;
};

}  // namespace vgr47
