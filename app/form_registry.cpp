#include "app/form_registry.h"

#include "editors/two_tone_frm.h"

namespace vgr47 {

std::vector<FormEntry> FormEntries() {
    return {
        {kCmdTwoTone,
         [](FormEnv& e) -> FormView* {
             // The 2-tone tables lie beyond the end of an image read from a basic radio.
             if (!TwoToneModel::Available(e.image)) return nullptr;
             return new C2ToneEnDecodeFrm(e.image, e.texts);
         }},
    };
}

std::vector<DialogEntry> DialogEntries() {
    return {
    };
}

}  // namespace vgr47
