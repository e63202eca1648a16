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

namespace vgr47::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

inline constexpr const char* kProgramName = "vgr47-cli";

// Texts in English from language.sys when there is one, else the command line's own wording.
class CliTexts {
  public:
    explicit CliTexts(const std::string& executablePath);
    std::string Text(int number) const;
    const TextCatalogue& catalogue() const { return catalogue_; }

  private:
    TextCatalogue catalogue_;
};

// Notices go to stderr, one line each; a command line cannot answer questions, so every
// question is answered Cancel and nothing is lost.
class StderrMessages : public Messages {
  public:
    void ShowMessage(const std::string& text) override;
    Answer Ask(const std::string& text, const std::string& caption, Buttons buttons,
               bool defaultNo) override;
};

// "vgr47-cli: <text>" on stderr.
void PrintError(const std::string& text);

// Options of the form --name VALUE and positional arguments.
struct ParsedArgs {
    std::map<std::string, std::string> options;
    std::vector<std::string> positionals;
};
// nullopt, with the problem described, when an option is unknown, repeated or lacks its value.
std::optional<ParsedArgs> ParseArgs(const std::vector<std::string>& args,
                                    const std::set<std::string>& valueOptions,
                                    std::string& problem);

// The --edition option; the default edition when absent.
std::optional<Edition> EditionOption(const ParsedArgs& parsed);

struct CommandEnv {
    const CliTexts& texts;
    Messages& messages;
};

}  // namespace vgr47::cli
