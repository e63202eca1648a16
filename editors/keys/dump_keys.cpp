// The keys area: the key assignment form's lists as text, from its settings description. A
// basic radio's image ends before the side key bytes, so their lines are left out there.
#include "editors/dump/described_area.h"
#include "editors/dump/dump_areas.h"
#include "editors/keys/key_assign_model.h"

namespace vgr47::dump {

std::unique_ptr<Area> MakeKeysArea() {
    return MakeDescribedArea<KeyAssignModel>([](const Context& ctx, Messages&) {
        return std::make_unique<KeyAssignModel>(ctx.image, ctx.state, ctx.texts);
    });
}

}  // namespace vgr47::dump
