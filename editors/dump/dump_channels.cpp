#include "editors/dump/dump_channels.h"

#include <map>

#include "core/codeplug_lib.h"
#include "editors/channels/channel_dlg_model.h"
#include "editors/channels/channel_settings.h"

namespace vgr47::dump {

namespace {

const char* const kPrefix = "channel.";
const char* const kOff = "off";

bool IsChannelKey(const std::string& key) { return key.compare(0, 8, kPrefix) == 0; }

struct ChannelInput {
    int lineNumber = 0;  // of the channel's first line
    bool off = false;
    std::vector<std::pair<const ChannelSetting*, Input>> fields;
};

}  // namespace

std::vector<Line> DumpChannelLines(const Context& ctx) {
    const ChannelModel& channels = ctx.channels;
    std::vector<Line> lines;
    for (int row = 1; row < channels.Rows(); ++row) {
        const std::string base = kPrefix + channels.RowName(row);
        if (channels.IsRowEmpty(row)) {
            lines.push_back({base, kOff});
            continue;
        }
        for (const ChannelSetting& s : ChannelSettings()) {
            if (!s.ShownOn(channels)) continue;
            lines.push_back({base + "." + s.key, ChannelSettingValue(channels, row, s)});
        }
    }
    return lines;
}

std::vector<Line> DumpAllWithChannels(const Context& ctx) {
    std::vector<Line> lines = DumpAll(ctx);
    for (Line& l : DumpChannelLines(ctx)) lines.push_back(std::move(l));
    return lines;
}

std::string DumpTextWithChannels(const Context& ctx) {
    std::string out = DumpText(ctx);
    for (const Line& l : DumpChannelLines(ctx))
        out += l.key + " =" + (l.value.empty() ? "" : " " + l.value) + "\n";
    return out;
}

bool LoadTextWithChannels(const std::string& text, Context& ctx, std::vector<Problem>& problems) {
    const std::size_t problemsBefore = problems.size();
    const std::string original = ctx.image.image();
    ctx.channels.Refill();

    std::map<std::string, int> rowOfName;
    for (int row = 1; row < ctx.channels.Rows(); ++row) rowOfName[ctx.channels.RowName(row)] = row;

    // The channel lines are taken out (blank lines keep the numbers of the others).
    std::string rest;
    std::map<int, ChannelInput> byRow;
    std::map<std::string, int> seen;
    int lineNumber = 0;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        std::vector<Problem> ignored;
        auto input = ParseLine(line, lineNumber, ignored);
        if (!input || !IsChannelKey(input->key)) {
            rest += line + "\n";
            continue;
        }
        rest += "\n";
        const std::string tail = input->key.substr(8);
        const std::size_t dot = tail.find('.');
        const std::string name = ToUpperAscii(tail.substr(0, dot));
        auto row = rowOfName.find(name);
        const ChannelSetting* setting =
            dot == std::string::npos ? nullptr : FindChannelSetting(tail.substr(dot + 1));
        if (row == rowOfName.end() || (dot != std::string::npos && !setting) ||
            (setting && !setting->ShownOn(ctx.channels))) {
            problems.push_back({lineNumber, "unknown key " + input->key});
            continue;
        }
        if (auto first = seen.find(input->key); first != seen.end()) {
            problems.push_back(
                {lineNumber, input->key + " repeats line " + std::to_string(first->second)});
            continue;
        }
        seen[input->key] = lineNumber;
        ChannelInput& channel = byRow[row->second];
        if (channel.lineNumber == 0) channel.lineNumber = lineNumber;
        if (setting) {
            channel.fields.push_back({setting, *input});
        } else if (input->value == kOff) {
            channel.off = true;
        } else {
            problems.push_back(
                {lineNumber,
                 input->key + ": only \"off\" may stand here; give the channel's fields"});
        }
    }
    for (const auto& [row, channel] : byRow) {
        if (channel.off && !channel.fields.empty())
            problems.push_back(
                {channel.lineNumber,
                 std::string(kPrefix) + ctx.channels.RowName(row) + " is off and has field lines"});
    }

    if (problems.size() == problemsBefore && !byRow.empty()) {
        ChannelDlgModel dialog(ctx.channels, ctx.image, ctx.texts);
        for (const auto& [row, channel] : byRow) {
            dialog.Open(row);
            if (channel.off) {
                if (dialog.state().channelOn.checked) dialog.SetChannelOn(false);
                continue;
            }
            // A channel switched on starts from the values of a channel switched on in the dialog.
            if (!dialog.state().channelOn.checked) dialog.SetChannelOn(true);
            for (const ChannelSetting& s : ChannelSettings()) {
                for (const auto& [given, input] : channel.fields) {
                    if (given != &s) continue;
                    if (auto why = ApplyChannelSetting(dialog, s, input.value))
                        problems.push_back(
                            {input.lineNumber, input.key + ": " + input.value + " " + *why});
                }
            }
        }
        ctx.channels.Refill();
    }
    if (problems.size() == problemsBefore) LoadText(rest, ctx, problems);
    if (problems.size() != problemsBefore) {
        ctx.image.SetImageText(original);
        ctx.channels.Refill();
        return false;
    }
    return true;
}

}  // namespace vgr47::dump
