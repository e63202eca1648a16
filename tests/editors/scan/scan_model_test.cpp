// The scan form's model: the scan list rules, the revert mapping and what OK writes.
#include "editors/scan/scan_model.h"

#include <gtest/gtest.h>

#include "core/codeplug_lib.h"
#include "tests/support/form_fixture.h"

namespace vgr47 {
namespace {

using testing::FormFixture;

TEST(Scan, DefaultImageLoads) {
    FormFixture f;
    ScanModel m(f.image, f.state, f.texts, *f.channels);
    EXPECT_EQ(m.function(), 0);
    EXPECT_EQ(m.revert(), 0);
    EXPECT_EQ(m.priority(), 0);
    EXPECT_EQ(m.txPause, 5);
    EXPECT_EQ(ScanModel::PauseEntries()[5], "3.0");
    EXPECT_EQ(m.dwell, 5);
    EXPECT_EQ(m.hold, 40);
    EXPECT_EQ(m.HoldEntries()[40], "2000");
    EXPECT_EQ(m.HoldEntries().size(), 256u);
    EXPECT_EQ(m.powerOnScan, 1);  // FB: bits 2..1 are 01
    EXPECT_FALSE(m.functionEnabled());
    EXPECT_FALSE(m.othersEnabled());
}

TEST(Scan, FewerThanTwoScanChannelsSwitchTheScanFunctionOff) {
    FormFixture f;
    f.ScanChannels({4});
    f.Set(mem::kScanFunction, "F1");  // time operated
    ScanModel one(f.image, f.state, f.texts, *f.channels);
    EXPECT_FALSE(one.functionEnabled());
    EXPECT_EQ(one.function(), 0);
    one.Store();
    EXPECT_EQ(f.Byte(mem::kScanFunction), "F3");

    f.Set(mem::kScanFunction, "F1");
    f.ScanChannels({9});
    ScanModel two(f.image, f.state, f.texts, *f.channels);
    EXPECT_TRUE(two.functionEnabled());
    EXPECT_EQ(two.function(), 1);
    EXPECT_TRUE(two.othersEnabled());
    EXPECT_EQ(two.PriorityEntries(), (std::vector<std::string>{"None", "4", "9"}));
    two.SetFunction(2);
    two.Store();
    EXPECT_EQ(GetBits(f.Byte(mem::kScanFunction), 0, 2), "10");
    two.SetFunction(0);
    EXPECT_FALSE(two.othersEnabled());
}

TEST(Scan, RevertValuesMapBothWays) {
    // stored value -> index shown with a priority channel
    const int shown[8] = {2, 3, 4, 5, 0, 1, 0, 0};
    for (int value = 0; value < 8; ++value) {
        FormFixture f;
        f.ScanChannels({1, 2});
        f.Set(mem::kScanPriority, "02");
        std::string byte = "E1";  // bits 7..5 set, time operated
        SetBits(byte, 2, 3, IntToBits(value, 3));
        f.Set(mem::kScanFunction, byte);
        ScanModel m(f.image, f.state, f.texts, *f.channels);
        ASSERT_EQ(m.priority(), 2);
        EXPECT_EQ(m.revert(), shown[value]) << value;
        m.Store();
        // 6 and 7 are never written back: they show as index 0, which stores 4
        int written = value >= 6 ? 4 : value;
        EXPECT_EQ(BitsToInt(GetBits(f.Byte(mem::kScanFunction), 2, 3)), written) << value;
        EXPECT_EQ(GetBits(f.Byte(mem::kScanFunction), 5, 3), "111");
    }
    EXPECT_EQ(ScanModel::RevertValueOfIndex(2), 0);
}

TEST(Scan, PriorityEntriesComeAndGoWithThePriorityChannel) {
    FormFixture f;
    f.ScanChannels({1, 2});
    f.Set(mem::kScanFunction, "E1");
    ScanModel m(f.image, f.state, f.texts, *f.channels);
    EXPECT_EQ(m.RevertEntries().size(), 4u);
    m.SetPriority(1);
    ASSERT_EQ(m.RevertEntries().size(), 6u);
    m.SetRevert(5);
    m.SetPriority(2);
    EXPECT_EQ(m.revert(), 5);  // still offered
    m.SetPriority(0);
    EXPECT_EQ(m.RevertEntries().size(), 4u);
    EXPECT_EQ(m.revert(), 0);
    m.SetRevert(3);
    m.Store();
    EXPECT_EQ(f.Byte(mem::kScanPriority), "00");
    EXPECT_EQ(BitsToInt(GetBits(f.Byte(mem::kScanFunction), 2, 3)), 1);
}

TEST(Scan, RevertToPriorityWithoutPriorityShowsNothingAndKeepsItsBits) {
    FormFixture f;
    f.ScanChannels({1, 2});
    f.Set(mem::kScanFunction, "E9");  // revert value 2: priority channel
    ScanModel m(f.image, f.state, f.texts, *f.channels);
    EXPECT_EQ(m.revert(), -1);
    m.Store();
    EXPECT_EQ(f.Byte(mem::kScanFunction), "E9");
}

TEST(Scan, PriorityChannelOutsideTheScanListIsKept) {
    FormFixture f;
    f.ScanChannels({1, 2});
    f.Set(mem::kScanPriority, "07");
    ScanModel m(f.image, f.state, f.texts, *f.channels);
    EXPECT_EQ(m.priority(), -1);
    m.Store();
    EXPECT_EQ(f.Byte(mem::kScanPriority), "07");
    m.SetPriority(2);
    m.Store();
    EXPECT_EQ(f.Byte(mem::kScanPriority), "02");
}

TEST(Scan, ChannelAIsStoredAs100OnBasicModels) {
    FormFixture f(testing::kBasicModel);
    f.ScanChannels({5, 100});
    f.Set(mem::kScanFunction, "F1");
    ScanModel m(f.image, f.state, f.texts, *f.channels);
    ASSERT_EQ(m.PriorityEntries(), (std::vector<std::string>{"None", "5", "A"}));
    m.SetPriority(2);
    m.Store();
    EXPECT_EQ(f.Byte(mem::kScanPriority), "64");
    f.Set(mem::kScanPriority, "65");  // B, not in the list
    EXPECT_EQ(ScanModel(f.image, f.state, f.texts, *f.channels).priority(), -1);
}

TEST(Scan, PowerOnScanBitsAndTheRestOfTheirByte) {
    const struct {
        const char* stored;
        int index;
        const char* written;
    } cases[] = {
        {"FF", 0, "FF"}, {"FB", 1, "FB"}, {"F9", -1, "FF"}, {"FD", -1, "FF"}, {"00", -1, "06"}};
    for (const auto& c : cases) {
        FormFixture f;
        f.Set(0x0660, c.stored);
        ScanModel m(f.image, f.state, f.texts, *f.channels);
        EXPECT_EQ(m.powerOnScan, c.index) << c.stored;
        m.Store();
        EXPECT_EQ(f.Byte(0x0660), c.written) << c.stored;
    }
}

TEST(Scan, TimesOutsideTheListsKeepTheirNibbles) {
    FormFixture f;
    f.Set(mem::kScanTimes, "B2");
    ScanModel m(f.image, f.state, f.texts, *f.channels);
    EXPECT_EQ(m.txPause, 2);
    EXPECT_EQ(m.dwell, -1);
    m.txPause = 9;
    m.Store();
    EXPECT_EQ(f.Byte(mem::kScanTimes), "B9");
}

TEST(Scan, BasicRadioImageKeepsItsLengthAndTheHiddenHoldTime) {
    FormFixture f(testing::kBasicModel);
    f.Set(mem::kSignallingHold, "FF");
    f.CutToBasicRead();
    ScanModel m(f.image, f.state, f.texts, *f.channels);
    EXPECT_FALSE(m.holdShown());
    m.txPause = 0;
    m.Store();
    EXPECT_EQ(f.image.byteCount(), static_cast<std::size_t>(mem::kBasicImageBytes));
    EXPECT_EQ(f.Byte(mem::kScanTimes), "50");
    EXPECT_EQ(f.Byte(mem::kSignallingHold), "FF");
}

}  // namespace
}  // namespace vgr47
