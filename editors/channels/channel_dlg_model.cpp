#include "editors/channels/channel_dlg_model.h"

#include <algorithm>

#include "core/codeplug_lib.h"
#include "core/memory_map.h"
#include "core/text_ids.h"

namespace vgr47 {

namespace {

// Busy-lock mode 2 has no catalogue text; it reads the same in every language.
const char* const kBusyLockToneText = "QT/DQT";

// The tables a code list can offer.
enum CodeTable { kNoTable, kFiveToneCodes, kTwoToneCodes, kDtmfMemories };

constexpr int kTwoToneDecodeCount = 4;
// Flags A of a channel record and its AND bit.
constexpr int kFlagsAByte = 12;
constexpr int kRelationAndBit = 0x40;
// A 5-tone decode entry counts as programmed when any of these leading bytes is set.
constexpr int kFiveToneDecodeUsedBytes = 13;
constexpr int kFiveToneCodeUsedBytes = 4;
constexpr int kTwoToneCodeUsedBytes = 2;

void SelectText(DlgList& list, const std::string& text) {
    auto it = std::find(list.items.begin(), list.items.end(), text);
    list.index = it == list.items.end() ? -1 : static_cast<int>(it - list.items.begin());
}

void SelectIndex(DlgList& list, int index) {
    list.index = index >= 0 && index < static_cast<int>(list.items.size()) ? index : -1;
}

// New items; the previous position stays selected when it still exists.
void Rebuild(DlgList& list, std::vector<std::string> items) {
    int previous = list.index;
    list.items = std::move(items);
    SelectIndex(list, previous);
}

void Clear(DlgList& list) {
    list.index = -1;
    list.enabled = false;
}

void Enable(DlgList& list) {
    list.enabled = true;
    if (!list.hasSelection() && !list.items.empty()) list.index = 0;
}

void DisableAndUncheck(DlgCheck& check) { check = DlgCheck{}; }

}  // namespace

ChannelDlgModel::ChannelDlgModel(ChannelModel& channels, CodeplugImage& image,
                                 const TextCatalogue& texts)
    : channels_(channels), image_(image), texts_(texts) {
    state_.decodeTone.items = channels_.toneList();
    state_.encodeTone.items = channels_.toneList();
    state_.signallingType.items = {Text(kTextNone), Text(kTextFiveTone), Text(kTextTwoTone),
                                   Text(kTextDtmf)};
    state_.pttIdType.items = {Text(kTextOffEntry), Text(kTextFiveTone), Text(kTextDtmf)};
    state_.pttIdMode.items = {Text(kTextOffEntry), Text(kTextTxStart), Text(kTextTxEnd),
                              Text(kTextTxStartAndEnd)};
}

std::vector<std::string> ChannelDlgModel::ChannelNames() const {
    std::vector<std::string> names;
    for (int row = 1; row < channels_.Rows(); ++row) names.push_back(channels_.RowName(row));
    return names;
}

void ChannelDlgModel::Open(int row) { MoveTo(row); }

void ChannelDlgModel::MoveTo(int row) {
    row_ = std::clamp(row, 1, channels_.Rows() - 1);
    state_.channelText = channels_.RowName(row_);
    LoadFromRow();
}

void ChannelDlgModel::TypeChannel(const std::string& text) {
    // While the user clears the field to type another number there is nothing to move to.
    if (TrimText(text).empty()) {
        state_.channelText = text;
        return;
    }
    MoveTo(channels_.RowForChannelText(text));
}

void ChannelDlgModel::StepChannel(int steps) {
    const int count = channels_.Rows() - 1;
    int position = ((row_ - 1 + steps) % count + count) % count;
    MoveTo(position + 1);
}

void ChannelDlgModel::LoadFromRow() {
    using C = ChannelModel;
    ChannelDlgState& s = state_;
    auto cell = [&](int column) { return channels_.CellText(row_, column); };
    auto set = [&](int column) { return channels_.IsSet(row_, column); };

    s.rx.text = cell(C::kColRx);
    s.tx.text = cell(C::kColTx);
    SelectText(s.decodeTone, cell(C::kColDecodeTone));
    SelectText(s.encodeTone, cell(C::kColEncodeTone));
    s.busyLock.checked = !signalling() && set(C::kColBusyLock);
    s.compander.checked = set(C::kColCompander);
    s.scan.checked = set(C::kColScan);
    s.wide.checked = set(C::kColBandwidth);
    s.tailElimination.checked = set(C::kColTailElimination);
    if (signalling()) {
        s.relationAnd.checked = set(C::kColRelation);
        // The grid hides the relation of a channel without signalling; the stored bit stays
        // as it is rather than turning into OR with the next change of the channel.
        if (cell(C::kColRelation).empty()) {
            std::string flags = image_.ReadBytes(mem::ChannelRecordAddress(row_) + kFlagsAByte, 1);
            s.relationAnd.checked = flags.size() == 2 && (HexToInt(flags) & kRelationAndBit) != 0;
        }
        s.relationOr.checked = !s.relationAnd.checked;
        SelectText(s.signallingType, cell(C::kColSignallingType));
        RebuildDecodeNumbers();
        SelectText(s.decodeNumber, cell(C::kColDecodeNumber));
        SelectText(s.pttIdType, cell(C::kColPttIdType));
        SelectText(s.pttIdMode, cell(C::kColPttIdMode));
        RebuildCodeLists();
        SelectText(s.txStartCode, cell(C::kColTxStartCode));
        SelectText(s.txEndCode, cell(C::kColTxEndCode));
        SelectText(s.call1Code, cell(C::kColCall1Code));
        SelectText(s.call2Code, cell(C::kColCall2Code));
        s.txWithoutDecode.checked = set(C::kColTxWithoutDecode);
        s.signallingSwitchable.checked = set(C::kColSignallingSwitchable);
        RebuildBusyLockModes();
        SelectIndex(s.busyLockMode, BusyLockIndexOfMode(channels_.BusyLockMode(row_)));
    }
    ApplyEnableRules();
}

void ChannelDlgModel::ApplyDefaults() {
    const ChannelValues& d = channels_.defaults();
    ChannelDlgState& s = state_;
    s.rx.text = d.rx;
    s.tx.text = d.tx;
    SelectText(s.decodeTone, d.decodeTone);
    SelectText(s.encodeTone, d.encodeTone);
    s.busyLock.checked = d.busyLock;
    s.compander.checked = d.compander;
    s.scan.checked = d.scan;
    s.wide.checked = d.wide;
    s.tailElimination.checked = d.tailElimination;
    s.relationAnd.checked = d.relationAnd;
    s.relationOr.checked = !d.relationAnd;
    s.txWithoutDecode.checked = d.txWithoutDecode;
    s.signallingSwitchable.checked = d.signallingSwitchable;
    if (!signalling()) return;
    SelectIndex(s.signallingType, d.signallingType);
    RebuildDecodeNumbers();
    SelectText(s.decodeNumber, d.decodeNumber > 0 ? std::to_string(d.decodeNumber) : "");
    SelectIndex(s.pttIdType, d.pttIdType);
    SelectIndex(s.pttIdMode, d.pttIdMode);
    RebuildCodeLists();
    SelectText(s.txStartCode, d.txStartCode);
    SelectText(s.txEndCode, d.txEndCode);
    SelectText(s.call1Code, d.call1Code);
    SelectText(s.call2Code, d.call2Code);
    RebuildBusyLockModes();
    SelectText(s.busyLockMode, d.busyLockMode);
}

std::vector<DlgList*> ChannelDlgModel::AllLists() {
    ChannelDlgState& s = state_;
    return {&s.decodeTone,   &s.encodeTone, &s.busyLockMode, &s.signallingType,
            &s.decodeNumber, &s.pttIdType,  &s.pttIdMode,    &s.txStartCode,
            &s.txEndCode,    &s.call1Code,  &s.call2Code};
}

std::vector<DlgCheck*> ChannelDlgModel::AllChecks() {
    ChannelDlgState& s = state_;
    return {&s.txOn,
            &s.busyLock,
            &s.compander,
            &s.scan,
            &s.wide,
            &s.tailElimination,
            &s.relationAnd,
            &s.relationOr,
            &s.txWithoutDecode,
            &s.signallingSwitchable};
}

void ChannelDlgModel::ClearAll() {
    ChannelDlgState& s = state_;
    s.rx.text.clear();
    s.tx = DlgEdit{};
    for (DlgList* list : AllLists()) Clear(*list);
    for (DlgCheck* check : AllChecks()) DisableAndUncheck(*check);
    s.saveAsDefaultEnabled = false;
}

void ChannelDlgModel::ApplyEnableRules() {
    ChannelDlgState& s = state_;
    s.rx.enabled = true;
    s.channelOn.enabled = true;
    s.rx.text = TrimText(s.rx.text);
    if (s.rx.text.empty()) {
        ClearAll();
        s.channelOn.checked = false;
        return;
    }
    s.channelOn.checked = true;
    s.saveAsDefaultEnabled = true;
    s.tx.enabled = true;
    for (DlgCheck* check : AllChecks()) check->enabled = true;
    Enable(s.decodeTone);

    s.tx.text = TrimText(s.tx.text);
    s.txOn.checked = !s.tx.text.empty();
    if (s.txOn.checked)
        Enable(s.encodeTone);
    else
        Clear(s.encodeTone);

    if (!signalling()) {
        for (DlgList* list :
             {&s.busyLockMode, &s.signallingType, &s.decodeNumber, &s.pttIdType, &s.pttIdMode,
              &s.txStartCode, &s.txEndCode, &s.call1Code, &s.call2Code})
            Clear(*list);
        for (DlgCheck* check :
             {&s.relationAnd, &s.relationOr, &s.txWithoutDecode, &s.signallingSwitchable})
            DisableAndUncheck(*check);
        return;
    }
    // The busy-lock mode list takes the check box's place.
    DisableAndUncheck(s.busyLock);

    Enable(s.signallingType);
    if (s.signallingType.index <= kTypeNone) {
        DisableAndUncheck(s.txWithoutDecode);
        DisableAndUncheck(s.signallingSwitchable);
        s.relationAnd.enabled = s.relationOr.enabled = false;
    }
    // Without a type there is no decode entry to choose.
    if (s.decodeNumber.items.empty())
        Clear(s.decodeNumber);
    else
        Enable(s.decodeNumber);
    Enable(s.call1Code);
    Enable(s.call2Code);

    Enable(s.pttIdType);
    if (s.pttIdType.index <= kPttNone)
        Clear(s.pttIdMode);
    else
        Enable(s.pttIdMode);
    int mode = s.pttIdMode.enabled ? s.pttIdMode.index : kModeOff;
    if (mode == kModeTxStart || mode == kModeBoth)
        Enable(s.txStartCode);
    else
        Clear(s.txStartCode);
    if (mode == kModeTxEnd || mode == kModeBoth)
        Enable(s.txEndCode);
    else
        Clear(s.txEndCode);

    // A compander distorts the signalling tones the channel sends.
    bool toneSignalling =
        s.signallingType.index == kTypeFiveTone || s.signallingType.index == kTypeTwoTone;
    bool fiveTonePttId =
        s.pttIdType.index == kPttFiveTone && ((s.txStartCode.enabled && s.txStartCode.index > 0) ||
                                              (s.txEndCode.enabled && s.txEndCode.index > 0));
    if (toneSignalling || fiveTonePttId) DisableAndUncheck(s.compander);

    RebuildBusyLockModes();
    Enable(s.busyLockMode);
}

void ChannelDlgModel::RebuildBusyLockModes() {
    DlgList& list = state_.busyLockMode;
    const int previous = BusyLockModeOfIndex(list.index);
    bool hadSelection = list.hasSelection();
    busyLockTone_ = state_.decodeTone.hasSelection() && state_.decodeTone.index > 0;
    busyLockOptional_ = state_.signallingType.index > kTypeNone;
    std::vector<std::string> items = {Text(kTextOffEntry), Text(kTextBusyLockCarrier)};
    if (busyLockTone_) items.push_back(kBusyLockToneText);
    if (busyLockOptional_) items.push_back(Text(kTextOptionalSignalling));
    list.items = std::move(items);
    SelectIndex(list, BusyLockIndexOfMode(previous));
    if (hadSelection && !list.hasSelection()) list.index = 0;
}

int ChannelDlgModel::BusyLockIndexOfMode(int mode) const {
    // Off and carrier always lead the list; the tone entry and the optional-signalling entry
    // follow only when the channel offers them.
    if (mode == 0 || mode == 1) return mode;
    if (mode == 2) return busyLockTone_ ? 2 : -1;
    return mode == 3 && busyLockOptional_ ? (busyLockTone_ ? 3 : 2) : -1;
}

int ChannelDlgModel::BusyLockModeOfIndex(int index) const {
    for (int mode = 0; index >= 0 && mode < 4; ++mode)
        if (BusyLockIndexOfMode(mode) == index) return mode;
    return -1;
}

void ChannelDlgModel::RebuildDecodeNumbers() {
    std::vector<std::string> items;
    switch (state_.signallingType.index) {
        case kTypeFiveTone:
            for (int k = 1; k <= mem::kFiveToneDecodeCount; ++k) {
                std::string head = ToUpperAscii(
                    image_.ReadBytes(mem::kFiveToneDecode + (k - 1) * mem::kFiveToneDecodeBytes,
                                     kFiveToneDecodeUsedBytes));
                if (head.size() == 2u * kFiveToneDecodeUsedBytes &&
                    head != std::string(head.size(), 'F'))
                    items.push_back(std::to_string(k));
            }
            break;
        case kTypeTwoTone:
            for (int k = 1; k <= kTwoToneDecodeCount; ++k) items.push_back(std::to_string(k));
            break;
        case kTypeDtmf:
            for (int k = 1; k <= mem::kDtmfCodeCount; ++k) {
                int address = mem::kDtmfDigitCodes + (k - 1) * mem::kDtmfCodeBytes;
                if (!HexToText(image_.ReadBytes(address, mem::kDtmfCodeBytes)).empty())
                    items.push_back(std::to_string(k));
            }
            break;
        default:
            break;
    }
    Rebuild(state_.decodeNumber, std::move(items));
}

std::vector<std::string> ChannelDlgModel::CodeItems(int table) const {
    std::vector<std::string> items = {Text(kTextOffEntry)};
    auto add = [&](const char* prefix, int base, int count, int recordBytes, int usedBytes) {
        for (int k = 1; k <= count; ++k) {
            std::string entry =
                ToUpperAscii(image_.ReadBytes(base + (k - 1) * recordBytes, usedBytes));
            if (entry.size() != 2u * usedBytes) continue;  // beyond a short image
            bool used = table == kDtmfMemories ? !HexToText(entry).empty()
                                               : entry != std::string(entry.size(), 'F') &&
                                                     (table != kTwoToneCodes ||
                                                      entry != std::string(entry.size(), '0'));
            if (used) items.push_back(prefix + std::to_string(k));
        }
    };
    switch (table) {
        case kFiveToneCodes:
            add("TX-CODE ", mem::kFiveToneEncode, mem::kFiveToneEncodeCount,
                mem::kFiveToneEncodeBytes, kFiveToneCodeUsedBytes);
            break;
        case kTwoToneCodes:
            add("TX-CODE ", mem::kTwoToneEncode, mem::kTwoToneEncodeCount, mem::kTwoToneEncodeBytes,
                kTwoToneCodeUsedBytes);
            break;
        case kDtmfMemories:
            add("DTMF-MEM ", mem::kDtmfCodes, mem::kDtmfCodeCount, mem::kDtmfCodeBytes,
                mem::kDtmfCodeBytes);
            break;
        default:
            break;
    }
    return items;
}

void ChannelDlgModel::RebuildPttIdCodeLists() {
    int table = state_.pttIdType.index == kPttFiveTone ? kFiveToneCodes
                : state_.pttIdType.index == kPttDtmf   ? kDtmfMemories
                                                       : kNoTable;
    Rebuild(state_.txStartCode, CodeItems(table));
    Rebuild(state_.txEndCode, CodeItems(table));
}

void ChannelDlgModel::RebuildCallCodeLists() {
    int table = state_.signallingType.index == kTypeFiveTone  ? kFiveToneCodes
                : state_.signallingType.index == kTypeTwoTone ? kTwoToneCodes
                : state_.signallingType.index == kTypeDtmf    ? kDtmfMemories
                                                              : kNoTable;
    Rebuild(state_.call1Code, CodeItems(table));
    Rebuild(state_.call2Code, CodeItems(table));
}

void ChannelDlgModel::RebuildCodeLists() {
    RebuildPttIdCodeLists();
    RebuildCallCodeLists();
}

ChannelValues ChannelDlgModel::Values() const {
    const ChannelDlgState& s = state_;
    ChannelValues v;
    if (!s.channelOn.checked) return v;  // an empty rx: the records are emptied
    v.rx = s.rx.text;
    v.tx = s.tx.text;
    v.decodeTone = s.decodeTone.text();
    v.encodeTone = s.encodeTone.enabled ? s.encodeTone.text() : std::string();
    v.busyLock = s.busyLock.checked;
    v.compander = s.compander.checked;
    v.scan = s.scan.checked;
    v.wide = s.wide.checked;
    v.tailElimination = s.tailElimination.checked;
    v.busyLockMode = s.busyLockMode.text();
    v.relationAnd = s.relationAnd.checked;
    v.txWithoutDecode = s.txWithoutDecode.checked;
    v.signallingSwitchable = s.signallingSwitchable.checked;
    v.signallingType = std::max(s.signallingType.index, 0);
    // The number shown, not the list position: unprogrammed entries are not offered.
    v.decodeNumber = s.decodeNumber.hasSelection() ? ParseLeadingInt(s.decodeNumber.text()) : 0;
    v.pttIdType = s.pttIdType.index;
    v.pttIdMode = s.pttIdMode.index;
    v.txStartCode = s.txStartCode.text();
    v.txEndCode = s.txEndCode.text();
    v.call1Code = s.call1Code.text();
    v.call2Code = s.call2Code.text();
    return v;
}

void ChannelDlgModel::Write() { channels_.WriteChannel(row_, Values()); }

void ChannelDlgModel::WriteAndCleanUp() {
    Write();
    channels_.CleanUpAutoChannelSelect();
}

std::string ChannelDlgModel::KeptFrequency(const std::string& typed) {
    ChannelModel::FrequencyChange change = ChannelModel::FrequencyChange::None;
    std::string kept = channels_.NormaliseFrequency(typed, &change);
    frequencyNote_ = channels_.FrequencyNote(typed, kept, change);
    return kept;
}

void ChannelDlgModel::EditRx(const std::string& text) {
    ChannelDlgState& s = state_;
    bool wasOn = s.channelOn.checked;
    std::string frequency = KeptFrequency(text);
    if (frequency.empty()) {
        s.rx.text.clear();
    } else if (!wasOn) {
        // A channel switched on by typing its frequency starts from the defaults and sends
        // where it receives.
        ApplyDefaults();
        s.rx.text = s.tx.text = frequency;
    } else {
        s.rx.text = frequency;
    }
    ApplyEnableRules();
    WriteAndCleanUp();
}

void ChannelDlgModel::EditTx(const std::string& text) {
    bool isNumber = false;
    double mhz = ParseLeadingDouble(ChannelModel::WithDecimalPoint(TrimText(text)), &isNumber);
    frequencyNote_.clear();
    state_.tx.text = isNumber && mhz != 0 ? KeptFrequency(text) : std::string();
    ApplyEnableRules();
    Write();
}

void ChannelDlgModel::SetChannelOn(bool on) {
    if (on)
        ApplyDefaults();
    else
        ClearAll();
    ApplyEnableRules();
    WriteAndCleanUp();
}

void ChannelDlgModel::SetTxOn(bool on) {
    ChannelDlgState& s = state_;
    if (!s.channelOn.checked) return;
    if (on) {
        const ChannelValues& d = channels_.defaults();
        // Defaults saved without a transmit frequency still give the box something to show.
        s.tx.text = d.tx.empty() ? s.rx.text : d.tx;
        SelectText(s.encodeTone, d.encodeTone);
    } else {
        s.tx.text.clear();
        Clear(s.encodeTone);
    }
    ApplyEnableRules();
    Write();
}

namespace {

// A choice the list does not offer (a disabled list, a stale position) changes nothing.
bool Choose(DlgList& list, int index) {
    if (!list.enabled || index < 0 || index >= static_cast<int>(list.items.size())) return false;
    list.index = index;
    return true;
}

bool Tick(DlgCheck& check, bool on) {
    if (!check.enabled) return false;
    check.checked = on;
    return true;
}

}  // namespace

void ChannelDlgModel::SelectDecodeTone(int index) {
    if (!Choose(state_.decodeTone, index)) return;
    ApplyEnableRules();
    Write();
}

void ChannelDlgModel::SelectEncodeTone(int index) {
    if (!Choose(state_.encodeTone, index)) return;
    Write();
}

void ChannelDlgModel::SetBusyLock(bool on) {
    if (Tick(state_.busyLock, on)) Write();
}

void ChannelDlgModel::SelectBusyLockMode(int index) {
    if (Choose(state_.busyLockMode, index)) Write();
}

void ChannelDlgModel::SetCompander(bool on) {
    if (Tick(state_.compander, on)) Write();
}

void ChannelDlgModel::SetScan(bool on) {
    if (Tick(state_.scan, on)) Write();
}

void ChannelDlgModel::SetWide(bool on) {
    if (Tick(state_.wide, on)) Write();
}

void ChannelDlgModel::SetTailElimination(bool on) {
    if (Tick(state_.tailElimination, on)) Write();
}

void ChannelDlgModel::SetRelationAnd(bool isAnd) {
    if (!state_.relationAnd.enabled) return;
    state_.relationAnd.checked = isAnd;
    state_.relationOr.checked = !isAnd;
    Write();
}

void ChannelDlgModel::SelectSignallingType(int index) {
    if (!Choose(state_.signallingType, index)) return;
    RebuildDecodeNumbers();
    RebuildCallCodeLists();
    ApplyEnableRules();
    Write();
}

void ChannelDlgModel::SelectDecodeNumber(int index) {
    if (Choose(state_.decodeNumber, index)) Write();
}

void ChannelDlgModel::SelectPttIdType(int index) {
    if (!Choose(state_.pttIdType, index)) return;
    RebuildPttIdCodeLists();
    ApplyEnableRules();
    Write();
}

void ChannelDlgModel::SelectPttIdMode(int index) {
    if (!Choose(state_.pttIdMode, index)) return;
    ApplyEnableRules();
    Write();
}

void ChannelDlgModel::SelectCode(CodeList which, int index) {
    DlgList* list = which == CodeList::TxStart ? &state_.txStartCode
                    : which == CodeList::TxEnd ? &state_.txEndCode
                    : which == CodeList::Call1 ? &state_.call1Code
                                               : &state_.call2Code;
    if (!Choose(*list, index)) return;
    ApplyEnableRules();  // a 5-tone PTT-ID code rules the compander out
    Write();
}

void ChannelDlgModel::SetTxWithoutDecode(bool on) {
    if (Tick(state_.txWithoutDecode, on)) Write();
}

void ChannelDlgModel::SetSignallingSwitchable(bool on) {
    if (Tick(state_.signallingSwitchable, on)) Write();
}

void ChannelDlgModel::SaveAsDefault() {
    // An empty channel as the defaults would make switching a channel on leave it off.
    if (!state_.channelOn.checked) return;
    channels_.SaveAsDefault(Values());
}

void ChannelDlgModel::DeleteAllChannels() {
    channels_.DeleteAllChannels();
    ClearAll();
    ApplyEnableRules();
}

}  // namespace vgr47
