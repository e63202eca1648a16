// Verify after write: a plain read, begun a second after the end command, compared block by
// block with what was sent.
#include <gtest/gtest.h>

#include "core/memory_map.h"
#include "core/text_ids.h"
#include "link/write_sequence.h"
#include "sim/simulated_port.h"
#include "tests/support/line_tap.h"

namespace vgr47 {
namespace {

using namespace std::chrono_literals;
using sim::CommandKind;
using sim::FaultType;
using testing::AddressHex;
using testing::LineTap;
using testing::NumberedText;
using testing::RecordingMessages;
using testing::Told;

bool RuleSignalling(const std::string& identity) { return identity.substr(10, 2) == "54"; }

class VerifyTest : public ::testing::Test {
  protected:
    void Prepare(const std::string& identity, std::size_t bytes) {
        radio = sim::SimulatedRadio(identity);
        std::string hex;
        for (std::size_t i = 0; i < bytes; ++i)
            hex += BytesToHexText({static_cast<std::uint8_t>(i * 13 + 5)});
        image.InstallOpened(hex.replace(0x650 * 2, 16, identity), "x.dat");
        this->identity = identity;
    }
    WriteResult Write(bool verify) {
        WriteJob job{image, identity, "0505"};
        job.verify = verify;
        job.verifyHeading = NumberedText(kTextVerifyTrace);
        return Told(WriteToRadio(link, "sim", job, hooks), messages);
    }
    std::vector<std::string> Sent() const {
        std::vector<std::string> all;
        for (const auto& s : tap.sent()) all.push_back(s.hex);
        return all;
    }

    ManualClock clock;
    sim::SimulatedRadio radio;
    sim::SimulatedPort port{radio, clock};
    LineTap tap{port, clock};
    bool verifyMarked = false;  // the trace marks where the read-back begins
    TraceLog trace{[this](const std::string& text) {
        verifyMarked = verifyMarked || text.find("-- text 8133 --") != std::string::npos;
    }};
    RecordingMessages messages;
    LinkContext link{tap, clock, trace};
    SequenceHooks hooks{nullptr, nullptr, RuleSignalling};
    CodeplugImage image;
    std::string identity;
};

TEST_F(VerifyTest, HealthyRadioIsVerifiedByAPlainReadASecondAfterTheEnd) {
    Prepare(sim::SimulatedRadio::kDefaultIdentity, 4096);
    std::vector<std::string> kept;
    hooks.keep = [&](const std::string& sent) { kept.push_back(sent); };
    const WriteResult w = Write(true);
    ASSERT_EQ(w.outcome, WriteOutcome::Completed);
    EXPECT_EQ(w.verify, VerifyOutcome::Verified);
    EXPECT_TRUE(messages.shown.empty());
    // Only the image written is kept, not the read-back.
    EXPECT_EQ(kept, (std::vector<std::string>{image.image()}));

    // The write, then exactly the read of a signalling radio.
    const std::vector<std::string> all = Sent();
    const std::size_t end = 4 + 244;
    ASSERT_EQ(all.size(), end + 1 + 4 + 2 * 244 + 1);
    EXPECT_EQ(all[end], "45");
    std::vector<std::string> read(all.begin() + end + 1, all.end());
    std::vector<std::string> expected = {"02", "50524F4752414D", "02", "06"};
    for (int a : mem::TransferBlocks(true)) {
        expected.push_back("52" + AddressHex(a) + "10");
        expected.push_back("06");
    }
    expected.push_back("45");
    EXPECT_EQ(read, expected);
    const auto pause = tap.SentAt("02", 3) - tap.SentAt("45", 1);
    EXPECT_GE(pause, 1000ms);
    EXPECT_LT(pause, 1200ms);  // plus the port's settling time
    EXPECT_TRUE(verifyMarked);
}

TEST_F(VerifyTest, APlainWriteKeepsItsWireSequence) {
    Prepare("4B56323130410000", 1856);
    const WriteResult w = Write(false);
    ASSERT_EQ(w.outcome, WriteOutcome::Completed);
    EXPECT_EQ(w.verify, VerifyOutcome::NotAsked);
    EXPECT_EQ(Sent().size(), 4u + 116u + 1u);
    EXPECT_EQ(Sent().back(), "45");
}

TEST_F(VerifyTest, RadioStoringOneWrongBlockIsNamedAtThatBlock) {
    for (int nth : {1, 19, 103, 116}) {
        SCOPED_TRACE(nth);
        Prepare("4B56323130410000", 1856);
        radio.AddFault({FaultType::Corrupt, CommandKind::BlockWrite, nth, 1, 0});
        const WriteResult w = Write(true);
        ASSERT_EQ(w.outcome, WriteOutcome::Completed);  // every block was acknowledged
        EXPECT_EQ(w.verify, VerifyOutcome::Differs);
        EXPECT_EQ(w.differingAddress, (nth - 1) * 16);
        EXPECT_TRUE(messages.shown.empty());
    }
    // The version stamp is compared like every other byte: block 0x660 holds it.
    Prepare("4B56323130410000", 1856);
    radio.AddFault({FaultType::Corrupt, CommandKind::BlockWrite, 0x66 + 1, 1, 0});
    EXPECT_EQ(Write(true).differingAddress, 0x660);
}

TEST_F(VerifyTest, FailedReadBackIsWrittenNotVerifiedWithoutAMessage) {
    Prepare(sim::SimulatedRadio::kDefaultIdentity, 4096);
    radio.AddFault({FaultType::Silent, CommandKind::BlockRead, 7, 3, 0});
    const WriteResult w = Write(true);
    EXPECT_EQ(w.outcome, WriteOutcome::Completed);
    EXPECT_EQ(w.verify, VerifyOutcome::NotVerified);
    ASSERT_TRUE(w.verifyFailure);
    EXPECT_EQ(FailureText(*w.verifyFailure, NumberedText), "text 3009");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(VerifyTest, CancelDuringTheReadBackLeavesTheWriteComplete) {
    Prepare(sim::SimulatedRadio::kDefaultIdentity, 4096);
    std::atomic<bool> cancel{false};
    hooks.cancel = &cancel;
    std::vector<TransferPhase> phases;
    hooks.phase = [&](TransferPhase p) {
        if (phases.empty() || phases.back() != p) phases.push_back(p);
        if (p == TransferPhase::Verifying) cancel = true;
    };
    const WriteResult w = Write(true);
    EXPECT_EQ(w.outcome, WriteOutcome::Completed);
    EXPECT_EQ(w.verify, VerifyOutcome::NotVerified);
    EXPECT_EQ(phases,
              (std::vector<TransferPhase>{TransferPhase::Connecting, TransferPhase::Transferring,
                                          TransferPhase::Ending, TransferPhase::VerifyPause,
                                          TransferPhase::Verifying}));
    EXPECT_FALSE(radio.programming());
}

}  // namespace
}  // namespace vgr47
