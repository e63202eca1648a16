#include "core/tone_codec.h"

#include <cmath>

#include "core/codeplug_lib.h"

namespace vgr47 {

namespace {

const char* const kDcsCodes[] = {
    "023", "025", "026", "031", "032", "043", "047", "051", "054", "065", "071", "072", "073", "074",
    "114", "115", "116", "125", "131", "132", "134", "143", "152", "155", "156", "162", "165", "172",
    "174", "205", "223", "226", "243", "244", "245", "251", "261", "263", "265", "271", "306", "311",
    "315", "331", "343", "346", "351", "364", "365", "371", "411", "412", "413", "423", "431", "432",
    "445", "464", "465", "466", "503", "506", "516", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

// Tenths of a hertz from a tone text, by its digits (no floating product to truncate).
long long TenthsOf(const std::string& text) {
    std::string t = TrimText(text);
    long long whole = 0;
    std::size_t i = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
        whole = whole * 10 + (t[i] - '0');
        if (whole > 100000000) return -1;
    }
    int tenth = 0;
    if (i < t.size() && t[i] == '.' && i + 1 < t.size() && t[i + 1] >= '0' && t[i + 1] <= '9') tenth = t[i + 1] - '0';
    return whole * 10 + tenth;
}

}  // namespace

const std::vector<std::string>& DcsTable() {
    static const std::vector<std::string> table = [] {
        std::vector<std::string> t;
        for (const char* code : kDcsCodes) {
            int octal = (code[0] - '0') * 64 + (code[1] - '0') * 8 + (code[2] - '0');
            t.push_back(std::string(code) + IntToHex(0x800 + octal, 2).substr(1));
        }
        return t;
    }();
    return table;
}

const std::vector<double>& CtcssTones() {
    static const std::vector<double> tones = {
        62.5,  67.0,  69.3,  71.9,  74.4,  77.0,  79.7,  82.5,  85.4,  88.5,  91.5,  94.8,  97.4,
        100.0, 103.5, 107.2, 110.9, 114.8, 118.8, 123.0, 127.3, 131.8, 136.5, 141.3, 146.2, 151.4,
        156.7, 159.8, 162.2, 165.5, 167.9, 171.3, 173.8, 177.3, 179.9, 183.5, 186.2, 189.9, 192.8,
        196.6, 199.5, 203.5, 206.5, 210.7, 218.1, 225.7, 229.1, 233.6, 241.8, 250.3, 254.1};
    return tones;
}

std::vector<std::string> ToneList(const std::string& offText) {
    std::vector<std::string> list{offText};
    for (double t : CtcssTones()) list.push_back(TrimText(FormatFixed(t, 1, 5)));
    for (const std::string& e : DcsTable()) list.push_back("D" + e.substr(0, 3) + "N");
    for (const std::string& e : DcsTable()) list.push_back("D" + e.substr(0, 3) + "I");
    return list;
}

std::string DcsLookup(const std::string& text, bool codeToWord) {
    std::string t = ToUpperAscii(TrimText(text));
    for (const std::string& e : DcsTable()) {
        if (codeToWord && e.compare(0, 3, t) == 0 && t.size() == 3) return e.substr(3);
        if (!codeToWord && e.compare(3, 3, t) == 0 && t.size() == 3) return e.substr(0, 3);
    }
    return "";
}

std::string DecodeTone(const std::string& hex4, const std::string& offText) {
    // The polarity nibble is taken before the text is cleaned up.
    char n = hex4.size() > 2 ? hex4[2] : '0';
    std::string t = ToUpperAscii(TrimText(hex4));
    if (t == "FFFF") return offText;
    if (t.size() != 4) return "";
    if (n != '0') {
        std::string word = t.substr(3, 1) + t.substr(0, 2);
        return "D" + DcsLookup(word, false) + (n == '2' ? "N" : "I");
    }
    int value = HexLe16ToInt(t);
    if (value == 0) return offText;
    return TrimText(FormatFixed(value * 0.1, 1, 5));
}

std::string EncodeTone(const std::string& tone, const std::string& offText) {
    std::string x = TrimText(tone);
    if (x.empty() || x == TrimText(offText)) return "FFFF";
    if (x[0] != 'D' && x[0] != 'd') {
        long long tenths = TenthsOf(x);
        return tenths < 0 ? "" : IntToHexLe(tenths, 2);
    }
    std::string w = DcsLookup(x.substr(1, 3), true);
    if (w.size() != 3) return "";
    char last = static_cast<char>(std::toupper(static_cast<unsigned char>(x.back())));
    return w.substr(1, 2) + (last == 'N' ? "2" : "A") + w.substr(0, 1);
}

std::string SnapFrequency(const std::string& text, int* stepFlag) {
    // Work in whole tenths of a hertz so grid membership is decided exactly.
    double v = ParseLeadingDouble(text);
    long long u = std::llround(v * 1e7);
    if (u < 0) u = 0;
    const long long fine = 62500, coarse = 50000;
    long long result;
    int flag;
    if (u % fine == 0) {
        result = u;
        flag = 1;
    } else if (u % coarse == 0) {
        result = u;
        flag = 0;
    } else {
        long long g = u / fine * fine, f = u / coarse * coarse;
        if (u - f > u - g) {
            result = g;
            flag = 1;
        } else {
            result = f;
            flag = 0;
        }
    }
    if (stepFlag) *stepFlag = flag;
    return FormatFixed(static_cast<double>(result) / 1e7, 5, 9);
}

}  // namespace vgr47
