#include "sim/simulated_radio.h"

#include <cstring>

#include "link/transaction.h"

namespace vgr47::sim {

namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::size_t kIdentityAddress = 0x650;
constexpr std::size_t kVersionStampAddress = 0x662;
constexpr std::size_t kBlockHeaderBytes = 4;
constexpr std::size_t kTestChannelAddress = 0x700;
constexpr std::size_t kTestChannelBytes = 8;
constexpr std::size_t kAlignmentAddress = 0x740;

const char* const kKindNames[kCommandKindCount] = {"stx", "program", "ack",  "refuse", "end",
                                                   "version", "inq", "read", "write",  "echo",
                                                   "tuning",  "testch", "align", "test"};

struct Word {
    std::uint8_t first;
    const char* text;
    CommandKind kind;
};
const Word kWords[] = {{'P', "PROGRAM", CommandKind::Program},
                       {'V', "VERSION", CommandKind::Version},
                       {'I', "INQ", CommandKind::Inquiry},
                       {'T', "TUNING", CommandKind::Tuning}};

std::vector<std::string> SplitColons(const std::string& text) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == ':')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

std::optional<int> ParseCount(const std::string& text) {
    if (text.empty() || text.size() > 6) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::optional<Fault> ParseFault(const std::string& setting) {
    static const std::pair<const char*, FaultType> kTypes[] = {
        {"silent", FaultType::Silent},        {"late", FaultType::Late},
        {"pieces", FaultType::Pieces},        {"surplus", FaultType::Surplus},
        {"short", FaultType::Short},          {"refuse", FaultType::Refuse},
        {"wrong-echo", FaultType::WrongEcho}, {"corrupt", FaultType::Corrupt}};
    const std::vector<std::string> parts = SplitColons(setting);
    if (parts.size() < 3 || parts.size() > 5) return std::nullopt;
    Fault fault;
    bool typeFound = false;
    for (const auto& [name, type] : kTypes) {
        if (parts[0] == name) {
            fault.type = type;
            typeFound = true;
        }
    }
    bool kindFound = false;
    for (int k = 0; k < kCommandKindCount; ++k) {
        if (parts[1] == kKindNames[k]) {
            fault.kind = static_cast<CommandKind>(k);
            kindFound = true;
        }
    }
    if (!typeFound || !kindFound) return std::nullopt;
    const auto nth = ParseCount(parts[2]);
    if (!nth || *nth < 1) return std::nullopt;
    fault.nth = *nth;
    if (parts.size() > 3) {
        const auto times = ParseCount(parts[3]);
        if (!times || *times < 1) return std::nullopt;
        fault.times = *times;
    }
    if (parts.size() > 4) {
        const auto value = ParseCount(parts[4]);
        if (!value) return std::nullopt;
        fault.value = *value;
    }
    return fault;
}

SimulatedRadio::SimulatedRadio(const std::string& identityHex, std::string firmware)
    : identityHex_(identityHex), firmware_(std::move(firmware)) {
    memory_.fill(0xFF);
    HexTextToBytes(identityHex_, identity_);
    identity_.resize(8, 0xFF);
    std::memcpy(&memory_[kIdentityAddress], identity_.data(), identity_.size());
}

std::string SimulatedRadio::MemoryHex(std::size_t bytes) const {
    if (bytes > kMemoryBytes) bytes = kMemoryBytes;
    return BytesToHexText(Bytes(memory_.begin(), memory_.begin() + bytes));
}

bool SimulatedRadio::LoadMemoryHex(const std::string& hex) {
    Bytes bytes;
    if (hex.size() % 2 != 0 || static_cast<std::size_t>(HexTextToBytes(hex, bytes)) * 2 != hex.size() ||
        bytes.size() > kMemoryBytes)
        return false;
    std::memcpy(memory_.data(), bytes.data(), bytes.size());
    return true;
}

std::optional<std::size_t> SimulatedRadio::CommandLength(CommandKind* kind) const {
    // nullopt: more bytes are needed; 0: the first byte starts no command and is dropped.
    const std::uint8_t first = pending_[0];
    switch (first) {
        case 0x02: *kind = CommandKind::Stx; return 1;
        case 0x06: *kind = CommandKind::Ack; return 1;
        case 0x07: *kind = CommandKind::Refuse; return 1;
        case 'E': *kind = CommandKind::End; return 1;
        case 0x03: *kind = CommandKind::Echo; return 1;
        case 'F':
            *kind = CommandKind::TestChannel;
            if (pending_.size() < 2) return std::nullopt;
            return 2;
        case 'D':
            *kind = CommandKind::Alignment;
            if (pending_.size() < 4) return std::nullopt;
            return 4;
        case 'C':
            *kind = CommandKind::TestCommand;
            if (pending_.size() < 3) return std::nullopt;
            return 3;
        case 'R':
            *kind = CommandKind::BlockRead;
            if (pending_.size() < 4) return std::nullopt;
            return 4;
        case 'W':
            *kind = CommandKind::BlockWrite;
            if (pending_.size() < 4) return std::nullopt;
            if (pending_.size() < 4u + pending_[3]) return std::nullopt;
            return 4u + pending_[3];
        default:
            break;
    }
    for (const Word& word : kWords) {
        if (first != word.first) continue;
        const std::size_t length = std::strlen(word.text);
        const std::size_t have = std::min(length, pending_.size());
        if (std::memcmp(pending_.data(), word.text, have) != 0) return 0;
        if (have < length) return std::nullopt;
        *kind = word.kind;
        return length;
    }
    return 0;
}

void SimulatedRadio::ForgetIdleHandshake(CommandKind kind,
                                         std::chrono::steady_clock::time_point at) {
    const bool idle = lastCommand_ && at - *lastCommand_ > kIdleTimeout;
    lastCommand_ = at;
    if (!idle || programming_ || test_.active || !requested_) return;
    if (identitySent_ && (kind == CommandKind::Ack || kind == CommandKind::Refuse)) return;
    ResetSession();
}

std::vector<ReplyPiece> SimulatedRadio::Receive(
    const Bytes& bytes, std::optional<std::chrono::steady_clock::time_point> at) {
    // Half a command left from long ago is forgotten with the rest.
    if (at && lastCommand_ && *at - *lastCommand_ > kIdleTimeout) pending_.clear();
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    std::vector<ReplyPiece> replies;
    while (!pending_.empty()) {
        CommandKind kind = CommandKind::Stx;
        const std::optional<std::size_t> length = CommandLength(&kind);
        if (!length) break;
        if (*length == 0) {
            pending_.erase(pending_.begin());
            continue;
        }
        const Bytes command(pending_.begin(), pending_.begin() + *length);
        pending_.erase(pending_.begin(), pending_.begin() + *length);
        if (at) ForgetIdleHandshake(kind, *at);
        for (ReplyPiece& piece : Answer(kind, command)) replies.push_back(std::move(piece));
    }
    return replies;
}

const Fault* SimulatedRadio::FaultFor(CommandKind kind, int count) const {
    for (const Fault& fault : faults_) {
        if (fault.kind == kind && count >= fault.nth && count < fault.nth + fault.times)
            return &fault;
    }
    return nullptr;
}

void SimulatedRadio::ResetSession() {
    requested_ = false;
    identitySent_ = false;
    programming_ = false;
}

std::vector<ReplyPiece> SimulatedRadio::Answer(CommandKind kind, const Bytes& command) {
    const int count = ++counts_[static_cast<int>(kind)];
    const Fault* fault = FaultFor(kind, count);
    if (fault && fault->type == FaultType::Silent) return {};
    const bool refused = fault && fault->type == FaultType::Refuse;

    Bytes reply;
    switch (kind) {
        case CommandKind::Stx:
            // No 02 belongs in programming mode: it is a new handshake from a program that
            // left without the end command (a write stops so after a refused block).
            if (programming_) ResetSession();
            if (requested_) {
                reply = identity_;
                identitySent_ = true;
            } else {
                reply = {0x02};
            }
            break;
        case CommandKind::Program:
        case CommandKind::Version:
            // A new session, as with 02 above; a refused request leaves the radio idle.
            ResetSession();
            requested_ = !refused;
            reply = {kAck};
            break;
        case CommandKind::Ack:
            if (requested_ && !refused) programming_ = true;
            reply = {kAck};
            break;
        case CommandKind::Refuse:
            ResetSession();
            break;
        case CommandKind::End:
            ResetSession();
            reply = {kAck};
            break;
        case CommandKind::Echo:
            reply = {0x03};
            break;
        case CommandKind::Tuning:
            requested_ = true;
            test_ = TestState{};
            test_.active = true;
            reply = {kAck};
            break;
        case CommandKind::TestChannel: {
            if (!test_.active) return {};
            // The test channels are the radio's test frequency table.
            const int n = (command[1] >= 1 && command[1] <= 8) ? command[1] : 1;
            reply = {command[0], command[1]};
            for (std::size_t i = 0; i < kTestChannelBytes; ++i)
                reply.push_back(memory_[kTestChannelAddress + (n - 1) * kTestChannelBytes + i]);
            break;
        }
        case CommandKind::Alignment: {
            if (!test_.active) return {};
            const std::size_t address = ((command[1] << 8) | command[2]) % kMemoryBytes;
            reply = {command[0], command[1], command[2], command[3]};
            for (std::size_t i = 0; i < command[3]; ++i) reply.push_back(memory_[(address + i) % kMemoryBytes]);
            break;
        }
        case CommandKind::TestCommand:
            if (!test_.active) return {};
            reply = AnswerTestCommand(command);
            break;
        case CommandKind::Inquiry: {
            reply.assign(kFirmwareBytes, 0x00);
            for (std::size_t i = 0; i < firmware_.size() && i < kFirmwareBytes; ++i)
                reply[i] = static_cast<std::uint8_t>(firmware_[i]);
            reply.push_back(memory_[kVersionStampAddress]);
            reply.push_back(memory_[kVersionStampAddress + 1]);
            break;
        }
        case CommandKind::BlockRead: {
            if (!programming_) return {};
            const std::size_t address = ((command[1] << 8) | command[2]) % kMemoryBytes;
            reply = {'W', command[1], command[2], command[3]};
            for (std::size_t i = 0; i < command[3]; ++i)
                reply.push_back(memory_[(address + i) % kMemoryBytes]);
            break;
        }
        case CommandKind::BlockWrite: {
            if (!programming_) return {};
            if (!refused) {
                const bool corrupt = fault && fault->type == FaultType::Corrupt;
                const std::size_t address = ((command[1] << 8) | command[2]) % kMemoryBytes;
                for (std::size_t i = kBlockHeaderBytes; i < command.size(); ++i)
                    memory_[(address + i - kBlockHeaderBytes) % kMemoryBytes] =
                        corrupt ? static_cast<std::uint8_t>(~command[i]) : command[i];
            }
            reply = {kAck};
            break;
        }
    }
    if (reply.empty()) return {};

    std::vector<ReplyPiece> pieces;
    if (!fault) {
        pieces.push_back({std::chrono::milliseconds(0), std::move(reply)});
        return pieces;
    }
    const std::chrono::milliseconds value(fault->value);
    switch (fault->type) {
        case FaultType::Silent:
            break;
        case FaultType::Corrupt:
            // Only what is stored is wrong; the reply is as usual.
            pieces.push_back({std::chrono::milliseconds(0), reply});
            break;
        case FaultType::Refuse:
            reply.assign(1, kNak);
            pieces.push_back({std::chrono::milliseconds(0), reply});
            break;
        case FaultType::WrongEcho:
            reply[0] ^= 0x01;
            pieces.push_back({std::chrono::milliseconds(0), reply});
            break;
        case FaultType::Short:
            reply.pop_back();
            if (!reply.empty()) pieces.push_back({std::chrono::milliseconds(0), reply});
            break;
        case FaultType::Surplus:
            reply.insert(reply.end(), static_cast<std::size_t>(fault->value > 0 ? fault->value : 1),
                         kAck);
            pieces.push_back({std::chrono::milliseconds(0), reply});
            break;
        case FaultType::Late:
            pieces.push_back({value, reply});
            break;
        case FaultType::Pieces: {
            const std::size_t half = reply.size() / 2;
            if (half == 0) {
                pieces.push_back({value, reply});
                break;
            }
            pieces.push_back({std::chrono::milliseconds(0), Bytes(reply.begin(), reply.begin() + half)});
            pieces.push_back({value, Bytes(reply.begin() + half, reply.end())});
            break;
        }
    }
    return pieces;
}

int SimulatedRadio::AlignmentValue(int itemCode) const {
    return memory_[kAlignmentAddress + (static_cast<std::size_t>(itemCode) & 0x3F)];
}

Bytes SimulatedRadio::AnswerTestCommand(const Bytes& command) {
    const std::uint8_t what = command[1];
    const std::uint8_t arg = command[2];
    const Bytes ack{kAck};
    auto valueReply = [&](int value) {
        return Bytes{command[0], command[1], command[2], static_cast<std::uint8_t>(value), kAck};
    };
    // 43 53 44 is the store command while adjusting, else the signalling position 0x44.
    if (what == 'S' && arg == 'D' && test_.adjusting) {
        if (test_.item >= 0) memory_[kAlignmentAddress + (test_.item & 0x3F)] = static_cast<std::uint8_t>(test_.workingValue);
        test_.item = -1;
        return ack;
    }
    switch (what) {
        case 'F':
            if (arg < 1 || arg > 8) return {};
            test_.channel = arg;
            return ack;
        case 'S':
            test_.signalling = arg;
            return ack;
        case 'B': {
            if (arg != 'N' && arg != 'W') return {};
            // The test panel sends N for wide and W for narrow; the adjusting panel the other
            // way round.
            test_.narrow = (arg == 'W') != test_.adjusting;
            test_.transmitting = false;
            if (!test_.adjusting) return ack;
            return valueReply(test_.item >= 0 ? test_.workingValue : 0);
        }
        case 'P':
            if (arg != 'T' && arg != 'R') return {};
            test_.transmitting = arg == 'T';
            return ack;
        case 'T':
            if (arg == 'M') {
                test_.adjusting = true;
                return ack;
            }
            if (!test_.adjusting) return {};
            test_.item = arg;
            test_.workingValue = AlignmentValue(arg);
            return valueReply(test_.workingValue);
        case 'G':
            if (arg != 'M') return {};
            test_.adjusting = false;
            test_.item = -1;
            return ack;
        case 'D':
            if (!test_.adjusting || test_.item < 0) return {};
            test_.workingValue = arg;
            return ack;
        case 'Q':
            if (arg != 'U') return {};
            test_.item = -1;
            return ack;
        case 'E':
            if (arg != 'E') return {};
            test_ = TestState{};
            ResetSession();
            return ack;
        default:
            return {};
    }
}

}  // namespace vgr47::sim
