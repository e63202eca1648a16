// The master side of a pseudo-terminal as a SerialPort, so the simulated radio can sit at the
// end of what looks like a serial line to any other program. Open creates the terminal in raw
// mode and, when given a path, a symbolic link to its slave side for the client to open.
// POSIX only.
#pragma once

#include <string>

#include "link/serial_port.h"

namespace vgr47::sim {

class PtyPort final : public SerialPort {
  public:
    PtyPort() = default;
    ~PtyPort() override;
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;

    // linkPath: where the symbolic link to the slave goes ("" for none). An existing file
    // there is left alone and the open fails, except a link whose target is gone.
    OpenResult Open(const std::string& linkPath) override;
    // Closes the terminal and removes the link if it still points at it.
    void Close() override;
    bool IsOpen() const override { return master_ >= 0; }
    std::size_t BytesWaiting() override;
    Bytes ReadAll() override;
    // Bytes the client's side has no room for are lost, as on a line nobody listens to.
    void Write(const Bytes& bytes) override;
    // Also returns (false) as soon as the wake descriptor becomes readable.
    bool WaitForBytes(std::chrono::steady_clock::duration atMost) override;

    // The slave device, e.g. /dev/pts/4; empty while closed.
    const std::string& terminalPath() const { return terminal_; }
    const std::string& linkPath() const { return link_; }
    // A descriptor (the read end of a signal's self-pipe, say) that ends every wait.
    void SetWakeDescriptor(int fd) { wake_ = fd; }
    bool woken() const { return woken_; }

  private:
    OpenResult Fail(OpenError error, const std::string& reason);

    int master_ = -1;
    // Held open so that the master never sees a hang-up between clients, which would
    // otherwise make every poll return at once.
    int slave_ = -1;
    int wake_ = -1;
    bool woken_ = false;
    std::string terminal_;
    std::string link_;
};

}  // namespace vgr47::sim
