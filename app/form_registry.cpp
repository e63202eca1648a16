#include "app/form_registry.h"

#include "app/main_frame.h"
#include "app/radio_info_dlg.h"
#include "app/read_dlg.h"
#include "app/write_dlg.h"

namespace vgr47 {

std::vector<FormEntry> FormEntries() {
    return {
    };
}

std::vector<DialogEntry> DialogEntries() {
    return {
        {kCmdReadData, [](FormEnv& e) { ShowRadioDialog(new ReadDialog(e, DefaultConnection(e.values), &e.frame)); }},
        {kCmdWriteData, [](FormEnv& e) { ShowRadioDialog(new WriteDialog(e, DefaultConnection(e.values), &e.frame)); }},
        {kCmdRadioInformation,
         [](FormEnv& e) { ShowRadioDialog(new RadioInfoDialog(e, DefaultConnection(e.values), &e.frame)); }},
    };
}

}  // namespace vgr47
