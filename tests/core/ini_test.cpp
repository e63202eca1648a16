#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/ini_file.h"
#include "core/settings.h"
#include "core/text_catalogue.h"

using namespace vgr47;
namespace fs = std::filesystem;

namespace {

struct TempDir {
    fs::path path;
    TempDir() {
        path = fs::temp_directory_path() / ("vgr47-ini-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string file(const std::string& name) const { return (path / name).string(); }
};

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace

TEST(IniRead, PrivateProfileSemantics) {
    const std::string text =
        "; settings\r\n[Computer]\r\nCOM = com3 \r\nquoted=\"  a b \"\r\nsingle='x'\r\nhalf=\"x\r\n"
        "blank=\r\n[language]\r\nlanguage=200000\r\n";
    EXPECT_EQ(IniReadText(text, "computer", "com"), "com3");
    EXPECT_EQ(IniReadText(text, "COMPUTER", "Quoted"), "  a b ");
    EXPECT_EQ(IniReadText(text, "computer", "single"), "x");
    EXPECT_EQ(IniReadText(text, "computer", "half"), "\"x");
    EXPECT_EQ(IniReadText(text, "computer", "blank"), "");
    EXPECT_EQ(IniReadText(text, "computer", "absent"), "");
    EXPECT_EQ(IniReadText(text, "nosuch", "com"), "");
    EXPECT_EQ(IniReadText(text, "computer", "language"), "");  // other section
    EXPECT_EQ(IniReadText(text, "language", "language"), "200000");
    EXPECT_EQ(IniRead("/nonexistent/dir/system.ini", "computer", "com"), "");

    std::string longValue(600, 'x');
    EXPECT_EQ(IniReadText("[a]\nk=" + longValue + "\n", "a", "k").size(), kIniValueLimit);
}

TEST(IniWrite, KeepsTheRestOfAHandEditedFile) {
    TempDir dir;
    const std::string path = dir.file("system.ini");
    const std::string original =
        "; my notes\r\n[Computer]\r\n  com = com1   ; old\r\n\r\n[other]\r\nx=1\r\n# trailing\r\n";
    Write(path, original);
    ASSERT_TRUE(IniWrite(path, "computer", "com", "com4"));
    EXPECT_EQ(Slurp(path),
              "; my notes\r\n[Computer]\r\ncom=com4\r\n\r\n[other]\r\nx=1\r\n# trailing\r\n");
    ASSERT_TRUE(IniWrite(path, "other", "y", "2"));
    EXPECT_EQ(Slurp(path),
              "; my notes\r\n[Computer]\r\ncom=com4\r\n\r\n[other]\r\nx=1\r\n# trailing\r\ny=2\r\n");
    ASSERT_TRUE(IniWrite(path, "computer", "file", "/a b.dat"));
    EXPECT_EQ(IniRead(path, "Computer", "FILE"), "/a b.dat");
    EXPECT_EQ(IniRead(path, "other", "x"), "1");
    ASSERT_TRUE(IniWrite(path, "new", "k", "v"));
    EXPECT_EQ(IniRead(path, "new", "k"), "v");
}

TEST(IniWrite, CreatesAMissingFileAndFailsOnAMissingFolder) {
    TempDir dir;
    Settings settings(dir.path.string());
    EXPECT_EQ(settings.GetSetting("computer", "com"), "");
    ASSERT_TRUE(settings.SetSetting("computer", "com", "sim"));
    EXPECT_EQ(settings.GetSetting("COMPUTER", "COM"), "sim");
    EXPECT_EQ(Slurp(settings.iniPath()), "[computer]\ncom=sim\n");
    EXPECT_FALSE(IniWrite(dir.file("missing/system.ini"), "a", "b", "c"));
}

TEST(IniWrite, NeverLosesTheSettingsFileOrWhatLeadsToIt) {
    TempDir dir;
    // A linked settings file keeps its link; the file it leads to gets the new value.
    fs::create_directory(dir.path / "real");
    Write(dir.file("real/system.ini"), "[a]\nkeep=1\n");
    fs::create_symlink("real/system.ini", dir.path / "system.ini");
    ASSERT_TRUE(IniWrite(dir.file("system.ini"), "a", "b", "2"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "system.ini"));
    EXPECT_EQ(Slurp(dir.file("real/system.ini")), "[a]\nkeep=1\nb=2\n");
    // Something that is there but cannot be read is neither read nor replaced (a FIFO would
    // otherwise block the program, or be replaced by a file holding one setting).
    ASSERT_EQ(::mkfifo(dir.file("fifo.ini").c_str(), 0600), 0);
    EXPECT_EQ(IniRead(dir.file("fifo.ini"), "a", "b"), "");
    EXPECT_FALSE(IniWrite(dir.file("fifo.ini"), "a", "b", "2"));
    EXPECT_TRUE(fs::is_fifo(dir.path / "fifo.ini"));
}

TEST(TextCatalogue, LooksUpByOffsetAndSeesChanges) {
    TempDir dir;
    const std::string path = dir.file("language.sys");
    Write(path, "[language]\n190006=\xE6\x8F\x90\xE7\xA4\xBA\n290006=Question\n202011=  Cannot open \n");
    TextCatalogue english(path, kEnglishOffset);
    EXPECT_EQ(english.GetText(90006), "Question");
    EXPECT_EQ(english.GetText(2011), "Cannot open");
    EXPECT_EQ(english.GetText(1), "");
    EXPECT_EQ(english.FontName(), "Tahama");
    TextCatalogue chinese(path, kChineseOffset);
    EXPECT_EQ(chinese.GetText(90006), "\xE6\x8F\x90\xE7\xA4\xBA");
    EXPECT_EQ(chinese.GetText(2011), "");
    Write(path, "[language]\n190006=\xE6\x8F\x90\xE7\xA4\xBA!\n290006=Question?\n");
    EXPECT_EQ(english.GetText(90006), "Question?");
    EXPECT_EQ(TextCatalogue(dir.file("none.sys"), kEnglishOffset).GetText(90006), "");
}
