// vgr47-cli simulate serving the radio on a pseudo-terminal, and the radio commands talking to
// it through the device port, as a script or the window would.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "tests/support/cli_process.h"

namespace fs = std::filesystem;

namespace {

using vgr47::testing::CliRun;
using vgr47::testing::Slurp;

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// The region a signalling image has but the radio's memory layout never transfers.
std::string Transferred(std::string image) {
    if (image.size() >= 0x800 * 2) image.replace(0x740 * 2, (0x800 - 0x740) * 2, "");
    return image;
}

class SimulateTest : public ::testing::Test {
  protected:
    SimulateTest()
        : dir(fs::temp_directory_path() / ("vgr47_sim_" + std::to_string(std::random_device()()))),
          link((dir / "radio").string()) {
        fs::create_directories(dir);
    }
    ~SimulateTest() override {
        Stop();
        fs::remove_all(dir);
    }

    // Starts the simulator with the arguments after --link and waits for its link.
    bool Start(std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {"--link", link};
        args.insert(args.end(), extra.begin(), extra.end());
        return simulator.Start(
            std::move(args),
            [this] {
                // Ready once the link leads to the live terminal (a stale link may be there
                // first).
                std::error_code ec;
                return fs::is_symlink(link) && fs::exists(link, ec);
            },
            500);
    }
    // SIGTERM, then the simulator's exit status (-1 when it did not exit normally).
    int Stop() { return simulator.Stop(); }

    // env: assignments put before the command, such as "XDG_DATA_HOME=/x".
    CliRun Cli(const std::string& args, const std::string& env = "") const {
        return vgr47::testing::RunCli(dir, args, env);
    }
    // What the radio holds now, by reading it back.
    std::string Memory() const {
        CliRun back = Cli("read --port '" + link + "' --output back.dat");
        EXPECT_EQ(back.code, 0) << back.err;
        return Slurp(dir / "back.dat");
    }

    fs::path dir;
    std::string link;
    vgr47::testing::SimulatorProcess simulator{dir};
};

TEST_F(SimulateTest, ReadWriteAndInformationThroughThePseudoTerminal) {
    ASSERT_TRUE(Start());
    EXPECT_NE(Slurp(dir / "sim.out").find("KV210AT"), std::string::npos);

    CliRun info = Cli("radio-info --port '" + link + "'");
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_EQ(info.out, "model: KV210AT  (VHF:136-174MHz)\nfirmware: V1.02\nsoftware: \n");
    EXPECT_EQ(info.err, "");  // no complaint from Qt about a missing application object

    const std::string blank = Memory();
    ASSERT_EQ(blank.size(), 8192u);  // model 8 is a signalling radio
    EXPECT_EQ(blank.substr(0x650 * 2, 16), "4B5632313054F8FF");

    // A codeplug of the radio's own model, never saved: the radio gets the version stamp,
    // the file on disk stays as it was.
    ASSERT_EQ(Cli("new --model 8 --output own.dat").code, 0);
    std::string own = Slurp(dir / "own.dat");
    own.replace(0x10 * 2, 4, "1234").replace(0x662 * 2, 4, "FFFF");
    std::ofstream(dir / "own.dat", std::ios::trunc) << own;
    CliRun write = Cli("write --port '" + link + "' own.dat --no-backup");
    ASSERT_EQ(write.code, 0) << write.err;
    EXPECT_EQ(write.out + write.err, "");
    EXPECT_EQ(Slurp(dir / "own.dat"), own);
    std::string expected = own;
    expected.replace(0x662 * 2, 4, "0505");
    EXPECT_EQ(Transferred(Memory()), Transferred(expected));
    EXPECT_NE(Cli("radio-info --port '" + link + "'").out.find("software: 5.05\n"),
              std::string::npos);

    // --trace shows the exchanges on stderr and nothing else.
    CliRun traced = Cli("radio-info --trace --port '" + link + "'");
    ASSERT_EQ(traced.code, 0);
    EXPECT_EQ(traced.err.rfind("S:56455253494F4E\nR:06\nS:02\nR:4B5632313054F8FF\n", 0), 0u)
        << traced.err;
    EXPECT_EQ(traced.err.substr(traced.err.size() - 10), "S:45\nR:06\n");

    EXPECT_EQ(Stop(), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST_F(SimulateTest, AnotherModelIsWrittenOnlyWithYes) {
    ASSERT_TRUE(Start({"--model", "8"}));
    const std::string before = Memory();
    ASSERT_EQ(Cli("new --model 15 --output other.dat").code, 0);

    CliRun declined = Cli("write --port '" + link + "' other.dat --trace");
    EXPECT_EQ(declined.code, 1);
    // The refusal is the last thing on the line, and the one line that is not trace.
    EXPECT_NE(declined.err.find("S:02\nR:4B5632313054F8FF\nS:07\nR:\nvgr47-cli: "),
              std::string::npos)
        << declined.err;
    EXPECT_EQ(declined.err.find("S:57"), std::string::npos);
    CliRun quiet = Cli("write --port '" + link + "' other.dat");
    EXPECT_EQ(quiet.code, 1);
    EXPECT_EQ(Lines(quiet.err), 1) << quiet.err;
    EXPECT_NE(quiet.err.find("--yes"), std::string::npos);
    EXPECT_EQ(Memory(), before);

    CliRun accepted = Cli("write --yes --port '" + link + "' other.dat");
    ASSERT_EQ(accepted.code, 0) << accepted.err;
    EXPECT_EQ(accepted.err.rfind("vgr47-cli: backup: ", 0), 0u) << accepted.err;
    EXPECT_EQ(Lines(accepted.err), 1);
    const std::string after = Memory();
    EXPECT_EQ(Transferred(after), Transferred(Slurp(dir / "other.dat")));
    EXPECT_EQ(after.substr(0x650 * 2, 16), "4B563232305436FF");  // the codeplug's identity now
    EXPECT_EQ(Stop(), 0);
}

TEST_F(SimulateTest, FaultsAndImageOfTheServedRadio) {
    ASSERT_EQ(Cli("new --model 0 --output basic.dat").code, 0);
    ASSERT_TRUE(Start({"--model", "0", "--image", (dir / "basic.dat").string(), "--fault",
                       "refuse:write:5", "--fault", "pieces:read:2:1:20"}));
    const std::string served = Memory();  // block 2 arrives in two pieces and is still taken
    EXPECT_EQ(served, Slurp(dir / "basic.dat").substr(0, 1856 * 2));

    CliRun refused = Cli("write --port '" + link + "' basic.dat --no-backup");
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(Lines(refused.err), 1) << refused.err;
    EXPECT_NE(refused.err.find("refused"), std::string::npos) << refused.err;
    // The write stopped without the end command; the radio still serves the next program.
    EXPECT_EQ(Cli("radio-info --port '" + link + "'").code, 0);
    EXPECT_EQ(Memory(), served);
    EXPECT_EQ(Stop(), 0);
}

TEST_F(SimulateTest, InterruptedReadEndsTheSessionAndWritesNoFile) {
    ASSERT_TRUE(Start({"--pace"}));  // a paced read takes seconds: time to interrupt it
    const int status =
        std::system(("cd '" + dir.string() + "' && { '" VGR47_CLI_PATH "' read --port '" + link +
                     "' --output a.dat 2>err.txt & sleep 0.5; kill -INT $!; wait $!; }")
                        .c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);
    EXPECT_EQ(Slurp(dir / "err.txt"), "vgr47-cli: read cancelled; a.dat was not written\n");
    EXPECT_FALSE(fs::exists(dir / "a.dat"));
    CliRun info = Cli("radio-info --port '" + link + "'");
    EXPECT_EQ(info.code, 0) << info.err;
    EXPECT_EQ(Stop(), 0);
}

TEST_F(SimulateTest, RefusesBadSettingsAndOccupiedLinks) {
    for (const char* args :
         {"simulate", "simulate --link x --model 16", "simulate --link x --fault late:nothing:1",
          "simulate --link x --pace 1"}) {
        CliRun run = Cli(args);
        EXPECT_EQ(run.code, 2) << args;
        EXPECT_EQ(Lines(run.err), 1) << args;
    }
    std::ofstream(dir / "taken") << "keep";
    CliRun taken = Cli("simulate --link taken");
    EXPECT_EQ(taken.code, 1);
    EXPECT_EQ(Slurp(dir / "taken"), "keep");
    EXPECT_EQ(Cli("simulate --link radio --image nothing.dat").code, 1);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));

    // A link left behind by a killed simulator is taken over.
    fs::create_symlink(dir / "gone", link);
    ASSERT_TRUE(Start());
    EXPECT_EQ(Cli("radio-info --port '" + link + "'").code, 0);
    EXPECT_EQ(Stop(), 0);
    EXPECT_EQ(Cli("radio-info --port '" + link + "'").code, 1);  // nobody there any more
}

TEST_F(SimulateTest, WriteCommandLine) {
    ASSERT_EQ(Cli("new --model 3 --output m3.dat").code, 0);
    std::ofstream(dir / "text.txt") << "hello";
    for (const char* args :
         {"write m3.dat", "write --port sim", "write --port sim a.dat b.dat",
          "write --port sim m3.dat --sim-model 16", "write --port /dev/null m3.dat --sim-model 3",
          "write --port sim m3.dat --yes --yes"}) {
        EXPECT_EQ(Cli(args).code, 2) << args;
    }
    for (const char* args : {"write --port sim nothing.dat", "write --port sim text.txt",
                             "write --port /nonexistent/ttyUSB9 m3.dat"}) {
        CliRun run = Cli(args);
        EXPECT_EQ(run.code, 1) << args;
        EXPECT_EQ(Lines(run.err), 1) << args << run.err;
    }
    // The in-process radio is model 8 unless told otherwise, by option or system.ini.
    EXPECT_EQ(Cli("write --port sim m3.dat").code, 1);
    EXPECT_EQ(Cli("write --port sim --sim-model 3 m3.dat").code, 0);
    std::ofstream(dir / "system.ini") << "[simulator]\nmodel=3\n";
    EXPECT_EQ(Cli("write --port sim m3.dat").code, 0);
    EXPECT_EQ(Cli("radio-info --port sim").out.rfind("model: ", 0), 0u);
}

// The dealer's scenario: a radio answering block reads 1.6 s late, past the time-out.
TEST_F(SimulateTest, LateBlockRepliesGiveTheExactImageOrNoFile) {
    ASSERT_EQ(Cli("new --model 15 --output radio.dat").code, 0);
    ASSERT_TRUE(Start({"--model", "15", "--image", (dir / "radio.dat").string(), "--fault",
                       "late:read:5:3:1600", "--fault", "late:read:9:1:1600"}));
    CliRun failed = Cli("read --port '" + link + "' --output out.dat");
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(Lines(failed.err), 1) << failed.err;
    EXPECT_FALSE(fs::exists(dir / "out.dat"));
    // The next read meets one late reply (the 9th block read) and waits it out.
    CliRun read = Cli("read --port '" + link + "' --output out.dat");
    ASSERT_EQ(read.code, 0) << read.err;
    EXPECT_EQ(Transferred(Slurp(dir / "out.dat")), Transferred(Slurp(dir / "radio.dat")));
    EXPECT_EQ(Stop(), 0);
}

TEST_F(SimulateTest, WriteVerifyNamesTheBlockTheRadioHoldsOtherwise) {
    ASSERT_EQ(Cli("new --model 8 --output fleet.dat").code, 0);
    ASSERT_TRUE(Start({"--fault", "corrupt:write:20"}));
    CliRun wrong = Cli("write --port '" + link + "' fleet.dat --verify --no-backup");
    EXPECT_EQ(wrong.code, 1);
    EXPECT_EQ(wrong.err, "vgr47-cli: The radio holds different data at 0x0130 (channel 20)\n");
    // The fault is spent: the next write is verified.
    CliRun right = Cli("write --port '" + link + "' fleet.dat --verify --no-backup");
    EXPECT_EQ(right.code, 0) << right.err;
    EXPECT_EQ(right.out + right.err, "");
    EXPECT_EQ(Stop(), 0);

    // A read-back that fails leaves the write done but not verified.
    ASSERT_TRUE(Start({"--fault", "silent:program:2:3"}));
    CliRun unverified = Cli("write --port '" + link + "' fleet.dat --verify --no-backup");
    EXPECT_EQ(unverified.code, 3);
    EXPECT_EQ(Lines(unverified.err), 1) << unverified.err;
    EXPECT_NE(unverified.err.find("not verified"), std::string::npos) << unverified.err;
    // ...and says why the read-back failed.
    EXPECT_NE(unverified.err.find("(The radio did not answer"), std::string::npos)
        << unverified.err;
    EXPECT_EQ(Stop(), 0);

    // The trace marks where the read-back begins, in the catalogue's words.
    CliRun traced = Cli("write --port sim --sim-model 8 fleet.dat --verify --trace --no-backup");
    EXPECT_EQ(traced.code, 0) << traced.err;
    EXPECT_NE(traced.err.find("\n-- Verify: reading the radio back --\n"), std::string::npos);
}

TEST_F(SimulateTest, ReadAndWriteEachKeepOneBackupOfTheirImage) {
    const fs::path data = dir / "data";
    const fs::path backups = data / "vgr47" / "backups";
    const std::string env = "XDG_DATA_HOME='" + data.string() + "'";
    auto listed = [&] {
        std::vector<fs::path> files;
        if (fs::exists(backups))
            for (const auto& e : fs::directory_iterator(backups)) files.push_back(e.path());
        std::sort(files.begin(), files.end());
        return files;
    };
    ASSERT_EQ(Cli("new --model 0 --output basic.dat").code, 0);
    ASSERT_TRUE(Start({"--model", "0", "--image", (dir / "basic.dat").string()}));

    CliRun read = Cli("read --port '" + link + "' --output got.dat", env);
    ASSERT_EQ(read.code, 0) << read.err;
    std::vector<fs::path> files = listed();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(read.err, "vgr47-cli: backup: " + files[0].string() + "\n");
    EXPECT_NE(files[0].filename().string().find("_KV210A___VHF_136-174MHz__read.dat"),
              std::string::npos)
        << files[0];
    EXPECT_EQ(Slurp(files[0]), Slurp(dir / "got.dat"));

    CliRun write = Cli("write --port '" + link + "' basic.dat", env);
    ASSERT_EQ(write.code, 0) << write.err;
    files = listed();
    ASSERT_EQ(files.size(), 2u);
    const fs::path written =
        files[0].string().find("_written") != std::string::npos ? files[0] : files[1];
    std::string stamped = Slurp(dir / "basic.dat");
    stamped.replace(0x662 * 2, 4, "0505");
    EXPECT_EQ(Slurp(written), stamped);

    EXPECT_EQ(Cli("read --port '" + link + "' --output again.dat --no-backup", env).code, 0);
    EXPECT_EQ(listed().size(), 2u);
    std::ofstream(dir / "system.ini") << "[option]\nautomatic_backups=no\n";
    EXPECT_EQ(Cli("read --port '" + link + "' --output again.dat", env).code, 0);
    EXPECT_EQ(listed().size(), 2u);
    fs::remove(dir / "system.ini");

    // A backup folder that cannot be made is a warning; the read itself succeeds.
    std::ofstream(dir / "blocked") << "a file where the data folder would be";
    CliRun warned = Cli("read --port '" + link + "' --output warned.dat",
                        "XDG_DATA_HOME='" + (dir / "blocked").string() + "'");
    EXPECT_EQ(warned.code, 0) << warned.err;
    EXPECT_TRUE(fs::exists(dir / "warned.dat"));
    EXPECT_EQ(warned.err.rfind("vgr47-cli: warning: ", 0), 0u) << warned.err;
    EXPECT_EQ(Lines(warned.err), 1);
    EXPECT_EQ(Stop(), 0);
}

// A program that gave up halfway through a handshake leaves the radio to its time-out; the
// next read then succeeds without a detour through radio-info.
TEST_F(SimulateTest, RadioRecoversFromAnUnfinishedHandshake) {
    ASSERT_TRUE(Start({"--fault", "silent:stx:2:3"}));  // the identity request goes unanswered
    EXPECT_EQ(Cli("read --port '" + link + "' --output a.dat --no-backup").code, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    CliRun again = Cli("read --port '" + link + "' --output a.dat --no-backup");
    EXPECT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(Stop(), 0);
}

}  // namespace
