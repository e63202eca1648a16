// Runs the built vgr47-cli the way a script does and checks its output, files and exit codes.
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

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device rd;
        dir = fs::temp_directory_path() / ("vgr47_cli_" + std::to_string(rd()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    // Runs the program with the arguments (already quoted as needed) in the test folder.
    CliRun Cli(const std::string& args, const std::string& program = VGR47_CLI_PATH) const {
        const fs::path out = dir / "stdout.txt", err = dir / "stderr.txt";
        std::string command = "cd '" + dir.string() + "' && '" + program + "' " + args + " >'" +
                              out.string() + "' 2>'" + err.string() + "'";
        int status = std::system(command.c_str());
        CliRun run;
        run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadAll(out);
        run.err = ReadAll(err);
        fs::remove(out);
        fs::remove(err);
        return run;
    }
    static int Lines(const std::string& text) {
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }
    fs::path dir;
};

}  // namespace

TEST_F(CliTest, NewModelThenInfo) {
    CliRun made = Cli("new --model 15 --output x.dat");
    ASSERT_EQ(made.code, 0) << made.err;
    EXPECT_EQ(made.out, "");
    EXPECT_EQ(made.err, "");
    const std::string file = ReadAll(dir / "x.dat");
    ASSERT_EQ(file.size(), 8192u);
    EXPECT_EQ(file.substr(0x0650 * 2, 16), "4B563232305436FF");
    EXPECT_EQ(file.substr(0x0662 * 2, 4), "0505");
    EXPECT_EQ(file.substr(0x0700 * 2, 8), "00500045");  // 450.05 MHz

    CliRun info = Cli("info x.dat");
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_EQ(info.out,
              "identity: 4B563232305436FF\n"
              "model: KV220AT  (UHF:450-527MHz)\n"
              "band: 450-527\n"
              "kind: signalling\n"
              "bytes: 4096\n"
              "version: 5.05\n");
}

TEST_F(CliTest, NewWithoutModelIsTheNewCommandsImage) {
    ASSERT_EQ(Cli("new --output a.dat").code, 0);
    const std::string file = ReadAll(dir / "a.dat");
    EXPECT_EQ(file.substr(0x0650 * 2, 16), "4B5632313041F8FF");
    EXPECT_EQ(file.substr(0x0700 * 2, 8), "00506013");  // 136.05 MHz

    ASSERT_EQ(Cli("new --edition nyl74 --output b.dat").code, 0);
    CliRun info = Cli("info b.dat --edition nyl74");
    ASSERT_EQ(info.code, 0);
    EXPECT_NE(info.out.find("identity: 4B5632313054F8FF\nmodel: RD-516  (VHF:136-174MHz)\n"),
              std::string::npos);
    EXPECT_NE(info.out.find("kind: signalling\n"), std::string::npos);

    ASSERT_EQ(Cli("new --model 1 --output c.dat").code, 0);
    CliRun basic = Cli("info c.dat");
    EXPECT_NE(basic.out.find("band: 66-88\nkind: basic\n"), std::string::npos);
}

TEST_F(CliTest, InfoOfFilesNotWrittenBySave) {
    // A basic model's image read from the radio and never saved: short, no version.
    std::string image(1856 * 2, 'F');
    image.replace(0x0650 * 2, 16, "4b5632323041f8ff");
    std::ofstream(dir / "radio.dat", std::ios::binary) << image;
    CliRun info = Cli("info radio.dat");
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_EQ(info.out,
              "identity: 4B5632323041F8FF\n"
              "model: KV220A  (UHF:438-480MHz)\n"
              "band: 438-480\n"
              "kind: basic\n"
              "bytes: 1856\n"
              "version: none\n");

    std::ofstream(dir / "text.txt", std::ios::binary) << "hello";
    CliRun bad = Cli("info text.txt");
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(Lines(bad.err), 1);
    EXPECT_EQ(bad.err.find("vgr47-cli: text.txt: "), 0u);
    EXPECT_EQ(bad.out, "");

    CliRun missing = Cli("info nothing.dat");
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(Lines(missing.err), 1);
}

TEST_F(CliTest, FailuresAndUsageErrors) {
    CliRun cannot = Cli("new --output missing/x.dat");
    EXPECT_EQ(cannot.code, 1);
    EXPECT_EQ(Lines(cannot.err), 1);
    EXPECT_FALSE(fs::exists(dir / "missing"));

    for (const char* args :
         {"", "bogus", "new", "new --output", "new --model 16 --output x.dat",
          "new --model -1 --output x.dat", "new --model 1x --output x.dat",
          "new --edition VGR47 --output x.dat", "new --colour red --output x.dat",
          "new extra --output x.dat", "info", "info a.dat b.dat", "info a.dat --edition none"}) {
        SCOPED_TRACE(args);
        CliRun run = Cli(args);
        EXPECT_EQ(run.code, 2);
        EXPECT_FALSE(run.err.empty());
        EXPECT_FALSE(fs::exists(dir / "x.dat"));
    }
    CliRun help = Cli("--help");
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("new [--model INDEX] [--edition KEY] --output FILE"),
              std::string::npos);
}

TEST_F(CliTest, WorksWithoutTextFile) {
    // A copy of the program with no language.sys anywhere it looks.
    fs::create_directories(dir / "bin" / "lone");
    const fs::path copy = dir / "bin" / "lone" / "vgr47-cli";
    fs::copy_file(VGR47_CLI_PATH, copy);
    CliRun run = Cli("new --output missing/x.dat", copy.string());
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "vgr47-cli: missing/x.dat: The file could not be saved.\n");
    // With the build tree's texts the catalogue's wording is used.
    CliRun built = Cli("new --output missing/x.dat");
    EXPECT_NE(built.err, run.err);
    EXPECT_EQ(Lines(built.err), 1);
}
