// vgr47-cli dump and load on whole files: the keys, scan and options lines of default
// codeplugs, round trips, changed lines and refused lines.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// One folder per test: CTest runs the tests of this file in parallel.
fs::path TestDir() {
    return fs::temp_directory_path() /
           ("vgr47_dump_load_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

CliRun Cli(const std::string& args) {
    const fs::path out = TestDir() / "stdout.txt", err = TestDir() / "stderr.txt";
    int status = std::system((std::string("'") + VGR47_CLI_PATH + "' " + args + " >'" +
                              out.string() + "' 2>'" + err.string() + "'")
                                 .c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
}

std::string Quoted(const fs::path& p) { return "'" + p.string() + "'"; }

// The lines of the key, scan and options areas, in their order.
std::string FormLines(const std::string& dump) {
    std::istringstream in(dump);
    std::string line, kept;
    while (std::getline(in, line))
        if (line.rfind("keys.", 0) == 0 || line.rfind("scan.", 0) == 0 ||
            line.rfind("options.", 0) == 0)
            kept += line + "\n";
    return kept;
}

// The lines of `after` that differ from the line with the same key in `before`.
std::string ChangedLines(const std::string& before, const std::string& after) {
    std::istringstream a(before), b(after);
    std::string la, lb, changed;
    while (std::getline(a, la) && std::getline(b, lb))
        if (la != lb) changed += lb + "\n";
    return changed;
}

class CliDumpLoad : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(TestDir()); }
    void TearDown() override { fs::remove_all(TestDir()); }

    fs::path NewCodeplug(int model) {
        fs::path file = TestDir() / ("model" + std::to_string(model) + ".dat");
        CliRun r = Cli("new --model " + std::to_string(model) + " --output " + Quoted(file));
        EXPECT_EQ(r.code, 0) << r.err;
        return file;
    }
};

const char kDefaultFormLines[] =
    "keys.monitor = 3  # Squelch off\n"
    "keys.a = 1  # Call 1\n"
    "keys.b = 1  # Call 2\n"
    "keys.option = 0\n"
    "scan.function = 0  # Off\n"
    "scan.priority = none\n"
    "scan.revert = 0  # Selected channel\n"
    "scan.tx_pause = 5  # 3.0\n"
    "scan.dwell = 5  # 3.0\n"
    "scan.signalling_hold = 40  # 2000\n"
    "scan.power_on_scan = 1  # Scan at power-on\n"
    "options.tot = 2  # 60\n"
    "options.tot_prealert = 0  # Off\n"
    "options.tot_rekey = 0  # Off\n"
    "options.tot_reset = 0  # Off\n"
    "options.squelch = 3  # 3\n"
    "options.power = 0  # Low\n"
    "options.key_lock = 1\n"
    "options.user_settings = 1\n"
    "options.disable_manual_tuning = 1\n"
    "options.disable_self_programming = 1\n"
    "options.power_on = 1\n"
    "options.ptt_mode = 2  # Press to toggle\n"
    "options.auto_answer_delay = 255  # 12750\n";

TEST_F(CliDumpLoad, DumpsTheDefaultCodeplugsOfBasicAndSignallingModels) {
    for (int model : {0, 8}) {
        CliRun r = Cli("dump " + Quoted(NewCodeplug(model)));
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out.rfind(model == 0 ? "model.identity = 4B5632313041F8FF\n"
                                         : "model.identity = 4B5632313054F8FF\n",
                              0),
                  0u);
        EXPECT_EQ(FormLines(r.out), kDefaultFormLines) << model;
    }
}

TEST_F(CliDumpLoad, ABasicRadiosImageHasNoSideKeyLines) {
    fs::path file = TestDir() / "basic_read.dat";
    ASSERT_EQ(Cli("read --port sim --sim-model 0 --output " + Quoted(file)).code, 0);
    CliRun dump = Cli("dump " + Quoted(file));
    ASSERT_EQ(dump.code, 0) << dump.err;
    EXPECT_NE(dump.out.find("keys.monitor = "), std::string::npos);
    EXPECT_EQ(dump.out.find("keys.a = "), std::string::npos);
    EXPECT_EQ(dump.out.find("keys.option = "), std::string::npos);

    // Changed settings are applied without ever lengthening the image.
    WriteFile(TestDir() / "settings.txt", "keys.monitor = 1\noptions.squelch = 9\n");
    fs::path out = TestDir() / "out.dat";
    CliRun load = Cli("load " + Quoted(file) + " " + Quoted(TestDir() / "settings.txt") +
                      " --output " + Quoted(out));
    ASSERT_EQ(load.code, 0) << load.err;
    EXPECT_EQ(fs::file_size(out), fs::file_size(file));
    EXPECT_EQ(ChangedLines(dump.out, Cli("dump " + Quoted(out)).out),
              "keys.monitor = 1  # Monitor (momentary)\noptions.squelch = 9  # 9\n");
}

TEST_F(CliDumpLoad, LoadingADumpGivesBackTheSameBytesAndTheSameDump) {
    for (int model : {0, 8}) {
        fs::path file = NewCodeplug(model), out = TestDir() / "out.dat",
                 text = TestDir() / "settings.txt";
        CliRun dump = Cli("dump " + Quoted(file));
        WriteFile(text, dump.out);
        CliRun load = Cli("load " + Quoted(file) + " " + Quoted(text) + " --output " + Quoted(out));
        ASSERT_EQ(load.code, 0) << load.err;
        EXPECT_EQ(ReadFile(out), ReadFile(file)) << model;
        EXPECT_EQ(Cli("dump " + Quoted(out)).out, dump.out) << model;
    }
}

TEST_F(CliDumpLoad, ChangedLinesChangeExactlyThoseSettings) {
    fs::path file = NewCodeplug(8), out = TestDir() / "out.dat", text = TestDir() / "settings.txt";
    const std::string before = Cli("dump " + Quoted(file)).out;
    WriteFile(text,
              "# fleet settings\n"
              "options.squelch = 7\n"
              "keys.monitor = 1\n"
              "options.key_lock = 0\n"
              "options.tot = 2  # unchanged\n");
    CliRun load = Cli("load " + Quoted(file) + " " + Quoted(text) + " --output " + Quoted(out));
    ASSERT_EQ(load.code, 0) << load.err;
    EXPECT_EQ(ChangedLines(before, Cli("dump " + Quoted(out)).out),
              "keys.monitor = 1  # Monitor (momentary)\n"
              "options.squelch = 7  # 7\n"
              "options.key_lock = 0\n");
}

TEST_F(CliDumpLoad, ABadLineIsReportedWithItsNumberAndNothingIsWritten) {
    fs::path file = NewCodeplug(8), out = TestDir() / "out.dat", text = TestDir() / "settings.txt";
    WriteFile(text, "options.squelch = 7\noptions.tot = 12\n");
    CliRun load = Cli("load " + Quoted(file) + " " + Quoted(text) + " --output " + Quoted(out));
    EXPECT_EQ(load.code, 1);
    EXPECT_NE(load.err.find("settings.txt:2: options.tot"), std::string::npos) << load.err;
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(CliDumpLoad, EveryAreaRefusesAValueTheFormWouldChangeOrNeverOffer) {
    const fs::path signalling = NewCodeplug(8), basic = NewCodeplug(0);
    const fs::path out = TestDir() / "out.dat", text = TestDir() / "settings.txt";
    struct Case {
        const fs::path& file;
        const char* line;
        const char* says;
    } cases[] = {
        {signalling, "twotone.gap = 700", "twotone.gap: expected a whole number from 0 to 500"},
        {signalling, "twotone.decode.1.tone_a = 250", "288.5 to 3000.0 Hz"},
        {signalling, "twotone.encode.2 = 400 3500", "288.5 to 3000.0 Hz"},
        {signalling, "dtmf.digit_code.2 = \"12\"",
         "dtmf.digit_code.2: expected nothing or 3 to 10"},
        {signalling, "dtmf.kill_code = \"12345678901\"", "dtmf.kill_code: expected nothing or 3"},
        {signalling, "testfreq.1 = 180", "from 136 to 174 MHz"},
        {basic, "twotone.gap = 300", "this model has no 2-tone signalling"},
    };
    for (const Case& c : cases) {
        WriteFile(text, "options.squelch = 7\n" + std::string(c.line) + "\n");
        CliRun load =
            Cli("load " + Quoted(c.file) + " " + Quoted(text) + " --output " + Quoted(out));
        EXPECT_EQ(load.code, 1) << c.line;
        EXPECT_NE(load.err.find("settings.txt:2: "), std::string::npos) << load.err;
        EXPECT_NE(load.err.find(c.says), std::string::npos) << load.err;
        EXPECT_FALSE(fs::exists(out)) << c.line;
    }
}

}  // namespace
