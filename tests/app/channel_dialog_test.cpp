// The channel dialog's wiring: opened from the grid, following the spin, showing every change
// in the grid at once and never losing the field being typed into. With VGR47_SCREENSHOTS set
// to a folder, the grid and both dialog layouts are saved there as pictures.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "app/shell.h"
#include "core/memory_map.h"
#include "editors/channels/channel_dialog.h"

using namespace vgr47;

namespace {

constexpr const char* kBasic = "4B5632313041F8FF";
constexpr const char* kSignalling = "4B5632313054F8FF";

const QColor kBlue(0, 0, 255);

void EnsureApp() {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    if (qApp) return;
    new QApplication(argc, argv);
    // Pictures show the program's own interface font.
    if (std::getenv("VGR47_SCREENSHOTS")) {
        QFont font;
        font.setFamilies({"Tahama", "Tahoma", "DejaVu Sans"});
        font.setPointSize(9);
        QApplication::setFont(font);
    }
}

struct DialogTest : ::testing::Test {
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    ModelState state{Edition::Vgr47};
    CodeplugImage image;
    std::unique_ptr<ChannelModel> channels;
    std::unique_ptr<ChannelGridView> form;

    void Load(const char* identity) {
        EnsureApp();
        image.InstallNew(BuildModelImage(state, identity));
        channels = std::make_unique<ChannelModel>(image, state, texts);
        form = std::make_unique<ChannelGridView>(*channels, texts);
    }
    QColor Background(int row) const { return form->grid()->item(row, 1)->background().color(); }
    QString Cell(int row, int column) const { return form->grid()->item(row, column)->text(); }
    template <class W>
    static W* Find(QWidget& dialog, const char* name) {
        W* w = dialog.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

void Save(QWidget& widget, const char* name) {
    const char* dir = std::getenv("VGR47_SCREENSHOTS");
    if (!dir) return;
    std::filesystem::create_directories(dir);
    QApplication::processEvents();
    widget.grab().save(QString::fromStdString(std::string(dir) + "/" + name + ".png"));
}

}  // namespace

TEST_F(DialogTest, DoubleClickOnAGridRowOpensTheDialogOnThatRow) {
    EnsureApp();
    AppValues values;
    values.programDir = std::filesystem::temp_directory_path().string();
    Shell shell(values, texts, image, state);
    image.InstallNew(BuildModelImage(state, kSignalling));
    shell.RefreshFromImage();
    shell.frame().show();
    ChannelGridView* grid = shell.channelForm();
    ASSERT_NE(grid, nullptr);
    QApplication::processEvents();

    int openedOn = 0;
    QColor highlight;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<ChannelDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        openedOn = dialog->model().row();
        highlight = grid->grid()->item(4, 2)->background().color();
        dialog->close();
    });
    QTableWidget* table = grid->grid();
    QPoint at = table->visualItemRect(table->item(4, 1)).center();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shell.frame()));
    // A double click starts as a click, which puts the grid's cursor on the row.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(openedOn, 4);
    EXPECT_EQ(highlight, kBlue);
    EXPECT_NE(grid->grid()->item(4, 2)->background().color(), kBlue);  // closing removes it
}

TEST_F(DialogTest, TheHighlightFollowsTheSpinAndEditsAreAppliedBeforeMoving) {
    Load(kSignalling);
    form->show();
    ChannelDialog dialog(*form, *channels, image, texts, 5);
    dialog.show();
    EXPECT_EQ(Background(5), kBlue);
    auto* spin = Find<ChannelNumberBox>(dialog, "channel");
    auto* rx = Find<QLineEdit>(dialog, "rx");

    // Typed but not yet left: the move applies it to channel 5 first.
    QTest::keyClicks(rx, "145.1234");
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(dialog.model().row(), 6);
    EXPECT_EQ(spin->edit()->text(), "6");
    EXPECT_EQ(Cell(5, 1), "145.12000");
    EXPECT_EQ(Cell(5, 2), "145.12000");
    EXPECT_EQ(Cell(6, 1), "");
    EXPECT_EQ(rx->text(), "");
    EXPECT_EQ(Background(6), kBlue);
    EXPECT_NE(Background(5), kBlue);

    for (int i = 0; i < 6; ++i) QTest::keyClick(spin, Qt::Key_Down);
    EXPECT_EQ(spin->edit()->text(), "99");  // wrapped below 1
    EXPECT_EQ(Background(99), kBlue);
    QTableWidget* grid = form->grid();
    EXPECT_TRUE(grid->viewport()->rect().contains(grid->visualItemRect(grid->item(99, 1))));

    spin->edit()->selectAll();
    QTest::keyClicks(spin->edit(), "0");
    EXPECT_EQ(spin->edit()->text(), "1");
    EXPECT_EQ(Background(1), kBlue);

    // Typed and closed at once: nothing is lost.
    QTest::keyClicks(rx, "150");
    QTest::mouseClick(Find<QPushButton>(dialog, "exit"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Cell(1, 1), "150.00000");
    EXPECT_EQ(image.ReadBytes(mem::ChannelRecordAddress(1), 4), "00000015");
    EXPECT_NE(Background(1), kBlue);
}

TEST_F(DialogTest, ChangesShowInTheGridAtOnce) {
    Load(kSignalling);
    ChannelDialog dialog(*form, *channels, image, texts, 3);
    dialog.show();
    QTest::mouseClick(Find<QCheckBox>(dialog, "channelOn"), Qt::LeftButton);
    EXPECT_EQ(Cell(3, 1), "136.00000");
    auto* scan = Find<QCheckBox>(dialog, "scan");
    EXPECT_TRUE(scan->isEnabled());
    scan->click();
    EXPECT_EQ(Cell(3, 7), "On");

    auto* type = Find<QComboBox>(dialog, "pttIdType");
    emit type->activated(2);  // what a user's choice of DTMF sends
    EXPECT_EQ(Cell(3, 13), "DTMF");
    EXPECT_TRUE(Find<QComboBox>(dialog, "pttIdMode")->isEnabled());
    EXPECT_FALSE(Find<QComboBox>(dialog, "txStartCode")->isEnabled());

    dialog.confirmDeleteAll = [] { return true; };
    Find<QPushButton>(dialog, "deleteAll")->click();
    EXPECT_EQ(Cell(3, 1), "");
    EXPECT_FALSE(scan->isEnabled());
}

TEST_F(DialogTest, BasicModelsShowOnlyTheBasicControls) {
    Load(kBasic);
    ChannelDialog dialog(*form, *channels, image, texts, 100);
    dialog.show();
    EXPECT_EQ(Find<ChannelNumberBox>(dialog, "channel")->edit()->text(), "A");
    EXPECT_TRUE(Find<QCheckBox>(dialog, "busyLock")->isVisible());
    for (const char* name : {"busyLockMode", "signallingType", "pttIdType", "call2Code"})
        EXPECT_FALSE(Find<QComboBox>(dialog, name)->isVisible()) << name;
    EXPECT_FALSE(Find<QCheckBox>(dialog, "signallingSwitchable")->isVisible());
    auto* rx = Find<QLineEdit>(dialog, "rx");
    QTest::keyClicks(rx, "145.0065");
    QTest::keyClick(rx, Qt::Key_Return);  // applies the field and leaves the dialog open
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Cell(100, 1), "145.00625");
    EXPECT_EQ(image.ReadBytes(mem::kChannelA + 13, 2), "FFFF");
    QTest::mouseClick(Find<QCheckBox>(dialog, "busyLock"), Qt::LeftButton);
    EXPECT_EQ(Cell(100, 5), "On");
    Save(dialog, "channel_dialog_basic");
}

TEST_F(DialogTest, SignallingScreens) {
    Load(kSignalling);
    {
        // A few channels as a dealer would set them up.
        ChannelDlgModel setup(*channels, image, texts);
        const char* frequencies[] = {"145.125", "145.1375", "146.5",   "150.0125",
                                     "151.2",   "155.5",    "160.0625"};
        for (int n = 1; n <= 7; ++n) {
            setup.Open(n);
            setup.EditRx(frequencies[n - 1]);
            setup.SetScan(n % 2 == 1);
            setup.SelectDecodeTone(n + 8);
        }
        setup.Open(2);
        setup.SelectSignallingType(ChannelDlgModel::kTypeDtmf);
        setup.SelectPttIdType(ChannelDlgModel::kPttDtmf);
        setup.SelectPttIdMode(ChannelDlgModel::kModeBoth);
        setup.SelectCode(ChannelDlgModel::CodeList::TxStart, 1);
        setup.Open(4);
        setup.SelectSignallingType(ChannelDlgModel::kTypeFiveTone);
        setup.SetWide(false);
        setup.EditTx("");
    }
    form->Refill();
    form->resize(900, 420);
    form->show();
    Save(*form, "channel_grid_signalling");

    ChannelDialog dialog(*form, *channels, image, texts, 2);
    dialog.show();
    EXPECT_TRUE(Find<QComboBox>(dialog, "txStartCode")->isEnabled());
    EXPECT_EQ(Find<QComboBox>(dialog, "txStartCode")->currentText(), "DTMF-MEM 1");
    EXPECT_FALSE(Find<QCheckBox>(dialog, "busyLock")->isVisible());
    Save(dialog, "channel_dialog_signalling");
}
