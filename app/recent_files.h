// The codeplugs last opened or saved, and the folder the file dialogs last showed; both kept
// in system.ini ([recent] file1..file8, folder), without widgets.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/settings.h"

namespace vgr47 {

class RecentFiles {
  public:
    static constexpr std::size_t kMaxFiles = 8;

    explicit RecentFiles(std::string programDir);

    // Newest first.
    const std::vector<std::string>& paths() const { return paths_; }
    // Puts the path first (once) and its folder as the last used one; the ninth goes.
    void Add(const std::string& path);
    void Remove(const std::string& path);

    // "" until a file dialog chose a file.
    const std::string& lastFolder() const { return folder_; }
    void SetLastFolder(const std::string& folder);

  private:
    void Store() const;

    Settings settings_;
    std::vector<std::string> paths_;
    std::string folder_;
};

// The folder of a path ("" for a bare name).
std::string FolderOf(const std::string& path);

// The name Save As offers: the current file's, or for an untitled codeplug one made from the
// model's name ("KV220AT  (UHF:450-527MHz)" gives "KV220AT UHF 450-527MHz.dat"); "" when
// there is neither.
std::string SuggestedSaveName(const std::string& filePath, const std::string& modelName);

}  // namespace vgr47
