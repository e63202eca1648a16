// Frequency codes: 8 BCD digits of 10 Hz units, least significant pair first.
#pragma once

#include <string>

namespace vgr47 {

// 8 hex digits in image order ("%09.5f" digits d4d5 d2d3 D3d1 D1D2); 136.025 -> 00256013.
std::string EncodeFrequency(double mhz);
// The same from a frequency text, digit by digit (66.1 gives 00106106, never a truncated product).
std::string EncodeFrequencyText(const std::string& text);
double DecodeFrequency(const std::string& hex8);
double ClampToBand(double mhz, double bandLow, double bandHigh);
std::string ClampFrequencyText(const std::string& text, double bandLow, double bandHigh);
// "%9.5f"
std::string FormatFrequency(double mhz);

}  // namespace vgr47
