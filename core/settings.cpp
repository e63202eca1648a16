#include "core/settings.h"

#include "core/ini_file.h"

namespace vgr47 {

std::string Settings::PathOf(const std::string& name) const {
    if (programDir_.empty()) return name;
    char last = programDir_.back();
    return (last == '/' || last == '\\') ? programDir_ + name : programDir_ + "/" + name;
}

std::string Settings::iniPath() const { return PathOf("system.ini"); }

std::string Settings::GetSetting(const std::string& section, const std::string& key) const {
    return IniRead(iniPath(), section, key);
}

bool Settings::SetSetting(const std::string& section, const std::string& key, const std::string& value) const {
    return IniWrite(iniPath(), section, key, value);
}

}  // namespace vgr47
