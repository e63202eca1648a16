// The test frequency table as text, from the form's settings description: testfreq.1 ...
// testfreq.8 = "<first> <second>", or nothing for an empty pair.
#include "editors/dump/described_area.h"
#include "editors/dump/dump_areas.h"
#include "editors/test_freq/test_freq_model.h"

namespace vgr47::dump {

std::unique_ptr<Area> MakeTestFreqArea() {
    AreaRules<TestFreqModel> rules;
    rules.shown = [](const Context& ctx) { return TestFreqModel::Available(ctx.image); };
    rules.noRoom = "the codeplug is too short to hold the test frequencies";
    return MakeDescribedArea<TestFreqModel>(
        [](const Context& ctx, Messages&) {
            return std::make_unique<TestFreqModel>(ctx.image, ctx.state);
        },
        std::move(rules));
}

}  // namespace vgr47::dump
