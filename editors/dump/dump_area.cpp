#include "editors/dump/dump_area.h"

#include <charconv>
#include <map>
#include <set>

namespace vgr47::dump {
namespace {

std::string Trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    std::size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The text between the quotes starting at value[0]; the rest of the line may only be a
// comment. nullopt for a missing closing quote or a bad escape.
std::optional<std::string> Unquote(const std::string& value, std::string& why) {
    std::string out;
    std::size_t i = 1;
    for (; i < value.size(); ++i) {
        char c = value[i];
        if (c == '"') break;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= value.size()) break;
        char e = value[i];
        if (e == '"' || e == '\\') {
            out += e;
        } else if (e == 'x' && i + 2 < value.size() && HexValue(value[i + 1]) >= 0 &&
                   HexValue(value[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(value[i + 1]) * 16 + HexValue(value[i + 2]));
            i += 2;
        } else {
            why = "bad escape \\" + std::string(1, e);
            return std::nullopt;
        }
    }
    if (i >= value.size()) {
        why = "missing closing quote";
        return std::nullopt;
    }
    std::string rest = Trim(value.substr(i + 1));
    if (!rest.empty() && rest[0] != '#') {
        why = "text after the closing quote";
        return std::nullopt;
    }
    return out;
}

// The value as compared and as areas see it.
struct Parsed {
    std::string value;
    bool quoted = false;
};

std::optional<Parsed> ParseValue(const std::string& raw, std::string& why) {
    std::string v = Trim(raw);
    if (!v.empty() && v[0] == '"') {
        auto text = Unquote(v, why);
        if (!text) return std::nullopt;
        return Parsed{*text, true};
    }
    std::size_t hash = v.find('#');
    if (hash != std::string::npos) v = Trim(v.substr(0, hash));
    return Parsed{v, false};
}

}  // namespace

std::string FormatList(int index, const std::string& entryText) {
    if (index < 0) return "-1";
    return std::to_string(index) + "  # " + entryText;
}

std::string FormatCheck(bool checked) { return checked ? "1" : "0"; }

std::string FormatQuoted(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string FormatChannel(int entry, const std::string& channelName) {
    if (entry < 0) return "-";
    if (entry == 0) return "none";
    return channelName;
}

std::optional<long> ParseInteger(const std::string& value) {
    long n = 0;
    const char* first = value.data();
    const char* last = value.data() + value.size();
    if (first != last && *first == '+') ++first;
    auto [end, ec] = std::from_chars(first, last, n);
    if (ec != std::errc() || end != last || first == last) return std::nullopt;
    return n;
}

std::optional<int> ParseIndex(const std::string& value) {
    auto n = ParseInteger(value);
    if (!n || *n < -1 || *n > 100000) return std::nullopt;
    return static_cast<int>(*n);
}

std::optional<bool> ParseCheck(const std::string& value) {
    if (value == "0") return false;
    if (value == "1") return true;
    return std::nullopt;
}

std::vector<Line> DumpAll(const Context& ctx) {
    ctx.channels.Refill();
    std::vector<Line> lines;
    for (const auto& area : AllAreas()) {
        for (Line& l : area->Dump(ctx)) lines.push_back(std::move(l));
    }
    return lines;
}

std::string DumpText(const Context& ctx) {
    std::string out;
    for (const Line& l : DumpAll(ctx)) {
        out += l.key + " =";
        if (!l.value.empty()) out += " " + l.value;
        out += '\n';
    }
    return out;
}

std::optional<Input> ParseLine(const std::string& line, int lineNumber, std::vector<Problem>& problems) {
    std::string t = Trim(line);
    if (t.empty() || t[0] == '#') return std::nullopt;
    std::size_t eq = t.find('=');
    if (eq == std::string::npos) {
        problems.push_back({lineNumber, "expected <area>.<field> = <value>"});
        return std::nullopt;
    }
    std::string key = Trim(t.substr(0, eq));
    if (key.empty() || key.find('.') == std::string::npos) {
        problems.push_back({lineNumber, "expected <area>.<field> = <value>"});
        return std::nullopt;
    }
    std::string why;
    auto parsed = ParseValue(t.substr(eq + 1), why);
    if (!parsed) {
        problems.push_back({lineNumber, key + ": " + why});
        return std::nullopt;
    }
    return Input{lineNumber, key, parsed->value, parsed->quoted};
}

bool LoadText(const std::string& text, Context& ctx, std::vector<Problem>& problems) {
    const std::size_t problemsBefore = problems.size();
    const std::string original = ctx.image.image();
    ctx.channels.Refill();
    auto areas = AllAreas();

    // What the forms show now, key by key, parsed as the input is.
    std::map<std::string, Parsed> current;
    std::map<std::string, std::size_t> areaOfKey;
    for (std::size_t a = 0; a < areas.size(); ++a) {
        for (const Line& l : areas[a]->Dump(ctx)) {
            std::string why;
            if (auto p = ParseValue(l.value, why)) current[l.key] = *p;
            areaOfKey[l.key] = a;
        }
    }

    std::vector<std::vector<Input>> changed(areas.size());
    std::map<std::string, int> seen;
    std::size_t start = 0;
    int lineNumber = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        ++lineNumber;
        auto input = ParseLine(text.substr(start, end - start), lineNumber, problems);
        start = end + 1;
        if (!input) continue;
        auto where = areaOfKey.find(input->key);
        if (where == areaOfKey.end()) {
            problems.push_back({lineNumber, "unknown key " + input->key});
            continue;
        }
        if (auto first = seen.find(input->key); first != seen.end()) {
            problems.push_back({lineNumber, input->key + " repeats line " + std::to_string(first->second)});
            continue;
        }
        seen[input->key] = lineNumber;
        const Parsed& now = current[input->key];
        if (now.value == input->value) continue;  // what the form shows: no change
        changed[where->second].push_back(*input);
    }

    if (problems.size() == problemsBefore) {
        for (std::size_t a = 0; a < areas.size(); ++a) {
            if (changed[a].empty()) continue;
            areas[a]->Load(changed[a], ctx, problems);
            ctx.channels.Refill();
        }
    }
    if (problems.size() != problemsBefore) {
        ctx.image.SetImageText(original);
        ctx.channels.Refill();
        return false;
    }
    return true;
}

}  // namespace vgr47::dump
