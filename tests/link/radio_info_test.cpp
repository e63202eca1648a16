#include <gtest/gtest.h>

#include <ctime>
#include <vector>

#include "core/text_ids.h"
#include "tests/support/line_tap.h"
#include "link/radio_info.h"
#include "sim/simulated_port.h"
#include "tests/support/recording_messages.h"

namespace vgr47 {
namespace {

using sim::CommandKind;
using sim::FaultType;

using testing::RecordingMessages;

TEST(InquiryReply, FirmwareStopsAtFillerAndVersionIsFormatted) {
    EXPECT_EQ(FirmwareFromInquiry("56312E30320000000000" "0505"), "V1.02");
    EXPECT_EQ(FirmwareFromInquiry("4142FF43444546474849" "0505"), "AB");
    EXPECT_EQ(FirmwareFromInquiry("4142434445464748494A" "0505"), "ABCDEFGHIJ");
    EXPECT_EQ(SoftwareFromInquiry("4142434445464748494A0505"), "5.05");
    EXPECT_EQ(SoftwareFromInquiry("4142434445464748494A1005"), "10.05");
    EXPECT_EQ(SoftwareFromInquiry("4142434445464748494AFFFF"), "");
}

class RadioInfoTest : public ::testing::Test {
protected:
    RadioInfo Ask() {
        return testing::Told(
            ReadRadioInfo(link, "sim",
                          [](const std::string& id) {
                              return id == sim::SimulatedRadio::kDefaultIdentity ? "KV210T" : "???";
                          }),
            messages);
    }
    ManualClock clock;
    sim::SimulatedRadio radio;
    sim::SimulatedPort port{radio, clock};
    TraceLog trace;
    RecordingMessages messages;
    LinkContext link{port, clock, trace};
};

TEST_F(RadioInfoTest, ExactExchangeAndFields) {
    radio.LoadMemoryHex(radio.MemoryHex(0x662) + "0505");
    const RadioInfo info = Ask();
    EXPECT_TRUE(info.complete);
    EXPECT_EQ(info.model, "KV210T");
    EXPECT_EQ(info.firmware, "V1.02");
    EXPECT_EQ(info.software, "5.05");
    EXPECT_EQ(port.writes(),
              (std::vector<std::string>{"56455253494F4E", "02", "06", "494E51", "45"}));
    EXPECT_NE(trace.text().find("R:56312E30320000000000" "0505\r\n"), std::string::npos);
}

TEST_F(RadioInfoTest, NeverWrittenRadioLeavesSoftwareEmpty) {
    const RadioInfo info = Ask();
    EXPECT_TRUE(info.complete);
    EXPECT_EQ(info.software, "");
}

TEST_F(RadioInfoTest, SilentToVersionLeavesEverythingEmpty) {
    radio.AddFault({FaultType::Silent, CommandKind::Version, 1, 3, 0});
    const RadioInfo info = Ask();
    EXPECT_FALSE(info.complete);
    EXPECT_EQ(info.model + info.firmware + info.software, "");
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"text " + std::to_string(kTextCommFailed)}));
    EXPECT_EQ(port.writes().size(), 3u);
}

TEST_F(RadioInfoTest, FailureAfterIdentityKeepsTheModel) {
    radio.AddFault({FaultType::Silent, CommandKind::Inquiry, 1, 3, 0});
    const RadioInfo info = Ask();
    EXPECT_FALSE(info.complete);
    EXPECT_EQ(info.model, "KV210T");
    EXPECT_EQ(info.firmware, "");
    EXPECT_EQ(port.writes().back(), "494E51");  // no end command after a failure
}

}  // namespace
}  // namespace vgr47

namespace vgr47 {
namespace {

// On the real clock at 9600 baud the exchange waits for the line instead of spinning.
TEST(RadioInfoRealTime, PacedExchangeSleepsWhileWaiting) {
    SteadyClock clock;
    sim::SimulatedRadio radio;
    sim::SimulatedPort port(radio, clock);
    port.SetPaced(true);
    TraceLog trace;
    LinkContext link{port, clock, trace};
    const auto wallStart = clock.Now();
    const std::clock_t cpuStart = std::clock();
    const RadioInfo info = ReadRadioInfo(link, "sim", nullptr);
    const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double wall = std::chrono::duration<double>(clock.Now() - wallStart).count();
    EXPECT_TRUE(info.complete);
    EXPECT_EQ(info.model, "???");
    EXPECT_GT(wall, 0.1 + 36 * 10 / 9600.0);  // the settling time plus the bytes on the line
    EXPECT_LT(cpu, wall / 2);
}

}  // namespace
}  // namespace vgr47
