// vgr47-cli: the program's codeplug operations for scripts and batch programming.
#include <cstring>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace vgr47::cli {
namespace {

const Command kCommands[] = {
    {"new", "[--model INDEX] [--edition KEY] --output FILE", "write a default codeplug file",
     RunNew},
    {"info", "FILE [--edition KEY]", "show the model and version of a codeplug file", RunInfo},
    {"channels", "FILE [--edition KEY]",
     "list the non-empty channels as the channel grid shows them", RunChannels},
    {"dump", "FILE [--edition KEY]",
     "print every setting of a codeplug, one `area.field = value` line each", RunDump},
    {"load", "FILE TEXT --output OUT [--edition KEY]",
     "apply settings lines (as dump prints them) to a codeplug and save the result as OUT",
     RunLoad},
    {"read",
     "--port PORT --output FILE [--sim-model INDEX] [--edition KEY] [--trace] [--no-backup]",
     "read a radio's codeplug into a file (written only after a complete read)", RunRead},
    {"write",
     "--port PORT FILE [--sim-model INDEX] [--edition KEY] [--yes] [--verify] [--trace] "
     "[--no-backup]",
     "write a codeplug file into a radio (--yes: also into a radio of another model; --verify: "
     "read it back and compare; exit 3 when that read-back failed)",
     RunWrite},
    {"radio-info", "--port PORT [--sim-model INDEX] [--edition KEY] [--trace]",
     "ask a radio for its model, firmware and last programming software", RunRadioInfo},
    {"simulate", "--link PATH [--model INDEX] [--image FILE] [--pace] [--fault FAULT]...",
     "serve a simulated radio on a pseudo-terminal linked at PATH until interrupted", RunSimulate},
};

const Command* FindCommand(const std::string& name) {
    for (const Command& c : kCommands) {
        if (name == c.name) return &c;
    }
    return nullptr;
}

void PrintUsage(std::ostream& out) {
    out << "usage: " << kProgramName << " COMMAND [ARGS]\n";
    for (const Command& c : kCommands) {
        out << "  " << kProgramName << ' ' << c.name << ' ' << c.usage << "\n      " << c.summary
            << '\n';
    }
}

}  // namespace

int UsageError(const char* commandName, const std::string& problem) {
    const Command* c = FindCommand(commandName);
    std::cerr << kProgramName << ' ' << commandName << ": " << problem;
    if (c) std::cerr << " (usage: " << kProgramName << ' ' << c->name << ' ' << c->usage << ')';
    std::cerr << '\n';
    return kExitUsage;
}

}  // namespace vgr47::cli

int main(int argc, char** argv) {
    using namespace vgr47::cli;
    if (argc < 2) {
        PrintUsage(std::cerr);
        return kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(std::cout);
        return kExitSuccess;
    }
    const Command* command = FindCommand(name);
    if (!command) {
        PrintError("unknown command " + name + " (try " + kProgramName + " --help)");
        return kExitUsage;
    }
    CliTexts texts(argv[0]);
    StderrMessages messages;
    CommandEnv env{texts, messages};
    return command->run(std::vector<std::string>(argv + 2, argv + argc), env);
}
