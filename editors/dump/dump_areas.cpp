#include "editors/dump/dump_areas.h"

namespace vgr47::dump {

std::vector<std::unique_ptr<Area>> AllAreas() {
    std::vector<std::unique_ptr<Area>> areas;
    // One line per area, in the order of a dump.
    areas.push_back(MakeModelArea());
    areas.push_back(MakeKeysArea());
    areas.push_back(MakeScanArea());
    areas.push_back(MakeOptionsArea());
    areas.push_back(MakeTestFreqArea());
    areas.push_back(MakeDtmfArea());
    areas.push_back(MakeAcsArea());
    areas.push_back(MakeTwoToneArea());
    areas.push_back(MakeFiveToneSystemArea());
    areas.push_back(MakeFiveToneCodesArea());
    return areas;
}

}  // namespace vgr47::dump
