// The small things a new user trips over: Qt's own buttons in Chinese, a start-up message that
// the splash must not cover, help that says where it is when no browser shows it, the radio
// information fields showing their whole text.
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTranslator>
#include <fstream>

#include "app/about_box.h"
#include "app/qt_translations.h"
#include "app/radio_info_dlg.h"
#include "app/radio_ports.h"
#include "app/radio_worker.h"
#include "core/ini_file.h"
#include "tests/support/shell_fixture.h"

using namespace vgr47;
namespace fs = std::filesystem;

using ShellExtras = ShellFixture;

TEST_F(ShellExtras, QtsOwnButtonsSpeakChineseWithTheChineseInterface) {
    EnsureTestApp();
    EXPECT_EQ(InstallQtTranslations(*qApp, false), nullptr);
    QTranslator* translator = InstallQtTranslations(*qApp, true);
    if (!translator)
        GTEST_SKIP() << "Qt's translations are not installed (scripts/setup.sh installs them)";
    QMessageBox box(QMessageBox::Question, "", "",
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    for (QMessageBox::StandardButton b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) {
        // "是(&Y)": Chinese words, the mnemonic letter aside.
        const QString text = box.button(b)->text().remove(QRegularExpression("\\(&.\\)"));
        EXPECT_TRUE(text.contains(QRegularExpression("^[\\x{4e00}-\\x{9fff}]+$")))
            << text.toStdString();
    }
    QCoreApplication::removeTranslator(translator);
    delete translator;
    QMessageBox english(QMessageBox::Question, "", "", QMessageBox::Yes);
    EXPECT_EQ(english.button(QMessageBox::Yes)->text().remove('&'), "Yes");
}

TEST_F(ShellExtras, TheSplashGivesWayToAMessageAtStartUp) {
    EnsureTestApp();
    AppValues splashValues;
    TextCatalogue catalogue(std::string(VGR47_SOURCE_DIR) + "/resources/language.sys",
                            kEnglishOffset);
    QPointer<SplashWindow> splash = new SplashWindow(splashValues, catalogue);
    splash->show();
    QWidget plain;
    plain.show();  // an ordinary window leaves it alone
    EXPECT_TRUE(splash->isVisible());
    QDialog message;
    message.show();
    EXPECT_FALSE(splash->isVisible());
    QApplication::sendPostedEvents(nullptr, 0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());
}

TEST_F(ShellExtras, HelpSaysWhereTheHelpFileIsWhenNothingShowsIt) {
    values.editionKey = "hwm63";  // a dealer edition whose help page no folder holds
    Start();
    QUrl asked;
    shell->openUrl = [&](const QUrl& url) {
        asked = url;
        return false;  // no browser
    };
    shell->RunCommand(kCmdHelpTopics);
    ASSERT_EQ(messages.shown.size(), 1u);
    // No help page anywhere: the message names where it was looked for.
    EXPECT_EQ(messages.shown[0].rfind(T(kTextHelpMissing), 0), 0u);
    EXPECT_NE(messages.shown[0].find("hwm63_e.html"), std::string::npos);
    EXPECT_TRUE(asked.isEmpty());

    fs::create_directories(dir / "help");
    const std::string page = (dir / "help" / "hwm63_e.html").string();
    std::ofstream(page) << "<html></html>";
    shell->RunCommand(kCmdHelpTopics);
    EXPECT_EQ(asked.toLocalFile().toStdString(), page);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1], T(kTextHelpNoBrowser) + "\n" + page);

    shell->openUrl = [](const QUrl&) { return true; };  // a browser showed it: nothing to say
    shell->RunCommand(kCmdHelpTopics);
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(ShellExtras, RadioInformationShowsEveryFieldWhole) {
    values.portName = "sim";
    Start();
    IniWrite((dir / "system.ini").string(), "simulator", "pace", "0");
    IniWrite((dir / "system.ini").string(), "simulator", "model", "15");
    RadioInfoDialog dialog(shell->formEnv(), DefaultConnection(values, shell->formEnv().ports),
                           &frame());
    QSignalSpy finished(&dialog, &RadioInfoDialog::exchangeFinished);
    dialog.show();
    ASSERT_TRUE(finished.count() > 0 || finished.wait(20000));
    QLineEdit* field = dialog.modelField();
    ASSERT_FALSE(field->text().isEmpty());
    EXPECT_TRUE(field->text().startsWith("KV220AT")) << field->text().toStdString();
    EXPECT_EQ(field->cursorPosition(), 0);  // shown from its start: the model name first
    EXPECT_GE(field->width(), field->fontMetrics().horizontalAdvance(field->text()) + 8);
}
