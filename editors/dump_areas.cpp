#include "editors/dump_areas.h"

namespace vgr47::dump {

std::vector<std::unique_ptr<Area>> AllAreas() {
    std::vector<std::unique_ptr<Area>> areas;
    // One line per area, in the order of a dump.
    areas.push_back(MakeModelArea());
    // keys, scan and options come here, before the test frequencies.
    areas.push_back(MakeTestFreqArea());
    return areas;
}

}  // namespace vgr47::dump
