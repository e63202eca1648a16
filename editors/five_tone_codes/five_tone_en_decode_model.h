// The 5-tone encode and decode tables without widgets: the encode timings, delay codes and
// side tone, the 32 encode entries (three frames and their flags), the decode settings and
// the 8 decode entries (three frames, auto answer, call alert). The two grids are kept as
// entries; cell texts and the white/grey state of every cell follow from them, so the row
// rules hold after every change. OK packs both tables and writes everything in order.
#pragma once

#include <string>
#include <vector>

#include "core/codeplug_image.h"
#include "core/messages.h"
#include "core/text_catalogue.h"
#include "editors/common/settings_description.h"

namespace vgr47 {

class FiveToneEnDecodeModel {
  public:
    enum Page { kEncodePage, kDecodePage };
    enum TimeField { kDelay1, kDelay2, kDelay3, kEndDelay, kFirstDigit, kTimeFieldCount };
    // Boxes of the timing diagram, left to right.
    enum Box {
        kNoBox = -1,
        kBoxDelay1,
        kBoxFrame1,
        kBoxDelay2,
        kBoxFrame2,
        kBoxDelay3,
        kBoxFrame3,
        kBoxEndDelay
    };
    static constexpr int kBoxCount = 7;

    static constexpr int kFrames = 3;
    static constexpr int kEncodeEntries = 32;
    static constexpr int kDecodeEntries = 8;
    static constexpr int kHeaderRows = 2;  // grid rows before entry 1
    static constexpr int kEncodeColumns = 7;
    static constexpr int kDecodeColumns = 6;
    static constexpr int kAnswerColumn = 4;  // decode grid
    static constexpr int kAlertColumn = 5;   // decode grid
    static constexpr int kMinDigits = 5;
    static constexpr int kMaxDigits = 8;
    static constexpr int kWaitTimeMax = 2550;
    static constexpr int kWaitTimeStep = 10;
    static constexpr int kAutoResetMax = 300;
    static constexpr const char* kDefaultCode = "12345";

    struct EncodeEntry {
        std::string frames[kFrames];
        int flags[kFrames] = {-1, -1, -1};  // -1 empty cell, 0 off, 1 on
    };
    struct DecodeEntry {
        std::string frames[kFrames];
        int answer = -1;  // -1 empty cell, 0 none, n = encode entry n
        int alert = -1;   // -1 empty cell, 0 none, 1 alert tone, 2 ring
    };

    // What a click on a cell opens.
    enum class Opened { kNothing, kEditor, kChooser };

    FiveToneEnDecodeModel(CodeplugImage& image, const TextCatalogue& texts, Messages& messages);

    // Whether the image holds both tables and the settings; the form is not offered otherwise.
    static bool Available(const CodeplugImage& image);

    // The pages' times, codes, switches and lists (five_tone_en_decode_settings.cpp); the
    // encode and decode tables are the model's own code.
    static const settings::Description<FiveToneEnDecodeModel>& Settings();

    void Read();
    // Commits what is being edited on both pages, restores the default code of a grid that
    // has none, then writes the settings and both tables in order. False (nothing written)
    // when the image cannot hold them.
    bool Write();

    // ---- settings ----
    static int TimeFieldMin(TimeField field) { return field == kFirstDigit ? 20 : 0; }
    static int TimeFieldMax(TimeField) { return 7000; }
    const std::string& timeText(TimeField field) const { return times_[field]; }
    // The text as typed; the field counts as being edited until it is committed.
    void SetTimeText(TimeField field, const std::string& text) {
        times_[field] = text;
        editingTime_[field] = true;
    }
    void CommitTime(TimeField field);
    void StepTime(TimeField field, int delta);
    // Entry 0 the "off" text, then "0".."9", "A".."E".
    std::vector<std::string> DelayCodeEntries() const;
    int delay2Code() const { return delay2Code_; }
    int delay3Code() const { return delay3Code_; }
    void ChooseDelay2Code(int entry);
    void ChooseDelay3Code(int entry);
    bool sideTone() const { return sideTone_; }
    void SetSideTone(bool on) { sideTone_ = on; }

    bool clearAutoAnswer() const { return clearAutoAnswer_; }
    void SetClearAutoAnswer(bool on) { clearAutoAnswer_ = on; }
    const std::string& waitTimeText() const { return waitTime_; }
    void SetWaitTimeText(const std::string& text) {
        waitTime_ = text;
        editingWaitTime_ = true;
    }
    // Tens of milliseconds: the typed number / 10 within 0..255, shown x 10.
    void CommitWaitTime();
    void StepWaitTime(int delta);
    // "1".."8"; -1 when the stored byte has no bit set.
    std::vector<std::string> DecodeNumberEntries() const;
    int decodeNumber() const { return decodeNumber_; }
    void ChooseDecodeNumber(int entry);
    // Entry 0 the "off" text, then "1".."300" seconds.
    std::vector<std::string> AutoResetEntries() const;
    int autoReset() const { return autoReset_; }  // -1 no entry
    void ChooseAutoReset(int entry);

    // ---- timing diagram ----
    Box litBox() const { return litBox_; }
    // A time field gained focus: its box lights (the first digit length has none).
    void FocusTimeField(TimeField field);
    static int BoxCaptionFrame(Box box);  // 1..3 for a frame box, 0 otherwise

    // ---- grids ----
    static int Rows(Page page) {
        return kHeaderRows + (page == kEncodePage ? kEncodeEntries : kDecodeEntries);
    }
    static int Columns(Page page) { return page == kEncodePage ? kEncodeColumns : kDecodeColumns; }
    static int EntryOfRow(int row) { return row - kHeaderRows + 1; }
    static int RowOfEntry(int entry) { return entry + kHeaderRows - 1; }
    std::string CellText(Page page, int row, int column) const;
    // White: the cell may be opened for editing. Header rows and the number column are not.
    bool IsCellWhite(Page page, int row, int column) const;
    static bool IsFrameColumn(int column) { return column >= 1 && column <= kFrames; }

    const EncodeEntry& encodeEntry(int entry) const { return encode_[entry - 1]; }
    const DecodeEntry& decodeEntry(int entry) const { return decode_[entry - 1]; }
    bool HasFrame1(Page page, int entry) const;

    // A click on a cell: commits what is being edited on the page, restores the default code
    // when the grid has none, then opens the in-place editor (frame cell) or the chooser
    // (other white cell) on it. Grey cells open nothing.
    Opened ClickCell(Page page, int row, int column);
    // The cell under edit on the page; row -1 for none.
    int editRow(Page page) const { return pages_[page].row; }
    int editColumn(Page page) const { return pages_[page].column; }
    bool editorOpen(Page page) const { return pages_[page].editorOpen; }
    bool chooserOpen(Page page) const { return pages_[page].chooserOpen; }
    // The text of the open in-place editor, as typed.
    const std::string& editorText(Page page) const { return pages_[page].editorText; }
    void SetEditorText(Page page, const std::string& text) { pages_[page].editorText = text; }
    // The entries of the open chooser and the one matching the cell (-1 for none).
    std::vector<std::string> ChooserEntries(Page page) const;
    int ChooserSelection(Page page) const;
    // The user picked an entry of the open chooser: the cell takes it. Closing the chooser
    // without a pick leaves the cell as it was.
    void ChooseEntry(Page page, int index);
    // Commits the open editor (validated) or closes the chooser; applies the row rules.
    void CommitEdit(Page page);

    // Empties the row under edit (the editor's text is dropped); then the default code rule.
    // Deleting an encode entry re-points the decode answers that named it.
    void DeleteRow(Page page);
    // Empties every entry of the page's grid and gives entry 1 the default code.
    void DeleteAll(Page page);

    // ---- the same edits by entry, as the command line applies them ----
    // Validates and stores one frame as a commit of the editor would (messages included);
    // false when the cell is grey.
    bool SetFrame(Page page, int entry, int frame, const std::string& text);
    bool SetFlag(int entry, int frame, bool on);
    // answer 0 or an encode entry that has a code; false when the chooser would not offer it.
    bool SetAnswer(int entry, int answer);
    bool SetAlert(int entry, int alert);
    // Puts the default code into entry 1 when no entry of the grid has a frame-1 code.
    void RestoreDefaultCode(Page page);

    // Frame validation: trimmed, upper-cased, 5..8 digits 0-9 and A-F. Returns the text to
    // keep ("" after a bad code) and the message shown (0 for none).
    static std::string ValidateFrame(const std::string& text, int* messageText);
    // The 16 bytes of an entry as hex text.
    static std::string PackEncode(const EncodeEntry& entry);
    static std::string PackDecode(const DecodeEntry& entry);
    static EncodeEntry UnpackEncode(const std::string& hex32);
    static DecodeEntry UnpackDecode(const std::string& hex32);

  private:
    struct PageState {
        int row = -1, column = -1;
        bool editorOpen = false, chooserOpen = false;
        std::string editorText;
    };
    std::string Text(int number) const { return texts_.GetText(number); }
    std::string* FrameCell(Page page, int entry, int frame);
    // Frame 1 or 2 changed on an entry: the row rules, and for an encode entry that lost its
    // code, the decode answers that named it.
    void ApplyRowRules(Page page, int entry, bool repoint);
    void Repoint(int lostEntry);
    int HighestCodedEncodeEntry() const;
    void CloseEditing(Page page);

    CodeplugImage& image_;
    const TextCatalogue& texts_;
    Messages& messages_;
    std::string times_[kTimeFieldCount];
    bool editingTime_[kTimeFieldCount] = {};
    int delay2Code_ = 0, delay3Code_ = 0;
    bool sideTone_ = false, clearAutoAnswer_ = false;
    std::string waitTime_ = "0";
    bool editingWaitTime_ = false;
    int decodeNumber_ = -1;
    int autoReset_ = 0;
    Box litBox_ = kNoBox;
    std::vector<EncodeEntry> encode_;
    std::vector<DecodeEntry> decode_;
    PageState pages_[2];
};

}  // namespace vgr47
