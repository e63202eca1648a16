#include "sim/simulated_port.h"

#include <algorithm>

#include "link/transaction.h"

namespace vgr47::sim {

Clock::duration SimulatedPort::ByteTime() {
    // 1 start bit, 8 data bits, 1 stop bit at 9600 baud.
    return std::chrono::duration_cast<Clock::duration>(std::chrono::microseconds(10'000'000) /
                                                       9600);
}

OpenResult SimulatedPort::Open(const std::string& name) {
    if (open_) return {};
    if (!openFailure_.ok()) {
        OpenResult failure = openFailure_;
        openFailure_ = {};
        return failure;
    }
    open_ = true;
    ++openCount_;
    portName_ = name;
    return {};
}

void SimulatedPort::Close() {
    open_ = false;
    arrivals_.clear();
}

std::size_t SimulatedPort::BytesWaiting() {
    if (!open_) return 0;
    const Clock::time_point now = clock_.Now();
    std::size_t n = 0;
    for (const Arrival& a : arrivals_) {
        if (a.at > now) break;
        ++n;
    }
    return n;
}

Bytes SimulatedPort::ReadAll() {
    Bytes bytes;
    if (!open_) return bytes;
    const Clock::time_point now = clock_.Now();
    while (!arrivals_.empty() && arrivals_.front().at <= now && bytes.size() < kMaxReadBytes) {
        bytes.push_back(arrivals_.front().byte);
        arrivals_.pop_front();
    }
    return bytes;
}

void SimulatedPort::Schedule(Clock::time_point at, const Bytes& bytes) {
    for (std::uint8_t b : bytes) {
        if (paced_) {
            at = std::max(at, lineFromRadioFree_) + ByteTime();
            lineFromRadioFree_ = at;
        }
        Arrival arrival{at, b};
        auto pos = std::upper_bound(
            arrivals_.begin(), arrivals_.end(), arrival,
            [](const Arrival& x, const Arrival& y) { return x.at < y.at; });
        arrivals_.insert(pos, arrival);
    }
}

void SimulatedPort::Write(const Bytes& bytes) {
    if (!open_) return;
    writes_.push_back(BytesToHexText(bytes));
    Clock::time_point received = clock_.Now();
    if (paced_) {
        received = std::max(received, lineToRadioFree_) +
                   ByteTime() * static_cast<Clock::duration::rep>(bytes.size());
        lineToRadioFree_ = received;
    }
    for (const ReplyPiece& piece : radio_.Receive(bytes, received))
        Schedule(received + piece.delay, piece.bytes);
}

std::optional<Clock::time_point> SimulatedPort::NextArrival() const {
    if (!open_ || arrivals_.empty()) return std::nullopt;
    return arrivals_.front().at;
}

bool SimulatedPort::WaitForBytes(std::chrono::steady_clock::duration atMost) {
    if (!open_) return false;
    if (BytesWaiting() > 0) return true;
    Clock::time_point until = clock_.Now() + atMost;
    if (!arrivals_.empty()) until = std::min(until, arrivals_.front().at);
    clock_.SleepUntil(until);
    return BytesWaiting() > 0;
}

}  // namespace vgr47::sim
