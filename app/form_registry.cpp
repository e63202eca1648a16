#include "app/form_registry.h"

#include "editors/acs_frm.h"
#include "editors/dtmf_frm.h"

namespace vgr47 {

std::vector<FormEntry> FormEntries() {
    return {
        {kCmdDtmf,
         [](FormEnv& e) -> FormView* {
             return DtmfModel::Available(e.image) ? new CDTMFFrm(e.image, e.texts, e.messages) : nullptr;
         },
         [](const FormEnv& e) { return DtmfModel::Available(e.image); }},
        // No menu item (removed at start-up in every edition); the command itself stays.
        {kCmdAutoChannelSelect,
         [](FormEnv& e) -> FormView* {
             return AcsModel::Available(e.image) ? new CACSFrm(e.image, e.model, e.texts, e.channels) : nullptr;
         },
         [](const FormEnv& e) { return AcsModel::Available(e.image); }},
    };
}

std::vector<DialogEntry> DialogEntries() {
    return {
    };
}

}  // namespace vgr47
