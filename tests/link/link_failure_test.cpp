// Failures come back as values: which command or block failed and the system's reason, and
// each kind has its catalogue text.
#include <gtest/gtest.h>

#include "tests/support/line_tap.h"
#include "link/radio_info.h"
#include "link/tuning_engine.h"
#include "link/write_sequence.h"
#include "sim/simulated_port.h"

namespace vgr47 {
namespace {

using C = RadioCommand;
using sim::CommandKind;
using sim::Fault;
using sim::FaultType;
using testing::NumberedText;

const std::string kBasic = "4B56323130410000";

bool RuleSignalling(const std::string& identity) { return identity.substr(10, 2) == "54"; }

struct Bench {
    explicit Bench(const std::string& identity = kBasic) : radio(identity) {}
    ReadResult Read() { return ReadFromRadio(link, "sim", hooks); }
    WriteResult Write(std::size_t bytes, bool verify = false) {
        std::string hex = radio.MemoryHex(bytes);
        for (std::size_t i = 0; i < std::min<std::size_t>(bytes, 0x600); ++i)
            hex[2 * i] = "0123456789ABCDEF"[i % 16];
        image.InstallOpened(hex, "x.dat");
        WriteJob job{image, radio.identityHex(), "0505"};
        job.verify = verify;
        return WriteToRadio(link, "sim", job, hooks);
    }

    ManualClock clock;
    sim::SimulatedRadio radio;
    sim::SimulatedPort port{radio, clock};
    TraceLog trace;
    LinkContext link{port, clock, trace};
    SequenceHooks hooks{nullptr, nullptr, RuleSignalling};
    CodeplugImage image;
};

TEST(LinkFailure, ReadSaysWhichStepFailed) {
    struct Case {
        Fault fault;
        ReadOutcome outcome;
        LinkFailure failure;
    };
    const Case cases[] = {
        {{FaultType::Silent, CommandKind::Stx, 1, 3},
         ReadOutcome::HandshakeFailed,
         LinkFailure::NoAnswer(C::HandshakeStart)},
        {{FaultType::WrongEcho, CommandKind::Program, 1, 3},
         ReadOutcome::HandshakeFailed,
         LinkFailure::NoAnswer(C::Program)},
        {{FaultType::Short, CommandKind::Stx, 2, 3},
         ReadOutcome::HandshakeFailed,
         LinkFailure::NoAnswer(C::Identity)},
        {{FaultType::Refuse, CommandKind::Ack, 1, 3},
         ReadOutcome::HandshakeFailed,
         LinkFailure::NoAnswer(C::IdentityAck)},
        {{FaultType::Silent, CommandKind::BlockRead, 3, 3},
         ReadOutcome::BlockTimeout,
         LinkFailure::Block(FailureKind::BlockTimeout, C::BlockRead, 0x020)},
        {{FaultType::Silent, CommandKind::Ack, 3, 3},
         ReadOutcome::AckFailed,
         LinkFailure::NoAnswer(C::BlockAck, 0x010)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(EntryOf(c.failure.command).name);
        Bench b;
        b.radio.AddFault(c.fault);
        const ReadResult r = b.Read();
        EXPECT_EQ(r.outcome, c.outcome);
        ASSERT_TRUE(r.failure);
        EXPECT_EQ(*r.failure, c.failure);
        EXPECT_TRUE(r.image.empty());
    }
}

TEST(LinkFailure, CompletedReadCarriesAFailedEndAndACleanOneNothing) {
    Bench b;
    b.radio.AddFault({FaultType::Silent, CommandKind::End, 1, 3});
    ReadResult r = b.Read();
    EXPECT_TRUE(r.ok());
    EXPECT_FALSE(r.image.empty());
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(*r.failure, LinkFailure::NoAnswer(C::End));

    Bench clean;
    r = clean.Read();
    EXPECT_TRUE(r.ok());
    EXPECT_FALSE(r.failure);
}

TEST(LinkFailure, PortThatCannotBeOpenedKeepsTheSystemsReason) {
    Bench b;
    b.port.SetOpenFailure({OpenError::Busy, "Device or resource busy"});
    const ReadResult r = b.Read();
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(*r.failure, LinkFailure::PortNotOpened({OpenError::Busy, "Device or resource busy"}));

    TuningEngine engine(b.link);
    b.port.SetOpenFailure({OpenError::NoSuchDevice, "gone"});
    EXPECT_FALSE(engine.OpenPort("sim"));
    EXPECT_EQ(
        engine.TakeFailures(),
        std::vector<LinkFailure>{LinkFailure::PortNotOpened({OpenError::NoSuchDevice, "gone"})});
    EXPECT_TRUE(engine.TakeFailures().empty());
}

TEST(LinkFailure, WriteSaysWhichBlockAndTheReadBackApart) {
    Bench refused;
    refused.radio.AddFault({FaultType::Refuse, CommandKind::BlockWrite, 7, 1});
    WriteResult w = refused.Write(1856);
    ASSERT_TRUE(w.failure);
    EXPECT_EQ(*w.failure, LinkFailure::Block(FailureKind::BlockRefused, C::BlockWrite, 0x060));

    Bench silent;
    silent.radio.AddFault({FaultType::Silent, CommandKind::BlockWrite, 2, 3});
    w = silent.Write(1856);
    ASSERT_TRUE(w.failure);
    EXPECT_EQ(*w.failure, LinkFailure::Block(FailureKind::BlockTimeout, C::BlockWrite, 0x010));

    Bench unfit;
    w = unfit.Write(1000);
    EXPECT_EQ(w.outcome, WriteOutcome::ImageUnfit);
    ASSERT_TRUE(w.failure);
    EXPECT_EQ(*w.failure, LinkFailure::ImageUnfit());
    EXPECT_TRUE(unfit.port.writes().empty());

    // The write went through; only its read-back failed.
    Bench back;
    back.radio.AddFault({FaultType::Silent, CommandKind::BlockRead, 5, 3});
    w = back.Write(1856, true);
    EXPECT_EQ(w.outcome, WriteOutcome::Completed);
    EXPECT_EQ(w.verify, VerifyOutcome::NotVerified);
    EXPECT_FALSE(w.failure);
    ASSERT_TRUE(w.verifyFailure);
    EXPECT_EQ(*w.verifyFailure, LinkFailure::Block(FailureKind::BlockTimeout, C::BlockRead, 0x040));
}

TEST(LinkFailure, RadioInformationAndTestModeSayWhichCommand) {
    Bench info;
    info.radio.AddFault({FaultType::Silent, CommandKind::Inquiry, 1, 3});
    const RadioInfo r = ReadRadioInfo(info.link, "sim", nullptr);
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(*r.failure, LinkFailure::NoAnswer(C::Inquiry));

    Bench test(sim::SimulatedRadio::kDefaultIdentity);
    TuningEngine engine(test.link);
    TuningEntry entry;
    ASSERT_TRUE(engine.OpenPort("sim") && engine.Enter(entry));
    ASSERT_TRUE(engine.EnterAdjusting());
    test.radio.AddFault({FaultType::Silent, CommandKind::TestCommand, 2, 6});
    EXPECT_FALSE(engine.Tune(0x03));
    EXPECT_FALSE(engine.LeaveAdjusting());
    EXPECT_EQ(engine.TakeFailures(),
              (std::vector<LinkFailure>{LinkFailure::NoAnswer(C::Tune),
                                        LinkFailure::NoAnswer(C::LeaveAdjusting)}));
}

TEST(LinkFailure, EachKindHasItsCatalogueText) {
    const OpenResult busy{OpenError::Busy, "busy"};
    EXPECT_EQ(FailureText(LinkFailure::PortNotOpened(busy), NumberedText),
              "text 3012\ntext 8127\nbusy");
    EXPECT_EQ(FailureText(LinkFailure::PortNotOpened(busy), NumberedText, 3020),
              "text 3020\ntext 8127\nbusy");
    EXPECT_EQ(FailureText(LinkFailure::PortNotOpened({OpenError::Other, ""}), NumberedText),
              "text 3012");
    EXPECT_EQ(FailureText(LinkFailure::NoAnswer(C::Version), NumberedText), "text 3009");
    EXPECT_EQ(
        FailureText(LinkFailure::Block(FailureKind::BlockTimeout, C::BlockRead, 0), NumberedText),
        "text 3009");
    EXPECT_EQ(
        FailureText(LinkFailure::Block(FailureKind::BlockError, C::BlockRead, 0), NumberedText),
        "text 3006");
    EXPECT_EQ(
        FailureText(LinkFailure::Block(FailureKind::BlockRefused, C::BlockWrite, 0), NumberedText),
        "text 3013");
    EXPECT_EQ(FailureText(LinkFailure::ImageUnfit(), NumberedText), "text 8131");
    EXPECT_EQ(FailureText(LinkFailure::ImageUnfit(), nullptr), "");
}

}  // namespace
}  // namespace vgr47
