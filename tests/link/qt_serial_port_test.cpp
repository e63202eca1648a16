#include <gtest/gtest.h>

#include <QCoreApplication>

#ifdef __linux__
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#endif

#include "link/clock.h"
#include "link/qt_serial_port.h"
#include "link/transaction.h"

namespace vgr47 {
namespace {

TEST(QtSerialPort, MissingDeviceIsAValueWithAReason) {
    QtSerialPort port;
    const OpenResult r = port.Open("/dev/vgr47-no-such-port");
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error, OpenError::NoSuchDevice);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.BytesWaiting(), 0u);
    EXPECT_TRUE(port.ReadAll().empty());
}

#ifdef __linux__
TEST(QtSerialPort, ExchangesBytesOverAPseudoTerminal) {
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);

    // The port's waits use socket notifiers, which want the application object (as in the
    // program) to be there.
    int argc = 1;
    char program[] = "link_tests";
    char* argv[] = {program, nullptr};
    QCoreApplication app(argc, argv);
    QtSerialPort port;
    ASSERT_TRUE(port.Open(name).ok()) << name;
    SteadyClock clock;
    std::string reply;

    // Nothing comes: the collection ends at its time-out, having waited rather than spun.
    const auto start = clock.Now();
    EXPECT_EQ(Exchange(port, clock, "02", reply, 1, 50), ResultTimeout);
    EXPECT_GE(clock.Now() - start, std::chrono::milliseconds(50));
    char got[8] = {};
    ASSERT_EQ(read(master, got, sizeof got), 1);
    EXPECT_EQ(got[0], 0x02);

    const unsigned char answer[] = {0x06, 0x4B, 0x56};
    ASSERT_EQ(write(master, answer, sizeof answer), 3);
    EXPECT_EQ(CollectReply(port, clock, reply, 2, 1000), ResultOk);
    EXPECT_EQ(reply, "064B");

    // A second program on the same port is told that it is in use, not that it lacks the
    // right to open it.
    QtSerialPort other;
    const OpenResult taken = other.Open(name);
    EXPECT_EQ(taken.error, OpenError::Busy) << taken.reason;
    EXPECT_FALSE(other.IsOpen());

    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(other.Open(name).ok());
    other.Close();
    close(slave);
    close(master);
}
#endif

}  // namespace
}  // namespace vgr47
