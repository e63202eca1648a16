#include "editors/two_tone/two_tone_model.h"

#include <algorithm>
#include <cmath>

#include "core/codeplug_lib.h"
#include "core/field_clamps.h"
#include "core/layout/codeplug_layout.h"
#include "core/memory_map.h"
#include "core/text_ids.h"

namespace vgr47 {

using layout::AddressOf;
namespace fields = layout::fields;
namespace {

constexpr const char* kCombinationTexts[TwoToneModel::kCombinations] = {
    "A-B", "A-C", "A-D", "B-A", "B-C",    "B-D",    "C-A",   "C-B",
    "C-D", "D-A", "D-B", "D-C", "Long A", "Long B", "Long C"};

constexpr int kEncodeTableBytes = mem::kTwoToneEncodeBytes * mem::kTwoToneEncodeCount;
constexpr int kDecodeBlockBytes = mem::kTwoToneDecodeSetBytes * mem::kTwoToneDecodeSetCount;
constexpr int kSetChars = 2 * mem::kTwoToneDecodeSetBytes;
constexpr int kAutoResetMax = 300;
namespace fields = layout::fields;
const layout::Field* const kEncodeFields[2] = {&fields::kTwoToneEncodeFirstTone,
                                               &fields::kTwoToneEncodeSecondTone};
const layout::Field* const kToneFields[4] = {&fields::kTwoToneSetToneA, &fields::kTwoToneSetToneB,
                                             &fields::kTwoToneSetToneC, &fields::kTwoToneSetToneD};

// Default first entry: the table is never left without a first tone.
constexpr const char* kDefaultFirstTone = "420.0";
constexpr const char* kDefaultSecondTone = "928.1";

std::string ToneText(int tenths) { return FormatFixed(tenths / 10.0, 1, 2); }

}  // namespace

int TwoToneModel::Tenths16(const std::string& text) {
    long v = std::lround(ParseLeadingDouble(text) * 10.0);
    return static_cast<int>(std::clamp(v, 0L, 0xFFFFL));
}

TwoToneModel::TwoToneModel(CodeplugImage& image, const TextCatalogue& texts)
    : image_(image), texts_(texts) {
    Read();
}

bool TwoToneModel::Available(const CodeplugImage& image) {
    int end =
        std::max({AddressOf(fields::kTwoToneGap) + 2, mem::kTwoToneDecodeSets + kDecodeBlockBytes,
                  mem::kTwoToneEncode + kEncodeTableBytes});
    return static_cast<int>(image.byteCount()) >= end;
}

std::string TwoToneModel::CombinationText(int code) {
    return code >= 0 && code < kCombinations ? kCombinationTexts[code] : "";
}

int TwoToneModel::CombinationCode(const std::string& text) {
    for (int c = 0; c < kCombinations; ++c)
        if (text == kCombinationTexts[c]) return c;
    return -1;
}

void TwoToneModel::Read() {
    settings::LoadSettings(Settings(), *this, image_);

    for (int e = 0; e < kEntries; ++e) {
        for (int t = 0; t < 2; ++t) {
            const std::optional<int> code = layout::Read(image_, *kEncodeFields[t], e + 1);
            cells_[e][t] = (!code || *code == 0xFFFF || *code == 0) ? "" : ToneText(*code);
        }
    }
    currentEntry_ = 0;
    editing_.reset();

    workingCopy_ = image_.ReadBytes(mem::kTwoToneDecodeSets, kDecodeBlockBytes);
    // A short image is never written; the copy only has to be whole.
    if (static_cast<int>(workingCopy_.size()) != 2 * kDecodeBlockBytes)
        workingCopy_.assign(2 * kDecodeBlockBytes, 'F');
    ShowSet(0);
}

const std::string& TwoToneModel::fieldText(Field f) const {
    return f < kToneA ? fields_[f] : shown_.tones[f - kToneA];
}

void TwoToneModel::SetFieldText(Field f, const std::string& text) {
    if (f < kToneA)
        fields_[f] = text;
    else
        shown_.tones[f - kToneA] = text;
}

TwoToneModel::Range TwoToneModel::FieldRange(Field f) {
    switch (f) {
        case kFirstDuration:
        case kSecondDuration:
            return {0.5, 10.0};
        case kLongDuration:
            return {3.0, 10.0};
        case kGap:
            return {0, 500};
        default:
            return {288.5, 3000.0};
    }
}

void TwoToneModel::LeaveField(Field f) {
    std::string& text = f < kToneA ? fields_[f] : shown_.tones[f - kToneA];
    const Range r = FieldRange(f);
    if (f == kGap)
        text = ClampIntField(text, static_cast<int>(r.min), static_cast<int>(r.max), 1);
    else
        text = ClampDecimalField(text, r.min, r.max, 0.1);
}

// ---- encode grid ----

void TwoToneModel::SetCurrentEntry(int entry) {
    if (entry >= 0 && entry < kEntries) currentEntry_ = entry;
}

TwoToneModel::Cell TwoToneModel::BeginCellEdit(int entry, int tone) {
    CommitCellEdit();
    entry = std::clamp(entry, 0, kEntries - 1);
    if (tone != 0 && cells_[entry][0].empty()) tone = 0;
    tone = tone != 0 ? 1 : 0;
    editing_ = Cell{entry, tone};
    editorText_ = cells_[entry][tone];
    currentEntry_ = entry;
    return *editing_;
}

void TwoToneModel::CommitCellEdit() {
    if (!editing_) return;
    Cell c = *editing_;
    editing_.reset();
    EnterCell(c.entry, c.tone, editorText_);
}

void TwoToneModel::EnterCell(int entry, int tone, const std::string& text) {
    if (entry < 0 || entry >= kEntries || tone < 0 || tone > 1) return;
    std::string t = TrimText(text);
    if (t.empty()) {
        cells_[entry][tone].clear();
        // A second tone alone would be sent without the tone that announces it.
        if (tone == 0) cells_[entry][1].clear();
        return;
    }
    const Range range = FieldRange(kToneA);
    double v = std::clamp(ParseLeadingDouble(t), range.min, range.max);
    cells_[entry][tone] = FormatFixed(v, 1, 2);
}

void TwoToneModel::EnsureFirstEntry() {
    for (const auto& row : cells_)
        if (!row[0].empty()) return;
    cells_[0] = {kDefaultFirstTone, kDefaultSecondTone};
}

void TwoToneModel::DeleteCurrentEntry() {
    editing_.reset();
    cells_[currentEntry_] = {"", ""};
    EnsureFirstEntry();
}

void TwoToneModel::DeleteAllEntries() {
    editing_.reset();
    for (auto& row : cells_) row = {"", ""};
    EnsureFirstEntry();
}

// ---- decoder sets ----

TwoToneModel::DecodeSet TwoToneModel::DecodeFrom(const std::string& hex) const {
    auto read = [&hex](const layout::Field& f) { return layout::ReadInRecord(hex, f).value_or(0); };
    DecodeSet s;
    int first = read(fields::kTwoToneSetFirst);
    int second = read(fields::kTwoToneSetSecond);
    s.first = first < kCombinations ? first : kNoChoice;
    s.second = second == 0xFF ? kNoneChoice : second < kCombinations ? second : kNoChoice;
    // The lists never offer one combination twice; Decode 1 keeps it.
    if (s.second >= 0 && s.second == s.first) s.second = kNoChoice;
    for (int l = 0; l < 4; ++l) s.tones[l] = ToneText(read(*kToneFields[l]));
    int reset = read(fields::kTwoToneSetAutoReset);
    if (reset == 0)
        s.autoReset = Text(kTextNone);
    else if (reset > 0 && reset <= kAutoResetMax)
        s.autoReset = std::to_string(reset);
    int alert = read(fields::kTwoToneSetCallAlert);
    int answer = read(fields::kTwoToneSetAutoAnswer);
    s.callAlert = alert <= 2 ? alert : -1;
    s.autoAnswer = answer <= 1 ? answer : -1;
    return s;
}

std::string TwoToneModel::EncodeSet(const DecodeSet& s, const std::string& old) const {
    // Every bit no field takes stays set, as the radio's own sets have them.
    std::string out(kSetChars, 'F');
    auto put = [&out](const layout::Field& f, int value) { layout::WriteInRecord(out, f, value); };
    auto kept = [&old](const layout::Field& f) { return layout::ReadInRecord(old, f).value_or(0); };
    // Decode 1 without a choice keeps the byte it was read with.
    put(fields::kTwoToneSetFirst, s.first >= 0 ? s.first : kept(fields::kTwoToneSetFirst));
    if (s.second >= 0) put(fields::kTwoToneSetSecond, s.second);
    for (int l = 0; l < 4; ++l) put(*kToneFields[l], Tenths16(s.tones[l]));
    put(fields::kTwoToneSetAutoReset,
        s.autoReset == Text(kTextNone)
            ? 0
            : std::clamp(ParseLeadingInt(s.autoReset), 0, kAutoResetMax));
    // A list without a selection keeps its bits as read.
    put(fields::kTwoToneSetCallAlert,
        s.callAlert >= 0 ? s.callAlert : kept(fields::kTwoToneSetCallAlert));
    put(fields::kTwoToneSetAutoAnswer,
        s.autoAnswer >= 0 ? s.autoAnswer : kept(fields::kTwoToneSetAutoAnswer));
    return out;
}

void TwoToneModel::ShowSet(int n) {
    shownSet_ = std::clamp(n, 0, kSets - 1);
    shown_ =
        DecodeFrom(workingCopy_.substr(static_cast<std::size_t>(shownSet_ * kSetChars), kSetChars));
}

TwoToneModel::DecodeSet TwoToneModel::SetValues(int n) const {
    if (n == shownSet_) return shown_;
    return DecodeFrom(workingCopy_.substr(
        static_cast<std::size_t>(std::clamp(n, 0, kSets - 1) * kSetChars), kSetChars));
}

void TwoToneModel::ApplySetClamps() {
    for (int l = 0; l < 4; ++l)
        if (ToneEnabled(l)) LeaveField(static_cast<Field>(kToneA + l));
    LeaveAutoReset();
}

void TwoToneModel::SelectSet(int n) {
    if (n < 0 || n >= kSets) return;
    ApplySetClamps();
    std::size_t at = static_cast<std::size_t>(shownSet_ * kSetChars);
    std::string stored = EncodeSet(shown_, workingCopy_.substr(at, kSetChars));
    if (static_cast<int>(stored.size()) == kSetChars) workingCopy_.replace(at, kSetChars, stored);
    ShowSet(n);
}

std::vector<int> TwoToneModel::Decode1Codes() const {
    std::vector<int> codes;
    for (int c = 0; c < kCombinations; ++c)
        if (c != shown_.second) codes.push_back(c);
    return codes;
}

std::vector<int> TwoToneModel::Decode2Codes() const {
    std::vector<int> codes{kNoneChoice};
    for (int c = 0; c < kCombinations; ++c)
        if (c != shown_.first) codes.push_back(c);
    return codes;
}

std::vector<std::string> TwoToneModel::Decode1Entries() const {
    std::vector<std::string> out;
    for (int c : Decode1Codes()) out.push_back(CombinationText(c));
    return out;
}

std::vector<std::string> TwoToneModel::Decode2Entries() const {
    std::vector<std::string> out;
    for (int c : Decode2Codes())
        out.push_back(c == kNoneChoice ? Text(kTextNone) : CombinationText(c));
    return out;
}

int TwoToneModel::decode1Index() const {
    auto codes = Decode1Codes();
    auto it = std::find(codes.begin(), codes.end(), shown_.first);
    return it == codes.end() ? -1 : static_cast<int>(it - codes.begin());
}

int TwoToneModel::decode2Index() const {
    auto codes = Decode2Codes();
    auto it = std::find(codes.begin(), codes.end(), shown_.second);
    return it == codes.end() ? -1 : static_cast<int>(it - codes.begin());
}

void TwoToneModel::SelectDecode1(int index) {
    auto codes = Decode1Codes();
    if (index >= 0 && index < static_cast<int>(codes.size())) shown_.first = codes[index];
}

void TwoToneModel::SelectDecode2(int index) {
    auto codes = Decode2Codes();
    if (index >= 0 && index < static_cast<int>(codes.size())) shown_.second = codes[index];
}

bool TwoToneModel::SetDecodeChoices(int first, int second) {
    bool firstOk =
        (first >= 0 && first < kCombinations) || (first == kNoChoice && shown_.first == kNoChoice);
    bool secondOk = second == kNoneChoice || (second >= 0 && second < kCombinations) ||
                    (second == kNoChoice && shown_.second == kNoChoice);
    if (!firstOk || !secondOk || (second >= 0 && second == first)) return false;
    shown_.first = first;
    shown_.second = second;
    return true;
}

bool TwoToneModel::ToneEnabled(int letter) const {
    const char ch = static_cast<char>('A' + letter);
    return CombinationText(shown_.first).find(ch) != std::string::npos ||
           CombinationText(shown_.second).find(ch) != std::string::npos;
}

std::vector<std::string> TwoToneModel::AutoResetEntries() const {
    std::vector<std::string> out{Text(kTextNone)};
    for (int s = 1; s <= kAutoResetMax; ++s) out.push_back(std::to_string(s));
    return out;
}

std::vector<std::string> TwoToneModel::CallAlertEntries() const {
    return {Text(kTextNone), Text(kTextAlertToneShared), Text(kTextAlertRing)};
}

std::vector<std::string> TwoToneModel::AutoAnswerEntries() const {
    return {Text(kTextNone), Text(kTextAnswerTone)};
}

void TwoToneModel::LeaveAutoReset() {
    auto entries = AutoResetEntries();
    if (std::find(entries.begin(), entries.end(), shown_.autoReset) == entries.end())
        shown_.autoReset = entries[0];
}

// ---- OK ----

bool TwoToneModel::Ok() {
    CommitCellEdit();
    for (Field f : {kFirstDuration, kSecondDuration, kLongDuration, kGap}) LeaveField(f);
    ApplySetClamps();

    // Every piece is built and checked before the first byte is written.
    std::string first = IntToHex(Tenths16(fields_[kFirstDuration]), 1);
    std::string second = IntToHex(Tenths16(fields_[kSecondDuration]), 1);
    std::string longTone = IntToHex(Tenths16(fields_[kLongDuration]), 1);
    std::string gap = IntToHexLe(ParseLeadingInt(fields_[kGap]), 2);
    // The switches' byte is written by the description; here it only has to be there.
    std::string options = image_.ReadBytes(mem::kTwoToneOptions, 1);

    EnsureFirstEntry();
    std::string table;
    for (const auto& row : cells_) {
        std::string entry(2 * mem::kTwoToneEncodeBytes, 'F');
        for (int t = 0; t < 2; ++t)
            if (!row[t].empty()) layout::WriteInRecord(entry, *kEncodeFields[t], Tenths16(row[t]));
        table += entry;
    }

    std::size_t at = static_cast<std::size_t>(shownSet_ * kSetChars);
    std::string stored = EncodeSet(shown_, workingCopy_.substr(at, kSetChars));
    if (static_cast<int>(stored.size()) != kSetChars) return false;
    std::string block = workingCopy_;
    block.replace(at, kSetChars, stored);

    if (!Available(image_) || first.size() != 2 || second.size() != 2 || longTone.size() != 2 ||
        gap.size() != 4 || options.size() != 2 ||
        static_cast<int>(table.size()) != 2 * kEncodeTableBytes ||
        static_cast<int>(block.size()) != 2 * kDecodeBlockBytes)
        return false;
    workingCopy_ = block;
    // The pieces above fit their places, so the description writes exactly them.
    settings::StoreSettings(Settings(), *this, image_);
    image_.WriteBytes(mem::kTwoToneEncode, table);
    image_.WriteBytes(mem::kTwoToneDecodeSets, workingCopy_);
    return true;
}

}  // namespace vgr47
