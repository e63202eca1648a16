// The key assignment form without widgets: the monitor key (bits 4..3 of 0x065B) on every
// model, the A and B side keys and a carried-through option byte on signalling models.
#pragma once

#include <string>
#include <vector>

#include "core/codeplug_image.h"
#include "core/model_catalogue.h"
#include "core/text_catalogue.h"
#include "editors/common/settings_description.h"

namespace vgr47 {

class KeyAssignModel {
  public:
    KeyAssignModel(CodeplugImage& image, const ModelState& state, const TextCatalogue& texts);

    // Each control's field, list and rules (key_settings.cpp).
    static const settings::Description<KeyAssignModel>& Settings();

    // List entries, in the order of the combo boxes.
    std::vector<std::string> MonitorEntries() const;
    std::vector<std::string> AKeyEntries() const;
    std::vector<std::string> BKeyEntries() const;
    // The side keys (and the hidden option box) exist on signalling models only.
    bool sideKeysShown() const { return state_.IsExtendedModel(); }
    // Whether the image holds the side key bytes at all (a basic radio's image ends at 0x073F).
    bool sideKeyBytesPresent() const;

    // The radio's function code of a side key list index and back; -1 when a code has no
    // entry. Code 2 is never written: it reads as index 1.
    static int IndexOfCode(int code);
    static int CodeOfIndex(int index);

    // Values as the controls hold them; -1 = no selection.
    int monitor = 0;
    int aKey = 0;
    int bKey = 0;
    int optionByte = 0;  // the hidden check box's state, as read

    void Load();
    // OK: writes every field; a list without a selection keeps its byte.
    void Store();

  private:
    CodeplugImage& image_;
    const ModelState& state_;
    const TextCatalogue& texts_;
};

}  // namespace vgr47
