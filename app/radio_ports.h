// The ports the radio dialogs talk through: a serial device by name, or `sim`, the simulated
// radio that lives as long as the program, so what a write sends is there for the next read.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "link/serial_port.h"
#include "sim/simulated_radio.h"

namespace vgr47 {

class RadioPorts {
public:
    // The simulated radio's model comes from system.ini [simulator] model in the folder.
    explicit RadioPorts(std::string programDir) : programDir_(std::move(programDir)) {}

    // A new, closed port for the name. Call it on the thread that will use the port: a device
    // port belongs to the thread that created it.
    std::unique_ptr<SerialPort> Make(const std::string& portName);

    // The simulated radio, created on first use.
    sim::SimulatedRadio& simulator();

private:
    std::string programDir_;
    std::mutex mutex_;
    std::unique_ptr<sim::SimulatedRadio> simulator_;
};

}  // namespace vgr47
