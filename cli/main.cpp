// vgr47-cli: the program's codeplug operations for scripts and batch programming.
#include <QtGlobal>
#include <algorithm>
#include <cstring>
#include <iomanip>
#include <iostream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.h"

namespace vgr47::cli {
namespace {

const Command kCommands[] = {
    {"new", "[--model INDEX] [--edition KEY] --output FILE", "write a default codeplug file",
     RunNew},
    {"info", "FILE [--edition KEY]", "show the model and version of a codeplug file", RunInfo},
    {"channels", "FILE [--csv] [--edition KEY]",
     "list the non-empty channels as the channel grid shows them (--csv: as a CSV channel list)",
     RunChannels},
    {"import-csv", "FILE CSV --output OUT [--replace] [--edition KEY]",
     "put the channels of a CSV channel list into a codeplug (merged by Location) and save the "
     "result as OUT; skipped rows are listed on stderr",
     RunImportCsv},
    {"dump", "FILE [--channels] [--edition KEY]",
     "print every setting of a codeplug, one `area.field = value` line each", RunDump},
    {"load", "FILE TEXT --output OUT [--edition KEY]",
     "apply settings lines (as dump prints them) to a codeplug and save the result as OUT",
     RunLoad},
    {"diff", "A B [--edition KEY]",
     "print the settings and channels that differ, `key: <in A> -> <in B>` (exit 0 none, 1 "
     "some, 2 trouble)",
     RunDiff},
    {"read",
     "--port PORT --output FILE [--sim-model INDEX] [--edition KEY] [--trace] [--no-backup]",
     "read a radio's codeplug into a file (written only after a complete read)", RunRead},
    {"write",
     "--port PORT [--port PORT]... FILE [--sim-model INDEX] [--edition KEY] [--yes] [--verify] "
     "[--trace] [--no-backup]",
     "write a codeplug file into a radio (--yes: also into a radio of another model; --verify: "
     "read it back and compare; exit 3 when that read-back failed); with several --port, into "
     "every radio at once, one `PORT: written|verified|other model|failed: REASON` line each, "
     "exit 0 only when every radio succeeded",
     RunWrite},
    {"radio-info", "--port PORT [--sim-model INDEX] [--edition KEY] [--trace]",
     "ask a radio for its model, firmware and last programming software", RunRadioInfo},
    {"ports", "", "list the serial ports with their USB description and serial number", RunPorts},
    {"simulate",
     "--link PATH [--model INDEX] [--image FILE] [--fault FAULT]... [--link PATH ...] [--pace]",
     "serve a simulated radio on a pseudo-terminal linked at PATH until interrupted; each --link "
     "its own radio, with the --model, --image and --fault that follow it (those before the "
     "first --link apply to every radio)",
     RunSimulate},
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
    out << "  " << kProgramName << " COMMAND --help\n      the options of one command\n"
        << "  " << kProgramName << " --version\n      the program's and Qt's versions\n";
}

// What each option means, for the help of the commands that take it.
const std::pair<const char*, const char*> kOptionHelp[] = {
    {"--model", "catalogue model, 0 to 15"},
    {"--edition", "dealer edition: vgr47 (default), ja31, hwm63, fzc85, d-ok2, nyl74"},
    {"--output", "the file to save; - is standard output"},
    {"--port", "serial device of the cable (/dev/ttyUSB0), or sim for the simulated radio"},
    {"--sim-model", "model of the simulated radio (default: system.ini [simulator] model, or 8)"},
    {"--trace", "print every exchange with the radio on stderr (S: sent, R: received)"},
    {"--yes", "also write into a radio of another model than the codeplug's"},
    {"--link", "where to put the link to the pseudo-terminal the radio answers on"},
    {"--image", "codeplug file the simulated radio starts with (else blank memory)"},
    {"--pace", "answer at the pace of a 9600-baud cable"},
    {"--fault", "TYPE:KIND:NTH[:TIMES[:VALUE]], a fault to inject; may be repeated"},
    {"--channels",
     "also every channel, `channel.<number>.<field> = <value>` or `channel.<number> = off`"},
    {"--csv", "as a channel list in the generic CSV format (columns Location,Name,Frequency,...)"},
    {"--replace", "switch every channel off before the file's channels are put in"},
};

void PrintCommandHelp(const Command& c, std::ostream& out) {
    const std::string usage = c.usage;
    out << "usage: " << kProgramName << ' ' << c.name << ' ' << usage << '\n' << c.summary << '\n';
    // The options in the order of the usage line, each once.
    std::vector<std::string> named;
    for (std::size_t at = usage.find("--"); at != std::string::npos; at = usage.find("--", at)) {
        const std::size_t end = usage.find_first_of(" ]", at);
        const std::string option = usage.substr(at, end == std::string::npos ? end : end - at);
        if (std::find(named.begin(), named.end(), option) == named.end()) named.push_back(option);
        at += option.size();
    }
    for (const std::string& option : named) {
        for (const auto& [name, help] : kOptionHelp) {
            if (option == name) out << "  " << std::left << std::setw(13) << option << help << '\n';
        }
    }
    out << "Exit codes: 0 success, 1 failure (one line on stderr), 2 usage error.\n";
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
    if (name == "--version") {
        std::cout << kProgramName << ' ' << VGR47_VERSION_TEXT << " (Qt " << qVersion() << ")\n";
        return kExitSuccess;
    }
    const Command* command = FindCommand(name);
    if (!command) {
        PrintError("unknown command " + name + " (try " + kProgramName + " --help)");
        return kExitUsage;
    }
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            PrintCommandHelp(*command, std::cout);
            return kExitSuccess;
        }
    }
    CliTexts texts(argv[0]);
    StderrMessages messages;
    CommandEnv env{texts, messages};
    return command->run(std::vector<std::string>(argv + 2, argv + argc), env);
}
