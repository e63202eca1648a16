#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "app/radio_info_dlg.h"
#include "app/read_dlg.h"
#include "app/shell.h"
#include "app/write_dlg.h"
#include "core/data_file.h"
#include "core/ini_file.h"
#include "core/memory_map.h"
#include "core/text_ids.h"
#include "editors/channels/channel_dialog.h"
#include "sim/simulated_port.h"
#include "tests/support/recording_messages.h"
#include "tests/support/test_app.h"

using namespace vgr47;
namespace fs = std::filesystem;

namespace {

constexpr const char* kBasicIdentity = "4B5632313041F8FF";
constexpr const char* kSignallingIdentity = "4B5632313054F8FF";
constexpr int kWaitMs = 20000;

using vgr47::testing::RecordingMessages;

struct Dialogs : FileDialogs {
    std::optional<std::string> save;
    std::optional<std::string> AskOpenPath() override { return std::nullopt; }
    std::optional<std::string> AskSavePath() override { return save; }
};

struct RadioDialogs : ::testing::Test {
    fs::path dir = fs::temp_directory_path() /
                   ("vgr47-radio-" + std::to_string(::getpid()) + "-" +
                    std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    AppValues values;
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    CodeplugImage image;
    ModelState model{Edition::Vgr47};
    RecordingMessages messages;
    Dialogs dialogs;
    std::unique_ptr<Shell> shell;
    // The test's radio; each dialog's worker puts its own port on it.
    sim::SimulatedRadio radio{kSignallingIdentity};
    bool paced = false;
    OpenResult openFailure;

    void SetUp() override {
        vgr47::testing::EnsureTestApp();
        fs::remove_all(dir);
        fs::create_directories(dir);
        values.programDir = dir.string();
        values.languageOffset = kEnglishOffset;
        values.portName = "sim";
        shell = std::make_unique<Shell>(values, texts, image, model, &messages, &dialogs);
        shell->LoadStartupImage();
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
            if (!openFailure.ok()) port->SetOpenFailure(openFailure);
            c.port = std::move(port);
            return c;
        };
    }
    std::string T(int n) { return texts.GetText(n); }
    // A default image of the model with channel 1 switched on at the band's low edge.
    std::string ImageWithChannel(const std::string& identity) {
        ModelState state(Edition::Vgr47);
        CodeplugImage built;
        built.InstallNew(BuildModelImage(state, identity));
        ChannelModel channels(built, state, texts);
        channels.WriteChannel(1, channels.defaults());
        return built.image();
    }
};

bool WaitFinished(QSignalSpy& spy) { return spy.count() > 0 || spy.wait(kWaitMs); }

}  // namespace

TEST_F(RadioDialogs, ReadStartsOnEnterAndInstallsTheRadiosImage) {
    radio.LoadMemoryHex(ImageWithChannel(kSignallingIdentity));
    image.SetImageText(image.image());
    ReadDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    dlg.show();
    QSignalSpy finished(&dlg, &TransferDialog::transferFinished);
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_TRUE(dlg.isVisible());
    QTest::keyClick(&dlg, Qt::Key_Return);
    EXPECT_TRUE(dlg.running());
    EXPECT_FALSE(dlg.readButton()->isEnabled());
    QTest::keyClick(&dlg, Qt::Key_Return);  // ignored while the read runs
    ASSERT_TRUE(WaitFinished(finished));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_EQ(radio.CommandCount(sim::CommandKind::Program), 1);

    // The signalling layout: 0x740-0x7FF were not read and are FF.
    std::string expected = radio.MemoryHex();
    expected.replace(2 * (mem::kFirstRegionLast + 1),
                     2 * (mem::kSecondRegion - mem::kFirstRegionLast - 1),
                     2 * (mem::kSecondRegion - mem::kFirstRegionLast - 1), 'F');
    EXPECT_EQ(image.image(), expected);
    EXPECT_TRUE(image.imageFromRadio());
    EXPECT_FALSE(image.IsModified());
    EXPECT_TRUE(image.filePath().empty());
    EXPECT_EQ(model.currentIdentity(), kSignallingIdentity);
    EXPECT_EQ(shell->frame().windowTitle().toStdString(), model.TitleText(values.version));
    EXPECT_FALSE(shell->channels().ListingLine(1).empty());
    EXPECT_TRUE(dlg.readButton()->isEnabled());
    EXPECT_TRUE(dlg.isVisible());  // auto-close is off
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RadioDialogs, AutoCloseEndsTheDialogWithoutTouchingTheSettingAndTheUserCloseStoresIt) {
    IniWrite((dir / "system.ini").string(), "option", "auto_close_rw_window", "yes");
    radio.LoadMemoryHex(ImageWithChannel(kSignallingIdentity));
    {
        ReadDialog dlg(shell->formEnv(), Maker(), &shell->frame());
        EXPECT_TRUE(dlg.autoCloseBox()->isChecked());
        dlg.show();
        QSignalSpy closed(&dlg, &QDialog::finished);
        dlg.readButton()->click();
        ASSERT_TRUE(closed.count() > 0 || closed.wait(kWaitMs));
        EXPECT_FALSE(dlg.isVisible());
    }
    {
        ReadDialog dlg(shell->formEnv(), Maker(), &shell->frame());
        dlg.show();
        dlg.autoCloseBox()->setChecked(false);
        dlg.close();
    }
    EXPECT_EQ(IniRead((dir / "system.ini").string(), "option", "auto_close_rw_window"), "no");
}

TEST_F(RadioDialogs, WriteSendsTheStampedImageAndAnotherModelIsAskedFirst) {
    image.InstallNew(ImageWithChannel(kSignallingIdentity));
    model.UpdateModelFromImage(image.image());
    WriteDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    EXPECT_FALSE(dlg.testButton()->isVisibleTo(&dlg));  // debug mode only
    dlg.show();
    QSignalSpy finished(&dlg, &TransferDialog::transferFinished);
    dlg.writeButton()->click();
    EXPECT_FALSE(dlg.writeButton()->isEnabled());
    ASSERT_TRUE(WaitFinished(finished));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_EQ(image.ReadBytes(mem::kVersionStamp, 2), "0505");
    const std::string sent = radio.MemoryHex();
    const std::size_t first = 2 * (mem::kFirstRegionLast + 1), second = 2 * mem::kSecondRegion;
    EXPECT_EQ(sent.substr(0, first), image.image().substr(0, first));
    EXPECT_EQ(sent.substr(second), image.image().substr(second));
    EXPECT_EQ(radio.CommandCount(sim::CommandKind::End), 1);
    EXPECT_TRUE(messages.asked.empty());

    // A radio of another model: No leaves it as it was.
    sim::SimulatedRadio other(kBasicIdentity);
    radio = other;
    const std::string before = radio.MemoryHex();
    messages.answers = {Answer::No};
    finished.clear();
    dlg.writeButton()->click();
    ASSERT_TRUE(WaitFinished(finished));
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0], T(kTextModelMismatchQuestion));
    EXPECT_EQ(radio.MemoryHex(), before);
    EXPECT_EQ(radio.CommandCount(sim::CommandKind::Refuse), 1);
}

TEST_F(RadioDialogs, DryRunFillsTheTraceInDebugMode) {
    values.debug = true;
    WriteDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    EXPECT_TRUE(dlg.testButton()->isVisibleTo(&dlg));
    dlg.show();
    QSignalSpy finished(&dlg, &TransferDialog::transferFinished);
    dlg.testButton()->click();
    ASSERT_TRUE(WaitFinished(finished));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    QCoreApplication::processEvents();
    const QString trace = dlg.traceLog()->toPlainText();
    const int blocks = model.IsExtendedModel() ? 244 : 116;
    EXPECT_EQ(trace.count("S:57"), blocks);
    EXPECT_EQ(trace.count("R:06"), blocks);
    EXPECT_EQ(radio.CommandCount(sim::CommandKind::Stx), 0);  // the port was not used
}

TEST_F(RadioDialogs, WindowStaysResponsiveAndTheProgressMovesDuringAPacedRead) {
    radio = sim::SimulatedRadio(kBasicIdentity);  // 116 blocks, about 3 s at 9600 baud
    paced = true;
    ReadDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    dlg.show();
    int ticks = 0, ticksWhileMoving = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        if (dlg.running() && dlg.progressBar()->value() > 0) ++ticksWhileMoving;
    });
    timer.start(20);
    QSignalSpy finished(&dlg, &TransferDialog::transferFinished);
    dlg.readButton()->click();
    ASSERT_TRUE(WaitFinished(finished));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_GT(ticks, 50);
    EXPECT_GT(ticksWhileMoving, 20);
    EXPECT_EQ(dlg.progressBar()->maximum(), 116);  // blocks
    EXPECT_EQ(image.byteCount(), 1856u);
}

TEST_F(RadioDialogs, CancelOrCloseDuringAReadInstallsNothing) {
    radio = sim::SimulatedRadio(kBasicIdentity);
    paced = true;
    const std::string before = image.image();
    auto dlg = std::make_unique<ReadDialog>(shell->formEnv(), Maker(), &shell->frame());
    dlg->show();
    QSignalSpy finished(dlg.get(), &TransferDialog::transferFinished);
    EXPECT_FALSE(dlg->cancelButton()->isEnabled());
    dlg->readButton()->click();
    auto cancelAtFive =
        QObject::connect(dlg->progressBar(), &QProgressBar::valueChanged, dlg.get(), [&](int v) {
            if (v == 5) dlg->cancelButton()->click();
        });
    ASSERT_TRUE(WaitFinished(finished));
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    EXPECT_EQ(image.image(), before);
    EXPECT_FALSE(image.imageFromRadio());
    EXPECT_EQ(radio.CommandCount(sim::CommandKind::End), 1);
    EXPECT_FALSE(radio.programming());
    EXPECT_LT(radio.CommandCount(sim::CommandKind::BlockRead), 40);  // of 116

    // Closing the window while reading: it stays until the worker has stopped.
    QObject::disconnect(cancelAtFive);
    finished.clear();
    dlg->readButton()->click();
    QTest::qWait(300);
    dlg->close();
    EXPECT_TRUE(dlg->isVisible());
    ASSERT_TRUE(WaitFinished(finished));
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(image.image(), before);
    EXPECT_EQ(radio.CommandCount(sim::CommandKind::End), 2);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RadioDialogs, CancellingAWriteWarnsFirstAndGoesOnWhenTheUserSaysNo) {
    image.InstallNew(ImageWithChannel(kBasicIdentity));
    model.UpdateModelFromImage(image.image());
    radio = sim::SimulatedRadio(kBasicIdentity);
    paced = true;
    WriteDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    dlg.show();
    QSignalSpy finished(&dlg, &TransferDialog::transferFinished);
    messages.answers = {Answer::No, Answer::Yes};
    QObject::connect(dlg.progressBar(), &QProgressBar::valueChanged, &dlg, [&](int v) {
        if (v == 3 || v == 10) dlg.cancelButton()->click();
    });
    dlg.writeButton()->click();
    ASSERT_TRUE(WaitFinished(finished));
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    ASSERT_EQ(messages.asked.size(), 2u);
    EXPECT_EQ(messages.asked[0], T(kTextStopWriteQuestion));
    const int written = radio.CommandCount(sim::CommandKind::BlockWrite);
    EXPECT_GE(written, 10);
    EXPECT_LT(written, 60);  // of 116
    EXPECT_EQ(radio.CommandCount(sim::CommandKind::End), 1);
    EXPECT_FALSE(radio.programming());
}

TEST_F(RadioDialogs, FailedPortOpenShowsTheMessageOnTheUiThread) {
    openFailure = OpenResult{OpenError::Busy, "Device or resource busy"};
    const std::string before = image.image();
    ReadDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    dlg.show();
    QSignalSpy finished(&dlg, &TransferDialog::transferFinished);
    dlg.readButton()->click();
    ASSERT_TRUE(WaitFinished(finished));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind(T(kTextPortOpenFailed), 0), 0u);
    EXPECT_EQ(image.image(), before);
    EXPECT_TRUE(dlg.readButton()->isEnabled());
}

TEST_F(RadioDialogs, RadioInformationAsksWhenItOpens) {
    radio.LoadMemoryHex(std::string(2 * mem::kVersionStamp, 'F') + "0505");
    RadioInfoDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    QSignalSpy finished(&dlg, &RadioInfoDialog::exchangeFinished);
    dlg.show();
    ASSERT_TRUE(finished.count() > 0 || finished.wait(kWaitMs));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_EQ(dlg.modelField()->text().toStdString(), model.ModelDisplayName(kSignallingIdentity));
    EXPECT_EQ(dlg.firmwareField()->text(), "V1.02");
    EXPECT_EQ(dlg.softwareField()->text(), "5.05");
    EXPECT_FALSE(dlg.traceLog()->isVisibleTo(&dlg));
}

TEST_F(RadioDialogs, ReadCommandAsksTheSaveQuestionFirst) {
    image.SetImageText(ImageWithChannel(kSignallingIdentity));  // unsaved edits
    messages.answers = {Answer::Cancel};
    shell->RunCommand(kCmdReadData);
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_NE(messages.asked[0].find(T(kTextSaveChangesQuestion)), std::string::npos);
    EXPECT_EQ(shell->frame().findChild<ReadDialog*>(), nullptr);

    // Yes with a save that is cancelled stops as well.
    messages.answers = {Answer::Yes};
    dialogs.save = std::nullopt;
    shell->RunCommand(kCmdReadData);
    EXPECT_EQ(shell->frame().findChild<ReadDialog*>(), nullptr);

    messages.answers = {Answer::No};
    shell->RunCommand(kCmdReadData);
    ReadDialog* dlg = shell->frame().findChild<ReadDialog*>();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->windowModality(), Qt::WindowModal);
    delete dlg;
}

TEST_F(RadioDialogs, ChannelEditedAndSavedShowsInTheCommandLineListing) {
    // Through the channel dialog, as a user does it: switch channel 7 on, type a receive
    // frequency, leave the dialog; then File > Save.
    const QString typed = QString::number(model.bandLow() + 1.0125, 'f', 4);
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<ChannelDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QCheckBox*>("channelOn")->click();
        auto* rx = dialog->findChild<QLineEdit*>("rx");
        rx->setFocus();
        rx->selectAll();
        QTest::keyClicks(rx, typed);
        dialog->findChild<QPushButton*>("exit")->click();
    });
    emit shell->channelForm()->channelDialogRequested(7);
    EXPECT_EQ(shell->channels().CellText(7, ChannelModel::kColRx),
              shell->channels().NormaliseFrequency(typed.toStdString()));
    const std::string line = shell->channels().ListingLine(7);
    ASSERT_FALSE(line.empty());
    const std::string path = (dir / "edited.dat").string();
    dialogs.save = path;
    shell->RunCommand(kCmdSave);
    ASSERT_FALSE(image.IsModified());

    const std::string command = std::string("cd '") + VGR47_BINARY_DIR + "' && '" + VGR47_CLI_PATH +
                                "' channels '" + path + "'";
    std::string output;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) output.append(buffer, n);
        EXPECT_EQ(pclose(p), 0);
    }
    EXPECT_NE(output.find(line + "\n"), std::string::npos) << output;
}

TEST_F(RadioDialogs, AFailedBlockAcknowledgeLeavesTheImageAndTheReadButtonEnabled) {
    // Acknowledge 1 follows the identity; 2 is the first block's.
    radio.AddFault(sim::Fault{sim::FaultType::Silent, sim::CommandKind::Ack, 2, 3, 0});
    const std::string before = image.image();
    ReadDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    dlg.show();
    QSignalSpy finished(&dlg, &TransferDialog::transferFinished);
    dlg.readButton()->click();
    ASSERT_TRUE(WaitFinished(finished));
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], T(kTextCommFailed) + "\n\n" + T(kTextReadStoppedUnchanged));
    EXPECT_EQ(image.image(), before);
    EXPECT_TRUE(dlg.readButton()->isEnabled());
    EXPECT_FALSE(dlg.running());
}

// The codeplug is complete before the end command: the read installs it, and the message
// says only that the end command went unanswered.
TEST_F(RadioDialogs, AReadWhoseEndCommandFailsIsInstalledWithoutSayingItIsUnchanged) {
    radio.LoadMemoryHex(ImageWithChannel(kSignallingIdentity));
    radio.AddFault(sim::Fault{sim::FaultType::Silent, sim::CommandKind::End, 1, 3, 0});
    ReadDialog dlg(shell->formEnv(), Maker(), &shell->frame());
    dlg.show();
    QSignalSpy finished(&dlg, &TransferDialog::transferFinished);
    dlg.readButton()->click();
    ASSERT_TRUE(WaitFinished(finished));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_TRUE(image.imageFromRadio());
    EXPECT_EQ(model.currentIdentity(), kSignallingIdentity);
    EXPECT_EQ(messages.shown, std::vector<std::string>{T(kTextCommFailed)});
}

TEST_F(RadioDialogs, TraceLogOnlyInDebugModeAndTheDialogIsSmallerWithoutIt) {
    ReadDialog plain(shell->formEnv(), Maker(), &shell->frame());
    values.debug = true;
    ReadDialog debug(shell->formEnv(), Maker(), &shell->frame());
    plain.show();
    debug.show();
    EXPECT_FALSE(plain.traceLog()->isVisible());
    EXPECT_TRUE(debug.traceLog()->isVisible());
    EXPECT_LT(plain.height() + 100, debug.height());
}

TEST_F(RadioDialogs, TitleFollowsAModelChangedElsewhere) {
    const std::string before = shell->frame().windowTitle().toStdString();
    image.InstallNew(ImageWithChannel(kSignallingIdentity));
    model.UpdateModelFromImage(image.image());
    const std::string title = model.TitleText(values.version);
    ASSERT_NE(before, title);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&shell->frame(), &activate);
    EXPECT_EQ(shell->frame().windowTitle().toStdString(), title);
}

TEST_F(RadioDialogs, ReadDataCommandReadsTheSimulatorOfTheConfiguredModel) {
    IniWrite((dir / "system.ini").string(), "simulator", "model", "0");
    shell->RunCommand(kCmdReadData);
    ReadDialog* dlg = shell->frame().findChild<ReadDialog*>();
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(dlg->isVisible());
    QSignalSpy finished(dlg, &TransferDialog::transferFinished);
    dlg->Start();
    ASSERT_TRUE(WaitFinished(finished));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_EQ(model.currentIdentity(), ModelCatalogue()[0].identity);
    EXPECT_EQ(image.byteCount(), 1856u);
    ModelState state(Edition::Vgr47);
    EXPECT_EQ(image.image(),
              BuildModelImage(state, ModelCatalogue()[0].identity).substr(0, 2 * 1856));
    dlg->close();
}
