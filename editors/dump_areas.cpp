#include "editors/dump_areas.h"

namespace vgr47::dump {

std::vector<std::unique_ptr<Area>> AllAreas() {
    std::vector<std::unique_ptr<Area>> areas;
    // One line per area, in the order of a dump.
    areas.push_back(MakeModelArea());
    // keys, scan, options and testfreq come here, between the model and dtmf
    areas.push_back(MakeDtmfArea());
    areas.push_back(MakeAcsArea());
    return areas;
}

}  // namespace vgr47::dump
