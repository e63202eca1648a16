// The 5-tone forms' wiring: the timing diagram, the in-place editor and chooser of the
// grids, the spin fields and OK. The rules themselves are tested on the models.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "app/main_frame.h"
#include "app/shell.h"
#include "core/layout/codeplug_layout.h"
#include "core/memory_map.h"
#include "core/model_catalogue.h"
#include "editors/common/wrap_spin_field.h"
#include "editors/five_tone_codes/five_tone_codes_view.h"
#include "editors/five_tone_system/five_tone_system_view.h"
#include "tests/support/recording_messages.h"
#include "tests/support/test_app.h"

using namespace vgr47;

namespace {

using vgr47::layout::AddressOf;
namespace fields = vgr47::layout::fields;

using Model = FiveToneEnDecodeModel;

using vgr47::testing::RecordingMessages;

struct FiveToneForms : ::testing::Test {
    void SetUp() override {
        vgr47::testing::EnsureTestApp();
        image.InstallNew(BuildModelImage(model, ModelCatalogue()[8].identity));
    }
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    ModelState model{Edition::Vgr47};
    CodeplugImage image;
    RecordingMessages messages{Answer::Cancel};
};

QColor BoxColour(FiveToneCodesView& form, int box) {
    return form.diagramBox(box)->palette().color(QPalette::Window);
}

TEST_F(FiveToneForms, TimingDiagramLightsTheEditedFieldOrFrame) {
    FiveToneCodesView form(image, texts, messages);
    form.show();
    for (int b = 0; b < Model::kBoxCount; ++b)
        EXPECT_EQ(BoxColour(form, b), QColor(212, 208, 200)) << b;
    // The field gaining focus lights its box (sent directly: offscreen windows are never active).
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(form.timeField(Model::kDelay2), &focusIn);
    EXPECT_EQ(BoxColour(form, Model::kBoxDelay2), QColor(0, 255, 0));
    EXPECT_EQ(BoxColour(form, Model::kBoxDelay1), QColor(212, 208, 200));
    // The flag of frame 1 lights frame 1's box.
    form.ClickCell(Model::kEncodePage, Model::RowOfEntry(1), 4);
    EXPECT_EQ(BoxColour(form, Model::kBoxFrame1), QColor(0, 255, 0));
    EXPECT_EQ(BoxColour(form, Model::kBoxDelay2), QColor(212, 208, 200));
    EXPECT_EQ(form.diagramBox(Model::kBoxFrame2)->text(), "Frame 2");
}

TEST_F(FiveToneForms, EditorOpensOverFrameCellsAndCommitsOnTheNextClick) {
    FiveToneCodesView form(image, texts, messages);
    form.show();
    QTableWidget* grid = form.grid(Model::kEncodePage);
    const int row = Model::RowOfEntry(2);
    EXPECT_EQ(grid->item(row, 2)->background().color(), QColor(212, 208, 200));
    form.ClickCell(Model::kEncodePage, row, 2);  // grey: nothing opens
    EXPECT_FALSE(form.cellEditor(Model::kEncodePage)->isVisible());
    form.ClickCell(Model::kEncodePage, row, 1);
    QLineEdit* editor = form.cellEditor(Model::kEncodePage);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->maxLength(), 8);
    EXPECT_TRUE(grid->visualItemRect(grid->item(row, 1)).contains(editor->geometry()));
    QTest::keyClicks(editor, "abcde");
    form.ClickCell(Model::kEncodePage, row, 1);  // the same cell again: committed and reopened
    EXPECT_EQ(editor->text(), "ABCDE");
    form.ClickCell(Model::kEncodePage, row, 4);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(grid->item(row, 1)->text(), "ABCDE");
    EXPECT_EQ(grid->item(row, 2)->background().color(), QColor(255, 255, 255));
    EXPECT_EQ(grid->item(row, 4)->text(), "----");
    // From one frame cell straight to the next: the editor shows the new cell.
    form.ClickCell(Model::kEncodePage, Model::RowOfEntry(1), 1);
    EXPECT_EQ(editor->text(), "12345");
    form.ClickCell(Model::kEncodePage, row, 1);
    EXPECT_EQ(editor->text(), "ABCDE");
    form.ClickCell(Model::kEncodePage, row, 4);
    // The flag cell opened the chooser; a pick sets the cell.
    QComboBox* chooser = form.cellChooser(Model::kEncodePage);
    ASSERT_TRUE(chooser->isVisible());
    ASSERT_EQ(chooser->count(), 2);
    EXPECT_EQ(chooser->currentIndex(), 0);
    chooser->setCurrentIndex(1);  // not a pick by the user: nothing changes
    EXPECT_EQ(grid->item(row, 4)->text(), "----");
    emit chooser->activated(1);
    EXPECT_EQ(grid->item(row, 4)->text(), "On");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FiveToneForms, DecodeChooserOffersEveryCodedEncodeEntryAndOkWrites) {
    FiveToneCodesView form(image, texts, messages);
    form.show();
    form.model().SetFrame(Model::kEncodePage, 3, 0, "777777");
    form.tabs()->setCurrentIndex(1);
    form.ClickCell(Model::kDecodePage, Model::RowOfEntry(1), Model::kAnswerColumn);
    QComboBox* chooser = form.cellChooser(Model::kDecodePage);
    ASSERT_TRUE(chooser->isVisible());
    QStringList entries;
    for (int i = 0; i < chooser->count(); ++i) entries << chooser->itemText(i);
    EXPECT_EQ(entries, QStringList({"None", "TX-CODE 1", "TX-CODE 3"}));
    emit chooser->activated(2);
    QSignalSpy closed(&form, &FormView::closeRequested);
    form.okButton()->click();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(image.ReadBytes(mem::kFiveToneDecode + 14, 2), "0003");
}

TEST_F(FiveToneForms, SystemFormSpinsWrapAndTheStandardLoadsItsPresets) {
    FiveToneSystemView form(image, texts);
    form.show();
    using S = FiveToneSystemModel;
    EXPECT_EQ(form.standardList()->currentText(), "EEA");
    form.field(S::kTonePeriod)->setText("255");
    form.model().SetFieldText(S::kTonePeriod, "255");
    form.field(S::kTonePeriod)->stepBy(1);
    EXPECT_EQ(form.field(S::kTonePeriod)->text(), "40");
    EXPECT_EQ(form.field(S::kMaxDecode)->text(), "60");
    emit form.standardList()->activated(0);
    EXPECT_EQ(form.field(S::kTonePeriod)->text(), "100");
    EXPECT_EQ(form.field(S::kRxInterval)->text(), "150");
    EXPECT_EQ(form.field(S::kMinDecode)->text(), "30");
    EXPECT_EQ(form.field(S::kMaxDecode)->text(), "150");
    form.okButton()->click();
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneStandard), 9), "00649600FF1E009600");
}

template <typename Form>
int OpenCount(Shell& shell) {
    int n = 0;
    for (QMdiSubWindow* sub : shell.frame().mdiArea()->subWindowList())
        n += qobject_cast<Form*>(sub->widget()) != nullptr;
    return n;
}

TEST_F(FiveToneForms, CommandsOpenOneWindowEachOnSignallingModelsOnly) {
    AppValues values;
    values.languageOffset = kEnglishOffset;
    model.UpdateModelFromImage(image.image());
    Shell shell(values, texts, image, model, &messages);
    shell.RefreshFromImage();
    ASSERT_TRUE(shell.frame().action(kCmdFiveToneSystem)->isEnabled());
    ASSERT_TRUE(shell.frame().action(kCmdFiveToneEnDecode)->isEnabled());
    shell.RunCommand(kCmdFiveToneSystem);
    shell.RunCommand(kCmdFiveToneSystem);
    shell.RunCommand(kCmdFiveToneEnDecode);
    EXPECT_EQ(OpenCount<FiveToneSystemView>(shell), 1);
    EXPECT_EQ(OpenCount<FiveToneCodesView>(shell), 1);
    for (QMdiSubWindow* sub : shell.frame().mdiArea()->subWindowList())
        if (auto* form = qobject_cast<FiveToneSystemView*>(sub->widget())) {
            EXPECT_EQ(sub->windowTitle(), "5-Tone system parameters");
            form->okButton()->click();
        }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(OpenCount<FiveToneSystemView>(shell), 0);

    // A basic model greys both commands.
    image.InstallNew(BuildModelImage(model, ModelCatalogue()[0].identity));
    model.UpdateModelFromImage(image.image());
    shell.RefreshFromImage();
    // Closed windows go away once the event loop runs.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(shell.frame().action(kCmdFiveToneSystem)->isEnabled());
    EXPECT_FALSE(shell.frame().action(kCmdFiveToneEnDecode)->isEnabled());

    // A signalling identity in an image that ends before the 5-tone region: not offered.
    image.InstallNew(
        BuildModelImage(model, ModelCatalogue()[8].identity).substr(0, mem::kBasicImageBytes * 2));
    model.UpdateModelFromImage(image.image());
    shell.RefreshFromImage();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    shell.RunCommand(kCmdFiveToneEnDecode);
    shell.RunCommand(kCmdFiveToneSystem);
    EXPECT_EQ(OpenCount<FiveToneCodesView>(shell) + OpenCount<FiveToneSystemView>(shell), 0);
    EXPECT_EQ(image.byteCount(), static_cast<std::size_t>(mem::kBasicImageBytes));
}

// Writes the forms' pictures when VGR47_SCREENSHOT_DIR names a folder.
TEST_F(FiveToneForms, Screenshots) {
    const QByteArray dir = qgetenv("VGR47_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "VGR47_SCREENSHOT_DIR not set";
    QDir().mkpath(QString::fromUtf8(dir));
    FiveToneSystemView system(image, texts);
    system.show();
    QApplication::processEvents();
    system.grab().save(QString::fromUtf8(dir) + "/fivetone_system.png");
    FiveToneCodesView form(image, texts, messages);
    form.adjustSize();
    form.show();
    form.model().SetFrame(Model::kEncodePage, 2, 0, "23456");
    form.model().SetFrame(Model::kEncodePage, 2, 1, "A1B2C3");
    form.model().FocusTimeField(Model::kDelay1);
    form.ClickCell(Model::kEncodePage, Model::RowOfEntry(2), 5);
    QApplication::processEvents();
    form.grab().save(QString::fromUtf8(dir) + "/fivetone_encode.png");
    form.tabs()->setCurrentIndex(1);
    form.ClickCell(Model::kDecodePage, Model::RowOfEntry(1), Model::kAlertColumn);
    QApplication::processEvents();
    form.grab().save(QString::fromUtf8(dir) + "/fivetone_decode.png");
}

}  // namespace
