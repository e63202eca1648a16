// The radio's side of the programming protocol: memory, identity, firmware text and the
// command parser, with faults that can be injected per command. Commands are recognised and
// replies sized from the link's protocol table, addresses taken from the memory map. It only
// turns received bytes into replies; SimulatedPort (or a pseudo-terminal server) puts them
// on a line.
#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "core/memory_map.h"
#include "link/protocol.h"
#include "link/serial_port.h"

namespace vgr47::sim {

// What the radio recognises on the line; faults are counted per kind.
enum class CommandKind {
    Stx,         // 02: handshake start, or identity request after PROGRAM / VERSION
    Program,     // "PROGRAM"
    Ack,         // 06
    Refuse,      // 07
    End,         // "E"
    Version,     // "VERSION"
    Inquiry,     // "INQ"
    BlockRead,   // "R" aH aL len
    BlockWrite,  // "W" aH aL len data...
    // Test mode
    Echo,         // 03
    Tuning,       // "TUNING"
    TestChannel,  // "F" n
    Alignment,    // "D" aH aL len
    TestCommand,  // "C" and two bytes
};
inline constexpr int kCommandKindCount = 14;

// The kind a command of the protocol table is to the radio.
CommandKind KindOf(RadioCommand id);

enum class FaultType {
    Silent,     // no reply, and the command has no effect
    Late,       // the reply comes `value` ms later than usual
    Pieces,     // the reply comes in two pieces, the second `value` ms after the first
    Surplus,    // `value` extra bytes (06) follow the reply at once
    Short,      // the last byte of the reply is missing
    Refuse,     // 15 instead of 06 (a refused block write is not stored)
    WrongEcho,  // the first reply byte is wrong
    Corrupt,    // a block write is acknowledged but stored with every byte inverted
};

// Applies to the nth command of its kind (1-based) and the `times - 1` that follow it.
struct Fault {
    FaultType type = FaultType::Silent;
    CommandKind kind = CommandKind::Stx;
    int nth = 1;
    int times = 1;
    int value = 0;
};

// "type:kind:nth[:times[:value]]", e.g. "silent:read:3", "late:ack:1:1:400", "corrupt:write:9".
// Kinds: stx program ack refuse end version inq read write echo tuning testch align test.
std::optional<Fault> ParseFault(const std::string& setting);

// One piece of a reply, due `delay` after the command has been received.
struct ReplyPiece {
    std::chrono::milliseconds delay{0};
    Bytes bytes;
};

class SimulatedRadio {
public:
    static constexpr std::size_t kMemoryBytes = mem::kImageBytes;
    static constexpr std::size_t kFirmwareBytes = kInquiryFirmwareBytes;
    // The identity of catalogue model 8, the simulator's default model.
    static constexpr const char* kDefaultIdentity = "4B5632313054F8FF";

    // identityHex: 16 hex characters. The memory starts blank (FF) with the identity at its
    // address.
    explicit SimulatedRadio(const std::string& identityHex = kDefaultIdentity,
                            std::string firmware = "V1.02");

    // Without a command for this long, a handshake that has not reached programming mode is
    // forgotten, as a real radio's time-out does. Programming mode itself waits (the program
    // asks for a block again only after twice its time-out), and so does the acknowledge of
    // the identity (the program may first ask the user whether to write another model).
    static constexpr std::chrono::milliseconds kIdleTimeout{2000};

    // Feeds bytes from the cable; a command may arrive split over several calls. `at` is when
    // they arrived; without it the radio never times out.
    std::vector<ReplyPiece> Receive(const Bytes& bytes,
                                    std::optional<std::chrono::steady_clock::time_point> at = {});

    const std::string& identityHex() const { return identityHex_; }
    const std::string& firmware() const { return firmware_; }
    void SetFirmware(std::string text) { firmware_ = std::move(text); }

    const std::array<std::uint8_t, kMemoryBytes>& memory() const { return memory_; }
    // Memory as hex text, optionally only the first `bytes` bytes.
    std::string MemoryHex(std::size_t bytes = kMemoryBytes) const;
    // Loads hex text from address 0; a shorter text leaves the rest as it is.
    bool LoadMemoryHex(const std::string& hex);

    void AddFault(const Fault& fault) { faults_.push_back(fault); }
    void ClearFaults() { faults_.clear(); }
    // How many commands of the kind have been received.
    int CommandCount(CommandKind kind) const { return counts_[static_cast<int>(kind)]; }
    // True between a completed handshake and the end (or refuse) command, or the start of
    // a new handshake.
    bool programming() const { return programming_; }

    // Test mode, entered with TUNING and left with CEE.
    struct TestState {
        bool active = false;
        bool adjusting = false;
        bool narrow = false;
        bool transmitting = false;
        int channel = 1;     // test channel 1..8
        int signalling = 0;  // position in the test mode's signalling list
        int item = -1;       // item code being tuned, -1 for none
        int workingValue = 0;
    };
    const TestState& testState() const { return test_; }
    // The stored alignment value of an item code (01..10): the tuning area's byte at the code.
    int AlignmentValue(int itemCode) const;

private:
    std::optional<std::size_t> CommandLength(CommandKind* kind) const;
    std::vector<ReplyPiece> Answer(CommandKind kind, const Bytes& command);
    // Which test-mode command the bytes are in the present state; nullopt for none.
    std::optional<RadioCommand> TestCommandOf(const Bytes& command) const;
    Bytes AnswerTestCommand(const Bytes& command);
    Bytes BlockReply(const Bytes& command, std::uint8_t header) const;
    const Fault* FaultFor(CommandKind kind, int count) const;
    void ResetSession();

    std::string identityHex_;
    Bytes identity_;
    std::string firmware_;
    std::array<std::uint8_t, kMemoryBytes> memory_{};
    Bytes pending_;
    std::vector<Fault> faults_;
    std::array<int, kCommandKindCount> counts_{};
    void ForgetIdleHandshake(CommandKind kind, std::chrono::steady_clock::time_point at);

    bool requested_ = false;     // PROGRAM or VERSION seen: 02 asks for the identity
    bool identitySent_ = false;  // the identity went out; its acknowledge is awaited
    bool programming_ = false;   // identity acknowledged: blocks may be read and written
    std::optional<std::chrono::steady_clock::time_point> lastCommand_;
    TestState test_;
};

}  // namespace vgr47::sim
