// The tuning dialog without widgets: the alignment items of a model, the pages an item
// shows, the value field's rules and what each key does in which state.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vgr47 {

struct TuningItem {
    int textNumber;
    int code;  // sent with the Tune command
};

// 12 items; 14 on models with signalling (0F and 10 after the eighth).
std::vector<TuningItem> TuningItems(bool extendedModel);

// Titles (text numbers) of the adjusting panel's pages for an item.
std::vector<int> TuningPageTitles(int itemCode);

// What the value field does with a typed text: the text it must show instead (when it has
// to be rewritten) and the value to send. The rewrite is part of the same edit: the field
// takes it without handling it again, so one edit sends one value.
struct ValueFieldOutcome {
    std::optional<std::string> rewrite;
    int send = 0;
};
ValueFieldOutcome ValueFieldChanged(const std::string& text);

// One step of the value, wrapping at both ends.
int StepValue(int value, int delta);

enum class TuningKey { Enter, Escape, Left, Up, Right, F2, F5, F9, F12, Other };

enum class TuningAction {
    Store,
    Tune,
    Discard,
    ToggleAdjusting,
    Exit,
    ValueDown,
    ValueUp,
    ClearTrace,
};

// The dialog's state as far as the keys care.
struct TuningKeyState {
    bool adjusting = false;     // in the adjusting state
    bool storeShown = false;    // a value is being adjusted (store and discard shown)
    bool toggleEnabled = true;  // the enter/leave adjusting button
    bool valueFocused = false;  // focus on the value field
};

// The button a key presses now, if any. Escape runs as a chain: discard while a value is
// being adjusted, then leave the adjusting state, then exit; EscapeStep gives the next
// link for the state reached.
std::optional<TuningAction> KeyAction(TuningKey key, const TuningKeyState& state);
TuningAction EscapeStep(const TuningKeyState& state);

}  // namespace vgr47
