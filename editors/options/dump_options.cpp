// The options area: the optional features form as text, from its settings description. Its
// hidden power-on scan list is the scan area's scan.power_on_scan.
#include "editors/dump/described_area.h"
#include "editors/dump/dump_areas.h"
#include "editors/options/option_model.h"

namespace vgr47::dump {

std::unique_ptr<Area> MakeOptionsArea() {
    return MakeDescribedArea<OptionModel>([](const Context& ctx, Messages&) {
        return std::make_unique<OptionModel>(ctx.image, ctx.state, ctx.texts);
    });
}

}  // namespace vgr47::dump
