#include "link/write_sequence.h"

#include "core/codeplug_lib.h"
#include "core/memory_map.h"
#include "core/text_ids.h"

namespace vgr47 {

namespace {

constexpr int kBlockTimeoutMs = 1500;

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

}  // namespace

WriteOutcome WriteToRadio(const LinkContext& link, const std::string& portName, WriteJob job,
                          const SequenceHooks& hooks) {
    const std::vector<int> blocks = PrepareBlocks(job, hooks);
    if (blocks.empty()) {
        link.messages.ShowMessage(kImageUnfitText);
        return WriteOutcome::ImageUnfit;
    }
    if (!OpenRadioPort(link, portName)) return WriteOutcome::PortOpenFailed;

    std::string identity;
    if (!ProgrammingHandshake(link, identity)) return WriteOutcome::HandshakeFailed;
    std::string reply;
    if (identity != job.currentIdentity) {
        const std::string question = link.text ? link.text(kTextModelMismatchQuestion) : "";
        const std::string caption = link.text ? link.text(kTextQuestionCaption) : "";
        if (link.messages.Ask(question, caption, Buttons::YesNo, true) != Answer::Yes) {
            Transact(link, "07", reply, 0, 200, "");
            link.port.Close();
            return WriteOutcome::ModelDeclined;
        }
    }
    if (!Transact(link, "06", reply, 1, 500, "06")) return WriteOutcome::AckFailed;

    const std::string image = job.image.image();
    const int last = static_cast<int>(blocks.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        if (hooks.cancelled()) {
            Exchange(link.port, link.clock, "45", reply, 1, 300);
            link.port.Close();
            return WriteOutcome::Cancelled;
        }
        if (hooks.progress) hooks.progress(i, last);
        const std::string command = BlockCommand(image, blocks[i]);
        int code = ResultTimeout;
        for (int attempt = 1; attempt <= kTransactAttempts && code == ResultTimeout; ++attempt) {
            // A late byte of an earlier reply must not pass for this block's acceptance.
            DiscardWaiting(link.port);
            link.trace.AppendLine("S:", command);
            code = Exchange(link.port, link.clock, command, reply, 1, kBlockTimeoutMs);
            link.trace.AppendLine("R:", reply);
        }
        if (code == ResultTimeout) {
            link.port.Close();
            link.ShowText(kTextCommFailed);
            return WriteOutcome::BlockTimeout;
        }
        if (code != ResultOk) {
            link.port.Close();
            link.ShowText(kTextTransferError);
            return WriteOutcome::BlockError;
        }
        if (reply != "06") {
            link.port.Close();
            link.ShowText(kTextRadioRefusedData);
            return WriteOutcome::BlockRefused;
        }
    }
    Transact(link, "45", reply, 1, 300, "06");
    link.port.Close();
    return WriteOutcome::Completed;
}

bool WriteDryRun(TraceLog& trace, Messages& messages, WriteJob job, const SequenceHooks& hooks) {
    const std::vector<int> blocks = PrepareBlocks(job, hooks);
    if (blocks.empty()) {
        messages.ShowMessage(kImageUnfitText);
        return false;
    }
    const std::string image = job.image.image();
    const int last = static_cast<int>(blocks.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        if (hooks.cancelled()) return false;
        if (hooks.progress) hooks.progress(i, last);
        trace.AppendLine("S:", BlockCommand(image, blocks[i]));
        trace.AppendLine("R:", "06");
    }
    return true;
}

}  // namespace vgr47
