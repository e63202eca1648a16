// The testfreq area of the codeplug as text.
#include <gtest/gtest.h>

#include "core/memory_map.h"
#include "editors/dump/dump_area.h"
#include "tests/support/dump_fixture.h"

namespace vgr47::dump {
namespace {

struct Fixture : testing::DumpFixture {
    using DumpFixture::DumpFixture;
    std::string Record(int r) {
        return image.ReadBytes(mem::kTestFrequencies + (r - 1) * mem::kTestFrequencyRecordBytes,
                               mem::kTestFrequencyRecordBytes);
    }
};

TEST(DumpTestFreq, ShowsPairsTrimmedAndEmptyPairsEmpty) {
    Fixture f(9);  // 66-88 MHz
    EXPECT_EQ(f.Value("testfreq.1"), "66.05000 66.10000");
    EXPECT_EQ(f.Value("testfreq.5"), "87.95000 87.90000");
    EXPECT_EQ(f.Value("testfreq.6"), "");
    EXPECT_EQ(f.Value("testfreq.9"), "<absent>");
}

TEST(DumpTestFreq, LoadsAsTheGridDoes) {
    Fixture f(2);  // 438-480 MHz
    std::vector<Problem> problems;
    ASSERT_TRUE(
        LoadText("testfreq.6 = 480 438\n"
                 "testfreq.7 = 450.0125\n"
                 "testfreq.1 =\n",
                 f.ctx, problems));
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(f.Record(6), "0000004800008043");
    EXPECT_EQ(f.Record(7), "5012004550120045");
    EXPECT_EQ(f.Record(1), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(f.Value("testfreq.6"), "480.00000 438.00000");
    // The text just dumped loads back without changing a byte.
    const std::string before = f.image.image();
    ASSERT_TRUE(LoadText(DumpText(f.ctx), f.ctx, problems));
    EXPECT_EQ(f.image.image(), before);
}

TEST(DumpTestFreq, BadValuesAreRefusedWithTheirLine) {
    // The band of the model (136-174 MHz) is the grid's range: nothing is clamped silently.
    for (const char* value :
         {"145.5 146 147", "14x", "1.2.3", "-145", "174.5", "135.99999", "145 500", "145.000001"}) {
        Fixture f;
        const std::string before = f.image.image();
        std::vector<Problem> problems;
        EXPECT_FALSE(LoadText("\ntestfreq.3 = " + std::string(value) + "\n", f.ctx, problems))
            << value;
        ASSERT_EQ(problems.size(), 1u) << value;
        EXPECT_EQ(problems[0].lineNumber, 2);
        EXPECT_EQ(f.image.image(), before);
    }
}

TEST(DumpTestFreq, OnlyTheFirstBadLineIsReported) {
    Fixture f;
    std::vector<Problem> problems;
    EXPECT_FALSE(
        LoadText("testfreq.2 = 145\ntestfreq.3 = 14x\ntestfreq.4 = 500\n", f.ctx, problems));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].lineNumber, 2);
    EXPECT_EQ(problems[0].text, "testfreq.3: \"14x\" is not a frequency in MHz");
}

TEST(DumpTestFreq, BasicRadioImageRoundTrips) {
    Fixture f(0);
    f.image.InstallFromRadio(f.image.ReadBytes(0, mem::kBasicImageBytes));
    std::vector<Problem> problems;
    ASSERT_TRUE(LoadText("testfreq.8 = 174\n", f.ctx, problems));
    EXPECT_EQ(f.Record(8), "0000401700004017");
    EXPECT_EQ(f.image.byteCount(), static_cast<std::size_t>(mem::kBasicImageBytes));
}

}  // namespace
}  // namespace vgr47::dump
