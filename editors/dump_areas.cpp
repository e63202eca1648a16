#include "editors/dump_areas.h"

namespace vgr47::dump {

std::vector<std::unique_ptr<Area>> AllAreas() {
    std::vector<std::unique_ptr<Area>> areas;
    // One line per area, in the order of a dump.
    areas.push_back(MakeModelArea());
    // Then keys, scan, options, testfreq, dtmf, acs; the 5-tone areas follow the 2-tone one.
    areas.push_back(MakeTwoToneArea());
    return areas;
}

}  // namespace vgr47::dump
