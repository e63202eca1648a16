#include "link/read_sequence.h"

#include <set>

#include "core/codeplug_lib.h"
#include "core/memory_map.h"

namespace vgr47 {

namespace {

constexpr int kSettleMs = 100;
constexpr int kBlockHeaderHexChars = 2 * kBlockHeaderBytes;

}  // namespace

OpenResult OpenRadioPort(const LinkContext& link, const std::string& portName) {
    if (link.port.IsOpen()) return {};
    OpenResult opened = link.port.Open(portName);
    if (opened.ok()) link.clock.SleepUntil(link.clock.Now() + std::chrono::milliseconds(kSettleMs));
    return opened;
}

std::optional<LinkFailure> ProgrammingHandshake(const LinkContext& link, std::string& identityHex) {
    std::string reply;
    for (RadioCommand step : {RadioCommand::HandshakeStart, RadioCommand::Program}) {
        if (!Transact(link, step, reply)) return LinkFailure::NoAnswer(step);
    }
    if (!Transact(link, RadioCommand::Identity, identityHex))
        return LinkFailure::NoAnswer(RadioCommand::Identity);
    return std::nullopt;
}

ReadResult ReadFromRadio(const LinkContext& link, const std::string& portName,
                         const SequenceHooks& hooks) {
    ReadResult result;
    hooks.Enter(TransferPhase::Connecting);
    if (OpenResult opened = OpenRadioPort(link, portName); !opened.ok()) {
        result.failure = LinkFailure::PortNotOpened(std::move(opened));
        return result;
    }
    DiscardWaiting(link.port);

    result.outcome = ReadOutcome::HandshakeFailed;
    result.failure = ProgrammingHandshake(link, result.identityHex);
    if (result.failure) return result;
    if (hooks.identified) hooks.identified(result.identityHex);
    const bool signalling = hooks.isSignalling && hooks.isSignalling(result.identityHex);
    std::string reply;
    if (!Transact(link, RadioCommand::IdentityAck, reply)) {
        result.failure = LinkFailure::NoAnswer(RadioCommand::IdentityAck);
        return result;
    }

    const std::vector<int> blocks = mem::TransferBlocks(signalling);
    result.blockCount = static_cast<int>(blocks.size());
    const int last = result.blockCount - 1;
    // Addresses asked for so far: a reply whose header names one of them is a late reply.
    std::set<int> asked;
    const std::string lengthHex = IntToHex(mem::kBlockBytes, 1);
    const StaleReplyCheck isStale = [&asked, &lengthHex](const std::string& candidate) {
        if (candidate.compare(6, 2, lengthHex) != 0) return false;
        const int address = HexToInt(candidate.substr(2, 4));
        return address >= 0 && asked.count(address) > 0;
    };
    std::string image;
    image.reserve(mem::kImageBytes * 2);
    hooks.Enter(TransferPhase::Transferring);
    for (int i = 0; i <= last; ++i) {
        if (hooks.StopRequested()) {
            const CommandEntry& end = EntryOf(RadioCommand::End);
            Exchange(link.port, link.clock, end.bytes, reply, end.replyBytes, end.timeoutMs);
            link.port.Close();
            result.outcome = ReadOutcome::Cancelled;
            return result;
        }
        if (hooks.progress) hooks.progress(i, last);
        const int address = blocks[i];
        const std::string command =
            CommandHex(RadioCommand::BlockRead, IntToHex(address, 2) + lengthHex);
        const int code = ExchangeBlock(link, RadioCommand::BlockRead, command, reply, isStale);
        asked.insert(address);
        if (code != ResultOk) {
            link.port.Close();
            result.failedAddress = address;
            const bool timedOut = code == ResultTimeout;
            result.outcome = timedOut ? ReadOutcome::BlockTimeout : ReadOutcome::BlockError;
            result.failure =
                LinkFailure::Block(timedOut ? FailureKind::BlockTimeout : FailureKind::BlockError,
                                   RadioCommand::BlockRead, address);
            return result;
        }
        if (address == mem::kSecondRegion)
            image.append(2 * (mem::kSecondRegion - mem::kFirstRegionLast - 1), 'F');
        image += reply.substr(kBlockHeaderHexChars);
        DrainLine(link);
        if (!Transact(link, RadioCommand::BlockAck, reply)) {
            link.port.Close();
            result.failedAddress = address;
            result.outcome = ReadOutcome::AckFailed;
            result.failure = LinkFailure::NoAnswer(RadioCommand::BlockAck, address);
            return result;
        }
        result.blocksDone = i + 1;
    }
    if (hooks.keep) hooks.keep(image);
    // The image is complete whatever the end command gets back.
    hooks.Enter(TransferPhase::Ending);
    if (!Transact(link, RadioCommand::End, reply))
        result.failure = LinkFailure::NoAnswer(RadioCommand::End);
    link.port.Close();
    result.outcome = ReadOutcome::Completed;
    result.image = std::move(image);
    return result;
}

}  // namespace vgr47
