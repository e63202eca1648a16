// The twotone area: the 2-tone form's settings as its description gives them. Loading types
// the values in as a user would, visits the decoder sets tab by tab and presses OK.
#include "editors/dump/described_area.h"
#include "editors/dump/dump_areas.h"
#include "editors/two_tone/two_tone_model.h"

namespace vgr47::dump {

std::unique_ptr<Area> MakeTwoToneArea() {
    AreaRules<TwoToneModel> rules;
    rules.shown = [](const Context& ctx) { return TwoToneModel::Available(ctx.image); };
    // The radio would never receive these bytes: the window greys the form on such a model.
    rules.refused = [](const Context& ctx) {
        return ctx.state.IsExtendedModel() ? nullptr : "this model has no 2-tone signalling";
    };
    rules.noRoom = "twotone: the codeplug is too short for the 2-tone tables";
    return MakeDescribedArea<TwoToneModel>(
        [](const Context& ctx, Messages&) {
            return std::make_unique<TwoToneModel>(ctx.image, ctx.texts);
        },
        std::move(rules));
}

}  // namespace vgr47::dump
