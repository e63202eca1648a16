// Test doubles for the radio link: a port that sits between an engine and the simulated
// radio, notes when each command went out and can slip extra bytes onto the line (a reply
// that arrives too late, say); with it the shared Messages double that records what the user
// was told.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "link/clock.h"
#include "link/serial_port.h"
#include "link/transaction.h"
#include "link/transfer_report.h"
#include "tests/support/recording_messages.h"

namespace vgr47::testing {

// The text catalogue as the link tests see it.
inline std::string NumberedText(int number) { return "text " + std::to_string(number); }

// Tells the user what the dialog or the command line would about the result's failure.
template <typename Result>
Result Told(Result result, Messages& messages) {
    if (result.failure) messages.ShowWarning(FailureText(*result.failure, NumberedText));
    return result;
}

class LineTap final : public SerialPort {
  public:
    LineTap(SerialPort& inner, Clock& clock) : inner_(inner), clock_(clock) {}

    struct Sent {
        Clock::time_point at;
        std::string hex;
    };
    // After the nth write (1-based) of `commandHex`, `bytesHex` is waiting at once, ahead of
    // anything the radio sends.
    void InjectAfter(const std::string& commandHex, int nth, const std::string& bytesHex) {
        rules_.push_back({commandHex, nth, bytesHex});
    }
    const std::vector<Sent>& sent() const { return sent_; }
    // When the nth sending (1-based) of the command went out; epoch when it never did.
    Clock::time_point SentAt(const std::string& hex, int nth = 1) const {
        for (const Sent& s : sent_)
            if (s.hex == hex && --nth == 0) return s.at;
        return {};
    }
    int Count(const std::string& hex) const {
        int n = 0;
        for (const Sent& s : sent_) n += s.hex == hex;
        return n;
    }

    OpenResult Open(const std::string& name) override { return inner_.Open(name); }
    void Close() override {
        injected_.clear();
        inner_.Close();
    }
    bool IsOpen() const override { return inner_.IsOpen(); }
    std::size_t BytesWaiting() override { return injected_.size() + inner_.BytesWaiting(); }
    Bytes ReadAll() override {
        Bytes bytes(injected_.begin(), injected_.end());
        injected_.clear();
        const Bytes more = inner_.ReadAll();
        bytes.insert(bytes.end(), more.begin(), more.end());
        return bytes;
    }
    void Write(const Bytes& bytes) override {
        const std::string hex = BytesToHexText(bytes);
        sent_.push_back({clock_.Now(), hex});
        inner_.Write(bytes);
        for (Rule& rule : rules_) {
            if (rule.command != hex || --rule.nth != 0) continue;
            Bytes extra;
            HexTextToBytes(rule.bytes, extra);
            injected_.insert(injected_.end(), extra.begin(), extra.end());
        }
    }
    bool WaitForBytes(std::chrono::steady_clock::duration atMost) override {
        if (!injected_.empty()) return true;
        return inner_.WaitForBytes(atMost);
    }

  private:
    struct Rule {
        std::string command;
        int nth;
        std::string bytes;
    };
    SerialPort& inner_;
    Clock& clock_;
    std::vector<Rule> rules_;
    std::vector<Sent> sent_;
    std::deque<std::uint8_t> injected_;
};

// Upper-case hex of a block address as the read and write commands carry it ("0730").
inline std::string AddressHex(int address) {
    return BytesToHexText(
        {static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address)});
}

// Where two images first differ, in bytes: -1 when they are equal, so that a failure names
// the place instead of printing kilobytes of hex.
inline long FirstDifference(const std::string& a, const std::string& b) {
    if (a == b) return -1;
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return static_cast<long>(i / 2);
}

}  // namespace vgr47::testing
