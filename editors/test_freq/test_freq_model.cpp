#include "editors/test_freq/test_freq_model.h"

#include "core/codeplug_lib.h"
#include "core/frequency_codec.h"
#include "editors/channels/channel_model.h"

namespace vgr47 {

namespace {

constexpr int kTableBytes = mem::kTestFrequencyCount * mem::kTestFrequencyRecordBytes;
constexpr std::size_t kRecordHexChars = mem::kTestFrequencyRecordBytes * 2;
constexpr std::size_t kHalfHexChars = kRecordHexChars / 2;  // one 4-byte frequency code
const std::string kNoFrequency = "FFFFFFFF";

bool AllF(const std::string& hex) { return hex.find_first_not_of("Ff") == std::string::npos; }

}  // namespace

TestFreqModel::TestFreqModel(CodeplugImage& image, const ModelState& state)
    : image_(image), state_(state) {
    Fill();
}

bool TestFreqModel::Available(const CodeplugImage& image) {
    return image.byteCount() >= static_cast<std::size_t>(layout::kTestFrequencyTable.end());
}

bool TestFreqModel::Valid(int row, int column) {
    return row >= 1 && row <= kRows && column >= 1 && column <= kColumns;
}

void TestFreqModel::Fill() {
    const std::string table = image_.ReadBytes(mem::kTestFrequencies, kTableBytes);
    for (int r = 0; r < kRows; ++r) {
        const std::size_t at = static_cast<std::size_t>(r) * kRecordHexChars;
        std::string record = at < table.size() ? table.substr(at, kRecordHexChars) : "";
        for (int c = 0; c < kColumns; ++c) {
            std::string half = record.size() == kRecordHexChars
                                   ? record.substr(c * kHalfHexChars, kHalfHexChars)
                                   : "";
            // An FF half stays empty, so OK writes it back as it was (it is not a frequency).
            cells_[r][c] = half.empty() || AllF(half) ? "" : FormatFrequency(DecodeFrequency(half));
        }
    }
}

const std::string& TestFreqModel::Cell(int row, int column) const {
    static const std::string none;
    return Valid(row, column) ? cells_[row - 1][column - 1] : none;
}

bool TestFreqModel::IsPairEmpty(int row) const {
    return Cell(row, 1).empty() && Cell(row, 2).empty();
}

void TestFreqModel::Commit(int row, int column, const std::string& text) {
    if (!Valid(row, column)) return;
    auto& pair = cells_[row - 1];
    const std::string entered = TrimText(text);
    if (entered.empty()) {
        pair = {"", ""};
        return;
    }
    // A decimal comma reads as the point, as in the channel dialog.
    std::string value = ClampFrequencyText(ChannelModel::WithDecimalPoint(entered),
                                           state_.bandLow(), state_.bandHigh());
    pair[column - 1] = value;
    std::string& partner = pair[column == 1 ? 1 : 0];
    if (TrimText(partner).empty()) partner = value;
}

std::string TestFreqModel::TableHex() const {
    std::string hex;
    for (const auto& pair : cells_) {
        for (const std::string& cell : pair) {
            std::string code = TrimText(cell).empty() ? "" : EncodeFrequencyText(cell);
            hex += code.size() == kNoFrequency.size() ? code : kNoFrequency;
        }
    }
    hex.resize(kTableBytes * 2, 'F');
    return hex;
}

bool TestFreqModel::Apply() { return image_.WriteBytes(mem::kTestFrequencies, TableHex()); }

}  // namespace vgr47
