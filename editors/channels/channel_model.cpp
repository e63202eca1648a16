#include "editors/channels/channel_model.h"

#include <algorithm>
#include <charconv>

#include "core/codeplug_lib.h"
#include "core/frequency_codec.h"
#include "core/layout/fields.h"
#include "core/layout/layout_access.h"
#include "core/memory_map.h"
#include "core/text_ids.h"
#include "core/tone_codec.h"

namespace vgr47 {

namespace {

// Busy-lock mode 2 has no catalogue text; it reads the same in every language.
const char* const kBusyLockToneText = "QT/DQT";

// Tolerance of the band test when a stored frequency is shown.
constexpr double kBandSlack = 0.00001;

constexpr int kBasicChannelRows = 101;  // 1..99, A, B
constexpr int kSignallingChannelRows = 99;

const std::vector<ChannelModel::GridColumn>& AllColumns() {
    static const std::vector<ChannelModel::GridColumn> columns = {
        {kTextChannel, 950},
        {kTextRxFrequency, 1200},
        {kTextTxFrequency, 1150},
        {kTextRxTone, 1150},
        {kTextTxTone, 1200},
        {kTextBusyLockColumn, 1050},
        {kTextCompander, 1050},
        {kTextScan, 1050},
        {kTextBandwidth, 1050},
        {kTextTailElimination, 1050},
        {kTextSignallingRelation, 1400},
        {kTextOptionalSignalling, 1200},
        {kTextDecodeNumber, 1100},
        {kTextPttIdType, 1400},
        {kTextPttIdMode, 1400},
        {kTextTxStart, 1400},
        {kTextTxEnd, 1400},
        {kTextCall1, 1400},
        {kTextCall2, 1400},
        {kTextTxWithoutDecode, 1600},
        {kTextReservedColumn, 0},
        {kTextSignallingSwitchable, 2800},
    };
    return columns;
}

const std::vector<ChannelModel::GridColumn>& BasicColumns() {
    static const std::vector<ChannelModel::GridColumn> columns(
        AllColumns().begin(), AllColumns().begin() + ChannelModel::kBasicColumns);
    return columns;
}

namespace fields = layout::fields;

// The scan byte's two values, and the bandwidth bits of a wide signalling channel.
constexpr int kScanOn = 0xB5, kScanOff = 0xB4;
constexpr int kBandwidthWide = 1;

bool IsEmptyRecord(const std::string& record) {
    if (record.size() != 32) return true;
    if (record == std::string(32, 'F') || record == std::string(32, '0')) return true;
    std::string last = record.substr(30, 2);
    if (last != "B4" && last != "B5" && last != "FF") return true;
    std::string rx = record.substr(0, 8);
    return rx == "FFFFFFFF" || rx == "00000000";
}

}  // namespace

ChannelModel::ChannelModel(CodeplugImage& image, const ModelState& state,
                           const TextCatalogue& texts)
    : image_(image), state_(state), texts_(texts) {
    Refill();
}

const std::vector<ChannelModel::GridColumn>& ChannelModel::GridColumns() const {
    return signalling_ ? AllColumns() : BasicColumns();
}

bool ChannelModel::IsColumnHidden(int column) const {
    const auto& layout = GridColumns();
    return column < 0 || column >= static_cast<int>(layout.size()) ||
           layout[column].widthTwips == 0;
}

int ChannelModel::TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }

std::vector<int> ChannelModel::ColumnWidthsPixels() const {
    std::vector<int> widths;
    for (const GridColumn& c : GridColumns()) widths.push_back(TwipsToPixels(c.widthTwips));
    return widths;
}

const std::vector<std::string>& ChannelModel::RowTexts(int row) const {
    static const std::vector<std::string> none;
    if (row < 0 || row >= Rows()) return none;
    return cells_[row];
}

std::string ChannelModel::CellText(int row, int column) const {
    const auto& texts = RowTexts(row);
    return column >= 0 && column < static_cast<int>(texts.size()) ? texts[column] : std::string();
}

std::string ChannelModel::ListingLine(int row) const {
    if (IsRowEmpty(row)) return "";
    std::string line = RowName(row);
    for (int c = 1; c < Columns(); ++c)
        if (!IsColumnHidden(c)) line += "\t" + CellText(row, c);
    return line;
}

std::string ChannelModel::RowName(int row) const {
    if (!signalling_ && row == kBasicChannelRows - 1) return "A";
    if (!signalling_ && row == kBasicChannelRows) return "B";
    return std::to_string(row);
}

bool ChannelModel::IsRowEmpty(int row) const { return row < 1 || CellText(row, kColRx).empty(); }

void ChannelModel::Refill() {
    signalling_ = state_.IsExtendedModel();
    toneList_ = ToneList(Text(kTextNone));
    int rows = 1 + (signalling_ ? kSignallingChannelRows : kBasicChannelRows);
    cells_.assign(static_cast<std::size_t>(rows), std::vector<std::string>(Columns()));
    values_.assign(static_cast<std::size_t>(rows), RowValues{});
    for (int c = 0; c < Columns(); ++c) cells_[0][c] = Text(GridColumns()[c].headerText);
    for (int row = 1; row < rows; ++row) DecodeRow(row);
    ResetDefaults();
}

void ChannelModel::ResetDefaults() {
    defaults_.rx = defaults_.tx = FormatFrequency(state_.bandLow());
    defaults_.decodeTone = defaults_.encodeTone = Text(kTextNone);
    defaults_.busyLock = defaults_.compander = defaults_.scan = false;
    defaults_.wide = defaults_.tailElimination = defaults_.relationAnd = true;
    defaults_.busyLockMode = Text(kTextOffEntry);
}

bool ChannelModel::IsCellShaded(int row, int column) const {
    return !IsRowEmpty(row) && column >= 1 && column < Columns() && CellText(row, column).empty();
}

int ChannelModel::RowForChannelText(const std::string& text) const {
    std::string t = ToUpperAscii(TrimText(text));
    if (!signalling_ && t == "A") return kBasicChannelRows - 1;
    if (!signalling_ && t == "B") return kBasicChannelRows;
    return std::clamp(ParseLeadingInt(t), 1, Rows() - 1);
}

std::string ChannelModel::WithDecimalPoint(std::string text) {
    const std::size_t comma = text.find(',');
    if (comma != std::string::npos && text.find('.') == std::string::npos) text[comma] = '.';
    return text;
}

namespace {

std::string BandLimit(double mhz) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, mhz);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string ChannelModel::FrequencyNote(const std::string& typed, const std::string& kept,
                                        FrequencyChange change) const {
    const std::string shown = WithDecimalPoint(TrimText(typed)), used = TrimText(kept);
    if (change == FrequencyChange::Clamped)
        return FillPlaces(Text(kTextFrequencyClamped),
                          {shown, BandLimit(state_.bandLow()), BandLimit(state_.bandHigh()), used});
    if (change == FrequencyChange::Snapped)
        return FillPlaces(Text(kTextFrequencySnapped), {shown, used});
    return "";
}

std::string ChannelModel::NormaliseFrequency(const std::string& text,
                                             FrequencyChange* change) const {
    std::string t = WithDecimalPoint(TrimText(text));
    if (change) *change = FrequencyChange::None;
    if (t.empty()) return "";
    const double typed = ParseLeadingDouble(t);
    const double clamped = ClampToBand(typed, state_.bandLow(), state_.bandHigh());
    const std::string formatted = FormatFrequency(clamped);
    int step = 0;
    std::string kept = SnapFrequency(formatted, &step);
    if (change) {
        if (clamped != typed)
            *change = FrequencyChange::Clamped;
        else if (TrimText(kept) != TrimText(formatted))
            *change = FrequencyChange::Snapped;
    }
    return kept;
}

void ChannelModel::RefreshRow(int row) {
    if (row >= 1 && row < Rows()) DecodeRow(row);
}

int ChannelModel::CountScanChannels() const {
    int count = 0;
    for (int row = 1; row < Rows(); ++row) count += IsSet(row, kColScan) ? 1 : 0;
    return count;
}

bool ChannelModel::IsSet(int row, int column) const {
    if (row < 1 || row >= static_cast<int>(values_.size()) || column < 0 || column >= 32)
        return false;
    return (values_[row].setColumns >> column) & 1u;
}

int ChannelModel::BusyLockMode(int row) const {
    return row >= 1 && row < static_cast<int>(values_.size()) ? values_[row].busyLockMode : -1;
}

std::string ChannelModel::FrequencyText(const std::string& hex8) const {
    double mhz = DecodeFrequency(hex8);
    if (mhz < state_.bandLow() - kBandSlack || mhz > state_.bandHigh() + kBandSlack)
        mhz = state_.bandLow();
    return FormatFrequency(mhz);
}

std::string ChannelModel::CodeText(int code, bool dtmf) const {
    if (dtmf && code >= 1 && code <= 16) return "DTMF-MEM " + std::to_string(code);
    if (!dtmf && code >= 1 && code <= 32) return "TX-CODE " + std::to_string(code);
    return Text(kTextOffEntry);
}

void ChannelModel::DecodeRow(int row) {
    std::vector<std::string>& cell = cells_[row];
    std::fill(cell.begin(), cell.end(), std::string());
    RowValues& values = values_[row];
    values = RowValues{};
    cell[kColNumber] = RowName(row);

    std::string record = ToUpperAscii(
        image_.ReadBytes(mem::ChannelRecordAddress(RecordOfRow(row)), mem::kChannelRecordBytes));
    if (IsEmptyRecord(record)) return;

    const std::string on = Text(kTextOn), off = Text(kTextOff), none = Text(kTextNone);
    const std::string offEntry = Text(kTextOffEntry);
    auto flag = [&](int column, bool set) {
        if (set) values.setColumns |= 1u << column;
        cell[column] = set ? on : off;
    };

    // The record is hex throughout (the image takes nothing else), so every field reads.
    auto hex = [&record](const layout::Field& f) {
        return layout::ReadHexInRecord(record, f).value_or("");
    };
    auto read = [&record](const layout::Field& f) {
        return layout::ReadInRecord(record, f).value_or(0);
    };
    auto isOn = [&record](const layout::Field& f) {
        return layout::ReadFlagInRecord(record, f).value_or(false);
    };
    cell[kColRx] = FrequencyText(hex(fields::kChannelRxFrequency));
    std::string tx = TrimText(hex(fields::kChannelTxFrequency));
    if (tx != "FFFFFFFF" && tx != "00000000") cell[kColTx] = FrequencyText(tx);

    auto toneText = [&](const std::string& hex4) {
        std::string text = DecodeTone(hex4, none);
        auto it = std::find(toneList_.begin(), toneList_.end(), text);
        return it == toneList_.end() ? toneList_.front() : *it;
    };
    cell[kColDecodeTone] = toneText(hex(fields::kChannelDecodeTone));
    std::string encode = toneText(hex(fields::kChannelEncodeTone));
    if (!(encode == none && cell[kColTx].empty())) cell[kColEncodeTone] = encode;

    flag(kColCompander, isOn(fields::kChannelCompander));
    flag(kColTailElimination, isOn(fields::kChannelTailElimination));
    flag(kColScan, read(fields::kChannelScan) == kScanOn);
    const bool wide = signalling_ ? read(fields::kChannelBandwidth) == kBandwidthWide
                                  : isOn(fields::kChannelWide);
    if (wide) values.setColumns |= 1u << kColBandwidth;
    cell[kColBandwidth] = Text(wide ? kTextWide : kTextNarrow);
    if (!signalling_) {
        flag(kColBusyLock, isOn(fields::kChannelBusyLock));
        return;
    }

    values.busyLockMode = read(fields::kChannelBusyLockMode);
    switch (values.busyLockMode) {
        case 0:
            cell[kColBusyLock] = offEntry;
            break;
        case 1:
            cell[kColBusyLock] = Text(kTextBusyLockCarrier);
            break;
        case 2:
            cell[kColBusyLock] = kBusyLockToneText;
            break;
        default:
            cell[kColBusyLock] = Text(kTextOptionalSignalling);
            break;
    }
    const bool relationAnd = isOn(fields::kChannelRelationAnd);
    if (relationAnd) values.setColumns |= 1u << kColRelation;
    cell[kColRelation] = Text(relationAnd ? kTextAnd : kTextOr);

    flag(kColSignallingSwitchable, isOn(fields::kChannelSignallingSwitchable));
    flag(kColTxWithoutDecode, isOn(fields::kChannelTxWithoutDecode));
    int pttType = read(fields::kChannelPttIdType);
    bool pttDtmf = pttType == 2;
    cell[kColPttIdType] = pttType == 1 ? Text(kTextFiveTone) : pttDtmf ? Text(kTextDtmf) : offEntry;
    static const int kModeTexts[] = {kTextOffEntry, kTextTxStart, kTextTxEnd, kTextTxStartAndEnd};
    cell[kColPttIdMode] = Text(kModeTexts[read(fields::kChannelPttIdMode)]);

    int optional = read(fields::kChannelOptionalSignalling);
    bool optionalDtmf = false;
    if (optional >= 1 && optional <= 8) {
        cell[kColSignallingType] = Text(kTextFiveTone);
        cell[kColDecodeNumber] = std::to_string(optional);
    } else if (optional >= 9 && optional <= 12) {
        cell[kColSignallingType] = Text(kTextTwoTone);
        cell[kColDecodeNumber] = std::to_string(optional - 8);
    } else if (optional >= 13 && optional <= 28) {
        cell[kColSignallingType] = Text(kTextDtmf);
        cell[kColDecodeNumber] = std::to_string(optional - 12);
        optionalDtmf = true;
    } else {
        cell[kColSignallingType] = none;
    }
    if (optional < 1 || optional > 28) cell[kColRelation].clear();

    std::string extension = ToUpperAscii(
        image_.ReadBytes(mem::ChannelExtensionAddress(row), mem::kChannelExtensionBytes));
    if (extension.size() == 16 && extension != std::string(16, 'F')) {
        auto code = [&extension](const layout::Field& f) {
            return layout::ReadInRecord(extension, f).value_or(0xFF);
        };
        cell[kColTxStartCode] = CodeText(code(fields::kChannelTxStartCode), pttDtmf);
        cell[kColTxEndCode] = CodeText(code(fields::kChannelTxEndCode), pttDtmf);
        cell[kColCall1Code] = CodeText(code(fields::kChannelCall1Code), optionalDtmf);
        cell[kColCall2Code] = CodeText(code(fields::kChannelCall2Code), optionalDtmf);
    }
    if (pttType != 1 && !pttDtmf) {
        cell[kColPttIdMode].clear();
        cell[kColTxStartCode].clear();
        cell[kColTxEndCode].clear();
    }
}

namespace {

std::string FrequencyField(const std::string& text) {
    std::string t = TrimText(text);
    if (t.empty()) return "FFFFFFFF";
    std::string hex = EncodeFrequencyText(t);
    return hex.size() == 8 ? hex : "FFFFFFFF";
}

std::string ToneField(const std::string& text, const std::string& offText) {
    std::string hex = EncodeTone(text, offText);
    return hex.size() == 4 ? hex : "FFFF";
}

// The number of a "TX-CODE %d" / "DTMF-MEM %d" entry, -1 for any other text.
int CodeNumber(const std::string& text) {
    for (const char* prefix : {"TX-CODE ", "DTMF-MEM "}) {
        std::string p = prefix;
        if (text.compare(0, p.size(), p) == 0) return ParseLeadingInt(text.substr(p.size()));
    }
    return -1;
}

}  // namespace

std::string ChannelModel::CodeByte(const std::string& listText) const {
    if (listText.empty()) return "FF";
    int k = CodeNumber(listText);
    return IntToHex(k < 0 || k > 0xFF ? 0 : k, 1);
}

std::string ChannelModel::EncodeRecord(const ChannelValues& v) const {
    std::string record(2 * mem::kChannelRecordBytes, 'F');
    if (TrimText(v.rx).empty()) return record;
    const std::string none = Text(kTextNone);
    layout::WriteHexInRecord(record, fields::kChannelRxFrequency, FrequencyField(v.rx));
    layout::WriteHexInRecord(record, fields::kChannelTxFrequency, FrequencyField(v.tx));
    layout::WriteHexInRecord(record, fields::kChannelDecodeTone, ToneField(v.decodeTone, none));
    layout::WriteHexInRecord(record, fields::kChannelEncodeTone, ToneField(v.encodeTone, none));

    // Every other bit stays set: the radio's own records carry ones there.
    auto flag = [&record](const layout::Field& f, bool on) {
        layout::WriteFlagInRecord(record, f, on);
    };
    auto put = [&record](const layout::Field& f, int value) {
        layout::WriteInRecord(record, f, value);
    };
    flag(fields::kChannelCompander, v.compander);
    flag(fields::kChannelTailElimination, v.tailElimination);
    if (!signalling_) {
        flag(fields::kChannelBusyLock, v.busyLock);
        flag(fields::kChannelWide, v.wide);
    } else {
        int mode = 0;
        if (v.busyLockMode == Text(kTextBusyLockCarrier))
            mode = 1;
        else if (v.busyLockMode == kBusyLockToneText)
            mode = 2;
        else if (v.busyLockMode == Text(kTextOptionalSignalling))
            mode = 3;
        put(fields::kChannelBusyLockMode, mode);
        put(fields::kChannelBandwidth, v.wide ? kBandwidthWide : 0);
        flag(fields::kChannelRelationAnd, v.relationAnd);

        flag(fields::kChannelSignallingSwitchable, v.signallingSwitchable);
        flag(fields::kChannelTxWithoutDecode, v.txWithoutDecode);
        put(fields::kChannelPttIdType, std::max(v.pttIdType, 0) & 0x07);
        put(fields::kChannelPttIdMode, std::max(v.pttIdMode, 0) & 0x03);
        static const int kTypeBase[] = {0, 0, 8, 12};
        static const int kTypeEntries[] = {0, 8, 4, 16};
        int type = v.signallingType >= 1 && v.signallingType <= 3 ? v.signallingType : 0;
        // A type without a decode entry (none programmed) is stored as none: a bare base would
        // name an entry of the type before it.
        if (v.decodeNumber < 1 || v.decodeNumber > kTypeEntries[type]) type = 0;
        put(fields::kChannelOptionalSignalling, type == 0 ? 0 : v.decodeNumber + kTypeBase[type]);
    }
    put(fields::kChannelScan, v.scan ? kScanOn : kScanOff);
    return record;
}

std::string ChannelModel::EncodeExtension(const ChannelValues& v) const {
    if (!signalling_ || TrimText(v.rx).empty())
        return std::string(2 * mem::kChannelExtensionBytes, 'F');
    std::string extension(2 * mem::kChannelExtensionBytes, 'F');
    layout::WriteHexInRecord(extension, fields::kChannelTxStartCode, CodeByte(v.txStartCode));
    layout::WriteHexInRecord(extension, fields::kChannelTxEndCode, CodeByte(v.txEndCode));
    layout::WriteHexInRecord(extension, fields::kChannelCall1Code, CodeByte(v.call1Code));
    layout::WriteHexInRecord(extension, fields::kChannelCall2Code, CodeByte(v.call2Code));
    return extension;
}

void ChannelModel::WriteChannel(int record, const ChannelValues& values) {
    if (record < 1 || record >= Rows()) return;
    image_.WriteBytes(mem::ChannelRecordAddress(record), EncodeRecord(values));
    // Channels A and B have no extension record; on a short image the write is refused.
    if (record <= mem::kChannelCount)
        image_.WriteBytes(mem::ChannelExtensionAddress(record), EncodeExtension(values));
    KeepScanPriorityConsistent(record);
    DecodeRow(record);
}

void ChannelModel::KeepScanPriorityConsistent(int record) {
    auto inScanList = [&](int n) {
        return image_.ReadBytes(mem::ChannelRecordAddress(n) + mem::kChannelRecordBytes - 1, 1) ==
               "B5";
    };
    int first = 0, count = 0;
    for (int n = 1; n < Rows(); ++n) {
        if (!inScanList(n)) continue;
        if (first == 0) first = n;
        ++count;
    }
    if (count < 2) {
        image_.WriteBytes(mem::kScanPriority, "00");
    } else if (!inScanList(record) && HexToInt(image_.ReadBytes(mem::kScanPriority, 1)) == record) {
        image_.WriteBytes(mem::kScanPriority, IntToHex(first, 1));
    }
}

void ChannelModel::CleanUpAutoChannelSelect() {
    std::string list = image_.ReadBytes(mem::kAcsList, mem::kAcsListCount);
    if (list.size() != 2 * mem::kAcsListCount) return;  // beyond a short image
    std::string kept;
    for (int i = 0; i < mem::kAcsListCount; ++i) {
        std::string entry = list.substr(static_cast<std::size_t>(i) * 2, 2);
        int channel = HexToInt(entry);
        if (entry == "FF" || entry == "00" || channel > Rows() - 1) continue;
        std::string rx = image_.ReadBytes(mem::ChannelRecordAddress(channel), 4);
        if (rx.size() == 8 && rx != "00000000" && rx != "FFFFFFFF") kept += entry;
    }
    kept.append(2 * mem::kAcsListCount - kept.size(), 'F');
    image_.WriteBytes(mem::kAcsList, kept);
}

void ChannelModel::DeleteAllChannels() {
    image_.WriteBytes(mem::kChannels, std::string(2 * (mem::kChannelsEnd - mem::kChannels), 'F'));
    image_.WriteBytes(mem::kAcsList, std::string(2 * mem::kAcsListCount, 'F'));
    image_.WriteBytes(mem::kScanPriority, "00");
    for (int row = 1; row < Rows(); ++row) DecodeRow(row);
}

}  // namespace vgr47
