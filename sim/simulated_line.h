// A simulated radio's line for a fleet write: an in-process port on a clock of its own
// (manual for tests, steady and paced at 9600 baud for a true-to-life run).
#pragma once

#include <memory>

#include "link/fleet_write.h"
#include "sim/simulated_port.h"

namespace vgr47::sim {

class SimulatedLine final : public FleetLine {
  public:
    // The radio must outlive the line.
    SimulatedLine(SimulatedRadio& radio, std::unique_ptr<Clock> clock, bool paced)
        : clock_(std::move(clock)), port_(radio, *clock_) {
        port_.SetPaced(paced);
    }
    SerialPort& port() override { return port_; }
    Clock& clock() override { return *clock_; }

  private:
    std::unique_ptr<Clock> clock_;
    SimulatedPort port_;
};

}  // namespace vgr47::sim
