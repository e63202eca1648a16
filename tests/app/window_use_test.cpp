// The main window as a dealer uses it all day: every form opens wholly in view and comes back
// into view when chosen again, the channel window follows the main window, the Window menu
// arranges and lists the windows, and the keyboard reaches OK, Cancel and the channel dialog.
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/mdi_placement.h"
#include "app/window_menu.h"
#include "editors/channels/channel_grid_view.h"
#include "tests/support/shell_fixture.h"

using namespace vgr47;

namespace {

const int kFormCommands[] = {
    kCmdModelInformation, kCmdKeySettings,    kCmdOptionalFeatures, kCmdScan,          kCmdDtmf,
    kCmdTwoTone,          kCmdFiveToneSystem, kCmdFiveToneEnDecode, kCmdTestFrequency, kCmdPort,
    kCmdAutoChannelSelect};

struct WindowUse : ShellFixture {
    QMdiArea* area() { return frame().mdiArea(); }
    QRect View() { return area()->viewport()->rect(); }
    ::testing::AssertionResult InView(QMdiSubWindow* sub) {
        if (View().contains(sub->geometry())) return ::testing::AssertionSuccess();
        const QRect g = sub->geometry(), v = View();
        return ::testing::AssertionFailure()
               << sub->windowTitle().toStdString() << " at " << g.x() << "," << g.y() << " "
               << g.width() << "x" << g.height() << " outside " << v.width() << "x" << v.height();
    }
    QMdiSubWindow* Open(int command) {
        shell->RunCommand(command);
        QApplication::processEvents();
        return frame().openForm(command);
    }
};

}  // namespace

TEST(MdiPlacement, OffsetsAreKeptWhereTheyFitAndReducedWhereNot) {
    const QRect view(0, 0, 700, 450);
    // The first form at the area's corner plus its own offset; later ones cascade.
    EXPECT_EQ(NewFormPlace(0, {300, 150}, {150, 80}, view), QPoint(150, 80));
    EXPECT_EQ(NewFormPlace(2, {300, 150}, {5, 25}, view), QPoint(53, 73));
    // Pushed out on the right and at the bottom: the offset shrinks to what fits.
    EXPECT_EQ(NewFormPlace(0, {600, 400}, {200, 80}, view), QPoint(100, 50));
    // Larger than the area: its top-left corner stays in view.
    EXPECT_EQ(NewFormPlace(3, {800, 500}, {10, 25}, view), QPoint(0, 0));
    EXPECT_EQ(InView(QRect(-40, -10, 100, 100), view), QPoint(0, 0));
    EXPECT_EQ(InView(QRect(650, 420, 100, 100), view), QPoint(600, 350));
    EXPECT_EQ(InView(QRect(20, 30, 100, 100), view), QPoint(20, 30));
}

TEST_F(WindowUse, EveryFormOpensInsideTheAreaInBothLanguages) {
    for (int offset : {kEnglishOffset, kChineseOffset}) {
        Start(offset);
        ASSERT_EQ(frame().size(), QSize(790, 572));
        for (int command : kFormCommands) {
            QMdiSubWindow* sub = Open(command);
            ASSERT_NE(sub, nullptr) << command;
            EXPECT_TRUE(InView(sub)) << "command " << command << " offset " << offset;
        }
        // Opened one after the other, all still in view (the scan form closed as others opened).
        for (QMdiSubWindow* sub : area()->subWindowList()) EXPECT_TRUE(InView(sub));
        shell.reset();
    }
}

TEST_F(WindowUse, ChoosingAnOpenFormActivatesItAndBringsItIntoView) {
    Start();
    for (int command : kFormCommands) {
        QMdiSubWindow* sub = Open(command);
        ASSERT_NE(sub, nullptr);
        // Another form in front (not for the scan form, which would close on it).
        if (command != kCmdScan)
            Open(kCmdOptionalFeatures == command ? kCmdKeySettings : kCmdOptionalFeatures);
        // Moved away by the user, half out of the area.
        sub->move(View().width() - 40, View().height() - 20);
        EXPECT_EQ(Open(command), sub) << command;
        EXPECT_EQ(area()->activeSubWindow(), sub) << command;
        EXPECT_TRUE(InView(sub)) << command;
        sub->showMinimized();
        EXPECT_EQ(Open(command), sub);
        EXPECT_FALSE(sub->isMinimized());
        EXPECT_TRUE(InView(sub));
    }
}

TEST_F(WindowUse, TheChannelWindowFollowsTheMainWindowAndKeepsItsNumbersInView) {
    Start();
    QMdiSubWindow* channels = frame().channelWindow();
    ASSERT_NE(channels, nullptr);
    EXPECT_EQ(channels->geometry(), QRect(QPoint(0, 0), area()->maximumViewportSize()));
    frame().resize(1100, 760);
    QApplication::processEvents();
    EXPECT_EQ(channels->size(), area()->maximumViewportSize());
    // The user narrows it: it keeps that distance to the edge as the main window changes.
    channels->resize(channels->width() - 100, channels->height() - 50);
    frame().resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(area()->maximumViewportSize().width() - channels->width(), 100);
    EXPECT_EQ(area()->maximumViewportSize().height() - channels->height(), 50);

    // Scrolled sideways, the channel numbers and their caption stay at the left edge.
    QTableWidget* grid = shell->channelForm()->grid();
    auto* numbers = grid->findChild<QTableView*>("frozenColumn");
    ASSERT_NE(numbers, nullptr);
    frame().resize(790, 572);
    QApplication::processEvents();
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    ASSERT_GT(grid->horizontalScrollBar()->value(), 0);
    EXPECT_TRUE(numbers->isVisible());
    EXPECT_EQ(numbers->x(), grid->frameWidth());
    EXPECT_EQ(numbers->width(), grid->columnWidth(0));
    EXPECT_EQ(numbers->model()->data(numbers->model()->index(5, 0)).toString(), "5");
    EXPECT_EQ(numbers->horizontalHeader()->height(), grid->horizontalHeader()->height());
}

TEST_F(WindowUse, ColumnCaptionsAreWholeAndColumnsAtLeastTheirOwnWidth) {
    for (int offset : {kEnglishOffset, kChineseOffset}) {
        Start(offset);
        QTableWidget* grid = shell->channelForm()->grid();
        ChannelModel& channels = shell->channels();
        const QFontMetrics metrics(grid->horizontalHeader()->font());
        const std::vector<int> widths = channels.ColumnWidthsPixels();
        for (int c = 0; c < grid->columnCount(); ++c) {
            if (channels.IsColumnHidden(c)) continue;
            const QString caption = QString::fromStdString(channels.RowTexts(0)[c]);
            EXPECT_EQ(grid->horizontalHeaderItem(c)->text(), caption) << c;
            EXPECT_EQ(grid->horizontalHeaderItem(c)->toolTip(), caption) << c;
            EXPECT_GE(grid->columnWidth(c), widths[c]) << c;
            EXPECT_GT(grid->columnWidth(c), metrics.horizontalAdvance(caption))
                << caption.toStdString();
        }
        shell.reset();
    }
}

TEST_F(WindowUse, TheWindowMenuArrangesListsAndClosesTheForms) {
    Start();
    WindowMenu* menu = frame().windowMenu();
    ASSERT_NE(menu, nullptr);
    QMdiSubWindow* options = Open(kCmdOptionalFeatures);
    QMdiSubWindow* keys = Open(kCmdKeySettings);
    QMdiSubWindow* dtmf = Open(kCmdDtmf);
    ASSERT_TRUE(options && keys && dtmf);

    menu->RefreshList();
    QList<QAction*> list = menu->listActions();
    ASSERT_EQ(list.size(), 4);  // the channel window and the three forms
    int checked = 0;
    for (QAction* a : list) checked += a->isChecked() ? 1 : 0;
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(list.back()->isChecked());  // the form opened last is the active one
    list[1]->trigger();
    EXPECT_EQ(area()->activeSubWindow(), options);

    // Ctrl+F6 and Ctrl+Shift+F6 go round the windows.
    EXPECT_EQ(menu->nextAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F6));
    EXPECT_EQ(menu->previousAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6));
    menu->nextAction()->trigger();
    QMdiSubWindow* after = area()->activeSubWindow();
    EXPECT_NE(after, options);
    menu->previousAction()->trigger();
    EXPECT_EQ(area()->activeSubWindow(), options);

    // Cascade: one below and right of the other, the active one in front, all in view; an
    // open scan form goes as a click elsewhere would take it.
    QPointer<QMdiSubWindow> scan = Open(kCmdScan);
    ASSERT_TRUE(scan);
    menu->cascadeAction()->trigger();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(scan.isNull());
    QList<QMdiSubWindow*> stack = area()->subWindowList(QMdiArea::StackingOrder);
    ASSERT_EQ(stack.size(), 4);
    for (int i = 1; i < stack.size(); ++i) {
        EXPECT_GT(stack[i]->x(), stack[i - 1]->x());
        EXPECT_GT(stack[i]->y(), stack[i - 1]->y());
        EXPECT_TRUE(InView(stack[i]));
    }
    EXPECT_EQ(stack.back(), area()->activeSubWindow());

    menu->tileAction()->trigger();
    for (QMdiSubWindow* sub : area()->subWindowList())
        EXPECT_TRUE(View().intersects(sub->geometry()));

    // Close all leaves the channel window, which every image change refills.
    menu->closeAllAction()->trigger();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(area()->subWindowList().size(), 1);
    EXPECT_EQ(area()->subWindowList().front(), frame().channelWindow());
    EXPECT_EQ(frame().openForm(kCmdDtmf), nullptr);
}

TEST_F(WindowUse, EnterIsOkAndEscIsCancelInTheSettingsForms) {
    Start();
    // Esc: the form closes and writes nothing.
    QPointer<QMdiSubWindow> keys = Open(kCmdKeySettings);
    auto* monitor = keys->widget()->findChild<QComboBox*>();
    ASSERT_NE(monitor, nullptr);
    const std::string before = image.image();
    monitor->setCurrentIndex((monitor->currentIndex() + 1) % monitor->count());
    monitor->setFocus();
    QTest::keyClick(monitor, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(keys.isNull());
    EXPECT_TRUE(image.image() == before);

    // Enter: OK, the change written.
    keys = Open(kCmdKeySettings);
    monitor = keys->widget()->findChild<QComboBox*>();
    monitor->setCurrentIndex((monitor->currentIndex() + 1) % monitor->count());
    QTest::keyClick(monitor, Qt::Key_Return);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(keys.isNull());
    EXPECT_FALSE(image.image() == before);

    // Enter on a focused Cancel button presses Cancel, not OK.
    keys = Open(kCmdKeySettings);
    const std::string written = image.image();
    monitor = keys->widget()->findChild<QComboBox*>();
    monitor->setCurrentIndex((monitor->currentIndex() + 1) % monitor->count());
    for (QPushButton* b : keys->widget()->findChildren<QPushButton*>())
        if (b->text() == QString::fromStdString(T(kTextCancel))) {
            b->setFocus();
            QTest::keyClick(b, Qt::Key_Return);
        }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(keys.isNull());
    EXPECT_TRUE(image.image() == written);

    // Enter in a grid stays with the grid: the test frequency form stays open.
    QPointer<QMdiSubWindow> test = Open(kCmdTestFrequency);
    auto* grid = test->widget()->findChild<QTableWidget*>();
    ASSERT_NE(grid, nullptr);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Return);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(test.isNull());
}

TEST_F(WindowUse, TheGridCursorMovesWithTheKeysAndEnterOpensTheDialogOnIt) {
    Start();
    ChannelGridView* form = shell->channelForm();
    QTableWidget* grid = form->grid();
    EXPECT_EQ(form->currentRow(), 1);
    EXPECT_EQ(form->highlightedRow(), 0);  // nothing highlighted until the dialog works on a row
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(form->currentRow(), 3);
    QTest::keyClick(grid, Qt::Key_PageDown);
    EXPECT_GT(form->currentRow(), 10);
    QTest::keyClick(grid, Qt::Key_PageUp);
    QTest::keyClick(grid, Qt::Key_Up);
    const int row = form->currentRow();
    // A single click moves the cursor and nothing else.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(row + 1, 2)).center());
    EXPECT_EQ(form->currentRow(), row + 1);
    EXPECT_EQ(form->highlightedRow(), 0);
    QObject::disconnect(form, &ChannelGridView::channelDialogRequested, shell.get(),
                        nullptr);  // no modal dialog here
    QSignalSpy asked(form, &ChannelGridView::channelDialogRequested);
    QTest::keyClick(grid, Qt::Key_Return);
    QTest::keyClick(grid, Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(asked.count(), 2);
    EXPECT_EQ(asked.at(0).at(0).toInt(), row + 1);
    // The cursor never rests under the frozen channel numbers.
    QTest::keyClick(grid, Qt::Key_Home);
    EXPECT_GE(grid->currentColumn(), 1);
}

TEST_F(WindowUse, SaveAsHasItsKeyAndTheToolbarItsSize) {
    Start();
    EXPECT_EQ(frame().action(kCmdSaveAs)->shortcut(),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    EXPECT_EQ(frame().action(kCmdUndo)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(frame().action(kCmdRedo)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    auto* bar = frame().findChild<QToolBar*>("mainToolBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_GE(bar->iconSize().width(), 24);
    int buttons = 0;
    for (QToolButton* b : bar->findChildren<QToolButton*>()) {
        if (!b->defaultAction() || b->defaultAction()->isSeparator()) continue;
        ++buttons;
        EXPECT_EQ(b->size(), QSize(35, 35)) << b->toolTip().toStdString();
        // Drawn for the screen's pixels: at 2x a 48-pixel picture, not a stretched 24.
        const QPixmap sharp = b->icon().pixmap(QSize(24, 24), 2.0);
        EXPECT_EQ(sharp.size(), QSize(48, 48));
        EXPECT_FALSE(sharp.toImage().isNull());
    }
    EXPECT_EQ(buttons, 9);
}
