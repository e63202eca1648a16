// The test-mode dialog against the simulated radio, on its worker thread: what it shows is
// what the radio was told, and every way out leaves test mode with the transmitter released.
#include "app/tuning_dlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <cstdlib>
#include <mutex>

#include "core/model_catalogue.h"
#include "core/text_catalogue.h"
#include "core/text_ids.h"
#include "link/clock.h"
#include "sim/simulated_port.h"
#include "tests/support/recording_messages.h"
#include "tests/support/test_app.h"

using namespace vgr47;

namespace {

using Wire = std::vector<std::string>;
const std::string CPT = "435054", CPR = "435052", CTM = "43544D", CGM = "43474D", CQU = "435155",
                  CEE = "434545";

using vgr47::testing::EnsureTestApp;
using vgr47::testing::RecordingMessages;

// Every write the dialog's worker makes, readable from the test's thread.
struct WireLog {
    std::mutex mutex;
    Wire writes;
    Wire Take() {
        std::lock_guard<std::mutex> lock(mutex);
        return std::exchange(writes, {});
    }
};

class TappedPort final : public SerialPort {
  public:
    TappedPort(sim::SimulatedRadio& radio, Clock& clock, WireLog& log)
        : inner_(radio, clock), log_(log) {}
    sim::SimulatedPort& inner() { return inner_; }
    OpenResult Open(const std::string& name) override { return inner_.Open(name); }
    void Close() override { inner_.Close(); }
    bool IsOpen() const override { return inner_.IsOpen(); }
    std::size_t BytesWaiting() override { return inner_.BytesWaiting(); }
    Bytes ReadAll() override { return inner_.ReadAll(); }
    void Write(const Bytes& bytes) override {
        {
            std::lock_guard<std::mutex> lock(log_.mutex);
            log_.writes.push_back(BytesToHexText(bytes));
        }
        inner_.Write(bytes);
    }
    bool WaitForBytes(std::chrono::steady_clock::duration atMost) override {
        return inner_.WaitForBytes(atMost);
    }

  private:
    sim::SimulatedPort inner_;
    WireLog& log_;
};

bool Lit(QLabel* lamp) { return lamp->styleSheet().contains("#e02020"); }

struct TuningDlgTest : ::testing::Test {
    TuningDlgTest() {
        EnsureTestApp();
        // Test channel 1: 136.025 / 136.0375, channel 2: 140.000 / 140.000; item 03 holds 66.
        std::string memory = radio.MemoryHex();
        memory.replace(0x700 * 2, 32, "00256013503760130000001400000014");
        memory.replace((0x740 + 3) * 2, 2, "42");
        radio.LoadMemoryHex(memory);
        model.UpdateModelFromImage(std::string(0x650 * 2, 'F') +
                                   sim::SimulatedRadio::kDefaultIdentity);
    }
    std::unique_ptr<TuningDlg> Open(bool failOpen = false) {
        auto dlg = std::make_unique<TuningDlg>(
            texts, model, true, "sim",
            [this, failOpen] {
                RadioConnection c;
                c.clock = std::make_unique<SteadyClock>();
                auto port = std::make_unique<TappedPort>(radio, *c.clock, wire);
                if (failOpen)
                    port->inner().SetOpenFailure({OpenError::NoSuchDevice, "no such device"});
                c.port = std::move(port);
                return c;
            },
            messages);
        dlg->show();
        return dlg;
    }
    // An open dialog past its entry, nothing on the wire log yet.
    std::unique_ptr<TuningDlg> Entered() {
        auto dlg = Open();
        QSignalSpy entered(dlg.get(), &TuningDlg::entryFinished);
        dlg->Start();
        EXPECT_TRUE(entered.wait(5000));
        wire.Take();
        return dlg;
    }
    static bool Settle(TuningDlg& dlg) {
        QSignalSpy spy(&dlg, &TuningDlg::settled);
        return spy.wait(5000);
    }
    static void Click(TuningDlg& dlg, QPushButton* button) {
        ASSERT_TRUE(button->isEnabled() && button->isVisible()) << button->text().toStdString();
        button->click();
        ASSERT_TRUE(Settle(dlg));
    }
    // The next test-mode command and the two after it get no reply.
    void LoseNextCommand() {
        const int before = radio.CommandCount(sim::CommandKind::TestCommand);
        radio.AddFault({sim::FaultType::Silent, sim::CommandKind::TestCommand, before + 1, 3});
    }
    void Adjust(TuningDlg& dlg, bool tune) {
        Click(dlg, dlg.widgets().toggle);
        if (!tune) return;
        dlg.widgets().itemList->setCurrentRow(2);  // item 03
        Click(dlg, dlg.widgets().tune);
    }

    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    ModelState model{Edition::Vgr47};
    sim::SimulatedRadio radio;
    RecordingMessages messages;
    WireLog wire;
};

TEST_F(TuningDlgTest, EntryShowsTestChannelsAndWholeAdjustCycleStoresTheValue) {
    auto dlg = Entered();
    const TuningWidgets& w = dlg->widgets();
    EXPECT_EQ(w.channelCombo->count(), 8);
    EXPECT_EQ(w.rxFrequency->text(), "136.02500");
    EXPECT_EQ(w.txFrequency->text(), "136.03750");
    EXPECT_EQ(w.signallingCombo->count(), 205);
    EXPECT_EQ(w.status->text().toStdString(), texts.GetText(kTextTuningStatusTest));
    EXPECT_TRUE(radio.testState().active);

    Click(*dlg, w.toggle);
    ASSERT_TRUE(dlg->truth().InAdjusting());
    EXPECT_TRUE(radio.testState().adjusting);
    EXPECT_EQ(w.itemList->count(), 14);
    EXPECT_TRUE(w.exit->isHidden());

    // Tune without a selected item: a message, nothing sent.
    w.itemList->clearSelection();
    w.tune->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], texts.GetText(kTextNoTuneItemSelected));
    EXPECT_EQ(wire.Take(), Wire{CTM});

    w.itemList->setCurrentRow(2);
    Click(*dlg, w.tune);
    ASSERT_TRUE(dlg->truth().ValueShown());
    EXPECT_EQ(w.valueField->text(), "66");
    EXPECT_EQ(w.pages->count(), 3);
    EXPECT_TRUE(w.toggle->isHidden());

    // Over range: the field shows 255 and FF goes to the radio, once.
    wire.Take();
    w.valueField->setText("300");
    EXPECT_EQ(w.valueField->text(), "255");
    ASSERT_TRUE(Settle(*dlg));
    EXPECT_EQ(wire.Take(), Wire{"4344FF"});

    // The slider moves faster than the radio answers: the latest position is stored.
    for (int v = 10; v <= 20; ++v) w.slider->setValue(v);
    QTest::keyClick(w.valueField, Qt::Key_Return);  // store
    ASSERT_TRUE(Settle(*dlg));
    EXPECT_FALSE(dlg->truth().ValueShown());
    EXPECT_EQ(radio.AlignmentValue(0x03), 20);
    Click(*dlg, w.tune);
    EXPECT_EQ(w.valueField->text(), "20");
    EXPECT_EQ(w.slider->value(), 20);
    QTest::keyClick(w.valueField, Qt::Key_Up);
    ASSERT_TRUE(Settle(*dlg));
    EXPECT_EQ(w.valueField->text(), "21");
    QTest::keyClick(w.valueField, Qt::Key_F5);  // discard
    ASSERT_TRUE(Settle(*dlg));
    EXPECT_FALSE(dlg->truth().ValueShown());
    EXPECT_EQ(radio.AlignmentValue(0x03), 20);

    // Escape: leave the adjusting state, then exit test mode; the dialog ends.
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    wire.Take();
    QTest::keyClick(w.itemList, Qt::Key_Escape);
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(wire.Take(), (Wire{CGM, CEE}));
    EXPECT_FALSE(radio.testState().active);
    EXPECT_EQ(messages.shown.size(), 1u);
}

// Keyed from the adjusting panel, then Store or Discard, then back to the test panel: the
// PTT shown can release the transmitter at every step, and the lamps show it keyed.
TEST_F(TuningDlgTest, StuckTransmitterCanBeReleasedAtEveryStep) {
    for (const bool store : {true, false}) {
        for (int release = 0; release < 3; ++release) {
            SCOPED_TRACE((store ? "store, release at step " : "discard, release at step ") +
                         std::to_string(release));
            auto dlg = Entered();
            const TuningWidgets& w = dlg->widgets();
            Adjust(*dlg, true);
            Click(*dlg, w.adjPtt);
            ASSERT_TRUE(radio.testState().transmitting);
            if (release >= 1) Click(*dlg, store ? w.store : w.discard);
            if (release >= 2) Click(*dlg, w.toggle);
            EXPECT_TRUE(Lit(release == 2 ? w.txLamp : w.adjTxLamp));
            if (release == 2) {
                EXPECT_TRUE(w.txMarker->isVisible());
                EXPECT_FALSE(w.rxMarker->isVisible());
            }
            wire.Take();
            Click(*dlg, release == 2 ? w.ptt : w.adjPtt);
            EXPECT_EQ(wire.Take(), Wire{CPR});
            EXPECT_FALSE(radio.testState().transmitting);
            EXPECT_FALSE(Lit(w.txLamp) || Lit(w.adjTxLamp));
            EXPECT_TRUE(w.rxMarker->isVisible());
        }
    }
}

TEST_F(TuningDlgTest, FailedChannelChangeLeavesTheListOnTheOldChannel) {
    auto dlg = Entered();
    const TuningWidgets& w = dlg->widgets();
    w.channelCombo->setCurrentIndex(1);
    emit w.channelCombo->activated(1);
    ASSERT_TRUE(Settle(*dlg));
    EXPECT_EQ(w.rxFrequency->text(), "140.00000");
    LoseNextCommand();
    w.channelCombo->setCurrentIndex(0);
    emit w.channelCombo->activated(0);
    ASSERT_TRUE(Settle(*dlg));
    EXPECT_EQ(w.channelCombo->currentIndex(), 1);
    EXPECT_EQ(w.rxFrequency->text(), "140.00000");
    EXPECT_EQ(radio.testState().channel, 2);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(dlg->isVisible());  // another failure leaves the state as it was
}

TEST_F(TuningDlgTest, ClearingTheValueFieldSendsOneValue) {
    auto dlg = Entered();
    Adjust(*dlg, true);
    wire.Take();
    dlg->widgets().valueField->clear();
    ASSERT_TRUE(Settle(*dlg));
    EXPECT_EQ(dlg->widgets().valueField->text(), "0");
    EXPECT_EQ(wire.Take(), Wire{"434400"});
    EXPECT_EQ(radio.testState().workingValue, 0);
}

TEST_F(TuningDlgTest, AlignmentPanelKeepsItsPlaceWhenButtonsHide) {
    auto dlg = Entered();
    const TuningWidgets& w = dlg->widgets();
    const QRect inTestPanel = w.adjustBox->geometry();
    Adjust(*dlg, false);
    ASSERT_TRUE(w.exit->isHidden());
    QApplication::processEvents();
    EXPECT_EQ(w.adjustBox->geometry(), inTestPanel);
    w.itemList->setCurrentRow(2);
    Click(*dlg, w.tune);
    ASSERT_TRUE(w.toggle->isHidden());
    QApplication::processEvents();
    EXPECT_EQ(w.adjustBox->geometry(), inTestPanel);
    // The adjusting panel's transmit and bandwidth buttons are usable before a value is read.
    Click(*dlg, w.discard);
    EXPECT_TRUE(w.adjPtt->isEnabled() && w.adjWide->isEnabled() && w.adjNarrow->isEnabled());
}

// Every way out: what goes to the radio, in order, and the radio out of test mode.
TEST_F(TuningDlgTest, EveryWayOutReleasesTheRadioInOrder) {
    struct Way {
        const char* name;
        bool adjust, tune, key;
        std::function<void(TuningDlg&)> leave;
        Wire wire;
    };
    const std::vector<Way> ways = {
        {"exit button",
         false,
         false,
         true,
         [](TuningDlg& d) { d.widgets().exit->click(); },
         {CPR, CEE}},
        {"Escape",
         true,
         true,
         true,
         [](TuningDlg& d) { QTest::keyClick(d.widgets().valueField, Qt::Key_Escape); },
         {CQU, CGM, CPR, CEE}},
        {"close box", true, false, false, [](TuningDlg& d) { d.close(); }, {CGM, CEE}},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        auto dlg = Entered();
        if (way.adjust) Adjust(*dlg, way.tune);
        if (way.key) Click(*dlg, way.adjust ? dlg->widgets().adjPtt : dlg->widgets().ptt);
        wire.Take();
        QSignalSpy finished(dlg.get(), &QDialog::finished);
        way.leave(*dlg);
        ASSERT_TRUE(finished.wait(5000));
        EXPECT_EQ(wire.Take(), way.wire);
        EXPECT_FALSE(radio.testState().active || radio.testState().transmitting);
    }
}

TEST_F(TuningDlgTest, ProgramClosingLeavesTestModeWithoutStoring) {
    auto dlg = Entered();
    Adjust(*dlg, true);
    Click(*dlg, dlg->widgets().adjPtt);
    dlg->widgets().valueField->setText("99");
    ASSERT_TRUE(Settle(*dlg));
    wire.Take();
    dlg.reset();
    EXPECT_EQ(wire.Take(), (Wire{CQU, CGM, CPR, CEE}));
    EXPECT_EQ(radio.AlignmentValue(0x03), 0x42);
    EXPECT_FALSE(radio.testState().active || radio.testState().transmitting);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TuningDlgTest, FailedEnterAdjustingEndsTheDialogAfterTheMessage) {
    auto dlg = Entered();
    Click(*dlg, dlg->widgets().ptt);
    LoseNextCommand();
    wire.Take();
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    dlg->widgets().toggle->click();
    ASSERT_TRUE(finished.wait(8000));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], texts.GetText(kTextCommFailed));
    EXPECT_EQ(wire.Take(), (Wire{CTM, CTM, CTM, CGM, CPR, CEE}));
    EXPECT_FALSE(radio.testState().active);
}

TEST_F(TuningDlgTest, PortThatCannotBeOpenedEndsTheDialogWithItsMessage) {
    auto dlg = Open(true);
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    dlg->Start();
    ASSERT_TRUE(finished.wait(5000));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind(texts.GetText(kTextTuningPortOpenFailed), 0), 0u);
    EXPECT_TRUE(wire.Take().empty());
}

TEST_F(TuningDlgTest, SilentRadioAtEntryKeepsTheDialogOpenWithoutData) {
    radio.AddFault({sim::FaultType::Silent, sim::CommandKind::Tuning, 1, 3});
    auto dlg = Open();
    QSignalSpy entered(dlg.get(), &TuningDlg::entryFinished);
    dlg->Start();
    ASSERT_TRUE(entered.wait(8000));
    EXPECT_FALSE(entered.at(0).at(0).toBool());
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->widgets().channelCombo->count(), 0);
    EXPECT_FALSE(dlg->widgets().toggle->isEnabled());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], texts.GetText(kTextCommFailed));
    // Escape still takes the radio out of whatever the entry began.
    wire.Take();
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(wire.Take(), Wire{CEE});
}

TEST_F(TuningDlgTest, CaptionsComeFromTheCatalogueInBothLanguages) {
    for (const int offset : {kChineseOffset, kEnglishOffset}) {
        texts.setOffset(offset);
        auto dlg = Open();
        const TuningWidgets& w = dlg->widgets();
        auto text = [&](int n) { return QString::fromStdString(texts.GetText(n)); };
        EXPECT_EQ(dlg->windowTitle(), text(kTextTestModeTitle));
        EXPECT_EQ(w.testBox->title(), text(kTextTestPanel));
        EXPECT_EQ(w.adjustBox->title(), text(kTextAlignmentPanel));
        EXPECT_EQ(w.exit->text(), text(kTextTestExit));
        EXPECT_EQ(w.tune->text(), text(kTextTuneButton));
        EXPECT_EQ(w.store->text(), text(kTextStoreButton));
        EXPECT_EQ(w.discard->text(), text(kTextDiscardButton));
        EXPECT_EQ(w.narrow->text(), text(kTextTestNarrow));
        EXPECT_EQ(w.txMarker->text(), text(kTextTestTransmit));
        EXPECT_NE(text(kTextTestExit), text(kTextTuneButton));
    }
    EXPECT_NE(texts.GetText(kTextTestModeTitle), "");
}

// Regenerates the documentation's pictures of the dialog when VGR47_SCREENSHOT_DIR is set.
TEST_F(TuningDlgTest, ScreenshotForTheDocumentation) {
    const char* dir = std::getenv("VGR47_SCREENSHOT_DIR");
    if (!dir) GTEST_SKIP() << "VGR47_SCREENSHOT_DIR not set";
    auto dlg = Entered();
    EXPECT_TRUE(dlg->grab().save(QString(dir) + "/tuning_test_panel.png"));
    Adjust(*dlg, true);
    EXPECT_TRUE(dlg->grab().save(QString(dir) + "/tuning_adjusting.png"));
}

}  // namespace
