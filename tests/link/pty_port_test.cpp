#include <gtest/gtest.h>

#ifdef __linux__
#include <fcntl.h>
#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <thread>

#include "link/clock.h"
#include "link/transaction.h"
#include "sim/pty_port.h"
#include "sim/radio_server.h"

namespace vgr47::sim {
namespace {

namespace fs = std::filesystem;

// Reads what arrives on fd within the time, as hex.
std::string ReadFor(int fd, int ms) {
    std::string hex;
    pollfd p{fd, POLLIN, 0};
    while (poll(&p, 1, ms) > 0) {
        std::uint8_t buf[64];
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0) break;
        hex += BytesToHexText(Bytes(buf, buf + n));
        ms = 20;
    }
    return hex;
}

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

TEST(PtyPort, ServesTheRadioOnTheLinkedTerminalUntilWoken) {
    const fs::path link =
        fs::temp_directory_path() / ("vgr47_pty_" + std::to_string(std::random_device()()));
    int wake[2];
    ASSERT_EQ(pipe(wake), 0);
    PtyPort pty;
    pty.SetWakeDescriptor(wake[0]);
    ASSERT_TRUE(pty.Open(link.string()).ok());
    EXPECT_EQ(fs::read_symlink(link).string(), pty.terminalPath());
    // A second server cannot take a link that is in use.
    PtyPort other;
    EXPECT_EQ(other.Open(link.string()).error, OpenError::Busy);

    SimulatedRadio radio;
    double serverCpu = 0;
    std::thread server([&] {
        SteadyClock clock;
        const double start = ThreadCpuSeconds();
        ServeRadio(radio, pty, clock, false, [&pty] { return !pty.woken(); });
        serverCpu = ThreadCpuSeconds() - start;
    });

    const int client = open(link.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(client, 0);
    // Raw: 0D and 0A pass unchanged, nothing is echoed back.
    const std::uint8_t handshake[] = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x02};
    ASSERT_EQ(write(client, handshake, sizeof handshake), 9);
    EXPECT_EQ(ReadFor(client, 1000), "0206" + radio.identityHex());
    const std::uint8_t ackAndBlock[] = {0x06, 'W', 0x00, 0x10, 4, 0x0D, 0x0A, 0x11, 0x13};
    ASSERT_EQ(write(client, ackAndBlock, sizeof ackAndBlock), 9);
    EXPECT_EQ(ReadFor(client, 1000), "0606");
    close(client);

    // Idle, the server sleeps in its wait.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_EQ(write(wake[1], "x", 1), 1);
    server.join();
    EXPECT_LT(serverCpu, 0.05);
    EXPECT_EQ(radio.MemoryHex().substr(0x10 * 2, 8), "0D0A1113");

    pty.Close();
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    close(wake[0]);
    close(wake[1]);
}

}  // namespace
}  // namespace vgr47::sim
#endif
