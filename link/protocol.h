// The radio's programming protocol as one table: every command the program sends, with its
// bytes, the reply it waits for, how long, how often it is tried and how long a late reply
// is waited out after a failed attempt. The engines send from it and the simulated radio
// recognises commands and sizes its replies from it.
#pragma once

#include <string>
#include <vector>

namespace vgr47 {

enum class RadioCommand {
    // Programming: the handshake, the blocks and the end.
    HandshakeStart,  // 02, echoed
    Program,         // "PROGRAM"
    Identity,        // 02 after PROGRAM or VERSION: the 8-byte identity
    IdentityAck,     // 06 after the identity
    BlockRead,       // "R", address, length 16: 4 header bytes and 16 data bytes
    BlockAck,        // 06 after each block read
    BlockWrite,      // "W", address, length 16, 16 data bytes
    End,             // "E"
    Refuse,          // 07: the write is not wanted after all
    // Radio information.
    Version,  // "VERSION"
    Ack,      // 06 after the identity in radio information and test mode
    Inquiry,  // "INQ": 10 bytes firmware text, 2 bytes version stamp
    // Test mode entry.
    Echo,            // 03, echoed
    Tuning,          // "TUNING"
    TuningIdentity,  // 02 after TUNING
    TestChannel,     // "F" n: 2 echo bytes and the 8-byte record
    Alignment,       // "D", address, length 16: 4 header bytes and 16 data bytes
    // Test mode commands, all "C" and two bytes.
    SelectChannel,     // CF n, n = 1..8
    SelectSignalling,  // CS n, the list position
    TestWide,          // CBN on the test panel
    TestNarrow,        // CBW on the test panel
    TransmitOn,        // CPT
    TransmitOff,       // CPR
    EnterAdjusting,    // CTM
    LeaveAdjusting,    // CGM
    Tune,              // CT k: 3 echo bytes, the value, 06
    SetValue,          // CD v
    AdjustWide,        // CBW in the adjusting state: answered like Tune
    AdjustNarrow,      // CBN in the adjusting state: answered like Tune
    Store,             // CSD
    Discard,           // CQU
    Exit,              // CEE
};

struct CommandEntry {
    RadioCommand id;
    const char* name;   // for traces and tests
    const char* bytes;  // the fixed bytes, as hex text
    int argumentBytes;  // what follows them: an address and a length, a number
    int dataBytes;      // the block data that follows the arguments (a block write)
    // The last argument is a block length: of the data that follows (a write), or of the
    // data after the reply's header (a read). The program always asks for 16.
    bool blockLength;
    int replyBytes;     // 0: nothing is awaited
    const char* reply;  // the reply required, "" for any
    int timeoutMs;      // per attempt
    int attempts;       // in all
    int lateWaitMs;     // after a failed attempt: waited out, then the line is drained
};

// Every command once, in the order of RadioCommand.
const std::vector<CommandEntry>& ProtocolTable();
const CommandEntry& EntryOf(RadioCommand id);

// The command's bytes followed by the arguments (hex text).
std::string CommandHex(RadioCommand id, const std::string& argumentsHex = "");
// Bytes the command takes on the line as the program sends it, arguments and data included.
int CommandBytes(const CommandEntry& entry);

// Block transfers move 16 bytes a block; block and alignment replies put 4 header bytes
// (the command's own) before them, the inquiry reply 2 version bytes after the firmware text.
inline constexpr int kBlockHeaderBytes = 4;
inline constexpr int kInquiryFirmwareBytes = 10;
inline constexpr int kInquiryStampBytes = 2;

}  // namespace vgr47
