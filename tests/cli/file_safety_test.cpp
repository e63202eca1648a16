// vgr47-cli as a careless script uses it: outputs that are not regular files, settings texts
// from pipes, folders and devices, and a program installed without its text file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

struct CliRun {
    int code = -1;
    std::string out, err;
};

class CliFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs a bash command line in the test folder, with $CLI naming the program; a runaway
    // read cannot take more than 2 GB of memory.
    CliRun Bash(const std::string& line, const std::string& program = VGR47_CLI_PATH) const {
        const fs::path script = dir / "run.sh", out = dir / "stdout.txt", err = dir / "stderr.txt";
        // The user's own folders are never touched: HOME and XDG folders are the test's.
        WriteFile(script, "cd '" + dir.string() + "' || exit 99\nulimit -v 2000000\n" +
                              "export HOME=\"$PWD/home\" XDG_DATA_HOME=\"$PWD/home/data\" " +
                              "XDG_CONFIG_HOME=\"$PWD/home/config\"\nCLI='" + program + "'\n" +
                              line + "\n");
        int status = std::system(
            ("bash '" + script.string() + "' >'" + out.string() + "' 2>'" + err.string() + "'")
                .c_str());
        CliRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
        fs::remove(script);
        fs::remove(out);
        fs::remove(err);
        return run;
    }
    bool IsFifo(const std::string& name) const {
        struct stat st {};
        return ::lstat((dir / name).c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
    }

    const fs::path dir = fs::temp_directory_path() /
                         ("vgr47_cli_files_" + std::to_string(::getpid()) + "_" +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

}  // namespace

TEST_F(CliFiles, OutputsThatAreNotRegularFilesAreRefusedAndDashIsStandardOutput) {
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    fs::create_directory(dir / "folder");
    for (const char* target : {"pipe", "folder"}) {
        CliRun r = Bash("timeout 20 \"$CLI\" new --output " + std::string(target));
        EXPECT_EQ(r.code, 1) << target;
        EXPECT_EQ(Lines(r.err), 1) << r.err;
        EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
    }
    EXPECT_TRUE(IsFifo("pipe"));
    EXPECT_TRUE(fs::is_directory(dir / "folder"));

    CliRun made = Bash("\"$CLI\" new --model 15 --output -");
    ASSERT_EQ(made.code, 0) << made.err;
    EXPECT_EQ(made.out.size(), 8192u);
    EXPECT_EQ(made.out.substr(0x0650 * 2, 16), "4B563232305436FF");
    EXPECT_FALSE(fs::exists(dir / "-"));

    // Settings from standard input, the codeplug to standard output.
    WriteFile(dir / "a.dat", made.out);
    CliRun loaded =
        Bash("echo 'options.squelch = 7' | \"$CLI\" load a.dat - --output - | cat > b.dat");
    ASSERT_EQ(loaded.code, 0) << loaded.err;
    EXPECT_NE(Bash("\"$CLI\" dump b.dat").out.find("options.squelch = 7  # 7\n"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "-"));
}

TEST_F(CliFiles, AReadOnlyOutputIsRefusedAndKeepsItsContent) {
    WriteFile(dir / "kept.dat", "OLD");
    fs::permissions(dir / "kept.dat", fs::perms(0444));
    CliRun r = Bash("\"$CLI\" new --output kept.dat");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("kept.dat: The file is read-only"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(dir / "kept.dat"), "OLD");
}

TEST_F(CliFiles, ARadioReadCanGoToStandardOutput) {
    CliRun r = Bash("\"$CLI\" read --port sim --sim-model 0 --output - | cat > read.dat");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(fs::file_size(dir / "read.dat"), 3712u);
    EXPECT_FALSE(fs::exists(dir / "-"));
}

TEST_F(CliFiles, SettingsTextComesFromAFileAPipeOrStandardInputOnly) {
    ASSERT_EQ(Bash("\"$CLI\" new --model 8 --output a.dat").code, 0);
    WriteFile(dir / "t.txt", "options.squelch = 7\n");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    CliRun good = Bash(
        "set -e\n"
        "\"$CLI\" load a.dat t.txt --output 1.dat\n"
        "\"$CLI\" load a.dat <(echo 'options.squelch = 7') --output 2.dat\n"
        "\"$CLI\" load a.dat /dev/stdin --output 3.dat < t.txt\n"
        "\"$CLI\" load a.dat - --output 4.dat < t.txt\n"
        "cat t.txt > fifo & \"$CLI\" load a.dat fifo --output 5.dat; wait");
    ASSERT_EQ(good.code, 0) << good.err;
    for (const char* out : {"2.dat", "3.dat", "4.dat", "5.dat"})
        EXPECT_EQ(ReadFile(dir / out), ReadFile(dir / "1.dat")) << out;
    EXPECT_NE(ReadFile(dir / "1.dat"), ReadFile(dir / "a.dat"));

    fs::create_directory(dir / "folder");
    WriteFile(dir / "huge.txt", std::string((1 << 20) + 1, '#'));
    for (const char* text : {"/dev/zero", "folder", "huge.txt", "missing.txt"}) {
        CliRun r = Bash("timeout 20 \"$CLI\" load a.dat " + std::string(text) + " --output o.dat");
        EXPECT_EQ(r.code, 1) << text;
        EXPECT_EQ(Lines(r.err), 1) << text << ": " << r.err;
        EXPECT_EQ(r.err.rfind(std::string("vgr47-cli: ") + text + ": ", 0), 0u) << r.err;
        EXPECT_FALSE(fs::exists(dir / "o.dat")) << text;
    }
}

TEST_F(CliFiles, WithoutItsTextFileTheProgramStillSpeaks) {
    // An installation as <prefix>/bin/vgr47-cli, started from a folder without language.sys.
    fs::create_directories(dir / "prefix/bin");
    fs::create_directories(dir / "work");
    fs::copy_file(VGR47_CLI_PATH, dir / "prefix/bin/vgr47-cli");
    const std::string copy = (dir / "prefix/bin/vgr47-cli").string();
    CliRun r = Bash("cd work && \"$CLI\" radio-info --port /nonexistent/tty", copy);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.find("Text 3012"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("The serial port could not be opened."), std::string::npos) << r.err;

    // Installed beside it in <prefix>/share/vgr47, the text file is found and used.
    fs::create_directories(dir / "prefix/share/vgr47");
    std::string catalogue = ReadFile(std::string(VGR47_SOURCE_DIR) + "/resources/language.sys");
    const std::string english = "203012=The serial port could not be opened.";
    ASSERT_NE(catalogue.find(english), std::string::npos);
    catalogue.replace(catalogue.find(english), english.size(), "203012=Installed port text.");
    WriteFile(dir / "prefix/share/vgr47/language.sys", catalogue);
    r = Bash("cd work && \"$CLI\" radio-info --port /nonexistent/tty", copy);
    EXPECT_NE(r.err.find("Installed port text."), std::string::npos) << r.err;
}
