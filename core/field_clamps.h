// Clamps applied to numeric edit fields when they lose focus. They work on the field text.
#pragma once

#include <string>
#include <vector>

namespace vgr47 {

std::string ClampIntField(const std::string& text, int min, int max, int step);
// step gives the number of decimals (0.1 -> one decimal, 0.05 -> two).
std::string ClampDecimalField(const std::string& text, double min, double max, double step);
// Keeps the trimmed text when it is one of the allowed texts, else the first allowed text.
std::string ClampChoiceField(const std::string& text, const std::vector<std::string>& allowed);

// A field's value rule: a numeric range with a step, or a list of allowed texts.
struct ValueRule {
    bool numeric = true;
    double min = 0, max = 0, step = 1;
    std::vector<std::string> allowed;
};
std::string ClampChoiceField(const std::string& text, const ValueRule& rule);

}  // namespace vgr47
