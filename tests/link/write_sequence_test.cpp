#include "link/write_sequence.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/text_ids.h"
#include "tests/support/line_tap.h"
#include "sim/simulated_port.h"
#include "tests/support/recording_messages.h"

namespace vgr47 {
namespace {

using sim::CommandKind;
using sim::FaultType;

using testing::RecordingMessages;

bool RuleSignalling(const std::string& identity) { return identity.substr(10, 2) == "54"; }

const std::string kBasicIdentity = "4B56323130410000";
const std::string kSignallingIdentity = sim::SimulatedRadio::kDefaultIdentity;

std::string Pattern(std::size_t bytes, int seed) {
    std::string hex;
    for (std::size_t i = 0; i < bytes; ++i)
        hex += BytesToHexText({static_cast<std::uint8_t>(i * 13 + seed)});
    return hex;
}

std::string ImageFor(const std::string& identity, std::size_t bytes) {
    std::string hex = Pattern(bytes, 5);
    hex.replace(0x650 * 2, 16, identity);
    return hex;
}

std::vector<std::string> BlockCommands(const std::string& image, bool signalling) {
    std::vector<std::string> commands;
    auto add = [&](int a) {
        commands.push_back("57" + BytesToHexText({std::uint8_t(a >> 8), std::uint8_t(a)}) + "10" +
                           image.substr(a * 2, 32));
    };
    for (int a = 0; a < 0x740; a += 16) add(a);
    if (signalling)
        for (int a = 0x800; a < 0x1000; a += 16) add(a);
    return commands;
}

class WriteTest : public ::testing::Test {
protected:
    void Prepare(const std::string& radioIdentity, const std::string& imageIdentity,
                 std::size_t bytes) {
        radio = sim::SimulatedRadio(radioIdentity);
        blank = radio.MemoryHex();
        image.InstallOpened(ImageFor(imageIdentity, bytes), "/tmp/x.dat");
        currentIdentity = imageIdentity;
    }
    WriteResult Write() {
        // As the dialog asks it.
        hooks.writeOtherModel = [this] {
            return messages.Ask(Text(kTextModelMismatchQuestion), Text(kTextQuestionCaption),
                                Buttons::YesNo, true) == Answer::Yes;
        };
        return testing::Told(WriteToRadio(link, "sim", {image, currentIdentity, "0505"}, hooks),
                             messages);
    }
    std::string Text(int n) { return "text " + std::to_string(n); }

    ManualClock clock;
    sim::SimulatedRadio radio;
    sim::SimulatedPort port{radio, clock};
    TraceLog trace;
    RecordingMessages messages;
    LinkContext link{port, clock, trace};
    SequenceHooks hooks{nullptr, nullptr, RuleSignalling};
    CodeplugImage image;
    std::string currentIdentity;
    std::string blank;
};

TEST_F(WriteTest, BasicImageExactBytesAndStamp) {
    Prepare(kBasicIdentity, kBasicIdentity, 1856);
    ASSERT_EQ(Write().outcome, WriteOutcome::Completed);
    EXPECT_EQ(image.ReadBytes(0x662, 2), "0505");
    EXPECT_TRUE(image.IsModified());
    std::vector<std::string> expected = {"02", "50524F4752414D", "02", "06"};
    for (const std::string& c : BlockCommands(image.image(), false)) expected.push_back(c);
    expected.push_back("45");
    EXPECT_EQ(port.writes(), expected);
    EXPECT_EQ(radio.MemoryHex(1856), image.image());
    EXPECT_EQ(radio.MemoryHex().substr(1856 * 2), blank.substr(1856 * 2));
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(WriteTest, SignallingImageNeverSendsTheTuningArea) {
    Prepare(kSignallingIdentity, kSignallingIdentity, 4096);
    ASSERT_EQ(Write().outcome, WriteOutcome::Completed);
    EXPECT_EQ(radio.CommandCount(CommandKind::BlockWrite), 244);
    const std::string mem = radio.MemoryHex();
    EXPECT_EQ(mem.substr(0, 0x740 * 2), image.image().substr(0, 0x740 * 2));
    EXPECT_EQ(mem.substr(0x740 * 2, 192 * 2), blank.substr(0x740 * 2, 192 * 2));
    EXPECT_EQ(mem.substr(0x800 * 2), image.image().substr(0x800 * 2));
}

TEST_F(WriteTest, OtherModelDeclinedSendsRefuseAndWritesNothing) {
    Prepare(kSignallingIdentity, kBasicIdentity, 1856);
    messages.answer = Answer::No;
    EXPECT_EQ(Write().outcome, WriteOutcome::ModelDeclined);
    EXPECT_EQ(messages.asked, (std::vector<std::string>{Text(kTextModelMismatchQuestion)}));
    ASSERT_EQ(messages.questions.size(), 1u);
    EXPECT_EQ(messages.questions[0].caption, "text 90006");
    EXPECT_EQ(messages.questions[0].buttons, Buttons::YesNo);
    EXPECT_TRUE(messages.questions[0].defaultNo);
    EXPECT_EQ(port.writes(), (std::vector<std::string>{"02", "50524F4752414D", "02", "07"}));
    EXPECT_EQ(radio.MemoryHex(), blank);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(radio.programming());
}

TEST_F(WriteTest, OtherModelAcceptedWritesByTheImagesLayout) {
    Prepare(kSignallingIdentity, kBasicIdentity, 1856);
    messages.answer = Answer::Yes;
    EXPECT_EQ(Write().outcome, WriteOutcome::Completed);
    EXPECT_EQ(radio.CommandCount(CommandKind::BlockWrite), 116);
}

TEST_F(WriteTest, ShortOrDamagedImageIsRefusedBeforeTheHandshake) {
    // A basic-sized file claiming a signalling identity.
    Prepare(kSignallingIdentity, kSignallingIdentity, 1856);
    EXPECT_EQ(Write().outcome, WriteOutcome::ImageUnfit);
    EXPECT_EQ(messages.shown, (std::vector<std::string>{Text(kTextImageUnfit)}));
    EXPECT_TRUE(port.writes().empty());
    EXPECT_EQ(port.openCount(), 0);

    Prepare(kBasicIdentity, kBasicIdentity, 1856);
    std::string text = image.image();
    text[0x300 * 2 + 1] = 'G';
    image.SetImageText(text);
    EXPECT_EQ(Write().outcome, WriteOutcome::ImageUnfit);
    EXPECT_TRUE(port.writes().empty());
}

TEST_F(WriteTest, RefusedBlockEndsTheWriteAtThatBlock) {
    Prepare(kBasicIdentity, kBasicIdentity, 1856);
    radio.AddFault({FaultType::Refuse, CommandKind::BlockWrite, 7, 1, 0});
    EXPECT_EQ(Write().outcome, WriteOutcome::BlockRefused);
    EXPECT_EQ(radio.CommandCount(CommandKind::BlockWrite), 7);
    EXPECT_EQ(messages.shown, (std::vector<std::string>{Text(kTextRadioRefusedData)}));
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(WriteTest, BlockSilentThreeTimesIsCommunicationFailure) {
    Prepare(kBasicIdentity, kBasicIdentity, 1856);
    radio.AddFault({FaultType::Silent, CommandKind::BlockWrite, 2, 3, 0});
    EXPECT_EQ(Write().outcome, WriteOutcome::BlockTimeout);
    EXPECT_EQ(radio.CommandCount(CommandKind::BlockWrite), 4);
    EXPECT_EQ(messages.shown, (std::vector<std::string>{Text(kTextCommFailed)}));
    EXPECT_FALSE(port.IsOpen());

    // Two silences are survived by the third attempt.
    Prepare(kBasicIdentity, kBasicIdentity, 1856);
    messages.shown.clear();
    radio.AddFault({FaultType::Silent, CommandKind::BlockWrite, 2, 2, 0});
    EXPECT_EQ(Write().outcome, WriteOutcome::Completed);
    EXPECT_EQ(radio.MemoryHex(1856), image.image());
}

TEST_F(WriteTest, FailedIdentityAcknowledgeLeavesThePortOpen) {
    Prepare(kBasicIdentity, kBasicIdentity, 1856);
    radio.AddFault({FaultType::WrongEcho, CommandKind::Ack, 1, 3, 0});
    EXPECT_EQ(Write().outcome, WriteOutcome::AckFailed);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(radio.CommandCount(CommandKind::BlockWrite), 0);
}

TEST_F(WriteTest, DryRunTracesTheSameBlocks) {
    Prepare(kSignallingIdentity, kSignallingIdentity, 4096);
    ASSERT_EQ(Write().outcome, WriteOutcome::Completed);
    std::string fromWire;
    for (const std::string& w : port.writes())
        if (w.rfind("57", 0) == 0 && w.size() == 40) fromWire += "S:" + w + "\r\nR:06\r\n";

    TraceLog dry;
    const LinkContext dryLink{port, clock, dry};
    ASSERT_TRUE(WriteDryRun(dryLink, {image, currentIdentity, "0505"}, hooks));
    EXPECT_EQ(dry.text(), fromWire);
}

}  // namespace
}  // namespace vgr47
