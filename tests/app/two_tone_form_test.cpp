// The 2-tone form's wiring: the in-place editor, the decode lists and tabs, OK and Delete all.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "core/memory_map.h"
#include "core/model_catalogue.h"
#include "editors/two_tone/two_tone_view.h"
#include "tests/support/test_app.h"

using namespace vgr47;

namespace {

struct TwoToneForm : ::testing::Test {
    TwoToneForm() {
        vgr47::testing::EnsureTestApp();
        image.InstallNew(BuildModelImage(state, ModelCatalogue()[8].identity));
    }
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    ModelState state{Edition::Vgr47};
    CodeplugImage image;
};

void ClickCell(QTableWidget* grid, int row, int column) {
    QRect r = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
}

}  // namespace

TEST_F(TwoToneForm, InPlaceEditorCommitsOnTheNextClickAndOnOk) {
    TwoToneView form(image, texts);
    form.resize(700, 500);
    form.show();
    ClickCell(form.grid(), 3, 2);  // second tone of an empty row: the first tone opens
    ASSERT_TRUE(form.cellEditor()->isVisible());
    EXPECT_EQ(form.grid()->currentColumn(), 1);
    QTest::keyClicks(form.cellEditor(), "250");
    ClickCell(form.grid(), 3, 2);
    EXPECT_EQ(form.grid()->item(3, 1)->text(), "288.5");
    QTest::keyClicks(form.cellEditor(), "1000");
    QSignalSpy closed(&form, &FormView::closeRequested);
    form.Ok();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(image.ReadBytes(mem::kTwoToneEncode + 12, 4), "450B1027");
}

TEST_F(TwoToneForm, DecodeListsTabsAndDeleteAll) {
    TwoToneView form(image, texts);
    form.confirmDeleteAll = [] { return false; };
    EXPECT_EQ(form.decode1()->currentText(), "A-B");
    EXPECT_EQ(form.decode2()->findText("A-B"), -1);
    EXPECT_TRUE(form.toneField(1)->isEnabled());
    EXPECT_FALSE(form.toneField(2)->isEnabled());
    form.decode2()->setCurrentIndex(form.decode2()->findText("Long C"));
    emit form.decode2()->activated(form.decode2()->currentIndex());
    EXPECT_TRUE(form.toneField(2)->isEnabled());
    EXPECT_EQ(form.decode1()->findText("Long C"), -1);
    form.toneField(2)->setText("5000");
    emit form.toneField(2)->textEdited("5000");
    form.setTabs()->setCurrentIndex(2);
    form.setTabs()->setCurrentIndex(0);
    EXPECT_EQ(form.toneField(2)->text(), "3000.0");
    EXPECT_EQ(form.decode2()->currentText(), "Long C");
    form.Ok();
    EXPECT_EQ(image.ReadBytes(mem::kTwoToneDecodeSets, 8), "000E681002243075");

    form.model().EnterCell(4, 0, "700");
    form.findChild<QTabWidget*>()->setCurrentIndex(0);
    for (QPushButton* b : form.findChildren<QPushButton*>())
        if (b->text() == "Delete all") b->click();
    EXPECT_EQ(form.model().cell(4, 0), "700.0");  // refused
}

// Run under xvfb-run with VGR47_SCREENSHOTS set to write the pictures of both pages.
TEST_F(TwoToneForm, Screenshots) {
    const char* dir = std::getenv("VGR47_SCREENSHOTS");
    if (!dir) GTEST_SKIP();
    TwoToneView form(image, texts);
    form.resize(form.sizeHint().expandedTo(QSize(560, 460)));
    form.show();
    QTest::qWait(50);
    EXPECT_TRUE(form.grab().save(QString(dir) + "/two_tone_encode.png"));
    form.pages()->setCurrentIndex(1);
    QTest::qWait(50);
    EXPECT_TRUE(form.grab().save(QString(dir) + "/two_tone_decode.png"));
}
