#include "link/read_sequence.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/text_ids.h"
#include "tests/support/line_tap.h"
#include "sim/simulated_port.h"
#include "tests/support/recording_messages.h"

namespace vgr47 {
namespace {

using sim::CommandKind;
using sim::Fault;
using sim::FaultType;

using testing::RecordingMessages;

bool RuleSignalling(const std::string& identity) { return identity.substr(10, 2) == "54"; }

std::string Pattern(std::size_t bytes) {
    std::string hex;
    for (std::size_t i = 0; i < bytes; ++i) hex += BytesToHexText({static_cast<std::uint8_t>(i * 7 + 3)});
    return hex;
}

class ReadTest : public ::testing::Test {
protected:
    void SetUpRadio(const std::string& identity) {
        radio = sim::SimulatedRadio(identity);
        radio.LoadMemoryHex(Pattern(4096));
    }
    ReadResult Read() { return testing::Told(ReadFromRadio(link, "sim", hooks), messages); }
    std::string Text(int n) { return "text " + std::to_string(n); }

    ManualClock clock;
    sim::SimulatedRadio radio;
    sim::SimulatedPort port{radio, clock};
    TraceLog trace;
    RecordingMessages messages;
    LinkContext link{port, clock, trace};
    SequenceHooks hooks{nullptr, nullptr, RuleSignalling};
};

TEST_F(ReadTest, BasicRadioExactBytesAndImage) {
    SetUpRadio("4B56323130410000");
    int lastProgress = -1;
    hooks.progress = [&](int pos, int max) {
        EXPECT_EQ(max, 115);
        lastProgress = pos;
    };
    const ReadResult r = Read();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(lastProgress, 115);
    EXPECT_EQ(r.identityHex, "4B56323130410000");
    EXPECT_EQ(r.image, radio.MemoryHex(1856));
    std::vector<std::string> expected = {"02", "50524F4752414D", "02", "06"};
    for (int a = 0; a < 0x740; a += 16) {
        expected.push_back("52" + BytesToHexText({std::uint8_t(a >> 8), std::uint8_t(a)}) + "10");
        expected.push_back("06");
    }
    expected.push_back("45");
    EXPECT_EQ(port.writes(), expected);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ReadTest, SignallingRadioSkipsTheTuningAreaAndFillsItWithFF) {
    SetUpRadio(sim::SimulatedRadio::kDefaultIdentity);
    const ReadResult r = Read();
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.image.size(), 8192u);
    EXPECT_EQ(r.image.substr(0, 0x740 * 2), radio.MemoryHex(0x740));
    EXPECT_EQ(r.image.substr(0x740 * 2, 192 * 2), std::string(384, 'F'));
    EXPECT_EQ(r.image.substr(0x800 * 2), radio.MemoryHex().substr(0x800 * 2));
    EXPECT_EQ(radio.CommandCount(CommandKind::BlockRead), 244);
    const auto& w = port.writes();
    EXPECT_EQ(std::count(w.begin(), w.end(), "52073010"), 1);
    EXPECT_EQ(std::count(w.begin(), w.end(), "52074010"), 0);
    EXPECT_EQ(std::count(w.begin(), w.end(), "52080010"), 1);
    EXPECT_EQ(std::count(w.begin(), w.end(), "520FF010"), 1);
}

TEST_F(ReadTest, EditionRuleReadsEveryRadioExtended) {
    SetUpRadio("4B56323130410000");
    hooks.isSignalling = [](const std::string&) { return true; };
    const ReadResult r = Read();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image.size(), 8192u);
}

TEST_F(ReadTest, BlockInPiecesIsAcceptedAndShortBlockFailsAfterThreeAttempts) {
    SetUpRadio("4B56323130410000");
    radio.AddFault({FaultType::Pieces, CommandKind::BlockRead, 5, 1, 700});
    ASSERT_TRUE(Read().ok());

    SetUpRadio("4B56323130410000");
    port.ClearWrites();
    radio.AddFault({FaultType::Short, CommandKind::BlockRead, 3, 3, 0});
    const ReadResult r = Read();
    EXPECT_EQ(r.outcome, ReadOutcome::BlockTimeout);
    EXPECT_EQ(radio.CommandCount(CommandKind::BlockRead), 5);
    EXPECT_EQ(messages.shown, (std::vector<std::string>{Text(kTextCommFailed)}));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(r.image.empty());
}

TEST_F(ReadTest, HandshakeFailureLeavesThePortOpen) {
    SetUpRadio("4B56323130410000");
    radio.AddFault({FaultType::WrongEcho, CommandKind::Stx, 1, 3, 0});
    const ReadResult r = Read();
    EXPECT_EQ(r.outcome, ReadOutcome::HandshakeFailed);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.writes(), (std::vector<std::string>{"02", "02", "02"}));
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(ReadTest, FailedAcknowledgeClosesThePortSoReadCanStartAgain) {
    SetUpRadio("4B56323130410000");
    radio.AddFault({FaultType::Silent, CommandKind::Ack, 3, 3, 0});
    const ReadResult r = Read();
    EXPECT_EQ(r.outcome, ReadOutcome::AckFailed);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(messages.shown, (std::vector<std::string>{Text(kTextCommFailed)}));
}

TEST_F(ReadTest, LateSecondAcknowledgeDoesNotShiftTheNextBlock) {
    SetUpRadio("4B56323130410000");
    // The first block acknowledge answers after the time-out; the retry's answer comes in
    // time, and the late byte then waits in the buffer.
    radio.AddFault({FaultType::Late, CommandKind::Ack, 2, 1, 350});
    // Repainting the dialog between blocks takes a little time.
    hooks.progress = [&](int, int) { clock.Advance(std::chrono::milliseconds(5)); };
    const ReadResult r = Read();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image, radio.MemoryHex(1856));
}

TEST_F(ReadTest, PortOpenFailureShowsTheReason) {
    SetUpRadio("4B56323130410000");
    port.SetOpenFailure({OpenError::Busy, "Device or resource busy"});
    const ReadResult r = Read();
    EXPECT_EQ(r.outcome, ReadOutcome::PortOpenFailed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], Text(kTextPortOpenFailed) + "\n" + Text(kTextPortInUse) +
                                     "\nDevice or resource busy");
    EXPECT_TRUE(port.writes().empty());
}

TEST_F(ReadTest, CancelBetweenBlocksEndsProgrammingAndClosesThePort) {
    SetUpRadio("4B56323130410000");
    std::atomic<bool> cancel{false};
    hooks.cancel = &cancel;
    hooks.progress = [&](int pos, int) {
        if (pos == 10) cancel = true;
    };
    const ReadResult r = Read();
    EXPECT_EQ(r.outcome, ReadOutcome::Cancelled);
    EXPECT_EQ(radio.CommandCount(CommandKind::BlockRead), 11);
    EXPECT_EQ(port.writes().back(), "45");
    EXPECT_FALSE(radio.programming());
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(ReadTest, PacedReadTakesTheWireTime) {
    SetUpRadio("4B56323130410000");
    port.SetPaced(true);
    const auto start = clock.Now();
    ASSERT_TRUE(Read().ok());
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(clock.Now() - start);
    // 116 blocks of 4 + 20 + 1 + 1 bytes at about 1.04 ms a byte, plus the handshake.
    EXPECT_GT(elapsed.count(), 116 * 26);
    EXPECT_LT(elapsed.count(), 116 * 26 * 11 / 10 + 200);
}

}  // namespace
}  // namespace vgr47
