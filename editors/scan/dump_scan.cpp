// The scan area: the scan form's lists as text, from its settings description, applied in the
// form's order (function, then priority, then revert), since each decides what the next one
// offers.
#include "editors/dump/described_area.h"
#include "editors/dump/dump_areas.h"
#include "editors/scan/scan_model.h"

namespace vgr47::dump {

std::unique_ptr<Area> MakeScanArea() {
    return MakeDescribedArea<ScanModel>([](const Context& ctx, Messages&) {
        return std::make_unique<ScanModel>(ctx.image, ctx.state, ctx.texts, ctx.channels);
    });
}

}  // namespace vgr47::dump
