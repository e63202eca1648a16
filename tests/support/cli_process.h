// Running vgr47-cli from the command-line tests: one command at a time through the shell, or
// `simulate` in the background until the test stops it.
#pragma once

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
#include <functional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace vgr47::testing {

struct CliRun {
    int code = -1;
    std::string out, err;
};

inline std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The command in the folder, its output kept in out.txt and err.txt there; env holds
// assignments put before it, such as "XDG_DATA_HOME=/x".
inline CliRun RunCli(const std::filesystem::path& dir, const std::string& args,
                     const std::string& env = "") {
    const std::string out = (dir / "out.txt").string(), err = (dir / "err.txt").string();
    const int status =
        std::system(("cd '" + dir.string() + "' && " + env + " '" VGR47_CLI_PATH "' " + args +
                     " >'" + out + "' 2>'" + err + "'")
                        .c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out), Slurp(err)};
}

// `vgr47-cli simulate` in the background, its output in sim.out and sim.err of the folder.
class SimulatorProcess {
  public:
    explicit SimulatorProcess(std::filesystem::path dir) : dir_(std::move(dir)) {}
    ~SimulatorProcess() { Stop(); }

    // Starts it with the arguments after "simulate" and waits up to `tries` x 10 ms until
    // `ready` says its links lead to their terminals. False (and a failure when it ended
    // on its own) otherwise.
    bool Start(std::vector<std::string> args, const std::function<bool()>& ready, int tries) {
        args.insert(args.begin(), {VGR47_CLI_PATH, "simulate"});
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, (dir_ / "sim.out").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, (dir_ / "sim.err").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) return false;
        for (int i = 0; i < tries; ++i) {
            if (ready()) return true;
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                ADD_FAILURE() << "the simulator ended: " << Slurp(dir_ / "sim.err");
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    // SIGTERM, then its exit status (-1 when it did not exit normally or was not running).
    int Stop() {
        if (pid_ <= 0) return -1;
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    std::filesystem::path dir_;
    pid_t pid_ = -1;
};

}  // namespace vgr47::testing
