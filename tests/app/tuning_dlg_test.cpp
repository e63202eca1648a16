// The test-mode dialog against the simulated radio, on its worker thread: entry, adjusting,
// tuning a value, storing it, and leaving test mode by every way out.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include "app/tuning_dlg.h"
#include "core/model_catalogue.h"
#include "core/text_catalogue.h"
#include "core/text_ids.h"
#include "link/clock.h"
#include "sim/simulated_port.h"

using namespace vgr47;

namespace {

void EnsureApp() {
    static int argc = 1;
    static char name[] = "tuning_test";
    static char* argv[] = {name, nullptr};
    if (!qApp) new QApplication(argc, argv);
}

struct Recorder : Messages {
    std::vector<std::string> shown;
    void ShowMessage(const std::string& text) override { shown.push_back(text); }
    Answer Ask(const std::string&, const std::string&, Buttons, bool) override { return Answer::No; }
};

struct TuningDlgTest : ::testing::Test {
    TuningDlgTest() {
        EnsureApp();
        // Test channel 1: 136.025 receive, 136.0375 transmit; alignment value of item 03 is 0x42.
        std::string memory = radio.MemoryHex();
        memory.replace(0x700 * 2, 16, "0025601350376013");
        memory.replace((0x740 + 3) * 2, 2, "42");
        radio.LoadMemoryHex(memory);
        model.UpdateModelFromImage(std::string(0x650 * 2, 'F') + sim::SimulatedRadio::kDefaultIdentity);
    }
    std::unique_ptr<TuningDlg> Open(bool failOpen = false) {
        auto dlg = std::make_unique<TuningDlg>(texts, model, true, "sim",
                                               [this, failOpen] {
                                                   RadioConnection c;
                                                   c.clock = std::make_unique<SteadyClock>();
                                                   auto port = std::make_unique<sim::SimulatedPort>(radio, *c.clock);
                                                   if (failOpen) port->SetOpenFailure({OpenError::NoSuchDevice, "no such device"});
                                                   c.port = std::move(port);
                                                   return c;
                                               },
                                               messages);
        dlg->show();
        return dlg;
    }
    static bool Settle(TuningDlg& dlg) {
        QSignalSpy spy(&dlg, &TuningDlg::settled);
        return spy.wait(5000);
    }
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    ModelState model{Edition::Vgr47};
    sim::SimulatedRadio radio;
    Recorder messages;
};

TEST_F(TuningDlgTest, EntryShowsTestChannelsAndWholeAdjustCycleStoresTheValue) {
    auto dlg = Open();
    QSignalSpy entered(dlg.get(), &TuningDlg::entryFinished);
    dlg->Start();
    ASSERT_TRUE(entered.wait(5000));
    EXPECT_TRUE(entered.at(0).at(0).toBool());
    EXPECT_EQ(dlg->channelCombo()->count(), 8);
    EXPECT_EQ(dlg->rxFrequency()->text(), "136.02500");
    EXPECT_EQ(dlg->txFrequency()->text(), "136.03750");
    EXPECT_EQ(dlg->signallingCombo()->count(), 205);
    EXPECT_EQ(dlg->statusLine()->text().toStdString(), texts.GetText(kTextTuningStatusTest));
    EXPECT_TRUE(radio.testState().active);

    dlg->toggleButton()->click();
    ASSERT_TRUE(Settle(*dlg));
    ASSERT_TRUE(dlg->adjusting());
    EXPECT_TRUE(radio.testState().adjusting);
    EXPECT_EQ(dlg->itemList()->count(), 14);
    EXPECT_TRUE(dlg->exitButton()->isHidden());

    // Tune without a selected item: a message, nothing sent.
    dlg->itemList()->clearSelection();
    dlg->tuneButton()->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], texts.GetText(kTextNoTuneItemSelected));

    dlg->itemList()->setCurrentRow(2);  // item 03
    dlg->tuneButton()->click();
    ASSERT_TRUE(Settle(*dlg));
    ASSERT_TRUE(dlg->valueShown());
    EXPECT_EQ(dlg->valueField()->text(), "66");
    EXPECT_EQ(dlg->pages()->count(), 3);
    EXPECT_TRUE(dlg->toggleButton()->isHidden());

    // Over range: the field shows 255 and FF goes to the radio.
    dlg->valueField()->setText("300");
    EXPECT_EQ(dlg->valueField()->text(), "255");
    ASSERT_TRUE(Settle(*dlg));
    EXPECT_EQ(radio.testState().workingValue, 255);

    // Slider moves faster than the radio answers: only the latest position matters.
    for (int v = 10; v <= 20; ++v) dlg->slider()->setValue(v);
    QTest::keyClick(dlg->valueField(), Qt::Key_Return);  // store
    ASSERT_TRUE(Settle(*dlg));
    EXPECT_FALSE(dlg->valueShown());
    EXPECT_EQ(radio.AlignmentValue(0x03), 20);
    // Read back with Tune.
    dlg->tuneButton()->click();
    ASSERT_TRUE(Settle(*dlg));
    EXPECT_EQ(dlg->valueField()->text(), "20");
    EXPECT_EQ(dlg->slider()->value(), 20);
    QTest::keyClick(dlg->valueField(), Qt::Key_F5);  // discard
    ASSERT_TRUE(Settle(*dlg));
    EXPECT_FALSE(dlg->valueShown());

    // Escape: leave the adjusting state, then exit test mode; the dialog ends.
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    QTest::keyClick(dlg->itemList(), Qt::Key_Escape);
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_FALSE(radio.testState().active);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(TuningDlgTest, ClosingWhileAValueIsAdjustedDiscardsAndLeavesTestMode) {
    auto dlg = Open();
    QSignalSpy entered(dlg.get(), &TuningDlg::entryFinished);
    dlg->Start();
    ASSERT_TRUE(entered.wait(5000));
    dlg->toggleButton()->click();
    ASSERT_TRUE(Settle(*dlg));
    dlg->itemList()->setCurrentRow(2);
    dlg->tuneButton()->click();
    ASSERT_TRUE(Settle(*dlg));
    dlg->valueField()->setText("99");
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    dlg->close();
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(radio.AlignmentValue(0x03), 0x42);  // discarded, not stored
    EXPECT_FALSE(radio.testState().active);
}

TEST_F(TuningDlgTest, KeyedRadioIsUnkeyedWhenTheDialogEnds) {
    auto dlg = Open();
    QSignalSpy entered(dlg.get(), &TuningDlg::entryFinished);
    dlg->Start();
    ASSERT_TRUE(entered.wait(5000));
    dlg->panelPtt()->click();
    ASSERT_TRUE(Settle(*dlg));
    ASSERT_TRUE(radio.testState().transmitting);
    // A bandwidth switch resets the indicator but the radio may still be keyed.
    dlg->panelNarrow()->click();
    ASSERT_TRUE(Settle(*dlg));
    EXPECT_TRUE(dlg->mayBeKeyed());
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    dlg->exitButton()->click();
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_FALSE(radio.testState().transmitting);
    EXPECT_FALSE(radio.testState().active);
}

TEST_F(TuningDlgTest, FailedEnterAdjustingEndsTheDialogAfterTheMessage) {
    auto dlg = Open();
    QSignalSpy entered(dlg.get(), &TuningDlg::entryFinished);
    dlg->Start();
    ASSERT_TRUE(entered.wait(5000));
    radio.AddFault({sim::FaultType::Silent, sim::CommandKind::TestCommand, 1, 3});
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    dlg->toggleButton()->click();
    ASSERT_TRUE(finished.wait(8000));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], texts.GetText(kTextCommFailed));
    EXPECT_FALSE(radio.testState().active);
}

TEST_F(TuningDlgTest, EscapeFromTheTestPanelOnlyExits) {
    auto dlg = Open();
    QSignalSpy entered(dlg.get(), &TuningDlg::entryFinished);
    dlg->Start();
    ASSERT_TRUE(entered.wait(5000));
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    QTest::keyClick(dlg->channelCombo(), Qt::Key_Escape);
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(radio.CommandCount(sim::CommandKind::TestCommand), 1);  // CEE only
    EXPECT_FALSE(radio.testState().active);
}

TEST_F(TuningDlgTest, PortThatCannotBeOpenedEndsTheDialogWithItsMessage) {
    auto dlg = Open(true);
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    dlg->Start();
    ASSERT_TRUE(finished.wait(5000));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind(texts.GetText(kTextTuningPortOpenFailed), 0), 0u);
}

TEST_F(TuningDlgTest, SilentRadioAtEntryKeepsTheDialogOpenWithoutData) {
    radio.AddFault({sim::FaultType::Silent, sim::CommandKind::Tuning, 1, 3});
    auto dlg = Open();
    QSignalSpy entered(dlg.get(), &TuningDlg::entryFinished);
    dlg->Start();
    ASSERT_TRUE(entered.wait(8000));
    EXPECT_FALSE(entered.at(0).at(0).toBool());
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->channelCombo()->count(), 0);
    EXPECT_FALSE(dlg->toggleButton()->isEnabled());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], texts.GetText(kTextCommFailed));
}

}  // namespace

namespace {

// Regenerates the documentation's picture of the dialog when VGR47_SCREENSHOT_DIR is set.
TEST_F(TuningDlgTest, ScreenshotForTheDocumentation) {
    const char* dir = std::getenv("VGR47_SCREENSHOT_DIR");
    if (!dir) GTEST_SKIP() << "VGR47_SCREENSHOT_DIR not set";
    auto dlg = Open();
    QSignalSpy entered(dlg.get(), &TuningDlg::entryFinished);
    dlg->Start();
    ASSERT_TRUE(entered.wait(5000));
    EXPECT_TRUE(dlg->grab().save(QString(dir) + "/tuning_test_panel.png"));
    dlg->toggleButton()->click();
    ASSERT_TRUE(Settle(*dlg));
    dlg->itemList()->setCurrentRow(2);
    dlg->tuneButton()->click();
    ASSERT_TRUE(Settle(*dlg));
    EXPECT_TRUE(dlg->grab().save(QString(dir) + "/tuning_adjusting.png"));
}

}  // namespace
