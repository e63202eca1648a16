#include "app/start_up.h"

#include <charconv>

#include "core/program_folder.h"

namespace vgr47 {

StartOptions ParseStartOptions(const std::vector<std::string>& args) {
    StartOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--version") {
            options.version = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--quit-after") {
            int ms = -1;
            const std::string value = i + 1 < args.size() ? args[++i] : "";
            auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), ms);
            if (value.empty() || ec != std::errc() || end != value.data() + value.size() || ms < 0)
                options.problem = "--quit-after needs a number of milliseconds";
            else
                options.quitAfterMs = ms;
        }
    }
    return options;
}

std::string VersionLine(const std::string& program, const std::string& qtVersion) {
    return program + " " + VGR47_VERSION_TEXT + " (Qt " + qtVersion + ")";
}

std::string StartUsage() {
    return "usage: vgr47 [--version] [--help]\n"
           "Programs hand-held two-way radios over a serial programming cable.\n"
           "Settings (system.ini) are kept in the folder the program is started in when it\n"
           "holds system.ini or language.sys, else in ${XDG_CONFIG_HOME:-~/.config}/vgr47/.\n"
           "Qt's own options (-platform, -style, ...) are accepted.\n"
           "  --version          print the program's and Qt's versions\n"
           "  --quit-after MS    close the window after MS milliseconds (for tests)\n";
}

StartFolder PrepareStartFolder(const std::string& currentDir, const std::string& editionKey,
                               const std::string& documentsDir) {
    const ProgramFolder folder = ProgramFolderFromEnvironment(currentDir);
    const int localeOffset = LanguageOffsetForLocale(UserMessagesLocale());
    StartFolder start;
    if (folder.perUser) PreparePerUserFolder(folder.path, localeOffset, start.problem);
    start.values = LoadAppValues(folder.path, editionKey);
    // Without a system.ini the stored language would read as Chinese; the user's locale is
    // the better guess.
    if (!start.problem.empty())
        start.values.languageOffset = LanguageOffsetFor(editionKey, std::to_string(localeOffset));
    if (folder.perUser) start.values.fileFolder = documentsDir;
    return start;
}

}  // namespace vgr47
