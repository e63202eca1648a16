// Automatic backups: every image read from a radio or written into one is kept as an ordinary
// codeplug file in the per-user data folder, named after the time, the model and the
// direction, and the newest of them are kept.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>

namespace vgr47 {

enum class BackupKind { Read, Written };

inline constexpr std::size_t kBackupsKept = 500;

// system.ini [option] automatic_backups=no turns the backups off.
inline constexpr const char* kBackupsSection = "option";
inline constexpr const char* kBackupsKey = "automatic_backups";
bool BackupsEnabled(const std::string& programDir);

// ${XDG_DATA_HOME:-$HOME/.local/share}/vgr47/backups, from the environment; "" when there is
// no per-user folder to put them in (a relative XDG_DATA_HOME counts as unset).
std::string BackupFolder();
std::string BackupFolderFor(const char* xdgDataHome, const char* home);

// The model name as a piece of a file name: every character but ASCII letters, digits, '-',
// '.' and '+' becomes '_'; "radio" when the name is empty.
std::string SafeFileNamePart(const std::string& text);
// "YYYYMMDD-HHMMSS_<model>_<read|written>", without the extension.
std::string BackupBaseName(const std::tm& localTime, const std::string& modelName, BackupKind kind);
// Whether a file name is one of ours: the base name, "-N" when that was taken, ".dat".
bool IsBackupFileName(const std::string& name);

struct BackupResult {
    bool ok = false;
    std::string path;     // the file written
    std::string problem;  // the folder and the system's reason, when not ok
};

// Writes the image (hex text) as a codeplug file into the folder, created when missing,
// under the first free name (-2, -3, ... after the base name), then removes the oldest
// backups beyond `keep`.
BackupResult KeepBackup(const std::string& folder, const std::string& imageHex,
                        const std::string& modelName, BackupKind kind, std::time_t when,
                        std::size_t keep = kBackupsKept);

// Removes the oldest files of the backup name pattern beyond `keep`; nothing else.
void PruneBackups(const std::string& folder, std::size_t keep);

}  // namespace vgr47
