// vgr47-cli channels --csv, import-csv and diff on whole files.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// One folder per process and test: other checkouts test beside this one.
struct CliFolder {
    fs::path dir = fs::temp_directory_path() /
                   ("vgr47_interchange_" + std::to_string(::getpid()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    CliFolder() { fs::create_directories(dir); }
    ~CliFolder() { fs::remove_all(dir); }
    std::string Path(const std::string& name) const { return "'" + (dir / name).string() + "'"; }
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

struct CliRun {
    int code = -1;
    std::string out, err;
};

CliRun Cli(const CliFolder& f, const std::string& args) {
    const fs::path out = f.dir / "stdout.txt", err = f.dir / "stderr.txt";
    const int status = std::system((std::string("'") + VGR47_CLI_PATH + "' " + args + " >'" +
                                    out.string() + "' 2>'" + err.string() + "'")
                                       .c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
}

const std::string kHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

TEST(CliInterchange, ImportCsvMergesReportsSkippedRowsAndExportsTheSameRows) {
    CliFolder f;
    ASSERT_EQ(Cli(f, "new --model 0 --output " + f.Path("a.dat")).code, 0);
    std::ofstream(f.dir / "in.csv", std::ios::binary)
        << "Location,Frequency,Duplex,Offset,Tone,rToneFreq,Mode,Skip\n"
           "5,145.125,+,0.6,Tone,88.5,NFM,\n"
           "101,150.0,off,,,,FM,S\n"
           "102,150.0,,,,,FM,\n";
    CliRun run = Cli(f, "import-csv " + f.Path("a.dat") + " " + f.Path("in.csv") + " --output " +
                            f.Path("b.dat"));
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.err.find("in.csv: Line 4: this radio has no channel 102"), std::string::npos)
        << run.err;

    run = Cli(f, "channels " + f.Path("b.dat") + " --csv");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(
        run.out,
        kHeader +
            "\r\n5,,145.125000,+,0.600000,Tone,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,,5.0W,,,,,"
            "\r\n101,,150.000000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,S,5.0W,,,,,"
            "\r\n");

    // --replace: only the file's channels remain.
    std::ofstream(f.dir / "one.csv") << "Location,Frequency\n7,146.0\n";
    ASSERT_EQ(Cli(f, "import-csv " + f.Path("b.dat") + " " + f.Path("one.csv") +
                         " --replace --output " + f.Path("c.dat"))
                  .code,
              0);
    run = Cli(f, "channels " + f.Path("c.dat"));
    EXPECT_EQ(run.out.substr(0, 12), "7\t146.00000\t");
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
}

TEST(CliInterchange, ImportWithoutAGoodRowWritesNothing) {
    CliFolder f;
    ASSERT_EQ(Cli(f, "new --model 8 --output " + f.Path("a.dat")).code, 0);
    std::ofstream(f.dir / "bad.csv") << "Location,Frequency\n100,145.0\n1,999\n";
    const CliRun run = Cli(f, "import-csv " + f.Path("a.dat") + " " + f.Path("bad.csv") +
                                  " --output " + f.Path("b.dat"));
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("nothing was changed"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Line 2: this radio has no channel 100"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Line 3: 999.00000 MHz lies outside"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(f.dir / "b.dat"));
}

TEST(CliInterchange, DiffPrintsChangedSettingsAndExitsAsDiffDoes) {
    CliFolder f;
    ASSERT_EQ(Cli(f, "new --model 8 --output " + f.Path("a.dat")).code, 0);
    CliRun run = Cli(f, "diff " + f.Path("a.dat") + " " + f.Path("a.dat"));
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "");

    std::ofstream(f.dir / "change.txt") << "options.tot = 3\nkeys.a = 2\n";
    ASSERT_EQ(Cli(f, "load " + f.Path("a.dat") + " " + f.Path("change.txt") + " --output " +
                         f.Path("b.dat"))
                  .code,
              0);
    run = Cli(f, "diff " + f.Path("a.dat") + " " + f.Path("b.dat"));
    EXPECT_EQ(run.code, 1);
    // In dump order: the keys area comes before the options area.
    const std::size_t keys = run.out.find("keys.a: 1  # Call 1 -> 2  # "),
                      scan = run.out.find("options.tot: 2  # 60 -> 3  # ");
    EXPECT_NE(keys, std::string::npos) << run.out;
    EXPECT_NE(scan, std::string::npos) << run.out;
    EXPECT_LT(keys, scan);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2) << run.out;

    ASSERT_EQ(Cli(f, "new --model 10 --output " + f.Path("c.dat")).code, 0);
    run = Cli(f, "diff " + f.Path("a.dat") + " " + f.Path("c.dat"));
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("different models"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("model.identity: 4B5632313054F8FF -> 4B5632323054F8FF\n"),
              std::string::npos)
        << run.out;

    run = Cli(f, "diff " + f.Path("a.dat") + " " + f.Path("missing.dat"));
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(Cli(f, "diff " + f.Path("a.dat")).code, 2);
}

}  // namespace
