// The test frequency form's settings: each row's pair of frequencies as one text, "<first>
// <second>", or nothing for an empty pair. The table itself is read and written by the model
// (an FF half stays empty, a cell is clamped into the band); loading a row goes through the
// grid's editor, so a single frequency fills both halves as typing it into the grid does, and
// a frequency outside the model's band is refused rather than moved to its edge.
#include <cctype>
#include <sstream>

#include "core/codeplug_lib.h"
#include "core/frequency_codec.h"
#include "editors/test_freq/test_freq_model.h"

namespace vgr47 {
namespace {

using Model = TestFreqModel;
using namespace settings;
namespace fields = layout::fields;

constexpr std::size_t kDecimals = 5;  // 10 Hz, the finest step a frequency code holds

std::vector<std::string> Words(const std::string& text) {
    std::istringstream words(text);
    std::vector<std::string> out;
    for (std::string w; words >> w;) out.push_back(w);
    return out;
}

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

}  // namespace

const settings::Description<TestFreqModel>& TestFreqModel::Settings() {
    static const Description<Model> description = [] {
        Description<Model> d{"testfreq", {}};
        d.firstProblemOnly = true;
        for (int row = 1; row <= kRows; ++row)
            d.settings.push_back(
                TextField<Model>(
                    "testfreq." + std::to_string(row), fields::kTestFrequencyRx, row,
                    [row](const Model& m) {
                        const std::string first = TrimText(m.Cell(row, 1));
                        const std::string second = TrimText(m.Cell(row, 2));
                        return first.empty() && second.empty() ? ""
                                                               : TrimText(first + " " + second);
                    },
                    nullptr)
                    .PairedWith(fields::kTestFrequencyTx)
                    .Quoted(Quoting::Never)
                    .Checks([](const Model& m, const std::string& value,
                               std::string& why) -> std::optional<std::string> {
                        const auto values = Words(value);
                        if (values.size() > 2) {
                            why = "at most two frequencies, first and second";
                            return std::nullopt;
                        }
                        for (const std::string& v : values) {
                            if (!IsFrequencyEntry(v)) {
                                why = "\"" + v + "\" is not a frequency in MHz";
                                return std::nullopt;
                            }
                            // The grid would move it to the band's edge or round it; a text
                            // says it exactly.
                            const double mhz = ParseLeadingDouble(v);
                            const std::size_t dot = v.find('.');
                            if (mhz < m.state_.bandLow() || mhz > m.state_.bandHigh() ||
                                (dot != std::string::npos && v.size() - dot - 1 > kDecimals)) {
                                why = "expected a frequency from " +
                                      FormatGeneral(m.state_.bandLow()) + " to " +
                                      FormatGeneral(m.state_.bandHigh()) +
                                      " MHz with at most 5 decimals";
                                return std::nullopt;
                            }
                        }
                        return value;
                    })
                    // As a user would: clear the pair, then type the first and the second.
                    .ChosenAs([row](Model& m, const std::string& value) {
                        m.Commit(row, 1, "");
                        const auto values = Words(value);
                        for (std::size_t i = 0; i < values.size(); ++i)
                            m.Commit(row, static_cast<int>(i) + 1, values[i]);
                    })
                    // The band's two ends as the grid shows them, and an empty pair.
                    .Offers([](const Model& m) -> std::vector<std::string> {
                        return {TrimText(FormatFrequency(m.state_.bandLow())) + " " +
                                    TrimText(FormatFrequency(m.state_.bandHigh())),
                                ""};
                    }));
        return d;
    }();
    return description;
}

}  // namespace vgr47
