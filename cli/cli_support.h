// What every vgr47-cli command shares: its arguments, texts, messages and exit codes.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/messages.h"
#include "core/model_catalogue.h"
#include "core/text_catalogue.h"
#include "link/trace_log.h"

namespace vgr47::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
// write --verify: the radio was written, but reading it back failed.
inline constexpr int kExitNotVerified = 3;

inline constexpr const char* kProgramName = "vgr47-cli";

// Texts in English from language.sys when there is one, else from the built-in catalogue.
class CliTexts {
  public:
    explicit CliTexts(const std::string& executablePath);
    std::string Text(int number) const;
    const TextCatalogue& catalogue() const { return catalogue_; }

  private:
    TextCatalogue catalogue_;
};

// Notices go to stderr, one line each (a notice of several lines is joined into one); a
// command line cannot answer questions, so every question is answered Cancel and nothing is
// lost, unless the user answered it beforehand (write --yes).
class StderrMessages : public Messages {
  public:
    void ShowMessage(const std::string& text) override;
    Answer Ask(const std::string& text, const std::string& caption, Buttons buttons,
               bool defaultNo) override;
};

// "vgr47-cli: <text>" on stderr.
void PrintError(const std::string& text);

// Saves bytes as the file at path exactly as the program's Save does ("-" is standard output: a
// read-only file, a folder, a device or a FIFO is refused). False after saying why on stderr.
bool SaveOutput(const std::string& path, const std::string& bytes, const CliTexts& texts);

// Options of the form --name VALUE, switches (--name alone), options that may be given
// several times, and positional arguments.
struct ParsedArgs {
    std::map<std::string, std::string> options;
    std::set<std::string> switches;
    std::map<std::string, std::vector<std::string>> lists;
    std::vector<std::string> positionals;
    bool has(const std::string& name) const { return switches.count(name) > 0; }
};
struct OptionTable {
    std::set<std::string> values;    // once each, with a value
    std::set<std::string> switches;  // no value
    std::set<std::string> lists;     // with a value, any number of times
};
// nullopt, with the problem described, when an option is unknown, repeated or lacks its value.
std::optional<ParsedArgs> ParseArgs(const std::vector<std::string>& args, const OptionTable& options,
                                    std::string& problem);
std::optional<ParsedArgs> ParseArgs(const std::vector<std::string>& args,
                                    const std::set<std::string>& valueOptions,
                                    std::string& problem);

// The --edition option; the default edition when absent.
std::optional<Edition> EditionOption(const ParsedArgs& parsed);

// A trace log that, when `print` is set, copies every "S:"/"R:" line to stderr as it is
// written.
TraceLog MakeTraceLog(bool print);

struct CommandEnv {
    const CliTexts& texts;
    Messages& messages;
};

}  // namespace vgr47::cli
