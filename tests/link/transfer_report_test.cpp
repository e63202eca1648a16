// The status and closing lines as the dealer reads them, from the real text catalogue.
#include "link/transfer_report.h"

#include <gtest/gtest.h>

#include "core/memory_map.h"
#include "core/text_catalogue.h"

namespace vgr47 {
namespace {

const std::string kCatalogue = std::string(VGR47_SOURCE_DIR) + "/resources/language.sys";

struct Texts {
    explicit Texts(int offset) : catalogue(kCatalogue, offset) {}
    TextLookup lookup() const {
        return [this](int n) { return catalogue.GetText(n); };
    }
    TextCatalogue catalogue;
};

TEST(TransferReport, PlaceholdersAndNames) {
    EXPECT_EQ(FillText("%2 of %1, %3%", {"a", "b"}), "b of a, %3%");
    EXPECT_EQ(FillText("100%", {}), "100%");
    EXPECT_EQ(CompactName("KV220AT  (UHF:438-480MHz) "), "KV220AT (UHF:438-480MHz)");
    EXPECT_EQ(AddressText(0x120), "0120");
}

TEST(TransferReport, EveryAddressNamesItsChannelOrForm) {
    const Texts en(kEnglishOffset);
    const TextLookup T = en.lookup();
    EXPECT_EQ(AddressOwner(0x0000, T), "channel 1");
    EXPECT_EQ(AddressOwner(0x0120, T), "channel 19");
    EXPECT_EQ(AddressOwner(0x062F, T), "channel 99");
    EXPECT_EQ(AddressOwner(0x0630, T), "channel A");
    EXPECT_EQ(AddressOwner(0x064F, T), "channel B");
    EXPECT_EQ(AddressOwner(mem::ChannelExtensionAddress(19) + 7, T), "channel 19");
    EXPECT_EQ(AddressOwner(0x0650, T), "Model information");
    EXPECT_EQ(AddressOwner(0x0659, T), "Scan");
    EXPECT_EQ(AddressOwner(0x065E, T), "Optional features");
    EXPECT_EQ(AddressOwner(0x0663, T), "PC software version");
    EXPECT_EQ(AddressOwner(0x0705, T), "Test frequencies");
    EXPECT_EQ(AddressOwner(0x0B20, T), "2-Tone");
    EXPECT_EQ(AddressOwner(0x0BE1, T), "5-Tone system parameters");
    EXPECT_EQ(AddressOwner(0x0BFD, T), "Key settings");
    EXPECT_EQ(AddressOwner(0x0C10, T), "Signalling encode/decode");
    EXPECT_EQ(AddressOwner(0x0E95, T), "Auto channel select");
    EXPECT_EQ(AddressOwner(0x0F85, T), "DTMF");
    EXPECT_EQ(AddressOwner(0x0664, T), "");  // no form shows it
    EXPECT_EQ(DifferenceText(0x0120, T), "The radio holds different data at 0x0120 (channel 19)");
    EXPECT_EQ(DifferenceText(0x0680, T),
              "The radio holds different data at 0x0680 (not shown in any form)");

    const Texts zh(kChineseOffset);
    EXPECT_EQ(AddressOwner(0x0659, zh.lookup()), "\xE6\x89\xAB\xE6\x8F\x8F");  // 扫描
    EXPECT_EQ(AddressOwner(0x0120, zh.lookup()), "\xE4\xBF\xA1\xE9\x81\x93 19");
}

TEST(TransferReport, StatusLineFollowsPhaseAndBlock) {
    const Texts en(kEnglishOffset);
    const TextLookup T = en.lookup();
    EXPECT_EQ(StatusLine(false, TransferPhase::Transferring, 4, 243, T), "Reading block 5 of 244");
    EXPECT_EQ(StatusLine(true, TransferPhase::Transferring, 115, 115, T),
              "Writing block 116 of 116");
    EXPECT_EQ(StatusLine(true, TransferPhase::Verifying, 0, 243, T),
              "Verifying: reading block 1 of 244");
    EXPECT_EQ(StatusLine(true, TransferPhase::Connecting, -1, -1, T), "Connecting to the radio...");
}

TEST(TransferReport, ClosingLines) {
    const Texts en(kEnglishOffset);
    const TextLookup T = en.lookup();
    ReadResult read;
    read.outcome = ReadOutcome::Completed;
    read.blockCount = 244;
    EXPECT_EQ(ReadClosingLine(read, "KV220AT  (UHF:438-480MHz)", T),
              "Read complete: KV220AT (UHF:438-480MHz), 244 blocks");
    read.outcome = ReadOutcome::BlockTimeout;
    read.failedAddress = 0x120;
    EXPECT_EQ(ReadClosingLine(read, "", T),
              "Failed at block 0x0120: the codeplug in the window is unchanged");
    read.outcome = ReadOutcome::Cancelled;
    read.blocksDone = 52;
    EXPECT_EQ(ReadClosingLine(read, "", T),
              "Stopped at block 52 of 244: the codeplug in the window is unchanged");
    read.outcome = ReadOutcome::HandshakeFailed;
    EXPECT_EQ(ReadClosingLine(read, "", T),
              "Failed before the first block: the codeplug in the window is unchanged");

    WriteResult write;
    write.outcome = WriteOutcome::Completed;
    EXPECT_EQ(WriteClosingLine(write, T), "Written");
    write.verify = VerifyOutcome::Verified;
    EXPECT_EQ(WriteClosingLine(write, T), "Written and verified");
    write.verify = VerifyOutcome::NotVerified;
    EXPECT_EQ(WriteClosingLine(write, T), "Written, not verified: the read-back failed");
    write.verify = VerifyOutcome::Differs;
    write.differingAddress = 0x0C10;
    EXPECT_EQ(WriteClosingLine(write, T),
              "The radio holds different data at 0x0C10 (Signalling encode/decode)");
    write.outcome = WriteOutcome::Cancelled;
    write.blocksDone = 52;
    write.blockCount = 244;
    EXPECT_EQ(WriteClosingLine(write, T),
              "Stopped at block 52 of 244: the radio is only partly programmed");
    write.blocksDone = 0;
    EXPECT_EQ(WriteClosingLine(write, T), "Stopped before the first block: the radio is unchanged");
    write.outcome = WriteOutcome::BlockRefused;
    write.failedAddress = 0x7F0;
    EXPECT_EQ(WriteClosingLine(write, T),
              "Failed at block 0x07F0: the radio is only partly programmed");
    write.outcome = WriteOutcome::ModelDeclined;
    EXPECT_EQ(WriteClosingLine(write, T), "Not written: the radio is another model");
}

}  // namespace
}  // namespace vgr47
