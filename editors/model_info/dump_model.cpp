// The model area: which radio the codeplug is for. Read-only: a text made for another model
// is refused rather than applied to a radio it was not meant for.
#include "core/codeplug_lib.h"
#include "editors/dump/dump_areas.h"

namespace vgr47::dump {
namespace {

class ModelArea : public Area {
public:
    std::string name() const override { return "model"; }

    std::vector<Line> Dump(const Context& ctx) const override {
        const std::string& id = ctx.state.currentIdentity();
        return {{"model.identity", id},
                {"model.name", FormatQuoted(ctx.state.ModelDisplayName(id))},
                {"model.band", FormatGeneral(ctx.state.bandLow()) + "-" + FormatGeneral(ctx.state.bandHigh())}};
    }

    void Load(const std::vector<Input>& changed, Context& ctx, std::vector<Problem>& problems) const override {
        for (const Input& in : changed)
            problems.push_back({in.lineNumber, in.key + " is for another model than this codeplug (" +
                                                   ctx.state.ModelDisplayName(ctx.state.currentIdentity()) + ")"});
    }
};

}  // namespace

std::unique_ptr<Area> MakeModelArea() { return std::make_unique<ModelArea>(); }

}  // namespace vgr47::dump
