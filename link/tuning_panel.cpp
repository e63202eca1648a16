#include "link/tuning_panel.h"

#include "core/codeplug_lib.h"
#include "core/text_ids.h"
#include "link/tuning_engine.h"

namespace vgr47 {

std::vector<TuningItem> TuningItems(bool extendedModel) {
    std::vector<TuningItem> items;
    for (int i = 0; i < 8; ++i) items.push_back({kTextTuneBatteryWarning + i, 0x01 + i});
    if (extendedModel) {
        items.push_back({kTextTuneDtmfDeviation, 0x0F});
        items.push_back({kTextTuneFiveToneDeviation, 0x10});
    }
    for (int i = 0; i < 4; ++i) items.push_back({kTextTuneDeviationNarrow + i, 0x09 + i});
    return items;
}

std::vector<int> TuningPageTitles(int itemCode) {
    if (itemCode == 0x01 || itemCode == 0x0A) return {kTextMiddle};
    return {kTextLow, kTextMiddle, kTextHigh};
}

ValueFieldOutcome ValueFieldChanged(const std::string& text) {
    const int value = ParseLeadingInt(text);
    ValueFieldOutcome out;
    if (value <= 0) {
        if (text != "0") out.rewrite = "0";
        return out;
    }
    // Nothing goes out for the over-range text itself, only for the "255" that replaces it.
    if (value > kTuningValueMax) {
        out.rewrite = std::to_string(kTuningValueMax);
        out.send = kTuningValueMax;
        return out;
    }
    out.send = value;
    return out;
}

int StepValue(int value, int delta) { return ((value + delta) % 256 + 256) % 256; }

std::optional<TuningAction> KeyAction(TuningKey key, const TuningKeyState& s) {
    switch (key) {
        case TuningKey::Enter:
            if (!s.adjusting) return std::nullopt;
            return s.storeShown ? TuningAction::Store : TuningAction::Tune;
        case TuningKey::Escape:
            return EscapeStep(s);
        case TuningKey::Left:
            if (s.valueFocused) return TuningAction::ValueDown;
            return std::nullopt;
        case TuningKey::Up:
            if (s.valueFocused) return TuningAction::ValueUp;
            return std::nullopt;
        case TuningKey::Right:
            if (s.adjusting) return TuningAction::ValueUp;
            return std::nullopt;
        case TuningKey::F5:
            return TuningAction::Discard;
        case TuningKey::F9:
            if (s.toggleEnabled) return TuningAction::ToggleAdjusting;
            return std::nullopt;
        case TuningKey::F12:
            return TuningAction::ClearTrace;
        case TuningKey::F2:
        case TuningKey::Other:
            return std::nullopt;
    }
    return std::nullopt;
}

TuningAction EscapeStep(const TuningKeyState& s) {
    if (s.storeShown) return TuningAction::Discard;
    if (s.adjusting) return TuningAction::ToggleAdjusting;
    return TuningAction::Exit;
}

}  // namespace vgr47
