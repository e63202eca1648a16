// The auto-channel-select area: cycles, times and the channel list. A loaded list must be
// one the form could have made: no gaps, no channel twice, only channels the chooser offers.
#include <array>

#include "core/codeplug_lib.h"
#include "editors/acs/acs_model.h"
#include "editors/dump/dump_areas.h"

namespace vgr47::dump {
namespace {

const std::pair<const char*, AcsModel::List> kListKeys[] = {
    {"acs.cycles", AcsModel::kCycles},
    {"acs.tx_time", AcsModel::kTxTime},
    {"acs.rx_time", AcsModel::kRxTime},
};

std::string RowKey(int row) { return "acs.channel." + std::to_string(row); }

// Shown wherever the image holds the bytes; changed only on models that offer the form.
bool Stored(const Context& ctx) { return AcsModel::Available(ctx.image); }

bool RefusedOnThisModel(const std::vector<Input>& changed, const Context& ctx,
                        std::vector<Problem>& problems) {
    if (ctx.state.IsExtendedModel()) return false;
    for (const Input& in : changed)
        problems.push_back(
            {in.lineNumber, in.key + ": this model has no auto channel select settings"});
    return true;
}

class AcsArea : public Area {
  public:
    std::string name() const override { return "acs"; }

    std::vector<Line> Dump(const Context& ctx) const override {
        if (!Stored(ctx)) return {};
        AcsModel m(ctx.image, ctx.state, ctx.texts, ctx.channels);
        std::vector<Line> lines;
        for (const auto& [key, list] : kListKeys) {
            int i = m.Selected(list);
            lines.push_back({key, FormatList(i, i >= 0 ? m.Entries(list)[i] : "")});
        }
        for (int row = 1; row <= AcsModel::kRows; ++row)
            lines.push_back({RowKey(row), m.RowText(row)});
        return lines;
    }

    void Load(const std::vector<Input>& changed, Context& ctx,
              std::vector<Problem>& problems) const override {
        if (!Stored(ctx) || RefusedOnThisModel(changed, ctx, problems)) return;
        AcsModel m(ctx.image, ctx.state, ctx.texts, ctx.channels);
        const std::size_t before = problems.size();
        std::array<std::string, AcsModel::kRows> rows;
        std::array<int, AcsModel::kRows> lineOfRow{};
        for (int row = 1; row <= AcsModel::kRows; ++row) rows[row - 1] = m.RowText(row);

        for (const Input& in : changed) {
            bool isList = false;
            for (const auto& [key, list] : kListKeys) {
                if (in.key != key) continue;
                isList = true;
                auto index = ParseIndex(in.value);
                int count = static_cast<int>(m.Entries(list).size());
                if (!index || *index < 0 || *index >= count) {
                    problems.push_back({in.lineNumber, in.key + ": expected an entry from 0 to " +
                                                           std::to_string(count - 1)});
                    continue;
                }
                m.Select(list, *index);
            }
            if (isList) continue;
            for (int row = 1; row <= AcsModel::kRows; ++row) {
                if (in.key != RowKey(row)) continue;
                lineOfRow[row - 1] = in.lineNumber;
                if (in.value.empty()) {
                    rows[row - 1].clear();
                    continue;
                }
                auto channel = ParseInteger(in.value);
                if (!channel || *channel < 1 || *channel > m.ChannelCount()) {
                    problems.push_back({in.lineNumber, in.key + ": expected a channel from 1 to " +
                                                           std::to_string(m.ChannelCount()) +
                                                           " or nothing"});
                } else if (!m.HasTransmitFrequency(static_cast<int>(*channel))) {
                    problems.push_back({in.lineNumber, in.key + ": channel " +
                                                           std::to_string(*channel) +
                                                           " has no transmit frequency"});
                } else {
                    rows[row - 1] = std::to_string(*channel);
                }
            }
        }
        if (problems.size() != before) return;

        // The list as a whole: what a changed line leaves must still be a list the chooser
        // could have built. Unchanged rows are taken as they are.
        for (int r = 0; r < AcsModel::kRows; ++r) {
            for (int s = r + 1; s < AcsModel::kRows; ++s) {
                const int line = lineOfRow[s] ? lineOfRow[s] : lineOfRow[r];
                if (!line) continue;
                if (rows[r].empty() && !rows[s].empty()) {
                    problems.push_back({line, RowKey(lineOfRow[s] ? s + 1 : r + 1) + ": row " +
                                                  std::to_string(s + 1) +
                                                  " would follow the empty row " +
                                                  std::to_string(r + 1)});
                    return;
                }
                if (!rows[r].empty() && rows[r] == rows[s]) {
                    problems.push_back({line, RowKey(lineOfRow[s] ? s + 1 : r + 1) + ": channel " +
                                                  rows[r] + " is in rows " + std::to_string(r + 1) +
                                                  " and " + std::to_string(s + 1)});
                    return;
                }
            }
        }
        for (int row = 1; row <= AcsModel::kRows; ++row) m.SetRow(row, rows[row - 1]);
        if (!m.Apply())
            problems.push_back(
                {0, "acs: the codeplug has no room for the auto channel select list"});
    }
};

}  // namespace

std::unique_ptr<Area> MakeAcsArea() { return std::make_unique<AcsArea>(); }

}  // namespace vgr47::dump
