// The 5-tone encode and decode pages' settings: the five times, the two delay codes, the side
// tone and clear-auto-answer switches, the wait time, the decode number and the auto reset. The
// encode and decode tables (frame packing, answers re-pointed to encode entries) stay the
// model's own code.
#include "core/codeplug_lib.h"
#include "editors/five_tone_codes/five_tone_en_decode_model.h"

namespace vgr47 {
namespace {

using Model = FiveToneEnDecodeModel;
using namespace settings;
namespace fields = layout::fields;

// A time field shows its stored milliseconds; a value it holds is stored as it stands.
std::string TextOfMilliseconds(const Model&, int ms) { return std::to_string(ms); }
int MillisecondsOfText(const Model&, const std::string& text) { return ParseLeadingInt(text); }

// A delay code nibble: F is off (entry 0), digit d entry d + 1.
constexpr int kNoCode = 0xF;
int CodeOfNibble(const Model&, int nibble) { return nibble == kNoCode ? 0 : nibble + 1; }
int NibbleOfCode(const Model&, int entry) { return entry == 0 ? kNoCode : entry - 1; }

// The wait time is stored in steps of 10 ms.
std::string WaitOfSteps(const Model&, int steps) {
    return std::to_string(steps * Model::kWaitTimeStep);
}
int StepsOfWait(const Model&, const std::string& text) {
    return ParseLeadingInt(text) / Model::kWaitTimeStep;
}

// The decode number is the lowest bit set; without one there is no selection (the byte stays).
int NumberOfBits(const Model& m, int bits) {
    for (int b = 0; b < static_cast<int>(m.DecodeNumberEntries().size()); ++b)
        if (bits & (1 << b)) return b;
    return -1;
}
int BitsOfNumber(const Model&, int entry) { return 1 << entry; }

// Seconds 0..300; anything else shows no selection and is stored as off.
constexpr int kResetOffStored = 0;

}  // namespace

const settings::Description<FiveToneEnDecodeModel>& FiveToneEnDecodeModel::Settings() {
    static const Description<Model> description = [] {
        auto time = [](const char* key, const layout::Field& field, TimeField f) {
            return TextField<Model>(
                       key, field, 0, [f](const Model& m) { return m.times_[f]; },
                       [f](Model& m, const std::string& t) { m.times_[f] = t; })
                .ReadsText(TextOfMilliseconds)
                .WritesText(MillisecondsOfText)
                .Quoted(Quoting::Never);
        };
        auto codes = [](const Model& m) { return m.DelayCodeEntries(); };
        return Description<Model>{
            "fivetone",
            {
                time("fivetone.delay1", fields::kFiveToneDelay1, kDelay1),
                time("fivetone.delay2", fields::kFiveToneDelay2, kDelay2),
                time("fivetone.delay3", fields::kFiveToneDelay3, kDelay3),
                time("fivetone.end_delay", fields::kFiveToneEndDelay, kEndDelay),
                time("fivetone.first_digit", fields::kFiveToneFirstDigit, kFirstDigit),
                List("fivetone.delay2_code", fields::kFiveToneDelay2Code, &Model::delay2Code_,
                     codes)
                    .Reads(CodeOfNibble)
                    .Writes(NibbleOfCode),
                List("fivetone.delay3_code", fields::kFiveToneDelay3Code, &Model::delay3Code_,
                     codes)
                    .Reads(CodeOfNibble)
                    .Writes(NibbleOfCode),
                Check("fivetone.side_tone", fields::kFiveToneSideTone, &Model::sideTone_),
                Check("fivetone.clear_auto_answer", fields::kFiveToneClearAutoAnswer,
                      &Model::clearAutoAnswer_),
                TextField<Model>(
                    "fivetone.wait_time", fields::kFiveToneWaitTime, 0,
                    [](const Model& m) { return m.waitTime_; },
                    [](Model& m, const std::string& t) { m.waitTime_ = t; })
                    .ReadsText(WaitOfSteps)
                    .WritesText(StepsOfWait)
                    .Quoted(Quoting::Never),
                List("fivetone.decode_number", fields::kFiveToneDecodeNumber, &Model::decodeNumber_,
                     &Model::DecodeNumberEntries)
                    .Reads(NumberOfBits)
                    .Writes(BitsOfNumber),
                List("fivetone.auto_reset", fields::kFiveToneAutoReset, &Model::autoReset_,
                     &Model::AutoResetEntries)
                    .StoresWithoutSelection(kResetOffStored),
            },
        };
    }();
    return description;
}

}  // namespace vgr47
