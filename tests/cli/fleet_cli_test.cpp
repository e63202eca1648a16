// write with several --port against one simulate serving several radios, as a dealer's script
// would program a batch.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/cli_process.h"

namespace fs = std::filesystem;

namespace {

using vgr47::testing::CliRun;
using vgr47::testing::Slurp;

class FleetCliTest : public ::testing::Test {
  protected:
    FleetCliTest() : dir(fs::temp_directory_path() / ("vgr47_fleet_" + std::to_string(getpid()))) {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~FleetCliTest() override {
        simulator.Stop();
        fs::remove_all(dir);
    }
    std::string Link(int n) const { return (dir / ("radio" + std::to_string(n))).string(); }

    // Starts `simulate` with the arguments and waits until every link leads to its terminal.
    bool Start(std::vector<std::string> args, int links) {
        return simulator.Start(
            std::move(args),
            [this, links] {
                std::error_code ec;
                for (int n = 1; n <= links; ++n)
                    if (!fs::exists(Link(n), ec)) return false;
                return true;
            },
            1000);
    }
    CliRun Cli(const std::string& args) const {
        return vgr47::testing::RunCli(dir, args, "XDG_DATA_HOME='" + (dir / "data").string() + "'");
    }

    fs::path dir;
    vgr47::testing::SimulatorProcess simulator{dir};
};

TEST_F(FleetCliTest, OneLinePerPortAndExitZeroOnlyWhenEveryRadioSucceeded) {
    // Radio 2 refuses its 19th block (0x0120); radio 3 is a basic model of another identity.
    ASSERT_TRUE(Start({"--link", Link(1), "--link", Link(2), "--fault", "refuse:write:19", "--link",
                       Link(3), "--model", "0", "--link", Link(4)},
                      4));
    ASSERT_EQ(Cli("new --model 8 --output a.dat").code, 0);
    const std::string ports =
        " --port " + Link(1) + " --port " + Link(2) + " --port " + Link(3) + " --port " + Link(4);
    CliRun run = Cli("write" + ports + " a.dat --verify");
    EXPECT_EQ(run.code, 1) << run.err;
    EXPECT_EQ(run.out, Link(1) + ": verified\n" + Link(2) +
                           ": failed: block 0x0120: The radio refused the data, so the write was "
                           "stopped. The radio may be only partly programmed; write the codeplug "
                           "again.\n" +
                           Link(3) + ": other model\n" + Link(4) + ": verified\n");
    // Not a terminal: no progress lines, only the backups of the three radios written to.
    EXPECT_EQ(run.err.find("Writing block"), std::string::npos);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 3) << run.err;
    EXPECT_NE(run.err.find("backup: " + Link(4) + ": " + (dir / "data").string()),
              std::string::npos);

    // --yes writes the other model too; without the faulty radio, all succeed.
    run = Cli("write --port " + Link(1) + " --port " + Link(3) + " a.dat --yes --no-backup");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, Link(1) + ": written\n" + Link(3) + ": written\n");
    EXPECT_EQ(run.err, "");

    // One port is the plain write: nothing on stdout.
    run = Cli("write --port " + Link(1) + " a.dat --no-backup");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "");

    // A port nobody serves fails on its own line; the others are still written.
    run = Cli("write --port " + Link(4) + " --port " + (dir / "nothing").string() +
              " a.dat --no-backup");
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out.rfind(Link(4) + ": written\n" + (dir / "nothing").string() + ": failed: ", 0),
              0u)
        << run.out;
}

TEST_F(FleetCliTest, RepeatedPortsAndTracesOfSeveralAreUsageErrors) {
    ASSERT_EQ(Cli("new --model 8 --output a.dat").code, 0);
    EXPECT_EQ(Cli("write --port sim --port sim a.dat").code, 2);
    EXPECT_EQ(Cli("write --port sim --port /dev/null a.dat --trace").code, 2);
    EXPECT_EQ(Cli("simulate --link x --link x").code, 2);
    EXPECT_EQ(Cli("simulate --model 3").code, 2);
}

}  // namespace
