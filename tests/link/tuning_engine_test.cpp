// The test mode against the simulated radio: exact commands, the tables read at entry, the
// alignment values kept, stored and discarded, and failures.
#include "link/tuning_engine.h"

#include <gtest/gtest.h>

#include "core/text_ids.h"
#include "tests/support/line_tap.h"
#include "sim/simulated_port.h"
#include "tests/support/recording_messages.h"

namespace vgr47 {
namespace {

using testing::RecordingMessages;

class TuningTest : public ::testing::Test {
protected:
    TuningTest() {
        // Test channels from the radio's test frequency table, alignment values beside them.
        std::string memory = radio.MemoryHex();
        std::string table;
        for (int n = 1; n <= 8; ++n) table += "0025601" + std::to_string(n) + "00256014";
        memory.replace(0x700 * 2, table.size(), table);
        std::string align;
        for (int i = 0; i < 64; ++i) align += IntToHex2(i * 3);
        memory.replace(0x740 * 2, align.size(), align);
        radio.LoadMemoryHex(memory);
    }
    static std::string IntToHex2(int v) {
        const char* d = "0123456789ABCDEF";
        return {d[(v >> 4) & 15], d[v & 15]};
    }
    bool Enter() {
        if (!engine.OpenPort("sim")) return false;
        return engine.Enter(entry);
    }
    // What the dialog has told the user so far: the engine's failures, in the catalogue's words.
    const std::vector<std::string>& Shown() {
        for (const LinkFailure& f : engine.TakeFailures())
            shown.push_back(FailureText(f, testing::NumberedText));
        return shown;
    }
    ManualClock clock;
    sim::SimulatedRadio radio;
    sim::SimulatedPort port{radio, clock};
    TraceLog trace;
    LinkContext link{port, clock, trace};
    TuningEngine engine{link};
    TuningEntry entry;
    std::vector<std::string> shown;
};

TEST_F(TuningTest, EntryReadsTestChannelsAndAlignmentBlockWithExactCommands) {
    ASSERT_TRUE(Enter());
    std::vector<std::string> expected{"03", "54554E494E47", "02", "06"};
    for (int n = 1; n <= 8; ++n) expected.push_back("460" + std::to_string(n));
    for (const char* a : {"0740", "0750", "0760", "0770"}) {
        expected.push_back(std::string("44") + a + "10");
        expected.push_back("06");
    }
    expected.push_back("45");
    EXPECT_EQ(port.writes(), expected);
    EXPECT_EQ(entry.identityHex, sim::SimulatedRadio::kDefaultIdentity);
    ASSERT_EQ(entry.testChannels.size(), 8u);
    EXPECT_EQ(entry.testChannels[0], "0025601100256014");
    EXPECT_EQ(entry.testChannels[7], "0025601800256014");
    EXPECT_EQ(entry.alignmentHex, radio.MemoryHex(0x780).substr(0x740 * 2));
    EXPECT_TRUE(radio.testState().active);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(TuningTest, TunedValueIsStoredOnlyOnStore) {
    ASSERT_TRUE(Enter());
    ASSERT_TRUE(engine.EnterAdjusting());
    auto value = engine.Tune(0x03);
    ASSERT_TRUE(value);
    EXPECT_EQ(*value, 9);  // memory 0x743 = 3 * 3
    ASSERT_TRUE(engine.SetValue(255));
    EXPECT_EQ(port.writes().back(), "4344FF");
    EXPECT_EQ(radio.testState().workingValue, 255);
    ASSERT_TRUE(engine.Discard());
    EXPECT_EQ(radio.AlignmentValue(0x03), 9);

    ASSERT_EQ(engine.Tune(0x0F), 45);
    ASSERT_TRUE(engine.SetValue(7));
    ASSERT_TRUE(engine.Store());
    EXPECT_EQ(port.writes().back(), "435344");
    EXPECT_EQ(radio.AlignmentValue(0x0F), 7);
    ASSERT_TRUE(engine.LeaveAdjusting());
    EXPECT_FALSE(radio.testState().adjusting);
    engine.Exit();
    EXPECT_EQ(port.writes().back(), "434545");
    EXPECT_FALSE(radio.testState().active);
}

TEST_F(TuningTest, TestPanelCommandsReachTheRadio) {
    ASSERT_TRUE(Enter());
    EXPECT_TRUE(engine.SelectTestChannel(4));
    EXPECT_EQ(port.writes().back(), "434605");
    EXPECT_EQ(radio.testState().channel, 5);
    EXPECT_TRUE(engine.SelectSignalling(204));
    EXPECT_EQ(port.writes().back(), "4353CC");
    EXPECT_TRUE(engine.SwitchToNarrow());
    EXPECT_TRUE(radio.testState().narrow);
    EXPECT_TRUE(engine.SwitchToWide());
    EXPECT_FALSE(radio.testState().narrow);
    EXPECT_TRUE(engine.Transmit(true));
    EXPECT_TRUE(radio.testState().transmitting);
    EXPECT_TRUE(engine.Transmit(false));
    EXPECT_EQ(port.writes().back(), "435052");
    EXPECT_FALSE(radio.testState().transmitting);
}

TEST_F(TuningTest, AdjustingBandwidthButtonsAnswerWithTheValue) {
    ASSERT_TRUE(Enter());
    ASSERT_TRUE(engine.EnterAdjusting());
    ASSERT_TRUE(engine.Tune(0x02));
    EXPECT_EQ(engine.AdjustNarrow(), 6);
    EXPECT_EQ(port.writes().back(), "43424E");
    EXPECT_TRUE(radio.testState().narrow);
    EXPECT_EQ(engine.AdjustWide(), 6);
    EXPECT_FALSE(radio.testState().narrow);
}

TEST_F(TuningTest, SilentRadioFailsAfterThreeAttemptsWithOneMessage) {
    ASSERT_TRUE(Enter());
    ASSERT_TRUE(engine.EnterAdjusting());
    const std::size_t before = port.writes().size();
    radio.AddFault({sim::FaultType::Silent, sim::CommandKind::TestCommand, 3, 3});  // CTM was the 1st, CT the 2nd
    ASSERT_TRUE(engine.Tune(0x01));
    EXPECT_FALSE(engine.Tune(0x01));
    EXPECT_EQ(port.writes().size(), before + 1 + 3);
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0], "text " + std::to_string(kTextCommFailed));
}

TEST_F(TuningTest, EntryStopsAtTheFirstFailedExchange) {
    radio.AddFault({sim::FaultType::Silent, sim::CommandKind::TestChannel, 3, 3});
    EXPECT_FALSE(Enter());
    EXPECT_EQ(port.writes().back(), "4603");
    EXPECT_EQ(Shown().size(), 1u);
}

TEST(TuningLists, SignallingListAndReferenceFrequencies) {
    auto list = TuningSignallingList("none");
    ASSERT_EQ(list.size(), 205u);
    EXPECT_EQ(list[0], "none");
    EXPECT_EQ(list[1], "67.0");
    EXPECT_EQ(list[12], "100.0");
    EXPECT_EQ(list[38], "250.3");
    EXPECT_EQ(list[39], "D023N");
    EXPECT_EQ(list[121], "D754N");
    EXPECT_EQ(list[122], "D023I");
    EXPECT_EQ(list[204], "D754I");
    EXPECT_EQ(TuningReferenceFrequencies(136, 174),
              (std::vector<std::string>{"136.05000", "155.05000", "173.95000", "136.10000", "155.10000", "173.90000"}));
}

}  // namespace
}  // namespace vgr47

namespace vgr47 {
namespace {

TEST_F(TuningTest, BandwidthCommandsAreMappedDifferentlyOnTheTwoPanels) {
    ASSERT_TRUE(Enter());
    engine.SwitchToWide();
    EXPECT_EQ(port.writes().back(), "43424E");
    engine.SwitchToNarrow();
    EXPECT_EQ(port.writes().back(), "434257");
    ASSERT_TRUE(engine.EnterAdjusting());
    ASSERT_TRUE(engine.Tune(0x05));
    engine.AdjustWide();
    EXPECT_EQ(port.writes().back(), "434257");
    engine.AdjustNarrow();
    EXPECT_EQ(port.writes().back(), "43424E");
}

TEST_F(TuningTest, ShortBandwidthReplyGivesNoValue) {
    ASSERT_TRUE(Enter());
    ASSERT_TRUE(engine.EnterAdjusting());
    ASSERT_TRUE(engine.Tune(0x05));
    radio.AddFault({sim::FaultType::Short, sim::CommandKind::TestCommand, 3, 3});
    EXPECT_FALSE(engine.AdjustNarrow());
}

TEST_F(TuningTest, LeavingTestModeUnkeysAndExitsSilentlyEvenWhenTheRadioIsSilent) {
    ASSERT_TRUE(Enter());
    ASSERT_TRUE(engine.EnterAdjusting());
    ASSERT_TRUE(engine.Tune(0x02));
    ASSERT_TRUE(engine.Transmit(true));
    port.ClearWrites();
    engine.LeaveTestMode(true, true, true);
    EXPECT_EQ(port.writes(), (std::vector<std::string>{"435155", "43474D", "435052", "434545"}));
    EXPECT_FALSE(radio.testState().transmitting);
    EXPECT_FALSE(radio.testState().active);

    radio.AddFault({sim::FaultType::Silent, sim::CommandKind::TestCommand, 1, 100});
    port.ClearWrites();
    engine.LeaveTestMode(false, false, true);
    EXPECT_EQ(port.writes(), (std::vector<std::string>{"435052", "434545"}));
    EXPECT_TRUE(Shown().empty());
}

}  // namespace
}  // namespace vgr47
