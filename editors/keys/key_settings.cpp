// The key assignment form's settings: each control's field, list and rules.
#include "editors/keys/key_assign_model.h"

namespace vgr47 {
namespace {

using Model = KeyAssignModel;
using namespace settings;
namespace fields = layout::fields;

int IndexOfKeyCode(const Model&, int code) { return Model::IndexOfCode(code); }
int KeyCodeOfIndex(const Model&, int index) { return Model::CodeOfIndex(index); }
// The hidden check box writes back 1 for any value read but 0.
int OptionOfState(const Model&, int state) { return state != 0 ? 1 : 0; }

const char* BasicModel(const Model& m) {
    return m.sideKeysShown() ? nullptr : "is hidden on this model";
}

}  // namespace

const settings::Description<KeyAssignModel>& KeyAssignModel::Settings() {
    static const Description<Model> description{
        "keys",
        {
            List("keys.monitor", fields::kKeysMonitor, &Model::monitor, &Model::MonitorEntries),
            List("keys.a", fields::kKeysA, &Model::aKey, &Model::AKeyEntries)
                .Reads(IndexOfKeyCode)
                .Writes(KeyCodeOfIndex)
                .DisabledWhen(BasicModel),
            List("keys.b", fields::kKeysB, &Model::bKey, &Model::BKeyEntries)
                .Reads(IndexOfKeyCode)
                .Writes(KeyCodeOfIndex)
                .DisabledWhen(BasicModel),
            Carried("keys.option", fields::kKeysOption, &Model::optionByte).Writes(OptionOfState),
        },
    };
    return description;
}

}  // namespace vgr47
