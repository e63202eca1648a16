// File > Export channels... and Import channels...: the report shown before anything changes,
// the import as one undo step, and the exported file.
#include "app/channel_csv_commands.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <fstream>
#include <sstream>

#include "app/edit_history.h"
#include "tests/support/shell_fixture.h"

using namespace vgr47;

namespace {

struct ChannelCsvMenu : ShellFixture {
    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // Chooses File > Import channels... with the file; the report stays open.
    ChannelCsvImportDialog* ImportFile(const std::string& path) {
        shell->channelCsv().askOpenPath = [path] { return std::optional<std::string>(path); };
        frame().action(kCmdImportChannels)->trigger();
        QApplication::processEvents();
        return shell->channelCsv().report();
    }
    QString Cell(int row, int column) {
        return shell->channelForm()->grid()->item(row, column)->text();
    }
};

TEST_F(ChannelCsvMenu, TheReportComesFirstAndItsOkIsOneUndoStep) {
    Start();
    const std::string before = image.image();
    ChannelCsvImportDialog* report =
        ImportFile(Write("in.csv",
                         "Location,Frequency,Duplex,Offset,Tone,rToneFreq,Mode\n"
                         "4,145.125,+,0.6,Tone,88.5,NFM\n"
                         "5,400.0,,,,,FM\n"
                         "6,146.0,,,,,AM\n"));
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(report->findChild<QLabel*>("summary")->text(),
              "1 channel will be imported, 2 rows are skipped.");
    EXPECT_EQ(report->findChild<QPlainTextEdit*>("skipped")->toPlainText(),
              "Line 3: 400.00000 MHz lies outside the band 136.00000-174.00000 MHz\n"
              "Line 4: the mode \"AM\" is neither FM nor NFM");
    // Nothing changes while the report is open.
    EXPECT_EQ(image.image(), before);
    if (const char* folder = std::getenv("VGR47_SCREENSHOTS"))
        report->grab().save(QString(folder) + "/import_channels_report_en.png");

    report->accept();
    QApplication::processEvents();
    EXPECT_EQ(Cell(4, ChannelModel::kColRx), "145.12500");
    EXPECT_EQ(Cell(4, ChannelModel::kColTx), "145.72500");
    EXPECT_TRUE(frame().action(kCmdUndo)->isEnabled());
    frame().action(kCmdUndo)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(image.image(), before);
    EXPECT_EQ(Cell(4, ChannelModel::kColRx), "");
}

TEST_F(ChannelCsvMenu, CancelAndAFileWithoutGoodRowsChangeNothing) {
    Start();
    const std::string before = image.image();
    ChannelCsvImportDialog* report = ImportFile(Write("in.csv", "Location,Frequency\n4,145.125\n"));
    ASSERT_NE(report, nullptr);
    report->reject();
    QApplication::processEvents();
    EXPECT_EQ(image.image(), before);

    report = ImportFile(Write("bad.csv", "Name\nx\n"));
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->findChild<QLabel*>("summary")->text(),
              "No row can be imported; nothing was changed.");
    EXPECT_EQ(report->findChild<QCheckBox*>(), nullptr);
    report->accept();
    QApplication::processEvents();
    EXPECT_EQ(image.image(), before);
    EXPECT_FALSE(frame().action(kCmdUndo)->isEnabled());
}

TEST_F(ChannelCsvMenu, ExportWritesTheGridsChannels) {
    Start(kEnglishOffset, 0);
    ChannelCsvImportDialog* report =
        ImportFile(Write("in.csv", "Location,Frequency,Skip\n101,150.0,S\n"));
    ASSERT_NE(report, nullptr);
    report->accept();
    QApplication::processEvents();
    const std::string out = (dir / "out.csv").string();
    shell->channelCsv().askSavePath = [out] { return std::optional<std::string>(out); };
    frame().action(kCmdExportChannels)->trigger();
    std::ifstream in(out, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), std::string(kChannelCsvHeader) +
                              "\r\n101,,150.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5."
                              "00,S,5.0W,,,,,\r\n");
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
