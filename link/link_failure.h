// What went wrong in a conversation with the radio, as a value: the engines return it and
// the dialog or the command line says it in the user's language (FailureText).
#pragma once

#include <utility>

#include "link/protocol.h"
#include "link/serial_port.h"

namespace vgr47 {

enum class FailureKind {
    PortNotOpened,  // the port could not be opened: `open` holds the system's reason
    NoAnswer,       // `command` got no reply, or not the one required, in all its attempts
    BlockTimeout,   // the block at `address` went unanswered in all its attempts
    BlockError,     // the block at `address` could not be exchanged at all
    BlockRefused,   // the radio refused the block at `address`
    ImageUnfit,     // the image does not fit the radio's layout: nothing was sent
};

struct LinkFailure {
    FailureKind kind = FailureKind::NoAnswer;
    RadioCommand command = RadioCommand::HandshakeStart;
    int address = -1;  // the block, for the block failures and a block's acknowledge
    OpenResult open;   // for PortNotOpened

    static LinkFailure PortNotOpened(OpenResult why) {
        return {FailureKind::PortNotOpened, RadioCommand::HandshakeStart, -1, std::move(why)};
    }
    static LinkFailure NoAnswer(RadioCommand command, int address = -1) {
        return {FailureKind::NoAnswer, command, address, {}};
    }
    static LinkFailure Block(FailureKind kind, RadioCommand command, int address) {
        return {kind, command, address, {}};
    }
    static LinkFailure ImageUnfit() {
        return {FailureKind::ImageUnfit, RadioCommand::BlockWrite, -1, {}};
    }
};

inline bool operator==(const LinkFailure& a, const LinkFailure& b) {
    return a.kind == b.kind && a.command == b.command && a.address == b.address &&
           a.open.error == b.open.error && a.open.reason == b.open.reason;
}
inline bool operator!=(const LinkFailure& a, const LinkFailure& b) { return !(a == b); }

}  // namespace vgr47
