// The channels as text: `channel.<number>.<field> = <value>` for every shown field of each
// channel that is on (the grid's values) and `channel.<number> = off` for one that is off. The
// channel lines ride beside the areas of a dump: a plain dump leaves them out, and load applies
// them first, so scan and auto-channel-select lines may name the channels they switch on.
#pragma once

#include <string>
#include <vector>

#include "editors/dump/dump_area.h"

namespace vgr47::dump {

std::vector<Line> DumpChannelLines(const Context& ctx);
// The dump followed by the channel lines.
std::vector<Line> DumpAllWithChannels(const Context& ctx);
std::string DumpTextWithChannels(const Context& ctx);

// LoadText with channel lines: they are applied first, through the channel dialog, then the
// other lines. With any problem the image is left exactly as it was and false is returned.
bool LoadTextWithChannels(const std::string& text, Context& ctx, std::vector<Problem>& problems);

}  // namespace vgr47::dump
