// The optional features form's settings: each control's field, list and rules.
#include "core/codeplug_lib.h"
#include "editors/options/option_model.h"

namespace vgr47 {
namespace {

using Model = OptionModel;
using namespace settings;
namespace fields = layout::fields;

// 7..10 are read as they are and show no entry; anything above reads as off.
constexpr int kTotReadLimit = 10;

int TotOfStored(const Model&, int stored) { return stored > kTotReadLimit ? 0 : stored; }

// A stored value past the list reads as off.
int RekeyOfStored(const Model& m, int stored) {
    return stored >= static_cast<int>(m.RekeyEntries().size()) ? 0 : stored;
}
int PreAlertOfStored(const Model& m, int stored) {
    return stored >= static_cast<int>(m.PreAlertEntries().size()) ? 0 : stored;
}

// The squelch byte is taken as a decimal number: 05 is 5, 0A stops at the letter and is 0.
int SquelchOfStored(const Model&, int stored) { return ParseLeadingInt(IntToHex(stored, 1)); }

// Bits 00, 01, 10 for low, middle, high; 11 reads as low.
int PowerOfBits(const Model&, int bits) { return bits == 3 ? 0 : bits; }

// Bits 00 off, 01 press and hold, 11 toggle; 10 reads as off.
int PttOfBits(const Model&, int bits) { return bits == 1 ? 1 : bits == 3 ? 2 : 0; }
int BitsOfPtt(const Model&, int index) { return index == 2 ? 3 : index; }

const char* BasicModel(const Model& m) {
    return m.signallingEnabled() ? nullptr : "is disabled on this model";
}

}  // namespace

const settings::Description<OptionModel>& OptionModel::Settings() {
    static const Description<Model> description{
        "options",
        {
            List("options.tot", fields::kOptionsTot, &Model::tot, &Model::TotEntries)
                .Reads(TotOfStored),
            List("options.tot_prealert", fields::kOptionsTotPrealert, &Model::preAlert,
                 &Model::PreAlertEntries)
                .Reads(PreAlertOfStored),
            List("options.tot_rekey", fields::kOptionsTotRekey, &Model::rekey, &Model::RekeyEntries)
                .Reads(RekeyOfStored),
            List("options.tot_reset", fields::kOptionsTotReset, &Model::reset,
                 &Model::ResetEntries),
            List("options.squelch", fields::kOptionsSquelch, &Model::squelch,
                 [](const Model&) { return Model::SquelchEntries(); })
                .Reads(SquelchOfStored),
            List("options.power", fields::kOptionsPower, &Model::power, &Model::PowerEntries)
                .Reads(PowerOfBits),
            Check("options.key_lock", fields::kOptionsKeyLock, &Model::keyLock),
            Check("options.user_settings", fields::kOptionsUserSettings, &Model::userSettings),
            Check("options.disable_manual_tuning", fields::kOptionsDisableManualTuning,
                  &Model::disableManualTuning),
            Check("options.disable_self_programming", fields::kOptionsDisableSelfProgramming,
                  &Model::disableSelfProgramming),
            Check("options.power_on", fields::kOptionsPowerOn, &Model::powerOn),
            List("options.ptt_mode", fields::kOptionsPttMode, &Model::ptt, &Model::PttEntries)
                .Reads(PttOfBits)
                .Writes(BitsOfPtt)
                .DisabledWhen(BasicModel),
            List("options.auto_answer_delay", fields::kOptionsAutoAnswerDelay, &Model::autoAnswer,
                 &Model::AutoAnswerEntries)
                .DisabledWhen(BasicModel),
        },
    };
    return description;
}

}  // namespace vgr47
