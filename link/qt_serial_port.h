// The SerialPort of a real device, on QSerialPort. Like every QObject-based port it must be
// created, used and destroyed on one thread: the thread that runs the radio dialog's engine.
#pragma once

#include <memory>
#include <string>

#include "link/serial_port.h"

class QSerialPort;

namespace vgr47 {

class QtSerialPort final : public SerialPort {
public:
    QtSerialPort();
    ~QtSerialPort() override;
    QtSerialPort(const QtSerialPort&) = delete;
    QtSerialPort& operator=(const QtSerialPort&) = delete;

    // name: a device path (/dev/ttyUSB0, /dev/pts/7) or a system port name (ttyUSB0, COM3).
    OpenResult Open(const std::string& name) override;
    void Close() override;
    bool IsOpen() const override;
    std::size_t BytesWaiting() override;
    Bytes ReadAll() override;
    void Write(const Bytes& bytes) override;
    bool WaitForBytes(std::chrono::steady_clock::duration atMost) override;

private:
    std::unique_ptr<QSerialPort> port_;
};

}  // namespace vgr47
