// Sub-audible tone codes (CTCSS and DCS), the tone list of every tone box, and the
// channel raster snap.
#pragma once

#include <string>
#include <vector>

namespace vgr47 {

// 83 entries: the octal code followed by its 12-bit code word in hex ("023813" ... "7549EC").
const std::vector<std::string>& DcsTable();
// The 51 CTCSS tones in hertz.
const std::vector<double>& CtcssTones();
// The 218 entries of a tone box: the off text, the CTCSS tones, DCS normal, DCS inverted.
std::vector<std::string> ToneList(const std::string& offText);

// code -> word when codeToWord, else word -> code; "" when there is no such entry.
std::string DcsLookup(const std::string& text, bool codeToWord);
// 4 hex digits in image order -> the tone text.
std::string DecodeTone(const std::string& hex4, const std::string& offText);
// The tone text -> 4 hex digits in image order; "" for a DCS code outside the table.
std::string EncodeTone(const std::string& tone, const std::string& offText);

// Moves a frequency onto the 6.25 kHz (stepFlag 1) or 5 kHz (stepFlag 0) raster: the
// grid point at or below it that is nearer, a tie going to 5 kHz; "%9.5f".
std::string SnapFrequency(const std::string& text, int* stepFlag);

}  // namespace vgr47
