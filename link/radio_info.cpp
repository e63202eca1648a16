#include "link/radio_info.h"

#include "link/read_sequence.h"

namespace vgr47 {

namespace {
constexpr std::size_t kInquiryHexChars = 2 * (kInquiryFirmwareBytes + kInquiryStampBytes);
constexpr std::size_t kFirmwareHexChars = 2 * kInquiryFirmwareBytes;
}  // namespace

std::string FirmwareFromInquiry(const std::string& replyHex) {
    Bytes bytes;
    HexTextToBytes(replyHex.substr(0, kFirmwareHexChars), bytes);
    std::string text;
    for (std::uint8_t b : bytes) {
        if (b == 0x00 || b == 0xFF) break;
        text += static_cast<char>(b);
    }
    return text;
}

std::string SoftwareFromInquiry(const std::string& replyHex) {
    if (replyHex.size() < kInquiryHexChars) return {};
    const std::string digits = replyHex.substr(kFirmwareHexChars, 4);
    if (digits == "FFFF") return {};
    std::string version = digits.substr(0, 2) + "." + digits.substr(2, 2);
    if (version[0] == '0') version.erase(0, 1);
    return version;
}

RadioInfo ReadRadioInfo(const LinkContext& link, const std::string& portName,
                        const std::function<std::string(const std::string& identityHex)>& modelName) {
    RadioInfo info;
    if (OpenResult opened = OpenRadioPort(link, portName); !opened.ok()) {
        info.failure = LinkFailure::PortNotOpened(std::move(opened));
        return info;
    }
    std::string reply;
    auto step = [&](RadioCommand id) {
        if (!Transact(link, id, reply)) info.failure = LinkFailure::NoAnswer(id);
        return !info.failure;
    };
    if (!step(RadioCommand::Version) || !step(RadioCommand::Identity)) return info;
    info.model = modelName ? modelName(reply) : std::string("???");
    if (!step(RadioCommand::Ack) || !step(RadioCommand::Inquiry)) return info;
    info.firmware = FirmwareFromInquiry(reply);
    info.software = SoftwareFromInquiry(reply);
    if (!step(RadioCommand::End)) return info;
    info.complete = true;
    return info;
}

}  // namespace vgr47
