// Saving never loses or damages data: what a save replaces, what it refuses, and what the
// replaced file keeps (permission bits, owner, the link that led to it).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/codeplug_lib.h"
#include "core/data_file.h"
#include "core/text_ids.h"

using namespace vgr47;
namespace fs = std::filesystem;

namespace {

class SafeSaveTest : public ::testing::Test {
  protected:
    SafeSaveTest()
        : dir(fs::temp_directory_path() /
              ("vgr47_save_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~SafeSaveTest() override { fs::remove_all(dir); }

    std::string Path(const std::string& name) const { return (dir / name).string(); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static mode_t Mode(const std::string& path) {
        struct stat st {};
        return ::lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
    }
    // Names in the folder besides the ones a test made on purpose.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir;
};

// Standard output goes to a file while it lives.
class CapturedStdout {
  public:
    explicit CapturedStdout(const std::string& path) {
        std::fflush(stdout);
        saved_ = ::dup(1);
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, 1);
        ::close(fd);
    }
    ~CapturedStdout() {
        std::fflush(stdout);
        ::dup2(saved_, 1);
        ::close(saved_);
    }

  private:
    int saved_ = -1;
};

// Changes the current folder while it lives, so nothing lands in the build tree.
class InFolder {
  public:
    explicit InFolder(const fs::path& folder) : before_(fs::current_path()) {
        fs::current_path(folder);
    }
    ~InFolder() { fs::current_path(before_); }

  private:
    fs::path before_;
};

}  // namespace

TEST_F(SafeSaveTest, RegularFileIsReplacedAndKeepsItsPermissions) {
    Write("a.dat", "OLD");
    fs::permissions(Path("a.dat"), fs::perms(0640));
    EXPECT_EQ(WriteTextFile(Path("a.dat"), "NEW"), 3);
    EXPECT_EQ(Read("a.dat"), "NEW");
    EXPECT_EQ(Mode(Path("a.dat")) & 07777, 0640u);
    EXPECT_EQ(Names(), std::vector<std::string>{"a.dat"});  // no temporary file left
}

TEST_F(SafeSaveTest, ReadOnlyFileIsRefusedForEveryUser) {
    Write("a.dat", "OLD");
    fs::permissions(Path("a.dat"), fs::perms(0444));
    EXPECT_EQ(SaveFileSafely(Path("a.dat"), "NEW").problem, SaveProblem::ReadOnly);
    EXPECT_EQ(Read("a.dat"), "OLD");
    EXPECT_EQ(Mode(Path("a.dat")) & 07777, 0444u);
    EXPECT_EQ(Names(), std::vector<std::string>{"a.dat"});
}

TEST_F(SafeSaveTest, NewNameIsCreatedWithTheUsualPermissions) {
    const mode_t mask = ::umask(022);
    EXPECT_EQ(WriteTextFile(Path("new.dat"), "NEW"), 3);
    ::umask(mask);
    EXPECT_EQ(Read("new.dat"), "NEW");
    EXPECT_EQ(Mode(Path("new.dat")) & 07777, 0644u);
}

TEST_F(SafeSaveTest, FolderFifoAndDeviceAreLeftAlone) {
    fs::create_directory(dir / "folder");
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0644), 0);
    std::string device = "/dev/null";
    // Where the program may make device nodes, a private one is safer to aim at.
    if (::mknod(Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) device = Path("null");
    const mode_t deviceMode = Mode(device);
    for (const std::string& target : {Path("folder"), Path("pipe"), device}) {
        SCOPED_TRACE(target);
        EXPECT_EQ(SaveFileSafely(target, "NEW").problem, SaveProblem::NotRegularFile);
    }
    EXPECT_TRUE(S_ISDIR(Mode(Path("folder"))));
    EXPECT_TRUE(S_ISFIFO(Mode(Path("pipe"))));
    EXPECT_EQ(Mode(device), deviceMode);
    EXPECT_TRUE(S_ISCHR(Mode(device)));
}

TEST_F(SafeSaveTest, DashIsStandardOutput) {
    InFolder here(dir);
    {
        CapturedStdout captured(Path("stdout.txt"));
        EXPECT_EQ(WriteTextFile("-", "NEW"), 3);
    }
    EXPECT_EQ(Read("stdout.txt"), "NEW");
    EXPECT_FALSE(fs::exists(dir / "-"));
}

TEST_F(SafeSaveTest, LinkIsKeptAndItsTargetReplaced) {
    fs::create_directory(dir / "real");
    Write("real/a.dat", "OLD");
    fs::permissions(Path("real/a.dat"), fs::perms(0600));
    fs::create_symlink("real/a.dat", dir / "link.dat");
    fs::create_symlink("link.dat", dir / "chain.dat");
    EXPECT_EQ(WriteTextFile(Path("chain.dat"), "NEW"), 3);
    EXPECT_TRUE(fs::is_symlink(dir / "link.dat"));
    EXPECT_TRUE(fs::is_symlink(dir / "chain.dat"));
    EXPECT_EQ(Read("real/a.dat"), "NEW");
    EXPECT_EQ(Mode(Path("real/a.dat")) & 07777, 0600u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"chain.dat", "link.dat", "real"}));
    // A link to a read-only file is refused like the file itself.
    fs::permissions(Path("real/a.dat"), fs::perms(0444));
    EXPECT_EQ(WriteTextFile(Path("link.dat"), "NEWER"), -1);
    EXPECT_EQ(Read("real/a.dat"), "NEW");
}

TEST_F(SafeSaveTest, OwnerAndGroupAreKeptWhenRunAsRoot) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file away";
    Write("a.dat", "OLD");
    ASSERT_EQ(::chown(Path("a.dat").c_str(), 1234, 5678), 0);
    fs::permissions(Path("a.dat"), fs::perms(0664));
    EXPECT_EQ(WriteTextFile(Path("a.dat"), "NEW"), 3);
    struct stat st {};
    ASSERT_EQ(::stat(Path("a.dat").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 1234u);
    EXPECT_EQ(st.st_gid, 5678u);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
}

TEST_F(SafeSaveTest, StaleTemporaryFilesOfTheTargetAreCleanedUp) {
    // What a save killed midway leaves behind, and files that only look alike.
    Write(".a.dat.Ab3xYz.tmp", "old temporary");
    Write(".a.dat.Qr7uVw.tmp", "a save running right now");
    Write(".b.dat.Ab3xYz.tmp", "another file's temporary");
    Write(".a.dat.notes.tmp.txt", "not a temporary");
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    fs::last_write_time(dir / ".a.dat.Ab3xYz.tmp", old);
    fs::last_write_time(dir / ".b.dat.Ab3xYz.tmp", old);
    fs::last_write_time(dir / ".a.dat.notes.tmp.txt", old);
    EXPECT_EQ(WriteTextFile(Path("a.dat"), "NEW"), 3);
    EXPECT_EQ(Names(), (std::vector<std::string>{".a.dat.Qr7uVw.tmp", ".a.dat.notes.tmp.txt",
                                                 ".b.dat.Ab3xYz.tmp", "a.dat"}));
}

TEST(FileChecks, AFifoIsNeverOpenedToSeeWhetherItExists) {
    const fs::path fifo = fs::temp_directory_path() / ("vgr47_fifo_" + std::to_string(::getpid()));
    fs::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Should the check block in open(), a writer shows up after a while and lets it go.
    std::thread writer([&fifo] {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::this_thread::sleep_for(std::chrono::seconds(2));
        while (std::chrono::steady_clock::now() < until) {
            int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) return static_cast<void>(::close(fd));
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(FileExists(fifo.string()));
    EXPECT_FALSE(LoadCodeplugFile(fifo.string()).has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    // Let the writer give up quickly when nothing blocked.
    int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    writer.join();
    ::close(reader);
    fs::remove(fifo);
}
