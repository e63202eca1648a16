// The test frequency table as text: testfreq.1 ... testfreq.8 = "<first> <second>", or
// nothing for an empty pair. Loading goes through the form's model, so a single frequency fills
// both halves as typing it into the grid does; a frequency outside the model's band is refused
// rather than moved to its edge.
#include <cctype>
#include <sstream>

#include "core/codeplug_lib.h"
#include "editors/dump/dump_areas.h"
#include "editors/test_freq/test_freq_model.h"

namespace vgr47::dump {
namespace {

constexpr int kTableEnd =
    mem::kTestFrequencies + mem::kTestFrequencyCount * mem::kTestFrequencyRecordBytes;

constexpr std::size_t kDecimals = 5;  // 10 Hz, the finest step a frequency code holds

std::string Key(int row) { return "testfreq." + std::to_string(row); }

// What the grid's editor lets through: digits with at most one decimal point.
bool IsFrequencyEntry(const std::string& text) {
    int digits = 0, points = 0;
    for (char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)))
            ++digits;
        else if (c == '.')
            ++points;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

class TestFreqArea : public Area {
  public:
    std::string name() const override { return "testfreq"; }

    std::vector<Line> Dump(const Context& ctx) const override {
        if (static_cast<int>(ctx.image.byteCount()) < kTableEnd) return {};
        TestFreqModel model(ctx.image, ctx.state);
        std::vector<Line> lines;
        for (int r = 1; r <= TestFreqModel::kRows; ++r) {
            std::string first = TrimText(model.Cell(r, 1)), second = TrimText(model.Cell(r, 2));
            std::string value = first.empty() && second.empty() ? "" : first + " " + second;
            lines.push_back({Key(r), TrimText(value)});
        }
        return lines;
    }

    void Load(const std::vector<Input>& changed, Context& ctx,
              std::vector<Problem>& problems) const override {
        TestFreqModel model(ctx.image, ctx.state);
        for (const Input& in : changed) {
            int row = 0;
            for (int r = 1; r <= TestFreqModel::kRows; ++r)
                if (in.key == Key(r)) row = r;
            if (row == 0) {
                problems.push_back({in.lineNumber, "unknown key " + in.key});
                return;
            }
            std::istringstream words(in.value);
            std::vector<std::string> values;
            for (std::string w; words >> w;) values.push_back(w);
            if (values.size() > 2) {
                problems.push_back(
                    {in.lineNumber, in.key + ": at most two frequencies, first and second"});
                return;
            }
            for (const std::string& v : values) {
                if (!IsFrequencyEntry(v)) {
                    problems.push_back(
                        {in.lineNumber, in.key + ": \"" + v + "\" is not a frequency in MHz"});
                    return;
                }
                // The grid would move it to the band's edge or round it; a text says it exactly.
                const double mhz = ParseLeadingDouble(v);
                const std::size_t dot = v.find('.');
                if (mhz < ctx.state.bandLow() || mhz > ctx.state.bandHigh() ||
                    (dot != std::string::npos && v.size() - dot - 1 > kDecimals)) {
                    problems.push_back({in.lineNumber, in.key + ": expected a frequency from " +
                                                           FormatGeneral(ctx.state.bandLow()) +
                                                           " to " +
                                                           FormatGeneral(ctx.state.bandHigh()) +
                                                           " MHz with at most 5 decimals"});
                    return;
                }
            }
            // As a user would: clear the pair, then type the first and the second frequency.
            model.Commit(row, 1, "");
            for (std::size_t i = 0; i < values.size(); ++i)
                model.Commit(row, static_cast<int>(i) + 1, values[i]);
        }
        if (!model.Apply())
            problems.push_back({0, "the codeplug is too short to hold the test frequencies"});
    }
};

}  // namespace

std::unique_ptr<Area> MakeTestFreqArea() { return std::make_unique<TestFreqArea>(); }

}  // namespace vgr47::dump
