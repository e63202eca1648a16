#include "link/test_mode_session.h"

namespace vgr47 {
namespace {

TestModeState Compose(bool adjusting, bool value, bool transmitting) {
    if (!adjusting) return transmitting ? TestModeState::Transmitting : TestModeState::Receiving;
    if (value)
        return transmitting ? TestModeState::AdjustingValueTransmitting
                            : TestModeState::AdjustingValue;
    return transmitting ? TestModeState::AdjustingTransmitting : TestModeState::Adjusting;
}

}  // namespace

const char* TestModeStateName(TestModeState state) {
    switch (state) {
        case TestModeState::Outside:
            return "outside";
        case TestModeState::Receiving:
            return "receiving";
        case TestModeState::Transmitting:
            return "transmitting";
        case TestModeState::Adjusting:
            return "adjusting";
        case TestModeState::AdjustingValue:
            return "adjusting value";
        case TestModeState::AdjustingTransmitting:
            return "adjusting, transmitting";
        case TestModeState::AdjustingValueTransmitting:
            return "adjusting value, transmitting";
        case TestModeState::Leaving:
            return "leaving";
    }
    return "?";
}

bool TestModeTruth::InTestPanel() const {
    return state == TestModeState::Receiving || state == TestModeState::Transmitting;
}

bool TestModeTruth::InAdjusting() const {
    return state == TestModeState::Adjusting || state == TestModeState::AdjustingValue ||
           state == TestModeState::AdjustingTransmitting ||
           state == TestModeState::AdjustingValueTransmitting;
}

bool TestModeTruth::ValueShown() const {
    return state == TestModeState::AdjustingValue ||
           state == TestModeState::AdjustingValueTransmitting;
}

bool TestModeTruth::Transmitting() const {
    return state == TestModeState::Transmitting || state == TestModeState::AdjustingTransmitting ||
           state == TestModeState::AdjustingValueTransmitting;
}

bool TestModeTruth::ToggleEnabled() const {
    return InTestPanel() || (InAdjusting() && !ValueShown());
}

TuningKeyState TestModeTruth::KeyState(bool valueFocused) const {
    TuningKeyState s;
    s.adjusting = InAdjusting();
    s.storeShown = ValueShown();
    s.toggleEnabled = ToggleEnabled();
    s.valueFocused = valueFocused;
    return s;
}

void TestModeSession::Start(const std::string& portName) {
    if (t_.state != TestModeState::Outside || t_.told.testMode) return;
    if (!engine_.OpenPort(portName)) {
        t_.state = TestModeState::Leaving;
        return;
    }
    t_.told = RadioTold{};
    t_.told.testMode = true;
    TuningEntry entry;
    if (!engine_.Enter(entry)) return;
    t_.entry = std::move(entry);
    t_.state = TestModeState::Receiving;
}

void TestModeSession::SelectChannel(int position) {
    if (!t_.InTestPanel() || position < 0 || position >= kTestChannelCount) return;
    if (engine_.SelectTestChannel(position)) t_.told.channel = position;
}

void TestModeSession::SelectSignalling(int position) {
    if (!t_.InTestPanel() || position < 0 || position >= kTuningSignallingCount) return;
    if (engine_.SelectSignalling(position)) t_.told.signalling = position;
}

void TestModeSession::Wide() {
    if (!t_.InTestPanel() || !t_.told.narrow) return;
    if (!engine_.SwitchToWide()) return;
    t_.told.narrow = false;
    SetTransmitting(false);
}

void TestModeSession::Narrow() {
    if (!t_.InTestPanel() || t_.told.narrow) return;
    if (!engine_.SwitchToNarrow()) return;
    t_.told.narrow = true;
    SetTransmitting(false);
}

void TestModeSession::Ptt() {
    if (t_.InTestPanel()) PttCommand();
}

void TestModeSession::PttCommand() {
    const bool on = !t_.Transmitting();
    // A transmit-on whose reply is lost may still have keyed the radio.
    if (on) t_.told.keyed = true;
    if (!engine_.Transmit(on)) return;
    if (!on) t_.told.keyed = false;
    SetTransmitting(on);
}

void TestModeSession::ToggleAdjusting() {
    if (!t_.ToggleEnabled()) return;
    const bool transmitting = t_.Transmitting();
    if (t_.InTestPanel()) {
        t_.told.adjusting = true;
        if (!engine_.EnterAdjusting()) return LeaveQuietly();
        t_.state = Compose(true, false, transmitting);
        return;
    }
    if (!engine_.LeaveAdjusting()) return LeaveQuietly();
    t_.told.adjusting = false;
    t_.state = Compose(false, false, transmitting);
}

void TestModeSession::Tune(int itemCode) {
    if (!t_.InAdjusting() || t_.ValueShown()) return;
    t_.told.valueOpen = true;
    const std::optional<int> value = engine_.Tune(itemCode);
    if (!value) return LeaveQuietly();
    t_.item = itemCode;
    t_.value = *value;
    ++t_.valuesRead;
    SetValueShown(true);
}

void TestModeSession::SetValue(int value) {
    if (!t_.ValueShown() || value < 0 || value > kTuningValueMax) return;
    if (engine_.SetValue(value)) t_.value = value;
}

void TestModeSession::Store() {
    if (!t_.ValueShown()) return;
    if (!engine_.Store()) return LeaveQuietly();
    t_.told.valueOpen = false;
    t_.item = -1;
    SetValueShown(false);
}

void TestModeSession::Discard() {
    if (!t_.ValueShown()) return;
    if (!engine_.Discard()) return LeaveQuietly();
    t_.told.valueOpen = false;
    t_.item = -1;
    SetValueShown(false);
}

void TestModeSession::AdjustWide() { AdjustBandwidth(true); }
void TestModeSession::AdjustNarrow() { AdjustBandwidth(false); }

void TestModeSession::AdjustBandwidth(bool wide) {
    // Each button acts only while the other bandwidth is on.
    if (!t_.InAdjusting() || t_.told.narrow != wide) return;
    const std::optional<int> value = wide ? engine_.AdjustWide() : engine_.AdjustNarrow();
    // The radio switches whatever came back; only a complete reply carries a value.
    t_.told.narrow = !wide;
    if (value && t_.ValueShown()) {
        t_.value = *value;
        ++t_.valuesRead;
    }
    SetTransmitting(false);
}

void TestModeSession::AdjustPtt() {
    if (t_.InAdjusting()) PttCommand();
}

void TestModeSession::Exit() { LeaveQuietly(); }

void TestModeSession::Escape() {
    if (t_.state == TestModeState::Leaving) return;
    if (t_.ValueShown()) Discard();
    if (t_.InAdjusting()) ToggleAdjusting();
    LeaveQuietly();
}

void TestModeSession::Abandon() { LeaveQuietly(); }

void TestModeSession::Press(TuningAction action, std::optional<int> itemCode) {
    switch (action) {
        case TuningAction::Store:
            Store();
            break;
        case TuningAction::Tune:
            if (itemCode) Tune(*itemCode);
            break;
        case TuningAction::Discard:
            Discard();
            break;
        case TuningAction::ToggleAdjusting:
            ToggleAdjusting();
            break;
        case TuningAction::Exit:
            Exit();
            break;
        // The value keys edit the value field, the trace key the view's log.
        case TuningAction::ValueDown:
        case TuningAction::ValueUp:
        case TuningAction::ClearTrace:
            break;
    }
}

void TestModeSession::LeaveQuietly() {
    if (t_.state == TestModeState::Leaving) return;
    t_.state = TestModeState::Leaving;
    RadioTold& told = t_.told;
    if (told.testMode) engine_.LeaveTestMode(told.valueOpen, told.adjusting, told.keyed);
    told.testMode = told.adjusting = told.valueOpen = told.keyed = false;
    t_.item = -1;
}

void TestModeSession::SetTransmitting(bool on) {
    t_.state = Compose(t_.InAdjusting(), t_.ValueShown(), on);
}

void TestModeSession::SetValueShown(bool shown) {
    t_.state = Compose(true, shown, t_.Transmitting());
}

}  // namespace vgr47
