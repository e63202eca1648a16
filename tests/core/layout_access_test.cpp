// Typed reads and writes of declared fields.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/codeplug_image.h"
#include "core/layout/codeplug_layout.h"

using namespace vgr47;
namespace fields = vgr47::layout::fields;

namespace {

CodeplugImage Filled(char digit, int bytes = layout::kImageBytes) {
    CodeplugImage image;
    image.InstallNew(std::string(2 * static_cast<std::size_t>(bytes), digit));
    return image;
}

// The image text with the bytes at the address replaced, for comparing whole images.
std::string With(std::string text, int address, const std::string& hex) {
    return text.replace(2 * static_cast<std::size_t>(address), hex.size(), hex);
}

}  // namespace

TEST(LayoutAccess, BitFieldsKeepTheOtherBitsOfTheirByte) {
    CodeplugImage image = Filled('0');
    ASSERT_TRUE(image.WriteBytes(0x065B, "A5"));  // 1010 0101
    const std::string before = image.image();
    EXPECT_EQ(layout::Read(image, fields::kKeysMonitor), 0);
    EXPECT_EQ(layout::Read(image, fields::kOptionsPower), 2);
    EXPECT_EQ(layout::Read(image, fields::kOptionsKeyLock), 1);
    EXPECT_EQ(layout::ReadFlag(image, fields::kOptionsUserSettings), true);
    EXPECT_EQ(layout::ReadFlag(image, fields::kOptionsDisableManualTuning), false);
    EXPECT_EQ(layout::ReadFlag(image, fields::kOptionsDisableSelfProgramming), true);

    EXPECT_TRUE(layout::Write(image, fields::kKeysMonitor, 3));
    EXPECT_EQ(image.image(), With(before, 0x065B, "BD"));  // 1011 1101
    EXPECT_TRUE(layout::Write(image, fields::kOptionsPower, 1));
    EXPECT_EQ(image.ReadBytes(0x065B, 1), "BB");  // 1011 1011
    EXPECT_TRUE(layout::WriteFlag(image, fields::kOptionsDisableManualTuning, true));
    EXPECT_TRUE(layout::WriteFlag(image, fields::kOptionsKeyLock, false));
    EXPECT_EQ(image.ReadBytes(0x065B, 1), "FA");  // 1111 1010
    EXPECT_EQ(layout::Read(image, fields::kKeysMonitor), 3);

    // A value wider than the field is refused, not masked into the neighbours.
    EXPECT_FALSE(layout::Write(image, fields::kKeysMonitor, 4));
    EXPECT_FALSE(layout::Write(image, fields::kOptionsPower, -1));
    EXPECT_EQ(image.ReadBytes(0x065B, 1), "FA");
}

TEST(LayoutAccess, NibblesBytesAndSixteenBitValues) {
    CodeplugImage image = Filled('F');
    ASSERT_TRUE(image.WriteBytes(0x0658, "55"));
    EXPECT_EQ(layout::Read(image, fields::kScanTxPause), 5);
    EXPECT_TRUE(layout::Write(image, fields::kScanDwell, 9));
    EXPECT_EQ(image.ReadBytes(0x0658, 1), "95");
    EXPECT_TRUE(layout::Write(image, fields::kScanTxPause, 0));
    EXPECT_EQ(image.ReadBytes(0x0658, 1), "90");
    EXPECT_FALSE(layout::Write(image, fields::kScanTxPause, 16));

    EXPECT_TRUE(layout::Write(image, fields::kScanPriority, 101));
    EXPECT_EQ(image.ReadBytes(0x065A, 1), "65");
    EXPECT_FALSE(layout::Write(image, fields::kScanPriority, 256));
    EXPECT_FALSE(layout::Write(image, fields::kScanPriority, -1));
    EXPECT_EQ(layout::Read(image, fields::kScanPriority), 101);

    EXPECT_TRUE(layout::Write(image, fields::kTwoToneGap, 300));
    EXPECT_EQ(image.ReadBytes(0x0B1C, 2), "2C01");
    EXPECT_EQ(layout::Read(image, fields::kTwoToneGap), 300);
    EXPECT_FALSE(layout::Write(image, fields::kTwoToneGap, 0x10000));
    EXPECT_EQ(layout::Read(image, fields::kTwoToneSetFlagsFill, 4), 0xF);
}

TEST(LayoutAccess, FlagsFollowTheirPolarity) {
    CodeplugImage image = Filled('F');
    EXPECT_EQ(layout::ReadFlag(image, fields::kChannelCompander, 5), false);  // 1 = off
    EXPECT_EQ(layout::ReadFlag(image, fields::kChannelTailElimination, 5), true);
    EXPECT_TRUE(layout::WriteFlag(image, fields::kChannelCompander, 5, true));
    EXPECT_EQ(image.ReadBytes(0x004C, 1), "FB");
    EXPECT_EQ(layout::Read(image, fields::kChannelCompander, 5), 0);
    EXPECT_TRUE(layout::WriteFlag(image, fields::kChannelBusyLock, 5, true));
    EXPECT_EQ(image.ReadBytes(0x004C, 1), "FA");
    // Only one-bit fields are flags.
    EXPECT_EQ(layout::ReadFlag(image, fields::kChannelScan, 5), std::nullopt);
    EXPECT_FALSE(layout::WriteFlag(image, fields::kChannelBusyLockMode, 5, true));
}

TEST(LayoutAccess, TextsArePaddedWithFfAndEndAtTheFirstFfOr00) {
    CodeplugImage image = Filled('F');
    EXPECT_TRUE(layout::WriteText(image, fields::kDtmfKillCode, "12345"));
    EXPECT_EQ(image.ReadBytes(0x0EF0, 10), "3132333435FFFFFFFFFF");
    EXPECT_EQ(layout::ReadText(image, fields::kDtmfKillCode), "12345");

    // Sixteen characters fill the entry with no FF; the next table is not touched.
    const std::string before = image.image();
    EXPECT_TRUE(layout::WriteText(image, fields::kDtmfCode, 8, "0123456789ABCD*#"));
    EXPECT_EQ(image.ReadBytes(0x0F70, 16), "30313233343536373839414243442A23");
    EXPECT_EQ(layout::ReadText(image, fields::kDtmfCode, 8), "0123456789ABCD*#");
    EXPECT_EQ(image.image(), With(before, 0x0F70, "30313233343536373839414243442A23"));

    // Only what fits is kept.
    EXPECT_TRUE(layout::WriteText(image, fields::kDtmfKillCode, "123456789ABC"));
    EXPECT_EQ(layout::ReadText(image, fields::kDtmfKillCode), "123456789A");
    ASSERT_TRUE(image.WriteBytes(0x0F80, "3132003334"));
    EXPECT_EQ(layout::ReadText(image, fields::kDtmfDigitCode, 1), "12");
    EXPECT_TRUE(layout::WriteText(image, fields::kDtmfDigitCode, 2, ""));
    EXPECT_EQ(image.ReadBytes(0x0F90, 16), std::string(32, 'F'));
}

TEST(LayoutAccess, FrequenciesAndTonesGoThroughTheCodecs) {
    CodeplugImage image = Filled('F');
    EXPECT_TRUE(layout::WriteFrequency(image, fields::kChannelRxFrequency, 1, 136.025));
    EXPECT_EQ(image.ReadBytes(0x0000, 4), "00256013");
    EXPECT_NEAR(*layout::ReadFrequency(image, fields::kChannelRxFrequency, 1), 136.025, 1e-9);
    EXPECT_TRUE(layout::WriteFrequency(image, fields::kTestFrequencyTx, 8, 66.125));
    EXPECT_EQ(image.ReadBytes(0x073C, 4), "00256106");

    // No frequency: FFFFFFFF and 00000000 read as 0; 0 writes FFFFFFFF.
    EXPECT_EQ(layout::ReadFrequency(image, fields::kChannelTxFrequency, 1), 0.0);
    ASSERT_TRUE(image.WriteBytes(0x0004, "00000000"));
    EXPECT_EQ(layout::ReadFrequency(image, fields::kChannelTxFrequency, 1), 0.0);
    EXPECT_TRUE(layout::WriteFrequency(image, fields::kChannelTxFrequency, 1, 0));
    EXPECT_EQ(image.ReadBytes(0x0004, 4), "FFFFFFFF");
    const std::string before = image.image();
    EXPECT_FALSE(layout::WriteFrequency(image, fields::kChannelRxFrequency, 1, -1));
    EXPECT_FALSE(layout::WriteFrequency(image, fields::kChannelRxFrequency, 1, NAN));
    EXPECT_FALSE(layout::WriteFrequency(image, fields::kChannelRxFrequency, 1, 1000.0));
    EXPECT_EQ(image.image(), before);

    const std::string off = "Off";
    const auto& tone = fields::kChannelDecodeTone;
    EXPECT_EQ(layout::ReadTone(image, tone, 99, off), off);
    const std::pair<const char*, const char*> codes[] = {
        {"88.5", "7503"}, {"254.1", "ED09"}, {"D023N", "1328"}, {"D754I", "ECA9"}, {"Off", "FFFF"}};
    for (auto [text, hex] : codes) {
        EXPECT_TRUE(layout::WriteTone(image, tone, 99, text, off)) << text;
        EXPECT_EQ(image.ReadBytes(0x0628, 2), hex);
        EXPECT_EQ(layout::ReadTone(image, tone, 99, off), text);
    }
    // A DCS code outside the table has no code word and is never stored.
    EXPECT_TRUE(layout::WriteTone(image, tone, 99, "D023N", off));
    EXPECT_FALSE(layout::WriteTone(image, tone, 99, "D999N", off));
    EXPECT_EQ(image.ReadBytes(0x0628, 2), "1328");
}

TEST(LayoutAccess, RecordsAreCountedFromOneAtTheirTableStart) {
    const auto& scan = fields::kChannelScan;
    EXPECT_EQ(layout::Address(scan, 1), 0x000F);
    EXPECT_EQ(layout::Address(scan, 99), 0x062F);
    EXPECT_EQ(layout::Address(scan, layout::kChannelA), 0x063F);
    EXPECT_EQ(layout::Address(scan, layout::kChannelB), 0x064F);
    EXPECT_EQ(layout::Address(scan, 0), std::nullopt);
    EXPECT_EQ(layout::Address(scan, 102), std::nullopt);
    EXPECT_EQ(layout::Address(fields::kChannelTxStartCode, 99), 0x0B10);
    EXPECT_EQ(layout::Address(fields::kChannelTxStartCode, layout::kChannelA), std::nullopt);
    EXPECT_EQ(layout::Address(fields::kAcsChannel, 8), 0x0E97);
    EXPECT_EQ(layout::Address(fields::kFiveToneDecodeAutoAnswer, 8), 0x0BDF);
    EXPECT_EQ(layout::Address(fields::kOptionsKeyLock), 0x065B);
    EXPECT_EQ(layout::Address(fields::kOptionsKeyLock, 1), std::nullopt);

    CodeplugImage image = Filled('F');
    const std::string before = image.image();
    EXPECT_TRUE(layout::Write(image, scan, layout::kChannelB, 0xB5));
    EXPECT_EQ(image.image(), With(before, 0x064F, "B5"));
    // A table field needs its record, a fixed field takes none.
    EXPECT_FALSE(layout::Write(image, scan, 0xB4));
    EXPECT_EQ(layout::Read(image, scan), std::nullopt);
    EXPECT_FALSE(layout::Write(image, fields::kScanPriority, 1, 5));
    EXPECT_EQ(image.image(), With(before, 0x064F, "B5"));
}

// A whole record decoded or built on its own: the same bits as in the image, at the field's
// offset inside the record.
TEST(LayoutAccess, FieldsInsideOneRecordsBytes) {
    std::string record(32, 'F');
    EXPECT_TRUE(layout::WriteFlagInRecord(record, fields::kChannelCompander, true));  // bit 2 = 0
    EXPECT_TRUE(layout::WriteInRecord(record, fields::kChannelBusyLockMode, 2));
    EXPECT_TRUE(layout::WriteInRecord(record, fields::kChannelScan, 0xB4));
    EXPECT_TRUE(layout::WriteHexInRecord(record, fields::kChannelRxFrequency, "12345678"));
    EXPECT_EQ(record, "12345678FFFFFFFFFFFFFFFFEBFFFFB4");
    EXPECT_EQ(layout::ReadFlagInRecord(record, fields::kChannelCompander), true);
    EXPECT_EQ(layout::ReadFlagInRecord(record, fields::kChannelTailElimination), true);
    EXPECT_EQ(layout::ReadInRecord(record, fields::kChannelBusyLockMode), 2);
    EXPECT_EQ(layout::ReadHexInRecord(record, fields::kChannelRxFrequency), "12345678");

    // The same record written into the image at channel 3 reads the same there.
    CodeplugImage image = Filled('F');
    ASSERT_TRUE(image.WriteBytes(*layout::Address(fields::kChannelRxFrequency, 3), record));
    EXPECT_EQ(layout::Read(image, fields::kChannelBusyLockMode, 3), 2);
    EXPECT_EQ(layout::ReadFlag(image, fields::kChannelCompander, 3), true);

    // A text too short for the field neither reads nor takes a write.
    std::string shortRecord = "12345678";
    EXPECT_EQ(layout::ReadInRecord(shortRecord, fields::kChannelScan), std::nullopt);
    EXPECT_FALSE(layout::WriteInRecord(shortRecord, fields::kChannelScan, 0xB5));
    EXPECT_EQ(shortRecord, "12345678");
}

TEST(LayoutAccess, AShortImageHasNoSignallingArea) {
    CodeplugImage image = Filled('F', layout::kBasicImageBytes);
    const std::string before = image.image();
    EXPECT_EQ(layout::Read(image, fields::kKeysA), std::nullopt);
    EXPECT_EQ(layout::ReadText(image, fields::kDtmfKillCode), std::nullopt);
    EXPECT_EQ(layout::Read(image, fields::kChannelTxStartCode, 1), std::nullopt);
    EXPECT_FALSE(layout::Write(image, fields::kKeysA, 1));
    EXPECT_FALSE(layout::WriteText(image, fields::kDtmfCode, 1, "12345"));
    EXPECT_FALSE(layout::WriteHex(image, fields::kTwoToneSetFill, 4, "FFFFFF"));
    EXPECT_FALSE(layout::WriteFlag(image, fields::kTwoToneSideTone, true));
    EXPECT_EQ(image.image(), before);
    // Its last bytes are there.
    EXPECT_TRUE(layout::WriteFrequency(image, fields::kTestFrequencyTx, 8, 145.5));
    EXPECT_EQ(image.ReadBytes(0x073C, 4), "00005514");
    EXPECT_EQ(image.byteCount(), static_cast<std::size_t>(layout::kBasicImageBytes));
}

TEST(LayoutAccess, BytesThatAreNotHexReadAsAbsent) {
    CodeplugImage image = Filled('F');
    image.SetImageText(With(image.image(), 0x065B, "ZZ"));
    const std::string before = image.image();
    EXPECT_EQ(layout::Read(image, fields::kKeysMonitor), std::nullopt);
    EXPECT_FALSE(layout::Write(image, fields::kKeysMonitor, 1));
    EXPECT_EQ(image.image(), before);
    // Lower-case digits, as an opened file may hold them, read as any others.
    image.SetImageText(With(image.image(), 0x065B, "f9"));
    EXPECT_EQ(layout::Read(image, fields::kKeysMonitor), 3);
    EXPECT_EQ(layout::ReadHex(image, fields::kOptionsKeyLock), "F9");
}

TEST(LayoutAccess, CallsThatDoNotSuitTheEncodingAreRefused) {
    CodeplugImage image = Filled('F');
    const std::string before = image.image();
    EXPECT_EQ(layout::Read(image, fields::kDtmfKillCode), std::nullopt);
    EXPECT_EQ(layout::Read(image, fields::kChannelRxFrequency, 1), std::nullopt);
    EXPECT_FALSE(layout::Write(image, fields::kChannelDecodeTone, 1, 0));
    EXPECT_EQ(layout::ReadText(image, fields::kChannelScan, 1), std::nullopt);
    EXPECT_FALSE(layout::WriteText(image, fields::kModelIdentity, "KV210A"));
    EXPECT_EQ(layout::ReadFrequency(image, fields::kChannelDecodeTone, 1), std::nullopt);
    EXPECT_FALSE(layout::WriteTone(image, fields::kChannelRxFrequency, 1, "88.5", "Off"));
    // Raw bytes: exactly the field's bytes, never a part of a byte.
    EXPECT_FALSE(layout::WriteHex(image, fields::kOptionsKeyLock, "01"));
    EXPECT_FALSE(layout::WriteHex(image, fields::kFileVersionStamp, "05"));
    EXPECT_FALSE(layout::WriteHex(image, fields::kFileVersionStamp, "050G"));
    EXPECT_EQ(image.image(), before);
    EXPECT_TRUE(layout::WriteHex(image, fields::kFileVersionStamp, "0505"));
    EXPECT_EQ(layout::ReadHex(image, fields::kFileVersionStamp), "0505");
}
