// The channel dialog without widgets: the value, items and enabled state of every control,
// the enable rules, the lists rebuilt from the signalling tables, the moves between channels,
// and the write of the channel's records after every change. The Qt dialog only mirrors
// this state and forwards the user's actions.
#pragma once

#include <string>
#include <vector>

#include "core/codeplug_image.h"
#include "core/text_catalogue.h"
#include "editors/channels/channel_model.h"

namespace vgr47 {

struct DlgCheck {
    bool checked = false;
    bool enabled = false;
};

struct DlgEdit {
    std::string text;
    bool enabled = false;
};

struct DlgList {
    std::vector<std::string> items;
    int index = -1;  // -1 = no selection
    bool enabled = false;

    bool hasSelection() const { return index >= 0 && index < static_cast<int>(items.size()); }
    std::string text() const {
        return hasSelection() ? items[static_cast<std::size_t>(index)] : std::string();
    }
};

// Every control of the dialog. The signalling controls count on signalling models only, the
// busy-lock check box on the other models only.
struct ChannelDlgState {
    std::string channelText;
    DlgCheck channelOn;
    DlgCheck txOn;
    DlgEdit rx, tx;
    DlgList decodeTone, encodeTone;
    DlgCheck busyLock;
    DlgList busyLockMode;
    DlgCheck compander, scan, wide, tailElimination;
    DlgCheck relationAnd, relationOr;
    DlgList signallingType, decodeNumber, pttIdType, pttIdMode;
    DlgList txStartCode, txEndCode, call1Code, call2Code;
    DlgCheck txWithoutDecode, signallingSwitchable;
    bool saveAsDefaultEnabled = false;
};

class ChannelDlgModel {
  public:
    // List positions of the optional-signalling type, PTT-ID type and PTT-ID mode lists.
    enum SignallingType { kTypeNone, kTypeFiveTone, kTypeTwoTone, kTypeDtmf };
    enum PttIdType { kPttNone, kPttFiveTone, kPttDtmf };
    enum PttIdMode { kModeOff, kModeTxStart, kModeTxEnd, kModeBoth };
    enum class CodeList { TxStart, TxEnd, Call1, Call2 };

    // The code tables are read from the image; the grid rows and records go through channels.
    ChannelDlgModel(ChannelModel& channels, CodeplugImage& image, const TextCatalogue& texts);

    bool signalling() const { return channels_.signalling(); }
    const ChannelModel& channels() const { return channels_; }
    const TextCatalogue& texts() const { return texts_; }
    const ChannelDlgState& state() const { return state_; }
    // The grid row (and record number) being edited: 1..99, 100 = A, 101 = B.
    int row() const { return row_; }
    // The names the spin steps through: "1".."99", then "A" and "B" on models without signalling.
    std::vector<std::string> ChannelNames() const;

    // Loads the controls from a grid row.
    void Open(int row);
    // The channel-number field was typed into: moves to the channel it names, the field showing
    // the corrected name. An empty field stays as it is.
    void TypeChannel(const std::string& text);
    // The spin: steps through the names, wrapping around at both ends.
    void StepChannel(int steps);

    // Edit fields, applied when the user leaves them.
    void EditRx(const std::string& text);
    void EditTx(const std::string& text);
    // One line on what the last frequency edit changed in the typed value (moved into the
    // band or onto the channel raster); "" when it was kept as typed.
    const std::string& frequencyNote() const { return frequencyNote_; }
    void SetChannelOn(bool on);
    void SetTxOn(bool on);
    void SelectDecodeTone(int index);
    void SelectEncodeTone(int index);
    void SetBusyLock(bool on);
    void SelectBusyLockMode(int index);
    void SetCompander(bool on);
    void SetScan(bool on);
    void SetWide(bool on);
    void SetTailElimination(bool on);
    void SetRelationAnd(bool isAnd);
    void SelectSignallingType(int index);
    void SelectDecodeNumber(int index);
    void SelectPttIdType(int index);
    void SelectPttIdMode(int index);
    void SelectCode(CodeList list, int index);
    void SelectTxStartCode(int index) { SelectCode(CodeList::TxStart, index); }
    void SelectTxEndCode(int index) { SelectCode(CodeList::TxEnd, index); }
    void SelectCall1Code(int index) { SelectCode(CodeList::Call1, index); }
    void SelectCall2Code(int index) { SelectCode(CodeList::Call2, index); }
    void SetTxWithoutDecode(bool on);
    void SetSignallingSwitchable(bool on);

    // The current values become the values a channel gets when it is switched on.
    void SaveAsDefault();
    // Empties every channel (the caller has asked the user).
    void DeleteAllChannels();

    // The channel as the controls stand.
    ChannelValues Values() const;

  private:
    std::string Text(int number) const { return texts_.GetText(number); }
    void MoveTo(int row);
    void LoadFromRow();
    void ApplyDefaults();
    void ClearAll();
    void ApplyEnableRules();
    void RebuildBusyLockModes();
    // The list position of a stored busy-lock mode and back, as the list was last built; -1
    // where the list does not offer it.
    int BusyLockIndexOfMode(int mode) const;
    int BusyLockModeOfIndex(int index) const;
    void RebuildDecodeNumbers();
    void RebuildCodeLists();
    void RebuildPttIdCodeLists();
    void RebuildCallCodeLists();
    std::vector<std::string> CodeItems(int table) const;
    std::vector<DlgList*> AllLists();
    std::vector<DlgCheck*> AllChecks();
    void Write();
    void WriteAndCleanUp();
    std::string KeptFrequency(const std::string& typed);

    ChannelModel& channels_;
    CodeplugImage& image_;
    const TextCatalogue& texts_;
    ChannelDlgState state_;
    int row_ = 1;
    // Whether the busy-lock list offers the tone entry and the optional-signalling entry.
    bool busyLockTone_ = false, busyLockOptional_ = false;
    std::string frequencyNote_;
};

}  // namespace vgr47
