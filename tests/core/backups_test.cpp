#include "core/backups.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "core/data_file.h"
#include "core/ini_file.h"

namespace vgr47 {
namespace {

namespace fs = std::filesystem;

class BackupsTest : public ::testing::Test {
  protected:
    BackupsTest()
        : dir(fs::temp_directory_path() /
              ("vgr47-backups-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~BackupsTest() override { fs::remove_all(dir); }

    std::set<std::string> Names(const fs::path& folder) const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            names.insert(e.path().filename().string());
        return names;
    }
    // 2024-03-05 07:08:09 local time.
    static std::time_t When(int extraSeconds = 0) {
        std::tm t{};
        t.tm_year = 124;
        t.tm_mon = 2;
        t.tm_mday = 5;
        t.tm_hour = 7;
        t.tm_min = 8;
        t.tm_sec = 9 + extraSeconds;
        t.tm_isdst = -1;
        return std::mktime(&t);
    }

    fs::path dir;
};

TEST_F(BackupsTest, FolderIsTheUsersDataFolderNeverARelativeOne) {
    EXPECT_EQ(BackupFolderFor("/data/u", "/home/u"), "/data/u/vgr47/backups");
    EXPECT_EQ(BackupFolderFor(nullptr, "/home/u"), "/home/u/.local/share/vgr47/backups");
    EXPECT_EQ(BackupFolderFor("", "/home/u"), "/home/u/.local/share/vgr47/backups");
    EXPECT_EQ(BackupFolderFor("data", "/home/u"), "/home/u/.local/share/vgr47/backups");
    EXPECT_EQ(BackupFolderFor("data", "home"), "");
    EXPECT_EQ(BackupFolderFor(nullptr, nullptr), "");
    // Every test program runs with a data folder of its own, never the user's.
    const char* xdg = std::getenv("XDG_DATA_HOME");
    ASSERT_NE(xdg, nullptr);
    EXPECT_NE(std::string(xdg).find("vgr47-test-data-"), std::string::npos);
    EXPECT_EQ(BackupFolder(), std::string(xdg) + "/vgr47/backups");
}

TEST_F(BackupsTest, NamesCarryTimeModelAndDirection) {
    std::tm t{};
    t.tm_year = 124;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_hour = 17;
    t.tm_min = 8;
    t.tm_sec = 9;
    EXPECT_EQ(BackupBaseName(t, "KV220AT  (UHF:438-480MHz)", BackupKind::Read),
              "20240305-170809_KV220AT___UHF_438-480MHz__read");
    EXPECT_EQ(BackupBaseName(t, "a/b\\c*?\"<>|", BackupKind::Written),
              "20240305-170809_a_b_c_______written");
    EXPECT_EQ(SafeFileNamePart(""), "radio");
    EXPECT_EQ(SafeFileNamePart("KV-2.0+"), "KV-2.0+");

    for (const char* name : {"20240305-170809_KV220AT_read.dat", "20240305-170809_x_written-2.dat",
                             "20240305-170809_a_b_read-17.dat"})
        EXPECT_TRUE(IsBackupFileName(name)) << name;
    for (const char* name :
         {"fleet.dat", "20240305-170809_KV220AT_read.txt", "20240305-170809__read.dat",
          "2024030-1170809_KV220AT_read.dat", "20240305-170809_KV220AT_copied.dat",
          "20240305-170809_KV220AT_read-x.dat", "20240305170809_KV220AT_read.dat"})
        EXPECT_FALSE(IsBackupFileName(name)) << name;
}

TEST_F(BackupsTest, EachBackupIsAFileOpenAcceptsUnderAFreeName) {
    const fs::path folder = dir / "new" / "backups";  // made on first use
    const std::string image = std::string(1856 * 2, 'A').replace(0, 4, "1234");
    const BackupResult first =
        KeepBackup(folder.string(), image, "KV210A", BackupKind::Read, When());
    ASSERT_TRUE(first.ok) << first.problem;
    EXPECT_EQ(fs::path(first.path).filename(), "20240305-070809_KV210A_read.dat");
    EXPECT_EQ(LoadCodeplugFile(first.path), image);

    // Two more radios finishing in the same second.
    const BackupResult second =
        KeepBackup(folder.string(), "0102", "KV210A", BackupKind::Read, When());
    const BackupResult third =
        KeepBackup(folder.string(), "0304", "KV210A", BackupKind::Read, When());
    EXPECT_EQ(fs::path(second.path).filename(), "20240305-070809_KV210A_read-2.dat");
    EXPECT_EQ(fs::path(third.path).filename(), "20240305-070809_KV210A_read-3.dat");
    EXPECT_EQ(LoadCodeplugFile(first.path), image);
    EXPECT_EQ(LoadCodeplugFile(third.path), "0304");
    EXPECT_EQ(Names(folder).size(), 3u);
}

TEST_F(BackupsTest, TheFiveHundredAndFirstRemovesTheOldestAndNothingElse) {
    for (int i = 0; i < 500; ++i) {
        std::tm t{};
        t.tm_year = 123;
        t.tm_mon = 0;
        t.tm_mday = 1 + i / 24;
        t.tm_hour = i % 24;
        char name[64];
        std::strftime(name, sizeof name, "%Y%m%d-%H%M%S_KV210A_written.dat", &t);
        std::ofstream(dir / name) << "00";
    }
    std::ofstream(dir / "fleet.dat") << "00";
    std::ofstream(dir / "notes.txt") << "keep";
    fs::create_directory(dir / "20000101-000000_KV210A_read.dat");  // a folder, not ours to touch
    ASSERT_TRUE(fs::exists(dir / "20230101-000000_KV210A_written.dat"));

    const BackupResult r = KeepBackup(dir.string(), "0506", "KV210A", BackupKind::Read, When());
    ASSERT_TRUE(r.ok) << r.problem;
    const std::set<std::string> names = Names(dir);
    EXPECT_EQ(names.size(), 500u + 3u);
    EXPECT_EQ(names.count("20230101-000000_KV210A_written.dat"), 0u);  // the oldest
    EXPECT_EQ(names.count("20230101-010000_KV210A_written.dat"), 1u);
    EXPECT_EQ(names.count(fs::path(r.path).filename().string()), 1u);
    for (const char* other : {"fleet.dat", "notes.txt", "20000101-000000_KV210A_read.dat"})
        EXPECT_EQ(names.count(other), 1u) << other;

    // Same second: the copy number orders them.
    PruneBackups(dir.string(), 0);
    std::ofstream(dir / "20240101-000000_b_read-2.dat") << "00";
    std::ofstream(dir / "20240101-000000_a_read-10.dat") << "00";
    std::ofstream(dir / "20240101-000000_c_read.dat") << "00";
    PruneBackups(dir.string(), 1);
    EXPECT_TRUE(fs::exists(dir / "20240101-000000_a_read-10.dat"));
    EXPECT_FALSE(fs::exists(dir / "20240101-000000_b_read-2.dat"));
}

TEST_F(BackupsTest, AFolderThatCannotBeMadeIsAProblemNotACrash) {
    std::ofstream(dir / "file") << "in the way";
    const BackupResult r =
        KeepBackup((dir / "file" / "backups").string(), "00", "KV", BackupKind::Read, When());
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.problem.find((dir / "file").string()), std::string::npos) << r.problem;
    EXPECT_FALSE(KeepBackup("", "00", "KV", BackupKind::Read, When()).ok);
}

TEST_F(BackupsTest, SettingTurnsThemOff) {
    EXPECT_TRUE(BackupsEnabled(dir.string()));
    IniWrite((dir / "system.ini").string(), "option", "automatic_backups", "no");
    EXPECT_FALSE(BackupsEnabled(dir.string()));
    IniWrite((dir / "system.ini").string(), "option", "automatic_backups", "yes");
    EXPECT_TRUE(BackupsEnabled(dir.string()));
}

}  // namespace
}  // namespace vgr47
