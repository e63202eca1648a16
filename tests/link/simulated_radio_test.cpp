#include <gtest/gtest.h>

#include "link/transaction.h"
#include "sim/simulated_port.h"

namespace vgr47::sim {
namespace {

Bytes FromHex(const std::string& hex) {
    Bytes b;
    HexTextToBytes(hex, b);
    return b;
}

std::string Replies(const std::vector<ReplyPiece>& pieces) {
    std::string hex;
    for (const ReplyPiece& p : pieces) hex += BytesToHexText(p.bytes);
    return hex;
}

TEST(SimulatedRadio, CommandsSplitAcrossReceivesAndNoiseIgnored) {
    SimulatedRadio radio;
    EXPECT_EQ(Replies(radio.Receive(FromHex("02"))), "02");
    EXPECT_EQ(Replies(radio.Receive(FromHex("50524F"))), "");
    EXPECT_EQ(Replies(radio.Receive(FromHex("4752414D02"))), "06" + radio.identityHex());
    EXPECT_EQ(Replies(radio.Receive(FromHex("FF06"))), "06");  // a stray byte is dropped
    EXPECT_TRUE(radio.programming());
    EXPECT_EQ(Replies(radio.Receive(FromHex("5706"))), "");
    EXPECT_EQ(Replies(radio.Receive(FromHex("6202AABB"))), "06");
    EXPECT_EQ(radio.MemoryHex().substr(0x662 * 2, 4), "AABB");
    const std::string block = Replies(radio.Receive(FromHex("52065010")));
    EXPECT_EQ(block.substr(8, 16), radio.identityHex());
    EXPECT_EQ(Replies(radio.Receive(FromHex("45"))), "06");
    EXPECT_FALSE(radio.programming());
    // Outside programming mode blocks are ignored.
    EXPECT_EQ(Replies(radio.Receive(FromHex("52000010"))), "");
}

TEST(SimulatedRadio, NewHandshakeEndsAnAbandonedSession) {
    SimulatedRadio radio;
    radio.Receive(FromHex("0250524F4752414D0206"));
    ASSERT_TRUE(radio.programming());
    // The program that stopped after a refused block never sent E; the next one starts over.
    EXPECT_EQ(Replies(radio.Receive(FromHex("02"))), "02");
    EXPECT_FALSE(radio.programming());
    EXPECT_EQ(Replies(radio.Receive(FromHex("50524F4752414D02"))), "06" + radio.identityHex());
    // The same when the next program asks for the version instead.
    radio.Receive(FromHex("06"));
    ASSERT_TRUE(radio.programming());
    EXPECT_EQ(Replies(radio.Receive(FromHex("56455253494F4E02"))), "06" + radio.identityHex());
    EXPECT_FALSE(radio.programming());
}

TEST(SimulatedRadio, InquiryReportsFirmwareAndStamp) {
    SimulatedRadio radio("4B56323130410000", "FW-2");
    EXPECT_EQ(Replies(radio.Receive(FromHex("494E51"))), "46572D32000000000000FFFF");
}

TEST(SimulatedRadio, FaultSpecs) {
    const auto f = ParseFault("late:ack:2:3:400");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->type, FaultType::Late);
    EXPECT_EQ(f->kind, CommandKind::Ack);
    EXPECT_EQ(f->nth, 2);
    EXPECT_EQ(f->times, 3);
    EXPECT_EQ(f->value, 400);
    EXPECT_TRUE(ParseFault("silent:read:3"));
    EXPECT_TRUE(ParseFault("wrong-echo:stx:1"));
    EXPECT_EQ(ParseFault("corrupt:write:9")->type, FaultType::Corrupt);
    EXPECT_FALSE(ParseFault("silent:read:0"));
    EXPECT_FALSE(ParseFault("loud:read:1"));
    EXPECT_FALSE(ParseFault("silent:read"));
    EXPECT_FALSE(ParseFault("silent:read:x"));
}

TEST(SimulatedRadio, FaultAppliesToTheNthCommandOfItsKindOnly) {
    SimulatedRadio radio;
    radio.AddFault({FaultType::Silent, CommandKind::Stx, 2, 1, 0});
    radio.AddFault({FaultType::Surplus, CommandKind::Program, 1, 1, 2});
    EXPECT_EQ(Replies(radio.Receive(FromHex("02"))), "02");
    EXPECT_EQ(Replies(radio.Receive(FromHex("02"))), "");
    EXPECT_EQ(Replies(radio.Receive(FromHex("02"))), "02");
    EXPECT_EQ(Replies(radio.Receive(FromHex("50524F4752414D"))), "060606");
}

TEST(SimulatedRadio, CorruptBlockIsAcknowledgedButStoredInverted) {
    SimulatedRadio radio;
    radio.AddFault({FaultType::Corrupt, CommandKind::BlockWrite, 2, 1, 0});
    radio.Receive(FromHex("0250524F4752414D0206"));
    EXPECT_EQ(Replies(radio.Receive(FromHex("5700101000112233445566778899AABBCCDDEEFF"))), "06");
    EXPECT_EQ(Replies(radio.Receive(FromHex("5700201000112233445566778899AABBCCDDEEFF"))), "06");
    EXPECT_EQ(radio.MemoryHex().substr(0x10 * 2, 32), "00112233445566778899AABBCCDDEEFF");
    EXPECT_EQ(radio.MemoryHex().substr(0x20 * 2, 32), "FFEEDDCCBBAA99887766554433221100");
}

// A program that gave up in the middle of a handshake must not leave the radio refusing
// every later one.
TEST(SimulatedRadio, UnfinishedHandshakeIsForgottenAfterTwoSeconds) {
    using namespace std::chrono_literals;
    const std::chrono::steady_clock::time_point t0{};
    SimulatedRadio radio;
    radio.AddFault({FaultType::Silent, CommandKind::Stx, 2, 1, 0});  // the identity request
    radio.Receive(FromHex("02"), t0);
    radio.Receive(FromHex("50524F4752414D"), t0 + 10ms);
    radio.Receive(FromHex("02"), t0 + 20ms);  // lost
    // Soon after, the radio still takes 02 for the identity request...
    EXPECT_EQ(Replies(radio.Receive(FromHex("02"), t0 + 1500ms)), radio.identityHex());
    // ...and the acknowledge of its identity is awaited however long the program asks first.
    EXPECT_EQ(Replies(radio.Receive(FromHex("06"), t0 + 5000ms)), "06");
    EXPECT_TRUE(radio.programming());
    radio.Receive(FromHex("45"), t0 + 5010ms);

    radio.Receive(FromHex("0250524F4752414D"), t0 + 6000ms);
    EXPECT_EQ(Replies(radio.Receive(FromHex("02"), t0 + 8100ms)), "02");  // a new handshake
    EXPECT_EQ(Replies(radio.Receive(FromHex("50524F4752414D02"), t0 + 8110ms)),
              "06" + radio.identityHex());

    // Programming mode waits for a block asked for again after a long pause.
    radio.Receive(FromHex("06"), t0 + 8120ms);
    EXPECT_EQ(Replies(radio.Receive(FromHex("52000010"), t0 + 11200ms)).size(), 40u);
}

TEST(SimulatedRadio, RefusedProgrammingRequestLeavesTheRadioIdle) {
    SimulatedRadio radio;
    radio.AddFault({FaultType::Refuse, CommandKind::Program, 1, 1, 0});
    radio.AddFault({FaultType::Refuse, CommandKind::Ack, 1, 1, 0});
    EXPECT_EQ(Replies(radio.Receive(FromHex("0250524F4752414D"))), "0215");
    EXPECT_EQ(Replies(radio.Receive(FromHex("02"))), "02");  // a handshake start, not the identity
    EXPECT_EQ(Replies(radio.Receive(FromHex("50524F4752414D02"))), "06" + radio.identityHex());
    EXPECT_EQ(Replies(radio.Receive(FromHex("06"))), "15");
    EXPECT_FALSE(radio.programming());
    EXPECT_EQ(Replies(radio.Receive(FromHex("06"))), "06");
    EXPECT_TRUE(radio.programming());
}

TEST(SimulatedPort, PacingPutsEachByteOnTheLine) {
    ManualClock clock;
    SimulatedRadio radio;
    SimulatedPort port(radio, clock);
    port.SetPaced(true);
    ASSERT_TRUE(port.Open("sim").ok());
    const auto start = clock.Now();
    port.Write(FromHex("02"));
    EXPECT_EQ(port.BytesWaiting(), 0u);
    EXPECT_TRUE(port.WaitForBytes(std::chrono::seconds(1)));
    EXPECT_EQ(clock.Now() - start, 2 * SimulatedPort::ByteTime());
    EXPECT_EQ(port.ReadAll(), FromHex("02"));
    EXPECT_FALSE(port.WaitForBytes(std::chrono::milliseconds(50)));
    EXPECT_EQ(clock.Now() - start, 2 * SimulatedPort::ByteTime() + std::chrono::milliseconds(50));
}

}  // namespace
}  // namespace vgr47::sim
