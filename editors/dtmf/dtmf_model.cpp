#include "editors/dtmf/dtmf_model.h"

#include "core/codeplug_lib.h"
#include "core/layout/codeplug_layout.h"
#include "core/memory_map.h"
#include "core/text_ids.h"

namespace vgr47 {

using layout::AddressOf;
namespace fields = layout::fields;
namespace {

constexpr int kCodeTableBytes = mem::kDtmfCodeBytes * mem::kDtmfCodeCount;
constexpr int kDtmfRegionEnd = mem::kDtmfDigitCodes + kCodeTableBytes;

bool IsDtmfCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') || c == '*' || c == '#';
}

int CodeTable(DtmfModel::CodeList list) {
    return list == DtmfModel::kDtmfCodes ? mem::kDtmfCodes : mem::kDtmfDigitCodes;
}

}  // namespace

DtmfModel::Checked DtmfModel::CheckCode(CodeList list, const std::string& typed) {
    std::string text = ToUpperAscii(TrimText(typed));
    for (char c : text) {
        bool ok = list == kDtmfCodes ? IsDtmfCharacter(c) : (c >= '0' && c <= '9');
        if (!ok) return {"", list == kDtmfCodes ? kTextDtmfCodeBadChar : kTextDigitCodeBadChar};
    }
    if (list == kDigitCodes && !text.empty() && text.size() < 3) text = "000";
    return {text, 0};
}

DtmfModel::Checked DtmfModel::CheckKillCode(const std::string& typed) {
    // Cut first, so that what is checked is exactly what would be stored.
    std::string text = TrimText(typed).substr(0, kKillCodeLimit);
    if (text.empty()) return {"", 0};
    if (text.size() < 3) return {"000", 0};
    for (char c : text)
        if (!IsDtmfCharacter(c)) return {"", kTextDtmfCodeBadChar};
    return {text, 0};
}

bool DtmfModel::Available(const CodeplugImage& image) {
    return image.byteCount() >= static_cast<std::size_t>(kDtmfRegionEnd);
}

DtmfModel::DtmfModel(CodeplugImage& image, const TextCatalogue& texts, Messages& messages)
    : image_(image), texts_(texts), messages_(messages) {
    FillLists();
    Read();
}

void DtmfModel::FillLists() {
    entries_[kRate] = {"6", "8", "10", "15"};
    entries_[kFirstDigitTime] = {"0", "100", "500", "1000"};
    entries_[kFirstDigitDelay].clear();
    for (int ms = 100; ms <= 950; ms += 50)
        entries_[kFirstDigitDelay].push_back(std::to_string(ms));
    entries_[kStarHashTone] = {"0", "100", "500", "1000"};
    entries_[kDKey] = {Text(kTextDKeySendsD)};
    for (int n = 1; n <= kCodeCount; ++n)
        entries_[kDKey].push_back(std::to_string(n) + Text(kTextDigitCodeSuffix));
    entries_[kSideTone] = {Text(kTextOn), Text(kTextOff)};
    entries_[kGroupCall] = {Text(kTextOffEntry), "A", "B", "C", "D", "*", "#"};
    entries_[kAutoReset] = {Text(kTextOffEntry)};
    for (int s = 1; s <= 15; ++s) entries_[kAutoReset].push_back(std::to_string(s));
    entries_[kCallAlert] = {Text(kTextOffEntry), Text(kTextAlertTone), Text(kTextDtmfAlertRing)};
    entries_[kAutoAnswer] = {Text(kTextOffEntry), Text(kTextDtmfAnswerTone), Text(kTextDigitCode)};
    entries_[kClearAutoAnswer] = {Text(kTextOn), Text(kTextOff)};
}

int DtmfModel::ReadByte(int address) const {
    std::string hex = image_.ReadBytes(address, 1);
    return hex.size() == 2 ? HexToInt(hex) : -1;
}

void DtmfModel::Read() {
    auto pick = [this](List list, int index, int fallBack) {
        int count = static_cast<int>(entries_[list].size());
        selected_[list] = index >= 0 && index < count ? index : fallBack;
    };
    pick(kRate, ReadByte(AddressOf(fields::kDtmfRate)), 0);
    pick(kFirstDigitTime, ReadByte(AddressOf(fields::kDtmfFirstDigitTime)), 0);
    pick(kFirstDigitDelay, ReadByte(AddressOf(fields::kDtmfFirstDigitDelay)) - 1, 0);
    pick(kStarHashTone, ReadByte(AddressOf(fields::kDtmfStarHashTone)), 1);
    pick(kDKey, ReadByte(AddressOf(fields::kDtmfDKey)), 0);
    selected_[kSideTone] = ReadByte(AddressOf(fields::kDtmfSideTone)) == 0 ? 1 : 0;
    pick(kAutoReset, ReadByte(AddressOf(fields::kDtmfAutoReset)), 10);
    pick(kCallAlert, ReadByte(AddressOf(fields::kDtmfCallAlert)), 1);
    pick(kAutoAnswer, ReadByte(AddressOf(fields::kDtmfAutoAnswer)), 0);
    selected_[kClearAutoAnswer] = ReadByte(AddressOf(fields::kDtmfClearAutoAnswer)) == 0 ? 1 : 0;

    selected_[kGroupCall] = 0;
    int group = ReadByte(AddressOf(fields::kDtmfGroupCall));
    if (group > 0 && group != 0xFF) {
        const std::string character(1, static_cast<char>(group));
        for (std::size_t i = 1; i < entries_[kGroupCall].size(); ++i)
            if (entries_[kGroupCall][i] == character) selected_[kGroupCall] = static_cast<int>(i);
    }

    storedKillCodeHex_ = image_.ReadBytes(mem::kDtmfKillCode, mem::kDtmfKillCodeBytes);
    killCode_ = HexToText(storedKillCodeHex_);
    killCodeEdited_ = false;
    for (CodeList list : {kDtmfCodes, kDigitCodes}) {
        for (int n = 0; n < kCodeCount; ++n)
            codes_[list][n] = HexToText(
                image_.ReadBytes(CodeTable(list) + n * mem::kDtmfCodeBytes, mem::kDtmfCodeBytes));
        editRow_[list] = 0;
        editText_[list].clear();
    }
}

void DtmfModel::Select(List list, int index) {
    if (index >= 0 && index < static_cast<int>(entries_[list].size())) selected_[list] = index;
}

void DtmfModel::SetKillCode(const std::string& text) {
    if (text == killCode_) return;
    killCode_ = text;
    killCodeEdited_ = true;
}

void DtmfModel::LeaveKillCode() {
    // A radio's code may break the field's rules (a letter E, two digits); checking it when the
    // user only passed through the field would empty or replace it behind their back.
    if (!killCodeEdited_) return;
    Checked c = CheckKillCode(killCode_);
    killCode_ = c.text;
    if (c.message) messages_.ShowMessage(Text(c.message));
}

const std::string& DtmfModel::Code(CodeList list, int entry) const {
    static const std::string none;
    if (entry < 0 || entry >= kCodeCount) return none;
    return codes_[list][entry];
}

void DtmfModel::SetCode(CodeList list, int entry, const std::string& text) {
    if (entry >= 0 && entry < kCodeCount) codes_[list][entry] = text;
}

int DtmfModel::ClickRow(CodeList list, int row) {
    if (row < 1 || row > kCodeCount) return editRow_[list];
    if (row == editRow_[list]) return row;
    CommitEdit(list);
    editRow_[list] = row;
    editText_[list] = codes_[list][row - 1];
    return row;
}

void DtmfModel::CommitEdit(CodeList list) {
    int row = editRow_[list];
    if (row == 0) return;
    // Forget the cell before a message can be shown, so the same cell can be edited again.
    editRow_[list] = 0;
    Checked c = CheckCode(list, editText_[list]);
    editText_[list].clear();
    codes_[list][row - 1] = c.text;
    if (c.message) messages_.ShowMessage(Text(c.message));
}

void DtmfModel::DeleteAll(CodeList list) {
    editRow_[list] = 0;
    editText_[list].clear();
    for (std::string& code : codes_[list]) code.clear();
    codes_[list][0] = kDefaultDigitCode;
}

std::string DtmfModel::ListByte(int address, List list, int value) const {
    if (selected_[list] < 0) return image_.ReadBytes(address, 1);
    return IntToHex(value, 1);
}

std::string DtmfModel::TablePiece(const std::string& text, int bytes) {
    std::string hex = TextToHex(text);
    hex.resize(static_cast<std::size_t>(2 * bytes), 'F');
    return hex;
}

bool DtmfModel::Apply() {
    if (!Available(image_)) return false;
    CommitEdit(kDtmfCodes);
    CommitEdit(kDigitCodes);
    LeaveKillCode();
    bool anyDigitCode = false;
    for (const std::string& code : codes_[kDigitCodes])
        anyDigitCode = anyDigitCode || !TrimText(code).empty();
    // A radio without any digit code cannot be called by its number.
    if (!anyDigitCode) codes_[kDigitCodes][0] = kDefaultDigitCode;

    const int* s = selected_.data();
    std::string lists;
    lists += ListByte(AddressOf(fields::kDtmfRate), kRate, s[kRate]);
    lists += ListByte(AddressOf(fields::kDtmfFirstDigitTime), kFirstDigitTime, s[kFirstDigitTime]);
    lists += ListByte(AddressOf(fields::kDtmfFirstDigitDelay), kFirstDigitDelay,
                      s[kFirstDigitDelay] + 1);
    lists += ListByte(AddressOf(fields::kDtmfStarHashTone), kStarHashTone, s[kStarHashTone]);
    lists += ListByte(AddressOf(fields::kDtmfDKey), kDKey, s[kDKey]);
    lists += ListByte(AddressOf(fields::kDtmfSideTone), kSideTone, s[kSideTone] == 0 ? 1 : 0);
    int group = 0xFF;
    if (s[kGroupCall] > 0)
        group = static_cast<unsigned char>(entries_[kGroupCall][s[kGroupCall]][0]);
    lists += ListByte(AddressOf(fields::kDtmfGroupCall), kGroupCall, group);
    lists += ListByte(AddressOf(fields::kDtmfAutoReset), kAutoReset, s[kAutoReset]);
    lists += ListByte(AddressOf(fields::kDtmfCallAlert), kCallAlert, s[kCallAlert]);
    lists += ListByte(AddressOf(fields::kDtmfAutoAnswer), kAutoAnswer, s[kAutoAnswer]);
    lists += ListByte(AddressOf(fields::kDtmfClearAutoAnswer), kClearAutoAnswer,
                      s[kClearAutoAnswer] == 0 ? 1 : 0);

    std::string kill =
        killCodeEdited_ ? TablePiece(killCode_, mem::kDtmfKillCodeBytes) : storedKillCodeHex_;
    std::array<std::string, 2> tables;
    for (CodeList list : {kDtmfCodes, kDigitCodes})
        for (const std::string& code : codes_[list])
            tables[list] += TablePiece(code, mem::kDtmfCodeBytes);

    // Every piece must be exactly its field's size: a short piece would leave stale bytes
    // behind, a long one would spill into the next field.
    if (lists.size() !=
            2u * (AddressOf(fields::kDtmfClearAutoAnswer) - AddressOf(fields::kDtmfRate) + 1) ||
        kill.size() != 2u * mem::kDtmfKillCodeBytes || tables[0].size() != 2u * kCodeTableBytes ||
        tables[1].size() != 2u * kCodeTableBytes)
        return false;
    return image_.WriteBytes(AddressOf(fields::kDtmfRate), lists) &&
           image_.WriteBytes(mem::kDtmfKillCode, kill) &&
           image_.WriteBytes(mem::kDtmfCodes, tables[0]) &&
           image_.WriteBytes(mem::kDtmfDigitCodes, tables[1]);
}

}  // namespace vgr47
