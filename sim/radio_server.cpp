#include "sim/radio_server.h"

#include "sim/simulated_port.h"

namespace vgr47::sim {

void ServeRadio(SimulatedRadio& radio, SerialPort& line, Clock& clock, bool paced,
                const std::function<bool()>& keepGoing) {
    // The program's side of the in-process port is exactly the radio's end of the line.
    SimulatedPort radioSide(radio, clock);
    radioSide.SetPaced(paced);
    radioSide.Open("line");
    while (line.IsOpen() && keepGoing()) {
        const auto next = radioSide.NextArrival();
        const Clock::duration wait =
            next ? *next - clock.Now() : Clock::duration(std::chrono::hours(24));
        if (line.WaitForBytes(wait)) {
            const Bytes received = line.ReadAll();
            if (!received.empty()) radioSide.Write(received);
            radioSide.ClearWrites();  // a server may run for days
        }
        const Bytes due = radioSide.ReadAll();
        if (!due.empty()) line.Write(due);
    }
}

}  // namespace vgr47::sim
