// The port, model information and test frequency forms in the main window.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <filesystem>

#include "app/form_registry.h"
#include "app/read_dlg.h"
#include "app/shell.h"
#include "app/write_dlg.h"
#include "core/ini_file.h"
#include "core/memory_map.h"
#include "core/settings.h"
#include "core/text_ids.h"
#include "editors/model_info/model_info_view.h"
#include "editors/port/port_view.h"
#include "editors/test_freq/test_frequency_view.h"
#include "link/clock.h"
#include "link/qt_serial_port.h"
#include "link/trace_log.h"
#include "link/write_sequence.h"
#include "sim/simulated_port.h"
#include "tests/support/recording_messages.h"
#include "tests/support/test_app.h"

using namespace vgr47;
namespace fs = std::filesystem;

namespace {

using vgr47::testing::RecordingMessages;

struct NoDialogs : FileDialogs {
    std::optional<std::string> AskOpenPath() override { return std::nullopt; }
    std::optional<std::string> AskSavePath() override { return std::nullopt; }
};

// A pseudo-terminal: a serial device that is present without any hardware.
struct Pty {
    int master = -1;
    std::string slave;
    Pty() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0) slave = ptsname(master);
    }
    ~Pty() {
        if (master >= 0) close(master);
    }
};

struct FormsTest : ::testing::Test {
    fs::path dir = fs::temp_directory_path() /
                   ("vgr47-forms-" + std::to_string(::getpid()) + "-" +
                    std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    AppValues values;
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    CodeplugImage image;
    ModelState model{Edition::Vgr47};
    RecordingMessages messages{Answer::Cancel};
    NoDialogs dialogs;

    void SetUp() override {
        vgr47::testing::EnsureTestApp();
        fs::remove_all(dir);
        fs::create_directories(dir);
        values.programDir = dir.string();
        values.languageOffset = kEnglishOffset;
    }
    void TearDown() override { fs::remove_all(dir); }
    template <class Form>
    Form* Open(Shell& shell, int command) {
        shell.RunCommand(command);
        QMdiSubWindow* sub = shell.frame().openForm(command);
        return sub ? qobject_cast<Form*>(sub->widget()) : nullptr;
    }
    // Lets closed child windows go.
    static void Settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
};

TEST_F(FormsTest, PortFormProbesDevicesAndStoresTheChoice) {
    Pty pty;
    ASSERT_FALSE(pty.slave.empty());
    IniWrite((dir / "system.ini").string(), "Computer", "com", pty.slave);
    std::string port = "com1";
    std::string shown;
    PortView::Options options{
        {{pty.slave, ""}, {"/dev/vgr47-no-such-device", ""}}, ProbeSerialDevice, 5000};
    PortView form(
        texts, dir.string(), port, [&](const std::string& p) { shown = p; }, options);
    EXPECT_EQ(form.windowTitle().toStdString(), texts.GetText(kTextPortSettingsTitle));
    EXPECT_TRUE(form.button(0)->isChecked());
    EXPECT_TRUE(form.button(2)->isEnabled());  // the simulated radio needs no probe
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.probing(); }, 5000));
    EXPECT_TRUE(form.button(0)->isEnabled());
    EXPECT_FALSE(form.button(1)->isEnabled());
    EXPECT_EQ(form.model().entries()[1].probe, PortProbe::Missing);
    {
        QtSerialPort holder;  // another program has the device open
        ASSERT_TRUE(holder.Open(pty.slave).ok());
        EXPECT_NE(ProbeSerialDevice(pty.slave), PortProbe::Present);
    }
    EXPECT_EQ(ProbeSerialDevice(pty.slave), PortProbe::Present);

    QSignalSpy closed(&form, &FormView::closeRequested);
    form.button(2)->click();
    form.Ok();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(port, "sim");
    EXPECT_EQ(shown, "sim");
    EXPECT_EQ(IniRead((dir / "system.ini").string(), "computer", "com"), "sim");
}

TEST_F(FormsTest, PortFormWaitsNoLongerThanItsTimeLimit) {
    std::string port;
    auto hang = [](const std::string&) {
        QThread::msleep(1500);
        return PortProbe::Present;
    };
    PortView form(texts, dir.string(), port, {},
                  PortView::Options{{{"/dev/ttyHANG", ""}}, hang, 100});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.probing(); }, 1000));
    EXPECT_EQ(form.model().entries()[0].probe, PortProbe::TimedOut);
    EXPECT_FALSE(form.button(0)->isEnabled());
}

TEST_F(FormsTest, PortCommandUpdatesTheStatusBarAndAnUnpluggedNameIsKept) {
    IniWrite((dir / "system.ini").string(), "computer", "com", "/dev/ttyUSB9-gone");
    values.portName = "/dev/ttyUSB9-gone";
    Shell shell(values, texts, image, model, &messages, &dialogs);
    shell.LoadStartupImage();
    auto* form = Open<PortView>(shell, kCmdPort);
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->typedButton()->isChecked());
    EXPECT_EQ(form->pathEdit()->text().toStdString(), "/dev/ttyUSB9-gone");
    form->pathEdit()->clear();
    QTest::keyClicks(form->pathEdit(), "COM7");
    form->Ok();
    Settle();
    EXPECT_EQ(values.portName, "com7");
    EXPECT_EQ(shell.frame().portPane()->text().toStdString(), "COM7");
    EXPECT_EQ(IniRead((dir / "system.ini").string(), "computer", "com"), "com7");
    EXPECT_FALSE(shell.frame().openForm(kCmdPort));
}

TEST_F(FormsTest, ModelChangeStaysOpenOnNoAndReplacesTheImageOnYes) {
    Shell shell(values, texts, image, model, &messages, &dialogs);
    shell.LoadStartupImage();
    auto* form = Open<ModelInfoView>(shell, kCmdModelInformation);
    ASSERT_TRUE(form);
    EXPECT_EQ(form->list()->currentIndex(), 0);
    ASSERT_TRUE(Open<TestFrequencyView>(shell, kCmdTestFrequency));
    ASSERT_EQ(Open<ModelInfoView>(shell, kCmdModelInformation), form);

    form->list()->setCurrentIndex(15);
    messages.answers = {Answer::No};
    form->Ok();
    Settle();
    EXPECT_EQ(form->list()->currentIndex(), 0);
    EXPECT_TRUE(shell.frame().openForm(kCmdModelInformation));

    image.WriteBytes(0, "00256013");  // unsaved: the save question comes; its save fails
    form->list()->setCurrentIndex(15);
    messages.answers = {Answer::Yes, Answer::Yes};
    form->Ok();
    Settle();
    EXPECT_EQ(messages.asked.size(), 3u);
    EXPECT_TRUE(image.IsModified());
    ASSERT_TRUE(shell.frame().openForm(kCmdModelInformation));
    EXPECT_EQ(form->list()->currentIndex(), 15);

    messages.answers = {Answer::Yes, Answer::No};
    form->Ok();
    Settle();
    EXPECT_EQ(model.currentIdentity(), ModelCatalogue()[15].identity);
    EXPECT_FALSE(image.IsModified());
    EXPECT_EQ(shell.frame().windowTitle().toStdString(), model.TitleText(values.version));
    EXPECT_EQ(shell.channels().defaults().rx, "450.00000");
    // The image was replaced: this form and every other form but the channel form are gone.
    EXPECT_FALSE(shell.frame().openForm(kCmdModelInformation));
    EXPECT_FALSE(shell.frame().openForm(kCmdTestFrequency));
    EXPECT_EQ(shell.frame().mdiArea()->subWindowList().size(), 1);
}

TEST_F(FormsTest, TestFrequencyGridEditsInPlaceAndWritesOnOkOnly) {
    image.InstallNew(BuildModelImage(model, ModelCatalogue()[8].identity));
    const std::string before = image.image();
    {
        TestFrequencyView form(image, model, texts);
        form.show();
        QTableWidget* grid = form.grid();
        EXPECT_EQ(grid->item(0, 1)->text().toStdString(), "136.05000");
        EXPECT_EQ(grid->horizontalHeaderItem(2)->text().toStdString(),
                  texts.GetText(kTextTestTxFrequency));
        grid->setCurrentCell(5, 1);
        grid->editItem(grid->item(5, 1));
        ASSERT_TRUE(form.editor());
        QTest::keyClicks(form.editor(), "145.5x");  // the editor takes digits and a point only
        QTest::keyClick(form.editor(), Qt::Key_Return);
        QCoreApplication::processEvents();  // the view closes its editor through the event queue
        EXPECT_FALSE(form.editor());
        EXPECT_EQ(grid->item(5, 2)->text().toStdString(), "145.50000");
        grid->setCurrentCell(1, 2);
        QTest::keyClick(grid, Qt::Key_Delete);
        EXPECT_EQ(grid->item(1, 1)->text().toStdString(), "");
        QSignalSpy closed(&form, &FormView::closeRequested);
        for (QPushButton* b : form.findChildren<QPushButton*>())
            if (b->text().toStdString() == texts.GetText(kTextCancel)) b->click();
        EXPECT_EQ(closed.count(), 1);
        EXPECT_EQ(image.image(), before);
    }
    TestFrequencyView form(image, model, texts);
    form.show();
    form.grid()->editItem(form.grid()->item(7, 2));
    ASSERT_TRUE(form.editor());
    QTest::keyClicks(form.editor(), "500");
    form.Ok();  // the open editor counts
    EXPECT_EQ(image.ReadBytes(mem::kTestFrequencies + 7 * mem::kTestFrequencyRecordBytes, 8),
              "0000401700004017");
}

}  // namespace

namespace {

// Run by hand under xvfb-run with --gtest_also_run_disabled_tests: the forms' pictures in
// docs/screenshots, shown standalone on a signalling model's default image.
TEST_F(FormsTest, DISABLED_SaveScreenshots) {
    const fs::path out = fs::path(VGR47_SOURCE_DIR) / "docs" / "screenshots";
    image.InstallNew(BuildModelImage(model, ModelCatalogue()[8].identity));
    auto save = [&](QWidget& w, const char* name) {
        w.show();
        QTest::qWait(200);
        EXPECT_TRUE(w.grab().save(QString::fromStdString((out / name).string())));
    };
    {
        Pty pty;
        IniWrite((dir / "system.ini").string(), "computer", "com", "sim");
        std::string port;
        std::vector<PortChoiceModel::Candidate> ports = SystemSerialPorts();
        ports.push_back({pty.slave, "pseudo-terminal"});
        ports.push_back({"/dev/ttyUSB0", "USB serial (unplugged)"});
        PortView form(texts, dir.string(), port, {},
                      PortView::Options{ports, ProbeSerialDevice, 3000});
        EXPECT_TRUE(QTest::qWaitFor([&] { return !form.probing(); }, 4000));
        save(form, "port_settings.png");
    }
    {
        ModelInfoView form(image, model, messages, texts, values.version, {});
        save(form, "model_information.png");
    }
    {
        TestFrequencyView form(image, model, texts);
        save(form, "test_frequencies.png");
    }
}

}  // namespace

namespace {

// From a fresh start: choose model 15, the simulated radio as the port, change a test
// frequency, write the codeplug into the radio and read it back unchanged.
TEST_F(FormsTest, ANewModelsTestFrequencyReachesTheRadioAndComesBack) {
    // The simulated radio is model 15, answering without the line's pacing.
    Settings(values.programDir).SetSetting("simulator", "model", "15");
    Settings(values.programDir).SetSetting("simulator", "pace", "0");
    Shell shell(values, texts, image, model, &messages, &dialogs);
    shell.LoadStartupImage();

    auto* info = Open<ModelInfoView>(shell, kCmdModelInformation);
    ASSERT_TRUE(info);
    info->list()->setCurrentIndex(15);
    messages.answers = {Answer::Yes};
    info->Ok();
    Settle();
    ASSERT_EQ(model.currentIdentity(), ModelCatalogue()[15].identity);

    auto* port = Open<PortView>(shell, kCmdPort);
    ASSERT_TRUE(port);
    port->button(static_cast<int>(port->model().entries().size()) - 1)->click();
    port->Ok();
    Settle();
    ASSERT_EQ(values.portName, kSimulatedPortName);
    EXPECT_EQ(shell.frame().portPane()->text().toStdString(), "sim");

    auto* freqs = Open<TestFrequencyView>(shell, kCmdTestFrequency);
    ASSERT_TRUE(freqs);
    EXPECT_EQ(freqs->grid()->item(0, 1)->text().toStdString(), "450.05000");
    freqs->grid()->editItem(freqs->grid()->item(5, 1));
    ASSERT_TRUE(freqs->editor());
    QTest::keyClicks(freqs->editor(), "500.125");
    freqs->Ok();
    Settle();
    EXPECT_EQ(image.ReadBytes(mem::kTestFrequencies + 5 * mem::kTestFrequencyRecordBytes, 8),
              "0025015000250150");

    // Write and read back through the program's own dialogs, against its simulated radio.
    shell.RunCommand(kCmdWriteData);
    auto* write = shell.frame().findChild<WriteDialog*>();
    ASSERT_TRUE(write);
    QSignalSpy written(write, &TransferDialog::transferFinished);
    write->writeButton()->click();
    ASSERT_TRUE(written.wait(20000));
    ASSERT_TRUE(written.at(0).at(0).toBool());
    delete write;
    const std::string stamped = image.image();

    messages.answers = {Answer::No};  // the save question before a read
    shell.RunCommand(kCmdReadData);
    auto* read = shell.frame().findChild<ReadDialog*>();
    ASSERT_TRUE(read);
    QSignalSpy readBack(read, &TransferDialog::transferFinished);
    read->readButton()->click();
    ASSERT_TRUE(readBack.wait(20000));
    ASSERT_TRUE(readBack.at(0).at(0).toBool());
    delete read;
    EXPECT_EQ(image.image(), stamped);
    EXPECT_TRUE(image.imageFromRadio());
    Settle();
    auto* again = Open<TestFrequencyView>(shell, kCmdTestFrequency);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->grid()->item(5, 1)->text().toStdString(), "500.12500");
    EXPECT_EQ(again->grid()->item(5, 2)->text().toStdString(), "500.12500");
}

}  // namespace
