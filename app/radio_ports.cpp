#include "app/radio_ports.h"

#include "core/model_catalogue.h"
#include "link/qt_serial_port.h"
#include "sim/simulated_port.h"
#include "sim/simulator_settings.h"

namespace vgr47 {

sim::SimulatedRadio& RadioPorts::simulator() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!simulator_) {
        const int model = sim::SimulatorModelFromSettings(programDir_);
        simulator_ = std::make_unique<sim::SimulatedRadio>(ModelCatalogue()[model].identity);
    }
    return *simulator_;
}

std::unique_ptr<SerialPort> RadioPorts::Make(const std::string& portName) {
    if (portName == sim::kSimulatorPortName)
        // Paced like a real cable, so the progress bars move as they will with a radio.
        return std::make_unique<sim::ClockedSimulatedPort>(simulator(), true);
    return std::make_unique<QtSerialPort>();
}

}  // namespace vgr47
