// Undo and redo over the whole image: each applied change in the channel dialog, each form's
// OK and Delete all are one step each, undone to the very bytes they replaced; undo closes the
// open forms and refills the grid; a replaced image starts a new history; typing in a text
// field is undone first.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/edit_history.h"
#include "core/memory_map.h"
#include "editors/channels/channel_dialog.h"
#include "tests/support/shell_fixture.h"

using namespace vgr47;

namespace {

struct UndoRedo : ShellFixture {
    bool CanUndo() { return frame().action(kCmdUndo)->isEnabled(); }
    bool CanRedo() { return frame().action(kCmdRedo)->isEnabled(); }
    QString Cell(int row, int column) {
        return shell->channelForm()->grid()->item(row, column)->text();
    }
    // Runs `steps` in the channel dialog the shell opens on `row`, then closes it.
    void InDialog(int row, const std::function<void(ChannelDialog&)>& steps) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<ChannelDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QApplication::setActiveWindow(dialog);
            steps(*dialog);
            ran = true;
            dialog->close();
        });
        emit shell->channelForm()->channelDialogRequested(row);
        EXPECT_TRUE(ran);
    }
    static QKeySequence Undo() { return QKeySequence(Qt::CTRL | Qt::Key_Z); }
};

}  // namespace

TEST_F(UndoRedo, EachAppliedFieldChangeOfTheDialogIsOneStep) {
    Start();
    const std::string start = image.image();
    EXPECT_FALSE(CanUndo());
    std::string afterRx, afterScan;
    InDialog(5, [&](ChannelDialog& d) {
        auto* rx = d.findChild<QLineEdit*>("rx");
        rx->setFocus();
        QTest::keyClicks(rx, "145.125");
        QTest::keyClick(rx, Qt::Key_Return);
        afterRx = image.image();
        d.findChild<QCheckBox*>("scan")->click();
        afterScan = image.image();
        ASSERT_FALSE(afterScan == afterRx);
        // Ctrl+Z works in the dialog too: the scan box goes back, in the image and on screen.
        d.findChild<QCheckBox*>("wide")->setFocus();
        QTest::keySequence(&d, Undo());
        EXPECT_TRUE(image.image() == afterRx);
        EXPECT_FALSE(d.findChild<QCheckBox*>("scan")->isChecked());
        QTest::keySequence(&d, QKeySequence(Qt::CTRL | Qt::Key_Y));
        EXPECT_TRUE(image.image() == afterScan);
        EXPECT_TRUE(d.findChild<QCheckBox*>("scan")->isChecked());
    });
    EXPECT_EQ(Cell(5, 1), "145.12500");
    ASSERT_TRUE(CanUndo());
    frame().action(kCmdUndo)->trigger();
    EXPECT_TRUE(image.image() == afterRx);
    frame().action(kCmdUndo)->trigger();
    EXPECT_TRUE(image.image() == start);
    EXPECT_EQ(Cell(5, 1), "");  // the grid shows the image as it is again
    EXPECT_FALSE(CanUndo());
    EXPECT_FALSE(image.IsModified());  // back where it was saved
    frame().action(kCmdRedo)->trigger();
    frame().action(kCmdRedo)->trigger();
    EXPECT_TRUE(image.image() == afterScan);
    EXPECT_EQ(Cell(5, 7), QString::fromStdString(T(kTextOn)));
    EXPECT_FALSE(CanRedo());
}

TEST_F(UndoRedo, UntickingChannelOnAndDeleteAllAreUndoneWhole) {
    Start();
    InDialog(2, [&](ChannelDialog& d) {
        for (int row : {2, 3}) {
            auto* rx = d.findChild<QLineEdit*>("rx");
            rx->setFocus();
            rx->selectAll();
            QTest::keyClicks(rx, row == 2 ? "150.5" : "151");
            QTest::keyClick(rx, Qt::Key_Return);
            QTest::keyClick(d.findChild<QWidget*>("channel"), Qt::Key_Up);
        }
    });
    image.WriteBytes(mem::kAcsList, "0203FFFFFFFFFFFF");  // both in the auto-channel-select list
    shell->history().NoteEdit();
    const std::string filled = image.image();

    InDialog(2, [&](ChannelDialog& d) { d.findChild<QCheckBox*>("channelOn")->click(); });
    EXPECT_EQ(image.ReadBytes(mem::kAcsList, 2), "03FF");  // the emptied channel left the list
    frame().action(kCmdUndo)->trigger();
    EXPECT_TRUE(image.image() == filled);
    EXPECT_EQ(Cell(2, 1), "150.50000");

    InDialog(2, [&](ChannelDialog& d) {
        d.confirmDeleteAll = [] { return true; };
        d.findChild<QPushButton*>("deleteAll")->click();
    });
    EXPECT_EQ(Cell(3, 1), "");
    frame().action(kCmdUndo)->trigger();
    EXPECT_TRUE(image.image() == filled);  // every channel back in one step
    EXPECT_EQ(Cell(2, 1), "150.50000");
    EXPECT_EQ(Cell(3, 1), "151.00000");
    frame().action(kCmdRedo)->trigger();
    EXPECT_EQ(image.ReadBytes(mem::ChannelRecordAddress(3), 16), std::string(32, 'F'));
}

TEST_F(UndoRedo, AFormsOkIsOneStepAndUndoClosesTheOpenForms) {
    Start();
    const std::string before = image.image();
    shell->RunCommand(kCmdOptionalFeatures);
    QMdiSubWindow* options = frame().openForm(kCmdOptionalFeatures);
    ASSERT_NE(options, nullptr);
    int changed = 0;
    for (QComboBox* box : options->widget()->findChildren<QComboBox*>()) {
        if (!box->isEnabled() || box->count() < 2 || changed == 2) continue;
        box->setCurrentIndex((box->currentIndex() + 1) % box->count());
        ++changed;
    }
    ASSERT_EQ(changed, 2);
    for (QPushButton* b : options->widget()->findChildren<QPushButton*>())
        if (b->text() == QString::fromStdString(T(kTextOk))) b->click();
    const std::string after = image.image();
    ASSERT_FALSE(after == before);
    EXPECT_TRUE(CanUndo());

    QPointer<QMdiSubWindow> keys =
        frame().OpenOrActivate(kCmdKeySettings, [] { return new QWidget; });
    frame().action(kCmdUndo)->trigger();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(image.image() == before);  // both changes of the one OK
    EXPECT_TRUE(keys.isNull());            // open forms hold values read before the undo
    frame().action(kCmdRedo)->trigger();
    EXPECT_TRUE(image.image() == after);
    // A Cancel changes nothing and is no step.
    shell->RunCommand(kCmdKeySettings);
    for (QPushButton* b : frame().openForm(kCmdKeySettings)->widget()->findChildren<QPushButton*>())
        if (b->text() == QString::fromStdString(T(kTextCancel))) b->click();
    frame().action(kCmdUndo)->trigger();
    EXPECT_TRUE(image.image() == before);
}

TEST_F(UndoRedo, AReplacedImageStartsANewHistoryAndSavingIsNoStep) {
    Start();
    InDialog(1, [&](ChannelDialog& d) { d.findChild<QCheckBox*>("channelOn")->click(); });
    ASSERT_TRUE(CanUndo());
    dialogs.save = (dir / "saved.dat").string();
    shell->RunCommand(kCmdSave);  // stamps the version: not an edit
    frame().action(kCmdUndo)->trigger();
    EXPECT_EQ(image.ReadBytes(mem::ChannelRecordAddress(1), 16), std::string(32, 'F'));
    EXPECT_EQ(image.ReadBytes(mem::kVersionStamp, 2), "0505");
    frame().action(kCmdRedo)->trigger();

    messages.answers = {Answer::No};
    shell->RunCommand(kCmdNew);
    EXPECT_FALSE(CanUndo());
    EXPECT_FALSE(CanRedo());
    const std::string fresh = image.image();
    frame().action(kCmdUndo)->trigger();
    EXPECT_TRUE(image.image() == fresh);
}

TEST_F(UndoRedo, CtrlZInATextFieldUndoesTheTypingFirst) {
    Start();
    InDialog(7, [&](ChannelDialog& d) {
        d.findChild<QCheckBox*>("channelOn")->click();
        const std::string on = image.image();
        auto* tx = d.findChild<QLineEdit*>("tx");
        tx->setFocus();
        tx->selectAll();
        QTest::keyClicks(tx, "140");
        QTest::keySequence(tx, Undo());
        EXPECT_EQ(tx->text(), "136.00000");  // the typing went, the image is untouched
        EXPECT_TRUE(image.image() == on);
        while (tx->isUndoAvailable()) QTest::keySequence(tx, Undo());
        QTest::keySequence(tx, Undo());  // nothing left to type back: the last edit goes
        EXPECT_EQ(image.ReadBytes(mem::ChannelRecordAddress(7), 16), std::string(32, 'F'));
        EXPECT_FALSE(d.findChild<QCheckBox*>("channelOn")->isChecked());
    });
}
