#include "sim/simulator_settings.h"

#include <algorithm>
#include <cctype>

#include "core/codeplug_lib.h"
#include "core/model_catalogue.h"
#include "core/settings.h"

namespace vgr47 {

int SimulatorModelFromSettings(const std::string& programDir) {
    const std::string value = TrimText(Settings(programDir).GetSetting("simulator", "model"));
    const bool digits = !value.empty() && value.size() <= 2 &&
                        std::all_of(value.begin(), value.end(),
                                    [](unsigned char c) { return std::isdigit(c) != 0; });
    if (!digits) return kDefaultSimulatorModel;
    const int index = std::stoi(value);
    return index >= 0 && index < kModelCount ? index : kDefaultSimulatorModel;
}

}  // namespace vgr47
