// The DTMF area: the form's lists, the kill code and the two code lists, from its settings
// description. Shown wherever the image holds the bytes; changed only on models that offer the
// form.
#include "editors/dtmf/dtmf_model.h"
#include "editors/dump/described_area.h"
#include "editors/dump/dump_areas.h"

namespace vgr47::dump {

std::unique_ptr<Area> MakeDtmfArea() {
    AreaRules<DtmfModel> rules;
    rules.shown = [](const Context& ctx) { return DtmfModel::Available(ctx.image); };
    rules.refused = [](const Context& ctx) {
        return ctx.state.IsExtendedModel() ? nullptr : "this model has no DTMF settings";
    };
    rules.noRoom = "dtmf: the codeplug has no room for the DTMF settings";
    return MakeDescribedArea<DtmfModel>(
        [](const Context& ctx, Messages& messages) {
            return std::make_unique<DtmfModel>(ctx.image, ctx.texts, messages);
        },
        std::move(rules));
}

}  // namespace vgr47::dump
