#include "link/fleet_table.h"

#include <gtest/gtest.h>

#include "core/text_catalogue.h"
#include "link/serial_port_list.h"

namespace vgr47 {
namespace {

const std::string kCatalogue = std::string(VGR47_SOURCE_DIR) + "/resources/language.sys";

class FleetTableTest : public ::testing::Test {
  protected:
    FleetTableTest()
        : catalogue(kCatalogue, kEnglishOffset),
          table([this](int n) { return catalogue.GetText(n); },
                [](const std::string& identity) {
                    return "Model  " + identity.substr(0, 2) + "  ";
                }) {}

    static FleetRadioResult Result(WriteOutcome outcome, VerifyOutcome verify, int done = 0) {
        FleetRadioResult r;
        r.write.outcome = outcome;
        r.write.verify = verify;
        r.write.blocksDone = done;
        r.write.blockCount = 244;
        r.status = FleetStatusOf(r.write);
        return r;
    }

    TextCatalogue catalogue;
    FleetTable table;
};

TEST_F(FleetTableTest, PortsAreTrimmedUniqueAndFixedWhileRunning) {
    EXPECT_TRUE(table.AddPort(" /dev/ttyUSB0 "));
    EXPECT_FALSE(table.AddPort("/dev/ttyUSB0"));
    EXPECT_FALSE(table.AddPort("  "));
    EXPECT_TRUE(table.AddPort("/dev/ttyUSB1"));
    EXPECT_EQ(table.ports(), (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyUSB1"}));
    EXPECT_EQ(table.rows()[0].status, "Waiting");
    EXPECT_TRUE(table.CanStart());
    table.Started(true);
    EXPECT_FALSE(table.CanStart());
    EXPECT_FALSE(table.AddPort("/dev/ttyUSB2"));
    table.RemovePort(0);
    EXPECT_EQ(table.rows().size(), 2u);
    table.AllDone();
    table.RemovePort(0);
    EXPECT_EQ(table.ports(), (std::vector<std::string>{"/dev/ttyUSB1"}));
}

TEST_F(FleetTableTest, ProgressSpansTheWriteAndItsReadBack) {
    table.AddPort("a");
    table.Started(true);
    table.Identified(0, "4B56");
    EXPECT_EQ(table.rows()[0].model, "Model 4B");
    table.Phase(0, TransferPhase::Transferring);
    table.Progress(0, 121, 243);
    EXPECT_EQ(table.rows()[0].percent, 25);
    EXPECT_EQ(table.rows()[0].status, "Writing block 122 of 244");
    table.Phase(0, TransferPhase::Verifying);
    table.Progress(0, 243, 243);
    EXPECT_EQ(table.rows()[0].percent, 100);
    EXPECT_EQ(table.rows()[0].status, "Verifying: reading block 244 of 244");

    table.Started(false);
    EXPECT_EQ(table.rows()[0].percent, 0);
    EXPECT_EQ(table.rows()[0].model, "");
    table.Phase(0, TransferPhase::Transferring);
    table.Progress(0, 121, 243);
    EXPECT_EQ(table.rows()[0].percent, 50);
}

TEST_F(FleetTableTest, SummaryAndReportAfterAMixedRun) {
    for (const char* port : {"a", "b", "c", "d"}) table.AddPort(port);
    table.Started(true);
    EXPECT_FALSE(table.HasReport());
    FleetRadioResult verified = Result(WriteOutcome::Completed, VerifyOutcome::Verified, 244);
    verified.identity = "4B5632313054F8FF";
    verified.backupPath = "/b/1.dat";
    table.Finished(0, verified, "2026-12-09 03:30:00");
    FleetRadioResult failed = Result(WriteOutcome::BlockRefused, VerifyOutcome::NotAsked, 18);
    failed.write.failedAddress = 0x120;
    failed.write.failure =
        LinkFailure::Block(FailureKind::BlockRefused, RadioCommand::BlockWrite, 0x120);
    table.Finished(1, failed, "2026-12-09 03:30:01");
    table.Finished(2, Result(WriteOutcome::ModelDeclined, VerifyOutcome::NotAsked), "t");
    table.Finished(3, Result(WriteOutcome::Completed, VerifyOutcome::NotAsked, 244), "t");
    table.AllDone();
    EXPECT_TRUE(table.HasReport());
    EXPECT_EQ(table.rows()[0].status, "Written and verified");
    EXPECT_EQ(table.rows()[0].percent, 100);
    EXPECT_EQ(table.rows()[0].model, "Model 4B");
    EXPECT_EQ(table.rows()[2].status, "Other model: nothing written");
    // Written but not verified, though a verify was asked: not a success.
    EXPECT_EQ(table.Summary(), "1 of 4 radios succeeded  Only partly written: b");
    const std::vector<FleetReportRow> report = table.ReportRows();
    ASSERT_EQ(report.size(), 4u);
    EXPECT_EQ(report[0].time, "2026-12-09 03:30:00");
    EXPECT_EQ(report[0].identity, "4B5632313054F8FF");
    EXPECT_EQ(report[0].backup, "/b/1.dat");
    EXPECT_EQ(report[1].result.rfind("Failed at block 0x0120: ", 0), 0u);
}

TEST(PortDetectorTest, PicksThePortThatAppearsAndGivesUpInTime) {
    PortDetector detect;
    const PortDetector::time_point t0{};
    EXPECT_FALSE(detect.Poll({"x"}).has_value());  // not started
    detect.Start({"/dev/ttyS0", "/dev/ttyUSB0"}, t0);
    EXPECT_FALSE(detect.Poll({"/dev/ttyS0", "/dev/ttyUSB0"}).has_value());
    // The cable already in was pulled out first, then plugged back: that is the one.
    EXPECT_FALSE(detect.Poll({"/dev/ttyS0"}).has_value());
    EXPECT_EQ(detect.Poll({"/dev/ttyS0", "/dev/ttyUSB0"}), "/dev/ttyUSB0");
    EXPECT_FALSE(detect.active());

    detect.Start({}, t0);
    EXPECT_FALSE(detect.GiveUp(t0 + PortDetector::kGiveUpAfter));
    EXPECT_TRUE(detect.active());
    EXPECT_TRUE(detect.GiveUp(t0 + PortDetector::kGiveUpAfter + std::chrono::seconds(1)));
    EXPECT_FALSE(detect.active());
    EXPECT_FALSE(detect.Poll({"/dev/ttyUSB3"}).has_value());
}

}  // namespace
}  // namespace vgr47
