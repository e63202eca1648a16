#include "app/recent_files.h"

#include <algorithm>
#include <filesystem>

#include "core/codeplug_lib.h"

namespace vgr47 {

namespace {

const char* const kSection = "recent";

std::string FileKey(std::size_t i) { return "file" + std::to_string(i + 1); }

}  // namespace

RecentFiles::RecentFiles(std::string programDir) : settings_(std::move(programDir)) {
    for (std::size_t i = 0; i < kMaxFiles; ++i) {
        std::string path = TrimText(settings_.GetSetting(kSection, FileKey(i)));
        if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end())
            paths_.push_back(path);
    }
    folder_ = TrimText(settings_.GetSetting(kSection, "folder"));
}

void RecentFiles::Add(const std::string& path) {
    if (path.empty()) return;
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kMaxFiles) paths_.resize(kMaxFiles);
    const std::string folder = FolderOf(path);
    if (!folder.empty()) folder_ = folder;
    Store();
}

void RecentFiles::Remove(const std::string& path) {
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
    Store();
}

void RecentFiles::SetLastFolder(const std::string& folder) {
    if (folder.empty() || folder == folder_) return;
    folder_ = folder;
    Store();
}

void RecentFiles::Store() const {
    // Without a program folder (a test that never meant to keep settings) nothing is written.
    if (settings_.programDir().empty()) return;
    for (std::size_t i = 0; i < kMaxFiles; ++i)
        settings_.SetSetting(kSection, FileKey(i), i < paths_.size() ? paths_[i] : std::string());
    settings_.SetSetting(kSection, "folder", folder_);
}

std::string FolderOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

std::string SuggestedSaveName(const std::string& filePath, const std::string& modelName) {
    if (!filePath.empty()) return filePath;
    std::string name;
    for (char c : modelName) {
        const bool keep = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                          (c >= 'a' && c <= 'z') || c == '-' || c == '_' || c == '.';
        // Anything else (blanks, ':', parentheses) that a file system may refuse becomes one blank.
        if (keep)
            name += c;
        else if (!name.empty() && name.back() != ' ')
            name += ' ';
    }
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name.empty() ? std::string() : name + ".dat";
}

}  // namespace vgr47
