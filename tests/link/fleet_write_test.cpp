#include "link/fleet_write.h"

#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <thread>

#include "core/text_catalogue.h"
#include "link/fleet_report.h"
#include "sim/simulated_line.h"

namespace vgr47 {
namespace {

using sim::CommandKind;
using sim::FaultType;

const std::string kCatalogue = std::string(VGR47_SOURCE_DIR) + "/resources/language.sys";
const std::string kSignalling = sim::SimulatedRadio::kDefaultIdentity;
const std::string kBasic = "4B56323130410000";

bool RuleSignalling(const std::string& identity) { return identity.substr(10, 2) == "54"; }

std::string Image() {
    std::string hex;
    for (int i = 0; i < mem::kImageBytes; ++i) {
        static const char* digits = "0123456789ABCDEF";
        const int b = (i * 7 + 3) & 0xFF;
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    hex.replace(2 * mem::kIdentity, 16, kSignalling);
    return hex;
}

// Four simulated radios, each on a manual clock of its own, so a whole fleet runs at once
// without waiting in real time.
class FleetTest : public ::testing::Test {
  protected:
    FleetTest() : catalogue(kCatalogue, kEnglishOffset) {
        for (int i = 0; i < 4; ++i) radios.emplace_back(i == 3 ? kBasic : kSignalling);
        ports = {"ttyA", "ttyB", "ttyC", "ttyD"};
        job.imageHex = Image();
        job.currentIdentity = kSignalling;
        job.versionStamp = "0505";
        hooks.isSignalling = RuleSignalling;
        hooks.makeLine = [this](int radio, const std::string&) -> std::unique_ptr<FleetLine> {
            return std::make_unique<sim::SimulatedLine>(radios[static_cast<std::size_t>(radio)],
                                                        std::make_unique<ManualClock>(), false);
        };
        hooks.cancel = &cancel;
    }
    std::string Text(const FleetRadioResult& row) const {
        return FleetResultText(row, [this](int n) { return catalogue.GetText(n); });
    }

    TextCatalogue catalogue;
    std::vector<sim::SimulatedRadio> radios;
    std::vector<std::string> ports;
    FleetJob job;
    FleetHooks hooks;
    std::atomic<bool> cancel{false};
};

TEST_F(FleetTest, OneFailingAndOneOtherModelLeaveTheOthersWrittenAndVerified) {
    radios[1].AddFault({FaultType::Refuse, CommandKind::BlockWrite, 19});
    job.verify = true;
    std::mutex lock;
    std::set<std::pair<int, std::string>> kept;
    std::vector<std::string> identified(4);
    hooks.keep = [&](int radio, const std::string& image) {
        EXPECT_EQ(image.substr(2 * mem::kVersionStamp, 4), "0505");
        const std::lock_guard<std::mutex> hold(lock);
        kept.insert({radio, image.substr(0, 8)});
        return "/backups/" + std::to_string(radio) + ".dat";
    };
    hooks.identified = [&](int radio, const std::string& identity) {
        const std::lock_guard<std::mutex> hold(lock);
        identified[static_cast<std::size_t>(radio)] = identity;
    };
    const std::vector<FleetRadioResult> rows = WriteFleet(ports, job, hooks);
    ASSERT_EQ(rows.size(), 4u);

    for (int i : {0, 2}) {
        EXPECT_EQ(rows[i].status, FleetStatus::Verified) << i;
        EXPECT_TRUE(FleetSucceeded(rows[i], true));
        EXPECT_EQ(radios[i].MemoryHex().substr(0, 2 * 0x740),
                  rows[i].write.outcome == WriteOutcome::Completed ? [&] {
                      std::string sent = job.imageHex;
                      sent.replace(2 * mem::kVersionStamp, 4, "0505");
                      return sent.substr(0, 2 * 0x740);
                  }()
                                                                   : "");
        EXPECT_EQ(Text(rows[i]), "Written and verified");
        EXPECT_EQ(rows[i].backupPath, "/backups/" + std::to_string(i) + ".dat");
    }
    // The 19th block written is the one at 0x0120.
    EXPECT_EQ(rows[1].status, FleetStatus::Failed);
    EXPECT_EQ(rows[1].write.failedAddress, 0x120);
    EXPECT_TRUE(rows[1].partlyWritten());
    EXPECT_EQ(Text(rows[1]).rfind("Failed at block 0x0120: The radio refused the data", 0), 0u)
        << Text(rows[1]);

    EXPECT_EQ(rows[3].status, FleetStatus::OtherModel);
    EXPECT_EQ(rows[3].identity, kBasic);
    EXPECT_EQ(Text(rows[3]), "Other model: nothing written");
    EXPECT_EQ(radios[3].CommandCount(CommandKind::BlockWrite), 0);
    EXPECT_EQ(radios[3].CommandCount(CommandKind::Refuse), 1);
    EXPECT_TRUE(rows[3].backupPath.empty());

    EXPECT_EQ(identified,
              (std::vector<std::string>{kSignalling, kSignalling, kSignalling, kBasic}));
    EXPECT_EQ(kept.size(), 3u);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(rows[i].port, ports[i]);
}

TEST_F(FleetTest, OtherModelsAreWrittenWhenAskedAndSilentRadiosSayNoAnswer) {
    job.writeOtherModel = true;
    radios[2].AddFault({FaultType::Silent, CommandKind::Stx, 1, 100});
    std::atomic<int> unmade{0};
    auto make = hooks.makeLine;
    hooks.makeLine = [&](int radio, const std::string& name) -> std::unique_ptr<FleetLine> {
        if (radio == 1) return ++unmade, nullptr;
        return make(radio, name);
    };
    const std::vector<FleetRadioResult> rows = WriteFleet(ports, job, hooks);
    EXPECT_EQ(rows[0].status, FleetStatus::Written);
    EXPECT_EQ(Text(rows[0]), "Written");
    EXPECT_EQ(rows[1].status, FleetStatus::Failed);
    EXPECT_EQ(Text(rows[1]).rfind("Failed: ", 0), 0u) << Text(rows[1]);
    EXPECT_EQ(rows[2].status, FleetStatus::NoAnswer);
    EXPECT_EQ(Text(rows[2]), "No answer");
    // Written by the image's layout, though the radio is a basic one.
    EXPECT_EQ(rows[3].status, FleetStatus::Written);
    EXPECT_EQ(radios[3].CommandCount(CommandKind::BlockWrite), 244);
    EXPECT_EQ(unmade, 1);
}

TEST_F(FleetTest, CancelStopsEveryRadioBetweenBlocksAndSaysWhichArePartlyWritten) {
    radios[3] = sim::SimulatedRadio(kSignalling);
    // The stop comes when every radio has reached its 11th block, so every radio is stopped
    // at the same point whatever the threads' timing.
    std::atomic<int> arrived{0};
    hooks.progress = [&](int, int position, int) {
        if (position != 10) return;
        if (++arrived == 4) cancel = true;
        while (!cancel) std::this_thread::yield();
    };
    const std::vector<FleetRadioResult> rows = WriteFleet(ports, job, hooks);
    for (const FleetRadioResult& row : rows) {
        EXPECT_EQ(row.status, FleetStatus::Stopped);
        EXPECT_TRUE(row.partlyWritten());
        EXPECT_EQ(row.write.blocksDone, 11);
        EXPECT_EQ(Text(row), "Stopped at block 11 of 244: the radio is only partly programmed");
    }
    for (const sim::SimulatedRadio& radio : radios) {
        EXPECT_EQ(radio.CommandCount(CommandKind::End), 1);
        EXPECT_FALSE(radio.programming());
    }
}

TEST(FleetReport, CsvQuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(CsvField("plain"), "plain");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"x\""), "\"say \"\"x\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    const std::string csv =
        FleetReportCsv({{"2026-12-09 03:10:00", "/dev/ttyUSB0", kSignalling, "KV210T (UHF, 5W)",
                         "Failed at block 0x0120: The radio refused the data.", ""}});
    EXPECT_EQ(csv,
              "time,port,identity,model,result,backup file\r\n"
              "2026-12-09 03:10:00,/dev/ttyUSB0,4B5632313054F8FF,\"KV210T (UHF, 5W)\","
              "Failed at block 0x0120: The radio refused the data.,\r\n");
}

}  // namespace
}  // namespace vgr47
