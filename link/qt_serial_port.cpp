#include "link/qt_serial_port.h"

#include <QSerialPort>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace vgr47 {

namespace {

OpenError ClassifyError(QSerialPort::SerialPortError error) {
    switch (error) {
        case QSerialPort::NoError:
            return OpenError::None;
        case QSerialPort::DeviceNotFoundError:
            return OpenError::NoSuchDevice;
        case QSerialPort::PermissionError:
            return OpenError::PermissionDenied;
        case QSerialPort::OpenError:
            return OpenError::Busy;
        default:
            return OpenError::Other;
    }
}

// Qt reports a port held by another program (its lock file, or the device's exclusive
// mode) as a permission error, like a device the user may not open. Only the second is the
// user's group membership; a device the user could open is simply in use.
OpenError PermissionOrBusy(const std::string& name) {
#ifdef Q_OS_UNIX
    return ::access(name.c_str(), R_OK | W_OK) == 0 ? OpenError::Busy : OpenError::PermissionDenied;
#else
    // A COM port that another program holds answers "access denied".
    (void)name;
    return OpenError::Busy;
#endif
}

int WaitMilliseconds(std::chrono::steady_clock::duration d) {
    using namespace std::chrono;
    if (d <= steady_clock::duration::zero()) return 0;
    // Round up so that a wait never ends before the caller's deadline.
    return static_cast<int>(ceil<milliseconds>(d).count());
}

}  // namespace

QtSerialPort::QtSerialPort() : port_(std::make_unique<QSerialPort>()) {}

QtSerialPort::~QtSerialPort() { Close(); }

OpenResult QtSerialPort::Open(const std::string& name) {
    if (port_->isOpen()) return {};
    port_->setPortName(QString::fromStdString(name));
    port_->setBaudRate(QSerialPort::Baud9600);
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::NoParity);
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(QSerialPort::NoFlowControl);
    port_->setReadBufferSize(static_cast<qint64>(kMaxReadBytes));
    if (port_->open(QIODevice::ReadWrite)) return {};
    OpenResult result;
    result.error = ClassifyError(port_->error());
    if (result.error == OpenError::None) result.error = OpenError::Other;
    if (result.error == OpenError::PermissionDenied) {
        // Qt takes a bare name as one under /dev.
        const std::string path = name.find('/') == std::string::npos ? "/dev/" + name : name;
        result.error = PermissionOrBusy(path);
    }
    result.reason = port_->errorString().toStdString();
    port_->clearError();
    return result;
}

void QtSerialPort::Close() {
    if (port_->isOpen()) port_->close();
}

bool QtSerialPort::IsOpen() const { return port_->isOpen(); }

std::size_t QtSerialPort::BytesWaiting() {
    if (!port_->isOpen()) return 0;
    // Without an event loop on this thread the buffer only fills inside a wait call.
    if (port_->bytesAvailable() == 0) port_->waitForReadyRead(0);
    return static_cast<std::size_t>(port_->bytesAvailable());
}

Bytes QtSerialPort::ReadAll() {
    if (!port_->isOpen()) return {};
    const QByteArray data = port_->read(static_cast<qint64>(kMaxReadBytes));
    return Bytes(data.begin(), data.end());
}

void QtSerialPort::Write(const Bytes& bytes) {
    if (!port_->isOpen() || bytes.empty()) return;
    port_->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    // Hands the bytes to the system; the line itself is not waited for.
    port_->waitForBytesWritten(1000);
}

bool QtSerialPort::WaitForBytes(std::chrono::steady_clock::duration atMost) {
    if (!port_->isOpen()) return false;
    if (port_->bytesAvailable() > 0) return true;
    return port_->waitForReadyRead(WaitMilliseconds(atMost)) || port_->bytesAvailable() > 0;
}

}  // namespace vgr47
