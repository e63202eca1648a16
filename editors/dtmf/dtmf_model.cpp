#include "editors/dtmf/dtmf_model.h"

#include "core/codeplug_lib.h"
#include "core/layout/codeplug_layout.h"
#include "core/text_ids.h"

namespace vgr47 {

namespace {

bool IsDtmfCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') || c == '*' || c == '#';
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
    // The digit codes are the region's last bytes.
    return image.byteCount() >= static_cast<std::size_t>(layout::kDtmfDigitCodeTable.end());
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

void DtmfModel::Read() {
    settings::LoadSettings(Settings(), *this, image_);
    killCodeEdited_ = false;
    for (CodeList list : {kDtmfCodes, kDigitCodes}) {
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

    settings::StoreSettings(Settings(), *this, image_);
    return true;
}

}  // namespace vgr47
