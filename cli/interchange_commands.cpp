// import-csv and diff: channels from a CSV file, and two codeplugs compared setting by setting.
#include <iostream>

#include "cli/commands.h"
#include "core/data_file.h"
#include "core/memory_map.h"
#include "core/safe_file.h"
#include "core/text_ids.h"
#include "editors/channels/channel_csv_model.h"
#include "editors/dump/dump_channels.h"
#include "editors/dump/dump_diff.h"

namespace vgr47::cli {
namespace {

// Some 100 bytes a row: a file much larger than this is no channel list.
constexpr std::size_t kLargestCsv = 4u << 20;
// diff(1)'s exit codes.
constexpr int kDiffSame = 0;
constexpr int kDiffDiffers = 1;
constexpr int kDiffTrouble = 2;

}  // namespace

int RunImportCsv(const std::vector<std::string>& args, CommandEnv& env) {
    std::string problem;
    OptionTable table{{"--edition", "--output"}, {"--replace"}, {}};
    auto parsed = ParseArgs(args, table, problem);
    if (!parsed) return UsageError("import-csv", problem);
    if (parsed->positionals.size() != 2)
        return UsageError("import-csv", "give a codeplug FILE and a CSV file");
    auto edition = EditionOption(*parsed);
    if (!edition)
        return UsageError("import-csv", "unknown edition " + parsed->options["--edition"]);
    auto output = parsed->options.find("--output");
    if (output == parsed->options.end() || output->second.empty())
        return UsageError("import-csv", "--output OUT is required");

    auto opened = OpenCodeplug(parsed->positionals[0], *edition, env);
    if (!opened) return kExitFailure;
    const std::string& csvPath = parsed->positionals[1];
    std::string csv;
    InputReport read = ReadTextInput(csvPath, kLargestCsv, csv);
    if (!read.ok()) {
        PrintError(csvPath + ": " +
                   (read.problem == InputProblem::TooLarge
                        ? std::string("is too large for a channel list")
                        : "cannot be read (" + read.reason + ")"));
        return kExitFailure;
    }

    ChannelModel channels(opened->image, opened->model, env.texts.catalogue());
    ChannelDlgModel dialog(channels, opened->image, env.texts.catalogue());
    const ChannelCsvImportPlan plan = PlanChannelCsvImport(csv, channels, env.texts.catalogue());
    const std::string report = ChannelCsvImportReport(plan, env.texts.catalogue());
    std::cerr << report.substr(0, report.find('\n')) << '\n';
    for (const std::string& line : plan.skipped) std::cerr << csvPath << ": " << line << '\n';
    if (plan.empty()) return kExitFailure;
    ApplyChannelCsvImport(plan, dialog, parsed->has("--replace"));
    opened->image.WriteBytes(mem::kVersionStamp, VersionStampHex(VGR47_VERSION_TEXT));
    return SaveOutput(output->second, opened->image.image(), env.texts) ? kExitSuccess
                                                                        : kExitFailure;
}

int RunDiff(const std::vector<std::string>& args, CommandEnv& env) {
    std::string problem;
    auto parsed = ParseArgs(args, {"--edition"}, problem);
    if (!parsed) return UsageError("diff", problem);
    if (parsed->positionals.size() != 2) return UsageError("diff", "give two codeplug files");
    auto edition = EditionOption(*parsed);
    if (!edition) return UsageError("diff", "unknown edition " + parsed->options["--edition"]);
    auto a = OpenCodeplug(parsed->positionals[0], *edition, env);
    auto b = OpenCodeplug(parsed->positionals[1], *edition, env);
    if (!a || !b) return kDiffTrouble;

    auto lines = [&](OpenedCodeplug& opened) {
        ChannelModel channels(opened.image, opened.model, env.texts.catalogue());
        dump::Context ctx{opened.image, opened.model, env.texts.catalogue(), channels};
        return dump::DumpAllWithChannels(ctx);
    };
    const std::string modelA = a->model.currentIdentity(), modelB = b->model.currentIdentity();
    const bool twoModels = modelA != modelB;
    if (twoModels)
        std::cerr << FillPlaces(
                         env.texts.Text(kTextDiffModels),
                         {InformationName(*edition, modelA), InformationName(*edition, modelB)})
                  << '\n';
    const auto differences = dump::DiffDumps(lines(*a), lines(*b), twoModels);
    for (const dump::Difference& d : differences) std::cout << dump::FormatDifference(d) << '\n';
    return differences.empty() ? kDiffSame : kDiffDiffers;
}

}  // namespace vgr47::cli
