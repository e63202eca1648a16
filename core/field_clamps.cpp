#include "core/field_clamps.h"

#include <cmath>

#include "core/codeplug_lib.h"

namespace vgr47 {

std::string ClampIntField(const std::string& text, int min, int max, int step) {
    long long v = ParseLeadingInt(text);
    long long r;
    if (v < min)
        r = min;
    else if (v > max)
        r = max;
    else if (step > 0 && v % step != 0)
        r = static_cast<long long>(step) * (v / step);
    else
        r = v;
    return std::to_string(r);
}

namespace {

int DecimalsOf(double step) {
    // step printed with six decimals, trailing zeros dropped.
    std::string s = FormatFixed(step, 6);
    std::size_t dot = s.find('.');
    if (dot == std::string::npos) return 0;
    std::string frac = s.substr(dot + 1);
    while (!frac.empty() && frac.back() == '0') frac.pop_back();
    return static_cast<int>(frac.size());
}

int Truncate(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    if (v <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(v);
}

}  // namespace

std::string ClampDecimalField(const std::string& text, double min, double max, double step) {
    int d = DecimalsOf(step);
    double f = std::pow(10.0, d);
    double value = ParseLeadingDouble(text);
    // Scale with a small epsilon so 1.1 x 10 is 11, not 10.999...
    int scaled = Truncate(value * f + (value >= 0 ? 1e-7 : -1e-7));
    std::string clamped = ClampIntField(std::to_string(scaled), Truncate(min * f + 1e-7),
                                        Truncate(max * f + 1e-7), Truncate(step * f + 1e-7));
    long long k = ParseLeadingInt(clamped);
    return FormatFixed(static_cast<double>(k) / f, d, static_cast<int>(clamped.size()));
}

std::string ClampChoiceField(const std::string& text, const std::vector<std::string>& allowed) {
    std::string t = TrimText(text);
    for (const std::string& a : allowed)
        if (a == t) return t;
    return allowed.empty() ? t : allowed.front();
}

std::string ClampChoiceField(const std::string& text, const ValueRule& rule) {
    if (rule.numeric) return ClampDecimalField(text, rule.min, rule.max, rule.step);
    return ClampChoiceField(text, rule.allowed);
}

}  // namespace vgr47
