// The serial ports the system knows, read from sysfs (/sys/class/tty) without Qt: each
// port's device and, for a USB cable, what its USB device says about itself.
#pragma once

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

}  // namespace vgr47
