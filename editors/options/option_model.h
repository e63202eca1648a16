// The optional features form without widgets: time-out timer and its companion times,
// squelch, power, auto-answer delay, PTT mode and five switches, in 0x065B to 0x0661.
// The power-on scan bits of 0x0660 belong to the scan form and are left to it.
#pragma once

#include <string>
#include <vector>

#include "core/codeplug_image.h"
#include "core/model_catalogue.h"
#include "core/text_catalogue.h"
#include "editors/common/settings_description.h"

namespace vgr47 {

class OptionModel {
  public:
    OptionModel(CodeplugImage& image, const ModelState& state, const TextCatalogue& texts);

    // Each control's field, list and rules (option_settings.cpp).
    static const settings::Description<OptionModel>& Settings();

    std::vector<std::string> TotEntries() const;       // off, "30" .. "900"
    std::vector<std::string> PreAlertEntries() const;  // off, "1" .. "10"
    std::vector<std::string> RekeyEntries() const;     // off, "1" .. "60"
    std::vector<std::string> ResetEntries() const;     // off, "1" .. "15"
    static std::vector<std::string> SquelchEntries();  // "0" .. "9"
    std::vector<std::string> PowerEntries() const;     // low, middle, high
    std::vector<std::string> PttEntries() const;
    std::vector<std::string> AutoAnswerEntries() const;  // off, "50" .. "12750"

    // Auto-answer delay and PTT mode are signalling features: disabled on basic models.
    bool signallingEnabled() const { return state_.IsExtendedModel(); }

    // List selections (-1 = no selection) and check states, as the controls hold them.
    int tot = 0;
    int preAlert = 0;
    int rekey = 0;
    int reset = 0;
    int squelch = 0;
    int power = 0;
    int ptt = 0;
    int autoAnswer = 0;
    bool keyLock = false;
    bool userSettings = false;
    bool disableManualTuning = false;
    bool disableSelfProgramming = false;
    bool powerOn = false;

    void Load();
    // OK: writes every field. A list without a selection keeps the old bits of its byte.
    void Store();

  private:
    CodeplugImage& image_;
    const ModelState& state_;
    const TextCatalogue& texts_;
};

}  // namespace vgr47
