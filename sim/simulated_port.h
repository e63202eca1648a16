// The simulated radio behind the SerialPort interface, in-process: what the program writes
// reaches the radio, and the radio's replies become waiting bytes at the times the clock
// says they arrive. Paced, every byte takes its time on the line at 9600 baud (10 bits a
// byte, both ways); unpaced, replies are there at once.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "link/clock.h"
#include "link/serial_port.h"
#include "sim/simulated_radio.h"

namespace vgr47::sim {

class SimulatedPort final : public SerialPort {
public:
    SimulatedPort(SimulatedRadio& radio, Clock& clock) : radio_(radio), clock_(clock) {}

    void SetPaced(bool paced) { paced_ = paced; }
    // The next Open fails with this result (a missing or busy port).
    void SetOpenFailure(OpenResult failure) { openFailure_ = std::move(failure); }

    OpenResult Open(const std::string& name) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    std::size_t BytesWaiting() override;
    Bytes ReadAll() override;
    void Write(const Bytes& bytes) override;
    bool WaitForBytes(std::chrono::steady_clock::duration atMost) override;

    // When the next reply byte reaches the line's far end; nullopt when none is under way.
    // A server that puts the replies on another line sleeps until then.
    std::optional<Clock::time_point> NextArrival() const;

    // Every write, as hex text, in order.
    const std::vector<std::string>& writes() const { return writes_; }
    void ClearWrites() { writes_.clear(); }
    int openCount() const { return openCount_; }
    const std::string& portName() const { return portName_; }

    static Clock::duration ByteTime();

private:
    struct Arrival {
        Clock::time_point at;
        std::uint8_t byte;
    };
    void Schedule(Clock::time_point at, const Bytes& bytes);

    SimulatedRadio& radio_;
    Clock& clock_;
    bool paced_ = false;
    bool open_ = false;
    int openCount_ = 0;
    std::string portName_;
    OpenResult openFailure_;
    std::deque<Arrival> arrivals_;  // ordered by time
    Clock::time_point lineToRadioFree_{};
    Clock::time_point lineFromRadioFree_{};
    std::vector<std::string> writes_;
};

}  // namespace vgr47::sim
