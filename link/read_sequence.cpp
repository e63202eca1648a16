#include "link/read_sequence.h"

#include <set>

#include "core/codeplug_lib.h"
#include "core/memory_map.h"
#include "core/text_ids.h"

namespace vgr47 {

namespace {

constexpr int kSettleMs = 100;
constexpr int kBlockReplyBytes = 20;
constexpr int kBlockHeaderHexChars = 8;
constexpr int kBlockTimeoutMs = 1500;
constexpr int kAckTimeoutMs = 300;
constexpr int kIdentityAckTimeoutMs = 500;

}  // namespace

bool OpenRadioPort(const LinkContext& link, const std::string& portName) {
    if (link.port.IsOpen()) return true;
    const OpenResult opened = link.port.Open(portName);
    if (!opened.ok()) {
        std::string text = link.text ? link.text(kTextPortOpenFailed) : std::string();
        const std::string reason = DescribeOpenFailure(opened, link.text);
        if (!reason.empty()) text += (text.empty() ? "" : "\n") + reason;
        link.messages.ShowWarning(text);
        return false;
    }
    link.clock.SleepUntil(link.clock.Now() + std::chrono::milliseconds(kSettleMs));
    return true;
}

bool ProgrammingHandshake(const LinkContext& link, std::string& identityHex) {
    std::string reply;
    if (!Transact(link, "02", reply, 1, 300, "02")) return false;
    if (!Transact(link, "50524F4752414D", reply, 1, 300, "06")) return false;
    if (!Transact(link, "02", identityHex, mem::kIdentityBytes, 500, "")) return false;
    return true;
}

ReadResult ReadFromRadio(const LinkContext& link, const std::string& portName,
                         const SequenceHooks& hooks) {
    ReadResult result;
    hooks.Enter(TransferPhase::Connecting);
    if (!OpenRadioPort(link, portName)) return result;
    DiscardWaiting(link.port);

    result.outcome = ReadOutcome::HandshakeFailed;
    if (!ProgrammingHandshake(link, result.identityHex)) return result;
    if (hooks.identified) hooks.identified(result.identityHex);
    const bool signalling = hooks.isSignalling && hooks.isSignalling(result.identityHex);
    std::string reply;
    if (!Transact(link, "06", reply, 1, kIdentityAckTimeoutMs, "06")) return result;

    const std::vector<int> blocks = mem::TransferBlocks(signalling);
    result.blockCount = static_cast<int>(blocks.size());
    const int last = result.blockCount - 1;
    // Addresses asked for so far: a reply whose header names one of them is a late reply.
    std::set<int> asked;
    const StaleReplyCheck isStale = [&asked](const std::string& candidate) {
        if (candidate.compare(6, 2, "10") != 0) return false;
        const int address = HexToInt(candidate.substr(2, 4));
        return address >= 0 && asked.count(address) > 0;
    };
    std::string image;
    image.reserve(mem::kImageBytes * 2);
    hooks.Enter(TransferPhase::Transferring);
    for (int i = 0; i <= last; ++i) {
        if (hooks.StopRequested()) {
            Exchange(link.port, link.clock, "45", reply, 1, kAckTimeoutMs);
            link.port.Close();
            result.outcome = ReadOutcome::Cancelled;
            return result;
        }
        if (hooks.progress) hooks.progress(i, last);
        const int address = blocks[i];
        const std::string command = "52" + IntToHex(address, 2) + "10";
        int code = ResultTimeout;
        for (int attempt = 1; attempt <= kTransactAttempts && code == ResultTimeout; ++attempt) {
            // A late byte of an earlier reply would shift this block by one byte.
            DrainLine(link);
            link.trace.AppendLine("S:", command);
            std::string dropped;
            code = Exchange(link.port, link.clock, command, reply, kBlockReplyBytes,
                            kBlockTimeoutMs, isStale, &dropped);
            if (!dropped.empty()) link.trace.AppendLine("D:", dropped);
            link.trace.AppendLine("R:", reply);
            // Whatever answer to this attempt is still under way must be over before the
            // command goes again, or it would answer the next attempt or the next block.
            if (code == ResultTimeout && attempt < kTransactAttempts)
                WaitOutLateReply(link, kBlockTimeoutMs);
        }
        asked.insert(address);
        if (code != ResultOk) {
            link.port.Close();
            result.failedAddress = address;
            result.outcome =
                code == ResultTimeout ? ReadOutcome::BlockTimeout : ReadOutcome::BlockError;
            link.ShowText(code == ResultTimeout ? kTextCommFailed : kTextTransferError);
            return result;
        }
        if (address == mem::kSecondRegion)
            image.append(2 * (mem::kSecondRegion - mem::kFirstRegionLast - 1), 'F');
        image += reply.substr(kBlockHeaderHexChars);
        DrainLine(link);
        if (!Transact(link, "06", reply, 1, kAckTimeoutMs, "06", kAckTimeoutMs)) {
            link.port.Close();
            result.failedAddress = address;
            result.outcome = ReadOutcome::AckFailed;
            return result;
        }
        result.blocksDone = i + 1;
    }
    if (hooks.keep) hooks.keep(image);
    // The image is complete whatever the end command gets back.
    hooks.Enter(TransferPhase::Ending);
    Transact(link, "45", reply, 1, kAckTimeoutMs, "06");
    link.port.Close();
    result.outcome = ReadOutcome::Completed;
    result.image = std::move(image);
    return result;
}

}  // namespace vgr47
