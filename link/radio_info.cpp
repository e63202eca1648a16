#include "link/radio_info.h"

#include "link/read_sequence.h"

namespace vgr47 {

namespace {
constexpr int kInquiryBytes = 12;
constexpr std::size_t kFirmwareHexChars = 20;
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
    if (replyHex.size() < 2 * kInquiryBytes) return {};
    const std::string digits = replyHex.substr(kFirmwareHexChars, 4);
    if (digits == "FFFF") return {};
    std::string version = digits.substr(0, 2) + "." + digits.substr(2, 2);
    if (version[0] == '0') version.erase(0, 1);
    return version;
}

RadioInfo ReadRadioInfo(const LinkContext& link, const std::string& portName,
                        const std::function<std::string(const std::string& identityHex)>& modelName) {
    RadioInfo info;
    if (!OpenRadioPort(link, portName)) return info;
    std::string reply;
    if (!Transact(link, "56455253494F4E", reply, 1, 1000, "06")) return info;
    if (!Transact(link, "02", reply, 8, 500, "")) return info;
    info.model = modelName ? modelName(reply) : std::string("???");
    if (!Transact(link, "06", reply, 1, 300, "06")) return info;
    if (!Transact(link, "494E51", reply, kInquiryBytes, 300, "")) return info;
    info.firmware = FirmwareFromInquiry(reply);
    info.software = SoftwareFromInquiry(reply);
    if (!Transact(link, "45", reply, 1, 300, "06")) return info;
    info.complete = true;
    return info;
}

}  // namespace vgr47
