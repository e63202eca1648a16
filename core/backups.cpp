#include "core/backups.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <tuple>
#include <vector>

#include "core/data_file.h"
#include "core/settings.h"

namespace vgr47 {

namespace fs = std::filesystem;

namespace {

constexpr const char* kExtension = ".dat";
constexpr std::size_t kStampLength = 15;  // YYYYMMDD-HHMMSS

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The number after a "-" that made the name free; 1 for the first file of a second.
int CopyNumber(const std::string& stem) {
    const std::size_t dash = stem.rfind('-');
    if (dash == std::string::npos || dash < kStampLength) return 1;
    const std::string digits = stem.substr(dash + 1);
    return AllDigits(digits) && digits.size() < 6 ? std::atoi(digits.c_str()) : 1;
}

std::tm LocalTime(std::time_t when) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    return local;
}

// Takes the name for this process before writing: the file write replaces a file, and two
// programs finishing in the same second must not replace each other's backup.
bool Reserve(const fs::path& path) {
    if (std::FILE* f = std::fopen(path.string().c_str(), "wbx")) {
        std::fclose(f);
        return true;
    }
    return false;
}

}  // namespace

bool BackupsEnabled(const std::string& programDir) {
    return Settings(programDir).GetSetting(kBackupsSection, kBackupsKey) != "no";
}

std::string BackupFolderFor(const char* xdgDataHome, const char* home) {
    fs::path base;
    if (xdgDataHome && *xdgDataHome && fs::path(xdgDataHome).is_absolute()) {
        base = xdgDataHome;
    } else if (home && *home && fs::path(home).is_absolute()) {
        base = fs::path(home) / ".local" / "share";
    } else {
        return "";
    }
    return (base / "vgr47" / "backups").string();
}

std::string BackupFolder() {
#ifdef _WIN32
    const char* home = std::getenv("LOCALAPPDATA");
    return BackupFolderFor(home, nullptr);
#else
    return BackupFolderFor(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
#endif
}

std::string SafeFileNamePart(const std::string& text) {
    std::string safe;
    for (char c : text) {
        const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '+';
        safe += keep ? c : '_';
    }
    return safe.empty() ? "radio" : safe;
}

std::string BackupBaseName(const std::tm& localTime, const std::string& modelName,
                           BackupKind kind) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d",
                  (localTime.tm_year + 1900) % 10000, localTime.tm_mon + 1, localTime.tm_mday,
                  localTime.tm_hour, localTime.tm_min, localTime.tm_sec);
    return std::string(stamp) + "_" + SafeFileNamePart(modelName) + "_" +
           (kind == BackupKind::Read ? "read" : "written");
}

bool IsBackupFileName(const std::string& name) {
    if (!EndsWith(name, kExtension)) return false;
    std::string stem = name.substr(0, name.size() - std::strlen(kExtension));
    if (stem.size() <= kStampLength + 1 || !AllDigits(stem.substr(0, 8)) || stem[8] != '-' ||
        !AllDigits(stem.substr(9, 6)) || stem[kStampLength] != '_')
        return false;
    const std::size_t dash = stem.rfind('-');
    if (dash > kStampLength && AllDigits(stem.substr(dash + 1))) stem.erase(dash);
    for (const std::string kind : {"_read", "_written"}) {
        if (EndsWith(stem, kind) && stem.size() > kStampLength + 1 + kind.size()) return true;
    }
    return false;
}

void PruneBackups(const std::string& folder, std::size_t keep) {
    std::error_code ec;
    // Oldest first: by the time in the name, then the copy number, then the name.
    std::vector<std::tuple<std::string, int, std::string>> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        std::error_code typeError;
        if (!IsBackupFileName(name) || !entry.is_regular_file(typeError)) continue;
        const std::string stem = name.substr(0, name.size() - std::strlen(kExtension));
        found.emplace_back(name.substr(0, kStampLength), CopyNumber(stem), name);
    }
    if (ec || found.size() <= keep) return;
    std::sort(found.begin(), found.end());
    for (std::size_t i = 0; i + keep < found.size(); ++i)
        fs::remove(fs::path(folder) / std::get<2>(found[i]), ec);
}

BackupResult KeepBackup(const std::string& folder, const std::string& imageHex,
                        const std::string& modelName, BackupKind kind, std::time_t when,
                        std::size_t keep) {
    BackupResult result;
    if (folder.empty()) {
        result.problem = "no per-user data folder (neither XDG_DATA_HOME nor HOME is set)";
        return result;
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        result.problem = folder + ": " + ec.message();
        return result;
    }
    const std::string base = BackupBaseName(LocalTime(when), modelName, kind);
    fs::path path;
    bool reserved = false;
    for (int copy = 1; copy < 1000 && !reserved; ++copy) {
        path =
            fs::path(folder) / (base + (copy > 1 ? "-" + std::to_string(copy) : "") + kExtension);
        errno = 0;
        reserved = Reserve(path);
        if (!reserved && !fs::exists(path, ec)) {
            result.problem = folder + ": " + std::strerror(errno ? errno : EACCES);
            return result;
        }
    }
    if (!reserved) {
        result.problem = folder + ": every name for this second is taken";
        return result;
    }
    errno = 0;
    if (WriteTextFile(path.string(), imageHex) < 0) {
        const int error = errno ? errno : EIO;
        fs::remove(path, ec);
        result.problem = path.string() + ": " + std::strerror(error);
        return result;
    }
    result.ok = true;
    result.path = path.string();
    PruneBackups(folder, keep);
    return result;
}

}  // namespace vgr47
