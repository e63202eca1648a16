#include "link/transaction.h"

namespace vgr47 {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
// How long the line must stay silent before a late reply counts as over: some 30 bytes at
// 9600 baud, and more than a USB adapter holds bytes back.
constexpr int kQuietLineMs = 30;
constexpr int kDrainLimitMs = 1500;

void AppendHex(std::string& text, const Bytes& bytes) {
    for (std::uint8_t b : bytes) {
        text += kHexDigits[b >> 4];
        text += kHexDigits[b & 0x0F];
    }
}

long long WholeMillisecondsSince(const Clock& clock, Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(clock.Now() - start).count();
}

}  // namespace

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

int HexTextToBytes(const std::string& text, Bytes& out) {
    out.clear();
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        const int high = HexDigitValue(text[i]);
        const int low = HexDigitValue(text[i + 1]);
        if (high < 0 || low < 0) break;
        out.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return static_cast<int>(out.size());
}

std::string BytesToHexText(const Bytes& bytes) {
    std::string text;
    AppendHex(text, bytes);
    return text;
}

int SendHex(SerialPort& port, const std::string& command) {
    Bytes bytes;
    HexTextToBytes(command, bytes);
    port.Write(bytes);
    return 0;
}

int CollectReply(SerialPort& port, Clock& clock, std::string& reply, int expected, int timeoutMs,
                 const StaleReplyCheck& isStale, std::string* dropped) {
    reply.clear();
    if (expected <= 0) return ResultOk;
    const std::size_t wanted = 2 * static_cast<std::size_t>(expected);
    const Clock::time_point start = clock.Now();
    // The first instant at which the elapsed whole milliseconds exceed the time-out.
    const Clock::time_point deadline = start + std::chrono::milliseconds(timeoutMs + 1);
    while (WholeMillisecondsSince(clock, start) <= timeoutMs) {
        if (port.BytesWaiting() > 0) {
            AppendHex(reply, port.ReadAll());
            while (reply.size() >= wanted && isStale && isStale(reply.substr(0, wanted))) {
                if (dropped) *dropped += reply.substr(0, wanted);
                reply.erase(0, wanted);
            }
            if (reply.size() >= wanted) {
                reply.resize(wanted);
                return ResultOk;
            }
            continue;
        }
        if (!port.IsOpen()) {
            // Nothing can arrive; let the time-out run out without spinning.
            clock.SleepUntil(deadline);
            continue;
        }
        port.WaitForBytes(deadline - clock.Now());
    }
    return ResultTimeout;
}

int Exchange(SerialPort& port, Clock& clock, const std::string& command, std::string& reply,
             int expected, int timeoutMs, const StaleReplyCheck& isStale, std::string* dropped) {
    if (command.size() % 2 != 0) {
        reply.clear();
        return ResultOddLength;
    }
    SendHex(port, command);
    return CollectReply(port, clock, reply, expected, timeoutMs, isStale, dropped);
}

bool Transact(const LinkContext& link, const std::string& command, std::string& reply, int expected,
              int timeoutMs, const std::string& expectedReply, int lateWaitMs, int attempts) {
    link.trace.ClearWhenFull();
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        link.trace.AppendLine("S:", command);
        const int result = Exchange(link.port, link.clock, command, reply, expected, timeoutMs);
        link.trace.AppendLine("R:", reply);
        if (result == ResultOk && (expectedReply.empty() || reply == expectedReply)) return true;
        if (lateWaitMs > 0 && attempt < attempts) WaitOutLateReply(link, lateWaitMs);
    }
    return false;
}

bool Transact(const LinkContext& link, RadioCommand id, std::string& reply,
              const std::string& argumentsHex) {
    const CommandEntry& entry = EntryOf(id);
    return Transact(link, CommandHex(id, argumentsHex), reply, entry.replyBytes, entry.timeoutMs,
                    entry.reply, entry.lateWaitMs, entry.attempts);
}

int ExchangeBlock(const LinkContext& link, RadioCommand id, const std::string& command,
                  std::string& reply, const StaleReplyCheck& isStale) {
    const CommandEntry& entry = EntryOf(id);
    int code = ResultTimeout;
    for (int attempt = 1; attempt <= entry.attempts && code == ResultTimeout; ++attempt) {
        DrainLine(link);
        link.trace.AppendLine("S:", command);
        std::string dropped;
        code = Exchange(link.port, link.clock, command, reply, entry.replyBytes, entry.timeoutMs,
                        isStale, &dropped);
        if (!dropped.empty()) link.trace.AppendLine("D:", dropped);
        link.trace.AppendLine("R:", reply);
        if (code == ResultTimeout && attempt < entry.attempts)
            WaitOutLateReply(link, entry.lateWaitMs);
    }
    return code;
}

void DiscardWaiting(SerialPort& port) {
    while (port.BytesWaiting() > 0) {
        if (port.ReadAll().empty()) break;
    }
}

void DrainLine(const LinkContext& link) {
    std::string drained;
    while (link.port.BytesWaiting() > 0) {
        const Bytes bytes = link.port.ReadAll();
        if (bytes.empty()) break;
        AppendHex(drained, bytes);
    }
    if (drained.empty()) return;
    // Bytes were on their way: the rest of that reply may still be coming. A bound keeps a
    // line full of noise from holding the transfer for ever.
    const Clock::time_point giveUp = link.clock.Now() + std::chrono::milliseconds(kDrainLimitMs);
    while (link.clock.Now() < giveUp &&
           link.port.WaitForBytes(std::chrono::milliseconds(kQuietLineMs))) {
        const Bytes bytes = link.port.ReadAll();
        if (bytes.empty()) break;
        AppendHex(drained, bytes);
    }
    link.trace.AppendLine("D:", drained);
}

void WaitOutLateReply(const LinkContext& link, int ms) {
    link.clock.SleepUntil(link.clock.Now() + std::chrono::milliseconds(ms));
    DrainLine(link);
}

}  // namespace vgr47
