// vgr47-cli dump and load on the dtmf and acs areas, as a script uses them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

struct CliResult {
    int code = -1;
    std::string out, err;
};

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class DumpCli : public ::testing::Test {
  protected:
    DumpCli()
        : dir(fs::temp_directory_path() /
              ("vgr47_dtmf_" + std::to_string(std::random_device()()))) {
        fs::create_directories(dir);
    }
    ~DumpCli() override { fs::remove_all(dir); }
    CliResult Cli(const std::string& args) const {
        const std::string out = (dir / "out.txt").string(), err = (dir / "err.txt").string();
        int status = std::system(("cd '" + dir.string() + "' && '" VGR47_CLI_PATH "' " + args +
                                  " >'" + out + "' 2>'" + err + "'")
                                     .c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out), Slurp(err)};
    }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(dir / name) << text;
    }
    fs::path dir;
};

}  // namespace

TEST_F(DumpCli, SignallingCodeplugRoundTripsAChangedCode) {
    ASSERT_EQ(Cli("new --model 8 --output s.dat").code, 0);
    CliResult dump = Cli("dump s.dat");
    ASSERT_EQ(dump.code, 0) << dump.err;
    EXPECT_NE(dump.out.find("\ndtmf.rate = 0  # 6\n"), std::string::npos);
    EXPECT_NE(dump.out.find("\ndtmf.digit_code.1 = \"12345\"\ndtmf.digit_code.2 =\n"),
              std::string::npos);
    EXPECT_NE(dump.out.find("\nacs.cycles = 1  # 3\n"), std::string::npos);
    EXPECT_NE(dump.out.find("\nacs.channel.8 =\n"), std::string::npos);
    EXPECT_LT(dump.out.find("dtmf.rate"), dump.out.find("acs.cycles"));

    Write("bad.txt", "dtmf.code.2 = \"1E\"\n");
    CliResult bad = Cli("load s.dat bad.txt --output t.dat");
    EXPECT_NE(bad.code, 0);
    EXPECT_NE(bad.err.find("bad.txt:1: dtmf.code.2: "), std::string::npos) << bad.err;
    EXPECT_FALSE(fs::exists(dir / "t.dat"));

    Write("good.txt", "dtmf.code.2 = \"*9a\"\n");
    CliResult good = Cli("load s.dat good.txt --output t.dat");
    ASSERT_EQ(good.code, 0) << good.err;
    CliResult again = Cli("dump t.dat");
    EXPECT_NE(again.out.find("\ndtmf.code.2 = \"*9A\"\n"), std::string::npos);
}
