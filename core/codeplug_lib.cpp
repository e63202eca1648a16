#include "core/codeplug_lib.h"

#include <sys/stat.h>

#include <cctype>
#include <charconv>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <thread>

namespace vgr47 {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

int ParseLeadingInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

double ParseLeadingDouble(const std::string& text, bool* ok) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) { ++i; digits = true; }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) { ++i; digits = true; }
    }
    if (ok) *ok = digits;
    if (!digits) return 0.0;
    std::string piece = text.substr(start, i - start);
    if (!piece.empty() && piece[0] == '+') piece.erase(0, 1);
    double value = 0.0;
    auto result = std::from_chars(piece.data(), piece.data() + piece.size(), value);
    if (result.ec != std::errc()) return 0.0;
    return value;
}

std::string FormatFixed(double value, int decimals, int width, bool zeroPad) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    std::string s = res.ec == std::errc() ? std::string(buf, res.ptr) : std::string("0");
    if (static_cast<int>(s.size()) < width) {
        std::size_t pad = width - s.size();
        if (zeroPad) {
            std::size_t at = (!s.empty() && s[0] == '-') ? 1 : 0;
            s.insert(at, pad, '0');
        } else {
            s.insert(0, pad, ' ');
        }
    }
    return s;
}

std::string FormatGeneral(double value) {
    // %g: 6 significant digits, trailing zeros removed, exponent when needed.
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 6);
    if (res.ec != std::errc()) return "0";
    return std::string(buf, res.ptr);
}

bool IsHexDigit(char c) { return HexValue(c) >= 0; }

bool IsHexText(const std::string& text) {
    for (char c : text)
        if (!IsHexDigit(c)) return false;
    return true;
}

std::string ToUpperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

int HexToInt(const std::string& hex) {
    // Leading hex digits; saturates instead of overflowing.
    unsigned long long value = 0;
    for (char c : hex) {
        int d = HexValue(c);
        if (d < 0) break;
        value = value * 16 + static_cast<unsigned>(d);
        if (value > 0xFFFFFFFFull) value = 0x100000000ull;
    }
    if (value > 0xFFFFFFFFull) return INT_MAX;
    // Eight digits map onto the signed 32-bit range as the radio's 32-bit values do.
    return static_cast<int>(static_cast<std::uint32_t>(value));
}

int HexLe16ToInt(const std::string& hex) {
    if (hex.size() > 4) return -1;
    if (hex.size() == 4) return HexToInt(hex.substr(2, 2) + hex.substr(0, 2));
    return HexToInt(hex);
}

std::string IntToHex(long long value, int bytes) {
    if (bytes < 0) return "";
    std::size_t digits = static_cast<std::size_t>(bytes) * 2;
    // Negative values format as their 32-bit two's complement, which only fits four bytes.
    unsigned long long v = value < 0 ? static_cast<std::uint32_t>(value) : static_cast<unsigned long long>(value);
    if (value < INT_MIN) return "";
    static const char kDigits[] = "0123456789ABCDEF";
    std::string s;
    do {
        s.insert(s.begin(), kDigits[v & 0xF]);
        v >>= 4;
    } while (v != 0);
    if (s.size() > digits) return "";
    s.insert(0, digits - s.size(), '0');
    return s;
}

std::string IntToHexLe(long long value, int bytes) {
    if (bytes != 2 && bytes != 4) return "";
    std::string s = IntToHex(value, bytes);
    if (s.empty()) return "";
    std::size_t n = static_cast<std::size_t>(bytes);
    return s.substr(s.size() - n) + s.substr(0, n);
}

std::string HexToBits(const std::string& hex) {
    std::string out;
    out.reserve(hex.size() * 4);
    for (char c : hex) {
        int d = HexValue(c);
        if (d < 0) return "";
        for (int b = 3; b >= 0; --b) out.push_back(((d >> b) & 1) ? '1' : '0');
    }
    return out;
}

std::string BitsToHex(const std::string& bits) {
    std::string padded = bits;
    if (padded.size() % 4 != 0) padded.insert(0, 4 - padded.size() % 4, '0');
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < padded.size(); i += 4) {
        int d = 0;
        for (std::size_t j = 0; j < 4; ++j) {
            char c = padded[i + j];
            if (c != '0' && c != '1') return "";
            d = d * 2 + (c - '0');
        }
        out.push_back(kDigits[d]);
    }
    return out;
}

int BitsToInt(const std::string& bits) { return HexToInt(BitsToHex(bits)); }

std::string IntToBits(long long value, int width) {
    if (value < 0) return "";
    std::string s;
    unsigned long long v = static_cast<unsigned long long>(value);
    do {
        s.insert(s.begin(), (v & 1) ? '1' : '0');
        v >>= 1;
    } while (v != 0);
    if (width < 0) return s;
    if (static_cast<std::size_t>(width) < s.size()) return "";
    s.insert(0, width - s.size(), '0');
    return s;
}

int GetBit(const std::string& byteHex, int bit) {
    if (byteHex.size() != 2 || bit < 0 || bit > 7 || !IsHexText(byteHex)) return -1;
    return (HexToInt(byteHex) >> bit) & 1;
}

void SetBit(std::string& byteHex, int bit, int value) {
    if (byteHex.size() != 2 || bit < 0 || bit > 7 || value < 0 || value > 1 || !IsHexText(byteHex)) {
        byteHex.clear();
        return;
    }
    int v = HexToInt(byteHex);
    v = value ? (v | (1 << bit)) : (v & ~(1 << bit));
    byteHex = IntToHex(v, 1);
}

std::string GetBits(const std::string& hex, int start, int count) {
    int length = static_cast<int>(hex.size()) * 4;
    if (start < 0 || start > length - 1 || count < 1 || count > length) return "";
    std::string bits = HexToBits(hex);
    if (bits.empty()) return "";
    // Bit 0 is the last character of the bit text.
    int first = length - (start + count);
    if (first < 0) return "";
    return bits.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count));
}

void SetBits(std::string& hex, int start, int count, const std::string& bits) {
    int length = static_cast<int>(hex.size()) * 4;
    std::string all = HexToBits(hex);
    if (start < 0 || start > length - 1 || count < 1 || count > length || start + count > length ||
        all.empty() || static_cast<int>(bits.size()) < count) {
        hex.clear();
        return;
    }
    std::string piece = bits.substr(bits.size() - static_cast<std::size_t>(count));
    all.replace(static_cast<std::size_t>(length - (start + count)), static_cast<std::size_t>(count), piece);
    hex = BitsToHex(all);
}

std::string HexToText(const std::string& hex) {
    std::string h = hex.size() % 2 ? "0" + hex : hex;
    std::string out;
    for (std::size_t i = 0; i + 1 < h.size(); i += 2) {
        std::string pair = ToUpperAscii(h.substr(i, 2));
        if (pair == "00" || pair == "FF") break;
        if (!IsHexText(pair)) break;
        out.push_back(static_cast<char>(HexToInt(pair)));
    }
    return out;
}

std::string TextToHex(const std::string& text) {
    std::string out;
    for (char c : text) out += IntToHex(static_cast<unsigned char>(c), 1);
    return out;
}

void SwapNibbles(std::string& hex) {
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) std::swap(hex[i], hex[i + 1]);
}

std::string RepeatToLength(const std::string& pattern, int length) {
    if (length <= 0 || pattern.empty()) return "";
    std::string out;
    out.reserve(static_cast<std::size_t>(length) + pattern.size());
    while (out.size() < static_cast<std::size_t>(length)) out += pattern;
    return out.substr(0, static_cast<std::size_t>(length));
}

std::string TrimText(const std::string& text) {
    std::size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    return text.substr(b, e - b);
}

std::string ReplaceAt(const std::string& text, std::size_t pos, std::size_t count, const std::string& piece) {
    if (pos > text.size()) return text + piece;
    std::string out = text;
    out.replace(pos, count, piece);
    return out;
}

char DecimalSeparator() { return '.'; }

void WaitMilliseconds(int milliseconds) {
    if (milliseconds <= 0) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool FileExists(const std::string& path) {
    // Never opened: opening a FIFO would wait for a writer.
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

}  // namespace vgr47
