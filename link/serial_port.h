// What the radio link needs of a serial port. The program talks to a radio at
// 9600 baud, 8 data bits, no parity, 1 stop bit, without handshake lines.
// Implementations: QtSerialPort (a real device) and the in-process simulated radio.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vgr47 {

using Bytes = std::vector<std::uint8_t>;

// A single read never hands over more than this many bytes.
inline constexpr std::size_t kMaxReadBytes = 2048;

enum class OpenError { None, NoSuchDevice, Busy, PermissionDenied, Other };

// The outcome of opening a port. reason is the system's own description when there is one.
struct OpenResult {
    OpenError error = OpenError::None;
    std::string reason;
    bool ok() const { return error == OpenError::None; }
};

// The lines shown under "port cannot be opened": what went wrong and what the user can do
// about it (on Linux, for a port denied to the user: joining the dialout group), from the
// text catalogue, then the system's own reason. Without a catalogue, the reason alone.
std::string DescribeOpenFailure(const OpenResult& result,
                                const std::function<std::string(int number)>& text = {});

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the named port at 9600,n,8,1. Opening an open port is a no-op success.
    virtual OpenResult Open(const std::string& name) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Number of received bytes not yet read.
    virtual std::size_t BytesWaiting() = 0;
    // Takes the waiting bytes out of the receive buffer, at most kMaxReadBytes of them.
    virtual Bytes ReadAll() = 0;
    // Queues the bytes for sending, in order; does not wait for the line.
    virtual void Write(const Bytes& bytes) = 0;
    // Blocks until at least one byte is waiting or the time has passed. True when bytes wait.
    virtual bool WaitForBytes(std::chrono::steady_clock::duration atMost) = 0;
};

}  // namespace vgr47
