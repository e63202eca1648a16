// Replies and acknowledges that come after their time-out must never pass for another
// block's: a read ends with the radio's exact image or fails, a write leaves the radio
// holding exactly the image or fails. The bytes on the wire stay those of a plain transfer.
#include <gtest/gtest.h>

#include <memory>

#include "core/text_ids.h"
#include "link/read_sequence.h"
#include "link/write_sequence.h"
#include "sim/simulated_port.h"
#include "tests/support/line_tap.h"

namespace vgr47 {
namespace {

using namespace std::chrono_literals;
using sim::CommandKind;
using sim::FaultType;
using testing::AddressHex;
using testing::FirstDifference;
using testing::LineTap;
using testing::RecordingMessages;
using testing::Told;

const std::string kSignallingIdentity = sim::SimulatedRadio::kDefaultIdentity;

bool RuleSignalling(const std::string& identity) { return identity.substr(10, 2) == "54"; }

std::string Pattern(std::size_t bytes, int seed) {
    std::string hex;
    for (std::size_t i = 0; i < bytes; ++i)
        hex += BytesToHexText({static_cast<std::uint8_t>(i * 7 + seed)});
    return hex;
}

// Block k (1-based) of the signalling layout.
int BlockAddress(int k) { return k <= 116 ? (k - 1) * 16 : 0x800 + (k - 117) * 16; }

// Everything one transfer needs, fresh for each run.
struct Rig {
    explicit Rig(bool paced = false) {
        radio.LoadMemoryHex(Pattern(4096, 3).replace(0x650 * 2, 16, kSignallingIdentity));
        port.SetPaced(paced);
    }
    ReadResult Read() { return Told(ReadFromRadio(link, "sim", hooks), messages); }
    // The image a read of the radio must give: the tuning area is not read and is FF.
    std::string RadioImage() const {
        std::string image = radio.MemoryHex();
        return image.replace(0x740 * 2, 0xC0 * 2, std::string(0xC0 * 2, 'F'));
    }
    std::string BlockReply(int address) const {
        return "57" + AddressHex(address) + "10" + radio.MemoryHex().substr(address * 2, 32);
    }

    ManualClock clock;
    sim::SimulatedRadio radio{kSignallingIdentity};
    sim::SimulatedPort port{radio, clock};
    LineTap tap{port, clock};
    TraceLog trace;
    RecordingMessages messages;
    LinkContext link{tap, clock, trace};
    SequenceHooks hooks{nullptr, nullptr, RuleSignalling};
};

class LateBlockReply : public ::testing::TestWithParam<int> {};

// The scenario a dealer met: the radio answers a block read 1.6 s late, past the 1.5 s
// time-out, once, twice or on every attempt.
TEST_P(LateBlockReply, ReadGivesTheExactImageOrFailsCleanly) {
    const int k = GetParam();
    const std::string command = "52" + AddressHex(BlockAddress(k)) + "10";
    for (int times = 1; times <= 3; ++times) {
        SCOPED_TRACE("late " + std::to_string(times) + " times");
        Rig rig;
        rig.radio.AddFault({FaultType::Late, CommandKind::BlockRead, k, times, 1600});
        const ReadResult r = rig.Read();
        if (times < 3) {
            ASSERT_TRUE(r.ok());
            EXPECT_EQ(FirstDifference(r.image, rig.RadioImage()), -1);
            EXPECT_TRUE(rig.messages.shown.empty());
            // The same command again, never sooner than a further time-out after the last.
            ASSERT_EQ(rig.tap.Count(command), times + 1);
            for (int n = 1; n <= times; ++n)
                EXPECT_GE(rig.tap.SentAt(command, n + 1) - rig.tap.SentAt(command, n), 3000ms);
            EXPECT_EQ(rig.radio.CommandCount(CommandKind::BlockRead), 244 + times);
        } else {
            EXPECT_EQ(r.outcome, ReadOutcome::BlockTimeout);
            EXPECT_TRUE(r.image.empty());
            EXPECT_EQ(r.failedAddress, BlockAddress(k));
            EXPECT_EQ(rig.messages.shown, (std::vector<std::string>{"text 3009"}));
            EXPECT_EQ(rig.tap.Count(command), 3);
        }
    }
}

// A late acknowledge, then the next block's write is lost: the late 06 must not count for it.
TEST_P(LateBlockReply, WriteLeavesTheRadioHoldingTheImageOrFails) {
    const int k = std::min(GetParam(), 243);
    for (int times : {1, 3}) {
        SCOPED_TRACE("late " + std::to_string(times) + " times");
        Rig rig;
        CodeplugImage image;
        image.InstallOpened(Pattern(4096, 11).replace(0x650 * 2, 16, kSignallingIdentity), "x.dat");
        rig.radio.AddFault({FaultType::Late, CommandKind::BlockWrite, k, times, 1600});
        rig.radio.AddFault({FaultType::Silent, CommandKind::BlockWrite, k + times + 1, 1, 0});
        const WriteResult w =
            Told(WriteToRadio(rig.link, "sim", {image, kSignallingIdentity, "0505"}, rig.hooks),
                 rig.messages);
        std::string held = rig.radio.MemoryHex(), sent = image.image();
        held.erase(0x740 * 2, 0xC0 * 2);
        sent.erase(0x740 * 2, 0xC0 * 2);
        if (times == 1) {
            ASSERT_EQ(w.outcome, WriteOutcome::Completed);
            EXPECT_EQ(FirstDifference(held, sent), -1);
            EXPECT_TRUE(rig.messages.shown.empty());
            const std::string first = rig.tap.sent()[4 + k - 1].hex;  // after the handshake
            ASSERT_EQ(first.substr(0, 6), "57" + AddressHex(BlockAddress(k)));
            EXPECT_GE(rig.tap.SentAt(first, 2) - rig.tap.SentAt(first, 1), 3000ms);
        } else {
            EXPECT_EQ(w.outcome, WriteOutcome::BlockTimeout);
            EXPECT_EQ(w.failedAddress, BlockAddress(k));
            EXPECT_EQ(rig.messages.shown, (std::vector<std::string>{"text 3009"}));
        }
    }
}

// First block, a middle one, either side of the gap in the layout, and the last.
INSTANTIATE_TEST_SUITE_P(Blocks, LateBlockReply, ::testing::Values(1, 60, 116, 117, 244));

// A reply that turns up so late that it lands in a later block's collection: its header
// names the block it belongs to, so it is dropped and the right reply is awaited.
TEST(StaleBlockReply, ReplyNamingAnEarlierBlockIsDiscarded) {
    struct Case {
        int asked, stale;
    };
    for (const Case c :
         {Case{0x010, 0x000}, Case{0x3A0, 0x100}, Case{0x800, 0x730}, Case{0xFF0, 0xFE0}}) {
        SCOPED_TRACE(AddressHex(c.asked));
        Rig rig;
        rig.tap.InjectAfter("52" + AddressHex(c.asked) + "10", 1, rig.BlockReply(c.stale));
        const ReadResult r = rig.Read();
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(FirstDifference(r.image, rig.RadioImage()), -1);
        EXPECT_EQ(rig.tap.Count("52" + AddressHex(c.asked) + "10"), 1);  // no attempt lost
    }
    // Byte 1 of the header is not looked at: a radio may put something else there.
    Rig rig;
    std::string stale = rig.BlockReply(0x200);
    stale.replace(0, 2, "00");
    rig.tap.InjectAfter("52021010", 1, stale);
    const ReadResult r = rig.Read();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(FirstDifference(r.image, rig.RadioImage()), -1);
}

TEST(StaleBlockReply, DroppedReplyDoesNotExtendTheTimeOut) {
    Rig rig;
    rig.tap.InjectAfter("52021010", 1, rig.BlockReply(0x200));
    rig.radio.AddFault({FaultType::Silent, CommandKind::BlockRead, 34, 1, 0});  // 0x210
    const auto start = rig.clock.Now();
    ASSERT_TRUE(rig.Read().ok());
    // One time-out, one further wait, and the rest takes no time on this clock.
    EXPECT_LT(rig.clock.Now() - start, 3000ms + 1500ms);
}

// The radio's answer to a block's acknowledge comes after its 300 ms time-out, on a line
// where every byte takes its time: a late 06 would shift the next block by a byte.
TEST(LateAcknowledge, ReadTakesNoByteOfItAsData) {
    for (int k : {1, 60, 117, 244}) {
        SCOPED_TRACE(k);
        Rig rig(true);
        rig.radio.AddFault({FaultType::Late, CommandKind::Ack, k + 1, 1, 550});
        const ReadResult r = rig.Read();
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(FirstDifference(r.image, rig.RadioImage()), -1);
    }
}

}  // namespace
}  // namespace vgr47
