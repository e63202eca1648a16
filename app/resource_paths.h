#pragma once

#include <string>

namespace vgr47 {

// language.sys and the help pages: the program directory first, then beside the
// executable (and its parent, for a build tree), then the installed data directory.
std::string FindResource(const std::string& programDir, const std::string& exeDir, const std::string& name);

}  // namespace vgr47
