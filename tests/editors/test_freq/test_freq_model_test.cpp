// The test frequency table: what the grid shows, what a cell entry becomes and the bytes OK
// writes.
#include "editors/test_freq/test_freq_model.h"

#include <gtest/gtest.h>

#include "core/memory_map.h"

namespace vgr47 {
namespace {

struct Table {
    ModelState state{Edition::Vgr47};
    CodeplugImage image;
    explicit Table(int model) {
        image.InstallNew(BuildModelImage(state, ModelCatalogue()[model].identity));
    }
    std::string Record(int r) const {
        return image.ReadBytes(mem::kTestFrequencies + (r - 1) * mem::kTestFrequencyRecordBytes,
                               mem::kTestFrequencyRecordBytes);
    }
};

TEST(TestFreqModel, ShowsPairsAndEmptyRecords) {
    Table t(8);  // 136-174 MHz
    TestFreqModel m(t.image, t.state);
    EXPECT_EQ(m.Cell(1, 1), "136.05000");
    EXPECT_EQ(m.Cell(1, 2), "136.10000");
    EXPECT_EQ(m.Cell(5, 1), "173.95000");
    for (int r = 6; r <= 8; ++r) EXPECT_TRUE(m.IsPairEmpty(r)) << r;
    EXPECT_EQ(m.Cell(0, 1), "");
    EXPECT_EQ(m.Cell(1, 3), "");

    Table vhf(1);  // 66-88 MHz: a two-digit value gets a leading blank
    TestFreqModel low(vhf.image, vhf.state);
    EXPECT_EQ(low.Cell(1, 1), " 66.05000");
}

TEST(TestFreqModel, OkWritesEveryDefaultTableBackUnchanged) {
    for (int model = 0; model < kModelCount; ++model) {
        Table t(model);
        const std::string before = t.image.image();
        TestFreqModel m(t.image, t.state);
        EXPECT_TRUE(m.Apply());
        EXPECT_EQ(t.image.image(), before) << ModelCatalogue()[model].model;
    }
}

TEST(TestFreqModel, EntriesAreClampedAndCopiedIntoAnEmptyPartner) {
    Table t(2);  // 438-480 MHz
    TestFreqModel m(t.image, t.state);
    m.Commit(6, 1, "500");
    EXPECT_EQ(m.Cell(6, 1), "480.00000");
    EXPECT_EQ(m.Cell(6, 2), "480.00000");
    m.Commit(6, 2, " 100 ");
    EXPECT_EQ(m.Cell(6, 2), "438.00000");
    EXPECT_EQ(m.Cell(6, 1), "480.00000");  // a filled partner is kept
    m.Commit(7, 2, "450.0125");            // the second column copies into the first too
    EXPECT_EQ(m.Cell(7, 1), "450.01250");
    m.Commit(8, 1, "445,5");  // a decimal comma
    EXPECT_EQ(m.Cell(8, 1), "445.50000");
    m.Commit(8, 1, "");
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(t.Record(6), "0000004800008043");
    EXPECT_EQ(t.Record(7), "5012004550120045");
    EXPECT_EQ(t.Record(8), "FFFFFFFFFFFFFFFF");
}

TEST(TestFreqModel, TheEdgeCasesGiveTheirBytes) {
    Table t(8);
    TestFreqModel m(t.image, t.state);
    m.Commit(6, 1, "145.5");
    EXPECT_EQ(m.Cell(6, 2), "145.50000");
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(t.Record(6), "0000551400005514");

    Table v(9);  // 66-88 MHz
    TestFreqModel low(v.image, v.state);
    low.Commit(6, 1, "66.125");
    low.Commit(7, 1, "66.11");  // by digits: never 99 09 61 06 from a truncated product
    low.Commit(8, 1, "87.99999");
    ASSERT_TRUE(low.Apply());
    EXPECT_EQ(v.Record(6), "0025610600256106");
    EXPECT_EQ(v.Record(7), "0010610600106106");
    EXPECT_EQ(v.Record(8), "9999790899997908");
}

TEST(TestFreqModel, ClearingACellClearsThePair) {
    Table t(8);
    TestFreqModel m(t.image, t.state);
    m.Commit(2, 2, "   ");
    EXPECT_TRUE(m.IsPairEmpty(2));
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(t.Record(2), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(t.Record(1), "0050601300006113");
}

TEST(TestFreqModel, NothingIsWrittenBeforeOk) {
    Table t(8);
    const std::string before = t.image.image();
    TestFreqModel m(t.image, t.state);
    m.Commit(1, 1, "150");
    m.Commit(3, 1, "");
    EXPECT_EQ(t.image.image(), before);  // Cancel only drops the model
}

TEST(TestFreqModel, BasicRadioImageHoldsTheWholeTable) {
    // A read from a basic radio ends right after the table.
    Table t(0);
    t.image.InstallFromRadio(t.image.ReadBytes(0, mem::kBasicImageBytes));
    ASSERT_EQ(t.image.byteCount(), static_cast<std::size_t>(mem::kBasicImageBytes));
    TestFreqModel m(t.image, t.state);
    EXPECT_EQ(m.Cell(1, 1), "136.05000");
    m.Commit(8, 2, "174");
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(t.image.byteCount(), static_cast<std::size_t>(mem::kBasicImageBytes));
    EXPECT_EQ(t.Record(8), "0000401700004017");

    // An image that ends inside the table (a damaged file) holds only its first four records.
    const int end = mem::kTestFrequencies + 4 * mem::kTestFrequencyRecordBytes;
    CodeplugImage shortImage;
    shortImage.InstallNew(t.image.ReadBytes(0, end));
    TestFreqModel cut(shortImage, t.state);
    EXPECT_TRUE(cut.IsPairEmpty(5));
    EXPECT_FALSE(cut.Apply());
    EXPECT_EQ(shortImage.byteCount(), static_cast<std::size_t>(end));
}

TEST(TestFreqModel, HalfEmptyAndZeroRecordsSurviveOk) {
    Table t(8);
    ASSERT_TRUE(t.image.WriteBytes(mem::kTestFrequencies, "00506013FFFFFFFF"));
    ASSERT_TRUE(t.image.WriteBytes(mem::kTestFrequencies + 8, "0000000000506013"));
    const std::string before = t.image.image();
    TestFreqModel m(t.image, t.state);
    EXPECT_EQ(m.Cell(1, 2), "");
    ASSERT_TRUE(m.Apply());
    EXPECT_EQ(t.image.image(), before);
}

}  // namespace
}  // namespace vgr47
