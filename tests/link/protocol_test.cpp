// The protocol table against the radio's command list as the technicians' documents give it,
// written out here on its own, and the simulated radio answering every command from it.
#include "link/protocol.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "link/transaction.h"
#include "sim/simulated_radio.h"

namespace vgr47 {
namespace {

using C = RadioCommand;

struct Documented {
    C id;
    const char* sent;  // a complete command as the program sends it
    int reply;         // bytes awaited
    const char* must;  // the reply required, "" for any
    int ms;
    int lateWaitMs;
};

// Every command the program sends, with a typical argument.
const Documented kDocumented[] = {
    {C::HandshakeStart, "02", 1, "02", 300, 0},
    {C::Program, "50524F4752414D", 1, "06", 300, 0},
    {C::Identity, "02", 8, "", 500, 0},
    {C::IdentityAck, "06", 1, "06", 500, 0},
    {C::BlockRead, "52073010", 20, "", 1500, 1500},
    {C::BlockAck, "06", 1, "06", 300, 300},
    {C::BlockWrite, "57080010000102030405060708090A0B0C0D0E0F", 1, "06", 1500, 1500},
    {C::End, "45", 1, "06", 300, 0},
    {C::Refuse, "07", 0, "", 200, 0},
    {C::Version, "56455253494F4E", 1, "06", 1000, 0},
    {C::Ack, "06", 1, "06", 300, 0},
    {C::Inquiry, "494E51", 12, "", 300, 0},
    {C::Echo, "03", 1, "03", 300, 0},
    {C::Tuning, "54554E494E47", 1, "06", 300, 0},
    {C::TuningIdentity, "02", 8, "", 300, 0},
    {C::TestChannel, "4608", 10, "", 300, 0},
    {C::Alignment, "44074010", 20, "", 300, 0},
    {C::SelectChannel, "434601", 1, "06", 300, 0},
    {C::SelectSignalling, "4353CC", 1, "06", 300, 0},
    {C::TestWide, "43424E", 1, "06", 300, 0},
    {C::TestNarrow, "434257", 1, "06", 300, 0},
    {C::TransmitOn, "435054", 1, "06", 300, 0},
    {C::TransmitOff, "435052", 1, "06", 300, 0},
    {C::EnterAdjusting, "43544D", 1, "06", 300, 0},
    {C::LeaveAdjusting, "43474D", 1, "06", 1300, 0},
    {C::Tune, "43540F", 5, "", 300, 0},
    {C::SetValue, "4344FF", 1, "06", 500, 0},
    {C::AdjustWide, "434257", 5, "", 300, 0},
    {C::AdjustNarrow, "43424E", 5, "", 300, 0},
    {C::Store, "435344", 1, "06", 300, 0},
    {C::Discard, "435155", 1, "06", 300, 0},
    {C::Exit, "434545", 1, "06", 300, 0},
};

TEST(ProtocolTable, EveryCommandAsDocumented) {
    ASSERT_EQ(ProtocolTable().size(), std::size(kDocumented));
    for (const Documented& d : kDocumented) {
        const CommandEntry& entry = EntryOf(d.id);
        SCOPED_TRACE(entry.name);
        EXPECT_EQ(entry.id, d.id);
        const std::string sent = d.sent;
        EXPECT_EQ(sent.compare(0, std::string(entry.bytes).size(), entry.bytes), 0);
        EXPECT_EQ(CommandBytes(entry), static_cast<int>(sent.size() / 2));
        EXPECT_EQ(CommandHex(d.id, sent.substr(std::string(entry.bytes).size())), sent);
        EXPECT_EQ(entry.replyBytes, d.reply);
        EXPECT_STREQ(entry.reply, d.must);
        EXPECT_EQ(entry.timeoutMs, d.ms);
        EXPECT_EQ(entry.attempts, 3);
        EXPECT_EQ(entry.lateWaitMs, d.lateWaitMs);
    }
}

TEST(ProtocolTable, BytesThatMeanTwoThingsAreOneCommandToTheRadio) {
    // The radio tells these apart by its state only, so they must agree on kind and length.
    std::map<std::string, std::pair<sim::CommandKind, int>> seen;
    for (const CommandEntry& entry : ProtocolTable()) {
        SCOPED_TRACE(entry.name);
        const auto [it, fresh] =
            seen.try_emplace(entry.bytes, std::make_pair(sim::KindOf(entry.id), CommandBytes(entry)));
        if (!fresh) {
            EXPECT_EQ(it->second.first, sim::KindOf(entry.id));
            EXPECT_EQ(it->second.second, CommandBytes(entry));
        }
    }
    EXPECT_EQ(seen.size(), ProtocolTable().size() - 6);  // 02 x3, 06 x3, CBN x2, CBW x2
}

Bytes FromHex(const std::string& hex) {
    Bytes bytes;
    HexTextToBytes(hex, bytes);
    return bytes;
}

// Sends the command and returns the radio's reply as hex.
std::string Ask(sim::SimulatedRadio& radio, const std::string& hex) {
    std::string reply;
    for (const sim::ReplyPiece& piece : radio.Receive(FromHex(hex)))
        reply += BytesToHexText(piece.bytes);
    return reply;
}

// Each conversation in the order the program holds it; every reply is as long as the table
// says and is the reply required where one is.
TEST(SimulatedRadio, AnswersEveryCommandAsTheTableSays) {
    const std::vector<std::vector<C>> conversations = {
        {C::HandshakeStart, C::Program, C::Identity, C::IdentityAck, C::BlockRead, C::BlockAck,
         C::BlockWrite, C::End},
        {C::HandshakeStart, C::Program, C::Identity, C::Refuse},
        {C::Version, C::Identity, C::Ack, C::Inquiry, C::End},
        {C::Echo,
         C::Tuning,
         C::TuningIdentity,
         C::Ack,
         C::TestChannel,
         C::Alignment,
         C::Ack,
         C::End,
         C::SelectChannel,
         C::SelectSignalling,
         C::TestNarrow,
         C::TestWide,
         C::TransmitOn,
         C::TransmitOff,
         C::EnterAdjusting,
         C::Tune,
         C::SetValue,
         C::AdjustWide,
         C::AdjustNarrow,
         C::Store,
         C::Tune,
         C::Discard,
         C::LeaveAdjusting,
         C::Exit},
    };
    std::map<C, const char*> sent;
    for (const Documented& d : kDocumented) sent[d.id] = d.sent;
    std::set<C> answered;
    for (const auto& conversation : conversations) {
        sim::SimulatedRadio radio;
        for (C id : conversation) {
            const CommandEntry& entry = EntryOf(id);
            SCOPED_TRACE(entry.name);
            const std::string reply = Ask(radio, sent[id]);
            ASSERT_EQ(reply.size(), 2u * entry.replyBytes) << reply;
            if (*entry.reply) {
                EXPECT_EQ(reply, entry.reply);
            }
            answered.insert(id);
        }
    }
    EXPECT_EQ(answered.size(), ProtocolTable().size());
}

TEST(SimulatedRadio, TakesItsAddressesFromTheMemoryMap) {
    sim::SimulatedRadio radio("4B56323130410000");
    std::string memory = radio.MemoryHex();
    memory.replace(0x708 * 2, 16, "1122334455667788");  // test channel 2
    memory.replace(0x740 * 2 + 0x0B * 2, 2, "7F");      // alignment item 0B
    memory.replace(0x662 * 2, 4, "0505");               // version stamp
    ASSERT_TRUE(radio.LoadMemoryHex(memory));
    EXPECT_EQ(radio.memory()[0x650], 0x4B);  // the identity
    EXPECT_EQ(radio.AlignmentValue(0x0B), 0x7F);
    EXPECT_EQ(Ask(radio, "494E51").substr(20), "0505");
    Ask(radio, "0354554E494E470206");
    EXPECT_EQ(Ask(radio, "4602"), "46021122334455667788");
    EXPECT_EQ(Ask(radio, "44074010").substr(8), memory.substr(0x740 * 2, 32));
}

}  // namespace
}  // namespace vgr47
