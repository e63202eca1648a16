#include "editors/dump_areas.h"

namespace vgr47::dump {

std::vector<std::unique_ptr<Area>> AllAreas() {
    std::vector<std::unique_ptr<Area>> areas;
    // One line per area, in the order of a dump.
    areas.push_back(MakeModelArea());
    // fivetone comes last, after keys, scan, options, testfreq, dtmf, acs and twotone.
    areas.push_back(MakeFiveToneArea());
    return areas;
}

}  // namespace vgr47::dump
