#include "app/form_registry.h"

#include "editors/fivetone_endecode_frm.h"
#include "editors/fivetone_system_frm.h"

namespace vgr47 {

std::vector<FormEntry> FormEntries() {
    return {
        // 5-tone forms: not offered when the image ends before their region.
        {kCmdFiveToneSystem,
         [](FormEnv& e) -> FormView* {
             if (!FiveToneSystemModel::Available(e.image)) return nullptr;
             return new C5ToneSysParaFrm(e.image, e.texts);
         }},
        {kCmdFiveToneEnDecode,
         [](FormEnv& e) -> FormView* {
             if (!FiveToneEnDecodeModel::Available(e.image)) return nullptr;
             return new C5ToneEnDecodeFrm(e.image, e.texts, e.messages);
         }},
    };
}

std::vector<DialogEntry> DialogEntries() { return {}; }

}  // namespace vgr47
