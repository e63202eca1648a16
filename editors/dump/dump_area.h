// The codeplug as text: one line per setting, `<area>.<field> = <value>`, built from the
// same models the forms use. Each area (keys, scan, options, ...) knows its own fields; the
// list of areas and their order is in dump_areas.cpp.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/codeplug_image.h"
#include "core/model_catalogue.h"
#include "core/text_catalogue.h"
#include "editors/channels/channel_model.h"

namespace vgr47::dump {

// What an area reads and writes. The texts are those the comments are written in (English).
struct Context {
    CodeplugImage& image;
    ModelState& state;
    const TextCatalogue& texts;
    ChannelModel& channels;  // the grid as the channel form shows it (the scan form reads it)
};

// One line of a dump: the key and its formatted value (see the Format... helpers).
struct Line {
    std::string key;
    std::string value;
};

// One line of a text being loaded, its value already parsed: comments removed, a quoted
// text unescaped (quoted tells it was quoted).
struct Input {
    int lineNumber = 0;
    std::string key;
    std::string value;
    bool quoted = false;
};

struct Problem {
    int lineNumber = 0;  // 0 = not tied to one line
    std::string text;
};

class Area {
public:
    virtual ~Area() = default;
    // "keys", "scan", ...: every key of the area starts with this and a dot.
    virtual std::string name() const = 0;
    // Every setting of the area as the form would show it on opening. Fields stored beyond
    // the end of a short image are left out.
    virtual std::vector<Line> Dump(const Context& ctx) const = 0;
    // Applies changed lines (only keys the area's Dump lists, each once, each differing from
    // what Dump shows) as a user choosing these values and pressing OK would: same clamps,
    // validations and normalisations. Problems are added with their line numbers; the caller
    // throws the image away when there are any, so an area may stop at the first one.
    virtual void Load(const std::vector<Input>& changed, Context& ctx, std::vector<Problem>& problems) const = 0;
};

// The areas in the fixed order of a dump.
std::vector<std::unique_ptr<Area>> AllAreas();

// ---- values ----
// A list: the selected index, and for a selection the entry's text as a comment: "3  # Monitor".
std::string FormatList(int index, const std::string& entryText);
std::string FormatCheck(bool checked);
// A text field: in double quotes, with \" \\ and \xNN (control characters, bytes >= 0x7F).
std::string FormatQuoted(const std::string& text);
// A channel of a channel-number list: "5", "A", "none" (entry 0) or "-" (no selection).
std::string FormatChannel(int entry, const std::string& channelName);

// A list value ("3", "-1"; the comment is already gone). nullopt for anything else.
std::optional<int> ParseIndex(const std::string& value);
// "0" or "1".
std::optional<bool> ParseCheck(const std::string& value);
// A whole decimal integer, sign allowed.
std::optional<long> ParseInteger(const std::string& value);

// ---- whole codeplugs ----
std::vector<Line> DumpAll(const Context& ctx);
// "key = value" lines, ending in a newline each.
std::string DumpText(const Context& ctx);

// Parses one line of a dump. Blank and comment lines (starting with #) give nullopt and no
// problem; a malformed line gives nullopt and a problem.
std::optional<Input> ParseLine(const std::string& line, int lineNumber, std::vector<Problem>& problems);

// Applies a dump (all or some of its lines) to the image. Unknown and repeated keys and
// malformed lines are problems; lines equal to what the form shows change nothing; areas
// without changes are not written at all. With any problem the image is left exactly as it
// was and false is returned.
bool LoadText(const std::string& text, Context& ctx, std::vector<Problem>& problems);

}  // namespace vgr47::dump
