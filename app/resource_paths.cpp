#include "app/resource_paths.h"

#include <filesystem>

namespace vgr47 {

std::string FindResource(const std::string& programDir, const std::string& exeDir, const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path candidates[] = {
        fs::path(programDir) / name,
        fs::path(exeDir) / name,
        fs::path(exeDir).parent_path() / name,
        fs::path(exeDir).parent_path() / "share" / "vgr47" / name,
        fs::path("/usr/share/vgr47") / name,
    };
    for (const fs::path& p : candidates)
        if (!p.empty() && fs::exists(p, ec)) return p.string();
    return (fs::path(programDir) / name).string();
}

}  // namespace vgr47
