// The wiring of the DTMF and auto-channel-select forms: editors committed by a tab change,
// Delete all asking first, the chooser, and the commands greyed where the image is short.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "app/shell.h"
#include "core/layout/codeplug_layout.h"
#include "core/memory_map.h"
#include "core/text_ids.h"
#include "editors/acs/auto_channel_select_view.h"
#include "editors/dtmf/dtmf_view.h"
#include "tests/support/recording_messages.h"
#include "tests/support/test_app.h"

using namespace vgr47;

namespace {

using vgr47::layout::AddressOf;
namespace fields = vgr47::layout::fields;

using vgr47::testing::RecordingMessages;

struct FormTest : ::testing::Test {
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    ModelState state{Edition::Vgr47};
    CodeplugImage image;
    RecordingMessages messages{Answer::Cancel};
    void SetUp() override {
        vgr47::testing::EnsureTestApp();
        image.InstallNew(BuildModelImage(state, ModelCatalogue()[8].identity));
    }
    QString Cell(QTableWidget* grid, int row) { return grid->item(row - 1, 1)->text(); }
};

TEST_F(FormTest, DtmfTabChangeCommitsTheCellEditor) {
    DtmfView form(image, texts, messages);
    EXPECT_EQ(form.tabs()->count(), 4);
    EXPECT_EQ(form.windowTitle().toStdString(), texts.GetText(kTextEnDecodeTitle));
    form.tabs()->setCurrentIndex(3);
    form.ClickCell(DtmfModel::kDigitCodes, 2);
    QLineEdit* editor = form.cellEditor(DtmfModel::kDigitCodes);
    EXPECT_EQ(editor->maxLength(), 10);
    EXPECT_EQ(form.cellEditor(DtmfModel::kDtmfCodes)->maxLength(), 16);
    EXPECT_EQ(form.killCodeEdit()->maxLength(), 10);
    editor->setFocus();
    QTest::keyClicks(editor, "7");
    form.tabs()->setCurrentIndex(0);
    EXPECT_FALSE(editor->isVisibleTo(&form));
    EXPECT_EQ(Cell(form.grid(DtmfModel::kDigitCodes), 2), "000");
    // A bad character on the DTMF page: message 4921 and an empty entry.
    form.tabs()->setCurrentIndex(2);
    form.ClickCell(DtmfModel::kDtmfCodes, 1);
    QTest::keyClicks(form.cellEditor(DtmfModel::kDtmfCodes), "E");
    form.ClickCell(DtmfModel::kDtmfCodes, 3);
    EXPECT_EQ(Cell(form.grid(DtmfModel::kDtmfCodes), 1), "");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], texts.GetText(kTextDtmfCodeBadChar));
}

TEST_F(FormTest, DtmfDeleteAllAsksFirst) {
    DtmfView form(image, texts, messages);
    form.tabs()->setCurrentIndex(2);
    form.ClickCell(DtmfModel::kDtmfCodes, 2);
    QTest::keyClicks(form.cellEditor(DtmfModel::kDtmfCodes), "99");
    form.ClickCell(DtmfModel::kDtmfCodes, 3);
    messages.answers = {Answer::Cancel, Answer::Yes};
    form.deleteAllButton(DtmfModel::kDtmfCodes)->click();
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0], texts.GetText(kTextDeleteAllEntriesQuestion));
    EXPECT_EQ(messages.questions[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(Cell(form.grid(DtmfModel::kDtmfCodes), 2), "99");
    form.deleteAllButton(DtmfModel::kDtmfCodes)->click();
    EXPECT_EQ(Cell(form.grid(DtmfModel::kDtmfCodes), 1), "12345");
    EXPECT_EQ(Cell(form.grid(DtmfModel::kDtmfCodes), 2), "");
    EXPECT_FALSE(form.cellEditor(DtmfModel::kDtmfCodes)->isVisibleTo(&form));
}

TEST_F(FormTest, DtmfOkWritesAndCancelDoesNot) {
    const std::string before = image.image();
    {
        DtmfView form(image, texts, messages);
        form.list(DtmfModel::kRate)->setCurrentIndex(2);
        QSignalSpy closed(&form, &FormView::closeRequested);
        form.cancelButton()->click();
        EXPECT_EQ(closed.count(), 1);
        EXPECT_EQ(image.image(), before);
    }
    DtmfView form(image, texts, messages);
    form.list(DtmfModel::kRate)->setCurrentIndex(2);
    form.killCodeEdit()->setText("12");  // still in the field when OK is pressed
    QSignalSpy closed(&form, &FormView::closeRequested);
    form.okButton()->click();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kDtmfRate), 1), "02");
    EXPECT_EQ(image.ReadBytes(mem::kDtmfKillCode, 10), "303030" + std::string(14, 'F'));
}

TEST_F(FormTest, DtmfOkKeepsAStoredKillCodeTheUserNeverTouched) {
    ASSERT_TRUE(image.WriteBytes(mem::kDtmfKillCode, "313245FFFFFFFFFFFF00"));  // "12E"
    DtmfView form(image, texts, messages);
    EXPECT_EQ(form.killCodeEdit()->text(), "12E");
    form.list(DtmfModel::kRate)->setCurrentIndex(1);
    form.killCodeEdit()->setFocus();
    emit form.killCodeEdit()->editingFinished();  // the focus passes through the field
    form.okButton()->click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(image.ReadBytes(mem::kDtmfKillCode, 10), "313245FFFFFFFFFFFF00");
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kDtmfRate), 1), "01");
}

TEST_F(FormTest, AcsChooserCommitsOnlyAPickedEntry) {
    for (int c = 1; c <= 3; ++c)
        ASSERT_TRUE(
            image.WriteBytes(mem::ChannelRecordAddress(c), "0050451400504514FFFFFFFF0000FFFF"));
    ASSERT_TRUE(
        image.WriteBytes(mem::kAcsList, "0109FFFFFFFFFFFF"));  // 9 has no transmit frequency
    ChannelModel channels(image, state, texts);
    AutoChannelSelectView form(image, state, texts, channels);
    EXPECT_EQ(form.windowTitle().toStdString(), texts.GetText(kTextAcsTitle));
    EXPECT_EQ(form.grid()->item(2, 1)->background().color(), QColor(255, 255, 255));
    EXPECT_EQ(form.grid()->item(3, 1)->background().color(), QColor(212, 208, 200));

    form.ClickCell(2);  // row 2's channel is not offered: no selection
    ASSERT_TRUE(form.chooser()->isVisibleTo(&form));
    EXPECT_EQ(form.chooser()->currentIndex(), -1);
    form.ClickCell(1);
    EXPECT_EQ(Cell(form.grid(), 2), "9");

    form.ClickCell(3);
    ASSERT_EQ(form.chooser()->count(), 3);  // none, 2, 3
    EXPECT_EQ(form.chooser()->itemText(0).toStdString(), texts.GetText(kTextNone));
    emit form.chooser()->activated(2);
    form.ClickCell(4);
    EXPECT_EQ(Cell(form.grid(), 3), "3");
    EXPECT_EQ(form.grid()->item(3, 1)->background().color(), QColor(255, 255, 255));

    form.deleteAllButton()->click();
    EXPECT_FALSE(form.chooser()->isVisibleTo(&form));
    EXPECT_EQ(form.grid()->item(1, 1)->background().color(), QColor(212, 208, 200));
    form.okButton()->click();
    EXPECT_EQ(image.ReadBytes(mem::kAcsList, 8), "FFFFFFFFFFFFFFFF");
}

TEST_F(FormTest, SignallingCommandsAreGreyedForAShortImage) {
    AppValues values;
    values.languageOffset = kEnglishOffset;
    Shell shell(values, texts, image, state, &messages);
    state.UpdateModelFromImage(image.image());
    shell.RefreshFromImage();
    EXPECT_TRUE(shell.frame().action(kCmdDtmf)->isEnabled());
    shell.RunCommand(kCmdDtmf);
    shell.RunCommand(kCmdDtmf);
    EXPECT_EQ(shell.frame().mdiArea()->subWindowList().size(), 2);  // channels and one DTMF window
    // The auto-channel-select command has no menu item but still opens its form.
    shell.RunCommand(kCmdAutoChannelSelect);
    EXPECT_NE(shell.frame().openForm(kCmdAutoChannelSelect), nullptr);

    // A basic radio's short image under a signalling identity.
    image.InstallFromRadio(image.image().substr(0, 2 * mem::kBasicImageBytes));
    shell.RefreshFromImage();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(shell.frame().action(kCmdDtmf)->isEnabled());
    shell.RunCommand(kCmdDtmf);
    shell.RunCommand(kCmdAutoChannelSelect);
    EXPECT_EQ(shell.frame().openForm(kCmdDtmf), nullptr);
    EXPECT_EQ(shell.frame().openForm(kCmdAutoChannelSelect), nullptr);
}

}  // namespace
