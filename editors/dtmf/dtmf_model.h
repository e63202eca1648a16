// The DTMF form without widgets: its eleven lists, the kill code, the DTMF code and digit
// code lists with their in-place cell editors, and the reading and OK writing of the image.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/codeplug_image.h"
#include "core/messages.h"
#include "core/text_catalogue.h"
#include "editors/common/settings_description.h"

namespace vgr47 {

class DtmfModel {
  public:
    enum List {
        kRate = 0,
        kFirstDigitTime,
        kFirstDigitDelay,
        kStarHashTone,
        kDKey,
        kSideTone,
        kGroupCall,
        kAutoReset,
        kCallAlert,
        kAutoAnswer,
        kClearAutoAnswer,
        kListCount
    };
    // The two code lists: page 3 (DTMF codes) and page 4 (digit codes).
    enum CodeList { kDtmfCodes = 0, kDigitCodes = 1 };

    static constexpr int kCodeCount = 8;
    static constexpr int kCodeLimit = 16;       // characters of a DTMF code
    static constexpr int kDigitCodeLimit = 10;  // characters of a digit code
    static constexpr int kKillCodeLimit = 10;
    static constexpr const char* kDefaultDigitCode = "12345";

    // A validated entry: the text to keep, and the message number shown for a bad
    // character (0 when there was none).
    struct Checked {
        std::string text;
        int message = 0;
    };
    // The rules of a grid entry when its editor is committed: trimmed, upper case, only the
    // characters of the list; a digit code of fewer than 3 digits becomes "000".
    static Checked CheckCode(CodeList list, const std::string& typed);
    // The rules of the kill code on leaving its field: empty stays empty, 1 or 2 characters
    // become "000", more than 10 are cut to 10, a bad character empties it.
    static Checked CheckKillCode(const std::string& typed);

    // Each list's, the kill code's and each code's field and rules (dtmf_settings.cpp).
    static const settings::Description<DtmfModel>& Settings();

    // Whether the image holds the whole DTMF region (a short image from a basic radio does not).
    static bool Available(const CodeplugImage& image);

    // Reads the image at construction.
    DtmfModel(CodeplugImage& image, const TextCatalogue& texts, Messages& messages);

    const std::vector<std::string>& Entries(List list) const { return entries_[list]; }
    int Selected(List list) const { return selected_[list]; }
    // An index outside the list is ignored.
    void Select(List list, int index);

    const std::string& killCode() const { return killCode_; }
    // The field's text as typed; a text other than the field's marks the code as edited, and
    // LeaveKillCode() applies the rules to an edited code only. A stored code the user never
    // edited is written back exactly as read, whatever the rules would make of it.
    void SetKillCode(const std::string& text);
    void LeaveKillCode();
    bool killCodeEdited() const { return killCodeEdited_; }

    // entry 0..7
    const std::string& Code(CodeList list, int entry) const;
    // Sets a code as a committed editor would store it, without the rules (reading, loading).
    void SetCode(CodeList list, int entry, const std::string& text);

    // The in-place editor of a grid: the row under edit (1..8, 0 = none) and its text.
    int EditingRow(CodeList list) const { return editRow_[list]; }
    const std::string& EditText(CodeList list) const { return editText_[list]; }
    void SetEditText(CodeList list, const std::string& text) { editText_[list] = text; }
    // A click on a data row: commits the cell being edited, then edits the clicked one.
    // Clicking the cell already under edit does nothing. Returns the row under edit.
    int ClickRow(CodeList list, int row);
    // Checks and stores the editor's text in its cell and closes the editor (tab change, OK).
    void CommitEdit(CodeList list);
    // Empties the list and puts the default code into entry 1 (after the user confirmed).
    void DeleteAll(CodeList list);

    // OK: commits both editors and an edited kill code, then writes every field. False when
    // the image does not hold the DTMF region (nothing is written then).
    bool Apply();

  private:
    void Read();
    void FillLists();
    std::string Text(int number) const { return texts_.GetText(number); }

    CodeplugImage& image_;
    const TextCatalogue& texts_;
    Messages& messages_;
    std::array<std::vector<std::string>, kListCount> entries_;
    std::array<int, kListCount> selected_{};
    std::string killCode_;
    bool killCodeEdited_ = false;
    std::array<std::array<std::string, kCodeCount>, 2> codes_;
    std::array<int, 2> editRow_{};
    std::array<std::string, 2> editText_;
};

}  // namespace vgr47
