#include "app/form_registry.h"

#include "app/main_frame.h"
#include "editors/key_assign_frm.h"
#include "editors/option_frm.h"
#include "editors/scan_frm.h"

namespace vgr47 {

std::vector<FormEntry> FormEntries() {
    return {
        {kCmdKeySettings, [](FormEnv& e) -> FormView* { return new CKeyAssignFrm(e.image, e.model, e.texts); }},
        {kCmdScan,
         [](FormEnv& e) -> FormView* {
             return new CScanFrm(e.image, e.model, e.texts, e.channels, e.frame.mdiArea());
         }},
        {kCmdOptionalFeatures, [](FormEnv& e) -> FormView* { return new COptionFrm(e.image, e.model, e.texts); }},
    };
}

std::vector<DialogEntry> DialogEntries() {
    return {
    };
}

}  // namespace vgr47
