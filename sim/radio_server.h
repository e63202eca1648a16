// Serves a simulated radio on a line to another program: what arrives on the line goes to the
// radio, and its replies go back at the times SimulatedPort gives them (at once, or paced at
// 9600 baud).
#pragma once

#include <functional>

#include "link/clock.h"
#include "link/serial_port.h"
#include "sim/simulated_radio.h"

namespace vgr47::sim {

// Runs until keepGoing returns false or the line closes. keepGoing is asked after every
// wake-up, so the line must wake for whatever ends the service (PtyPort's wake descriptor).
// Waits block on the line until a command arrives or the next reply byte is due.
void ServeRadio(SimulatedRadio& radio, SerialPort& line, Clock& clock, bool paced,
                const std::function<bool()>& keepGoing);

}  // namespace vgr47::sim
