#include "link/transfer_report.h"

#include "core/codeplug_lib.h"
#include "core/layout/codeplug_layout.h"
#include "core/memory_map.h"

namespace vgr47 {

namespace {

// A menu caption or a field label as a name inside a sentence: without its mnemonic
// ("(&S)" or "&"), the dots of a menu item and a label's colon.
std::string PlainName(std::string text) {
    const std::size_t paren = text.find("(&");
    if (paren != std::string::npos && text.find(')', paren) != std::string::npos)
        text.erase(paren, text.find(')', paren) - paren + 1);
    std::string plain;
    for (char c : text)
        if (c != '&') plain += c;
    for (const std::string end : {"...", ":", "\xEF\xBC\x9A" /* full-width colon */}) {
        if (plain.size() >= end.size() &&
            plain.compare(plain.size() - end.size(), end.size(), end) == 0)
            plain.erase(plain.size() - end.size());
    }
    return plain;
}

using layout::AddressOf;
namespace fields = layout::fields;

struct Owned {
    int first, last;  // inclusive
    int textNumber;
};

// The forms that edit the bytes outside the channel records.
const Owned kOwners[] = {
    {mem::kIdentity, mem::kIdentity + mem::kIdentityBytes - 1, kTextModelInformationTitle},
    {mem::kScanTimes, mem::kScanPriority, kTextMenuScan},
    {AddressOf(fields::kOptionsKeyLock), AddressOf(fields::kOptionsAutoAnswerDelay),
     kTextOptionalFeaturesTitle},
    {mem::kVersionStamp, mem::kVersionStamp + 1, kTextSoftwareVersion},
    {mem::kSignallingHold, mem::kSignallingHold, kTextSignallingHoldTime},
    {mem::kTestFrequencies, mem::kFirstRegionLast, kTextTestFrequencyTitle},
    {mem::kTwoToneOptions, mem::kFiveToneDecode - 1, kTextMenuTwoTone},
    {mem::kFiveToneDecode, AddressOf(fields::kFiveToneStandard) - 1, kTextEnDecodeTitle},
    {AddressOf(fields::kFiveToneStandard), AddressOf(fields::kFiveToneDelay1) - 1,
     kTextFiveToneSystemTitle},
    {AddressOf(fields::kFiveToneDelay1), mem::kKeyA - 1, kTextEnDecodeTitle},
    {mem::kKeyA, mem::kKeyOption, kTextKeySettingsTitle},
    {mem::kFiveToneEncode, mem::kTwoToneEncode - 1, kTextEnDecodeTitle},
    {mem::kTwoToneEncode, AddressOf(fields::kDtmfRate) - 1, kTextMenuTwoTone},
    {AddressOf(fields::kDtmfRate), AddressOf(fields::kDtmfClearAutoAnswer), kTextMenuDtmf},
    {mem::kAcsList, mem::kAcsTimes, kTextAcsTitle},
    {mem::kDtmfKillCode, mem::kImageBytes - 1, kTextMenuDtmf},
};

std::string ChannelName(int index) {
    // Records 1..99, then A and B.
    if (index == mem::kChannelCount + 1) return "A";
    if (index == mem::kChannelCount + 2) return "B";
    return std::to_string(index);
}

}  // namespace

std::string FillText(const std::string& text, const std::vector<std::string>& args) {
    std::string filled;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const std::size_t n = static_cast<std::size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && n < args.size()) {
            filled += args[n];
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}

std::string CompactName(const std::string& name) {
    std::string compact;
    for (char c : name) {
        if (c == ' ' && (compact.empty() || compact.back() == ' ')) continue;
        compact += c;
    }
    while (!compact.empty() && compact.back() == ' ') compact.pop_back();
    return compact;
}

std::string AddressText(int address) { return IntToHex(address, 2); }

std::string AddressOwner(int address, const TextLookup& text) {
    auto T = [&text](int n) { return text ? text(n) : std::string(); };
    if (address >= mem::kChannels && address < mem::kChannelsEnd)
        return FillText(T(kTextChannelNumber),
                        {ChannelName((address - mem::kChannels) / mem::kChannelRecordBytes + 1)});
    const int extensionsEnd =
        mem::kChannelExtensions + mem::kChannelCount * mem::kChannelExtensionBytes;
    if (address >= mem::kChannelExtensions && address < extensionsEnd)
        return FillText(
            T(kTextChannelNumber),
            {ChannelName((address - mem::kChannelExtensions) / mem::kChannelExtensionBytes + 1)});
    for (const Owned& owned : kOwners) {
        if (address >= owned.first && address <= owned.last) return PlainName(T(owned.textNumber));
    }
    return "";
}

std::string DifferenceText(int address, const TextLookup& text) {
    if (!text) return "0x" + AddressText(address);
    std::string owner = AddressOwner(address, text);
    if (owner.empty()) owner = text(kTextNoForm);
    return FillText(text(kTextRadioHoldsOtherData), {AddressText(address), owner});
}

std::string FailureText(const LinkFailure& failure, const TextLookup& text, int portOpenText) {
    if (!text) return {};
    switch (failure.kind) {
        case FailureKind::PortNotOpened: {
            std::string lines = text(portOpenText);
            const std::string reason = DescribeOpenFailure(failure.open, text);
            if (!reason.empty()) lines += (lines.empty() ? "" : "\n") + reason;
            return lines;
        }
        case FailureKind::NoAnswer:
        case FailureKind::BlockTimeout:
            return text(kTextCommFailed);
        case FailureKind::BlockError:
            return text(kTextTransferError);
        case FailureKind::BlockRefused:
            return text(kTextRadioRefusedData);
        case FailureKind::ImageUnfit:
            return text(kTextImageUnfit);
    }
    return {};
}

std::string StatusLine(bool writing, TransferPhase phase, int position, int maximum,
                       const TextLookup& text) {
    if (!text) return {};
    const std::vector<std::string> block = {std::to_string(position + 1),
                                            std::to_string(maximum + 1)};
    switch (phase) {
        case TransferPhase::Connecting:
            return text(kTextStatusConnecting);
        case TransferPhase::Transferring:
            if (maximum < 0) return text(kTextStatusConnecting);
            return FillText(text(writing ? kTextStatusWriting : kTextStatusReading), block);
        case TransferPhase::Ending:
            return text(kTextStatusEnding);
        case TransferPhase::VerifyPause:
            return text(kTextStatusVerifyPause);
        case TransferPhase::Verifying:
            if (maximum < 0) return text(kTextStatusVerifyPause);
            return FillText(text(kTextStatusVerifying), block);
    }
    return {};
}

std::string ReadClosingLine(const ReadResult& result, const std::string& modelName,
                            const TextLookup& text) {
    if (!text) return {};
    switch (result.outcome) {
        case ReadOutcome::Completed:
            return FillText(text(kTextReadComplete),
                            {CompactName(modelName), std::to_string(result.blockCount)});
        case ReadOutcome::Cancelled:
            return FillText(text(kTextReadStoppedAt),
                            {std::to_string(result.blocksDone), std::to_string(result.blockCount)});
        case ReadOutcome::BlockTimeout:
        case ReadOutcome::BlockError:
        case ReadOutcome::AckFailed:
            return FillText(text(kTextReadFailedAt), {AddressText(result.failedAddress)});
        case ReadOutcome::PortOpenFailed:
        case ReadOutcome::HandshakeFailed:
            break;
    }
    return text(kTextReadFailedBeforeBlocks);
}

std::string WriteClosingLine(const WriteResult& result, const TextLookup& text) {
    if (!text) return {};
    switch (result.outcome) {
        case WriteOutcome::Completed:
            switch (result.verify) {
                case VerifyOutcome::NotAsked:
                    return text(kTextWritten);
                case VerifyOutcome::Verified:
                    return text(kTextWrittenVerified);
                case VerifyOutcome::Differs:
                    return DifferenceText(result.differingAddress, text);
                case VerifyOutcome::NotVerified:
                    return text(kTextWrittenNotVerified);
            }
            break;
        case WriteOutcome::ImageUnfit:
            return text(kTextWriteImageUnfit);
        case WriteOutcome::ModelDeclined:
            return text(kTextWriteModelDeclined);
        case WriteOutcome::Cancelled:
            if (result.blocksDone == 0) return text(kTextWriteStoppedBeforeBlocks);
            return FillText(text(kTextWriteStoppedAt),
                            {std::to_string(result.blocksDone), std::to_string(result.blockCount)});
        case WriteOutcome::BlockTimeout:
        case WriteOutcome::BlockRefused:
        case WriteOutcome::BlockError:
            return FillText(text(kTextWriteFailedAt), {AddressText(result.failedAddress)});
        case WriteOutcome::PortOpenFailed:
        case WriteOutcome::HandshakeFailed:
        case WriteOutcome::AckFailed:
            break;
    }
    return text(kTextWriteFailedBeforeBlocks);
}

}  // namespace vgr47
