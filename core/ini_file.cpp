#include "core/ini_file.h"

#include <vector>

#include "core/codeplug_lib.h"
#include "core/safe_file.h"

namespace vgr47 {

namespace {

bool SameName(const std::string& a, const std::string& b) {
    return ToUpperAscii(TrimText(a)) == ToUpperAscii(TrimText(b));
}

struct Line {
    std::string text;  // without its line ending
    std::string ending;
};

std::vector<Line> SplitLines(const std::string& text) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t nl = text.find('\n', pos);
        if (nl == std::string::npos) {
            lines.push_back({text.substr(pos), ""});
            break;
        }
        std::size_t end = nl;
        std::string ending = "\n";
        if (end > pos && text[end - 1] == '\r') {
            --end;
            ending = "\r\n";
        }
        lines.push_back({text.substr(pos, end - pos), ending});
        pos = nl + 1;
    }
    return lines;
}

// Section name of a "[name]" line, or false.
bool SectionName(const std::string& line, std::string& name) {
    std::string t = TrimText(line);
    if (t.size() < 2 || t[0] != '[') return false;
    std::size_t close = t.find(']');
    if (close == std::string::npos) return false;
    name = t.substr(1, close - 1);
    return true;
}

bool KeyLine(const std::string& line, std::string& key, std::string& value) {
    std::string t = TrimText(line);
    if (t.empty() || t[0] == ';' || t[0] == '[') return false;
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    key = TrimText(line.substr(0, eq));
    value = line.substr(eq + 1);
    return true;
}

std::string CleanValue(const std::string& raw) {
    std::string v = TrimText(raw);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    if (v.size() > kIniValueLimit) {
        std::size_t cut = kIniValueLimit;
        // Never leave half of a UTF-8 sequence behind.
        while (cut > 0 && (static_cast<unsigned char>(v[cut]) & 0xC0) == 0x80) --cut;
        v.resize(cut);
    }
    return v;
}

// Far more than any settings file; a larger one is not read into memory.
constexpr std::size_t kLargestIniFile = 16u << 20;

bool ReadWhole(const std::string& path, std::string& out) {
    return ReadRegularFile(path, kLargestIniFile, out);
}

}  // namespace

std::string IniReadText(const std::string& text, const std::string& section, const std::string& key) {
    bool inSection = false;
    for (const Line& l : SplitLines(text)) {
        std::string name, k, v;
        if (SectionName(l.text, name)) {
            inSection = SameName(name, section);
            continue;
        }
        if (inSection && KeyLine(l.text, k, v) && SameName(k, key)) return CleanValue(v);
    }
    return "";
}

std::string IniRead(const std::string& path, const std::string& section, const std::string& key) {
    std::string text;
    if (!ReadWhole(path, text)) return "";
    return IniReadText(text, section, key);
}

std::string IniWriteText(const std::string& text, const std::string& section, const std::string& key,
                         const std::string& value) {
    std::vector<Line> lines = SplitLines(text);
    std::string eol = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    const std::string entry = key + "=" + value;

    int sectionLine = -1;
    int lastInSection = -1;  // last non-blank line that belongs to the section
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string name, k, v;
        if (SectionName(lines[i].text, name)) {
            if (inSection) break;
            inSection = SameName(name, section);
            if (inSection) sectionLine = lastInSection = static_cast<int>(i);
            continue;
        }
        if (!inSection) continue;
        if (KeyLine(lines[i].text, k, v) && SameName(k, key)) {
            lines[i].text = entry;
            std::string out;
            for (const Line& l : lines) out += l.text + l.ending;
            return out;
        }
        if (!TrimText(lines[i].text).empty()) lastInSection = static_cast<int>(i);
    }

    if (sectionLine < 0) {
        std::string out = text;
        if (!out.empty() && out.back() != '\n') out += eol;
        out += "[" + section + "]" + eol + entry + eol;
        return out;
    }
    Line added{entry, eol};
    if (lines[lastInSection].ending.empty()) lines[lastInSection].ending = eol;
    lines.insert(lines.begin() + lastInSection + 1, added);
    std::string out;
    for (const Line& l : lines) out += l.text + l.ending;
    return out;
}

bool IniWrite(const std::string& path, const std::string& section, const std::string& key,
              const std::string& value) {
    std::string text;
    // A missing file starts empty; one that is there but cannot be read is not replaced, or
    // every other setting in it would be lost.
    if (FileExists(path) && !ReadRegularFile(path, kLargestIniFile, text)) return false;
    return SaveFileSafely(path, IniWriteText(text, section, key, value)).ok();
}

}  // namespace vgr47
