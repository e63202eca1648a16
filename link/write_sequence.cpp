#include "link/write_sequence.h"

#include "core/codeplug_lib.h"
#include "core/memory_map.h"
#include "core/text_ids.h"

namespace vgr47 {

namespace {

constexpr int kBlockTimeoutMs = 1500;
constexpr int kAckTimeoutMs = 300;
constexpr int kIdentityAckTimeoutMs = 500;

std::string BlockCommand(const std::string& image, int address) {
    return "57" + IntToHex(address, 2) + "10" +
           image.substr(2 * static_cast<std::size_t>(address), 2 * mem::kBlockBytes);
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

// The read-back's notices are not shown: its failure makes the write "not verified", and the
// dialog or command line says so once.
class KeptMessages final : public Messages {
  public:
    void ShowMessage(const std::string& text) override {
        if (kept.empty()) kept = text;
    }
    Answer Ask(const std::string&, const std::string&, Buttons, bool) override {
        return Answer::No;
    }
    std::string kept;
};

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
void VerifyWritten(const LinkContext& link, const std::string& portName, const std::string& sent,
                   const std::vector<int>& blocks, const SequenceHooks& hooks,
                   Clock::time_point endSent, WriteResult& result) {
    result.verify = VerifyOutcome::NotVerified;
    hooks.Enter(TransferPhase::VerifyPause);
    link.trace.AppendLine("-- ", (link.text ? link.text(kTextVerifyTrace) : "verify") + " --");
    link.clock.SleepUntil(endSent + std::chrono::milliseconds(kVerifyPauseMs));
    if (hooks.cancelled()) return;

    KeptMessages quiet;
    const LinkContext readLink{link.port, link.clock, link.trace, quiet, link.text};
    SequenceHooks readHooks;
    readHooks.cancel = hooks.cancel;
    readHooks.isSignalling = hooks.isSignalling;
    readHooks.progress = hooks.progress;
    readHooks.phase = [&hooks](TransferPhase phase) {
        if (phase != TransferPhase::Ending) hooks.Enter(TransferPhase::Verifying);
    };
    const ReadResult back = ReadFromRadio(readLink, portName, readHooks);
    if (!back.ok()) {
        result.verifyProblem = quiet.kept;
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
        link.ShowText(kTextImageUnfit);
        result.outcome = WriteOutcome::ImageUnfit;
        return result;
    }
    result.blockCount = static_cast<int>(blocks.size());
    hooks.Enter(TransferPhase::Connecting);
    if (!OpenRadioPort(link, portName)) return result;

    result.outcome = WriteOutcome::HandshakeFailed;
    std::string identity;
    if (!ProgrammingHandshake(link, identity)) return result;
    if (hooks.identified) hooks.identified(identity);
    std::string reply;
    if (identity != job.currentIdentity) {
        const std::string question = link.text ? link.text(kTextModelMismatchQuestion) : "";
        const std::string caption = link.text ? link.text(kTextQuestionCaption) : "";
        if (link.messages.Ask(question, caption, Buttons::YesNo, true) != Answer::Yes) {
            Transact(link, "07", reply, 0, 200, "");
            link.port.Close();
            result.outcome = WriteOutcome::ModelDeclined;
            return result;
        }
    }
    result.outcome = WriteOutcome::AckFailed;
    if (!Transact(link, "06", reply, 1, kIdentityAckTimeoutMs, "06")) return result;

    const std::string image = job.image.image();
    if (hooks.keep) hooks.keep(image);
    hooks.Enter(TransferPhase::Transferring);
    const int last = result.blockCount - 1;
    for (int i = 0; i <= last; ++i) {
        if (hooks.StopRequested()) {
            Exchange(link.port, link.clock, "45", reply, 1, kAckTimeoutMs);
            link.port.Close();
            result.outcome = WriteOutcome::Cancelled;
            return result;
        }
        if (hooks.progress) hooks.progress(i, last);
        const std::string command = BlockCommand(image, blocks[i]);
        int code = ResultTimeout;
        for (int attempt = 1; attempt <= kTransactAttempts && code == ResultTimeout; ++attempt) {
            // A late byte of an earlier reply must not pass for this block's acceptance.
            DrainLine(link);
            link.trace.AppendLine("S:", command);
            code = Exchange(link.port, link.clock, command, reply, 1, kBlockTimeoutMs);
            link.trace.AppendLine("R:", reply);
            // A late 06 for this attempt must be over before the block goes again, or it
            // would count for the next attempt or the next block.
            if (code == ResultTimeout && attempt < kTransactAttempts)
                WaitOutLateReply(link, kBlockTimeoutMs);
        }
        if (code != ResultOk || reply != "06") {
            link.port.Close();
            result.failedAddress = blocks[i];
            result.outcome = code == ResultTimeout ? WriteOutcome::BlockTimeout
                             : code != ResultOk    ? WriteOutcome::BlockError
                                                   : WriteOutcome::BlockRefused;
            link.ShowText(code == ResultTimeout ? kTextCommFailed
                          : code != ResultOk    ? kTextTransferError
                                                : kTextRadioRefusedData);
            return result;
        }
        result.blocksDone = i + 1;
    }
    hooks.Enter(TransferPhase::Ending);
    const Clock::time_point endSent = link.clock.Now();
    Transact(link, "45", reply, 1, kAckTimeoutMs, "06");
    link.port.Close();
    result.outcome = WriteOutcome::Completed;
    if (job.verify) VerifyWritten(link, portName, image, blocks, hooks, endSent, result);
    return result;
}

bool WriteDryRun(const LinkContext& link, WriteJob job, const SequenceHooks& hooks) {
    const std::vector<int> blocks = PrepareBlocks(job, hooks);
    if (blocks.empty()) {
        link.ShowText(kTextImageUnfit);
        return false;
    }
    const std::string image = job.image.image();
    const int last = static_cast<int>(blocks.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        if (hooks.cancelled()) return false;
        if (hooks.progress) hooks.progress(i, last);
        link.trace.AppendLine("S:", BlockCommand(image, blocks[i]));
        link.trace.AppendLine("R:", "06");
    }
    return true;
}

}  // namespace vgr47
