#include "link/read_sequence.h"

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
        const std::string reason = DescribeOpenFailure(opened);
        if (!reason.empty()) text += (text.empty() ? "" : "\n") + reason;
        link.messages.ShowMessage(text);
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
    if (!OpenRadioPort(link, portName)) return result;
    DiscardWaiting(link.port);

    result.outcome = ReadOutcome::HandshakeFailed;
    if (!ProgrammingHandshake(link, result.identityHex)) return result;
    const bool signalling = hooks.isSignalling && hooks.isSignalling(result.identityHex);
    std::string reply;
    if (!Transact(link, "06", reply, 1, kIdentityAckTimeoutMs, "06")) return result;

    const std::vector<int> blocks = mem::TransferBlocks(signalling);
    const int last = static_cast<int>(blocks.size()) - 1;
    std::string image;
    image.reserve(mem::kImageBytes * 2);
    for (int i = 0; i <= last; ++i) {
        if (hooks.cancelled()) {
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
            DiscardWaiting(link.port);
            link.trace.AppendLine("S:", command);
            code = Exchange(link.port, link.clock, command, reply, kBlockReplyBytes,
                            kBlockTimeoutMs);
            link.trace.AppendLine("R:", reply);
        }
        if (code != ResultOk) {
            link.port.Close();
            result.outcome =
                code == ResultTimeout ? ReadOutcome::BlockTimeout : ReadOutcome::BlockError;
            link.ShowText(code == ResultTimeout ? kTextCommFailed : kTextTransferError);
            return result;
        }
        if (address == mem::kSecondRegion)
            image.append(2 * (mem::kSecondRegion - mem::kFirstRegionLast - 1), 'F');
        image += reply.substr(kBlockHeaderHexChars);
        DiscardWaiting(link.port);
        if (!Transact(link, "06", reply, 1, kAckTimeoutMs, "06")) {
            link.port.Close();
            result.outcome = ReadOutcome::AckFailed;
            return result;
        }
    }
    // The image is complete whatever the end command gets back.
    Transact(link, "45", reply, 1, kAckTimeoutMs, "06");
    link.port.Close();
    result.outcome = ReadOutcome::Completed;
    result.image = std::move(image);
    return result;
}

}  // namespace vgr47
