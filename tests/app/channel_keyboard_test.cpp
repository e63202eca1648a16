// The channel dialog from the keyboard: Tab follows the fields in the order they are read,
// with Delete all last, also right after a frequency typed into an empty channel; frequencies
// typed with a decimal comma are read as with a point, and a typed value that had to be
// changed is told in the status bar.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "core/memory_map.h"
#include "editors/channels/channel_dialog.h"
#include "tests/support/shell_fixture.h"

using namespace vgr47;

namespace {

// The fields in reading order, as the user meets them.
const char* const kSignallingOrder[] = {"channel",
                                        "channelOn",
                                        "txOn",
                                        "rx",
                                        "tx",
                                        "decodeTone",
                                        "encodeTone",
                                        "busyLockMode",
                                        "compander",
                                        "scan",
                                        "wide",
                                        "tailElimination",
                                        "relationAnd",
                                        "relationOr",
                                        "signallingType",
                                        "decodeNumber",
                                        "pttIdType",
                                        "pttIdMode",
                                        "txStartCode",
                                        "txEndCode",
                                        "call1Code",
                                        "call2Code",
                                        "txWithoutDecode",
                                        "signallingSwitchable",
                                        "saveAsDefault",
                                        "exit",
                                        "deleteAll"};
const char* const kBasicOrder[] = {
    "channel",    "channelOn",       "txOn",          "rx",   "tx",
    "decodeTone", "encodeTone",      "busyLock",      "wide", "scan",
    "compander",  "tailElimination", "saveAsDefault", "exit", "deleteAll"};

QString NameOf(QWidget* w, QWidget* dialog) {
    for (; w && w != dialog; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
            return w->objectName();
    return "?";
}

struct ChannelKeyboard : ShellFixture {
    std::unique_ptr<ChannelDialog> dialog;
    void TearDown() override {
        dialog.reset();  // before the main window, its parent
        ShellFixture::TearDown();
    }
    void Open(int row) {
        dialog = std::make_unique<ChannelDialog>(*shell->channelForm(), shell->channels(), image,
                                                 *texts, row, &frame());
        dialog->show();
        // The offscreen platform does not move activation by itself.
        QApplication::setActiveWindow(dialog.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }
    template <class W>
    W* Find(const char* name) {
        W* w = dialog->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Tab from the channel field round to it again, as "a b c".
    std::string TabWalk() {
        Find<QWidget>("channel")->setFocus();
        QStringList names;
        for (int i = 0; i < 40; ++i) {
            names << NameOf(QApplication::focusWidget(), dialog.get());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (NameOf(QApplication::focusWidget(), dialog.get()) == "channel") break;
        }
        return names.join(' ').toStdString();
    }
    template <std::size_t N>
    std::string Expected(const char* const (&order)[N]) {
        QStringList names;
        for (const char* name : order) {
            QWidget* w = Find<QWidget>(name);
            if (w && w->isEnabled() && w->isVisible()) names << name;
        }
        return names.join(' ').toStdString();
    }
};

}  // namespace

TEST_F(ChannelKeyboard, TabFromAFrequencyTypedIntoAnEmptyChannelGoesOnToTheTransmitField) {
    for (int modelIndex : {8, 0}) {
        Start(kEnglishOffset, modelIndex);
        Open(4);
        auto* rx = Find<QLineEdit>("rx");
        auto* tx = Find<QLineEdit>("tx");
        EXPECT_FALSE(tx->isEnabled());
        rx->setFocus();
        QTest::keyClicks(rx, "145.125");
        QTest::keyClick(rx, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), tx)
            << NameOf(QApplication::focusWidget(), dialog.get()).toStdString();
        EXPECT_EQ(tx->text(), "145.12500");
        // The whole round: the fields in reading order, Delete all at the very end.
        const std::string walk = TabWalk();
        if (modelIndex == 8)
            EXPECT_EQ(walk, Expected(kSignallingOrder));
        else
            EXPECT_EQ(walk, Expected(kBasicOrder));
        EXPECT_EQ(walk.substr(walk.rfind(' ') + 1), "deleteAll");
        // Shift+Tab goes back the same way.
        Find<QWidget>("deleteAll")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(NameOf(QApplication::focusWidget(), dialog.get()).toStdString(), "exit");
        dialog.reset();
        shell.reset();
    }
}

TEST_F(ChannelKeyboard, TabOrderOfAFilledChannelWithSignalling) {
    Start();
    {
        ChannelDlgModel setup(shell->channels(), image, *texts);
        setup.Open(2);
        setup.EditRx("146.5");
        setup.SelectSignallingType(ChannelDlgModel::kTypeDtmf);
        setup.SelectPttIdType(ChannelDlgModel::kPttDtmf);
        setup.SelectPttIdMode(ChannelDlgModel::kModeBoth);
    }
    shell->channelForm()->Refill();
    Open(2);
    EXPECT_TRUE(Find<QComboBox>("txStartCode")->isEnabled());
    EXPECT_TRUE(Find<QWidget>("relationAnd")->isEnabled());
    const std::string walk = TabWalk();
    EXPECT_EQ(walk, Expected(kSignallingOrder));
    EXPECT_NE(walk.find("txStartCode txEndCode call1Code call2Code"), std::string::npos) << walk;
    EXPECT_EQ(walk.substr(walk.rfind(' ') + 1), "deleteAll");
    auto* rx = Find<QLineEdit>("rx");
    rx->setFocus();
    QTest::keyClick(rx, Qt::Key_Tab);
    EXPECT_EQ(NameOf(QApplication::focusWidget(), dialog.get()).toStdString(), "tx");
}

TEST_F(ChannelKeyboard, ADecimalCommaReadsAsAPointAndChangedValuesAreTold) {
    Start();
    Open(3);
    auto* rx = Find<QLineEdit>("rx");
    auto* tx = Find<QLineEdit>("tx");
    rx->setFocus();
    QTest::keyClicks(rx, "145,125");
    QTest::keyClick(rx, Qt::Key_Return);
    EXPECT_EQ(rx->text(), "145.12500");
    EXPECT_EQ(image.ReadBytes(mem::ChannelRecordAddress(3), 4), "00255114");
    EXPECT_TRUE(frame().statusBar()->currentMessage().isEmpty());  // kept as typed: nothing to tell

    // Off the raster: snapped, and said so in one line.
    rx->selectAll();
    QTest::keyClicks(rx, "145,1234");
    QTest::keyClick(rx, Qt::Key_Return);
    EXPECT_EQ(rx->text(), "145.12000");
    // The dialog's line reaches the main window only through the shell; here it is asked for.
    QString told;
    QObject::connect(dialog.get(), &ChannelDialog::statusMessage,
                     [&](const QString& t) { told = t; });
    tx->setFocus();
    tx->selectAll();
    QTest::keyClicks(tx, "900,5");
    QTest::keyClick(tx, Qt::Key_Return);
    EXPECT_EQ(tx->text(), "174.00000");
    EXPECT_EQ(told, "900.5 MHz lies outside the band 136-174 MHz; 174.00000 MHz is used.");
    EXPECT_FALSE(told.contains('\n'));
    tx->selectAll();
    QTest::keyClicks(tx, "150,0065");
    QTest::keyClick(tx, Qt::Key_Return);
    EXPECT_EQ(tx->text(), "150.00625");
    EXPECT_EQ(told,
              "150.0065 MHz is not on the 5 / 6.25 kHz channel raster; 150.00625 MHz is used.");
}

TEST_F(ChannelKeyboard, TheStatusBarShowsTheLineWhenTheShellRunsTheDialog) {
    Start();
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<ChannelDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        auto* rx = d->findChild<QLineEdit*>("rx");
        rx->setFocus();
        QTest::keyClicks(rx, "30");
        QTest::keyClick(rx, Qt::Key_Return);
        shown = frame().statusBar()->currentMessage();
        d->close();
    });
    emit shell->channelForm()->channelDialogRequested(6);
    EXPECT_EQ(shown, "30 MHz lies outside the band 136-174 MHz; 136.00000 MHz is used.");
}
