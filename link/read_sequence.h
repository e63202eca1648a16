// Opening the port, the programming handshake and the read of the radio's memory, as a
// headless engine: the dialog (or the command line) supplies the port, trace log and
// messages, and gets progress through callbacks and the result as a value.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include "link/link_failure.h"
#include "link/transaction.h"

namespace vgr47 {

// What a transfer is doing, for the dialogs' status line.
enum class TransferPhase {
    Connecting,    // port, handshake, identity
    Transferring,  // the blocks
    Ending,        // the end command
    VerifyPause,   // the pause between a write and its verify read
    Verifying,     // the verify read's blocks
};

struct SequenceHooks {
    // position in 0 .. maximum, once before each block.
    std::function<void(int position, int maximum)> progress;
    // Checked between blocks; a set flag ends the transfer cleanly.
    const std::atomic<bool>* cancel = nullptr;
    // Whether the radio with this identity (16 hex characters) is a signalling model.
    std::function<bool(const std::string& identityHex)> isSignalling;
    // Each change of phase, and the radio's identity once it has answered.
    std::function<void(TransferPhase phase)> phase = {};
    std::function<void(const std::string& identityHex)> identified = {};
    // Called between blocks, before the cancel flag is looked at; may block (while the user
    // is asked whether to stop, say).
    std::function<void()> betweenBlocks = {};
    // Gets the whole image as soon as it is complete (a read) or about to be sent (a write),
    // before anything else can go wrong: the backup.
    std::function<void(const std::string& image)> keep = {};
    // A write asks it, between the identity and the first block, when the radio is another
    // model than the image was made for: true writes all the same. Unset means no.
    std::function<bool()> writeOtherModel = {};

    bool cancelled() const { return cancel && cancel->load(); }
    void Enter(TransferPhase p) const {
        if (phase) phase(p);
    }
    // betweenBlocks, then the cancel flag.
    bool StopRequested() const {
        if (betweenBlocks) betweenBlocks();
        return cancelled();
    }
};

// Opens the port unless it is open, then lets the radio settle for 100 ms. The result says
// why it could not be opened.
OpenResult OpenRadioPort(const LinkContext& link, const std::string& portName);

// 02 -> 02, PROGRAM -> 06, 02 -> the 8-byte identity. The failed step, if any (the port
// stays open).
std::optional<LinkFailure> ProgrammingHandshake(const LinkContext& link, std::string& identityHex);

enum class ReadOutcome {
    Completed,        // the image is complete (even when the end command failed)
    PortOpenFailed,
    HandshakeFailed,  // port left open
    BlockTimeout,     // port closed
    BlockError,       // port closed
    AckFailed,        // port closed, so that a new read can start afresh
    Cancelled,        // end command sent, port closed
};

struct ReadResult {
    ReadOutcome outcome = ReadOutcome::PortOpenFailed;
    std::string identityHex;
    std::string image;  // the whole image as hex text, only when Completed
    int blockCount = 0;      // blocks of the radio's layout, once its identity is known
    int blocksDone = 0;      // blocks read and acknowledged
    int failedAddress = -1;  // the block whose read or acknowledge failed
    // Why the read ended; for a completed read, the end command that got no answer.
    std::optional<LinkFailure> failure;
    bool ok() const { return outcome == ReadOutcome::Completed; }
};

// Reads the memory: 116 blocks (0x000-0x73F) for a basic radio, 244 for a signalling one,
// whose image then has 0x740-0x7FF as FF. The caller installs the image. A block that times
// out is asked for again only after a further time-out, and a reply naming a block asked
// for earlier is dropped: a late reply is never taken for another block's data.
ReadResult ReadFromRadio(const LinkContext& link, const std::string& portName,
                         const SequenceHooks& hooks);

}  // namespace vgr47
