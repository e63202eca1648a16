#include <gtest/gtest.h>

#include <vector>

#include "core/text_ids.h"
#include "link/transaction.h"
#include "sim/simulated_port.h"
#include "tests/support/recording_messages.h"

namespace vgr47 {
namespace {

using namespace std::chrono_literals;

using testing::RecordingMessages;

// A port whose replies are scripted as pieces arriving at given times after each write.
class ScriptedPort : public SerialPort {
public:
    explicit ScriptedPort(ManualClock& clock) : clock_(clock) {}
    struct Piece {
        std::chrono::milliseconds after;
        Bytes bytes;
    };
    std::vector<std::vector<Piece>> replies;  // one entry per write
    std::vector<std::string> writes;
    int reads = 0;

    OpenResult Open(const std::string&) override { return {}; }
    void Close() override {}
    bool IsOpen() const override { return true; }
    std::size_t BytesWaiting() override {
        std::size_t n = 0;
        for (const auto& [at, b] : pending_)
            if (at <= clock_.Now()) ++n;
        return n;
    }
    Bytes ReadAll() override {
        ++reads;
        Bytes out;
        std::vector<std::pair<Clock::time_point, std::uint8_t>> later;
        for (const auto& p : pending_) {
            if (p.first <= clock_.Now())
                out.push_back(p.second);
            else
                later.push_back(p);
        }
        pending_ = later;
        return out;
    }
    void Write(const Bytes& bytes) override {
        writes.push_back(BytesToHexText(bytes));
        if (writes.size() > replies.size()) return;
        for (const Piece& piece : replies[writes.size() - 1])
            for (std::uint8_t b : piece.bytes) pending_.push_back({clock_.Now() + piece.after, b});
    }
    bool WaitForBytes(std::chrono::steady_clock::duration atMost) override {
        auto until = clock_.Now() + atMost;
        for (const auto& p : pending_)
            if (p.first < until) until = std::max(p.first, clock_.Now());
        clock_.SleepUntil(until);
        return BytesWaiting() > 0;
    }

private:
    ManualClock& clock_;
    std::vector<std::pair<Clock::time_point, std::uint8_t>> pending_;
};

TEST(HexConversion, DigitsPairsAndStops) {
    EXPECT_EQ(HexDigitValue('0'), 0);
    EXPECT_EQ(HexDigitValue('9'), 9);
    EXPECT_EQ(HexDigitValue('a'), 10);
    EXPECT_EQ(HexDigitValue('F'), 15);
    EXPECT_EQ(HexDigitValue('G'), -1);
    EXPECT_EQ(HexDigitValue(' '), -1);

    Bytes bytes;
    EXPECT_EQ(HexTextToBytes("0A0a", bytes), 2);
    EXPECT_EQ(bytes, (Bytes{0x0A, 0x0A}));
    EXPECT_EQ(HexTextToBytes("50524F4", bytes), 3);  // trailing digit ignored
    EXPECT_EQ(HexTextToBytes("01Z203", bytes), 1);   // a bad pair ends the conversion
    EXPECT_EQ(bytes, (Bytes{0x01}));
    EXPECT_EQ(BytesToHexText({0x00, 0xAB, 0xFF}), "00ABFF");
}

class CollectTest : public ::testing::Test {
protected:
    ManualClock clock;
    ScriptedPort port{clock};
    std::string reply;
};

TEST_F(CollectTest, OddCommandSendsNothingAndZeroCountReadsNothing) {
    EXPECT_EQ(Exchange(port, clock, "5", reply, 1, 300), ResultOddLength);
    EXPECT_TRUE(port.writes.empty());

    port.replies = {{{0ms, {0x06}}}};
    EXPECT_EQ(Exchange(port, clock, "07", reply, 0, 200), ResultOk);
    EXPECT_EQ(port.writes, (std::vector<std::string>{"07"}));
    EXPECT_EQ(port.reads, 0);
    EXPECT_EQ(reply, "");
}

TEST_F(CollectTest, PiecesAreJoinedAndSurplusOfTheSameReadIsDropped) {
    port.replies = {{{10ms, {1, 2, 3}}, {40ms, {4, 5}}}, {{0ms, {9, 8, 7, 6}}}};
    EXPECT_EQ(Exchange(port, clock, "52000010", reply, 5, 1500), ResultOk);
    EXPECT_EQ(reply, "0102030405");
    EXPECT_EQ(Exchange(port, clock, "06", reply, 2, 300), ResultOk);
    EXPECT_EQ(reply, "0908");
    EXPECT_EQ(port.BytesWaiting(), 0u);
}

TEST_F(CollectTest, TimeoutBoundaryIsInclusive) {
    port.replies = {{{300ms, {0x06}}}, {{301ms, {0x06}}}};
    auto start = clock.Now();
    EXPECT_EQ(Exchange(port, clock, "06", reply, 1, 300), ResultOk);
    EXPECT_EQ(clock.Now() - start, 300ms);

    start = clock.Now();
    EXPECT_EQ(Exchange(port, clock, "06", reply, 1, 300), ResultTimeout);
    EXPECT_EQ(reply, "");
    EXPECT_LE(clock.Now() - start, 302ms);
}

TEST_F(CollectTest, TimeoutKeepsThePartialReply) {
    port.replies = {{{5ms, Bytes(19, 0x11)}}};
    EXPECT_EQ(Exchange(port, clock, "52000010", reply, 20, 1500), ResultTimeout);
    EXPECT_EQ(reply, std::string(38, '1'));
}

class TransactTest : public ::testing::Test {
protected:
    ManualClock clock;
    ScriptedPort port{clock};
    TraceLog trace;
    LinkContext link{port, clock, trace};
    std::string reply;
};

TEST_F(TransactTest, ThreeMismatchesThenCommunicationFailed) {
    port.replies = {{{0ms, {0x15}}}, {{0ms, {0x15}}}, {{0ms, {0x15}}}, {{0ms, {0x06}}}};
    EXPECT_FALSE(Transact(link, "06", reply, 1, 300, "06"));
    EXPECT_EQ(port.writes.size(), 3u);
    EXPECT_EQ(trace.text(), "S:06\r\nR:15\r\nS:06\r\nR:15\r\nS:06\r\nR:15\r\n");
}

TEST_F(TransactTest, RetryAfterTimeoutThenSuccess) {
    port.replies = {{}, {{0ms, {0x02}}}};
    EXPECT_TRUE(Transact(link, "02", reply, 1, 300, "02"));
    EXPECT_EQ(trace.text(), "S:02\r\nR:\r\nS:02\r\nR:02\r\n");
}

TEST_F(TransactTest, AnyReplyWhenNoneIsExpectedAndOddCommandFailsEveryAttempt) {
    port.replies = {{{0ms, {1, 2, 3, 4, 5, 6, 7, 8}}}};
    EXPECT_TRUE(Transact(link, "02", reply, 8, 500, ""));
    EXPECT_EQ(reply, "0102030405060708");

    EXPECT_FALSE(Transact(link, "123", reply, 1, 300, ""));
    EXPECT_EQ(port.writes.size(), 1u);
}

TEST_F(TransactTest, FullTraceIsClearedBeforeTheNextTransaction) {
    port.replies = {{{0ms, {0x06}}}, {{0ms, {0x06}}}};
    trace.SetText(std::string(TraceLog::kClearThreshold - 1, 'x'));
    EXPECT_TRUE(Transact(link, "06", reply, 1, 300, "06"));
    EXPECT_EQ(trace.text().size(), TraceLog::kClearThreshold - 1 + 12);  // kept below the mark

    trace.SetText(std::string(30000, 'x'));
    EXPECT_TRUE(Transact(link, "06", reply, 1, 300, "06"));
    EXPECT_EQ(trace.text(), "S:06\r\nR:06\r\n");
}

TEST(DescribeOpenFailure, EachKindHasItsOwnCatalogueTextBeforeTheSystemsReason) {
    auto text = [](int n) { return "text " + std::to_string(n); };
    EXPECT_EQ(DescribeOpenFailure({}, text), "");
    EXPECT_EQ(DescribeOpenFailure({OpenError::NoSuchDevice, "No such file"}, text),
              "text 8128\nNo such file");
    // A port another program holds is not a question of group membership.
    EXPECT_EQ(DescribeOpenFailure({OpenError::Busy, "Device or resource busy"}, text),
              "text 8127\nDevice or resource busy");
    const std::string denied = DescribeOpenFailure({OpenError::PermissionDenied, "EACCES"}, text);
#ifdef __linux__
    EXPECT_EQ(denied, "text 8129\ntext 8130\nEACCES");
#else
    EXPECT_EQ(denied, "text 8129\nEACCES");
#endif
    EXPECT_EQ(DescribeOpenFailure({OpenError::Other, "odd"}, text), "odd");
    // Without a catalogue only the system's reason is left.
    EXPECT_EQ(DescribeOpenFailure({OpenError::Busy, "busy"}), "busy");
}

}  // namespace
}  // namespace vgr47
