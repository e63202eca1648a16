// The auto-channel-select area: cycles, times and the channel list, from the form's settings
// description. A loaded list must be one the form could have made: no gaps, no channel twice,
// only channels the chooser offers. Shown wherever the image holds the bytes; changed only on
// models that offer the form.
#include <array>

#include "editors/acs/acs_model.h"
#include "editors/dump/described_area.h"
#include "editors/dump/dump_areas.h"

namespace vgr47::dump {
namespace {

// The list as a whole: what the changed lines leave must still be a list the chooser could
// have built. Unchanged rows are taken as they are.
void CheckList(const AcsModel& m, const std::vector<Input>& changed,
               std::vector<Problem>& problems) {
    std::array<int, AcsModel::kRows> lineOfRow{};
    for (const Input& in : changed)
        for (int row = 1; row <= AcsModel::kRows; ++row)
            if (in.key == AcsModel::RowKey(row)) lineOfRow[row - 1] = in.lineNumber;
    for (int r = 0; r < AcsModel::kRows; ++r) {
        const std::string& first = m.RowText(r + 1);
        for (int s = r + 1; s < AcsModel::kRows; ++s) {
            const std::string& second = m.RowText(s + 1);
            const int line = lineOfRow[s] ? lineOfRow[s] : lineOfRow[r];
            if (!line) continue;
            const std::string key = AcsModel::RowKey(lineOfRow[s] ? s + 1 : r + 1);
            if (first.empty() && !second.empty()) {
                problems.push_back({line, key + ": row " + std::to_string(s + 1) +
                                              " would follow the empty row " +
                                              std::to_string(r + 1)});
                return;
            }
            if (!first.empty() && first == second) {
                problems.push_back({line, key + ": channel " + first + " is in rows " +
                                              std::to_string(r + 1) + " and " +
                                              std::to_string(s + 1)});
                return;
            }
        }
    }
}

}  // namespace

std::unique_ptr<Area> MakeAcsArea() {
    AreaRules<AcsModel> rules;
    rules.shown = [](const Context& ctx) { return AcsModel::Available(ctx.image); };
    rules.refused = [](const Context& ctx) {
        return ctx.state.IsExtendedModel() ? nullptr
                                           : "this model has no auto channel select settings";
    };
    rules.noRoom = "acs: the codeplug has no room for the auto channel select list";
    rules.checkAll = CheckList;
    return MakeDescribedArea<AcsModel>(
        [](const Context& ctx, Messages&) {
            return std::make_unique<AcsModel>(ctx.image, ctx.state, ctx.texts, ctx.channels);
        },
        std::move(rules));
}

}  // namespace vgr47::dump
