// The channel dialog's shown fields as a description: each field's key in channel lines, the
// grid column that shows its value (the column also says on which models it exists), and the
// dialog control it is changed through. Dump and load of channel lines walk this list only.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "editors/channels/channel_dlg_model.h"
#include "editors/channels/channel_model.h"

namespace vgr47 {

struct ChannelLineField {
    const char* key;  // "rx": channel.<number>.rx
    int column;       // ChannelModel::Column
};

// In the order load applies them: a list that decides what a later one offers comes first.
const std::vector<ChannelLineField>& ChannelLineFields();

// The field's value as the grid shows it for the row.
std::string ChannelLineValue(const ChannelModel& channels, int row, const ChannelLineField& field);

// Sets the field of the dialog's open channel to a value as the grid shows it, as a user would
// through its control. nullopt when done (or nothing to do), else why the dialog would not
// take it ("is not in the list", "is outside the band", "cannot be changed now").
std::optional<std::string> ApplyChannelLineValue(ChannelDlgModel& dialog,
                                                 const ChannelModel& channels,
                                                 const TextCatalogue& texts,
                                                 const ChannelLineField& field,
                                                 const std::string& value);

}  // namespace vgr47
