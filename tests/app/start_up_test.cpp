// The program's own options and the program folder of a start: a portable folder as it is, the
// desktop start with its per-user folder made once, in the user's language.
#include "app/start_up.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/ini_file.h"

using namespace vgr47;
namespace fs = std::filesystem;

namespace {

class StartFolderTest : public ::testing::Test {
  protected:
    StartFolderTest()
        : dir(fs::temp_directory_path() /
              ("vgr47_start_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::remove_all(dir);
        fs::create_directories(dir / "start");
        fs::create_directories(dir / "home");
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            const char* value = std::getenv(name);
            saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            ::unsetenv(name);
        }
        ::setenv("HOME", (dir / "home").c_str(), 1);
    }
    ~StartFolderTest() override {
        for (const auto& [name, value] : saved) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
        fs::remove_all(dir);
    }
    std::string Start() const { return (dir / "start").string(); }
    fs::path PerUser() const { return dir / "home" / ".config" / "vgr47"; }

    fs::path dir;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

}  // namespace

TEST(StartOptionsTest, VersionHelpAndTheTestTimer) {
    EXPECT_TRUE(ParseStartOptions({"--version"}).version);
    EXPECT_TRUE(ParseStartOptions({"-platform", "offscreen", "--help"}).help);
    StartOptions plain = ParseStartOptions({"-platform", "offscreen", "-style", "fusion"});
    EXPECT_FALSE(plain.version || plain.help);
    EXPECT_EQ(plain.quitAfterMs, -1);
    EXPECT_TRUE(plain.problem.empty());  // Qt's options are Qt's

    EXPECT_EQ(ParseStartOptions({"--quit-after", "250"}).quitAfterMs, 250);
    EXPECT_EQ(ParseStartOptions({"--quit-after", "0"}).quitAfterMs, 0);
    for (auto bad : {std::vector<std::string>{"--quit-after"},
                     std::vector<std::string>{"--quit-after", "soon"},
                     std::vector<std::string>{"--quit-after", "-5"},
                     std::vector<std::string>{"--quit-after", "5s"}}) {
        StartOptions parsed = ParseStartOptions(bad);
        EXPECT_FALSE(parsed.problem.empty()) << bad.back();
        EXPECT_EQ(parsed.quitAfterMs, -1) << bad.back();
    }
    EXPECT_EQ(VersionLine("vgr47", "6.4.2"),
              std::string("vgr47 ") + VGR47_VERSION_TEXT + " (Qt 6.4.2)");
}

TEST_F(StartFolderTest, ADesktopStartMakesThePerUserFolderInTheUsersLanguage) {
    ::setenv("LANG", "zh_CN.UTF-8", 1);
    StartFolder start = PrepareStartFolder(Start(), "vgr47", "/docs");
    EXPECT_TRUE(start.problem.empty()) << start.problem;
    EXPECT_EQ(start.values.programDir, PerUser().string());
    EXPECT_EQ(start.values.languageOffset, 100000);
    EXPECT_EQ(start.values.portName, "");  // no default port: the user picks the cable
    EXPECT_EQ(start.values.fileFolder, "/docs");
    EXPECT_EQ(IniRead((PerUser() / "system.ini").string(), "language", "language"), "100000");
    // Nothing where the program was started.
    EXPECT_TRUE(fs::is_empty(dir / "start"));

    // The next start finds the folder as it was left, whatever the locale is now.
    ::setenv("LANG", "en_US.UTF-8", 1);
    IniWrite((PerUser() / "system.ini").string(), "computer", "com", "sim");
    start = PrepareStartFolder(Start(), "vgr47", "/docs");
    EXPECT_EQ(start.values.languageOffset, 100000);
    EXPECT_EQ(start.values.portName, "sim");
}

TEST_F(StartFolderTest, AFolderWithSystemIniIsTheProgramFolderAsBefore) {
    IniWrite((dir / "start" / "system.ini").string(), "computer", "com", "com3");
    ::setenv("LANG", "en_US.UTF-8", 1);
    StartFolder start = PrepareStartFolder(Start(), "vgr47", "/docs");
    EXPECT_EQ(start.values.programDir, Start());
    EXPECT_EQ(start.values.portName, "com3");
    EXPECT_EQ(start.values.languageOffset, 100000);  // no language key: Chinese, as always
    EXPECT_EQ(start.values.fileFolder, "");          // dialogs start in the current folder
    EXPECT_FALSE(fs::exists(dir / "home" / ".config"));
}

TEST_F(StartFolderTest, WithoutAPerUserFolderTheLocaleStillChoosesTheLanguage) {
    std::ofstream(dir / "home" / ".config") << "not a folder";
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
    StartFolder start = PrepareStartFolder(Start(), "vgr47", "/docs");
    EXPECT_NE(start.problem.find(".config"), std::string::npos) << start.problem;
    EXPECT_EQ(start.values.languageOffset, 200000);
    EXPECT_TRUE(fs::is_empty(dir / "start"));
}
