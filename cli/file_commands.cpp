// new and info: default codeplug files and what a codeplug file holds.
#include <charconv>
#include <iostream>

#include "cli/commands.h"
#include "core/codeplug_image.h"
#include "core/codeplug_lib.h"
#include "core/data_file.h"
#include "core/memory_map.h"
#include "core/text_ids.h"

namespace vgr47::cli {

namespace {

std::optional<int> ParseModelIndex(const std::string& text) {
    int value = -1;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < 0 || value >= kModelCount) return std::nullopt;
    return value;
}

}  // namespace

int RunNew(const std::vector<std::string>& args, CommandEnv& env) {
    std::string problem;
    auto parsed = ParseArgs(args, {"--model", "--edition", "--output"}, problem);
    if (!parsed) return UsageError("new", problem);
    if (!parsed->positionals.empty())
        return UsageError("new", "unexpected argument " + parsed->positionals[0]);
    auto edition = EditionOption(*parsed);
    if (!edition) return UsageError("new", "unknown edition " + parsed->options["--edition"]);
    auto output = parsed->options.find("--output");
    if (output == parsed->options.end() || output->second.empty()) {
        return UsageError("new", "--output FILE is required");
    }

    ModelState model(*edition);
    CodeplugImage image;
    auto modelOption = parsed->options.find("--model");
    if (modelOption == parsed->options.end()) {
        image.InstallNew(BuildNewImage(model));
    } else {
        auto index = ParseModelIndex(modelOption->second);
        if (!index) return UsageError("new", "--model must be a number from 0 to 15");
        image.InstallNew(BuildModelImage(model, ModelCatalogue()[*index].identity));
    }

    // Written exactly as Save writes it, version stamp included.
    image.WriteBytes(mem::kVersionStamp, VersionStampHex(VGR47_VERSION_TEXT));
    return SaveOutput(output->second, image.image(), env.texts) ? kExitSuccess : kExitFailure;
}

int RunInfo(const std::vector<std::string>& args, CommandEnv& env) {
    std::string problem;
    auto parsed = ParseArgs(args, {"--edition"}, problem);
    if (!parsed) return UsageError("info", problem);
    if (parsed->positionals.size() != 1) return UsageError("info", "give exactly one FILE");
    auto edition = EditionOption(*parsed);
    if (!edition) return UsageError("info", "unknown edition " + parsed->options["--edition"]);

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
    std::string version = VersionFromStamp(loaded.ReadBytes(mem::kVersionStamp, 2));

    std::cout << "identity: " << model.currentIdentity() << '\n'
              << "model: " << model.ModelDisplayName(model.currentIdentity()) << '\n'
              << "band: " << FormatGeneral(model.bandLow()) << '-'
              << FormatGeneral(model.bandHigh()) << '\n'
              << "kind: " << (model.IsExtendedModel() ? "signalling" : "basic") << '\n'
              << "bytes: " << loaded.byteCount() << '\n'
              << "version: " << (version.empty() ? "none" : version) << '\n';
    return kExitSuccess;
}

}  // namespace vgr47::cli
