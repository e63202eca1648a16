#include "link/protocol.h"

#include <cstring>

#include "core/memory_map.h"

namespace vgr47 {

namespace {

constexpr int kTries = 3;
constexpr int kBlockMs = 1500;
constexpr int kAckMs = 300;
// Address (2 bytes) and length (1 byte).
constexpr int kAddress = 3;
constexpr int kBlock = mem::kBlockBytes;
constexpr int kBlockReply = kBlockHeaderBytes + mem::kBlockBytes;
constexpr int kIdentity = mem::kIdentityBytes;
constexpr int kInquiry = kInquiryFirmwareBytes + kInquiryStampBytes;
// Two echo bytes, then the test frequency record.
constexpr int kTestChannel = 2 + mem::kTestFrequencyRecordBytes;
// Three echo bytes, the value, 06.
constexpr int kValue = 5;

}  // namespace

const std::vector<CommandEntry>& ProtocolTable() {
    using C = RadioCommand;
    // A block that timed out is asked for again only after one more block time-out, and a
    // failed block acknowledge only after one more acknowledge time-out, each followed by a
    // drain: the late answer to one attempt must never pass for the next one's.
    // clang-format off
    //   command              name                    bytes             args      data    length reply         must  ms        tries   late ms
    static const std::vector<CommandEntry> table = {
        {C::HandshakeStart,   "handshake start",      "02",             0,        0,      false, 1,            "02", 300,      kTries, 0},
        {C::Program,          "PROGRAM",              "50524F4752414D", 0,        0,      false, 1,            "06", 300,      kTries, 0},
        {C::Identity,         "identity",             "02",             0,        0,      false, kIdentity,    "",   500,      kTries, 0},
        {C::IdentityAck,      "identity acknowledge", "06",             0,        0,      false, 1,            "06", 500,      kTries, 0},
        {C::BlockRead,        "block read",           "52",             kAddress, 0,      true,  kBlockReply,  "",   kBlockMs, kTries, kBlockMs},
        {C::BlockAck,         "block acknowledge",    "06",             0,        0,      false, 1,            "06", kAckMs,   kTries, kAckMs},
        {C::BlockWrite,       "block write",          "57",             kAddress, kBlock, true,  1,            "06", kBlockMs, kTries, kBlockMs},
        {C::End,              "end",                  "45",             0,        0,      false, 1,            "06", kAckMs,   kTries, 0},
        {C::Refuse,           "refuse",               "07",             0,        0,      false, 0,            "",   200,      kTries, 0},
        {C::Version,          "VERSION",              "56455253494F4E", 0,        0,      false, 1,            "06", 1000,     kTries, 0},
        {C::Ack,              "acknowledge",          "06",             0,        0,      false, 1,            "06", kAckMs,   kTries, 0},
        {C::Inquiry,          "INQ",                  "494E51",         0,        0,      false, kInquiry,     "",   300,      kTries, 0},
        {C::Echo,             "echo",                 "03",             0,        0,      false, 1,            "03", 300,      kTries, 0},
        {C::Tuning,           "TUNING",               "54554E494E47",   0,        0,      false, 1,            "06", 300,      kTries, 0},
        {C::TuningIdentity,   "test mode identity",   "02",             0,        0,      false, kIdentity,    "",   300,      kTries, 0},
        {C::TestChannel,      "test channel",         "46",             1,        0,      false, kTestChannel, "",   300,      kTries, 0},
        {C::Alignment,        "alignment block",      "44",             kAddress, 0,      true,  kBlockReply,  "",   300,      kTries, 0},
        {C::SelectChannel,    "CF",                   "4346",           1,        0,      false, 1,            "06", 300,      kTries, 0},
        {C::SelectSignalling, "CS",                   "4353",           1,        0,      false, 1,            "06", 300,      kTries, 0},
        {C::TestWide,         "CBN",                  "43424E",         0,        0,      false, 1,            "06", 300,      kTries, 0},
        {C::TestNarrow,       "CBW",                  "434257",         0,        0,      false, 1,            "06", 300,      kTries, 0},
        {C::TransmitOn,       "CPT",                  "435054",         0,        0,      false, 1,            "06", 300,      kTries, 0},
        {C::TransmitOff,      "CPR",                  "435052",         0,        0,      false, 1,            "06", 300,      kTries, 0},
        {C::EnterAdjusting,   "CTM",                  "43544D",         0,        0,      false, 1,            "06", 300,      kTries, 0},
        {C::LeaveAdjusting,   "CGM",                  "43474D",         0,        0,      false, 1,            "06", 1300,     kTries, 0},
        {C::Tune,             "CT",                   "4354",           1,        0,      false, kValue,       "",   300,      kTries, 0},
        {C::SetValue,         "CD",                   "4344",           1,        0,      false, 1,            "06", 500,      kTries, 0},
        {C::AdjustWide,       "adjusting CBW",        "434257",         0,        0,      false, kValue,       "",   300,      kTries, 0},
        {C::AdjustNarrow,     "adjusting CBN",        "43424E",         0,        0,      false, kValue,       "",   300,      kTries, 0},
        {C::Store,            "CSD",                  "435344",         0,        0,      false, 1,            "06", 300,      kTries, 0},
        {C::Discard,          "CQU",                  "435155",         0,        0,      false, 1,            "06", 300,      kTries, 0},
        {C::Exit,             "CEE",                  "434545",         0,        0,      false, 1,            "06", 300,      kTries, 0},
    };
    // clang-format on
    return table;
}

const CommandEntry& EntryOf(RadioCommand id) {
    return ProtocolTable()[static_cast<std::size_t>(id)];
}

std::string CommandHex(RadioCommand id, const std::string& argumentsHex) {
    return EntryOf(id).bytes + argumentsHex;
}

int CommandBytes(const CommandEntry& entry) {
    return static_cast<int>(std::strlen(entry.bytes)) / 2 + entry.argumentBytes + entry.dataBytes;
}

}  // namespace vgr47
