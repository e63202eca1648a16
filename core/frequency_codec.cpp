#include "core/frequency_codec.h"

#include <cmath>

#include "core/codeplug_lib.h"

namespace vgr47 {

namespace {

// The code of a frequency in whole 10 Hz units.
std::string EncodeUnits(long long units) {
    if (units < 0 || units > 99999999) return "";
    std::string d = std::to_string(units);
    d.insert(0, 8 - d.size(), '0');  // D1 D2 D3 d1 d2 d3 d4 d5
    return d.substr(6, 2) + d.substr(4, 2) + d.substr(2, 2) + d.substr(0, 2);
}

}  // namespace

std::string EncodeFrequency(double mhz) {
    if (!(mhz == mhz)) return "";
    // Rounding to the fifth decimal is what "%09.5f" does; it never truncates 66.1 to 66.09999.
    return EncodeUnits(std::llround(mhz * 100000.0));
}

std::string EncodeFrequencyText(const std::string& text) {
    std::string t = TrimText(text);
    std::size_t dot = t.find('.');
    std::string whole = t.substr(0, dot);
    std::string frac = dot == std::string::npos ? "" : t.substr(dot + 1);
    if (whole.empty() && frac.empty()) return "";
    for (char c : whole + frac)
        if (c < '0' || c > '9') return EncodeFrequency(ParseLeadingDouble(text));
    if (frac.size() > 5) return EncodeFrequency(ParseLeadingDouble(text));
    frac.append(5 - frac.size(), '0');
    long long units = 0;
    for (char c : whole + frac) {
        units = units * 10 + (c - '0');
        if (units > 99999999) return "";
    }
    return EncodeUnits(units);
}

double DecodeFrequency(const std::string& hex8) {
    if (hex8.size() != 8) return 0.0;
    std::string digits = hex8.substr(6, 2) + hex8.substr(4, 2) + hex8.substr(2, 2) + hex8.substr(0, 2);
    long long value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
    }
    return static_cast<double>(value) * 0.00001;
}

double ClampToBand(double mhz, double bandLow, double bandHigh) {
    if (!(mhz >= bandLow)) return bandLow;
    if (mhz > bandHigh) return bandHigh;
    return mhz;
}

std::string ClampFrequencyText(const std::string& text, double bandLow, double bandHigh) {
    return FormatFrequency(ClampToBand(ParseLeadingDouble(text), bandLow, bandHigh));
}

std::string FormatFrequency(double mhz) { return FormatFixed(mhz, 5, 9); }

}  // namespace vgr47
