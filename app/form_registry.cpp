#include "app/form_registry.h"

namespace vgr47 {

std::vector<FormEntry> FormEntries() {
    return {
    };
}

std::vector<DialogEntry> DialogEntries() {
    return {
    };
}

}  // namespace vgr47
