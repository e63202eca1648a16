// What the channel dialog shows for each setting of a channel, as data: the setting's key in
// channel lines, the layout field(s) it is stored in, the grid column that shows its value (the
// column also says on which models it exists), the dialog control and setter a user changes it
// through, how its value is shown, and its special rules by name. Dump and load of channel
// lines walk this list; the generated tests walk it too.
//
// A line such as
//   Line("compander", C::kColCompander, {&f::kChannelCompander},
//        OnOff(&S::compander, &M::SetCompander)),
// says: channel.<number>.compander is shown as on/off in the compander column, stored in the
// compander bit of the channel record, and changed through the dialog's compander check box.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/layout/layout_types.h"
#include "core/text_catalogue.h"
#include "editors/channels/channel_dlg_model.h"
#include "editors/channels/channel_model.h"

namespace vgr47 {

// How a setting's value is shown in the grid and given in a channel line.
enum class ChannelShown {
    Frequency,  // "%9.5f" MHz; a value is moved onto the raster, one outside the band refused
    Entry,      // the text of a list entry
    TwoTexts,   // one of two texts: on/off, wide/narrow, AND/OR
};

// The rules of a setting beyond its control's, each named where the dialog has it.
enum class ChannelRule {
    None,
    EmptyRefused,        // the receive frequency: a channel is switched off by "off" instead
    EmptySwitchesTxOff,  // the transmit frequency: empty means the channel does not transmit
    EmptyWhenClosed,     // a list or relation the dialog has closed takes "" or what it shows
    EmptyWhileTxOff,     // the encode tone shows "" while the channel does not transmit
};

// One control of the channel dialog: its member of the dialog state and the setter a user
// changes it through.
struct ChannelControl {
    ChannelShown shown = ChannelShown::Entry;
    DlgEdit ChannelDlgState::*edit = nullptr;
    DlgList ChannelDlgState::*list = nullptr;
    DlgCheck ChannelDlgState::*check = nullptr;
    void (ChannelDlgModel::*type)(const std::string&) = nullptr;  // Frequency
    void (ChannelDlgModel::*select)(int) = nullptr;               // Entry
    void (ChannelDlgModel::*tick)(bool) = nullptr;                // TwoTexts
    int checkedText = 0;                                          // TwoTexts: text numbers
    int uncheckedText = 0;

    bool Enabled(const ChannelDlgState& s) const;
};

struct ChannelSetting {
    const char* key = "";  // "rx": channel.<number>.rx
    int column = 0;        // ChannelModel::Column
    // Every field the setting is stored in, on any model; a model holds those that exist on it.
    std::vector<const layout::Field*> fields;
    ChannelControl control;
    std::optional<ChannelControl> signallingControl;  // where signalling models show another one
    ChannelRule rule = ChannelRule::None;

    const ChannelControl& ControlOn(bool signalling) const {
        return signalling && signallingControl ? *signallingControl : control;
    }
    std::vector<const layout::Field*> FieldsOn(bool signalling) const;
    // Whether the grid of the current model shows the setting (and channel lines carry it).
    bool ShownOn(const ChannelModel& channels) const {
        return column < channels.Columns() && !channels.IsColumnHidden(column);
    }

    ChannelSetting Follows(ChannelRule r) const;
    ChannelSetting OnSignallingModels(ChannelControl c) const;
};

// In the order load applies them: a list that decides what a later one offers comes first.
const std::vector<ChannelSetting>& ChannelSettings();
const ChannelSetting* FindChannelSetting(const std::string& key);

// The setting's value as the grid shows it for the row.
std::string ChannelSettingValue(const ChannelModel& channels, int row,
                                const ChannelSetting& setting);

// Sets the setting of the dialog's open channel to a value as the grid shows it, as a user
// would through its control. nullopt when done (or nothing to do), else why the dialog would
// not take it ("is not in the list", "is outside the band", "cannot be changed now").
std::optional<std::string> ApplyChannelSetting(ChannelDlgModel& dialog,
                                               const ChannelSetting& setting,
                                               const std::string& value);

}  // namespace vgr47
