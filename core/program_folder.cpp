#include "core/program_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "core/safe_file.h"
#include "core/text_catalogue.h"

namespace vgr47 {

namespace fs = std::filesystem;

namespace {

const char* const kFolderName = "vgr47";

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool IsAbsolute(const std::string& path) { return !path.empty() && path.front() == '/'; }

bool SameFolder(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    return fs::path(a).lexically_normal() == fs::path(b).lexically_normal();
}

// Creates each missing folder of path with mode 0700; the folders already there keep theirs.
bool MakeFolders(const fs::path& path, std::string& problem) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) return true;
    if (path.has_parent_path() && path.parent_path() != path &&
        !MakeFolders(path.parent_path(), problem))
        return false;
    if (::mkdir(path.c_str(), 0700) == 0 || (errno == EEXIST && fs::is_directory(path, ec)))
        return true;
    problem = path.string() + ": " + std::strerror(errno);
    return false;
}

}  // namespace

std::string PerUserFolder(const std::string& xdgConfigHome, const std::string& home) {
    if (IsAbsolute(xdgConfigHome)) return (fs::path(xdgConfigHome) / kFolderName).string();
    if (IsAbsolute(home)) return (fs::path(home) / ".config" / kFolderName).string();
    return "";
}

ProgramFolder ChooseProgramFolder(const std::string& currentDir, const std::string& perUserFolder) {
    std::error_code ec;
    const fs::path here(currentDir);
    const bool holdsFiles = fs::is_regular_file(here / "system.ini", ec) ||
                            fs::is_regular_file(here / "language.sys", ec);
    if (perUserFolder.empty()) return {currentDir, false};
    // A restart after a language switch starts in the per-user folder, which then holds
    // system.ini: it is still the installed program's folder.
    if (SameFolder(currentDir, perUserFolder)) return {currentDir, true};
    if (holdsFiles) return {currentDir, false};
    return {perUserFolder, true};
}

ProgramFolder ProgramFolderFromEnvironment(const std::string& currentDir) {
    std::string home = Environment("HOME");
    if (!IsAbsolute(home)) {
        if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) home = user->pw_dir;
    }
    return ChooseProgramFolder(currentDir, PerUserFolder(Environment("XDG_CONFIG_HOME"), home));
}

int LanguageOffsetForLocale(const std::string& localeName) {
    return localeName.compare(0, 2, "zh") == 0 ? kChineseOffset : kEnglishOffset;
}

std::string UserMessagesLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        std::string value = Environment(name);
        if (!value.empty()) return value;
    }
    return "";
}

bool PreparePerUserFolder(const std::string& folder, int languageOffset, std::string& problem) {
    if (!MakeFolders(folder, problem)) return false;
    std::error_code ec;
    const fs::path ini = fs::path(folder) / "system.ini";
    if (fs::exists(fs::symlink_status(ini, ec))) return true;
    const SaveReport report = SaveFileSafely(
        ini.string(), "[language]\nlanguage=" + std::to_string(languageOffset) + "\n");
    if (report.ok()) return true;
    problem = ini.string() + (report.reason.empty() ? "" : ": " + report.reason);
    return false;
}

}  // namespace vgr47
