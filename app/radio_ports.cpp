#include "app/radio_ports.h"

#include "sim/simulator_settings.h"

namespace vgr47 {

sim::SimulatedRadio& RadioPorts::simulator() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!simulator_) {
        const std::string identity = ModelCatalogue()[sim::SimulatorModelFromSettings(programDir_)].identity;
        simulator_ = std::make_unique<sim::SimulatedRadio>(identity);
        // A radio as it leaves the factory: a read shows channels rather than blank memory.
        ModelState state(edition_);
        simulator_->LoadMemoryHex(BuildModelImage(state, identity));
    }
    return *simulator_;
}

}  // namespace vgr47
