// Conversions between integers, hex text, bit text and character text.
// Every radio field is kept as upper-case hex text, two characters a byte; a failed
// conversion gives "" (or -1 for integer results) and never throws.
#pragma once

#include <cstdint>
#include <string>

namespace vgr47 {

// The one lenient number reader of the program: the leading numeric part of the text
// (optional blanks and sign, digits), saturating at the int range, 0 when there is none.
int ParseLeadingInt(const std::string& text);
// Leading decimal number with "." as separator whatever the locale; 0 when there is none.
// Sets *ok (when given) to whether any digit was found.
double ParseLeadingDouble(const std::string& text, bool* ok = nullptr);
// "%.<decimals>f"-style formatting with a fixed "." separator and a minimum width.
std::string FormatFixed(double value, int decimals, int width = 0, bool zeroPad = false);
// printf "%g" with "." whatever the locale.
std::string FormatGeneral(double value);

bool IsHexDigit(char c);
bool IsHexText(const std::string& text);
std::string ToUpperAscii(std::string text);

int HexToInt(const std::string& hex);
int HexLe16ToInt(const std::string& hex);
std::string IntToHex(long long value, int bytes);
std::string IntToHexLe(long long value, int bytes);

std::string HexToBits(const std::string& hex);
std::string BitsToHex(const std::string& bits);
int BitsToInt(const std::string& bits);
std::string IntToBits(long long value, int width);

int GetBit(const std::string& byteHex, int bit);
void SetBit(std::string& byteHex, int bit, int value);
std::string GetBits(const std::string& hex, int start, int count);
void SetBits(std::string& hex, int start, int count, const std::string& bits);

std::string HexToText(const std::string& hex);
std::string TextToHex(const std::string& text);
void SwapNibbles(std::string& hex);

std::string RepeatToLength(const std::string& pattern, int length);
std::string TrimText(const std::string& text);
std::string ReplaceAt(const std::string& text, std::size_t pos, std::size_t count,
                      const std::string& piece);

// Numbers never follow the user's locale: the separator is always ".".
char DecimalSeparator();
// Sleeps (does not spin) for at least n milliseconds.
void WaitMilliseconds(int milliseconds);
// Whether anything is at the path; it is never opened.
bool FileExists(const std::string& path);

}  // namespace vgr47
