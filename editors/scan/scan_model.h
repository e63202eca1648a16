// The scan form without widgets: scan function, priority and revert channels, transmit
// pause and dwell times, signalling hold time and the power-on scan option. The priority
// list comes from the channel grid: the channels that have a frequency and are in the scan
// list.
#pragma once

#include <string>
#include <vector>

#include "core/codeplug_image.h"
#include "core/model_catalogue.h"
#include "core/text_catalogue.h"
#include "editors/channels/channel_model.h"
#include "editors/common/settings_description.h"

namespace vgr47 {

class ScanModel {
  public:
    ScanModel(CodeplugImage& image, const ModelState& state, const TextCatalogue& texts,
              const ChannelModel& channels);

    // Each control's field, list and rules (scan_settings.cpp).
    static const settings::Description<ScanModel>& Settings();

    std::vector<std::string> FunctionEntries() const;
    // "None", then the names of the scan channels ("5", "A").
    const std::vector<std::string>& PriorityEntries() const { return priorityEntries_; }
    // Four entries, six while a priority channel is chosen.
    std::vector<std::string> RevertEntries() const;
    static std::vector<std::string> PauseEntries();  // "0.5" .. "5.0"
    std::vector<std::string> HoldEntries() const;    // off, "50" .. "12750"
    std::vector<std::string> PowerOnScanEntries() const;

    // The stored revert value of a list index and back (-1: no entry).
    static int RevertValueOfIndex(int index);
    static int RevertIndexOfValue(int value);

    // The selections; -1 = no selection.
    int function() const { return function_; }
    int priority() const { return priority_; }
    int revert() const { return revert_; }
    int txPause = 0;
    int dwell = 0;
    int hold = 0;
    int powerOnScan = 0;

    // With fewer than two scan channels the radio cannot scan: the function stays off.
    bool functionEnabled() const { return functionEnabled_; }
    // Every list but the function one is usable only while a scan function is chosen.
    bool othersEnabled() const { return function_ != 0; }
    bool holdShown() const { return state_.IsExtendedModel(); }

    // The user's choices; each applies the rules that follow from it.
    void SetFunction(int index);
    void SetPriority(int index);
    void SetRevert(int index) { revert_ = index; }
    // The priority entry of a channel name ("5", "A"); -1 when it is not in the list.
    int PriorityIndexOf(const std::string& name) const;

    void Load();
    // OK: every byte read, changed and written back; a list without a selection keeps its
    // bits, except the power-on scan list, which then stores 11.
    void Store();

  private:
    int LastRevertIndex() const { return priority_ > 0 ? 5 : 3; }
    void RebuildRevert();

    CodeplugImage& image_;
    const ModelState& state_;
    const TextCatalogue& texts_;
    const ChannelModel& channels_;
    std::vector<std::string> priorityEntries_;
    int function_ = 0;
    int priority_ = 0;
    int revert_ = 0;
    bool functionEnabled_ = true;
};

}  // namespace vgr47
