// The 2-tone form without widgets: the bytes OK writes, clamps, list exclusions, the tone
// fields the chosen combinations enable, and the working copy of the decoder sets.
#include "editors/two_tone/two_tone_model.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/memory_map.h"
#include "core/model_catalogue.h"

namespace vgr47 {
namespace {

using M = TwoToneModel;

struct Fixture {
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    ModelState state{Edition::Vgr47};
    CodeplugImage image;
    Fixture() { image.InstallNew(BuildModelImage(state, ModelCatalogue()[8].identity)); }
    std::string Set(int n) const { return image.ReadBytes(mem::kTwoToneDecodeSets + 16 * n, 16); }
};

TEST(TwoToneModel, DefaultImageShowsItsValuesAndOkKeepsEveryByte) {
    Fixture f;
    const std::string before = f.image.image();
    M m(f.image, f.texts);
    EXPECT_EQ(m.fieldText(M::kFirstDuration), "1.0");
    EXPECT_EQ(m.fieldText(M::kSecondDuration), "4.0");
    EXPECT_EQ(m.fieldText(M::kLongDuration), "5.0");
    EXPECT_EQ(m.fieldText(M::kGap), "0");
    EXPECT_TRUE(m.sideTone());
    EXPECT_EQ(m.cell(0, 0), "420.0");
    EXPECT_EQ(m.cell(0, 1), "928.1");
    EXPECT_EQ(m.cell(1, 0), "");
    EXPECT_EQ(m.decode1Index(), 0);
    EXPECT_EQ(m.Decode2Entries()[m.decode2Index()], "None");
    EXPECT_EQ(m.fieldText(M::kToneA), "420.0");
    EXPECT_EQ(m.fieldText(M::kToneD), "2043.8");
    EXPECT_EQ(m.shown().autoReset, "10");
    EXPECT_EQ(m.shown().callAlert, 2);
    ASSERT_TRUE(m.Ok());
    EXPECT_EQ(f.image.image(), before);
}

TEST(TwoToneModel, EmptyTableGetsTheDefaultFirstEntry) {
    Fixture f;
    M m(f.image, f.texts);
    m.DeleteAllEntries();
    EXPECT_EQ(m.cell(0, 0), "420.0");
    m.EnterCell(0, 0, "");
    m.EnterCell(5, 0, "");
    ASSERT_TRUE(m.Ok());
    EXPECT_EQ(f.image.ReadBytes(mem::kTwoToneEncode, 4), "68104124");
    EXPECT_EQ(f.image.ReadBytes(mem::kTwoToneEncode + 4, 124), std::string(248, 'F'));

    m.EnterCell(3, 0, "1000");
    m.SetCurrentEntry(3);
    m.DeleteCurrentEntry();  // entry 1 still has a first tone
    m.SetCurrentEntry(0);
    m.DeleteCurrentEntry();  // now none has: entry 1 comes back
    EXPECT_EQ(m.cell(0, 0), "420.0");
    EXPECT_EQ(m.cell(0, 1), "928.1");
}

TEST(TwoToneModel, CellValidation) {
    Fixture f;
    M m(f.image, f.texts);
    m.EnterCell(2, 0, " 250 ");
    EXPECT_EQ(m.cell(2, 0), "288.5");
    m.EnterCell(2, 1, "3500");
    EXPECT_EQ(m.cell(2, 1), "3000.0");
    m.EnterCell(3, 0, "abc");
    EXPECT_EQ(m.cell(3, 0), "288.5");
    m.EnterCell(3, 1, "1234.56");
    EXPECT_EQ(m.cell(3, 1), "1234.6");
    m.EnterCell(2, 0, "  ");
    EXPECT_EQ(m.cell(2, 0), "");
    EXPECT_EQ(m.cell(2, 1), "");  // emptying a first tone empties its second tone
    m.EnterCell(3, 1, "");
    EXPECT_EQ(m.cell(3, 0), "288.5");
    ASSERT_TRUE(m.Ok());
    EXPECT_EQ(f.image.ReadBytes(mem::kTwoToneEncode + 8, 8), "FFFFFFFF450BFFFF");
}

TEST(TwoToneModel, InPlaceEditorCommitsAndRedirects) {
    Fixture f;
    M m(f.image, f.texts);
    M::Cell c = m.BeginCellEdit(4, 1);  // no first tone: the first-tone cell opens
    EXPECT_EQ(c.entry, 4);
    EXPECT_EQ(c.tone, 0);
    m.SetEditorText("1500");
    m.BeginCellEdit(4, 1);  // commits 1500, then the second tone may open
    EXPECT_EQ(m.cell(4, 0), "1500.0");
    ASSERT_TRUE(m.editingCell());
    EXPECT_EQ(m.editingCell()->tone, 1);
    EXPECT_EQ(m.currentEntry(), 4);
    m.SetEditorText("900");
    ASSERT_TRUE(m.Ok());  // OK commits the open editor
    EXPECT_EQ(f.image.ReadBytes(mem::kTwoToneEncode + 16, 4), "983A2823");
    m.BeginCellEdit(6, 0);
    m.SetEditorText("1000");
    m.DeleteCurrentEntry();  // Delete discards the edit
    EXPECT_EQ(m.cell(6, 0), "");
}

TEST(TwoToneModel, TimingClampsAndBytes) {
    Fixture f;
    M m(f.image, f.texts);
    m.SetFieldText(M::kFirstDuration, "0.2");
    m.LeaveField(M::kFirstDuration);
    EXPECT_EQ(m.fieldText(M::kFirstDuration), "0.5");
    m.SetFieldText(M::kSecondDuration, "12");
    m.LeaveField(M::kSecondDuration);
    EXPECT_EQ(m.fieldText(M::kSecondDuration), "10.0");
    m.SetFieldText(M::kLongDuration, "2.9");
    m.LeaveField(M::kLongDuration);
    EXPECT_EQ(m.fieldText(M::kLongDuration), "3.0");
    m.SetFieldText(M::kGap, "700");
    m.LeaveField(M::kGap);
    EXPECT_EQ(m.fieldText(M::kGap), "500");
    m.SetFieldText(M::kGap, "300");
    m.SetFieldText(M::kLongDuration, "11.5");  // not left: OK still clamps it
    m.SetSideTone(false);
    m.SetSingleTone(true);
    ASSERT_TRUE(m.Ok());
    EXPECT_EQ(f.image.ReadBytes(mem::kTwoToneOptions, 6), "FE0564642C01");
}

TEST(TwoToneModel, ListsExcludeTheOtherChoiceAndEnableTheirLetters) {
    Fixture f;
    M m(f.image, f.texts);
    for (int a = 0; a < M::kCombinations; ++a) {
        for (int b = M::kNoneChoice; b < M::kCombinations; ++b) {
            bool ok = m.SetDecodeChoices(a, b);
            ASSERT_EQ(ok, a != b);
            if (!ok) continue;
            auto d1 = m.Decode1Entries();
            auto d2 = m.Decode2Entries();
            const std::string ta = M::CombinationText(a), tb = M::CombinationText(b);
            EXPECT_EQ(d1.size(), b >= 0 ? 14u : 15u);
            EXPECT_EQ(d2.size(), 15u);
            EXPECT_EQ(std::count(d2.begin(), d2.end(), ta), 0);
            EXPECT_EQ(std::count(d1.begin(), d1.end(), tb), 0);
            EXPECT_EQ(d1[m.decode1Index()], ta);
            EXPECT_EQ(d2[m.decode2Index()], b >= 0 ? tb : "None");
            for (int l = 0; l < 4; ++l) {
                char ch = static_cast<char>('A' + l);
                bool used = ta.find(ch) != std::string::npos || tb.find(ch) != std::string::npos;
                EXPECT_EQ(m.ToneEnabled(l), used) << ta << " " << tb << " " << ch;
            }
        }
    }
    m.SetDecodeChoices(0, M::kNoneChoice);  // "A-B"
    EXPECT_TRUE(m.ToneEnabled(0) && m.ToneEnabled(1) && !m.ToneEnabled(2) && !m.ToneEnabled(3));
    m.SelectDecode2(static_cast<int>(m.Decode2Entries().size()) - 1);  // "Long C"
    EXPECT_EQ(m.shown().second, 14);
    EXPECT_TRUE(m.ToneEnabled(2));
    EXPECT_FALSE(m.SetDecodeChoices(M::kNoChoice, 3));  // Decode 1 cannot be emptied
}

TEST(TwoToneModel, StoredSetsTabSwitchingAndOk) {
    Fixture f;
    // Set 3 read with odd upper bits and lists outside their ranges.
    f.image.WriteBytes(mem::kTwoToneDecodeSets + 32, "0220D0070000000000002C0103000000");
    M m(f.image, f.texts);
    m.SelectSet(1);
    m.SetDecodeChoices(4, 13);  // B-C, Long B
    m.SetFieldText(M::kToneB, "9999");
    m.SetFieldText(M::kToneC, "100");
    m.SetAutoResetText("42");
    m.SetCallAlert(1);
    m.SetAutoAnswer(1);
    m.SelectSet(2);  // the clamps run although the tab took no focus
    EXPECT_EQ(m.shown().autoReset, "300");
    EXPECT_EQ(m.shown().callAlert, -1);
    m.SetAutoResetText("301");
    m.SelectSet(1);
    EXPECT_EQ(m.shown().first, 4);
    EXPECT_EQ(m.fieldText(M::kToneB), "3000.0");
    EXPECT_EQ(m.fieldText(M::kToneC), "288.5");
    EXPECT_EQ(m.shown().autoReset, "42");
    m.SelectSet(3);
    m.SetFieldText(M::kToneA, "6600");  // shown set: OK stores it too
    ASSERT_TRUE(m.Ok());
    EXPECT_EQ(f.Set(0), "00FF681002247917D64F0A00F2FFFFFF");
    EXPECT_EQ(f.Set(1), "040D68103075450BD64F2A00F5FFFFFF");
    // Unknown Decode 2 gives FF, call alert 3 keeps its bits, the auto-reset text is entry 0.
    EXPECT_EQ(f.Set(2), "02FF450B00000000450B0000F3FFFFFF");
    EXPECT_EQ(f.Set(3), "00FF307502247917D64F0A00F2FFFFFF");
}

TEST(TwoToneModel, UnknownDecode1IsWrittenBackAndShortImagesAreNotOffered) {
    Fixture f;
    f.image.WriteBytes(mem::kTwoToneDecodeSets, "20FF");
    M m(f.image, f.texts);
    EXPECT_EQ(m.decode1Index(), -1);
    EXPECT_EQ(m.shown().first, M::kNoChoice);
    EXPECT_FALSE(m.ToneEnabled(0));
    ASSERT_TRUE(m.Ok());
    EXPECT_EQ(f.Set(0).substr(0, 4), "20FF");

    CodeplugImage shortImage;
    shortImage.InstallFromRadio(f.image.image().substr(0, 2 * mem::kBasicImageBytes));
    EXPECT_FALSE(M::Available(shortImage));
    M s(shortImage, f.texts);
    EXPECT_FALSE(s.Ok());
    EXPECT_EQ(shortImage.byteCount(), static_cast<std::size_t>(mem::kBasicImageBytes));
}

}  // namespace
}  // namespace vgr47
