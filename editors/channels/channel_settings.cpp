#include "editors/channels/channel_settings.h"

#include <algorithm>

#include "core/codeplug_lib.h"
#include "core/layout/fields.h"
#include "core/text_ids.h"

namespace vgr47 {

namespace {

namespace f = layout::fields;
using C = ChannelModel;
using M = ChannelDlgModel;
using S = ChannelDlgState;

const char* const kNotInList = "is not in the list";
const char* const kDisabled = "cannot be changed now";

// ---- the words of a line ----

ChannelControl FrequencyEdit(DlgEdit S::*edit, void (M::*type)(const std::string&)) {
    ChannelControl c;
    c.shown = ChannelShown::Frequency;
    c.edit = edit;
    c.type = type;
    return c;
}

ChannelControl Entries(DlgList S::*list, void (M::*select)(int)) {
    ChannelControl c;
    c.shown = ChannelShown::Entry;
    c.list = list;
    c.select = select;
    return c;
}

ChannelControl Either(DlgCheck S::*check, void (M::*tick)(bool), int checkedText,
                      int uncheckedText) {
    ChannelControl c;
    c.shown = ChannelShown::TwoTexts;
    c.check = check;
    c.tick = tick;
    c.checkedText = checkedText;
    c.uncheckedText = uncheckedText;
    return c;
}

ChannelControl OnOff(DlgCheck S::*check, void (M::*tick)(bool)) {
    return Either(check, tick, kTextOn, kTextOff);
}

ChannelSetting Line(const char* key, int column, std::vector<const layout::Field*> fields,
                    ChannelControl control) {
    ChannelSetting s;
    s.key = key;
    s.column = column;
    s.fields = std::move(fields);
    s.control = control;
    return s;
}

// ---- the generic apply ----

int IndexOf(const DlgList& list, const std::string& text) {
    auto it = std::find(list.items.begin(), list.items.end(), text);
    return it == list.items.end() ? -1 : static_cast<int>(it - list.items.begin());
}

// A list choice: the value must be an entry, and the list open unless it already shows it.
std::optional<std::string> Choose(ChannelDlgModel& dialog, const ChannelControl& c,
                                  const std::string& value) {
    const DlgList& list = dialog.state().*c.list;
    if (list.text() == value) return std::nullopt;
    const int index = IndexOf(list, value);
    if (index < 0) return std::string(kNotInList);
    if (!list.enabled) return std::string(kDisabled);
    (dialog.*c.select)(index);
    return std::nullopt;
}

// A check shown as one of two texts.
std::optional<std::string> Tick(ChannelDlgModel& dialog, const ChannelControl& c,
                                const std::string& value) {
    const std::string checkedText = dialog.texts().GetText(c.checkedText);
    const std::string uncheckedText = dialog.texts().GetText(c.uncheckedText);
    if (value != checkedText && value != uncheckedText)
        return "is neither " + checkedText + " nor " + uncheckedText;
    const DlgCheck& check = dialog.state().*c.check;
    const bool on = value == checkedText;
    if (check.checked == on) return std::nullopt;
    if (!check.enabled) return std::string(kDisabled);
    (dialog.*c.tick)(on);
    return std::nullopt;
}

std::optional<std::string> Type(ChannelDlgModel& dialog, const ChannelControl& c, ChannelRule rule,
                                const std::string& value) {
    ChannelModel::FrequencyChange change = ChannelModel::FrequencyChange::None;
    const std::string kept = TrimText(dialog.channels().NormaliseFrequency(value, &change));
    if (kept.empty() && rule == ChannelRule::EmptyRefused)
        return std::string("is empty; switch the channel off with channel.<number> = off");
    if (!kept.empty() && change == ChannelModel::FrequencyChange::Clamped)
        return std::string("is outside the band");
    if (TrimText((dialog.state().*c.edit).text) == kept) return std::nullopt;
    if (rule == ChannelRule::EmptySwitchesTxOff) {
        if (kept.empty()) {
            dialog.SetTxOn(false);
            return std::nullopt;
        }
        if (!dialog.state().txOn.checked) dialog.SetTxOn(true);
    }
    (dialog.*c.type)(value);
    return std::nullopt;
}

}  // namespace

bool ChannelControl::Enabled(const ChannelDlgState& s) const {
    switch (shown) {
        case ChannelShown::Frequency:
            return (s.*edit).enabled;
        case ChannelShown::Entry:
            return (s.*list).enabled;
        case ChannelShown::TwoTexts:
            return (s.*check).enabled;
    }
    return false;
}

std::vector<const layout::Field*> ChannelSetting::FieldsOn(bool signalling) const {
    std::vector<const layout::Field*> out;
    for (const layout::Field* field : fields)
        if (layout::ExistsOn(field->models, signalling)) out.push_back(field);
    return out;
}

ChannelSetting ChannelSetting::Follows(ChannelRule r) const {
    ChannelSetting copy = *this;
    copy.rule = r;
    return copy;
}

ChannelSetting ChannelSetting::OnSignallingModels(ChannelControl c) const {
    ChannelSetting copy = *this;
    copy.signallingControl = c;
    return copy;
}

const std::vector<ChannelSetting>& ChannelSettings() {
    using R = ChannelRule;
    static const std::vector<ChannelSetting> settings = {
        Line("rx", C::kColRx, {&f::kChannelRxFrequency}, FrequencyEdit(&S::rx, &M::EditRx))
            .Follows(R::EmptyRefused),
        Line("tx", C::kColTx, {&f::kChannelTxFrequency}, FrequencyEdit(&S::tx, &M::EditTx))
            .Follows(R::EmptySwitchesTxOff),
        Line("rx_tone", C::kColDecodeTone, {&f::kChannelDecodeTone},
             Entries(&S::decodeTone, &M::SelectDecodeTone)),
        Line("tx_tone", C::kColEncodeTone, {&f::kChannelEncodeTone},
             Entries(&S::encodeTone, &M::SelectEncodeTone))
            .Follows(R::EmptyWhileTxOff),
        Line("compander", C::kColCompander, {&f::kChannelCompander},
             OnOff(&S::compander, &M::SetCompander)),
        Line("scan", C::kColScan, {&f::kChannelScan}, OnOff(&S::scan, &M::SetScan)),
        Line("bandwidth", C::kColBandwidth, {&f::kChannelWide, &f::kChannelBandwidth},
             Either(&S::wide, &M::SetWide, kTextWide, kTextNarrow)),
        Line("tail_elimination", C::kColTailElimination, {&f::kChannelTailElimination},
             OnOff(&S::tailElimination, &M::SetTailElimination)),
        Line("signalling_type", C::kColSignallingType, {&f::kChannelOptionalSignalling},
             Entries(&S::signallingType, &M::SelectSignallingType)),
        Line("decode_number", C::kColDecodeNumber, {&f::kChannelOptionalSignalling},
             Entries(&S::decodeNumber, &M::SelectDecodeNumber))
            .Follows(R::EmptyWhenClosed),
        // Hidden while the channel has no optional signalling; the stored choice stays.
        Line("relation", C::kColRelation, {&f::kChannelRelationAnd},
             Either(&S::relationAnd, &M::SetRelationAnd, kTextAnd, kTextOr))
            .Follows(R::EmptyWhenClosed),
        // Its list offers "optional signalling" only once a signalling type is chosen.
        Line("busy_lock", C::kColBusyLock, {&f::kChannelBusyLock, &f::kChannelBusyLockMode},
             OnOff(&S::busyLock, &M::SetBusyLock))
            .OnSignallingModels(Entries(&S::busyLockMode, &M::SelectBusyLockMode)),
        Line("ptt_id_type", C::kColPttIdType, {&f::kChannelPttIdType},
             Entries(&S::pttIdType, &M::SelectPttIdType)),
        Line("ptt_id_mode", C::kColPttIdMode, {&f::kChannelPttIdMode},
             Entries(&S::pttIdMode, &M::SelectPttIdMode))
            .Follows(R::EmptyWhenClosed),
        Line("tx_start_code", C::kColTxStartCode, {&f::kChannelTxStartCode},
             Entries(&S::txStartCode, &M::SelectTxStartCode))
            .Follows(R::EmptyWhenClosed),
        Line("tx_end_code", C::kColTxEndCode, {&f::kChannelTxEndCode},
             Entries(&S::txEndCode, &M::SelectTxEndCode))
            .Follows(R::EmptyWhenClosed),
        Line("call1_code", C::kColCall1Code, {&f::kChannelCall1Code},
             Entries(&S::call1Code, &M::SelectCall1Code))
            .Follows(R::EmptyWhenClosed),
        Line("call2_code", C::kColCall2Code, {&f::kChannelCall2Code},
             Entries(&S::call2Code, &M::SelectCall2Code))
            .Follows(R::EmptyWhenClosed),
        Line("tx_without_decode", C::kColTxWithoutDecode, {&f::kChannelTxWithoutDecode},
             OnOff(&S::txWithoutDecode, &M::SetTxWithoutDecode)),
        Line("signalling_switchable", C::kColSignallingSwitchable,
             {&f::kChannelSignallingSwitchable},
             OnOff(&S::signallingSwitchable, &M::SetSignallingSwitchable)),
    };
    return settings;
}

const ChannelSetting* FindChannelSetting(const std::string& key) {
    for (const ChannelSetting& s : ChannelSettings())
        if (key == s.key) return &s;
    return nullptr;
}

std::string ChannelSettingValue(const ChannelModel& channels, int row,
                                const ChannelSetting& setting) {
    return channels.CellText(row, setting.column);
}

std::optional<std::string> ApplyChannelSetting(ChannelDlgModel& dialog,
                                               const ChannelSetting& setting,
                                               const std::string& value) {
    const ChannelDlgState& s = dialog.state();
    const ChannelControl& c = setting.ControlOn(dialog.signalling());
    // A closed code list still shows the code byte the dialog wrote for it ("Off"); the channel
    // lines of a dump give that back.
    if (setting.rule == ChannelRule::EmptyWhenClosed && !c.Enabled(s) &&
        (value.empty() || value == ChannelSettingValue(dialog.channels(), dialog.row(), setting)))
        return std::nullopt;
    if (setting.rule == ChannelRule::EmptyWhileTxOff && value.empty() && !s.txOn.checked)
        return std::nullopt;
    switch (c.shown) {
        case ChannelShown::Frequency:
            return Type(dialog, c, setting.rule, value);
        case ChannelShown::Entry:
            return Choose(dialog, c, value);
        case ChannelShown::TwoTexts:
            return Tick(dialog, c, value);
    }
    return std::string("is not a channel field");
}

}  // namespace vgr47
