// The serial ports the system knows, read from sysfs (/sys/class/tty) without Qt: each
// port's device and, for a USB cable, what its USB device says about itself.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace vgr47 {

struct SerialPortEntry {
    std::string name;          // "ttyUSB0"
    std::string path;          // "/dev/ttyUSB0"
    std::string description;   // the USB product ("FT232R USB UART"), else ""
    std::string manufacturer;  // the USB manufacturer, else ""
    std::string serialNumber;  // the USB serial number, else ""
    std::string usbId;         // "0403:6001", else ""
    std::string driver;        // "ftdi_sio", "serial8250", ...
};

// The ports under sysRoot/class/tty that stand for hardware (a device behind them), without
// the unused standard UART slots the kernel lists anyway, sorted by name. Paths are under
// devRoot. Empty where the system has no sysfs.
std::vector<SerialPortEntry> ListSerialPorts(const std::string& sysRoot = "/sys",
                                             const std::string& devRoot = "/dev");

// "FT232R USB UART (FTDI), serial number A12B, 0403:6001"; "" when nothing is known.
std::string DescribePort(const SerialPortEntry& entry);

// "Detect": the port of a cable plugged in after Start. The caller polls the port list (a
// timer, never a blocking wait) and hands each list in; a port unplugged meanwhile counts as
// new when it comes back.
class PortDetector {
  public:
    using time_point = std::chrono::steady_clock::time_point;
    static constexpr std::chrono::seconds kGiveUpAfter{30};

    void Start(const std::vector<std::string>& present, time_point now);
    void Stop() { active_ = false; }
    bool active() const { return active_; }
    // The first port in the list that was not there before; nullopt while none has appeared.
    // Detection ends when one has.
    std::optional<std::string> Poll(const std::vector<std::string>& present);
    // Whether it has been looking for longer than kGiveUpAfter; ends the detection if so.
    bool GiveUp(time_point now);

  private:
    std::vector<std::string> known_;
    time_point started_{};
    bool active_ = false;
};

}  // namespace vgr47
