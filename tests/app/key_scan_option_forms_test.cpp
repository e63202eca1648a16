// The key, scan and optional features views: opening, OK, Cancel, and the scan form giving
// up its changes when another child window becomes active.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "app/main_frame.h"
#include "app/shell.h"
#include "core/memory_map.h"
#include "core/model_catalogue.h"
#include "editors/keys/key_assign_view.h"
#include "editors/options/options_view.h"
#include "editors/scan/scan_view.h"
#include "tests/support/recording_messages.h"
#include "tests/support/test_app.h"

using namespace vgr47;

namespace {

struct Forms : ::testing::Test {
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    ModelState state{Edition::Vgr47};
    CodeplugImage image;
    std::unique_ptr<ChannelModel> channels;

    void SetUp() override {
        vgr47::testing::EnsureTestApp();
        Open(8);
    }
    void Open(int model) {
        image.InstallNew(BuildModelImage(state, ModelCatalogue()[model].identity));
        channels = std::make_unique<ChannelModel>(image, state, texts);
    }
    void ScanChannels() {
        ChannelValues v = channels->defaults();
        v.rx = "145.12500";
        v.scan = true;
        channels->WriteChannel(1, v);
        channels->WriteChannel(2, v);
        channels->Refill();
    }
};

TEST_F(Forms, KeyFormOkStoresAndCancelDoesNot) {
    KeyAssignView cancelled(image, state, texts);
    EXPECT_EQ(cancelled.windowTitle(), "Key settings");
    EXPECT_EQ(cancelled.monitorList()->currentText(), "Squelch off");
    QSignalSpy cancelSpy(&cancelled, &FormView::closeRequested);
    cancelled.monitorList()->setCurrentIndex(0);
    QTest::mouseClick(cancelled.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(cancelSpy.count(), 1);
    EXPECT_EQ(image.ReadBytes(0x065B, 1), "F9");

    KeyAssignView form(image, state, texts);
    QSignalSpy spy(&form, &FormView::closeRequested);
    form.monitorList()->setCurrentIndex(0);
    form.aKeyList()->setCurrentIndex(4);
    QTest::mouseClick(form.okButton(), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(image.ReadBytes(0x065B, 1), "E1");
    EXPECT_EQ(image.ReadBytes(mem::kKeyA, 1), "05");
}

TEST_F(Forms, ScanFormFollowsTheFunctionAndPriorityChoices) {
    ScanChannels();
    ScanView form(image, state, texts, *channels);
    EXPECT_EQ(form.windowTitle(), "Scan");
    ASSERT_TRUE(form.functionList()->isEnabled());
    EXPECT_FALSE(form.priorityList()->isEnabled());
    form.functionList()->setCurrentIndex(1);
    EXPECT_TRUE(form.priorityList()->isEnabled());
    EXPECT_EQ(form.revertList()->count(), 4);
    form.priorityList()->setCurrentIndex(2);
    ASSERT_EQ(form.revertList()->count(), 6);
    form.revertList()->setCurrentIndex(4);
    QSignalSpy spy(&form, &FormView::closeRequested);
    QTest::mouseClick(form.okButton(), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(image.ReadBytes(mem::kScanFunction, 1), "E9");
    EXPECT_EQ(image.ReadBytes(mem::kScanPriority, 1), "02");
}

TEST_F(Forms, ScanFormCancelsWhenAnotherChildWindowBecomesActive) {
    ScanChannels();
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    QMdiSubWindow* other = area.addSubWindow(new QWidget);
    other->show();
    auto* form = new ScanView(image, state, texts, *channels, &area);
    QSignalSpy spy(form, &FormView::closeRequested);
    QMdiSubWindow* mine = area.addSubWindow(form);
    mine->show();
    area.setActiveSubWindow(mine);
    QApplication::processEvents();
    EXPECT_EQ(spy.count(), 0);  // opening never cancels

    form->functionList()->setCurrentIndex(1);
    area.setActiveSubWindow(other);
    QApplication::processEvents();
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(image.ReadBytes(mem::kScanFunction, 1), "F3");  // nothing stored
}

TEST_F(Forms, OptionFormOkStoresAndCancelDoesNot) {
    Open(0);
    {
        OptionsView form(image, state, texts);
        EXPECT_EQ(form.windowTitle(), "Optional features");
        EXPECT_FALSE(form.pttList()->isEnabled());
        form.squelchList()->setCurrentIndex(8);
        QSignalSpy spy(&form, &FormView::closeRequested);
        QTest::mouseClick(form.cancelButton(), Qt::LeftButton);
        EXPECT_EQ(spy.count(), 1);
        EXPECT_EQ(image.ReadBytes(0x065C, 1), "03");
    }
    OptionsView form(image, state, texts);
    form.squelchList()->setCurrentIndex(8);
    form.keyLockBox()->setChecked(false);
    QTest::mouseClick(form.okButton(), Qt::LeftButton);
    EXPECT_EQ(image.ReadBytes(0x065C, 1), "08");
    EXPECT_EQ(image.ReadBytes(0x065B, 1).back(), '8');  // F9 without key lock
}

}  // namespace

namespace {

using vgr47::testing::RecordingMessages;

struct NoDialogs : FileDialogs {
    std::optional<std::string> AskOpenPath() override { return std::nullopt; }
    std::optional<std::string> AskSavePath() override { return std::nullopt; }
};

TEST_F(Forms, MainWindowOpensTheFormsAndTheScanFormYieldsToTheChannelWindow) {
    AppValues values;
    const auto dir = std::filesystem::temp_directory_path() / ("vgr47-forms-shell-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    values.programDir = dir.string();
    values.languageOffset = kEnglishOffset;
    RecordingMessages messages{Answer::Cancel};
    NoDialogs dialogs;
    Shell shell(values, texts, image, state, &messages, &dialogs);
    shell.LoadStartupImage();
    shell.frame().show();

    for (int command : {kCmdKeySettings, kCmdOptionalFeatures}) {
        shell.RunCommand(command);
        QMdiSubWindow* first = shell.frame().openForm(command);
        ASSERT_TRUE(first) << command;
        shell.RunCommand(command);
        EXPECT_EQ(shell.frame().openForm(command), first) << command;  // one window per form
    }
    EXPECT_TRUE(qobject_cast<KeyAssignView*>(shell.frame().openForm(kCmdKeySettings)->widget()));

    shell.RunCommand(kCmdScan);
    QPointer<QMdiSubWindow> scan = shell.frame().openForm(kCmdScan);
    ASSERT_TRUE(scan);
    ASSERT_TRUE(qobject_cast<ScanView*>(scan->widget()));
    QApplication::processEvents();
    EXPECT_TRUE(scan);  // opening does not cancel it
    shell.frame().mdiArea()->setActiveSubWindow(
        qobject_cast<QMdiSubWindow*>(shell.channelForm()->parentWidget()));
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(scan);
    EXPECT_TRUE(shell.frame().openForm(kCmdOptionalFeatures));  // other forms stay open
    std::filesystem::remove_all(dir);
}

}  // namespace
