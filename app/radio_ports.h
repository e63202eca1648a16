// The program's simulated radio, the port named `sim`. It lives as long as the program (the
// shell owns it), so what a write sends is there for the next read, as with a real radio.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "core/model_catalogue.h"
#include "sim/simulated_radio.h"

namespace vgr47 {

class RadioPorts {
public:
    // The radio's model comes from system.ini [simulator] model in the folder; it starts
    // with that model's default codeplug.
    RadioPorts(std::string programDir, Edition edition) : programDir_(std::move(programDir)), edition_(edition) {}

    // Created on first use. One radio dialog at a time uses it (the dialogs are modal).
    sim::SimulatedRadio& simulator();

private:
    std::string programDir_;
    Edition edition_;
    std::mutex mutex_;
    std::unique_ptr<sim::SimulatedRadio> simulator_;
};

}  // namespace vgr47
