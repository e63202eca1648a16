#include "app/form_registry.h"

#include <QMdiSubWindow>

#include "app/main_frame.h"
#include "editors/radio_info_frm.h"
#include "editors/set_com_frm.h"
#include "editors/test_freq_frm.h"

namespace vgr47 {

std::vector<FormEntry> FormEntries() {
    return {
        {kCmdPort,
         [](FormEnv& e) -> FormView* {
             return new CSetComFrm(e.texts, e.values.programDir, e.values.portName,
                                   [&e](const std::string& name) { e.frame.SetPortName(name); });
         }},
        {kCmdModelInformation,
         [](FormEnv& e) -> FormView* {
             CRadioInfoFrm::Actions actions;
             actions.save = e.save;
             actions.closeKeyAssignForm = [&e] {
                 if (QMdiSubWindow* keys = e.frame.openForm(kCmdKeySettings)) keys->close();
             };
             actions.imageReplaced = e.imageReplaced;
             return new CRadioInfoFrm(e.image, e.model, e.messages, e.texts, e.values.version,
                                      actions);
         }},
        {kCmdTestFrequency,
         [](FormEnv& e) -> FormView* { return new CTestFreqFrm(e.image, e.model, e.texts); }},
    };
}

std::vector<DialogEntry> DialogEntries() {
    return {
    };
}

}  // namespace vgr47
