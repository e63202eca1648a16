// Checks shared by the areas of the key, scan and options forms: a loaded value must be one
// the form's control offers, and a control the form hides or disables takes no new value.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "editors/dump/dump_area.h"

namespace vgr47::dump {

// The value part of a dumped line as a loaded line carries it: the comment removed.
inline std::string ValueOnly(const std::string& formatted) {
    std::size_t hash = formatted.find("  #");
    return hash == std::string::npos ? formatted : formatted.substr(0, hash);
}

inline std::map<std::string, std::string> ValuesByKey(const std::vector<Line>& lines) {
    std::map<std::string, std::string> values;
    for (const Line& l : lines) values[l.key] = ValueOnly(l.value);
    return values;
}

// The index of one of `entries` list entries; anything else (no selection included) is a
// problem.
inline std::optional<int> ListChoice(const Input& in, std::size_t entries,
                                     std::vector<Problem>& problems) {
    auto index = ParseIndex(in.value);
    if (!in.quoted && index && *index >= 0 && static_cast<std::size_t>(*index) < entries)
        return index;
    problems.push_back({in.lineNumber, in.key + ": '" + in.value +
                                           "' is not an entry of the list (0 to " +
                                           std::to_string(static_cast<int>(entries) - 1) + ")"});
    return std::nullopt;
}

// The same in the other wordings (see settings::ListWording), `expected` followed by the last
// entry's index; a quoted number passes.
inline std::optional<int> EntryChoice(const Input& in, std::size_t entries,
                                      std::vector<Problem>& problems, const std::string& expected) {
    auto index = ParseIndex(in.value);
    const int count = static_cast<int>(entries);
    if (index && *index >= 0 && *index < count) return index;
    problems.push_back({in.lineNumber, in.key + ": " + expected + std::to_string(count - 1)});
    return std::nullopt;
}

// A channel of a channel list by its name ("5", "A"), or "none" for entry 0.
inline std::optional<int> ChannelChoice(const Input& in, const std::vector<std::string>& entries,
                                        std::vector<Problem>& problems) {
    if (in.value == "none") return 0;
    if (!in.quoted)
        for (std::size_t i = 1; i < entries.size(); ++i)
            if (entries[i] == in.value) return static_cast<int>(i);
    problems.push_back({in.lineNumber, in.key + ": '" + in.value +
                                           "' is not a channel of the scan list (or none)"});
    return std::nullopt;
}

inline std::optional<bool> CheckChoice(const Input& in, std::vector<Problem>& problems) {
    auto checked = in.quoted ? std::nullopt : ParseCheck(in.value);
    if (!checked)
        problems.push_back({in.lineNumber, in.key + ": '" + in.value + "' is not 0 or 1"});
    return checked;
}

// The same in the other wording (see settings::CheckWording); a quoted 0 or 1 passes.
inline std::optional<bool> ExpectedCheck(const Input& in, std::vector<Problem>& problems) {
    auto checked = ParseCheck(in.value);
    if (!checked) problems.push_back({in.lineNumber, in.key + ": expected 0 or 1"});
    return checked;
}

// A control the form does not let the user change now: only its current value passes.
inline bool Unchangeable(const Input& in, const std::string& current, const std::string& why,
                         std::vector<Problem>& problems) {
    if (in.value == current) return false;
    problems.push_back({in.lineNumber, in.key + " " + why});
    return true;
}

}  // namespace vgr47::dump
