// dump and load: a codeplug's settings as text, one line each, and that text applied back.
#include <iostream>

#include "cli/commands.h"
#include "core/data_file.h"
#include "core/memory_map.h"
#include "core/text_ids.h"
#include "editors/dump/dump_area.h"
#include "editors/dump/dump_channels.h"

namespace vgr47::cli {
namespace {

// A whole dump is some 30 KiB; a text much larger is not a settings text.
constexpr std::size_t kLargestSettingsText = 1u << 20;

std::string InputProblemText(const InputReport& report) {
    switch (report.problem) {
        case InputProblem::NotFileOrPipe:
            return "is a folder or a device; give a file, a pipe or - for standard input";
        case InputProblem::TooLarge:
            return "is larger than 1 MiB, too large for a settings text";
        default:
            return "cannot be read (" + report.reason + ")";
    }
}

}  // namespace

std::optional<OpenedCodeplug> OpenCodeplug(const std::string& path, Edition edition,
                                           CommandEnv& env) {
    LoadFailure why = LoadFailure::CannotOpen;
    auto text = LoadCodeplugFile(path, &why);
    if (!text) {
        PrintError(path + ": " +
                   env.texts.Text(why == LoadFailure::NotACodeplug ? kTextNotACodeplug
                                                                   : kTextFileOpenFailed));
        return std::nullopt;
    }
    OpenedCodeplug opened{CodeplugImage(), ModelState(edition)};
    opened.model.UpdateModelFromImage(*text);
    opened.image.InstallOpened(*text, path);
    return opened;
}

int RunDump(const std::vector<std::string>& args, CommandEnv& env) {
    std::string problem;
    OptionTable table{{"--edition"}, {"--channels"}, {}};
    auto parsed = ParseArgs(args, table, problem);
    if (!parsed) return UsageError("dump", problem);
    if (parsed->positionals.size() != 1) return UsageError("dump", "give exactly one FILE");
    auto edition = EditionOption(*parsed);
    if (!edition) return UsageError("dump", "unknown edition " + parsed->options["--edition"]);
    auto opened = OpenCodeplug(parsed->positionals[0], *edition, env);
    if (!opened) return kExitFailure;
    ChannelModel channels(opened->image, opened->model, env.texts.catalogue());
    dump::Context ctx{opened->image, opened->model, env.texts.catalogue(), channels};
    std::cout << (parsed->has("--channels") ? dump::DumpTextWithChannels(ctx)
                                            : dump::DumpText(ctx));
    return kExitSuccess;
}

int RunLoad(const std::vector<std::string>& args, CommandEnv& env) {
    std::string problem;
    auto parsed = ParseArgs(args, {"--edition", "--output"}, problem);
    if (!parsed) return UsageError("load", problem);
    if (parsed->positionals.size() != 2)
        return UsageError("load", "give a codeplug FILE and a settings TEXT file");
    auto edition = EditionOption(*parsed);
    if (!edition) return UsageError("load", "unknown edition " + parsed->options["--edition"]);
    auto output = parsed->options.find("--output");
    if (output == parsed->options.end() || output->second.empty())
        return UsageError("load", "--output OUT is required");

    auto opened = OpenCodeplug(parsed->positionals[0], *edition, env);
    if (!opened) return kExitFailure;
    const std::string& textPath = parsed->positionals[1];
    std::string text;
    InputReport read = ReadTextInput(textPath, kLargestSettingsText, text);
    if (!read.ok()) {
        PrintError(textPath + ": " + InputProblemText(read));
        return kExitFailure;
    }

    ChannelModel channels(opened->image, opened->model, env.texts.catalogue());
    dump::Context ctx{opened->image, opened->model, env.texts.catalogue(), channels};
    std::vector<dump::Problem> problems;
    if (!dump::LoadTextWithChannels(text, ctx, problems)) {
        for (const dump::Problem& p : problems) {
            std::cerr << textPath;
            if (p.lineNumber > 0) std::cerr << ':' << p.lineNumber;
            std::cerr << ": " << p.text << '\n';
        }
        PrintError("nothing was written");
        return kExitFailure;
    }
    // Written exactly as Save writes it, version stamp included.
    opened->image.WriteBytes(mem::kVersionStamp, VersionStampHex(VGR47_VERSION_TEXT));
    return SaveOutput(output->second, opened->image.image(), env.texts) ? kExitSuccess
                                                                        : kExitFailure;
}

}  // namespace vgr47::cli
