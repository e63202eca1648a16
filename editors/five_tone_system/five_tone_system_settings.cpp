// The 5-tone system form's settings: the tone standard, the four timings as the fields show
// them (typed numbers, a loaded one refused rather than clamped) and the group call digit, in
// the order of the block.
#include "core/codeplug_lib.h"
#include "editors/five_tone_system/five_tone_system_model.h"

namespace vgr47 {
namespace {

using Model = FiveToneSystemModel;
using namespace settings;
namespace fields = layout::fields;

// A field shows its stored number; what it holds is stored cut to the field's bytes.
std::string TextOfNumber(const Model&, int stored) { return std::to_string(stored); }
int ByteOfText(const Model&, const std::string& text) { return ParseLeadingInt(text) & 0xFF; }
int Le16OfText(const Model&, const std::string& text) { return ParseLeadingInt(text) & 0xFFFF; }

// Entry 0 is off (stored FF), entry n digit n - 1.
int GroupCallOfStored(const Model&, int stored) {
    return stored >= 0 && stored < Model::kGroupCallDigits ? stored + 1 : 0;
}
int StoredOfGroupCall(const Model&, int entry) { return entry == 0 ? 0xFF : entry - 1; }

std::vector<std::string> Standards(const Model&) { return Model::StandardNames(); }

}  // namespace

const settings::Description<FiveToneSystemModel>& FiveToneSystemModel::Settings() {
    static const Description<Model> description = [] {
        auto timing = [](const char* key, const layout::Field& field, Field f) {
            return TextField<Model>(
                       key, field, 0, [f](const Model& m) { return m.fields_[f]; },
                       [f](Model& m, const std::string& t) { m.fields_[f] = t; })
                .ReadsText(TextOfNumber)
                .ChosenAs([f](Model& m, const std::string& t) {
                    m.SetFieldText(f, t);
                    m.CommitField(f);
                })
                .Checks([f](const Model&, const std::string& t, std::string& why) {
                    const Range r = FieldRange(f);
                    return WholeNumberIn(t, r.min, r.max, why);
                })
                .Offers([f](const Model&) {
                    const Range r = FieldRange(f);
                    return std::vector<std::string>{std::to_string(r.min), std::to_string(r.max)};
                })
                .Quoted(Quoting::Never);
        };
        Description<Model> d{
            "fivetone",
            {
                // A byte naming no standard shows no selection and is written back as read.
                List("fivetone.standard", fields::kFiveToneStandard, &Model::standard_, Standards)
                    .ChosenBy(&Model::ChooseStandard),
                timing("fivetone.tone_period", fields::kFiveToneTonePeriod, kTonePeriod)
                    .WritesText(ByteOfText),
                timing("fivetone.rx_interval", fields::kFiveToneRxInterval, kRxInterval)
                    .WritesText(Le16OfText),
                List("fivetone.group_call", fields::kFiveToneGroupCall, &Model::groupCall_,
                     &Model::GroupCallEntries)
                    .Reads(GroupCallOfStored)
                    .Writes(StoredOfGroupCall)
                    .ChosenBy(&Model::ChooseGroupCall),
                timing("fivetone.min_decode", fields::kFiveToneMinDecode, kMinDecode)
                    .WritesText(Le16OfText),
                timing("fivetone.max_decode", fields::kFiveToneMaxDecode, kMaxDecode)
                    .WritesText(Le16OfText),
            },
        };
        // The standard's presets come before the timings typed over them.
        d.declaredOrder = true;
        d.listWording = ListWording::ExpectedListEntry;
        return d;
    }();
    return description;
}

}  // namespace vgr47
