// The 5-tone system parameters: presets, clamps, wrapping spins and the bytes OK writes.
#include "editors/five_tone_system/five_tone_system_model.h"

#include <gtest/gtest.h>

#include "core/layout/codeplug_layout.h"
#include "core/memory_map.h"

namespace vgr47 {

using layout::AddressOf;
namespace fields = layout::fields;
namespace {

using M = FiveToneSystemModel;

struct FiveToneSystem : ::testing::Test {
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    CodeplugImage image;
    void SetUp() override { image.InstallNew(std::string(mem::kImageBytes * 2, 'F')); }
    std::string Block() const { return image.ReadBytes(AddressOf(fields::kFiveToneStandard), 9); }
};

TEST_F(FiveToneSystem, EveryStandardLoadsItsPresetsAndOkWritesThemInOrder) {
    const int periods[] = {100, 70, 70, 70, 40, 70, 40};
    for (int s = 0; s < M::kStandardCount; ++s) {
        M m(image, texts);
        m.ChooseStandard(s);
        const int p = periods[s], half = p * 3 / 2;
        EXPECT_EQ(m.fieldText(M::kTonePeriod), std::to_string(p)) << s;
        EXPECT_EQ(m.fieldText(M::kRxInterval), std::to_string(half)) << s;
        EXPECT_EQ(m.fieldText(M::kMinDecode), "30") << s;
        EXPECT_EQ(m.fieldText(M::kMaxDecode), std::to_string(half)) << s;
        ASSERT_TRUE(m.Write());
        char expected[32];
        std::snprintf(expected, sizeof expected, "%02X%02X%02X00FF1E00%02X00", s, p, half, half);
        EXPECT_EQ(Block(), expected) << M::StandardNames()[s];
    }
    // CCIR: 100, 150 (96 00 little-endian), 30, 150.
    EXPECT_EQ(M::StandardNames()[0], "CCIR");
    EXPECT_EQ(M::PresetTonePeriod(0), 100);
}

TEST_F(FiveToneSystem, FieldsClampWhenCommittedAndTheTonePeriodSetsTheMaximum) {
    M m(image, texts);
    m.SetFieldText(M::kMaxDecode, "500");
    m.CommitField(M::kMaxDecode);
    m.SetFieldText(M::kTonePeriod, "30");
    m.CommitField(M::kTonePeriod);
    EXPECT_EQ(m.fieldText(M::kTonePeriod), "40");
    EXPECT_EQ(m.fieldText(M::kMaxDecode), "60");
    m.SetFieldText(M::kTonePeriod, "90");
    m.CommitField(M::kTonePeriod);
    EXPECT_EQ(m.fieldText(M::kMaxDecode), "135");
    m.SetFieldText(M::kRxInterval, "700");
    m.CommitField(M::kRxInterval);
    EXPECT_EQ(m.fieldText(M::kRxInterval), "640");
    m.SetFieldText(M::kMinDecode, "10");
    m.CommitField(M::kMinDecode);
    EXPECT_EQ(m.fieldText(M::kMinDecode), "20");
    m.SetFieldText(M::kMaxDecode, "abc");
    m.CommitField(M::kMaxDecode);
    EXPECT_EQ(m.fieldText(M::kMaxDecode), "40");
}

TEST_F(FiveToneSystem, SpinsStepByOneAndWrapAtBothEnds) {
    M m(image, texts);
    struct Case {
        M::Field field;
        const char* from;
        int delta;
        const char* to;
    } cases[] = {
        {M::kTonePeriod, "255", 1, "40"}, {M::kTonePeriod, "40", -1, "255"},
        {M::kRxInterval, "0", -1, "640"}, {M::kRxInterval, "640", 1, "0"},
        {M::kMinDecode, "600", 1, "20"},  {M::kMaxDecode, "40", -1, "600"},
        {M::kMinDecode, "21", -1, "20"},  {M::kRxInterval, "900", -1, "639"},
    };
    for (const Case& c : cases) {
        m.SetFieldText(c.field, c.from);
        m.StepField(c.field, c.delta);
        EXPECT_EQ(m.fieldText(c.field), c.to) << c.from << " " << c.delta;
    }
    // A spin of the tone period is a committed change: the maximum follows it.
    m.SetFieldText(M::kTonePeriod, "99");
    m.StepField(M::kTonePeriod, 1);
    EXPECT_EQ(m.fieldText(M::kMaxDecode), "150");
}

TEST_F(FiveToneSystem, GroupCallDigitsNoneAndOutOfRangeBytes) {
    struct Case {
        const char* stored;
        const char* shown;
        const char* written;
    } cases[] = {{"0A", "A", "0A"},
                 {"FF", "Off", "FF"},
                 {"0E", "Off", "FF"},
                 {"00", "0", "00"},
                 {"0D", "D", "0D"}};
    for (const Case& c : cases) {
        image.WriteBytes(AddressOf(fields::kFiveToneGroupCall), c.stored);
        M m(image, texts);
        EXPECT_EQ(m.GroupCallEntries()[m.groupCall()], c.shown) << c.stored;
        m.Write();
        EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneGroupCall), 1), c.written) << c.stored;
    }
}

TEST_F(FiveToneSystem, ReadingShowsStoredValuesWithoutPresets) {
    image.WriteBytes(AddressOf(fields::kFiveToneStandard), "0032960004E803F401");
    M m(image, texts);
    EXPECT_EQ(m.standard(), 0);
    EXPECT_EQ(m.fieldText(M::kTonePeriod), "50");
    EXPECT_EQ(m.fieldText(M::kRxInterval), "150");
    EXPECT_EQ(m.fieldText(M::kMinDecode), "1000");
    EXPECT_EQ(m.fieldText(M::kMaxDecode), "500");
    // Unedited fields are written back as they were read.
    const std::string before = image.image();
    m.Write();
    EXPECT_TRUE(image.image() == before);
}

TEST_F(FiveToneSystem, StandardByteWithoutEntryIsKeptUnlessAStandardIsChosen) {
    image.WriteBytes(AddressOf(fields::kFiveToneStandard), "09");
    M m(image, texts);
    EXPECT_EQ(m.standard(), -1);
    m.Write();
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneStandard), 1), "09");
    m.ChooseStandard(6);
    m.Write();
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneStandard), 2), "0628");
}

TEST_F(FiveToneSystem, OkCommitsFieldsStillBeingEdited) {
    M m(image, texts);
    m.SetFieldText(M::kTonePeriod, "90");
    m.SetFieldText(M::kMinDecode, "5");
    m.Write();
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneTonePeriod), 1), "5A");
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneMinDecode), 4),
              "14008700");  // 20, and 135 from the period
    // A maximum typed after the period is the user's last word.
    M n(image, texts);
    n.SetFieldText(M::kTonePeriod, "100");
    n.SetFieldText(M::kMaxDecode, "300");
    n.Write();
    EXPECT_EQ(image.ReadBytes(AddressOf(fields::kFiveToneMaxDecode), 2), "2C01");
}

TEST_F(FiveToneSystem, EncodePauseListIsMatchedByPrefixAndNeverStored) {
    M m(image, texts);
    EXPECT_EQ(m.EncodePauseEntryFor("25"), 25);
    EXPECT_EQ(m.EncodePauseEntryFor("x"), 0);
    m.ChooseEncodePause(25);
    const std::string before = image.image();
    m.Write();
    EXPECT_TRUE(image.image() == before);
}

TEST_F(FiveToneSystem, ShortImageIsNotOfferedAndNeverLengthened) {
    image.InstallNew(std::string(mem::kBasicImageBytes * 2, 'F'));
    EXPECT_FALSE(M::Available(image));
    M m(image, texts);
    m.ChooseStandard(0);
    EXPECT_FALSE(m.Write());
    EXPECT_EQ(image.byteCount(), static_cast<std::size_t>(mem::kBasicImageBytes));
}

}  // namespace
}  // namespace vgr47
