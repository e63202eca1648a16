// Runs the built vgr47-cli the way a script does: output, files and exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

struct CliRun {
    int code = -1;
    std::string out, err;
};

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class CliTest : public ::testing::Test {
  protected:
    CliTest()
        : dir(fs::temp_directory_path() / ("vgr47_cli_" + std::to_string(std::random_device()()))) {
        fs::create_directories(dir);
    }
    ~CliTest() override { fs::remove_all(dir); }
    // Runs the program in the test folder; arguments are passed through the shell as they stand.
    CliRun Cli(const std::string& args, const std::string& program = VGR47_CLI_PATH) const {
        const std::string out = (dir / "out.txt").string(), err = (dir / "err.txt").string();
        int status = std::system(("cd '" + dir.string() + "' && '" + program + "' " + args + " >'" +
                                  out + "' 2>'" + err + "'")
                                     .c_str());
        CliRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(out), ReadAll(err)};
        fs::remove(out);
        fs::remove(err);
        return run;
    }
    fs::path dir;
};

}  // namespace

TEST_F(CliTest, NewModelThenInfo) {
    CliRun made = Cli("new --model 15 --output x.dat");
    ASSERT_EQ(made.code, 0) << made.err;
    EXPECT_EQ(made.out + made.err, "");
    const std::string file = ReadAll(dir / "x.dat");
    ASSERT_EQ(file.size(), 8192u);
    EXPECT_EQ(file.substr(0x0700 * 2, 8), "00500045");  // 450.05 MHz

    CliRun info = Cli("info x.dat");
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_EQ(info.out,
              "identity: 4B563232305436FF\nmodel: KV220AT  (UHF:450-527MHz)\nband: 450-527\n"
              "kind: signalling\nbytes: 4096\nversion: 5.05\n");

    ASSERT_EQ(Cli("new --edition nyl74 --output b.dat").code, 0);
    EXPECT_EQ(
        Cli("info b.dat --edition nyl74").out.find("identity: 4B5632313054F8FF\nmodel: RD-516 "),
        0u);
}

TEST_F(CliTest, InfoOfAnUnsavedRadioImageAndOfOtherFiles) {
    std::string image(1856 * 2, 'F');
    std::ofstream(dir / "radio.dat") << image.replace(0x0650 * 2, 16, "4b5632323041f8ff");
    EXPECT_EQ(Cli("info radio.dat").out,
              "identity: 4B5632323041F8FF\nmodel: KV220A  (UHF:438-480MHz)\nband: 438-480\n"
              "kind: basic\nbytes: 1856\nversion: none\n");

    std::ofstream(dir / "text.txt") << "hello";
    for (const char* args : {"info text.txt", "info nothing.dat", "new --output missing/x.dat"}) {
        CliRun run = Cli(args);
        EXPECT_EQ(run.code, 1) << args;
        EXPECT_EQ(Lines(run.err), 1) << args;
        EXPECT_EQ(run.out, "") << args;
    }
}

TEST_F(CliTest, UsageErrors) {
    for (const char* args : {"", "bogus", "new", "new --output", "new --model 16 --output x.dat",
                             "new --model 1x --output x.dat", "new --edition VGR47 --output x.dat",
                             "new --colour red --output x.dat", "info", "info a.dat b.dat"}) {
        CliRun run = Cli(args);
        EXPECT_EQ(run.code, 2) << args;
        EXPECT_FALSE(run.err.empty()) << args;
        EXPECT_FALSE(fs::exists(dir / "x.dat")) << args;
    }
}

TEST_F(CliTest, WorksWithoutTextFile) {
    fs::create_directories(dir / "bin" / "lone");  // nowhere near a language.sys
    const fs::path copy = dir / "bin" / "lone" / "vgr47-cli";
    fs::copy_file(VGR47_CLI_PATH, copy);
    CliRun run = Cli("new --output missing/x.dat", copy.string());
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err.rfind("vgr47-cli: missing/x.dat: The file could not be saved. Check that", 0),
              0u)
        << run.err;
    // The built-in texts are the shipped ones, word for word.
    EXPECT_EQ(Cli("new --output missing/x.dat").err, run.err);
}
