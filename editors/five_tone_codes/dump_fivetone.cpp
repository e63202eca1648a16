// The fivetone lines: the 5-tone system form's, then the encode/decode form's, each as its
// description gives them. Both forms exist only where the image holds both blocks.
#include "editors/dump/described_area.h"
#include "editors/dump/dump_areas.h"
#include "editors/five_tone_codes/five_tone_en_decode_model.h"
#include "editors/five_tone_system/five_tone_system_model.h"

namespace vgr47::dump {
namespace {

template <class Model>
AreaRules<Model> FiveToneRules() {
    AreaRules<Model> rules;
    rules.shown = [](const Context& ctx) {
        return FiveToneSystemModel::Available(ctx.image) &&
               FiveToneEnDecodeModel::Available(ctx.image);
    };
    rules.refused = [](const Context& ctx) {
        return ctx.state.IsExtendedModel() ? nullptr : "this model has no 5-tone signalling";
    };
    return rules;
}

}  // namespace

std::unique_ptr<Area> MakeFiveToneSystemArea() {
    return MakeDescribedArea<FiveToneSystemModel>(
        [](const Context& ctx, Messages&) {
            return std::make_unique<FiveToneSystemModel>(ctx.image, ctx.texts);
        },
        FiveToneRules<FiveToneSystemModel>());
}

std::unique_ptr<Area> MakeFiveToneCodesArea() {
    return MakeDescribedArea<FiveToneEnDecodeModel>(
        [](const Context& ctx, Messages& messages) {
            return std::make_unique<FiveToneEnDecodeModel>(ctx.image, ctx.texts, messages);
        },
        FiveToneRules<FiveToneEnDecodeModel>());
}

}  // namespace vgr47::dump
