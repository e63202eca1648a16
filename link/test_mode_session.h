// The technician's test mode as one state and the record of what the radio was last told.
// Every button, key and way out is one call here; each sends its commands through the
// tuning engine and moves to the state the replies allow. A view only shows a copy of the
// truth it keeps, so what the window shows and what the radio does cannot drift apart.
#pragma once

#include <optional>
#include <string>

#include "link/tuning_engine.h"
#include "link/tuning_panel.h"

namespace vgr47 {

enum class TestModeState {
    Outside,                     // not in test mode: before the entry, or the entry failed
    Receiving,                   // test panel, transmitter released
    Transmitting,                // test panel, transmitter keyed
    Adjusting,                   // adjusting state, no value read
    AdjustingValue,              // adjusting a value
    AdjustingTransmitting,       // adjusting state, no value read, transmitter keyed
    AdjustingValueTransmitting,  // adjusting a value, transmitter keyed
    Leaving,                     // the way out was taken: nothing else goes to the radio
};

const char* TestModeStateName(TestModeState state);

// What the radio was last told. The four flags are set when their command goes out and
// cleared only when the command that undoes it is acknowledged, so a lost reply can never
// make the way out skip a step.
struct RadioTold {
    bool testMode = false;   // the entry began, no exit since
    bool adjusting = false;  // enter-adjusting sent, no acknowledged leave since
    bool valueOpen = false;  // a value read (Tune), no acknowledged store or discard since
    bool keyed = false;      // transmit-on sent, no acknowledged transmit-off since
    bool narrow = false;
    int channel = 0;     // position in the test channel list
    int signalling = 0;  // position in the signalling list
};

struct TestModeTruth {
    TestModeState state = TestModeState::Outside;
    RadioTold told;
    int item = -1;  // code of the item whose value is adjusted
    int value = 0;  // the value as last read from or sent to the radio
    // Counts the values that came from the radio: the value field takes them over, while
    // the values it sent itself stay as the user typed them.
    int valuesRead = 0;
    TuningEntry entry;

    bool InTestPanel() const;
    bool InAdjusting() const;
    bool ValueShown() const;
    bool Transmitting() const;
    // The enter/leave adjusting button: shown and usable.
    bool ToggleEnabled() const;
    TuningKeyState KeyState(bool valueFocused) const;
};

class TestModeSession {
  public:
    TestModeSession(TuningEngine& engine, TestModeTruth& truth) : engine_(engine), t_(truth) {}

    // Opens the port (the way out is taken when it cannot be opened) and runs the entry (the
    // session stays outside when it fails, the way out is still open).
    void Start(const std::string& portName);

    // Test panel.
    void SelectChannel(int position);
    void SelectSignalling(int position);
    void Wide();    // acts only while narrow
    void Narrow();  // acts only while wide
    void Ptt();
    // Enters or leaves the adjusting state (not while a value is adjusted).
    void ToggleAdjusting();

    // Adjusting state.
    void Tune(int itemCode);
    void SetValue(int value);
    void Store();
    void Discard();
    void AdjustWide();
    void AdjustNarrow();
    void AdjustPtt();

    // Ways out. Exit: the exit button. Escape (the key and the close box): discard, leave
    // the adjusting state, then exit. Abandon: the program closes; nothing is shown.
    void Exit();
    void Escape();
    void Abandon();

    // A button pressed by a key; itemCode is the selected item for Tune.
    void Press(TuningAction action, std::optional<int> itemCode);

  private:
    // Releases whatever may still be in effect, quietly, and ends the session.
    void LeaveQuietly();
    void SetTransmitting(bool on);
    void SetValueShown(bool shown);
    void AdjustBandwidth(bool wide);
    void PttCommand();

    TuningEngine& engine_;
    TestModeTruth& t_;
};

}  // namespace vgr47
