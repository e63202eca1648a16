#include "sim/pty_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vgr47::sim {

namespace {

void SetFlag(int fd, int getCmd, int setCmd, int flag) {
    const int flags = fcntl(fd, getCmd);
    if (flags >= 0) fcntl(fd, setCmd, flags | flag);
}

// poll() with the wait as precise as the system allows: paced replies are due every byte
// time (about 1 ms), so rounding every wait up to a whole millisecond would stretch a paced
// transfer by a tenth.
int PollFor(pollfd* fds, nfds_t count, std::chrono::steady_clock::duration d) {
    using namespace std::chrono;
    if (d < steady_clock::duration::zero()) d = steady_clock::duration::zero();
    if (d > hours(24)) d = hours(24);
#ifdef __linux__
    const auto ns = duration_cast<nanoseconds>(d).count();
    const timespec wait{static_cast<time_t>(ns / 1'000'000'000),
                        static_cast<long>(ns % 1'000'000'000)};
    return ppoll(fds, count, &wait, nullptr);
#else
    // Round up so that a wait never ends before the caller's deadline.
    return poll(fds, count, static_cast<int>(ceil<milliseconds>(d).count()));
#endif
}

// True when path is a symbolic link whose target no longer exists.
bool IsDanglingLink(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && stat(path.c_str(), &st) != 0;
}

}  // namespace

PtyPort::~PtyPort() { Close(); }

OpenResult PtyPort::Fail(OpenError error, const std::string& reason) {
    Close();
    return {error, reason};
}

OpenResult PtyPort::Open(const std::string& linkPath) {
    if (IsOpen()) return {};
    woken_ = false;
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0)
        return Fail(OpenError::Other, std::string("posix_openpt: ") + std::strerror(errno));
    if (grantpt(master_) != 0 || unlockpt(master_) != 0)
        return Fail(OpenError::Other, std::string("grantpt: ") + std::strerror(errno));
    const char* name = ptsname(master_);
    if (!name) return Fail(OpenError::Other, std::string("ptsname: ") + std::strerror(errno));
    terminal_ = name;
    slave_ = open(terminal_.c_str(), O_RDWR | O_NOCTTY);
    if (slave_ < 0) return Fail(OpenError::Other, terminal_ + ": " + std::strerror(errno));

    // A serial line passes every byte as it is: no echo, no line editing, no CR/LF mapping.
    termios tio{};
    if (tcgetattr(slave_, &tio) != 0)
        return Fail(OpenError::Other, terminal_ + ": " + std::strerror(errno));
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    if (tcsetattr(slave_, TCSANOW, &tio) != 0)
        return Fail(OpenError::Other, terminal_ + ": " + std::strerror(errno));
    SetFlag(master_, F_GETFL, F_SETFL, O_NONBLOCK);
    SetFlag(master_, F_GETFD, F_SETFD, FD_CLOEXEC);
    SetFlag(slave_, F_GETFD, F_SETFD, FD_CLOEXEC);

    if (!linkPath.empty()) {
        // A link left behind by a simulator that was killed may be replaced; nothing else.
        if (IsDanglingLink(linkPath)) unlink(linkPath.c_str());
        if (symlink(terminal_.c_str(), linkPath.c_str()) != 0) {
            const int error = errno;
            return Fail(error == EEXIST ? OpenError::Busy : OpenError::Other,
                        linkPath + ": " + std::strerror(error));
        }
        link_ = linkPath;
    }
    return {};
}

void PtyPort::Close() {
    if (!link_.empty()) {
        char target[4096];
        const ssize_t n = readlink(link_.c_str(), target, sizeof target - 1);
        if (n >= 0 && std::string(target, static_cast<std::size_t>(n)) == terminal_)
            unlink(link_.c_str());
        link_.clear();
    }
    if (slave_ >= 0) close(slave_);
    if (master_ >= 0) close(master_);
    slave_ = master_ = -1;
    terminal_.clear();
}

std::size_t PtyPort::BytesWaiting() {
    int n = 0;
    if (!IsOpen() || ioctl(master_, FIONREAD, &n) != 0 || n < 0) return 0;
    return static_cast<std::size_t>(n);
}

Bytes PtyPort::ReadAll() {
    Bytes bytes(kMaxReadBytes);
    ssize_t n = -1;
    if (IsOpen()) {
        do {
            n = read(master_, bytes.data(), bytes.size());
        } while (n < 0 && errno == EINTR);
    }
    bytes.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return bytes;
}

void PtyPort::Write(const Bytes& bytes) {
    std::size_t done = 0;
    while (IsOpen() && done < bytes.size()) {
        const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            break;  // no room on the client's side (EAGAIN) or the terminal is gone
        }
    }
}

bool PtyPort::WaitForBytes(std::chrono::steady_clock::duration atMost) {
    if (!IsOpen()) return false;
    pollfd fds[2] = {{master_, POLLIN, 0}, {wake_, POLLIN, 0}};
    const nfds_t count = wake_ >= 0 ? 2 : 1;
    const int ready = PollFor(fds, count, atMost);
    if (ready <= 0) return false;  // time-out, or a signal (EINTR): the caller looks again
    if (count == 2 && (fds[1].revents & POLLIN)) woken_ = true;
    return (fds[0].revents & POLLIN) != 0;
}

}  // namespace vgr47::sim
