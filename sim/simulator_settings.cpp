#include "sim/simulator_settings.h"

#include <charconv>

#include "core/model_catalogue.h"
#include "core/settings.h"

namespace vgr47::sim {

int ParseModelIndex(const std::string& text) {
    int value = -1;
    const char* end = text.data() + text.size();
    auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || stop != end) return -1;
    return value >= 0 && value < kModelCount ? value : -1;
}

int SimulatorModelFromSettings(const std::string& programDir) {
    const int index = ParseModelIndex(Settings(programDir).GetSetting("simulator", "model"));
    return index < 0 ? kDefaultSimulatorModel : index;
}

}  // namespace vgr47::sim
