// write with several --port against one simulate serving several radios, as a dealer's script
// would program a batch.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct CliRun {
    int code = -1;
    std::string out, err;
};

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FleetCliTest : public ::testing::Test {
  protected:
    FleetCliTest() : dir(fs::temp_directory_path() / ("vgr47_fleet_" + std::to_string(getpid()))) {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~FleetCliTest() override {
        Stop();
        fs::remove_all(dir);
    }
    std::string Link(int n) const { return (dir / ("radio" + std::to_string(n))).string(); }

    // Starts `simulate` with the arguments and waits until every link leads to its terminal.
    bool Start(std::vector<std::string> args, int links) {
        args.insert(args.begin(), {VGR47_CLI_PATH, "simulate"});
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, (dir / "sim.out").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, (dir / "sim.err").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) return false;
        for (int i = 0; i < 1000; ++i) {
            int ready = 0;
            std::error_code ec;
            for (int n = 1; n <= links; ++n) ready += fs::exists(Link(n), ec) ? 1 : 0;
            if (ready == links) return true;
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                ADD_FAILURE() << "the simulator ended: " << Slurp(dir / "sim.err");
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    void Stop() {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
        pid = -1;
    }
    CliRun Cli(const std::string& args) const {
        const std::string out = (dir / "out.txt").string(), err = (dir / "err.txt").string();
        const int status =
            std::system(("cd '" + dir.string() + "' && XDG_DATA_HOME='" + (dir / "data").string() +
                         "' '" VGR47_CLI_PATH "' " + args + " >'" + out + "' 2>'" + err + "'")
                            .c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out), Slurp(err)};
    }

    fs::path dir;
    pid_t pid = -1;
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
