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

// The write's refusal of an image that would send truncated or garbled blocks.
inline constexpr const char* kImageUnfitText =
    "The codeplug is too short or damaged for this model's memory layout. Nothing was sent to "
    "the radio.";

struct WriteJob {
    CodeplugImage& image;
    // The identity the image was made for (from the image at load, read or model change).
    std::string currentIdentity;
    // Four hex digits of the program version for 0x662-0x663 ("0505" for 5.05).
    std::string versionStamp;
};

// Stamps the version, checks the image, opens the port, shakes hands, asks (question 3019)
// when the radio is another model, and writes 116 or 244 blocks.
WriteOutcome WriteToRadio(const LinkContext& link, const std::string& portName, WriteJob job,
                          const SequenceHooks& hooks);

// The same stamp, check and block commands with "R:06" for each, without a port.
// False (and the refusal shown) for an unfit image.
bool WriteDryRun(TraceLog& trace, Messages& messages, WriteJob job, const SequenceHooks& hooks);

}  // namespace vgr47
