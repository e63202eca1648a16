// The one block-retry helper of the read, the write and the verify read-back: a block that
// times out is asked for again only after a further wait and a drain, a reply naming an
// earlier block is dropped, a refusal is not asked again, and the attempts run out.
#include <gtest/gtest.h>

#include "tests/support/line_tap.h"
#include "link/transaction.h"
#include "sim/simulated_port.h"

namespace vgr47 {
namespace {

using namespace std::chrono_literals;
using sim::CommandKind;
using sim::FaultType;
using testing::LineTap;

class BlockExchange : public ::testing::Test {
  protected:
    BlockExchange() {
        Bytes handshake;
        HexTextToBytes("0250524F4752414D0206", handshake);
        radio.Receive(handshake);  // programming mode, before any of the test's bytes
        port.Open("sim");
    }
    int Read(int address, const StaleReplyCheck& isStale = {}) {
        return ExchangeBlock(link, RadioCommand::BlockRead, Command(address), reply, isStale);
    }
    static std::string Command(int address) { return "52" + testing::AddressHex(address) + "10"; }
    std::string Reply(int address) const {
        return "57" + testing::AddressHex(address) + "10" +
               radio.MemoryHex().substr(2 * address, 32);
    }

    ManualClock clock;
    sim::SimulatedRadio radio;
    sim::SimulatedPort port{radio, clock};
    LineTap tap{port, clock};
    TraceLog trace;
    LinkContext link{tap, clock, trace};
    std::string reply;
};

TEST_F(BlockExchange, TimeOutThenTheBlockAgainAfterAFurtherWait) {
    radio.AddFault({FaultType::Silent, CommandKind::BlockRead, 1, 1, 0});
    EXPECT_EQ(Read(0x120), ResultOk);
    EXPECT_EQ(reply, Reply(0x120));
    ASSERT_EQ(tap.Count(Command(0x120)), 2);
    // 1500 ms time-out, then 1500 ms for a late answer.
    const auto gap = tap.SentAt(Command(0x120), 2) - tap.SentAt(Command(0x120), 1);
    EXPECT_GE(gap, 3000ms);
    EXPECT_LT(gap, 3010ms);
    EXPECT_EQ(trace.text(), "S:52012010\r\nR:\r\nS:52012010\r\nR:" + Reply(0x120) + "\r\n");
}

TEST_F(BlockExchange, LateAnswerToAnAttemptIsDrainedNotTaken) {
    // The first answer comes after the time-out; the radio answers the second at once.
    radio.AddFault({FaultType::Late, CommandKind::BlockRead, 1, 1, 1600});
    ASSERT_EQ(Read(0x000), ResultOk);
    EXPECT_EQ(tap.Count(Command(0x000)), 2);
    const std::string& lines = trace.text();
    EXPECT_NE(lines.find("D:" + Reply(0x000) + "\r\nS:52000010\r\n"), std::string::npos) << lines;
    EXPECT_EQ(port.BytesWaiting(), 0u);
}

TEST_F(BlockExchange, ReplyNamingAnEarlierBlockIsDroppedWithinTheSameAttempt) {
    tap.InjectAfter(Command(0x800), 1, Reply(0x730));
    const StaleReplyCheck earlier = [](const std::string& hex) {
        return hex.substr(2, 4) == "0730";
    };
    const auto start = clock.Now();
    ASSERT_EQ(Read(0x800, earlier), ResultOk);
    EXPECT_EQ(reply, Reply(0x800));
    EXPECT_EQ(tap.Count(Command(0x800)), 1);
    EXPECT_LT(clock.Now() - start, 100ms);
    EXPECT_NE(trace.text().find("D:" + Reply(0x730) + "\r\nR:" + Reply(0x800)), std::string::npos);
}

TEST_F(BlockExchange, AttemptsRunOutWithoutAWaitAfterTheLast) {
    radio.AddFault({FaultType::Silent, CommandKind::BlockRead, 1, 3, 0});
    const auto start = clock.Now();
    EXPECT_EQ(Read(0x010), ResultTimeout);
    EXPECT_EQ(tap.Count(Command(0x010)), 3);
    // Three time-outs and two waits between them.
    EXPECT_GE(clock.Now() - start, 7500ms);
    EXPECT_LT(clock.Now() - start, 7510ms);
}

TEST_F(BlockExchange, RefusedWriteIsNotAskedAgain) {
    radio.AddFault({FaultType::Refuse, CommandKind::BlockWrite, 1, 1, 0});
    const std::string command = "57001010" + std::string(32, 'A');
    EXPECT_EQ(ExchangeBlock(link, RadioCommand::BlockWrite, command, reply), ResultOk);
    EXPECT_EQ(reply, "15");
    EXPECT_EQ(tap.Count(command), 1);
}

}  // namespace
}  // namespace vgr47
