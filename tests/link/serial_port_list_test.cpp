#include "link/serial_port_list.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace vgr47 {
namespace {

namespace fs = std::filesystem;

// A sysfs tree as the kernel lays it out: class/tty/<name> with a device link into devices/.
class FakeSysfs : public ::testing::Test {
  protected:
    FakeSysfs() {
        root = fs::temp_directory_path() / ("vgr47-sysfs-" + std::to_string(getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "class" / "tty");
    }
    ~FakeSysfs() override { fs::remove_all(root); }

    void Write(const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << text << "\n";
    }
    // A tty whose device is at devices/<device>, driven by `driver`.
    void AddTty(const std::string& name, const std::string& device, const std::string& driver) {
        const fs::path tty = root / "class" / "tty" / name;
        fs::create_directories(tty);
        if (device.empty()) return;
        fs::create_directories(root / "devices" / device);
        fs::create_directories(root / "bus" / driver);
        fs::create_directory_symlink(root / "devices" / device, tty / "device");
        fs::create_directory_symlink(root / "bus" / driver, root / "devices" / device / "driver");
    }
    void AddUsb(const std::string& usbDevice, const std::string& product,
                const std::string& manufacturer, const std::string& serial) {
        const fs::path usb = root / "devices" / usbDevice;
        Write(usb / "idVendor", "0403");
        Write(usb / "idProduct", "6001");
        if (!product.empty()) Write(usb / "product", product);
        if (!manufacturer.empty()) Write(usb / "manufacturer", manufacturer);
        if (!serial.empty()) Write(usb / "serial", serial);
    }

    fs::path root;
};

TEST_F(FakeSysfs, ListsHardwarePortsWithWhatTheirUsbDevicesSay) {
    AddUsb("usb1/1-1", "FT232R USB UART", "FTDI", "A12BC3");
    AddTty("ttyUSB0", "usb1/1-1/1-1:1.0/ttyUSB0", "ftdi_sio");
    AddUsb("usb1/1-2", "USB-Serial Controller", "", "");
    AddTty("ttyUSB10", "usb1/1-2/1-2:1.0/ttyUSB10", "pl2303");
    AddTty("ttyUSB2", "usb1/1-3/1-3:1.0/ttyUSB2", "ch341");  // no USB attributes known
    AddTty("ttyS0", "platform/serial8250/ttyS0", "serial8250");
    Write(root / "class" / "tty" / "ttyS0" / "type", "4");
    AddTty("ttyS1", "platform/serial8250/ttyS1", "serial8250");
    Write(root / "class" / "tty" / "ttyS1" / "type", "0");  // an empty UART slot
    AddTty("tty0", "", "");                                 // a virtual terminal
    AddTty("ptmx", "", "");

    const std::vector<SerialPortEntry> ports = ListSerialPorts(root.string(), "/dev");
    ASSERT_EQ(ports.size(), 4u);
    EXPECT_EQ(ports[0].name, "ttyS0");
    EXPECT_EQ(ports[0].description, "");
    EXPECT_EQ(ports[1].name, "ttyUSB0");
    EXPECT_EQ(ports[1].path, "/dev/ttyUSB0");
    EXPECT_EQ(ports[1].description, "FT232R USB UART");
    EXPECT_EQ(ports[1].serialNumber, "A12BC3");
    EXPECT_EQ(ports[1].driver, "ftdi_sio");
    EXPECT_EQ(DescribePort(ports[1]), "FT232R USB UART (FTDI), serial number A12BC3, 0403:6001");
    EXPECT_EQ(ports[2].name, "ttyUSB2");
    EXPECT_EQ(DescribePort(ports[2]), "");
    EXPECT_EQ(ports[3].name, "ttyUSB10");
    EXPECT_EQ(DescribePort(ports[3]), "USB-Serial Controller, 0403:6001");
}

TEST_F(FakeSysfs, NoSysfsMeansNoPorts) {
    EXPECT_TRUE(ListSerialPorts((root / "missing").string()).empty());
}

}  // namespace
}  // namespace vgr47
