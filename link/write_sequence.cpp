#include "link/write_sequence.h"

#include "core/codeplug_lib.h"
#include "core/memory_map.h"

namespace vgr47 {

namespace {

std::string BlockCommand(const std::string& image, int address) {
    return CommandHex(
        RadioCommand::BlockWrite,
        IntToHex(address, 2) + IntToHex(mem::kBlockBytes, 1) +
            image.substr(2 * static_cast<std::size_t>(address), 2 * mem::kBlockBytes));
}

// Every block the layout sends must be there in full and be hex.
bool FitsLayout(const std::string& image, const std::vector<int>& blocks) {
    for (int address : blocks) {
        const std::size_t start = 2 * static_cast<std::size_t>(address);
        if (image.size() < start + 2 * mem::kBlockBytes) return false;
        if (!IsHexText(image.substr(start, 2 * mem::kBlockBytes))) return false;
    }
    return true;
}

// Stamps the version and works out the blocks; empty when the image does not fit them.
std::vector<int> PrepareBlocks(WriteJob& job, const SequenceHooks& hooks) {
    job.image.WriteBytes(mem::kVersionStamp, job.versionStamp);
    const bool signalling = hooks.isSignalling && hooks.isSignalling(job.currentIdentity);
    std::vector<int> blocks = mem::TransferBlocks(signalling);
    if (!FitsLayout(job.image.image(), blocks)) blocks.clear();
    return blocks;
}

// The first byte of the written blocks that the read-back holds otherwise, -1 when none;
// -2 when the read-back does not reach every written block.
int FirstDifference(const std::string& sent, const std::string& back,
                    const std::vector<int>& blocks) {
    for (int address : blocks) {
        const std::size_t start = 2 * static_cast<std::size_t>(address);
        if (back.size() < start + 2 * mem::kBlockBytes) return -2;
        for (int i = 0; i < mem::kBlockBytes; ++i) {
            if (sent.compare(start + 2 * i, 2, back, start + 2 * i, 2) != 0) return address + i;
        }
    }
    return -1;
}

// A read exactly like Read, begun kVerifyPauseMs after the end command was sent.
// Its failure makes the write "not verified": the dialog or command line says why.
void VerifyWritten(const LinkContext& link, const std::string& portName, const std::string& sent,
                   const std::vector<int>& blocks, const std::string& heading,
                   const SequenceHooks& hooks, Clock::time_point endSent, WriteResult& result) {
    result.verify = VerifyOutcome::NotVerified;
    hooks.Enter(TransferPhase::VerifyPause);
    link.trace.AppendLine("-- ", heading + " --");
    link.clock.SleepUntil(endSent + std::chrono::milliseconds(kVerifyPauseMs));
    if (hooks.cancelled()) return;

    SequenceHooks readHooks;
    readHooks.cancel = hooks.cancel;
    readHooks.isSignalling = hooks.isSignalling;
    readHooks.progress = hooks.progress;
    readHooks.phase = [&hooks](TransferPhase phase) {
        if (phase != TransferPhase::Ending) hooks.Enter(TransferPhase::Verifying);
    };
    const ReadResult back = ReadFromRadio(link, portName, readHooks);
    if (!back.ok()) {
        result.verifyFailure = back.failure;
        return;
    }
    const int differs = FirstDifference(sent, back.image, blocks);
    if (differs == -2) return;
    if (differs >= 0) {
        result.verify = VerifyOutcome::Differs;
        result.differingAddress = differs;
        return;
    }
    result.verify = VerifyOutcome::Verified;
}

}  // namespace

WriteResult WriteToRadio(const LinkContext& link, const std::string& portName, WriteJob job,
                         const SequenceHooks& hooks) {
    WriteResult result;
    const std::vector<int> blocks = PrepareBlocks(job, hooks);
    if (blocks.empty()) {
        result.outcome = WriteOutcome::ImageUnfit;
        result.failure = LinkFailure::ImageUnfit();
        return result;
    }
    result.blockCount = static_cast<int>(blocks.size());
    hooks.Enter(TransferPhase::Connecting);
    if (OpenResult opened = OpenRadioPort(link, portName); !opened.ok()) {
        result.failure = LinkFailure::PortNotOpened(std::move(opened));
        return result;
    }

    result.outcome = WriteOutcome::HandshakeFailed;
    std::string identity;
    result.failure = ProgrammingHandshake(link, identity);
    if (result.failure) return result;
    if (hooks.identified) hooks.identified(identity);
    std::string reply;
    if (identity != job.currentIdentity && !(hooks.writeOtherModel && hooks.writeOtherModel())) {
        Transact(link, RadioCommand::Refuse, reply);
        link.port.Close();
        result.outcome = WriteOutcome::ModelDeclined;
        return result;
    }
    result.outcome = WriteOutcome::AckFailed;
    if (!Transact(link, RadioCommand::IdentityAck, reply)) {
        result.failure = LinkFailure::NoAnswer(RadioCommand::IdentityAck);
        return result;
    }

    const std::string image = job.image.image();
    if (hooks.keep) hooks.keep(image);
    hooks.Enter(TransferPhase::Transferring);
    const int last = result.blockCount - 1;
    const CommandEntry& write = EntryOf(RadioCommand::BlockWrite);
    for (int i = 0; i <= last; ++i) {
        if (hooks.StopRequested()) {
            const CommandEntry& end = EntryOf(RadioCommand::End);
            Exchange(link.port, link.clock, end.bytes, reply, end.replyBytes, end.timeoutMs);
            link.port.Close();
            result.outcome = WriteOutcome::Cancelled;
            return result;
        }
        if (hooks.progress) hooks.progress(i, last);
        const int code =
            ExchangeBlock(link, RadioCommand::BlockWrite, BlockCommand(image, blocks[i]), reply);
        if (code != ResultOk || reply != write.reply) {
            link.port.Close();
            result.failedAddress = blocks[i];
            result.outcome = code == ResultTimeout ? WriteOutcome::BlockTimeout
                             : code != ResultOk    ? WriteOutcome::BlockError
                                                   : WriteOutcome::BlockRefused;
            const FailureKind kind = code == ResultTimeout ? FailureKind::BlockTimeout
                                     : code != ResultOk    ? FailureKind::BlockError
                                                           : FailureKind::BlockRefused;
            result.failure = LinkFailure::Block(kind, RadioCommand::BlockWrite, blocks[i]);
            return result;
        }
        result.blocksDone = i + 1;
    }
    hooks.Enter(TransferPhase::Ending);
    const Clock::time_point endSent = link.clock.Now();
    if (!Transact(link, RadioCommand::End, reply))
        result.failure = LinkFailure::NoAnswer(RadioCommand::End);
    link.port.Close();
    result.outcome = WriteOutcome::Completed;
    if (job.verify) {
        const std::string heading = job.verifyHeading.empty() ? "verify" : job.verifyHeading;
        VerifyWritten(link, portName, image, blocks, heading, hooks, endSent, result);
    }
    return result;
}

bool WriteDryRun(const LinkContext& link, WriteJob job, const SequenceHooks& hooks) {
    const std::vector<int> blocks = PrepareBlocks(job, hooks);
    if (blocks.empty()) return false;
    const std::string image = job.image.image();
    const std::string accepted = EntryOf(RadioCommand::BlockWrite).reply;
    const int last = static_cast<int>(blocks.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        if (hooks.cancelled()) return false;
        if (hooks.progress) hooks.progress(i, last);
        link.trace.AppendLine("S:", BlockCommand(image, blocks[i]));
        link.trace.AppendLine("R:", accepted);
    }
    return true;
}

}  // namespace vgr47
