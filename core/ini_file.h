// Private-profile INI access: section and key names compare without regard to case,
// values are trimmed, a value in matching quotes loses them, and values are cut to 511
// characters. A write keeps every other line of the file exactly as it was.
#pragma once

#include <string>

namespace vgr47 {

inline constexpr std::size_t kIniValueLimit = 511;

// "" when the file, the section or the key is missing.
std::string IniRead(const std::string& path, const std::string& section, const std::string& key);
// Parses INI text held in memory, with the same rules.
std::string IniReadText(const std::string& text, const std::string& section, const std::string& key);
// Creates the file when needed; returns false when it cannot be written.
bool IniWrite(const std::string& path, const std::string& section, const std::string& key,
              const std::string& value);
// The edit IniWrite makes, on text in memory.
std::string IniWriteText(const std::string& text, const std::string& section, const std::string& key,
                         const std::string& value);

}  // namespace vgr47
