// The auto-channel-select form's rules without widgets: reading, the chooser, committing
// a choice, the rows without gaps and the bytes OK writes.
#include "editors/acs/acs_model.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/memory_map.h"
#include "core/text_ids.h"

namespace vgr47 {
namespace {

using Entries = std::vector<std::string>;

struct Fixture {
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    ModelState state{Edition::Vgr47};
    CodeplugImage image;
    std::unique_ptr<ChannelModel> channels;
    std::string none;
    Fixture() {
        image.InstallNew(BuildModelImage(state, ModelCatalogue()[8].identity));
        // Channels 1 to 5 with a transmit frequency, 6 receive only, the rest empty.
        std::string empty(2 * mem::kChannelRecordBytes * mem::kChannelCount, 'F');
        EXPECT_TRUE(image.WriteBytes(mem::kChannels, empty));
        for (int c = 1; c <= 5; ++c)
            EXPECT_TRUE(
                image.WriteBytes(mem::ChannelRecordAddress(c), "0050451400504514FFFFFFFF0000FFFF"));
        EXPECT_TRUE(
            image.WriteBytes(mem::ChannelRecordAddress(6), "00504514FFFFFFFFFFFFFFFF0000FFFF"));
        channels = std::make_unique<ChannelModel>(image, state, texts);
        none = texts.GetText(kTextNone);
    }
    AcsModel Model() { return AcsModel(image, state, texts, *channels); }
    void Put(int address, const std::string& hex) { ASSERT_TRUE(image.WriteBytes(address, hex)); }
};

TEST(AcsModel, ReadingCyclesAndTimes) {
    Fixture f;
    f.Put(mem::kAcsCycles, "0593");
    AcsModel m = f.Model();
    EXPECT_EQ(m.Entries(AcsModel::kCycles)[m.Selected(AcsModel::kCycles)], "5");
    EXPECT_EQ(m.Entries(AcsModel::kRxTime)[m.Selected(AcsModel::kRxTime)], "5.0");
    EXPECT_EQ(m.Entries(AcsModel::kTxTime)[m.Selected(AcsModel::kTxTime)], "2.0");
    EXPECT_EQ(m.Entries(AcsModel::kTxTime).front(), "0.5");
    for (const char* bad : {"01", "07", "FF"}) {
        f.Put(mem::kAcsCycles, bad);
        AcsModel b = f.Model();
        EXPECT_EQ(b.Selected(AcsModel::kCycles), 0) << bad;
        ASSERT_TRUE(b.Apply());
        EXPECT_EQ(f.image.ReadBytes(mem::kAcsCycles, 1), "02") << bad;
    }
}

TEST(AcsModel, TimeNibbleOutsideTheListKeepsItsNibble) {
    Fixture f;
    f.Put(mem::kAcsTimes, "C3");
    AcsModel m = f.Model();
    EXPECT_EQ(m.Selected(AcsModel::kRxTime), -1);
    EXPECT_EQ(m.Selected(AcsModel::kTxTime), 3);
    m.Select(AcsModel::kTxTime, 9);
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(f.image.ReadBytes(mem::kAcsTimes, 1), "C9");
    m.Select(AcsModel::kRxTime, 1);
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(f.image.ReadBytes(mem::kAcsTimes, 1), "19");
}

TEST(AcsModel, ChannelBytesOutsideOneTo99LeaveTheRowEmpty) {
    Fixture f;
    f.Put(mem::kAcsList, "0200640363FFFFFF");
    AcsModel m = f.Model();
    EXPECT_EQ(m.RowText(1), "2");
    EXPECT_EQ(m.RowText(2), "");
    EXPECT_EQ(m.RowText(3), "");
    EXPECT_EQ(m.RowText(4), "3");  // kept, but grey: it follows an empty row
    EXPECT_EQ(m.RowText(5), "99");
    EXPECT_TRUE(m.IsRowEditable(2));
    EXPECT_FALSE(m.IsRowEditable(3));
    EXPECT_FALSE(m.IsRowEditable(4));
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(f.image.ReadBytes(mem::kAcsList, 8), "02FFFF0363FFFFFF");
}

TEST(AcsModel, ChooserOffersChannelsWithATransmitFrequencyNotHeldElsewhere) {
    Fixture f;
    f.Put(mem::kAcsList, "0103FFFFFFFFFFFF");
    AcsModel m = f.Model();
    EXPECT_EQ(m.ChooserEntries(1), (Entries{"2", "4", "5"}));
    EXPECT_EQ(m.ChooserEntries(2), (Entries{f.none, "2", "4", "5"}));
    EXPECT_EQ(m.ChooserEntries(3), (Entries{f.none, "2", "4", "5"}));
    f.Put(mem::kAcsList, "0102030405FFFFFF");
    AcsModel full = f.Model();
    EXPECT_TRUE(full.ChooserEntries(2).empty());
    EXPECT_EQ(full.ChooserEntries(5), (Entries{f.none}));
}

TEST(AcsModel, TheLastRowAlwaysOffersNone) {
    Fixture f;
    f.Put(mem::kAcsList, "0102030405FFFF01");
    AcsModel m = f.Model();
    EXPECT_EQ(m.ChooserEntries(8).front(), f.none);
}

TEST(AcsModel, CommittingChoices) {
    Fixture f;
    f.Put(mem::kAcsList, "010203FFFFFFFFFF");
    AcsModel m = f.Model();
    ASSERT_TRUE(m.ClickRow(2));
    EXPECT_EQ(m.chooser(), (Entries{"4", "5"}));
    EXPECT_EQ(m.ChooserSelection(), -1);
    m.Pick("5");
    m.ClickRow(3);  // commits row 2
    EXPECT_EQ(m.RowText(2), "5");
    m.Pick(f.none);
    EXPECT_FALSE(m.ClickRow(4));
    EXPECT_EQ(m.RowText(3), "");
    EXPECT_FALSE(m.IsRowEditable(4));
    EXPECT_EQ(m.currentRow(), 0);  // grey row: the cell is forgotten
    // An empty choice empties its row and every row below it.
    m.ClickRow(1);
    m.Pick("");
    m.CommitChoice();
    EXPECT_EQ(m.RowText(1), "");
    EXPECT_EQ(m.RowText(2), "");
}

TEST(AcsModel, ACellWithoutPickedEntryChangesNothing) {
    Fixture f;
    // Channel 6 has lost its transmit frequency since it was put in row 2.
    f.Put(mem::kAcsList, "010603FFFFFFFFFF");
    AcsModel m = f.Model();
    ASSERT_TRUE(m.ClickRow(2));
    EXPECT_EQ(m.ChooserSelection(), -1);
    m.ClickRow(1);
    EXPECT_EQ(m.RowText(2), "6");
    EXPECT_EQ(m.RowText(3), "3");
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(f.image.ReadBytes(mem::kAcsList, 8), "010603FFFFFFFFFF");
}

TEST(AcsModel, OkCommitsThePendingChoice) {
    Fixture f;
    AcsModel m = f.Model();
    EXPECT_FALSE(m.ClickRow(2));  // grey: below the first empty row
    ASSERT_TRUE(m.ClickRow(1));
    m.Pick("4");
    m.Select(AcsModel::kCycles, 3);
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(f.image.ReadBytes(mem::kAcsList, 8), "04FFFFFFFFFFFFFF");
    EXPECT_EQ(f.image.ReadBytes(mem::kAcsCycles, 1), "05");
}

TEST(AcsModel, DeleteAllThenOkEmptiesTheList) {
    Fixture f;
    f.Put(mem::kAcsList, "0102030405FFFFFF");
    AcsModel m = f.Model();
    m.ClickRow(3);
    m.Pick("5");
    m.DeleteAll();
    EXPECT_TRUE(m.IsRowEditable(1));
    EXPECT_FALSE(m.IsRowEditable(2));
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(f.image.ReadBytes(mem::kAcsList, 8), "FFFFFFFFFFFFFFFF");
}

TEST(AcsModel, EditionDecidesTitleAndLabels) {
    Fixture f;
    EXPECT_EQ(f.Model().TitleText(), kTextAcsTitle);
    ModelState dealer(Edition::Ja31);
    AcsModel m(f.image, dealer, f.texts, *f.channels);
    EXPECT_EQ(m.TitleText(), kTextAcsTitleDealer);
    EXPECT_EQ(m.LabelTexts()[2], kTextAcsRxTimeDealer);
}

}  // namespace
}  // namespace vgr47
