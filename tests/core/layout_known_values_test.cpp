// The declaration read against images whose values are known: the default images and
// hand-built channel records.
#include <gtest/gtest.h>

#include <string>

#include "core/codeplug_image.h"
#include "core/layout/codeplug_layout.h"
#include "core/model_catalogue.h"

using namespace vgr47;
namespace fields = vgr47::layout::fields;

namespace {

constexpr int kBasicModel = 0;       // KV210A, 136-174 MHz
constexpr int kSignallingModel = 8;  // KV210T, 136-174 MHz

CodeplugImage DefaultImage(int model) {
    ModelState state;
    CodeplugImage image;
    image.InstallNew(BuildModelImage(state, ModelCatalogue()[model].identity));
    return image;
}

struct Known {
    const layout::Field& field;
    int record;
    int value;
};

// Values the forms show for a default image, as their list indexes or bit values.
const Known kKnown[] = {
    {fields::kKeysMonitor, 0, 3},  // 0x065B = F9
    {fields::kOptionsKeyLock, 0, 1},
    {fields::kOptionsPower, 0, 0},
    {fields::kOptionsUserSettings, 0, 1},
    {fields::kOptionsDisableManualTuning, 0, 1},
    {fields::kOptionsDisableSelfProgramming, 0, 1},
    {fields::kScanTxPause, 0, 5},  // 0x0658 = 55
    {fields::kScanDwell, 0, 5},
    {fields::kScanFunction, 0, 3},  // 0x0659 = F3
    {fields::kScanRevert, 0, 4},
    {fields::kScanPriority, 0, 0},
    {fields::kOptionsSquelch, 0, 3},
    {fields::kOptionsTot, 0, 2},
    {fields::kOptionsTotRekey, 0, 0},
    {fields::kOptionsTotPrealert, 0, 0},
    {fields::kOptionsTotReset, 0, 0},
    {fields::kOptionsPowerOn, 0, 1},  // 0x0660 = FB
    {fields::kScanPowerOnScan, 0, 1},
    {fields::kOptionsPttMode, 0, 3},
    {fields::kOptionsAutoAnswerDelay, 0, 0xFF},
    {fields::kScanSignallingHold, 0, 40},  // 2000 ms
    {fields::kChannelScan, 1, 0xFF},
    {fields::kChannelScan, layout::kChannelB, 0xFF},
    {fields::kTwoToneSideTone, 0, 1},
    {fields::kTwoToneFirstDuration, 0, 10},
    {fields::kTwoToneSecondDuration, 0, 40},
    {fields::kTwoToneLongDuration, 0, 50},
    {fields::kTwoToneGap, 0, 0},
    {fields::kTwoToneSetFirst, 1, 0},  // A-B
    {fields::kTwoToneSetSecond, 4, 0xFF},
    {fields::kTwoToneSetToneA, 2, 4200},
    {fields::kTwoToneSetAutoReset, 3, 10},
    {fields::kTwoToneSetCallAlert, 1, 2},
    {fields::kTwoToneSetAutoAnswer, 1, 0},
    {fields::kTwoToneEncodeFirstTone, 1, 4200},  // 420.0 Hz
    {fields::kTwoToneEncodeSecondTone, 1, 9281},
    {fields::kTwoToneEncodeFirstTone, 2, 0xFFFF},
    {fields::kFiveToneDecodeDigits1, 1, 5},
    {fields::kFiveToneDecodeDigits2, 1, 0xF},
    {fields::kFiveToneDecodeDigits3, 8, 0xF},
    {fields::kFiveToneStandard, 0, 4},
    {fields::kFiveToneTonePeriod, 0, 40},
    {fields::kFiveToneRxInterval, 0, 60},
    {fields::kFiveToneGroupCall, 0, 0xFF},
    {fields::kFiveToneMinDecode, 0, 30},
    {fields::kFiveToneMaxDecode, 0, 60},
    {fields::kFiveToneFirstDigit, 0, 1000},
    {fields::kFiveToneDelay2Code, 0, 0xF},
    {fields::kFiveToneSideTone, 0, 1},  // 0x0BF6 = FE
    {fields::kFiveToneClearAutoAnswer, 0, 0},
    {fields::kFiveToneWaitTime, 0, 160},
    {fields::kFiveToneDecodeNumber, 0, 1},
    {fields::kFiveToneAutoReset, 0, 10},
    {fields::kFiveToneEncodeDigits1, 1, 5},
    {fields::kFiveToneEncodeFlag1, 1, 0},
    {fields::kFiveToneEncodeFlagsFill, 32, 1},
    {fields::kKeysA, 0, 1},
    {fields::kKeysB, 0, 1},
    {fields::kKeysOption, 0, 0},
    {fields::kDtmfFirstDigitDelay, 0, 1},
    {fields::kDtmfSideTone, 0, 1},
    {fields::kDtmfGroupCall, 0, 0xFF},
    {fields::kDtmfAutoReset, 0, 10},
    {fields::kDtmfCallAlert, 0, 1},
    {fields::kAcsChannel, 1, 0xFF},
    {fields::kAcsCycles, 0, 3},
    {fields::kAcsTxTime, 0, 3},
    {fields::kAcsRxTime, 0, 3},
};

}  // namespace

TEST(LayoutKnownValues, DefaultImagesReadAsTheFormsShowThem) {
    for (int model : {kBasicModel, kSignallingModel}) {
        SCOPED_TRACE(ModelCatalogue()[model].model);
        const CodeplugImage image = DefaultImage(model);
        for (const Known& k : kKnown)
            EXPECT_EQ(layout::Read(image, k.field, k.record), k.value)
                << k.field.name << " record " << k.record;

        EXPECT_EQ(layout::ReadHex(image, fields::kModelIdentity), ModelCatalogue()[model].identity);
        EXPECT_EQ(layout::ReadHex(image, fields::kTestFrequencyRx, 1), "00506013");  // 136.05
        EXPECT_NEAR(*layout::ReadFrequency(image, fields::kTestFrequencyTx, 5), 173.9, 1e-9);
        EXPECT_EQ(layout::ReadFrequency(image, fields::kTestFrequencyRx, 6), 0.0);
        EXPECT_EQ(layout::ReadFrequency(image, fields::kChannelRxFrequency, 1), 0.0);
        EXPECT_EQ(layout::ReadTone(image, fields::kChannelDecodeTone, 1, "Off"), "Off");
        EXPECT_EQ(layout::ReadHex(image, fields::kFiveToneEncodeFrame1, 1), "2143F5FF");
        EXPECT_EQ(layout::ReadText(image, fields::kDtmfCode, 1), "12345");
        EXPECT_EQ(layout::ReadText(image, fields::kDtmfDigitCode, 1), "12345");
        EXPECT_EQ(layout::ReadText(image, fields::kDtmfCode, 2), "");
        EXPECT_EQ(layout::ReadText(image, fields::kDtmfKillCode), "");
    }
}

TEST(LayoutKnownValues, ABasicRadiosImageKeepsItsFirstAreaOnly) {
    CodeplugImage image = DefaultImage(kBasicModel);
    image.InstallFromRadio(image.image().substr(0, 2 * layout::kBasicImageBytes));
    EXPECT_EQ(layout::Read(image, fields::kKeysMonitor), 3);
    EXPECT_EQ(layout::Read(image, fields::kScanSignallingHold), 40);
    EXPECT_NEAR(*layout::ReadFrequency(image, fields::kTestFrequencyTx, 5), 173.9, 1e-9);
    EXPECT_EQ(layout::Read(image, fields::kKeysA), std::nullopt);
    EXPECT_EQ(layout::Read(image, fields::kAcsCycles), std::nullopt);
    EXPECT_EQ(layout::ReadText(image, fields::kDtmfCode, 1), std::nullopt);
}

// Two records per model kind whose one-bit fields differ pairwise, so that two swapped bit
// numbers read differently somewhere.
TEST(LayoutKnownValues, ChannelRecordsReadFieldByField) {
    CodeplugImage image = DefaultImage(kSignallingModel);
    const std::string off = "Off";
    ASSERT_TRUE(image.WriteBytes(0x0020, "00255114002557147503132899CA0EB5"));  // channel 3
    ASSERT_TRUE(image.WriteBytes(0x0030, "00255114FFFFFFFFFFFFFFFF4A3501B4"));  // channel 4
    ASSERT_TRUE(image.WriteBytes(0x0810, "01020304FFFFFFFF"));                  // extension 3
    EXPECT_NEAR(*layout::ReadFrequency(image, fields::kChannelRxFrequency, 3), 145.125, 1e-9);
    EXPECT_NEAR(*layout::ReadFrequency(image, fields::kChannelTxFrequency, 3), 145.725, 1e-9);
    EXPECT_EQ(layout::ReadFrequency(image, fields::kChannelTxFrequency, 4), 0.0);
    EXPECT_EQ(layout::ReadTone(image, fields::kChannelDecodeTone, 3, off), "88.5");
    EXPECT_EQ(layout::ReadTone(image, fields::kChannelEncodeTone, 3, off), "D023N");
    const Known signalling[] = {
        {fields::kChannelBandwidth, 3, 1},
        {fields::kChannelBandwidth, 4, 2},
        {fields::kChannelCompander, 3, 0},
        {fields::kChannelCompander, 4, 0},
        {fields::kChannelTailElimination, 3, 1},
        {fields::kChannelTailElimination, 4, 1},
        {fields::kChannelBusyLockMode, 3, 1},
        {fields::kChannelBusyLockMode, 4, 0},
        {fields::kChannelRelationAnd, 3, 0},
        {fields::kChannelRelationAnd, 4, 1},
        {fields::kChannelFlagsAFill, 3, 1},
        {fields::kChannelPttIdMode, 3, 2},
        {fields::kChannelPttIdMode, 4, 1},
        {fields::kChannelPttIdType, 3, 2},
        {fields::kChannelPttIdType, 4, 5},
        {fields::kChannelTxWithoutDecode, 3, 0},
        {fields::kChannelTxWithoutDecode, 4, 1},
        {fields::kChannelSignallingSwitchable, 3, 1},
        {fields::kChannelSignallingSwitchable, 4, 0},
        {fields::kChannelFlagsBFill, 3, 1},
        {fields::kChannelOptionalSignalling, 3, 14},
        {fields::kChannelScan, 3, 0xB5},
        {fields::kChannelScan, 4, 0xB4},
        {fields::kChannelTxStartCode, 3, 1},
        {fields::kChannelTxEndCode, 3, 2},
        {fields::kChannelCall1Code, 3, 3},
        {fields::kChannelCall2Code, 3, 4},
    };
    for (const Known& k : signalling)
        EXPECT_EQ(layout::Read(image, k.field, k.record), k.value)
            << k.field.name << " record " << k.record;

    // Basic models: channels A and B; bits 3..0 of flags A are 0011 and 0110.
    ASSERT_TRUE(image.WriteBytes(0x0630, "00255114FFFFFFFFFFFFFFFFF3FFFFB5"));
    ASSERT_TRUE(image.WriteBytes(0x0640, "00255114FFFFFFFFFFFFFFFFF6FFFFB4"));
    const std::pair<const layout::Field&, bool> basicA[] = {
        {fields::kChannelBusyLock, false},
        {fields::kChannelWide, true},
        {fields::kChannelCompander, true},
        {fields::kChannelTailElimination, false}};
    const std::pair<const layout::Field&, bool> basicB[] = {
        {fields::kChannelBusyLock, true},
        {fields::kChannelWide, true},
        {fields::kChannelCompander, false},
        {fields::kChannelTailElimination, false}};
    for (auto [field, on] : basicA)
        EXPECT_EQ(layout::ReadFlag(image, field, layout::kChannelA), on) << field.name;
    for (auto [field, on] : basicB)
        EXPECT_EQ(layout::ReadFlag(image, field, layout::kChannelB), on) << field.name;
    EXPECT_EQ(layout::Read(image, fields::kChannelBasicFlagsFill, layout::kChannelA), 0xF);
    EXPECT_EQ(layout::ReadHex(image, fields::kChannelBasicFill, layout::kChannelB), "FFFF");
}
