#include "link/tuning_engine.h"

#include <chrono>
#include <cstdio>
#include <utility>

#include "core/codeplug_lib.h"
#include "core/frequency_codec.h"
#include "core/memory_map.h"
#include "core/tone_codec.h"

namespace vgr47 {
namespace {

constexpr int kOpenSettleMs = 100;
constexpr int kEchoPauseMs = 40;
constexpr int kTuneSettleMs = 100;
constexpr int kValueSettleMs = 150;

// The 38 tones the test mode offers, in tenths of a hertz.
constexpr int kTestModeTones[] = {670,  719,  744,  770,  797,  825,  854,  885,  915,  948,
                                  974,  1000, 1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318,
                                  1365, 1413, 1462, 1514, 1567, 1622, 1679, 1738, 1799, 1862,
                                  1928, 2035, 2107, 2181, 2257, 2336, 2418, 2503};

std::string ByteHex(int value) { return IntToHex(value & 0xFF, 1); }

}  // namespace

void TuningEngine::Wait(int ms) {
    link_.clock.SleepUntil(link_.clock.Now() + std::chrono::milliseconds(ms));
}

std::vector<LinkFailure> TuningEngine::TakeFailures() { return std::exchange(failures_, {}); }

bool TuningEngine::OpenPort(const std::string& portName) {
    if (!link_.port.IsOpen()) {
        OpenResult opened = link_.port.Open(portName);
        if (!opened.ok()) {
            failures_.push_back(LinkFailure::PortNotOpened(std::move(opened)));
            return false;
        }
    }
    Wait(kOpenSettleMs);
    return true;
}

bool TuningEngine::Step(RadioCommand id, std::string& reply, const std::string& argumentsHex) {
    if (Transact(link_, id, reply, argumentsHex)) return true;
    failures_.push_back(LinkFailure::NoAnswer(id));
    return false;
}

bool TuningEngine::Enter(TuningEntry& entry) {
    entry = TuningEntry{};
    std::string reply;
    DiscardWaiting(link_.port);
    if (!Step(RadioCommand::Echo, reply)) return false;
    Wait(kEchoPauseMs);
    if (!Step(RadioCommand::Tuning, reply)) return false;
    if (!Step(RadioCommand::TuningIdentity, entry.identityHex)) return false;
    if (!Step(RadioCommand::Ack, reply)) return false;
    // The echo bytes, then the record.
    constexpr std::size_t kRecordHexStart = 4;
    for (int n = 1; n <= kTestChannelCount; ++n) {
        char number[4];
        std::snprintf(number, sizeof number, "%02d", n);
        if (!Step(RadioCommand::TestChannel, reply, number)) return false;
        entry.testChannels.push_back(
            reply.substr(kRecordHexStart, 2 * mem::kTestFrequencyRecordBytes));
    }
    for (int address = mem::kTuningArea; address <= mem::kTuningAreaLast;
         address += mem::kBlockBytes) {
        DiscardWaiting(link_.port);
        if (!Step(RadioCommand::Alignment, reply, IntToHex(address, 2) + ByteHex(mem::kBlockBytes)))
            return false;
        entry.alignmentHex += reply.substr(2 * kBlockHeaderBytes, 2 * mem::kBlockBytes);
        if (!Step(RadioCommand::Ack, reply)) return false;
    }
    return Step(RadioCommand::End, reply);
}

bool TuningEngine::Command(RadioCommand id, const std::string& argumentsHex) {
    std::string reply;
    DiscardWaiting(link_.port);
    return Step(id, reply, argumentsHex);
}

std::optional<int> TuningEngine::ValueReply(RadioCommand id, const std::string& argumentsHex) {
    std::string reply;
    DiscardWaiting(link_.port);
    const bool ok = Step(id, reply, argumentsHex);
    // Byte 3 of the reply is the value; a reply cut short carries none.
    if (!ok || reply.size() < 2 * static_cast<std::size_t>(EntryOf(id).replyBytes))
        return std::nullopt;
    return HexToInt(reply.substr(6, 2));
}

bool TuningEngine::SelectTestChannel(int position) {
    return Command(RadioCommand::SelectChannel, ByteHex(position + 1));
}
bool TuningEngine::SelectSignalling(int position) {
    return Command(RadioCommand::SelectSignalling, ByteHex(position));
}
bool TuningEngine::SwitchToWide() { return Command(RadioCommand::TestWide); }
bool TuningEngine::SwitchToNarrow() { return Command(RadioCommand::TestNarrow); }
bool TuningEngine::Transmit(bool on) {
    return Command(on ? RadioCommand::TransmitOn : RadioCommand::TransmitOff);
}
bool TuningEngine::EnterAdjusting() { return Command(RadioCommand::EnterAdjusting); }
bool TuningEngine::LeaveAdjusting() { return Command(RadioCommand::LeaveAdjusting); }

std::optional<int> TuningEngine::Tune(int itemCode) {
    auto value = ValueReply(RadioCommand::Tune, ByteHex(itemCode));
    if (value) Wait(kTuneSettleMs);
    return value;
}

bool TuningEngine::SetValue(int value) {
    Wait(kValueSettleMs);
    return Command(RadioCommand::SetValue, ByteHex(value));
}

bool TuningEngine::Store() { return Command(RadioCommand::Store); }
bool TuningEngine::Discard() { return Command(RadioCommand::Discard); }
std::optional<int> TuningEngine::AdjustWide() { return ValueReply(RadioCommand::AdjustWide); }
std::optional<int> TuningEngine::AdjustNarrow() { return ValueReply(RadioCommand::AdjustNarrow); }

void TuningEngine::Exit() { Command(RadioCommand::Exit); }

void TuningEngine::LeaveTestMode(bool valueAdjusted, bool adjusting, bool mayBeKeyed) {
    auto quietly = [this](RadioCommand id) {
        const CommandEntry& entry = EntryOf(id);
        std::string reply;
        DiscardWaiting(link_.port);
        link_.trace.ClearWhenFull();
        link_.trace.AppendLine("S:", entry.bytes);
        Exchange(link_.port, link_.clock, entry.bytes, reply, entry.replyBytes, entry.timeoutMs);
        link_.trace.AppendLine("R:", reply);
    };
    if (valueAdjusted) quietly(RadioCommand::Discard);
    if (adjusting) quietly(RadioCommand::LeaveAdjusting);
    if (mayBeKeyed) quietly(RadioCommand::TransmitOff);
    quietly(RadioCommand::Exit);
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
