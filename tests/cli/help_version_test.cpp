// What vgr47-cli says about itself: its version, each command's options, and a bash completion
// that offers exactly the commands and options the program takes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Output {
    int code = -1;
    std::string out;
};

Output Shell(const std::string& command) {
    Output run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

Output Cli(const std::string& args) {
    return Shell(std::string("'") + VGR47_CLI_PATH + "' " + args + " 2>/dev/null");
}

// What the completion offers for the words typed so far (the last one being completed).
std::set<std::string> Completions(const std::vector<std::string>& words) {
    const std::string script =
        std::string(VGR47_SOURCE_DIR) + "/resources/bash-completion/vgr47-cli";
    std::string command =
        "bash -c 'source \"$0\"; COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1)); _vgr47_cli; "
        "printf \"%s\\n\" \"${COMPREPLY[@]}\"' '" +
        script + "'";
    for (const std::string& word : words) command += " '" + word + "'";
    const Output run = Shell(command);
    std::set<std::string> offered;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) offered.insert(line);
    return offered;
}

std::set<std::string> Matches(const std::string& text, const std::regex& pattern) {
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it)
        found.insert((*it)[1]);
    return found;
}

}  // namespace

TEST(CliAboutItselfTest, VersionNamesTheProgramAndQt) {
    const Output run = Cli("--version");
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(
        std::regex_match(run.out, std::regex(std::string("vgr47-cli ") + VGR47_VERSION_TEXT +
                                             " \\(Qt 6\\.[0-9]+\\.[0-9]+\\)\n")))
        << run.out;
}

TEST(CliAboutItselfTest, EachCommandExplainsItsOwnOptions) {
    Output run = Cli("read --help");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out.rfind("usage: vgr47-cli read --port PORT --output FILE", 0), 0u) << run.out;
    for (const char* option :
         {"  --port ", "  --output ", "  --sim-model ", "  --edition ", "  --trace "})
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
    // --model is a different option from --sim-model, and read does not take it.
    EXPECT_EQ(run.out.find("  --model "), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("  --yes "), std::string::npos);

    // --help anywhere among a command's arguments, and before any check of them.
    run = Cli("new --model 99 --help");
    EXPECT_EQ(run.code, 0);
    EXPECT_NE(run.out.find("  --model "), std::string::npos) << run.out;
    EXPECT_EQ(Cli("new --model 99").code, 2);
    EXPECT_EQ(Cli("nonsense --help").code, 2);
}

TEST(CliAboutItselfTest, CompletionOffersExactlyTheCommandsAndOptions) {
    const std::string help = Cli("--help").out;
    std::set<std::string> commands = Matches(help, std::regex("\n  vgr47-cli ([a-z-]+) "));
    ASSERT_GE(commands.size(), 9u) << help;
    std::set<std::string> offered = Completions({"vgr47-cli", ""});
    offered.erase("--help");
    offered.erase("--version");
    EXPECT_EQ(offered, commands);

    for (const std::string& command : commands) {
        const std::string usage = Cli(command + " --help").out;
        std::set<std::string> options =
            Matches(usage.substr(0, usage.find('\n')), std::regex("(--[a-z-]+)"));
        options.insert("--help");
        EXPECT_EQ(Completions({"vgr47-cli", command, "--"}), options) << command;
    }
    EXPECT_EQ(Completions({"vgr47-cli", "read", "--port", "s"}), std::set<std::string>{"sim"});
    EXPECT_EQ(Completions({"vgr47-cli", "new", "--edition", "ja"}), std::set<std::string>{"ja31"});
    EXPECT_EQ(Completions({"vgr47-cli", "new", "--model", "1"}).size(), 7u);  // 1 and 10 to 15
}
