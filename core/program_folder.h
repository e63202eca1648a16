// Where the program keeps system.ini. A program started in a folder that holds its files
// (portable use, the tests) keeps them there; one started from the desktop, whose current folder
// is the home folder or "/", uses a per-user folder instead and never writes where it was started.
#pragma once

#include <string>

namespace vgr47 {

struct ProgramFolder {
    std::string path;
    // The per-user folder of an installed program: file dialogs start in the documents folder.
    bool perUser = false;
};

// $XDG_CONFIG_HOME/vgr47, or $HOME/.config/vgr47 when XDG_CONFIG_HOME is unset or not an
// absolute path (as the base directory rules say); "" when neither gives an absolute folder.
std::string PerUserFolder(const std::string& xdgConfigHome, const std::string& home);

// currentDir when it holds system.ini or language.sys, else perUserFolder (currentDir again
// only when no per-user folder is known).
ProgramFolder ChooseProgramFolder(const std::string& currentDir, const std::string& perUserFolder);

// The same choice with the per-user folder from this process's environment (and the user
// database when HOME is unset).
ProgramFolder ProgramFolderFromEnvironment(const std::string& currentDir);

// The language offset for a locale name such as "zh_CN.UTF-8": Chinese for zh*, else English.
int LanguageOffsetForLocale(const std::string& localeName);

// The locale the user reads messages in: the first of LC_ALL, LC_MESSAGES and LANG that is set.
std::string UserMessagesLocale();

// Makes the per-user folder (readable by its user only, as the base directory rules ask) and,
// when it holds no system.ini yet, one that names only the language: there is no default port.
// False with the system's reason when the folder or the file cannot be made.
bool PreparePerUserFolder(const std::string& folder, int languageOffset, std::string& problem);

}  // namespace vgr47
