// What the program does before its window: its own command-line options and the choice and
// first-start set-up of its program folder.
#pragma once

#include <string>
#include <vector>

#include "app/shell_rules.h"

namespace vgr47 {

struct StartOptions {
    bool version = false;
    bool help = false;
    int quitAfterMs = -1;  // tests: close the window after this long
    std::string problem;   // a malformed option of our own; Qt's options are left to Qt
};
StartOptions ParseStartOptions(const std::vector<std::string>& args);

// "vgr47 5.05 (Qt 6.4.2)"
std::string VersionLine(const std::string& program, const std::string& qtVersion);
std::string StartUsage();

struct StartFolder {
    AppValues values;
    std::string problem;  // why the per-user folder could not be made; "" when all is well
};

// The program folder for a start in currentDir, its per-user folder made on the first start,
// and the values read from it. documentsDir is where an installed program's file dialogs start.
StartFolder PrepareStartFolder(const std::string& currentDir, const std::string& editionKey,
                               const std::string& documentsDir);

}  // namespace vgr47
