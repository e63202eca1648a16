#include <algorithm>

#include "core/codeplug_lib.h"
#include "core/text_ids.h"
#include "editors/channels/channel_line_fields.h"

namespace vgr47 {

namespace {

using C = ChannelModel;
using Code = ChannelDlgModel::CodeList;

const char* const kNotInList = "is not in the list";
const char* const kDisabled = "cannot be changed now";

int IndexOf(const DlgList& list, const std::string& text) {
    auto it = std::find(list.items.begin(), list.items.end(), text);
    return it == list.items.end() ? -1 : static_cast<int>(it - list.items.begin());
}

// A list choice: the value must be an entry, and the list open unless it already shows it.
template <class Select>
std::optional<std::string> ChooseIn(const DlgList& list, const std::string& value, Select select) {
    if (list.text() == value) return std::nullopt;
    const int index = IndexOf(list, value);
    if (index < 0) return std::string(kNotInList);
    if (!list.enabled) return std::string(kDisabled);
    select(index);
    return std::nullopt;
}

// A check shown as one of two texts.
template <class Tick>
std::optional<std::string> TickAs(const DlgCheck& check, const std::string& value,
                                  const std::string& onText, const std::string& offText,
                                  Tick tick) {
    if (value != onText && value != offText) return "is neither " + onText + " nor " + offText;
    const bool on = value == onText;
    if (check.checked == on) return std::nullopt;
    if (!check.enabled) return std::string(kDisabled);
    tick(on);
    return std::nullopt;
}

std::optional<std::string> Frequency(ChannelDlgModel& dialog, const ChannelModel& channels,
                                     const std::string& value, bool rx) {
    ChannelModel::FrequencyChange change = ChannelModel::FrequencyChange::None;
    const std::string kept = TrimText(channels.NormaliseFrequency(value, &change));
    if (rx && kept.empty())
        return std::string("is empty; switch the channel off with channel.<number> = off");
    if (!kept.empty() && change == ChannelModel::FrequencyChange::Clamped)
        return std::string("is outside the band");
    const DlgEdit& edit = rx ? dialog.state().rx : dialog.state().tx;
    if (TrimText(edit.text) == kept) return std::nullopt;
    if (rx) {
        dialog.EditRx(value);
    } else if (kept.empty()) {
        dialog.SetTxOn(false);
    } else {
        if (!dialog.state().txOn.checked) dialog.SetTxOn(true);
        dialog.EditTx(value);
    }
    return std::nullopt;
}

}  // namespace

const std::vector<ChannelLineField>& ChannelLineFields() {
    static const std::vector<ChannelLineField> fields = {
        {"rx", C::kColRx},
        {"tx", C::kColTx},
        {"rx_tone", C::kColDecodeTone},
        {"tx_tone", C::kColEncodeTone},
        {"compander", C::kColCompander},
        {"scan", C::kColScan},
        {"bandwidth", C::kColBandwidth},
        {"tail_elimination", C::kColTailElimination},
        {"signalling_type", C::kColSignallingType},
        {"decode_number", C::kColDecodeNumber},
        {"relation", C::kColRelation},
        // Its list offers "optional signalling" only once a signalling type is chosen.
        {"busy_lock", C::kColBusyLock},
        {"ptt_id_type", C::kColPttIdType},
        {"ptt_id_mode", C::kColPttIdMode},
        {"tx_start_code", C::kColTxStartCode},
        {"tx_end_code", C::kColTxEndCode},
        {"call1_code", C::kColCall1Code},
        {"call2_code", C::kColCall2Code},
        {"tx_without_decode", C::kColTxWithoutDecode},
        {"signalling_switchable", C::kColSignallingSwitchable},
    };
    return fields;
}

std::string ChannelLineValue(const ChannelModel& channels, int row, const ChannelLineField& field) {
    return channels.CellText(row, field.column);
}

std::optional<std::string> ApplyChannelLineValue(ChannelDlgModel& dialog,
                                                 const ChannelModel& channels,
                                                 const TextCatalogue& texts,
                                                 const ChannelLineField& field,
                                                 const std::string& value) {
    const ChannelDlgState& s = dialog.state();
    const std::string on = texts.GetText(kTextOn), off = texts.GetText(kTextOff);
    auto check = [&](const DlgCheck& c, void (ChannelDlgModel::*tick)(bool)) {
        return TickAs(c, value, on, off, [&](bool v) { (dialog.*tick)(v); });
    };
    auto list = [&](const DlgList& l, void (ChannelDlgModel::*select)(int)) {
        return ChooseIn(l, value, [&](int i) { (dialog.*select)(i); });
    };
    auto code = [&](const DlgList& l, Code which) {
        // A list the dialog has closed shows nothing in the grid.
        if (value.empty() && !l.enabled) return std::optional<std::string>();
        return ChooseIn(l, value, [&](int i) { dialog.SelectCode(which, i); });
    };
    switch (field.column) {
        case C::kColRx:
            return Frequency(dialog, channels, value, true);
        case C::kColTx:
            return Frequency(dialog, channels, value, false);
        case C::kColDecodeTone:
            return list(s.decodeTone, &ChannelDlgModel::SelectDecodeTone);
        case C::kColEncodeTone:
            if (value.empty() && !s.txOn.checked) return std::nullopt;
            return list(s.encodeTone, &ChannelDlgModel::SelectEncodeTone);
        case C::kColBusyLock:
            if (dialog.signalling())
                return list(s.busyLockMode, &ChannelDlgModel::SelectBusyLockMode);
            return check(s.busyLock, &ChannelDlgModel::SetBusyLock);
        case C::kColCompander:
            return check(s.compander, &ChannelDlgModel::SetCompander);
        case C::kColScan:
            return check(s.scan, &ChannelDlgModel::SetScan);
        case C::kColBandwidth:
            return TickAs(s.wide, value, texts.GetText(kTextWide), texts.GetText(kTextNarrow),
                          [&](bool v) { dialog.SetWide(v); });
        case C::kColTailElimination:
            return check(s.tailElimination, &ChannelDlgModel::SetTailElimination);
        case C::kColSignallingType:
            return list(s.signallingType, &ChannelDlgModel::SelectSignallingType);
        case C::kColDecodeNumber:
            if (value.empty() && !s.decodeNumber.enabled) return std::nullopt;
            return list(s.decodeNumber, &ChannelDlgModel::SelectDecodeNumber);
        case C::kColRelation:
            // Hidden while the channel has no optional signalling; the stored choice stays.
            if (value.empty() && !s.relationAnd.enabled) return std::nullopt;
            return TickAs(s.relationAnd, value, texts.GetText(kTextAnd), texts.GetText(kTextOr),
                          [&](bool v) { dialog.SetRelationAnd(v); });
        case C::kColPttIdType:
            return list(s.pttIdType, &ChannelDlgModel::SelectPttIdType);
        case C::kColPttIdMode:
            if (value.empty() && !s.pttIdMode.enabled) return std::nullopt;
            return list(s.pttIdMode, &ChannelDlgModel::SelectPttIdMode);
        case C::kColTxStartCode:
            return code(s.txStartCode, Code::TxStart);
        case C::kColTxEndCode:
            return code(s.txEndCode, Code::TxEnd);
        case C::kColCall1Code:
            return code(s.call1Code, Code::Call1);
        case C::kColCall2Code:
            return code(s.call2Code, Code::Call2);
        case C::kColTxWithoutDecode:
            return check(s.txWithoutDecode, &ChannelDlgModel::SetTxWithoutDecode);
        case C::kColSignallingSwitchable:
            return check(s.signallingSwitchable, &ChannelDlgModel::SetSignallingSwitchable);
        default:
            return std::string("is not a channel field");
    }
}

}  // namespace vgr47
