#include "editors/five_tone_codes/five_tone_en_decode_model.h"

#include <algorithm>

#include "core/codeplug_lib.h"
#include "core/field_clamps.h"
#include "core/layout/codeplug_layout.h"
#include "core/memory_map.h"
#include "core/text_ids.h"
#include "editors/five_tone_system/five_tone_system_model.h"

namespace vgr47 {

using layout::AddressOf;
namespace fields = layout::fields;

namespace {

constexpr int kEntryBytes = 16;
constexpr int kPackedFrameBytes = 13;  // three frames of four bytes and the first two counts
constexpr int kEncodeTableChars = mem::kFiveToneEncodeCount * mem::kFiveToneEncodeBytes * 2;
constexpr int kDecodeTableChars = mem::kFiveToneDecodeCount * mem::kFiveToneDecodeBytes * 2;
// The encode table is the highest of the form's regions.
constexpr int kRegionEnd =
    mem::kFiveToneEncode + mem::kFiveToneEncodeCount * mem::kFiveToneEncodeBytes;

constexpr int kDelayCodeDigits = 15;  // 0..E; F stands for none
constexpr int kDecodeNumbers = 8;
const char* const kHexDigits = "0123456789ABCDEF";
const char* const kFlagOff = "----";

std::string HexDigit(int value) { return std::string(1, kHexDigits[value & 15]); }

bool AllF(const std::string& hex) {
    return std::all_of(hex.begin(), hex.end(), [](char c) { return c == 'F' || c == 'f'; });
}

// A frame's digit count as stored: a decimal digit, anything else (F for empty) is 0.
int StoredCount(char c) { return c >= '0' && c <= '9' ? std::min(c - '0', 8) : 0; }

// Frames 1 to 3 padded with F, then the counts of frames 1 and 2, each byte's digits
// swapped: the radio keeps the earlier digit in the low nibble.
std::string PackFrames(const std::string (&frames)[FiveToneEnDecodeModel::kFrames]) {
    std::string hex;
    for (const std::string& f : frames) {
        std::string code = f.substr(0, FiveToneEnDecodeModel::kMaxDigits);
        hex += code + RepeatToLength(
                          "F", FiveToneEnDecodeModel::kMaxDigits - static_cast<int>(code.size()));
    }
    for (int i = 0; i < 2; ++i)
        hex += frames[i].empty()
                   ? "F"
                   : HexDigit(static_cast<int>(std::min<std::size_t>(frames[i].size(), 8)));
    SwapNibbles(hex);
    return hex;
}

// Frame 3's digit count as stored beside the others; F when there is no frame 3.
int ThirdCount(const std::string (&frames)[FiveToneEnDecodeModel::kFrames]) {
    return frames[2].empty() ? 0xF : static_cast<int>(std::min<std::size_t>(frames[2].size(), 8));
}

const layout::Field* const kEncodeFlags[FiveToneEnDecodeModel::kFrames] = {
    &fields::kFiveToneEncodeFlag1, &fields::kFiveToneEncodeFlag2, &fields::kFiveToneEncodeFlag3};

void UnpackFrames(const std::string& hex32, std::string (&frames)[FiveToneEnDecodeModel::kFrames]) {
    std::string digits = hex32.substr(0, kPackedFrameBytes * 2);
    SwapNibbles(digits);
    digits = ToUpperAscii(digits);
    const int counts[3] = {StoredCount(digits[24]), StoredCount(digits[25]),
                           StoredCount(hex32[27])};
    for (int n = 0; n < FiveToneEnDecodeModel::kFrames; ++n)
        frames[n] = digits.substr(8 * n, counts[n]);
}

}  // namespace

FiveToneEnDecodeModel::FiveToneEnDecodeModel(CodeplugImage& image, const TextCatalogue& texts,
                                             Messages& messages)
    : image_(image),
      texts_(texts),
      messages_(messages),
      encode_(kEncodeEntries),
      decode_(kDecodeEntries) {
    Read();
}

bool FiveToneEnDecodeModel::Available(const CodeplugImage& image) {
    return image.byteCount() >= static_cast<std::size_t>(kRegionEnd);
}

// ---- packing ----

std::string FiveToneEnDecodeModel::ValidateFrame(const std::string& text, int* messageText) {
    if (messageText) *messageText = 0;
    std::string code = ToUpperAscii(TrimText(text));
    if (code.empty()) return code;
    if (!IsHexText(code)) {
        if (messageText) *messageText = kTextFrameCodeBadDigit;
        return "";
    }
    if (code.size() < static_cast<std::size_t>(kMinDigits) ||
        code.size() > static_cast<std::size_t>(kMaxDigits)) {
        if (messageText) *messageText = kTextFrameCodeBadLength;
        return "";
    }
    return code;
}

std::string FiveToneEnDecodeModel::PackEncode(const EncodeEntry& entry) {
    // The packed frames, then every bit no field takes set.
    std::string hex =
        PackFrames(entry.frames) + RepeatToLength("F", 2 * (kEntryBytes - kPackedFrameBytes));
    layout::WriteInRecord(hex, fields::kFiveToneEncodeDigits3, ThirdCount(entry.frames));
    for (int n = 0; n < kFrames; ++n)
        layout::WriteFlagInRecord(hex, *kEncodeFlags[n], entry.flags[n] == 1);
    return hex;
}

std::string FiveToneEnDecodeModel::PackDecode(const DecodeEntry& entry) {
    std::string hex =
        PackFrames(entry.frames) + RepeatToLength("F", 2 * (kEntryBytes - kPackedFrameBytes));
    layout::WriteInRecord(hex, fields::kFiveToneDecodeDigits3, ThirdCount(entry.frames));
    layout::WriteInRecord(hex, fields::kFiveToneDecodeCallAlert,
                          entry.alert == 1 || entry.alert == 2 ? entry.alert : 0);
    layout::WriteInRecord(hex, fields::kFiveToneDecodeAutoAnswer,
                          entry.answer > 0 ? entry.answer : 0);
    return hex;
}

FiveToneEnDecodeModel::EncodeEntry FiveToneEnDecodeModel::UnpackEncode(const std::string& hex32) {
    EncodeEntry e;
    if (hex32.size() != kEntryBytes * 2 || AllF(hex32)) return e;
    UnpackFrames(hex32, e.frames);
    for (int n = 0; n < kFrames; ++n)
        e.flags[n] = layout::ReadFlagInRecord(hex32, *kEncodeFlags[n]).value_or(false) ? 1 : 0;
    return e;
}

FiveToneEnDecodeModel::DecodeEntry FiveToneEnDecodeModel::UnpackDecode(const std::string& hex32) {
    DecodeEntry d;
    if (hex32.size() != kEntryBytes * 2 || AllF(hex32.substr(0, kPackedFrameBytes * 2))) return d;
    UnpackFrames(hex32, d.frames);
    int alert = layout::ReadInRecord(hex32, fields::kFiveToneDecodeCallAlert).value_or(0);
    int answer = layout::ReadInRecord(hex32, fields::kFiveToneDecodeAutoAnswer).value_or(0);
    d.alert = alert == 1 || alert == 2 ? alert : 0;
    d.answer = answer >= 1 && answer <= kEncodeEntries ? answer : 0;
    return d;
}

// ---- reading and writing ----

void FiveToneEnDecodeModel::Read() {
    pages_[kEncodePage] = PageState();
    pages_[kDecodePage] = PageState();
    litBox_ = kNoBox;
    for (bool& e : editingTime_) e = false;
    editingWaitTime_ = false;
    if (!Available(image_)) return;
    settings::LoadSettings(Settings(), *this, image_);
    for (int n = 0; n < kEncodeEntries; ++n) {
        encode_[n] = UnpackEncode(
            image_.ReadBytes(mem::kFiveToneEncode + n * mem::kFiveToneEncodeBytes, kEntryBytes));
        ApplyRowRules(kEncodePage, n + 1, false);
    }
    for (int n = 0; n < kDecodeEntries; ++n) {
        decode_[n] = UnpackDecode(
            image_.ReadBytes(mem::kFiveToneDecode + n * mem::kFiveToneDecodeBytes, kEntryBytes));
        ApplyRowRules(kDecodePage, n + 1, false);
    }
}

bool FiveToneEnDecodeModel::Write() {
    for (Page p : {kEncodePage, kDecodePage}) CommitEdit(p);
    for (Page p : {kEncodePage, kDecodePage}) RestoreDefaultCode(p);
    // Only fields being edited are clamped: a stored value outside the range goes back as read.
    for (int f = 0; f < kTimeFieldCount; ++f)
        if (editingTime_[f]) CommitTime(static_cast<TimeField>(f));
    if (editingWaitTime_) CommitWaitTime();
    if (!Available(image_)) return false;

    std::string encodeTable, decodeTable;
    for (const EncodeEntry& e : encode_) encodeTable += PackEncode(e);
    for (const DecodeEntry& d : decode_) decodeTable += PackDecode(d);
    // A table of any other size would shift the bytes after it.
    if (encodeTable.size() != static_cast<std::size_t>(kEncodeTableChars) ||
        decodeTable.size() != static_cast<std::size_t>(kDecodeTableChars))
        return false;

    settings::StoreSettings(Settings(), *this, image_);
    image_.WriteBytes(mem::kFiveToneEncode, encodeTable);
    image_.WriteBytes(mem::kFiveToneDecode, decodeTable);
    return true;
}

// ---- settings ----

void FiveToneEnDecodeModel::CommitTime(TimeField field) {
    times_[field] = ClampIntField(times_[field], TimeFieldMin(field), TimeFieldMax(field), 1);
    editingTime_[field] = false;
}

void FiveToneEnDecodeModel::StepTime(TimeField field, int delta) {
    times_[field] = std::to_string(WrapSpinStep(ParseLeadingInt(times_[field]), delta,
                                                TimeFieldMin(field), TimeFieldMax(field)));
}

std::vector<std::string> FiveToneEnDecodeModel::DelayCodeEntries() const {
    std::vector<std::string> entries = {Text(kTextOffEntry)};
    for (int d = 0; d < kDelayCodeDigits; ++d) entries.push_back(HexDigit(d));
    return entries;
}

void FiveToneEnDecodeModel::ChooseDelay2Code(int entry) {
    if (entry >= 0 && entry <= kDelayCodeDigits) delay2Code_ = entry;
}

void FiveToneEnDecodeModel::ChooseDelay3Code(int entry) {
    if (entry >= 0 && entry <= kDelayCodeDigits) delay3Code_ = entry;
}

void FiveToneEnDecodeModel::CommitWaitTime() {
    int tens =
        std::clamp(ParseLeadingInt(waitTime_) / kWaitTimeStep, 0, kWaitTimeMax / kWaitTimeStep);
    waitTime_ = std::to_string(tens * kWaitTimeStep);
    editingWaitTime_ = false;
}

void FiveToneEnDecodeModel::StepWaitTime(int delta) {
    CommitWaitTime();
    waitTime_ = std::to_string(
        WrapSpinStep(ParseLeadingInt(waitTime_), delta * kWaitTimeStep, 0, kWaitTimeMax));
}

std::vector<std::string> FiveToneEnDecodeModel::DecodeNumberEntries() const {
    std::vector<std::string> entries;
    for (int n = 1; n <= kDecodeNumbers; ++n) entries.push_back(std::to_string(n));
    return entries;
}

void FiveToneEnDecodeModel::ChooseDecodeNumber(int entry) {
    if (entry >= 0 && entry < kDecodeNumbers) decodeNumber_ = entry;
}

std::vector<std::string> FiveToneEnDecodeModel::AutoResetEntries() const {
    std::vector<std::string> entries = {Text(kTextOffEntry)};
    for (int s = 1; s <= kAutoResetMax; ++s) entries.push_back(std::to_string(s));
    return entries;
}

void FiveToneEnDecodeModel::ChooseAutoReset(int entry) {
    if (entry >= 0 && entry <= kAutoResetMax) autoReset_ = entry;
}

void FiveToneEnDecodeModel::FocusTimeField(TimeField field) {
    static const Box boxes[kTimeFieldCount] = {kBoxDelay1, kBoxDelay2, kBoxDelay3, kBoxEndDelay,
                                               kNoBox};
    litBox_ = boxes[field];
}

int FiveToneEnDecodeModel::BoxCaptionFrame(Box box) {
    switch (box) {
        case kBoxFrame1:
            return 1;
        case kBoxFrame2:
            return 2;
        case kBoxFrame3:
            return 3;
        default:
            return 0;
    }
}

// ---- grids ----

bool FiveToneEnDecodeModel::HasFrame1(Page page, int entry) const {
    return page == kEncodePage ? !encode_[entry - 1].frames[0].empty()
                               : !decode_[entry - 1].frames[0].empty();
}

std::string FiveToneEnDecodeModel::CellText(Page page, int row, int column) const {
    if (row < 0 || row >= Rows(page) || column < 0 || column >= Columns(page)) return "";
    if (row == 0) {
        if (column == 0) return "";
        if (page == kEncodePage)
            return column <= kFrames ? Text(kTextEncodeCode)
                                     : Text(kTextFrameFlag) + "\r\n" + Text(kTextFrameFlagOnOff);
        return column <= kFrames ? Text(kTextDecodeCode) : " ";
    }
    if (row == 1) {
        if (column == 0) return "";
        if (column <= kFrames) return Text(kTextFrame) + std::to_string(column);
        if (page == kEncodePage) return std::to_string(column - kFrames);
        return Text(column == kAnswerColumn ? kTextAutoAnswer : kTextCallAlert);
    }
    const int entry = EntryOfRow(row);
    if (column == 0) return std::to_string(entry);
    if (page == kEncodePage) {
        const EncodeEntry& e = encode_[entry - 1];
        if (column <= kFrames) return e.frames[column - 1];
        int flag = e.flags[column - 1 - kFrames];
        return flag < 0 ? "" : flag == 1 ? Text(kTextOn) : kFlagOff;
    }
    const DecodeEntry& d = decode_[entry - 1];
    if (column <= kFrames) return d.frames[column - 1];
    if (column == kAnswerColumn)
        return d.answer < 0    ? ""
               : d.answer == 0 ? Text(kTextNoAction)
                               : "TX-CODE " + std::to_string(d.answer);
    static const int alerts[] = {kTextNoAction, kTextAlertTone, kTextAlertRing};
    return d.alert < 0 ? "" : Text(alerts[d.alert]);
}

bool FiveToneEnDecodeModel::IsCellWhite(Page page, int row, int column) const {
    if (row < kHeaderRows || row >= Rows(page) || column < 1 || column >= Columns(page))
        return false;
    if (column == 1) return true;
    const int entry = EntryOfRow(row);
    if (page == kEncodePage) {
        const EncodeEntry& e = encode_[entry - 1];
        // Frame n + 1 follows frame n; a flag follows its own frame.
        if (column <= kFrames) return !e.frames[column - 2].empty();
        return !e.frames[column - 1 - kFrames].empty();
    }
    const DecodeEntry& d = decode_[entry - 1];
    if (column <= kFrames) return !d.frames[column - 2].empty();
    return !d.frames[0].empty();
}

std::string* FiveToneEnDecodeModel::FrameCell(Page page, int entry, int frame) {
    return page == kEncodePage ? &encode_[entry - 1].frames[frame]
                               : &decode_[entry - 1].frames[frame];
}

void FiveToneEnDecodeModel::ApplyRowRules(Page page, int entry, bool repoint) {
    if (page == kEncodePage) {
        EncodeEntry& e = encode_[entry - 1];
        if (e.frames[0].empty()) {
            e = EncodeEntry();
            if (repoint) Repoint(entry);
            return;
        }
        if (e.flags[0] < 0) e.flags[0] = 0;
        if (e.frames[1].empty()) {
            e.frames[2].clear();
            e.flags[1] = e.flags[2] = -1;
            return;
        }
        if (e.flags[1] < 0) e.flags[1] = 0;
        if (e.frames[2].empty())
            e.flags[2] = -1;
        else if (e.flags[2] < 0)
            e.flags[2] = 0;
        return;
    }
    DecodeEntry& d = decode_[entry - 1];
    if (d.frames[0].empty()) {
        d = DecodeEntry();
        return;
    }
    if (d.answer < 0) d.answer = 0;
    if (d.alert < 0) d.alert = 0;
    if (d.frames[1].empty()) d.frames[2].clear();
}

int FiveToneEnDecodeModel::HighestCodedEncodeEntry() const {
    for (int n = kEncodeEntries; n >= 1; --n)
        if (!encode_[n - 1].frames[0].empty()) return n;
    return 0;
}

void FiveToneEnDecodeModel::Repoint(int lostEntry) {
    const int target = HighestCodedEncodeEntry();
    for (DecodeEntry& d : decode_)
        if (d.answer == lostEntry) d.answer = target;
}

void FiveToneEnDecodeModel::RestoreDefaultCode(Page page) {
    const int entries = page == kEncodePage ? kEncodeEntries : kDecodeEntries;
    for (int n = 1; n <= entries; ++n)
        if (HasFrame1(page, n)) return;
    *FrameCell(page, 1, 0) = kDefaultCode;
    ApplyRowRules(page, 1, false);
}

void FiveToneEnDecodeModel::CloseEditing(Page page) {
    pages_[page].editorOpen = false;
    pages_[page].chooserOpen = false;
    pages_[page].editorText.clear();
}

FiveToneEnDecodeModel::Opened FiveToneEnDecodeModel::ClickCell(Page page, int row, int column) {
    CommitEdit(page);
    RestoreDefaultCode(page);
    if (row < kHeaderRows || row >= Rows(page) || column < 0 || column >= Columns(page))
        return Opened::kNothing;
    PageState& s = pages_[page];
    s.row = row;
    s.column = column;
    if (!IsCellWhite(page, row, column)) return Opened::kNothing;
    if (page == kEncodePage) {
        static const Box frameBoxes[kFrames] = {kBoxFrame1, kBoxFrame2, kBoxFrame3};
        litBox_ = frameBoxes[(column - 1) % kFrames];
    }
    if (IsFrameColumn(column)) {
        s.editorOpen = true;
        s.editorText = CellText(page, row, column);
        return Opened::kEditor;
    }
    s.chooserOpen = true;
    return Opened::kChooser;
}

std::vector<std::string> FiveToneEnDecodeModel::ChooserEntries(Page page) const {
    const PageState& s = pages_[page];
    if (page == kEncodePage) return {kFlagOff, Text(kTextOn)};
    if (s.column == kAlertColumn)
        return {Text(kTextNoAction), Text(kTextAlertTone), Text(kTextAlertRing)};
    std::vector<std::string> entries = {Text(kTextNoAction)};
    for (int n = 1; n <= kEncodeEntries; ++n)
        if (!encode_[n - 1].frames[0].empty()) entries.push_back("TX-CODE " + std::to_string(n));
    return entries;
}

int FiveToneEnDecodeModel::ChooserSelection(Page page) const {
    const PageState& s = pages_[page];
    if (!s.chooserOpen) return -1;
    const std::string current = CellText(page, s.row, s.column);
    const std::vector<std::string> entries = ChooserEntries(page);
    auto it = std::find(entries.begin(), entries.end(), current);
    return it == entries.end() ? -1 : static_cast<int>(it - entries.begin());
}

void FiveToneEnDecodeModel::ChooseEntry(Page page, int index) {
    const PageState& s = pages_[page];
    if (!s.chooserOpen || index < 0 || index >= static_cast<int>(ChooserEntries(page).size()))
        return;
    const int entry = EntryOfRow(s.row);
    if (page == kEncodePage) {
        SetFlag(entry, s.column - 1 - kFrames, index == 1);
    } else if (s.column == kAlertColumn) {
        SetAlert(entry, index);
    } else {
        const std::string text = ChooserEntries(page)[index];
        SetAnswer(entry, index == 0 ? 0 : ParseLeadingInt(text.substr(8)));
    }
}

void FiveToneEnDecodeModel::CommitEdit(Page page) {
    PageState& s = pages_[page];
    if (s.editorOpen) {
        s.editorOpen = false;
        SetFrame(page, EntryOfRow(s.row), s.column - 1, s.editorText);
        s.editorText.clear();
    }
    if (s.chooserOpen) {
        s.chooserOpen = false;
        ApplyRowRules(page, EntryOfRow(s.row), false);
    }
}

bool FiveToneEnDecodeModel::SetFrame(Page page, int entry, int frame, const std::string& text) {
    if (entry < 1 || entry > (page == kEncodePage ? kEncodeEntries : kDecodeEntries) || frame < 0 ||
        frame >= kFrames || !IsCellWhite(page, RowOfEntry(entry), frame + 1))
        return false;
    int message = 0;
    *FrameCell(page, entry, frame) = ValidateFrame(text, &message);
    if (message) messages_.ShowMessage(Text(message));
    ApplyRowRules(page, entry, page == kEncodePage);
    return true;
}

bool FiveToneEnDecodeModel::SetFlag(int entry, int frame, bool on) {
    if (entry < 1 || entry > kEncodeEntries || frame < 0 || frame >= kFrames ||
        !IsCellWhite(kEncodePage, RowOfEntry(entry), frame + 1 + kFrames))
        return false;
    encode_[entry - 1].flags[frame] = on ? 1 : 0;
    return true;
}

bool FiveToneEnDecodeModel::SetAnswer(int entry, int answer) {
    if (entry < 1 || entry > kDecodeEntries ||
        !IsCellWhite(kDecodePage, RowOfEntry(entry), kAnswerColumn))
        return false;
    if (answer != 0 &&
        (answer < 1 || answer > kEncodeEntries || encode_[answer - 1].frames[0].empty()))
        return false;
    decode_[entry - 1].answer = answer;
    return true;
}

bool FiveToneEnDecodeModel::SetAlert(int entry, int alert) {
    if (entry < 1 || entry > kDecodeEntries || alert < 0 || alert > 2 ||
        !IsCellWhite(kDecodePage, RowOfEntry(entry), kAlertColumn))
        return false;
    decode_[entry - 1].alert = alert;
    return true;
}

void FiveToneEnDecodeModel::DeleteRow(Page page) {
    const int row = pages_[page].row;
    CloseEditing(page);
    if (row < kHeaderRows || row >= Rows(page)) return;
    const int entry = EntryOfRow(row);
    if (page == kEncodePage)
        encode_[entry - 1] = EncodeEntry();
    else
        decode_[entry - 1] = DecodeEntry();
    ApplyRowRules(page, entry, page == kEncodePage);
    RestoreDefaultCode(page);
}

void FiveToneEnDecodeModel::DeleteAll(Page page) {
    CloseEditing(page);
    if (page == kEncodePage) {
        for (EncodeEntry& e : encode_) e = EncodeEntry();
        // No encode entry is left to answer with.
        for (DecodeEntry& d : decode_)
            if (d.answer > 0) d.answer = 0;
    } else {
        for (DecodeEntry& d : decode_) d = DecodeEntry();
    }
    RestoreDefaultCode(page);
}

}  // namespace vgr47
