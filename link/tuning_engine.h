// The technician's test mode: the entry sequence that reads the radio's test channels and
// alignment block, and one call per test-mode command. Every command is one Transact; a
// false result means the exchange failed, and the engine keeps the failure for its caller
// to say (TakeFailures).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "link/link_failure.h"
#include "link/transaction.h"

namespace vgr47 {

inline constexpr int kTestChannelCount = 8;
inline constexpr int kTuningValueMax = 255;
// Entries of the signalling list (see TuningSignallingList).
inline constexpr int kTuningSignallingCount = 205;

// What the radio tells at entry.
struct TuningEntry {
    std::string identityHex;                // 8 bytes
    std::vector<std::string> testChannels;  // 8 records of 8 bytes (16 hex digits each)
    std::string alignmentHex;               // 0x740-0x77F, 64 bytes
};

class TuningEngine {
  public:
    explicit TuningEngine(const LinkContext& link) : link_(link) {}

    // Opens the port when it is closed and waits for it to settle.
    bool OpenPort(const std::string& portName);
    // Switches the radio to test mode and reads its tables. False when an exchange failed.
    bool Enter(TuningEntry& entry);

    // Test panel.
    bool SelectTestChannel(int position);  // CF, the channel is position + 1
    bool SelectSignalling(int position);   // CS
    bool SwitchToWide();                   // CBN, acknowledged with 06
    bool SwitchToNarrow();                 // CBW, acknowledged with 06
    bool Transmit(bool on);                // CPT / CPR

    // Adjusting state.
    bool EnterAdjusting();  // CTM
    bool LeaveAdjusting();  // CGM
    // The item's current value (CT); nullopt when the exchange failed.
    std::optional<int> Tune(int itemCode);
    // Waits for the value to settle, then sends it (CD).
    bool SetValue(int value);
    bool Store();    // CSD
    bool Discard();  // CQU
    // The adjusting panel's bandwidth buttons answer with the item's value for that bandwidth;
    // nullopt when no complete reply came (the dialog goes on either way).
    std::optional<int> AdjustWide();    // CBW, 5 bytes
    std::optional<int> AdjustNarrow();  // CBN, 5 bytes
    // CEE; the result does not matter, the dialog ends anyway.
    void Exit();
    // However the dialog ends: put the radio back out of test mode, silently and whatever
    // the replies: CQU while a value is adjusted, CGM in the adjusting state, CPR while the
    // radio may be keyed, then CEE. One attempt each, no failures kept.
    void LeaveTestMode(bool valueAdjusted, bool adjusting, bool mayBeKeyed);

    // The failures since the last call, oldest first: a port that could not be opened, or a
    // command that got no proper reply.
    std::vector<LinkFailure> TakeFailures();

  private:
    bool Step(RadioCommand id, std::string& reply, const std::string& argumentsHex = "");
    bool Command(RadioCommand id, const std::string& argumentsHex = "");
    std::optional<int> ValueReply(RadioCommand id, const std::string& argumentsHex = "");
    void Wait(int ms);

    const LinkContext& link_;
    std::vector<LinkFailure> failures_;
};

// The 205 entries of the signalling list: none, 38 CTCSS tones, 83 DCS codes normal then
// inverted. Entry 0 is the given "none" text.
std::vector<std::string> TuningSignallingList(const std::string& noneText);

// Reference frequencies of the band, "%9.5f": L+0.05, (L+H)/2+0.05, H-0.05, L+0.1,
// (L+H)/2+0.1, H-0.1.
std::vector<std::string> TuningReferenceFrequencies(double bandLow, double bandHigh);

}  // namespace vgr47
