// The 2-tone form's encode page switches and timings: the durations in tenths of a second and
// the gap in milliseconds, as the fields show them. The encode table and the decoder sets (a
// working copy visited set by set) stay the model's own code.
#include "core/codeplug_lib.h"
#include "editors/two_tone/two_tone_model.h"

namespace vgr47 {
namespace {

using Model = TwoToneModel;
using namespace settings;
namespace fields = layout::fields;

std::string SecondsOfTenths(const Model&, int tenths) { return FormatFixed(tenths / 10.0, 1, 3); }
int TenthsOfText(const Model&, const std::string& text) { return Model::Tenths16(text); }

std::string TextOfMilliseconds(const Model&, int ms) { return std::to_string(ms); }
int MillisecondsOfText(const Model&, const std::string& text) { return ParseLeadingInt(text); }

}  // namespace

const settings::Description<TwoToneModel>& TwoToneModel::Settings() {
    static const Description<Model> description = [] {
        auto timing = [](const char* key, const layout::Field& field, Field f) {
            return TextField<Model>(
                       key, field, 0, [f](const Model& m) { return m.fields_[f]; },
                       [f](Model& m, const std::string& t) { m.fields_[f] = t; })
                .Quoted(Quoting::Never);
        };
        return Description<Model>{
            "twotone",
            {
                Check("twotone.side_tone", fields::kTwoToneSideTone, &Model::sideTone_),
                Check("twotone.single_tone", fields::kTwoToneSingleTone, &Model::singleTone_),
                timing("twotone.first_duration", fields::kTwoToneFirstDuration, kFirstDuration)
                    .ReadsText(SecondsOfTenths)
                    .WritesText(TenthsOfText),
                timing("twotone.second_duration", fields::kTwoToneSecondDuration, kSecondDuration)
                    .ReadsText(SecondsOfTenths)
                    .WritesText(TenthsOfText),
                timing("twotone.long_duration", fields::kTwoToneLongDuration, kLongDuration)
                    .ReadsText(SecondsOfTenths)
                    .WritesText(TenthsOfText),
                timing("twotone.gap", fields::kTwoToneGap, kGap)
                    .ReadsText(TextOfMilliseconds)
                    .WritesText(MillisecondsOfText),
            },
        };
    }();
    return description;
}

}  // namespace vgr47
