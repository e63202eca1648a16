// The write of an image into the radio, and its dry run that only produces the trace.
#pragma once

#include <string>

#include "core/codeplug_image.h"
#include "link/read_sequence.h"

namespace vgr47 {

enum class WriteOutcome {
    Completed,        // every block accepted (even when the end command failed)
    ImageUnfit,       // too short or not hex where it would be sent; nothing sent
    PortOpenFailed,
    HandshakeFailed,  // port left open
    ModelDeclined,    // the radio is another model and the user said No: 07 sent
    AckFailed,        // port left open, radio untouched
    BlockTimeout,     // port closed, radio partly written
    BlockRefused,     // port closed, radio partly written
    BlockError,       // port closed
    Cancelled,        // end command sent, port closed, radio partly written
};

// What a read-back after the write found.
enum class VerifyOutcome {
    NotAsked,
    Verified,     // the radio holds every written block as it was sent
    Differs,      // the radio holds other data (at differingAddress)
    NotVerified,  // the read-back itself failed; the write did not
};

struct WriteResult {
    WriteOutcome outcome = WriteOutcome::PortOpenFailed;
    int blockCount = 0;      // blocks of the image's layout
    int blocksDone = 0;      // blocks the radio accepted
    int failedAddress = -1;  // the block whose write failed
    VerifyOutcome verify = VerifyOutcome::NotAsked;
    int differingAddress = -1;  // the first byte the radio holds otherwise
    // Why the write ended; for a completed write, the end command that got no answer.
    std::optional<LinkFailure> failure;
    // Why the read-back failed (none when it was stopped).
    std::optional<LinkFailure> verifyFailure;
    bool ok() const { return outcome == WriteOutcome::Completed; }
};

struct WriteJob {
    CodeplugImage& image;
    // The identity the image was made for (from the image at load, read or model change).
    std::string currentIdentity;
    // Four hex digits of the program version for 0x662-0x663 ("0505" for 5.05).
    std::string versionStamp;
    // Read the radio back after the write and compare every written block.
    bool verify = false;
    // The trace log's heading over the read-back ("verify" when empty).
    std::string verifyHeading = {};
};

// The pause between a write's end command and the start of its verify read, so that the
// radio has left programming mode and stored everything.
inline constexpr int kVerifyPauseMs = 1000;

// Stamps the version, checks the image, opens the port, shakes hands, asks
// hooks.writeOtherModel when the radio is another model, and writes 116 or 244 blocks. With
// job.verify, a complete write is followed by a plain read whose blocks are compared with those
// sent.
WriteResult WriteToRadio(const LinkContext& link, const std::string& portName, WriteJob job,
                         const SequenceHooks& hooks);

// The same stamp, check and block commands with "R:06" for each into link's trace, without
// touching the port. False for an unfit image.
bool WriteDryRun(const LinkContext& link, WriteJob job, const SequenceHooks& hooks);

}  // namespace vgr47
