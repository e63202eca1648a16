// The auto channel select form's settings: the cycle count, the two times and the eight rows
// of the channel list, each row the number of a channel or nothing.
#include "core/codeplug_lib.h"
#include "core/text_ids.h"
#include "editors/acs/acs_model.h"
#include "editors/dump/dump_area.h"

namespace vgr47 {
namespace {

using Model = AcsModel;
using namespace settings;
namespace fields = layout::fields;

// The cycle count 2..5 is stored as itself.
constexpr int kFewestCycles = 2;
int CyclesOfStored(const Model&, int stored) { return stored - kFewestCycles; }
int StoredOfCycles(const Model&, int index) { return index + kFewestCycles; }

// A row holds channel 1..99; anything else (FF) is an empty row.
std::string RowOfStored(const Model&, int stored) {
    return stored >= 1 && stored <= layout::kChannelCount ? std::to_string(stored) : "";
}
int StoredOfRow(const Model&, const std::string& row) {
    return row.empty() ? 0xFF : ParseLeadingInt(row);
}

// A channel the chooser could offer (whether another row holds it is checked for the whole).
std::optional<std::string> CheckRow(const Model& m, const std::string& value, std::string& why) {
    if (value.empty()) return "";
    const auto channel = dump::ParseInteger(value);
    if (!channel || *channel < 1 || *channel > m.ChannelCount()) {
        why = "expected a channel from 1 to " + std::to_string(m.ChannelCount()) + " or nothing";
    } else if (!m.HasTransmitFrequency(static_cast<int>(*channel))) {
        why = "channel " + std::to_string(*channel) + " has no transmit frequency";
    } else {
        return std::to_string(*channel);
    }
    return std::nullopt;
}

}  // namespace

std::string AcsModel::RowKey(int row) { return "acs.channel." + std::to_string(row); }

const settings::Description<AcsModel>& AcsModel::Settings() {
    static const Description<Model> description = [] {
        auto list = [](const char* key, const layout::Field& field, List l) {
            return ArrayList(key, field, &Model::selected_, &Model::entries_, l);
        };
        Description<Model> d{
            "acs",
            {
                list("acs.cycles", fields::kAcsCycles, kCycles)
                    .Reads(CyclesOfStored)
                    .Writes(StoredOfCycles)
                    .ReadsOutsideListAs(0),
                list("acs.tx_time", fields::kAcsTxTime, kTxTime),
                list("acs.rx_time", fields::kAcsRxTime, kRxTime),
            },
        };
        d.listWording = ListWording::ExpectedEntry;
        for (int row = 1; row <= kRows; ++row)
            d.settings.push_back(
                TextField<Model>(
                    RowKey(row), fields::kAcsChannel, row,
                    [row](const Model& m) { return m.rows_[row - 1]; },
                    [row](Model& m, const std::string& t) { m.rows_[row - 1] = t; })
                    .ReadsText(RowOfStored)
                    .WritesText(StoredOfRow)
                    .Quoted(Quoting::Never)
                    .Checks(CheckRow)
                    // What the row's chooser offers, its "none" (an empty row) last.
                    .Offers([row](const Model& m) {
                        std::vector<std::string> out;
                        if (!m.IsRowEditable(row)) return out;
                        bool none = false;
                        for (const std::string& e : m.ChooserEntries(row))
                            if (e == m.Text(kTextNone))
                                none = true;
                            else
                                out.push_back(e);
                        if (none) out.push_back("");
                        return out;
                    }));
        return d;
    }();
    return description;
}

}  // namespace vgr47
