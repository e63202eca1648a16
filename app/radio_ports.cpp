#include "app/radio_ports.h"

#include "core/codeplug_lib.h"
#include "core/model_catalogue.h"
#include "core/settings.h"
#include "link/qt_serial_port.h"
#include "sim/simulated_port.h"

namespace vgr47 {
namespace {

constexpr int kDefaultSimulatorModel = 8;

}  // namespace

sim::SimulatedRadio& RadioPorts::simulator() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!simulator_) {
        int model = kDefaultSimulatorModel;
        std::string setting = Settings(programDir_).GetSetting("simulator", "model");
        if (!setting.empty()) {
            int n = ParseLeadingInt(setting);
            if (n >= 0 && n < kModelCount) model = n;
        }
        simulator_ = std::make_unique<sim::SimulatedRadio>(ModelCatalogue()[model].identity);
    }
    return *simulator_;
}

std::unique_ptr<SerialPort> RadioPorts::Make(const std::string& portName) {
    if (portName == kSimulatorPortName)
        // Paced like a real cable, so the progress bars move as they will with a radio.
        return std::make_unique<sim::ClockedSimulatedPort>(simulator(), true);
    return std::make_unique<QtSerialPort>();
}

}  // namespace vgr47
