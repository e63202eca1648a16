// What the read and write dialogs tell the dealer: what they work on, the phase and block
// while they run, and the one line that stays when they end; verify after writing; the
// backups; the stop question that holds the write; File > Open backup.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/qt_messages.h"
#include "app/read_dlg.h"
#include "app/shell.h"
#include "app/write_dlg.h"
#include "core/backups.h"
#include "core/data_file.h"
#include "core/ini_file.h"
#include "core/memory_map.h"
#include "core/text_ids.h"
#include "sim/simulated_port.h"
#include "tests/support/recording_messages.h"
#include "tests/support/test_app.h"

using namespace vgr47;
namespace fs = std::filesystem;

namespace {

constexpr const char* kBasicIdentity = "4B5632313041F8FF";  // model 0, 116 blocks
constexpr int kWaitMs = 30000;

using vgr47::testing::RecordingMessages;

struct NoDialogs : FileDialogs {
    std::optional<std::string> AskOpenPath() override { return std::nullopt; }
    std::optional<std::string> AskSavePath() override { return std::nullopt; }
};

struct TransferStatus : ::testing::Test {
    fs::path dir = fs::temp_directory_path() /
                   ("vgr47-status-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    AppValues values;
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    CodeplugImage image;
    ModelState model{Edition::Vgr47};
    RecordingMessages messages;
    NoDialogs dialogs;
    std::unique_ptr<Shell> shell;
    sim::SimulatedRadio radio{kBasicIdentity};
    bool paced = false;

    void SetUp() override {
        vgr47::testing::EnsureTestApp();
        fs::remove_all(dir);
        fs::create_directories(dir);
        values.programDir = dir.string();
        values.languageOffset = kEnglishOffset;
        values.portName = "sim";
        shell = std::make_unique<Shell>(values, texts, image, model, &messages, &dialogs);
        image.InstallNew(BuildModelImage(model, kBasicIdentity));
        model.UpdateModelFromImage(image.image());
        radio.LoadMemoryHex(image.image());
    }
    void TearDown() override {
        shell.reset();
        fs::remove_all(dir);
    }
    ConnectionMaker Maker() {
        return [this] {
            RadioConnection c;
            c.clock = std::make_unique<SteadyClock>();
            auto port = std::make_unique<sim::SimulatedPort>(radio, *c.clock);
            port->SetPaced(paced);
            c.port = std::move(port);
            return c;
        };
    }
    std::string T(int n) { return texts.GetText(n); }
    std::string Closing(const TransferDialog& dlg) {
        QCoreApplication::processEvents();
        return dlg.statusLine()->text().toStdString();
    }
    static bool Finished(QSignalSpy& spy) { return spy.count() > 0 || spy.wait(kWaitMs); }
    std::vector<fs::path> Backups() const {
        std::vector<fs::path> files;
        const fs::path folder = BackupFolder();
        if (fs::exists(folder))
            for (const auto& e : fs::directory_iterator(folder)) files.push_back(e.path());
        return files;
    }
    // Each test starts with an empty backup folder of its own process.
    void ClearBackups() { fs::remove_all(BackupFolder()); }
    const std::string kModelName = "KV210A (VHF:136-174MHz)";
};

TEST_F(TransferStatus, ReadEndsWithItsLineAFullBarAndOneBackup) {
    ClearBackups();
    ReadDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    dlg.show();
    QSignalSpy finished(&dlg, &TransferDialog::transferFinished);
    dlg.Start();
    ASSERT_TRUE(Finished(finished));
    ASSERT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_EQ(Closing(dlg), "Read complete: " + kModelName + ", 116 blocks");
    EXPECT_EQ(dlg.subjectLine()->text().toStdString(), "Radio: " + kModelName);
    EXPECT_EQ(dlg.progressBar()->value(), dlg.progressBar()->maximum());
    EXPECT_TRUE(dlg.progressBar()->isTextVisible());

    const std::vector<fs::path> kept = Backups();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(LoadCodeplugFile(kept[0].string()), image.image());
    EXPECT_NE(kept[0].filename().string().find("_read.dat"), std::string::npos);
    EXPECT_EQ(dlg.backupLine()->text().toStdString(), "Backup: " + kept[0].string());
    QTest::qWait(200);
    EXPECT_EQ(Closing(dlg), "Read complete: " + kModelName + ", 116 blocks");  // it stays
}

TEST_F(TransferStatus, FailedReadSaysWhereAndThatTheWindowIsUnchanged) {
    // The acknowledge of block 0x120 (the first follows the identity).
    radio.AddFault({sim::FaultType::Silent, sim::CommandKind::Ack, 0x12 + 2, 3, 0});
    const std::string before = image.image();
    ReadDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    dlg.show();
    QSignalSpy finished(&dlg, &TransferDialog::transferFinished);
    dlg.Start();
    ASSERT_TRUE(Finished(finished));
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    EXPECT_EQ(Closing(dlg), "Failed at block 0x0120: the codeplug in the window is unchanged");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.warnings, 1);
    EXPECT_EQ(messages.shown[0], T(kTextCommFailed) + "\n\n" + T(kTextReadStoppedUnchanged));
    EXPECT_EQ(image.image(), before);
}

TEST_F(TransferStatus, WriteShowsItsCodeplugAndEndsWritten) {
    ClearBackups();
    image.MarkSaved((dir / "fleet.dat").string());
    WriteDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    EXPECT_EQ(dlg.subjectLine()->text().toStdString(), "Codeplug: fleet.dat, " + kModelName);
    EXPECT_FALSE(dlg.verifyBox()->isChecked());  // off until ticked
    dlg.show();
    QSignalSpy finished(&dlg, &TransferDialog::transferFinished);
    dlg.Start();
    ASSERT_TRUE(Finished(finished));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_EQ(Closing(dlg), "Written");
    EXPECT_EQ(dlg.subjectLine()->text().toStdString(),
              "Codeplug: fleet.dat, " + kModelName + "\nRadio: " + kModelName);
    EXPECT_EQ(radio.CommandCount(sim::CommandKind::BlockRead), 0);  // no verify read
    const std::vector<fs::path> kept = Backups();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(LoadCodeplugFile(kept[0].string()), image.image());  // with its version stamp
    EXPECT_NE(kept[0].filename().string().find("_written.dat"), std::string::npos);
}

TEST_F(TransferStatus, VerifiedWriteAndARadioHoldingOtherData) {
    {
        WriteDialog dlg(shell->formEnv(), Maker(), &shell->frame());
        dlg.verifyBox()->click();
    }
    EXPECT_EQ(IniRead((dir / "system.ini").string(), "option", "verify_after_write"), "yes");
    WriteDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    EXPECT_TRUE(dlg.verifyBox()->isChecked());  // remembered
    dlg.show();
    QSignalSpy finished(&dlg, &TransferDialog::transferFinished);
    dlg.Start();
    ASSERT_TRUE(Finished(finished));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_EQ(Closing(dlg), "Written and verified");
    EXPECT_EQ(radio.CommandCount(sim::CommandKind::BlockRead), 116);
    EXPECT_TRUE(messages.shown.empty());

    // The radio acknowledges the 20th block but stores something else.
    radio.AddFault({sim::FaultType::Corrupt, sim::CommandKind::BlockWrite, 116 + 20, 1, 0});
    finished.clear();
    dlg.Start();
    ASSERT_TRUE(Finished(finished));
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    const std::string differs = "The radio holds different data at 0x0130 (channel 20)";
    EXPECT_EQ(Closing(dlg), differs);
    EXPECT_EQ(messages.shown, (std::vector<std::string>{differs}));
    EXPECT_EQ(messages.warnings, 1);
}

TEST_F(TransferStatus, CancelledWriteSaysWhereItStopped) {
    paced = true;
    WriteDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    dlg.show();
    QSignalSpy finished(&dlg, &TransferDialog::transferFinished);
    messages.answers = {Answer::Yes};
    QObject::connect(dlg.progressBar(), &QProgressBar::valueChanged, &dlg, [&](int v) {
        if (v == 10) dlg.cancelButton()->click();
    });
    dlg.Start();
    ASSERT_TRUE(Finished(finished));
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    const int written = radio.CommandCount(sim::CommandKind::BlockWrite);
    EXPECT_GE(written, 10);
    EXPECT_LE(written, 12);
    EXPECT_EQ(Closing(dlg), "Stopped at block " + std::to_string(written) +
                                " of 116: the radio is only partly programmed");
    EXPECT_LT(dlg.progressBar()->value(), dlg.progressBar()->maximum());
}

TEST_F(TransferStatus, WriteWaitsBetweenBlocksWhileTheStopQuestionIsOpen) {
    paced = true;
    WriteDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    dlg.show();
    QSignalSpy finished(&dlg, &TransferDialog::transferFinished);
    int atQuestion = -1, afterPause = -1;
    messages.whileAsking = [&] {
        QTest::qWait(50);  // the block under way when Cancel was pressed may finish
        atQuestion = radio.CommandCount(sim::CommandKind::BlockWrite);
        QTest::qWait(1000);  // about 45 blocks' time on the line
        afterPause = radio.CommandCount(sim::CommandKind::BlockWrite);
    };
    messages.answers = {Answer::No};
    QObject::connect(dlg.progressBar(), &QProgressBar::valueChanged, &dlg, [&](int v) {
        if (v == 5) dlg.cancelButton()->click();
    });
    dlg.Start();
    ASSERT_TRUE(Finished(finished));
    EXPECT_EQ(atQuestion, afterPause);
    EXPECT_LT(atQuestion, 10);
    EXPECT_TRUE(finished.at(0).at(0).toBool());  // No: the write went on to the end
    EXPECT_EQ(Closing(dlg), "Written");
    EXPECT_EQ(radio.CommandCount(sim::CommandKind::BlockWrite), 116);
}

TEST_F(TransferStatus, StopAnsweredAfterTheWriteCompletedSaysSo) {
    paced = true;
    WriteDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    dlg.show();
    QSignalSpy finished(&dlg, &TransferDialog::transferFinished);
    // The question comes up while the last block is on its way; the user answers after
    // the write has ended.
    bool ended = false;
    QObject::connect(&dlg, &TransferDialog::transferFinished, [&] { ended = true; });
    messages.whileAsking = [&] {
        for (int waited = 0; !ended && waited < kWaitMs; waited += 20) QTest::qWait(20);
    };
    messages.answers = {Answer::Yes};
    QObject::connect(dlg.progressBar(), &QProgressBar::valueChanged, &dlg, [&](int v) {
        if (v == 115) dlg.cancelButton()->click();
    });
    dlg.Start();
    ASSERT_TRUE(Finished(finished));
    QCoreApplication::processEvents();
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_EQ(Closing(dlg), "Written");
    EXPECT_EQ(messages.shown, (std::vector<std::string>{T(kTextWriteAlreadyComplete)}));
    EXPECT_EQ(radio.CommandCount(sim::CommandKind::BlockWrite), 116);
}

TEST_F(TransferStatus, UnwritableBackupFolderIsAWarningNotAFailure) {
    const std::string saved = std::getenv("XDG_DATA_HOME");
    std::ofstream(dir / "blocked") << "a file where the data folder would be";
    ::setenv("XDG_DATA_HOME", (dir / "blocked").c_str(), 1);
    ReadDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    dlg.show();
    QSignalSpy finished(&dlg, &TransferDialog::transferFinished);
    dlg.Start();
    const bool ended = Finished(finished);
    ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    ASSERT_TRUE(ended);
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_TRUE(image.imageFromRadio());
    EXPECT_EQ(Closing(dlg), "Read complete: " + kModelName + ", 116 blocks");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.warnings, 1);
    EXPECT_NE(messages.shown[0].find((dir / "blocked").string()), std::string::npos);
    EXPECT_FALSE(dlg.backupLine()->isVisible());

    // Turned off in system.ini: no backup, no warning.
    IniWrite((dir / "system.ini").string(), "option", "automatic_backups", "no");
    ClearBackups();
    messages.shown.clear();
    finished.clear();
    dlg.Start();
    ASSERT_TRUE(Finished(finished));
    EXPECT_TRUE(Backups().empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TransferStatus, FailureNoticesCarryTheWarningIcon) {
    QWidget parent;
    QtMessages qt(&parent);
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        box->accept();
    });
    qt.ShowWarning(T(kTextCommFailed));
    EXPECT_EQ(icon, QMessageBox::Warning);
}

TEST_F(TransferStatus, OpenBackupStartsInTheBackupFolderAndNeverSavesOverABackup) {
    ClearBackups();
    std::string stored = BuildModelImage(model, ModelCatalogue()[8].identity);
    const BackupResult kept =
        KeepBackup(BackupFolder(), stored, "KV210AT", BackupKind::Read, std::time(nullptr));
    ASSERT_TRUE(kept.ok);
    // The program's own file dialogs this time.
    Shell real(values, texts, image, model, &messages, nullptr);
    QString shownFolder;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shownFolder = dialog->directory().absolutePath();
        dialog->selectFile(QString::fromStdString(kept.path));
        static_cast<QDialog*>(dialog)->accept();  // accept is protected in QFileDialog
    });
    real.RunCommand(kCmdOpenBackup);
    EXPECT_EQ(fs::path(shownFolder.toStdString()), fs::path(BackupFolder()));
    EXPECT_EQ(image.image(), stored);
    EXPECT_EQ(model.currentIdentity(), ModelCatalogue()[8].identity);
    EXPECT_TRUE(image.filePath().empty());
    EXPECT_NE(real.frame().action(kCmdOpenBackup), nullptr);
}

}  // namespace
