#include "link/serial_port_list.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace vgr47 {

namespace fs = std::filesystem;

namespace {

// The first line of a sysfs attribute, trimmed; "" when it cannot be read.
std::string Attribute(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line)) return {};
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    while (!line.empty() && blank(static_cast<unsigned char>(line.back()))) line.pop_back();
    std::size_t start = 0;
    while (start < line.size() && blank(static_cast<unsigned char>(line[start]))) ++start;
    return line.substr(start);
}

// The USB device a port's device belongs to: the nearest folder upwards with an idVendor.
fs::path UsbDeviceOf(fs::path device, const fs::path& sysRoot) {
    std::error_code ec;
    for (int depth = 0; depth < 8 && !device.empty() && device != device.root_path(); ++depth) {
        if (fs::exists(device / "idVendor", ec)) return device;
        if (device == sysRoot) break;
        device = device.parent_path();
    }
    return {};
}

}  // namespace

std::vector<SerialPortEntry> ListSerialPorts(const std::string& sysRoot,
                                             const std::string& devRoot) {
    std::vector<SerialPortEntry> ports;
    std::error_code ec;
    const fs::path root = fs::weakly_canonical(sysRoot, ec);
    for (const fs::directory_entry& tty : fs::directory_iterator(root / "class" / "tty", ec)) {
        std::error_code linkEc;
        const fs::path device = fs::canonical(tty.path() / "device", linkEc);
        if (linkEc) continue;  // virtual terminals, pseudo-terminals: no device
        SerialPortEntry entry;
        entry.name = tty.path().filename().string();
        entry.path = (fs::path(devRoot) / entry.name).string();
        entry.driver = fs::read_symlink(device / "driver", linkEc).filename().string();
        // The kernel lists every standard UART slot; type 0 means no UART answered there.
        if (entry.driver == "serial8250" && Attribute(tty.path() / "type") == "0") continue;
        const fs::path usb = UsbDeviceOf(device, root);
        if (!usb.empty()) {
            entry.description = Attribute(usb / "product");
            entry.manufacturer = Attribute(usb / "manufacturer");
            entry.serialNumber = Attribute(usb / "serial");
            const std::string vendor = Attribute(usb / "idVendor");
            const std::string product = Attribute(usb / "idProduct");
            if (!vendor.empty()) entry.usbId = vendor + ":" + product;
        }
        ports.push_back(std::move(entry));
    }
    std::sort(ports.begin(), ports.end(), [](const SerialPortEntry& a, const SerialPortEntry& b) {
        // ttyUSB2 before ttyUSB10.
        if (a.name.size() != b.name.size() &&
            a.name.find_first_of("0123456789") == b.name.find_first_of("0123456789"))
            return a.name.size() < b.name.size();
        return a.name < b.name;
    });
    return ports;
}

std::string DescribePort(const SerialPortEntry& entry) {
    std::string text = entry.description;
    if (!entry.manufacturer.empty())
        text += text.empty() ? entry.manufacturer : " (" + entry.manufacturer + ")";
    auto add = [&text](const std::string& part) {
        if (part.empty()) return;
        text += (text.empty() ? "" : ", ") + part;
    };
    if (!entry.serialNumber.empty()) add("serial number " + entry.serialNumber);
    add(entry.usbId);
    return text;
}

void PortDetector::Start(const std::vector<std::string>& present, time_point now) {
    known_ = present;
    started_ = now;
    active_ = true;
}

std::optional<std::string> PortDetector::Poll(const std::vector<std::string>& present) {
    if (!active_) return std::nullopt;
    for (const std::string& name : present) {
        if (std::find(known_.begin(), known_.end(), name) == known_.end()) {
            active_ = false;
            return name;
        }
    }
    // Forget what went away, so the same cable plugged back in is found.
    known_ = present;
    return std::nullopt;
}

bool PortDetector::GiveUp(time_point now) {
    if (!active_ || now - started_ <= kGiveUpAfter) return false;
    active_ = false;
    return true;
}

}  // namespace vgr47
