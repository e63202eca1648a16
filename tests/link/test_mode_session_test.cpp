// The test-mode session against the simulated radio, without widgets: every state meets
// every button, key and way out, with and without a lost reply, and each row checks the
// bytes on the wire and the state reached.
#include "link/test_mode_session.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "tests/support/line_tap.h"
#include "sim/simulated_port.h"
#include "tests/support/recording_messages.h"

namespace vgr47 {
namespace {

using S = TestModeState;
using Wire = std::vector<std::string>;

const std::string CF5 = "434605", CS = "4353CC", CBN = "43424E", CBW = "434257", CPT = "435054",
                  CPR = "435052", CTM = "43544D", CGM = "43474D", CT3 = "435403", CD = "4344FF",
                  CSD = "435344", CQU = "435155", CEE = "434545";

Wire Times(const std::string& command, int n) { return Wire(n, command); }
Wire operator+(Wire a, const Wire& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

using testing::RecordingMessages;

// A radio on the cable and a session over it.
struct Bench {
    Bench() {
        std::string memory = radio.MemoryHex();
        memory.replace((0x740 + 3) * 2, 2, "42");  // item 03 holds 66
        radio.LoadMemoryHex(memory);
    }
    // Brings the session into the state, the transmitter keyed through the panel of that
    // state, then forgets what was sent so far.
    void Reach(S state, bool narrow = false) {
        if (state == S::Outside)
            radio.AddFault({sim::FaultType::Silent, sim::CommandKind::Tuning, 1, 3});
        session.Start("sim");
        radio.ClearFaults();
        if (state != S::Outside && narrow) session.Narrow();
        switch (state) {
            case S::Outside:
            case S::Receiving:
                break;
            case S::Transmitting:
                session.Ptt();
                break;
            case S::Leaving:
                session.Exit();
                break;
            case S::Adjusting:
                session.ToggleAdjusting();
                break;
            case S::AdjustingTransmitting:
                session.ToggleAdjusting();
                session.AdjustPtt();
                break;
            case S::AdjustingValue:
                session.ToggleAdjusting();
                session.Tune(0x03);
                break;
            case S::AdjustingValueTransmitting:
                session.ToggleAdjusting();
                session.Tune(0x03);
                session.AdjustPtt();
                break;
        }
        ASSERT_EQ(truth.state, state);
        port.ClearWrites();
        Report();
        messages.shown.clear();
    }
    // As the dialog does after each call: the engine's failures are said, the port's with
    // the test mode's own text.
    void Report() {
        for (const LinkFailure& f : engine.TakeFailures())
            messages.ShowWarning(FailureText(f, testing::NumberedText, kTextTuningPortOpenFailed));
    }
    // A lost reply: the nth test-mode command from now and the times - 1 after it get none.
    void Lose(int nth, int times) {
        const int before = radio.CommandCount(sim::CommandKind::TestCommand);
        radio.AddFault(
            {sim::FaultType::Silent, sim::CommandKind::TestCommand, before + nth, times});
    }

    ManualClock clock;
    sim::SimulatedRadio radio;
    sim::SimulatedPort port{radio, clock};
    TraceLog trace;
    testing::RecordingMessages messages;
    LinkContext link{port, clock, trace};
    TuningEngine engine{link};
    TestModeTruth truth;
    TestModeSession session{engine, truth};
};

enum class Ev {
    Channel,
    Signalling,
    Wide,
    Narrow,
    Ptt,
    Toggle,
    Tune,
    Value,
    Store,
    Discard,
    AdjustWide,
    AdjustNarrow,
    AdjustPtt,
    Exit,
    Escape,
    Abandon,
    KeyEnter,
    KeyF5,
    KeyF9,
    KeyF2
};
const Ev kEvents[] = {Ev::Channel,    Ev::Signalling,   Ev::Wide,      Ev::Narrow, Ev::Ptt,
                      Ev::Toggle,     Ev::Tune,         Ev::Value,     Ev::Store,  Ev::Discard,
                      Ev::AdjustWide, Ev::AdjustNarrow, Ev::AdjustPtt, Ev::Exit,   Ev::Escape,
                      Ev::Abandon,    Ev::KeyEnter,     Ev::KeyF5,     Ev::KeyF9,  Ev::KeyF2};
const char* const kEventNames[] = {"channel",
                                   "signalling",
                                   "wide",
                                   "narrow",
                                   "PTT",
                                   "adjust/leave",
                                   "tune",
                                   "value",
                                   "store",
                                   "discard",
                                   "adjusting wide",
                                   "adjusting narrow",
                                   "adjusting PTT",
                                   "exit",
                                   "Escape or close box",
                                   "program closing",
                                   "Enter",
                                   "F5",
                                   "F9",
                                   "F2"};
std::string Name(Ev ev) { return kEventNames[static_cast<int>(ev)]; }

const S kStates[] = {S::Outside,
                     S::Receiving,
                     S::Transmitting,
                     S::Adjusting,
                     S::AdjustingValue,
                     S::AdjustingTransmitting,
                     S::AdjustingValueTransmitting,
                     S::Leaving};

void Apply(Bench& b, Ev ev) {
    TestModeSession& s = b.session;
    // As the dialog does: a key presses the button the key table names for the state. (Escape
    // is the Escape event; the value keys and F12 act on the view's own controls.)
    auto key = [&](TuningKey k) {
        if (auto action = KeyAction(k, b.truth.KeyState(false))) s.Press(*action, 0x03);
    };
    switch (ev) {
        case Ev::Channel:
            s.SelectChannel(4);
            break;
        case Ev::Signalling:
            s.SelectSignalling(204);
            break;
        case Ev::Wide:
            s.Wide();
            break;
        case Ev::Narrow:
            s.Narrow();
            break;
        case Ev::Ptt:
            s.Ptt();
            break;
        case Ev::Toggle:
            s.ToggleAdjusting();
            break;
        case Ev::Tune:
            s.Tune(0x03);
            break;
        case Ev::Value:
            s.SetValue(255);
            break;
        case Ev::Store:
            s.Store();
            break;
        case Ev::Discard:
            s.Discard();
            break;
        case Ev::AdjustWide:
            s.AdjustWide();
            break;
        case Ev::AdjustNarrow:
            s.AdjustNarrow();
            break;
        case Ev::AdjustPtt:
            s.AdjustPtt();
            break;
        case Ev::Exit:
            s.Exit();
            break;
        case Ev::Escape:
            s.Escape();
            break;
        case Ev::Abandon:
            s.Abandon();
            break;
        case Ev::KeyEnter:
            key(TuningKey::Enter);
            break;
        case Ev::KeyF5:
            key(TuningKey::F5);
            break;
        case Ev::KeyF9:
            key(TuningKey::F9);
            break;
        case Ev::KeyF2:
            key(TuningKey::F2);
            break;
    }
    b.Report();
}

struct Row {
    S from;
    Ev ev;
    Wire wire;
    S to;
    int lostAt = 0;     // 0: every reply comes; n: the nth command of the event gets none ...
    int lostTimes = 0;  // ... nor the lostTimes - 1 after it
    bool narrow = false;
    int messages = -1;  // -1: one when a reply was lost on a retried command, else none
};

// Ways out with the transmitter keyed and a value open, for the rows below.
const Wire kOutOfValue = {CQU, CGM, CEE};
const Wire kOutOfValueKeyed = {CQU, CGM, CPR, CEE};

const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = {
        // Entry failed: only the way out, which still takes the radio out of test mode.
        {S::Outside, Ev::Exit, {CEE}, S::Leaving},
        {S::Outside, Ev::Escape, {CEE}, S::Leaving},
        {S::Outside, Ev::Abandon, {CEE}, S::Leaving},
        {S::Outside, Ev::Escape, {CEE}, S::Leaving, 1, 1, false, 0},

        {S::Receiving, Ev::Channel, {CF5}, S::Receiving},
        {S::Receiving, Ev::Channel, Times(CF5, 3), S::Receiving, 1, 3},
        {S::Receiving, Ev::Signalling, {CS}, S::Receiving},
        {S::Receiving, Ev::Signalling, Times(CS, 3), S::Receiving, 1, 3},
        {S::Receiving, Ev::Narrow, {CBW}, S::Receiving},
        {S::Receiving, Ev::Narrow, Times(CBW, 3), S::Receiving, 1, 3},
        {S::Receiving, Ev::Wide, {CBN}, S::Receiving, 0, 0, true},
        {S::Receiving, Ev::Wide, Times(CBN, 3), S::Receiving, 1, 3, true},
        {S::Receiving, Ev::Ptt, {CPT}, S::Transmitting},
        {S::Receiving, Ev::Ptt, Times(CPT, 3), S::Receiving, 1, 3},
        {S::Receiving, Ev::Toggle, {CTM}, S::Adjusting},
        {S::Receiving, Ev::KeyF9, {CTM}, S::Adjusting},
        {S::Receiving, Ev::Toggle, Times(CTM, 3) + Wire{CGM, CEE}, S::Leaving, 1, 3},
        {S::Receiving, Ev::Exit, {CEE}, S::Leaving},
        {S::Receiving, Ev::Exit, {CEE}, S::Leaving, 1, 1},
        {S::Receiving, Ev::Escape, {CEE}, S::Leaving},
        {S::Receiving, Ev::Abandon, {CEE}, S::Leaving},

        {S::Transmitting, Ev::Ptt, {CPR}, S::Receiving},
        {S::Transmitting, Ev::Ptt, Times(CPR, 3), S::Transmitting, 1, 3},
        {S::Transmitting, Ev::Channel, {CF5}, S::Transmitting},
        {S::Transmitting, Ev::Signalling, {CS}, S::Transmitting},
        // A bandwidth switch takes the radio back to receive.
        {S::Transmitting, Ev::Narrow, {CBW}, S::Receiving},
        {S::Transmitting, Ev::Narrow, Times(CBW, 3), S::Transmitting, 1, 3},
        {S::Transmitting, Ev::Wide, {CBN}, S::Receiving, 0, 0, true},
        {S::Transmitting, Ev::Toggle, {CTM}, S::AdjustingTransmitting},
        {S::Transmitting, Ev::KeyF9, {CTM}, S::AdjustingTransmitting},
        {S::Transmitting, Ev::Toggle, Times(CTM, 3) + Wire{CGM, CPR, CEE}, S::Leaving, 1, 3},
        {S::Transmitting, Ev::Exit, {CPR, CEE}, S::Leaving},
        {S::Transmitting, Ev::Exit, {CPR, CEE}, S::Leaving, 1, 1},
        {S::Transmitting, Ev::Exit, {CPR, CEE}, S::Leaving, 2, 1},
        {S::Transmitting, Ev::Escape, {CPR, CEE}, S::Leaving},
        {S::Transmitting, Ev::Abandon, {CPR, CEE}, S::Leaving},

        {S::Adjusting, Ev::Toggle, {CGM}, S::Receiving},
        {S::Adjusting, Ev::KeyF9, {CGM}, S::Receiving},
        {S::Adjusting, Ev::Toggle, Times(CGM, 3) + Wire{CGM, CEE}, S::Leaving, 1, 3},
        {S::Adjusting, Ev::Tune, {CT3}, S::AdjustingValue},
        {S::Adjusting, Ev::KeyEnter, {CT3}, S::AdjustingValue},
        {S::Adjusting, Ev::Tune, Times(CT3, 3) + Wire{CQU, CGM, CEE}, S::Leaving, 1, 3},
        {S::Adjusting, Ev::AdjustNarrow, {CBN}, S::Adjusting},
        // The reply is not checked: the switch is shown whatever came back.
        {S::Adjusting, Ev::AdjustNarrow, Times(CBN, 3), S::Adjusting, 1, 3},
        {S::Adjusting, Ev::AdjustWide, {CBW}, S::Adjusting, 0, 0, true},
        {S::Adjusting, Ev::AdjustPtt, {CPT}, S::AdjustingTransmitting},
        {S::Adjusting, Ev::AdjustPtt, Times(CPT, 3), S::Adjusting, 1, 3},
        {S::Adjusting, Ev::Exit, {CGM, CEE}, S::Leaving},
        {S::Adjusting, Ev::Escape, {CGM, CEE}, S::Leaving},
        {S::Adjusting, Ev::Escape, Times(CGM, 3) + Wire{CGM, CEE}, S::Leaving, 1, 3},
        {S::Adjusting, Ev::Abandon, {CGM, CEE}, S::Leaving},

        {S::AdjustingTransmitting, Ev::AdjustPtt, {CPR}, S::Adjusting},
        {S::AdjustingTransmitting, Ev::AdjustPtt, Times(CPR, 3), S::AdjustingTransmitting, 1, 3},
        {S::AdjustingTransmitting, Ev::Toggle, {CGM}, S::Transmitting},
        {S::AdjustingTransmitting, Ev::KeyF9, {CGM}, S::Transmitting},
        {S::AdjustingTransmitting, Ev::Toggle, Times(CGM, 3) + Wire{CGM, CPR, CEE}, S::Leaving, 1,
         3},
        {S::AdjustingTransmitting, Ev::Tune, {CT3}, S::AdjustingValueTransmitting},
        {S::AdjustingTransmitting, Ev::KeyEnter, {CT3}, S::AdjustingValueTransmitting},
        {S::AdjustingTransmitting, Ev::Tune, Times(CT3, 3) + Wire{CQU, CGM, CPR, CEE}, S::Leaving,
         1, 3},
        {S::AdjustingTransmitting, Ev::AdjustNarrow, {CBN}, S::Adjusting},
        {S::AdjustingTransmitting, Ev::AdjustWide, {CBW}, S::Adjusting, 0, 0, true},
        {S::AdjustingTransmitting, Ev::Exit, {CGM, CPR, CEE}, S::Leaving},
        {S::AdjustingTransmitting, Ev::Escape, {CGM, CPR, CEE}, S::Leaving},
        {S::AdjustingTransmitting, Ev::Escape, Times(CGM, 3) + Wire{CGM, CPR, CEE}, S::Leaving, 1,
         3},
        {S::AdjustingTransmitting, Ev::Abandon, {CGM, CPR, CEE}, S::Leaving},

        {S::AdjustingValue, Ev::Value, {CD}, S::AdjustingValue},
        {S::AdjustingValue, Ev::Value, Times(CD, 3), S::AdjustingValue, 1, 3},
        {S::AdjustingValue, Ev::Store, {CSD}, S::Adjusting},
        {S::AdjustingValue, Ev::KeyEnter, {CSD}, S::Adjusting},
        {S::AdjustingValue, Ev::Store, Times(CSD, 3) + kOutOfValue, S::Leaving, 1, 3},
        {S::AdjustingValue, Ev::Discard, {CQU}, S::Adjusting},
        {S::AdjustingValue, Ev::KeyF5, {CQU}, S::Adjusting},
        {S::AdjustingValue, Ev::Discard, Times(CQU, 3) + kOutOfValue, S::Leaving, 1, 3},
        {S::AdjustingValue, Ev::AdjustNarrow, {CBN}, S::AdjustingValue},
        {S::AdjustingValue, Ev::AdjustWide, {CBW}, S::AdjustingValue, 0, 0, true},
        {S::AdjustingValue, Ev::AdjustPtt, {CPT}, S::AdjustingValueTransmitting},
        {S::AdjustingValue, Ev::AdjustPtt, Times(CPT, 3), S::AdjustingValue, 1, 3},
        {S::AdjustingValue, Ev::Exit, kOutOfValue, S::Leaving},
        {S::AdjustingValue, Ev::Escape, kOutOfValue, S::Leaving},
        {S::AdjustingValue, Ev::Escape, Times(CQU, 3) + kOutOfValue, S::Leaving, 1, 3},
        {S::AdjustingValue, Ev::Escape, Wire{CQU} + Times(CGM, 3) + Wire{CGM, CEE}, S::Leaving, 2,
         3},
        {S::AdjustingValue, Ev::Abandon, kOutOfValue, S::Leaving},

        // Store and discard leave the transmitter as it is: its PTT still releases it.
        {S::AdjustingValueTransmitting, Ev::Store, {CSD}, S::AdjustingTransmitting},
        {S::AdjustingValueTransmitting, Ev::KeyEnter, {CSD}, S::AdjustingTransmitting},
        {S::AdjustingValueTransmitting, Ev::Store, Times(CSD, 3) + kOutOfValueKeyed, S::Leaving, 1,
         3},
        {S::AdjustingValueTransmitting, Ev::Discard, {CQU}, S::AdjustingTransmitting},
        {S::AdjustingValueTransmitting, Ev::KeyF5, {CQU}, S::AdjustingTransmitting},
        {S::AdjustingValueTransmitting, Ev::Discard, Times(CQU, 3) + kOutOfValueKeyed, S::Leaving,
         1, 3},
        {S::AdjustingValueTransmitting, Ev::AdjustPtt, {CPR}, S::AdjustingValue},
        {S::AdjustingValueTransmitting, Ev::AdjustPtt, Times(CPR, 3), S::AdjustingValueTransmitting,
         1, 3},
        {S::AdjustingValueTransmitting, Ev::Value, {CD}, S::AdjustingValueTransmitting},
        {S::AdjustingValueTransmitting, Ev::AdjustNarrow, {CBN}, S::AdjustingValue},
        {S::AdjustingValueTransmitting, Ev::AdjustWide, {CBW}, S::AdjustingValue, 0, 0, true},
        {S::AdjustingValueTransmitting, Ev::Exit, kOutOfValueKeyed, S::Leaving},
        {S::AdjustingValueTransmitting, Ev::Escape, kOutOfValueKeyed, S::Leaving},
        // Quiet steps of the way out go on after a silent one.
        {S::AdjustingValueTransmitting, Ev::Escape, kOutOfValueKeyed, S::Leaving, 3, 1},
        {S::AdjustingValueTransmitting, Ev::Escape, kOutOfValueKeyed, S::Leaving, 4, 1},
        {S::AdjustingValueTransmitting, Ev::Abandon, kOutOfValueKeyed, S::Leaving},
    };
    return rows;
}

std::string Describe(const Row& r) {
    return std::string(TestModeStateName(r.from)) + (r.narrow ? " (narrow)" : "") + ", " +
           Name(r.ev) + ", reply lost at " + std::to_string(r.lostAt);
}

TEST(TestModeSessionTable, EveryRowSendsItsBytesAndReachesItsState) {
    for (const Row& row : Rows()) {
        SCOPED_TRACE(Describe(row));
        Bench b;
        b.Reach(row.from, row.narrow);
        if (HasFatalFailure()) return;
        if (row.lostAt > 0) b.Lose(row.lostAt, row.lostTimes);
        Apply(b, row.ev);
        EXPECT_EQ(b.port.writes(), row.wire);
        EXPECT_EQ(TestModeStateName(b.truth.state), std::string(TestModeStateName(row.to)));
        const int messages = row.messages >= 0 ? row.messages : (row.lostTimes == 3 ? 1 : 0);
        EXPECT_EQ(b.messages.shown.size(), static_cast<std::size_t>(messages));
        if (row.lostAt == 0) {
            // What the session shows is what the radio does.
            const auto& radio = b.radio.testState();
            EXPECT_EQ(radio.transmitting, b.truth.Transmitting());
            EXPECT_EQ(radio.adjusting, b.truth.InAdjusting());
            EXPECT_EQ(radio.active, b.truth.InTestPanel() || b.truth.InAdjusting());
            EXPECT_EQ(radio.narrow, b.truth.told.narrow);
            EXPECT_EQ(radio.item >= 0, b.truth.ValueShown());
        }
        if (row.to == S::Leaving) {
            EXPECT_FALSE(b.truth.told.keyed || b.truth.told.adjusting || b.truth.told.valueOpen);
        }
    }
}

TEST(TestModeSessionTable, EverythingElseSendsNothingAndChangesNothing) {
    std::set<std::pair<S, Ev>> listed;
    for (const Row& row : Rows())
        if (!row.narrow) listed.insert({row.from, row.ev});
    int checked = 0;
    for (S state : kStates) {
        for (Ev ev : kEvents) {
            if (listed.count({state, ev})) continue;
            SCOPED_TRACE(std::string(TestModeStateName(state)) + ", " + Name(ev));
            Bench b;
            b.Reach(state);
            if (HasFatalFailure()) return;
            const TestModeTruth before = b.truth;
            Apply(b, ev);
            EXPECT_TRUE(b.port.writes().empty());
            EXPECT_EQ(b.truth.state, before.state);
            EXPECT_EQ(b.truth.told.narrow, before.told.narrow);
            EXPECT_TRUE(b.messages.shown.empty());
            ++checked;
        }
    }
    // Leaving ignores all 20 events; the other states react to some of them.
    EXPECT_GT(checked, 60);
}

TEST(TestModeSession, WhatTheRadioWasToldFollowsOnlyAcknowledgedCommands) {
    Bench b;
    b.Reach(S::Receiving);
    b.session.SelectChannel(4);
    b.session.SelectSignalling(7);
    EXPECT_EQ(b.truth.told.channel, 4);
    EXPECT_EQ(b.truth.told.signalling, 7);
    b.Lose(1, 3);
    b.session.SelectChannel(6);
    EXPECT_EQ(b.truth.told.channel, 4);  // the list stays on the channel the radio is on
    EXPECT_EQ(b.radio.testState().channel, 5);
    b.session.SelectChannel(8);  // out of the list
    b.session.SelectSignalling(kTuningSignallingCount);
    EXPECT_EQ(b.port.writes().size(), 2u + 3u);

    b.session.ToggleAdjusting();
    b.session.Tune(0x03);
    EXPECT_EQ(b.truth.value, 66);
    EXPECT_EQ(b.truth.item, 0x03);
    const int read = b.truth.valuesRead;
    b.session.SetValue(200);
    EXPECT_EQ(b.truth.value, 200);
    EXPECT_EQ(b.truth.valuesRead, read);  // sent, not read: the field keeps what was typed
    b.Lose(1, 3);
    b.session.SetValue(201);
    EXPECT_EQ(b.truth.value, 200);
    b.session.SetValue(256);  // never sent
    EXPECT_EQ(b.port.writes().back(), "4344C9");
    // The bandwidth buttons answer with the value for that bandwidth.
    b.session.AdjustNarrow();
    EXPECT_EQ(b.truth.value, 200);
    EXPECT_EQ(b.truth.valuesRead, read + 1);
    EXPECT_TRUE(b.truth.told.narrow);
}

// Keyed in the adjusting state, then Store or Discard, then back to the test panel: the
// transmitter can be released at every step, by the PTT of the panel that is shown.
TEST(TestModeSession, StuckTransmitterIsReleasedAtEveryStep) {
    using Step = void (TestModeSession::*)();
    const std::vector<std::pair<const char*, std::vector<Step>>> sequences = {
        {"store", {&TestModeSession::Store, &TestModeSession::ToggleAdjusting}},
        {"discard", {&TestModeSession::Discard, &TestModeSession::ToggleAdjusting}},
    };
    for (const auto& [name, after] : sequences) {
        for (std::size_t steps = 0; steps <= after.size(); ++steps) {
            SCOPED_TRACE(std::string(name) + ", steps after keying: " + std::to_string(steps));
            Bench b;
            b.Reach(S::AdjustingValue);
            b.session.AdjustPtt();
            ASSERT_TRUE(b.radio.testState().transmitting);
            b.session.SetValue(100);
            for (std::size_t i = 0; i < steps; ++i) (b.session.*after[i])();
            // The lamp shows what the radio was last told.
            EXPECT_TRUE(b.truth.Transmitting());
            EXPECT_TRUE(b.radio.testState().transmitting);
            b.port.ClearWrites();
            if (b.truth.InAdjusting())
                b.session.AdjustPtt();
            else
                b.session.Ptt();
            EXPECT_EQ(b.port.writes(), Wire{CPR});
            EXPECT_FALSE(b.truth.Transmitting());
            EXPECT_FALSE(b.radio.testState().transmitting);
            EXPECT_FALSE(b.truth.told.keyed);
        }
    }
}

TEST(TestModeSession, TransmitterThatMayBeKeyedIsReleasedOnTheWayOut) {
    // A transmit-on without its reply: the lamp stays on receive, the way out releases.
    Bench lost;
    lost.Reach(S::Receiving);
    lost.Lose(1, 3);
    lost.session.Ptt();
    EXPECT_EQ(lost.truth.state, S::Receiving);
    lost.port.ClearWrites();
    lost.session.Exit();
    EXPECT_EQ(lost.port.writes(), (Wire{CPR, CEE}));

    // A bandwidth switch shows receive; the release goes out all the same.
    Bench switched;
    switched.Reach(S::Transmitting);
    switched.session.Narrow();
    EXPECT_EQ(switched.truth.state, S::Receiving);
    switched.port.ClearWrites();
    switched.session.Escape();
    EXPECT_EQ(switched.port.writes(), (Wire{CPR, CEE}));
    EXPECT_FALSE(switched.radio.testState().active);
}

TEST(TestModeSession, PortThatCannotBeOpenedEndsWithoutSendingAnything) {
    Bench b;
    b.port.SetOpenFailure({OpenError::NoSuchDevice, "no such device"});
    b.session.Start("sim");
    b.Report();
    EXPECT_EQ(b.truth.state, S::Leaving);
    EXPECT_TRUE(b.port.writes().empty());
    ASSERT_EQ(b.messages.shown.size(), 1u);
    EXPECT_EQ(b.messages.shown[0].rfind("text 3020", 0), 0u);
    b.session.Escape();
    EXPECT_TRUE(b.port.writes().empty());
}

TEST(TestModeSession, EntryFillsTheTruthOnceAndOnlyOnce) {
    Bench b;
    b.session.Start("sim");
    ASSERT_EQ(b.truth.state, S::Receiving);
    EXPECT_EQ(b.truth.entry.testChannels.size(), 8u);
    EXPECT_TRUE(b.truth.told.testMode);
    EXPECT_FALSE(b.truth.told.narrow);
    const std::size_t sent = b.port.writes().size();
    b.session.Start("sim");
    EXPECT_EQ(b.port.writes().size(), sent);
}

TEST(TestModeSession, KeyStateFollowsTheState) {
    TestModeTruth t;
    t.state = S::AdjustingValueTransmitting;
    TuningKeyState k = t.KeyState(true);
    EXPECT_TRUE(k.adjusting && k.storeShown && k.valueFocused);
    EXPECT_FALSE(k.toggleEnabled);
    t.state = S::AdjustingTransmitting;
    k = t.KeyState(false);
    EXPECT_TRUE(k.adjusting && k.toggleEnabled);
    EXPECT_FALSE(k.storeShown);
    for (S s : {S::Outside, S::Leaving}) {
        t.state = s;
        EXPECT_FALSE(t.ToggleEnabled());
        EXPECT_FALSE(t.InTestPanel() || t.InAdjusting() || t.Transmitting());
    }
}

}  // namespace
}  // namespace vgr47
