#include "cli/cli_support.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>

#include "core/data_file.h"

namespace vgr47::cli {

namespace fs = std::filesystem;

namespace {

std::string CurrentFolder() {
    std::error_code ec;
    fs::path here = fs::current_path(ec);
    return ec ? std::string() : here.string();
}

fs::path ExecutableFolder(const std::string& argv0) {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) self = fs::absolute(argv0, ec);
    return self.parent_path();
}

}  // namespace

// The texts of language.sys (current folder, beside the executable, the installed data folder),
// or the copy built into the program, so a message always reads as a sentence.
CliTexts::CliTexts(const std::string& executablePath)
    : catalogue_(LocateTextCatalogue(CurrentFolder(), ExecutableFolder(executablePath).string(),
                                     kEnglishOffset)) {}

std::string CliTexts::Text(int number) const { return catalogue_.GetText(number); }

void PrintError(const std::string& text) { std::cerr << kProgramName << ": " << text << '\n'; }

bool SaveOutput(const std::string& path, const std::string& bytes, const CliTexts& texts) {
    SaveReport report = SaveFileSafely(path, bytes);
    if (report.ok()) return true;
    PrintError(path + ": " + SaveFailureText(texts.catalogue(), report));
    return false;
}

void StderrMessages::ShowMessage(const std::string& text) {
    // "Port cannot be opened" carries the system's reason on a line of its own.
    std::string line = text;
    for (char& c : line) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    PrintError(line);
}

Answer StderrMessages::Ask(const std::string& text, const std::string&, Buttons, bool) {
    PrintError(text);
    return Answer::Cancel;
}

std::optional<ParsedArgs> ParseArgs(const std::vector<std::string>& args,
                                    const OptionTable& options, std::string& problem) {
    ParsedArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() <= 2 || arg.compare(0, 2, "--") != 0) {
            parsed.positionals.push_back(arg);
            continue;
        }
        const bool list = options.lists.count(arg) > 0;
        if (options.switches.count(arg)) {
            if (!parsed.switches.insert(arg).second) {
                problem = "option " + arg + " given twice";
                return std::nullopt;
            }
            continue;
        }
        if (!list && !options.values.count(arg)) {
            problem = "unknown option " + arg;
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            problem = "option " + arg + " needs a value";
            return std::nullopt;
        }
        if (list) {
            parsed.lists[arg].push_back(args[++i]);
            continue;
        }
        if (parsed.options.count(arg)) {
            problem = "option " + arg + " given twice";
            return std::nullopt;
        }
        parsed.options[arg] = args[++i];
    }
    return parsed;
}

std::optional<ParsedArgs> ParseArgs(const std::vector<std::string>& args,
                                    const std::set<std::string>& valueOptions,
                                    std::string& problem) {
    return ParseArgs(args, OptionTable{valueOptions, {}, {}}, problem);
}

TraceLog MakeTraceLog(bool print) {
    if (!print) return TraceLog();
    // The log hands over its whole text; print what was added since the last call, which
    // starts from nothing again after the log has been cleared.
    auto printed = std::make_shared<std::size_t>(0);
    return TraceLog([printed](const std::string& text) {
        if (text.size() < *printed) *printed = 0;
        std::string added = text.substr(*printed);
        *printed = text.size();
        added.erase(std::remove(added.begin(), added.end(), '\r'), added.end());
        std::cerr << added << std::flush;
    });
}

std::optional<Edition> EditionOption(const ParsedArgs& parsed) {
    auto it = parsed.options.find("--edition");
    if (it == parsed.options.end()) return Edition::Vgr47;
    return EditionFromKey(it->second);
}

}  // namespace vgr47::cli
