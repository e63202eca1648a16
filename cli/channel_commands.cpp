#include <iostream>

#include "cli/commands.h"
#include "core/data_file.h"
#include "core/text_ids.h"
#include "editors/channels/channel_csv_model.h"
#include "editors/channels/channel_model.h"

namespace vgr47::cli {

int RunChannels(const std::vector<std::string>& args, CommandEnv& env) {
    std::string problem;
    OptionTable table{{"--edition"}, {"--csv"}, {}};
    auto parsed = ParseArgs(args, table, problem);
    if (!parsed) return UsageError("channels", problem);
    if (parsed->positionals.size() != 1) return UsageError("channels", "give exactly one FILE");
    auto edition = EditionOption(*parsed);
    if (!edition) return UsageError("channels", "unknown edition " + parsed->options["--edition"]);

    const std::string& path = parsed->positionals[0];
    LoadFailure why = LoadFailure::CannotOpen;
    auto image = LoadCodeplugFile(path, &why);
    if (!image) {
        PrintError(path + ": " +
                   env.texts.Text(why == LoadFailure::NotACodeplug ? kTextNotACodeplug
                                                                   : kTextFileOpenFailed));
        return kExitFailure;
    }
    ModelState model(*edition);
    model.UpdateModelFromImage(*image);
    CodeplugImage loaded;
    loaded.InstallOpened(*image, path);
    ChannelModel channels(loaded, model, env.texts.catalogue());
    if (parsed->has("--csv")) {
        std::cout << ExportChannelCsv(channels, env.texts.catalogue());
        return kExitSuccess;
    }
    for (int row = 1; row < channels.Rows(); ++row) {
        std::string line = channels.ListingLine(row);
        if (!line.empty()) std::cout << line << '\n';
    }
    return kExitSuccess;
}

}  // namespace vgr47::cli
