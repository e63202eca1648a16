#include "link/tuning_engine.h"

#include <chrono>
#include <cstdio>

#include "core/codeplug_lib.h"
#include "core/frequency_codec.h"
#include "core/memory_map.h"
#include "core/text_ids.h"
#include "core/tone_codec.h"

namespace vgr47 {
namespace {

constexpr int kReplyTimeoutMs = 300;
constexpr int kLeaveAdjustingTimeoutMs = 1300;
constexpr int kValueTimeoutMs = 500;
constexpr int kOpenSettleMs = 100;
constexpr int kEchoPauseMs = 40;
constexpr int kTuneSettleMs = 100;
constexpr int kValueSettleMs = 150;
constexpr int kTestChannelReplyBytes = 10;
constexpr int kAlignmentReplyBytes = 20;
constexpr int kAlignmentBlockBytes = 16;
constexpr int kValueReplyBytes = 5;

// The 38 tones the test mode offers, in tenths of a hertz.
constexpr int kTestModeTones[] = {670,  719,  744,  770,  797,  825,  854,  885,  915,  948,
                                  974,  1000, 1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318,
                                  1365, 1413, 1462, 1514, 1567, 1622, 1679, 1738, 1799, 1862,
                                  1928, 2035, 2107, 2181, 2257, 2336, 2418, 2503};

std::string ByteHex(int value) { return IntToHex(value & 0xFF, 1); }

}  // namespace

void TuningEngine::Wait(int ms) { link_.clock.SleepUntil(link_.clock.Now() + std::chrono::milliseconds(ms)); }

bool TuningEngine::OpenPort(const std::string& portName) {
    if (!link_.port.IsOpen()) {
        const OpenResult opened = link_.port.Open(portName);
        if (!opened.ok()) {
            std::string text = link_.text ? link_.text(kTextTuningPortOpenFailed) : std::string();
            const std::string reason = DescribeOpenFailure(opened, link_.text);
            if (!reason.empty()) text += (text.empty() ? "" : "\n") + reason;
            link_.messages.ShowMessage(text);
            return false;
        }
    }
    Wait(kOpenSettleMs);
    return true;
}

bool TuningEngine::Enter(TuningEntry& entry) {
    entry = TuningEntry{};
    std::string reply;
    DiscardWaiting(link_.port);
    if (!Transact(link_, "03", reply, 1, kReplyTimeoutMs, "03")) return false;
    Wait(kEchoPauseMs);
    if (!Transact(link_, "54554E494E47", reply, 1, kReplyTimeoutMs, "06")) return false;
    if (!Transact(link_, "02", entry.identityHex, mem::kIdentityBytes, kReplyTimeoutMs, "")) return false;
    if (!Transact(link_, "06", reply, 1, kReplyTimeoutMs, "06")) return false;
    for (int n = 1; n <= kTestChannelCount; ++n) {
        char command[8];
        std::snprintf(command, sizeof command, "46%02d", n);
        if (!Transact(link_, command, reply, kTestChannelReplyBytes, kReplyTimeoutMs, "")) return false;
        entry.testChannels.push_back(reply.substr(4, 16));
    }
    for (int address = mem::kTuningArea; address <= mem::kTuningAreaLast; address += kAlignmentBlockBytes) {
        DiscardWaiting(link_.port);
        if (!Transact(link_, "44" + IntToHex(address, 2) + ByteHex(kAlignmentBlockBytes), reply,
                      kAlignmentReplyBytes, kReplyTimeoutMs, ""))
            return false;
        entry.alignmentHex += reply.substr(8, 2 * kAlignmentBlockBytes);
        if (!Transact(link_, "06", reply, 1, kReplyTimeoutMs, "06")) return false;
    }
    return Transact(link_, "45", reply, 1, kReplyTimeoutMs, "06");
}

bool TuningEngine::Command(const std::string& hex, int timeoutMs) {
    std::string reply;
    DiscardWaiting(link_.port);
    return Transact(link_, hex, reply, 1, timeoutMs, "06");
}

std::optional<int> TuningEngine::ValueReply(const std::string& hex, int timeoutMs) {
    std::string reply;
    DiscardWaiting(link_.port);
    const bool ok = Transact(link_, hex, reply, kValueReplyBytes, timeoutMs, "");
    // Byte 3 of the reply is the value; a reply cut short carries none.
    if (!ok || reply.size() < 2 * kValueReplyBytes) return std::nullopt;
    return HexToInt(reply.substr(6, 2));
}

bool TuningEngine::SelectTestChannel(int position) { return Command("4346" + ByteHex(position + 1)); }
bool TuningEngine::SelectSignalling(int position) { return Command("4353" + ByteHex(position)); }
bool TuningEngine::SwitchToWide() { return Command("43424E"); }
bool TuningEngine::SwitchToNarrow() { return Command("434257"); }
bool TuningEngine::Transmit(bool on) { return Command(on ? "435054" : "435052"); }
bool TuningEngine::EnterAdjusting() { return Command("43544D"); }
bool TuningEngine::LeaveAdjusting() { return Command("43474D", kLeaveAdjustingTimeoutMs); }

std::optional<int> TuningEngine::Tune(int itemCode) {
    auto value = ValueReply("4354" + ByteHex(itemCode), kReplyTimeoutMs);
    if (value) Wait(kTuneSettleMs);
    return value;
}

bool TuningEngine::SetValue(int value) {
    Wait(kValueSettleMs);
    return Command("4344" + ByteHex(value), kValueTimeoutMs);
}

bool TuningEngine::Store() { return Command("435344"); }
bool TuningEngine::Discard() { return Command("435155"); }
std::optional<int> TuningEngine::AdjustWide() { return ValueReply("434257", kReplyTimeoutMs); }
std::optional<int> TuningEngine::AdjustNarrow() { return ValueReply("43424E", kReplyTimeoutMs); }

void TuningEngine::Exit() {
    std::string reply;
    DiscardWaiting(link_.port);
    Transact(link_, "434545", reply, 1, kReplyTimeoutMs, "06");
}

void TuningEngine::LeaveTestMode(bool valueAdjusted, bool adjusting, bool mayBeKeyed) {
    auto quietly = [this](const std::string& command, int timeoutMs) {
        std::string reply;
        DiscardWaiting(link_.port);
        link_.trace.ClearWhenFull();
        link_.trace.AppendLine("S:", command);
        Exchange(link_.port, link_.clock, command, reply, 1, timeoutMs);
        link_.trace.AppendLine("R:", reply);
    };
    if (valueAdjusted) quietly("435155", kReplyTimeoutMs);
    if (adjusting) quietly("43474D", kLeaveAdjustingTimeoutMs);
    if (mayBeKeyed) quietly("435052", kReplyTimeoutMs);
    quietly("434545", kReplyTimeoutMs);
}

std::vector<std::string> TuningSignallingList(const std::string& noneText) {
    std::vector<std::string> list{noneText};
    for (int tenths : kTestModeTones) list.push_back(std::to_string(tenths / 10) + "." + std::to_string(tenths % 10));
    for (const std::string& e : DcsTable()) list.push_back("D" + e.substr(0, 3) + "N");
    for (const std::string& e : DcsTable()) list.push_back("D" + e.substr(0, 3) + "I");
    return list;
}

std::vector<std::string> TuningReferenceFrequencies(double low, double high) {
    const double mid = (low + high) / 2;
    return {FormatFrequency(low + 0.05), FormatFrequency(mid + 0.05), FormatFrequency(high - 0.05),
            FormatFrequency(low + 0.1),  FormatFrequency(mid + 0.1),  FormatFrequency(high - 0.1)};
}

}  // namespace vgr47
