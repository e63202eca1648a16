// The "Write to several radios" dialog over in-process simulated radios: a mixed run, its
// rows and report, and the port finder's detection.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <fstream>

#include "app/fleet_dlg.h"
#include "sim/simulated_line.h"
#include "tests/support/shell_fixture.h"

namespace vgr47 {
namespace {

using sim::CommandKind;
using sim::FaultType;

struct FleetDialogTest : ShellFixture {
    void SetUp() override {
        Start();
        radios.clear();
        for (int i = 0; i < 4; ++i) radios.emplace_back(ModelCatalogue()[i == 2 ? 0 : 8].identity);
        // The third radio is a basic model; the second refuses its 19th block (0x0120).
        radios[1].AddFault({FaultType::Refuse, CommandKind::BlockWrite, 19});
        options.makeLine = [this](int radio, const std::string&) -> std::unique_ptr<FleetLine> {
            return std::make_unique<sim::SimulatedLine>(radios[static_cast<std::size_t>(radio)],
                                                        std::make_unique<ManualClock>(), false);
        };
        options.listPorts = [this] { return listed; };
        options.pollMs = 10;
    }
    std::string Cell(FleetDialog& dlg, int row, int column) {
        return dlg.tableWidget()->item(row, column)->text().toStdString();
    }

    std::vector<sim::SimulatedRadio> radios;
    std::vector<SerialPortEntry> listed;
    FleetDialog::Options options;
};

TEST_F(FleetDialogTest, MixedRunShowsEachRadiosResultAndSavesTheReport) {
    listed = {
        {"ttyUSB0", "/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A1B2", "0403:6001", "ftdi_sio"}};
    FleetDialog dlg(shell->formEnv(), options, &shell->frame());
    ASSERT_EQ(dlg.portBox()->count(), 2);  // the device and the simulated radio
    EXPECT_EQ(dlg.portBox()->itemText(0).toStdString(),
              "/dev/ttyUSB0  FT232R USB UART (FTDI), serial number A1B2");
    EXPECT_FALSE(dlg.startButton()->isEnabled());
    for (const char* port : {"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB3"})
        dlg.AddPort(port);
    dlg.AddPort("/dev/ttyUSB1");  // once only
    ASSERT_EQ(dlg.tableWidget()->rowCount(), 4);
    EXPECT_TRUE(dlg.verifyBox()->isChecked());
    EXPECT_FALSE(dlg.otherModelsBox()->isChecked());
    EXPECT_FALSE(dlg.saveButton()->isEnabled());

    QSignalSpy finished(&dlg, &FleetDialog::runFinished);
    dlg.startButton()->click();
    EXPECT_FALSE(dlg.startButton()->isEnabled());
    EXPECT_TRUE(dlg.cancelButton()->isEnabled());
    ASSERT_TRUE(finished.wait(30000));

    EXPECT_EQ(Cell(dlg, 0, 3), "Written and verified");
    EXPECT_EQ(Cell(dlg, 3, 3), "Written and verified");
    EXPECT_EQ(Cell(dlg, 1, 3).rfind("Failed at block 0x0120: ", 0), 0u) << Cell(dlg, 1, 3);
    EXPECT_EQ(Cell(dlg, 2, 3), "Other model: nothing written");
    EXPECT_EQ(Cell(dlg, 0, 1), CompactName(model.ModelDisplayName(ModelCatalogue()[8].identity)));
    EXPECT_EQ(Cell(dlg, 2, 1), CompactName(model.ModelDisplayName(ModelCatalogue()[0].identity)));
    auto* bar = qobject_cast<QProgressBar*>(dlg.tableWidget()->cellWidget(0, 2));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->value(), 100);
    EXPECT_EQ(dlg.noteLine()->text().toStdString(),
              "2 of 4 radios succeeded  Only partly written: /dev/ttyUSB1");
    EXPECT_EQ(radios[2].CommandCount(CommandKind::BlockWrite), 0);
    EXPECT_TRUE(dlg.saveButton()->isEnabled());
    EXPECT_TRUE(dlg.startButton()->isEnabled());

    const std::string report = (dir / "report.csv").string();
    ASSERT_TRUE(dlg.SaveReport(QString::fromStdString(report)));
    std::ifstream in(report);
    std::string heading, first;
    std::getline(in, heading);
    std::getline(in, first);
    EXPECT_EQ(heading, "time,port,identity,model,result,backup file\r");
    EXPECT_NE(first.find(",/dev/ttyUSB0," + std::string(ModelCatalogue()[8].identity) + ","),
              std::string::npos)
        << first;
    EXPECT_NE(first.find(",Written and verified,"), std::string::npos);
    // The backup went into the test's own data folder.
    EXPECT_NE(first.find("/vgr47/backups/"), std::string::npos) << first;
}

TEST_F(FleetDialogTest, CancelStopsEveryRadioAndNamesThosePartlyWritten) {
    // Paced like real cables, so the run is still going when Cancel is clicked.
    options.makeLine = [this](int radio, const std::string&) -> std::unique_ptr<FleetLine> {
        return std::make_unique<sim::SimulatedLine>(
            radios[static_cast<std::size_t>(radio == 1 ? 3 : 0)], std::make_unique<SteadyClock>(),
            true);
    };
    FleetDialog dlg(shell->formEnv(), options, &shell->frame());
    dlg.AddPort("a");
    dlg.AddPort("b");
    QSignalSpy finished(&dlg, &FleetDialog::runFinished);
    dlg.startButton()->click();
    auto started = [&dlg] {
        for (const FleetTable::Row& row : dlg.table().rows())
            if (row.percent < 1) return false;
        return true;
    };
    for (int i = 0; i < 3000 && !started(); ++i) QTest::qWait(5);
    ASSERT_TRUE(started());
    dlg.cancelButton()->click();
    ASSERT_TRUE(finished.wait(30000));
    for (int row = 0; row < 2; ++row) {
        const FleetRadioResult& r = dlg.table().rows()[static_cast<std::size_t>(row)].result;
        EXPECT_EQ(r.status, FleetStatus::Stopped) << Cell(dlg, row, 3);
        EXPECT_TRUE(r.partlyWritten());
    }
    EXPECT_EQ(dlg.noteLine()->text().toStdString(),
              "0 of 2 radios succeeded  Only partly written: a, b");
    EXPECT_FALSE(dlg.table().running());
    EXPECT_EQ(radios[0].CommandCount(CommandKind::End), 1);
}

TEST_F(FleetDialogTest, DetectPicksThePortOfTheCablePluggedIn) {
    listed = {{"ttyS0", "/dev/ttyS0", "", "", "", "", "serial8250"}};
    FleetDialog dlg(shell->formEnv(), options, &shell->frame());
    dlg.detectButton()->click();
    EXPECT_EQ(dlg.noteLine()->text().toStdString(), T(kTextFleetPlugInCable));
    EXPECT_EQ(dlg.detectButton()->text().toStdString(), T(kTextFleetCancelDetect));
    QTest::qWait(50);
    EXPECT_EQ(dlg.tableWidget()->rowCount(), 0);
    listed.push_back({"ttyUSB0", "/dev/ttyUSB0", "USB UART", "", "77", "", "cp210x"});
    for (int i = 0; i < 200 && dlg.tableWidget()->rowCount() == 0; ++i) QTest::qWait(10);
    ASSERT_EQ(dlg.tableWidget()->rowCount(), 1);
    EXPECT_EQ(Cell(dlg, 0, 0), "/dev/ttyUSB0");
    EXPECT_EQ(dlg.noteLine()->text().toStdString(), "Found: /dev/ttyUSB0");
    EXPECT_EQ(dlg.detectButton()->text().toStdString(), T(kTextFleetDetect));
    EXPECT_EQ(dlg.portBox()->count(), 3);
}

}  // namespace
}  // namespace vgr47
