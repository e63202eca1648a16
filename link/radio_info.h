// Asks a connected radio for its model, firmware text and the version of the programming
// software that last wrote it.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "link/link_failure.h"
#include "link/transaction.h"

namespace vgr47 {

struct RadioInfo {
    std::string model;     // display name of the identity
    std::string firmware;  // the radio's firmware text
    std::string software;  // "5.05"; empty when the radio was never written
    bool complete = false;  // every step of the exchange succeeded
    std::optional<LinkFailure> failure;  // the step that failed, when one did
};

// The firmware text of an INQ reply: its first 10 bytes up to the first 00 or FF.
std::string FirmwareFromInquiry(const std::string& replyHex);
// The version from the reply's last two bytes: "0505" -> "5.05", "1005" -> "10.05", FFFF -> "".
std::string SoftwareFromInquiry(const std::string& replyHex);

// VERSION, identity, acknowledge, INQ, end. The first failed step ends the exchange; the
// fields filled so far are kept. The port is left open for its owner to release.
RadioInfo ReadRadioInfo(const LinkContext& link, const std::string& portName,
                        const std::function<std::string(const std::string& identityHex)>& modelName);

}  // namespace vgr47
