#include "sim/simulated_radio.h"

#include <algorithm>
#include <cstring>

#include "link/transaction.h"

namespace vgr47::sim {

namespace {

constexpr std::uint8_t kNak = 0x15;
// The radio's block data begins with this byte, whatever the command asked.
constexpr std::uint8_t kBlockDataHeader = 'W';

const char* const kKindNames[kCommandKindCount] = {"stx", "program", "ack",  "refuse", "end",
                                                   "version", "inq", "read", "write",  "echo",
                                                   "tuning",  "testch", "align", "test"};

Bytes FromHex(const std::string& hex) {
    Bytes bytes;
    HexTextToBytes(hex, bytes);
    return bytes;
}

// How the radio recognises a command of the table: its fixed bytes, their length with the
// arguments, and whether data of the length its last argument gives follows (a block write).
struct Pattern {
    RadioCommand id;
    Bytes fixed;
    std::size_t head;
    bool sizedData;
};
const std::vector<Pattern>& Patterns() {
    static const std::vector<Pattern> patterns = [] {
        std::vector<Pattern> all;
        for (const CommandEntry& entry : ProtocolTable()) {
            Bytes fixed = FromHex(entry.bytes);
            const std::size_t head = fixed.size() + static_cast<std::size_t>(entry.argumentBytes);
            all.push_back(
                {entry.id, std::move(fixed), head, entry.blockLength && entry.dataBytes > 0});
        }
        return all;
    }();
    return patterns;
}

Bytes RequiredReply(RadioCommand id) { return FromHex(EntryOf(id).reply); }

std::size_t Address(const Bytes& command) {
    return static_cast<std::size_t>((command[1] << 8) | command[2]) % mem::kImageBytes;
}

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

CommandKind KindOf(RadioCommand id) {
    using C = RadioCommand;
    switch (id) {
        case C::HandshakeStart:
        case C::Identity:
        case C::TuningIdentity:
            return CommandKind::Stx;
        case C::Program:
            return CommandKind::Program;
        case C::IdentityAck:
        case C::BlockAck:
        case C::Ack:
            return CommandKind::Ack;
        case C::Refuse:
            return CommandKind::Refuse;
        case C::End:
            return CommandKind::End;
        case C::Version:
            return CommandKind::Version;
        case C::Inquiry:
            return CommandKind::Inquiry;
        case C::BlockRead:
            return CommandKind::BlockRead;
        case C::BlockWrite:
            return CommandKind::BlockWrite;
        case C::Echo:
            return CommandKind::Echo;
        case C::Tuning:
            return CommandKind::Tuning;
        case C::TestChannel:
            return CommandKind::TestChannel;
        case C::Alignment:
            return CommandKind::Alignment;
        default:
            return CommandKind::TestCommand;
    }
}

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
    identity_.resize(mem::kIdentityBytes, 0xFF);
    std::memcpy(&memory_[mem::kIdentity], identity_.data(), identity_.size());
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
    bool begun = false;
    for (const Pattern& p : Patterns()) {
        const std::size_t have = std::min(p.fixed.size(), pending_.size());
        if (!std::equal(p.fixed.begin(), p.fixed.begin() + have, pending_.begin())) continue;
        if (have < p.fixed.size()) {
            begun = true;
            continue;
        }
        *kind = KindOf(p.id);
        std::size_t length = p.head;
        if (pending_.size() < length) return std::nullopt;
        if (p.sizedData) length += pending_[length - 1];
        if (pending_.size() < length) return std::nullopt;
        return length;
    }
    if (begun) return std::nullopt;
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
                reply = RequiredReply(RadioCommand::HandshakeStart);
            }
            break;
        case CommandKind::Program:
        case CommandKind::Version:
            // A new session, as with 02 above; a refused request leaves the radio idle.
            ResetSession();
            requested_ = !refused;
            reply = RequiredReply(kind == CommandKind::Program ? RadioCommand::Program
                                                               : RadioCommand::Version);
            break;
        case CommandKind::Ack:
            if (requested_ && !refused) programming_ = true;
            reply = RequiredReply(RadioCommand::Ack);
            break;
        case CommandKind::Refuse:
            ResetSession();
            break;
        case CommandKind::End:
            ResetSession();
            reply = RequiredReply(RadioCommand::End);
            break;
        case CommandKind::Echo:
            reply = RequiredReply(RadioCommand::Echo);
            break;
        case CommandKind::Tuning:
            requested_ = true;
            test_ = TestState{};
            test_.active = true;
            reply = RequiredReply(RadioCommand::Tuning);
            break;
        case CommandKind::TestChannel: {
            if (!test_.active) return {};
            // The test channels are the radio's test frequency table, after the command's
            // two bytes.
            const int n =
                (command[1] >= 1 && command[1] <= mem::kTestFrequencyCount) ? command[1] : 1;
            reply = command;
            const std::size_t record = mem::kTestFrequencies + static_cast<std::size_t>(n - 1) *
                                                                   mem::kTestFrequencyRecordBytes;
            while (reply.size() <
                   static_cast<std::size_t>(EntryOf(RadioCommand::TestChannel).replyBytes))
                reply.push_back(memory_[record + reply.size() - command.size()]);
            break;
        }
        case CommandKind::Alignment:
            if (!test_.active) return {};
            reply = BlockReply(command, command[0]);
            break;
        case CommandKind::TestCommand:
            if (!test_.active) return {};
            reply = AnswerTestCommand(command);
            break;
        case CommandKind::Inquiry: {
            reply.assign(kFirmwareBytes, 0x00);
            for (std::size_t i = 0; i < firmware_.size() && i < kFirmwareBytes; ++i)
                reply[i] = static_cast<std::uint8_t>(firmware_[i]);
            for (int i = 0; i < kInquiryStampBytes; ++i)
                reply.push_back(memory_[mem::kVersionStamp + i]);
            break;
        }
        case CommandKind::BlockRead:
            if (!programming_) return {};
            reply = BlockReply(command, kBlockDataHeader);
            break;
        case CommandKind::BlockWrite: {
            if (!programming_) return {};
            if (!refused) {
                const bool corrupt = fault && fault->type == FaultType::Corrupt;
                const std::size_t address = Address(command);
                for (std::size_t i = kBlockHeaderBytes; i < command.size(); ++i)
                    memory_[(address + i - kBlockHeaderBytes) % kMemoryBytes] =
                        corrupt ? static_cast<std::uint8_t>(~command[i]) : command[i];
            }
            reply = RequiredReply(RadioCommand::BlockWrite);
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
                         RequiredReply(RadioCommand::Ack).front());
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

Bytes SimulatedRadio::BlockReply(const Bytes& command, std::uint8_t header) const {
    // The command's address and length after the header byte, then as many bytes of memory
    // from there as the length asks for.
    Bytes reply{header, command[1], command[2], command[3]};
    const std::size_t address = Address(command);
    for (std::size_t i = 0; i < command[3]; ++i)
        reply.push_back(memory_[(address + i) % kMemoryBytes]);
    return reply;
}

int SimulatedRadio::AlignmentValue(int itemCode) const {
    return memory_[mem::kTuningArea + static_cast<std::size_t>(itemCode) % mem::kTuningAreaBytes];
}

std::optional<RadioCommand> SimulatedRadio::TestCommandOf(const Bytes& command) const {
    // Some bytes mean one thing on the test panel and another while adjusting; of the
    // commands the state allows, the one with the most fixed bytes (CTM over CT k).
    auto allowed = [this](RadioCommand id) {
        switch (id) {
            case RadioCommand::TestWide:
            case RadioCommand::TestNarrow:
                return !test_.adjusting;
            case RadioCommand::AdjustWide:
            case RadioCommand::AdjustNarrow:
            case RadioCommand::Store:
                return test_.adjusting;
            default:
                return true;
        }
    };
    std::optional<RadioCommand> best;
    std::size_t bestFixed = 0;
    for (const Pattern& p : Patterns()) {
        if (KindOf(p.id) != CommandKind::TestCommand || !allowed(p.id)) continue;
        if (p.fixed.size() <= bestFixed || p.head != command.size()) continue;
        if (!std::equal(p.fixed.begin(), p.fixed.end(), command.begin())) continue;
        best = p.id;
        bestFixed = p.fixed.size();
    }
    return best;
}

Bytes SimulatedRadio::AnswerTestCommand(const Bytes& command) {
    const std::optional<RadioCommand> id = TestCommandOf(command);
    if (!id) return {};
    const std::uint8_t arg = command.back();
    const Bytes ack = RequiredReply(*id);
    // The command's bytes, the value, then acknowledges up to the reply's length.
    auto valueReply = [&](int value) {
        Bytes reply = command;
        reply.push_back(static_cast<std::uint8_t>(value));
        reply.resize(static_cast<std::size_t>(EntryOf(*id).replyBytes),
                     RequiredReply(RadioCommand::Ack).front());
        return reply;
    };
    switch (*id) {
        case RadioCommand::SelectChannel:
            if (arg < 1 || arg > mem::kTestFrequencyCount) return {};
            test_.channel = arg;
            return ack;
        case RadioCommand::SelectSignalling:
            test_.signalling = arg;
            return ack;
        case RadioCommand::TestWide:
        case RadioCommand::TestNarrow:
        case RadioCommand::AdjustWide:
        case RadioCommand::AdjustNarrow:
            // The test panel sends CBN for wide and CBW for narrow; the adjusting panel the
            // other way round.
            test_.narrow = *id == RadioCommand::TestNarrow || *id == RadioCommand::AdjustNarrow;
            test_.transmitting = false;
            if (!test_.adjusting) return ack;
            return valueReply(test_.item >= 0 ? test_.workingValue : 0);
        case RadioCommand::TransmitOn:
        case RadioCommand::TransmitOff:
            test_.transmitting = *id == RadioCommand::TransmitOn;
            return ack;
        case RadioCommand::EnterAdjusting:
            test_.adjusting = true;
            return ack;
        case RadioCommand::Tune:
            if (!test_.adjusting) return {};
            test_.item = arg;
            test_.workingValue = AlignmentValue(arg);
            return valueReply(test_.workingValue);
        case RadioCommand::LeaveAdjusting:
            test_.adjusting = false;
            test_.item = -1;
            return ack;
        case RadioCommand::SetValue:
            if (!test_.adjusting || test_.item < 0) return {};
            test_.workingValue = arg;
            return ack;
        case RadioCommand::Store:
            if (test_.item >= 0)
                memory_[mem::kTuningArea +
                        static_cast<std::size_t>(test_.item) % mem::kTuningAreaBytes] =
                    static_cast<std::uint8_t>(test_.workingValue);
            test_.item = -1;
            return ack;
        case RadioCommand::Discard:
            test_.item = -1;
            return ack;
        case RadioCommand::Exit:
            test_ = TestState{};
            ResetSession();
            return ack;
        default:
            return {};
    }
}

}  // namespace vgr47::sim
