// What the radio dialogs and the command line say about a transfer: the status line while it
// runs, the one line that stays when it has ended, and where in the codeplug an address lies.
// All wording comes from the text catalogue.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/text_ids.h"
#include "link/link_failure.h"
#include "link/read_sequence.h"
#include "link/write_sequence.h"

namespace vgr47 {

using TextLookup = std::function<std::string(int number)>;

// Replaces %1 .. %9 in a catalogue text with the arguments.
std::string FillText(const std::string& text, const std::vector<std::string>& args);
// A model's display name with its runs of blanks made one ("KV220AT  (UHF...)").
std::string CompactName(const std::string& name);
// Four upper-case hex digits.
std::string AddressText(int address);

// Who owns a byte of the codeplug: "channel 19", "channel A", or the name of the form that
// edits it; "" for bytes no form shows.
std::string AddressOwner(int address, const TextLookup& text);
// "The radio holds different data at 0x0120 (channel 19)".
std::string DifferenceText(int address, const TextLookup& text);

// "Reading block 5 of 244", "Verifying: reading block 5 of 244", "Connecting to the radio...".
// position/maximum as the progress hook gives them; maximum < 0 before the first block.
std::string StatusLine(bool writing, TransferPhase phase, int position, int maximum,
                       const TextLookup& text);

// What the user is told about a failure: "communication failed" for a command or block that
// got no answer, the port's failure with the system's reason under portOpenText, and so on.
std::string FailureText(const LinkFailure& failure, const TextLookup& text,
                        int portOpenText = kTextPortOpenFailed);

// The line that stays in the dialog when a transfer has ended. modelName: the radio's.
std::string ReadClosingLine(const ReadResult& result, const std::string& modelName,
                            const TextLookup& text);
std::string WriteClosingLine(const WriteResult& result, const TextLookup& text);

}  // namespace vgr47
