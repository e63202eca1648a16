#include "app/radio_ports.h"

#include "core/codeplug_lib.h"
#include "core/model_catalogue.h"
#include "core/settings.h"
#include "link/clock.h"
#include "link/qt_serial_port.h"
#include "sim/simulated_port.h"

namespace vgr47 {
namespace {

constexpr int kDefaultSimulatorModel = 8;

// A simulated port with its own clock, paced like a real cable so the progress bars move.
class SimulatorPort final : public SerialPort {
public:
    explicit SimulatorPort(sim::SimulatedRadio& radio) : port_(radio, clock_) { port_.SetPaced(true); }
    OpenResult Open(const std::string& name) override { return port_.Open(name); }
    void Close() override { port_.Close(); }
    bool IsOpen() const override { return port_.IsOpen(); }
    std::size_t BytesWaiting() override { return port_.BytesWaiting(); }
    Bytes ReadAll() override { return port_.ReadAll(); }
    void Write(const Bytes& bytes) override { port_.Write(bytes); }
    bool WaitForBytes(std::chrono::steady_clock::duration atMost) override { return port_.WaitForBytes(atMost); }

private:
    SteadyClock clock_;
    sim::SimulatedPort port_;
};

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
    if (portName == kSimulatorPortName) return std::make_unique<SimulatorPort>(simulator());
    return std::make_unique<QtSerialPort>();
}

}  // namespace vgr47
