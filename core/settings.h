// system.ini in the program directory.
#pragma once

#include <string>

namespace vgr47 {

class Settings {
public:
    Settings() = default;
    explicit Settings(std::string programDir) : programDir_(std::move(programDir)) {}

    std::string GetSetting(const std::string& section, const std::string& key) const;
    bool SetSetting(const std::string& section, const std::string& key, const std::string& value) const;

    const std::string& programDir() const { return programDir_; }
    std::string iniPath() const;
    // A path in the program directory.
    std::string PathOf(const std::string& name) const;

private:
    std::string programDir_;
};

}  // namespace vgr47
