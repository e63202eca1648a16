#include "app/resource_paths.h"

#include <filesystem>

#include "core/text_catalogue.h"

namespace vgr47 {

std::string FindResource(const std::string& programDir, const std::string& exeDir,
                         const std::string& name) {
    std::error_code ec;
    for (const std::string& place : ResourcePlaces(programDir, exeDir, name))
        if (std::filesystem::is_regular_file(place, ec)) return place;
    return (std::filesystem::path(programDir) / name).string();
}

}  // namespace vgr47
