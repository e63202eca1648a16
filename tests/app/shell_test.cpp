#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QWidget>

#include <filesystem>
#include <fstream>

#include "app/main_frame.h"
#include "app/shell_rules.h"
#include "tests/support/test_app.h"

using namespace vgr47;
namespace fs = std::filesystem;

namespace {

TextCatalogue Texts(int offset) {
    return TextCatalogue(std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", offset);
}

struct TempDir {
    fs::path path = fs::temp_directory_path() / ("vgr47-app-" + std::to_string(::getpid()));
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
};

}  // namespace

TEST(StartupValues, LanguageOffsetRules) {
    EXPECT_EQ(LanguageOffsetFor("vgr47", "200000"), 200000);
    EXPECT_EQ(LanguageOffsetFor("vgr47", " 200000 "), 200000);
    for (const char* other : {"", "abc", "100000", "2000000"})
        EXPECT_EQ(LanguageOffsetFor("vgr47", other), 100000) << other;
    EXPECT_EQ(LanguageOffsetFor("ja31", "100000"), 200000);
    EXPECT_EQ(LanguageOffsetFor("nyl74", ""), 200000);
}

TEST(StartupValues, ReadFromTheProgramDirectory) {
    TempDir dir;
    AppValues none = LoadAppValues(dir.path.string(), "vgr47");
    EXPECT_FALSE(none.debug);
    EXPECT_EQ(none.portName, "");
    EXPECT_EQ(none.languageOffset, 100000);
    std::ofstream(dir.path / "system.ini") << "[computer]\ncom=com3\n[language]\nlanguage=200000\n";
    std::ofstream(dir.path / "isdebug.txt") << "";
    AppValues v = LoadAppValues(dir.path.string(), "vgr47");
    EXPECT_TRUE(v.debug);
    EXPECT_EQ(v.portName, "com3");
    EXPECT_EQ(v.languageOffset, 200000);
}

TEST(ShellRules, MenuRemovalsPerEditionAndDebugSwitch) {
    AppValues chinese;
    chinese.languageOffset = 100000;
    MenuRemovals r = MenuItemsRemoved(chinese);
    EXPECT_EQ(r.items, (std::vector<int>{kCmdAutoChannelSelect, kCmdChinese}));
    EXPECT_FALSE(r.separatorAfterPort);
    EXPECT_TRUE(r.testMenu);
    AppValues dealer;
    dealer.editionKey = "hwm63";
    dealer.languageOffset = 200000;
    dealer.debug = true;
    r = MenuItemsRemoved(dealer);
    EXPECT_EQ(r.items, (std::vector<int>{kCmdAutoChannelSelect, kCmdEnglish, kCmdChinese}));
    EXPECT_TRUE(r.separatorAfterPort);
    EXPECT_FALSE(r.testMenu);
    EXPECT_EQ(HelpFileName(dealer), "hwm63_e.html");
    EXPECT_EQ(HelpFileName(chinese), "vgr47_c.html");
}

TEST(ShellRules, StatusPaneTexts) {
    EXPECT_EQ(PortPaneText("com3"), "COM3");
    EXPECT_EQ(PortPaneText("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(PortPaneText("sim"), "sim");
    EXPECT_EQ(PortPaneText("commander"), "commander");
    EXPECT_EQ(FilePaneText("Data file", "/a/b.dat", "Untitled"), "Data file: /a/b.dat");
    EXPECT_EQ(FilePaneText("Data file", "", "Untitled"), "Untitled");
}

TEST(MainFrame, MenusFollowEditionAndModel) {
    vgr47::testing::EnsureTestApp();
    AppValues values;
    values.languageOffset = 200000;
    TextCatalogue texts = Texts(200000);
    CMainFrame frame(values, texts);
    ASSERT_NE(frame.action(kCmdNew), nullptr);
    EXPECT_FALSE(frame.action(kCmdNew)->text().isEmpty());
    EXPECT_FALSE(frame.action(kCmdAutoChannelSelect)->isVisible());
    EXPECT_FALSE(frame.action(kCmdEnglish)->isVisible());
    EXPECT_TRUE(frame.action(kCmdChinese)->isVisible());
    EXPECT_FALSE(frame.testMenu()->menuAction()->isVisible());
    EXPECT_EQ(frame.action(kCmdSave)->shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_NE(frame.action(kCmdReadData)->shortcut(), QKeySequence(Qt::Key_R));
    frame.SetSignallingModel(false);
    EXPECT_FALSE(frame.action(kCmdDtmf)->isEnabled());
    EXPECT_FALSE(frame.action(kCmdTwoTone)->isEnabled());
    EXPECT_TRUE(frame.action(kCmdScan)->isEnabled());
    frame.SetSignallingModel(true);
    EXPECT_TRUE(frame.action(kCmdFiveToneEnDecode)->isEnabled());
    frame.SetPortName("com2");
    EXPECT_EQ(frame.portPane()->text(), "COM2");
}

TEST(MainFrame, OneChildWindowPerForm) {
    vgr47::testing::EnsureTestApp();
    AppValues values;
    TextCatalogue texts = Texts(200000);
    CMainFrame frame(values, texts);
    int created = 0;
    auto make = [&] {
        ++created;
        return new QWidget;
    };
    QMdiSubWindow* first = frame.OpenOrActivate(kCmdDtmf, make);
    frame.OpenOrActivate(kCmdScan, make);
    QMdiSubWindow* again = frame.OpenOrActivate(kCmdDtmf, make);
    EXPECT_EQ(first, again);
    EXPECT_EQ(created, 2);
    EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 2);
    first->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frame.OpenOrActivate(kCmdDtmf, make);
    EXPECT_EQ(created, 3);  // a closed form opens fresh
}
