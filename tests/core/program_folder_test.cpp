// Where the program keeps its settings: the folder it was started in when that folder holds its
// files, else the per-user folder, made on the first start with the user's language and no port.
#include "core/program_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "core/ini_file.h"
#include "core/text_catalogue.h"

using namespace vgr47;
namespace fs = std::filesystem;

namespace {

// Sets environment variables for one test and puts the old values back afterwards.
class ScopedEnvironment {
  public:
    void Set(const char* name, const std::optional<std::string>& value) {
        if (!saved_.count(name)) {
            const char* old = std::getenv(name);
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }

  private:
    std::map<std::string, std::optional<std::string>> saved_;
};

class ProgramFolderTest : public ::testing::Test {
  protected:
    ProgramFolderTest()
        : dir(fs::temp_directory_path() /
              ("vgr47_folder_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::remove_all(dir);
        fs::create_directories(dir / "start");
    }
    ~ProgramFolderTest() override { fs::remove_all(dir); }
    void Touch(const fs::path& path) { std::ofstream(path) << "[language]\n"; }
    std::string Start() const { return (dir / "start").string(); }
    std::string PerUser() const { return (dir / "config" / "vgr47").string(); }

    fs::path dir;
    ScopedEnvironment env;
};

}  // namespace

TEST(PerUserFolderTest, FollowsXdgConfigHomeWhenAbsoluteElseHome) {
    EXPECT_EQ(PerUserFolder("/x/conf", "/home/u"), "/x/conf/vgr47");
    // Unset, empty or relative XDG_CONFIG_HOME: the default under HOME.
    EXPECT_EQ(PerUserFolder("", "/home/u"), "/home/u/.config/vgr47");
    EXPECT_EQ(PerUserFolder("conf", "/home/u"), "/home/u/.config/vgr47");
    EXPECT_EQ(PerUserFolder("", ""), "");
    EXPECT_EQ(PerUserFolder("", "relative/home"), "");
}

TEST_F(ProgramFolderTest, AFolderHoldingTheProgramsFilesIsKeptAsItIs) {
    Touch(dir / "start" / "system.ini");
    ProgramFolder chosen = ChooseProgramFolder(Start(), PerUser());
    EXPECT_EQ(chosen.path, Start());
    EXPECT_FALSE(chosen.perUser);

    // A portable copy before its first start holds only language.sys.
    fs::remove(dir / "start" / "system.ini");
    Touch(dir / "start" / "language.sys");
    chosen = ChooseProgramFolder(Start(), PerUser());
    EXPECT_EQ(chosen.path, Start());
    EXPECT_FALSE(chosen.perUser);
}

TEST_F(ProgramFolderTest, AnyOtherFolderGivesThePerUserFolder) {
    fs::create_directories(dir / "start" / "system.ini.d");  // a folder is not the file
    Touch(dir / "start" / "notes.txt");
    ProgramFolder chosen = ChooseProgramFolder(Start(), PerUser());
    EXPECT_EQ(chosen.path, PerUser());
    EXPECT_TRUE(chosen.perUser);
    // Choosing writes nothing anywhere.
    EXPECT_FALSE(fs::exists(PerUser()));
    EXPECT_FALSE(fs::exists(dir / "start" / "system.ini"));
    // Without any home folder there is nowhere else to go.
    EXPECT_EQ(ChooseProgramFolder(Start(), "").path, Start());
}

TEST_F(ProgramFolderTest, ARestartInsideThePerUserFolderStaysPerUser) {
    // A language switch restarts the program in its program folder, which holds system.ini.
    fs::create_directories(PerUser());
    Touch(fs::path(PerUser()) / "system.ini");
    ProgramFolder chosen = ChooseProgramFolder(PerUser() + "/", PerUser());
    EXPECT_TRUE(chosen.perUser);
}

TEST_F(ProgramFolderTest, TheEnvironmentNamesThePerUserFolder) {
    env.Set("HOME", (dir / "home").string());
    env.Set("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(ProgramFolderFromEnvironment(Start()).path, (dir / "home/.config/vgr47").string());
    env.Set("XDG_CONFIG_HOME", (dir / "config").string());
    EXPECT_EQ(ProgramFolderFromEnvironment(Start()).path, PerUser());
}

TEST(LocaleLanguageTest, ChineseOnlyForChineseLocales) {
    EXPECT_EQ(LanguageOffsetForLocale("zh_CN.UTF-8"), kChineseOffset);
    EXPECT_EQ(LanguageOffsetForLocale("zh_TW"), kChineseOffset);
    EXPECT_EQ(LanguageOffsetForLocale("zh"), kChineseOffset);
    for (const char* other : {"en_US.UTF-8", "de_DE.UTF-8", "C", "C.UTF-8", "POSIX", "", "z"})
        EXPECT_EQ(LanguageOffsetForLocale(other), kEnglishOffset) << other;
}

TEST(LocaleLanguageTest, MessagesLocaleFollowsTheUsualPrecedence) {
    ScopedEnvironment env;
    env.Set("LC_ALL", std::nullopt);
    env.Set("LC_MESSAGES", std::nullopt);
    env.Set("LANG", "en_GB.UTF-8");
    EXPECT_EQ(UserMessagesLocale(), "en_GB.UTF-8");
    env.Set("LC_MESSAGES", "zh_CN.UTF-8");
    EXPECT_EQ(UserMessagesLocale(), "zh_CN.UTF-8");
    env.Set("LC_ALL", "");  // set but empty counts as unset
    EXPECT_EQ(UserMessagesLocale(), "zh_CN.UTF-8");
    env.Set("LC_ALL", "de_DE.UTF-8");
    EXPECT_EQ(UserMessagesLocale(), "de_DE.UTF-8");
}

TEST_F(ProgramFolderTest, TheFirstStartMakesAPrivateFolderWithTheLanguageAndNoPort) {
    std::string problem;
    ASSERT_TRUE(PreparePerUserFolder(PerUser(), kEnglishOffset, problem)) << problem;
    EXPECT_TRUE(problem.empty());
    const std::string ini = PerUser() + "/system.ini";
    EXPECT_EQ(IniRead(ini, "language", "language"), "200000");
    EXPECT_EQ(IniRead(ini, "computer", "com"), "");
    // Both the missing base folder and the program's own are private to the user.
    for (const fs::path& made : {dir / "config", fs::path(PerUser())}) {
        struct stat st {};
        ASSERT_EQ(::stat(made.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0700u) << made;
    }

    // Later starts keep what the user chose, whatever the locale says now.
    IniWrite(ini, "computer", "com", "/dev/ttyUSB0");
    ASSERT_TRUE(PreparePerUserFolder(PerUser(), kChineseOffset, problem)) << problem;
    EXPECT_EQ(IniRead(ini, "language", "language"), "200000");
    EXPECT_EQ(IniRead(ini, "computer", "com"), "/dev/ttyUSB0");
}

TEST_F(ProgramFolderTest, AnExistingFolderKeepsItsPermissions) {
    fs::create_directories(PerUser());
    fs::permissions(PerUser(), fs::perms(0755));
    std::string problem;
    ASSERT_TRUE(PreparePerUserFolder(PerUser(), kChineseOffset, problem)) << problem;
    EXPECT_EQ(fs::status(PerUser()).permissions() & fs::perms::mask, fs::perms(0755));
    EXPECT_EQ(IniRead(PerUser() + "/system.ini", "language", "language"), "100000");
}

TEST_F(ProgramFolderTest, AFolderThatCannotBeMadeIsReportedWithItsPath) {
    Touch(dir / "config");  // a file where the base folder should be
    std::string problem;
    EXPECT_FALSE(PreparePerUserFolder(PerUser(), kEnglishOffset, problem));
    EXPECT_NE(problem.find((dir / "config").string()), std::string::npos) << problem;
    EXPECT_TRUE(fs::is_regular_file(dir / "config"));
}

TEST_F(ProgramFolderTest, ASystemIniThatIsNotAFileIsLeftAlone) {
    fs::create_directories(fs::path(PerUser()) / "system.ini");
    std::string problem;
    EXPECT_TRUE(PreparePerUserFolder(PerUser(), kEnglishOffset, problem)) << problem;
    EXPECT_TRUE(fs::is_directory(fs::path(PerUser()) / "system.ini"));
}
