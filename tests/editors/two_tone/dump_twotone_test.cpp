// The twotone area of a dump: what it shows, and changed lines loaded as the form would.
#include <gtest/gtest.h>

#include "core/memory_map.h"
#include "editors/dump/dump_area.h"
#include "tests/support/dump_fixture.h"

namespace vgr47::dump {
namespace {

using Fixture = testing::DumpFixture;

TEST(DumpTwoTone, ShowsTheDefaultSignallingImage) {
    Fixture f;
    EXPECT_EQ(f.Value("twotone.side_tone"), "1");
    EXPECT_EQ(f.Value("twotone.first_duration"), "1.0");
    EXPECT_EQ(f.Value("twotone.gap"), "0");
    EXPECT_EQ(f.Value("twotone.encode.1"), "420.0 928.1");
    EXPECT_EQ(f.Value("twotone.encode.32"), "");
    EXPECT_EQ(f.Value("twotone.decode.4.first"), "A-B");
    EXPECT_EQ(f.Value("twotone.decode.4.second"), "none");
    EXPECT_EQ(f.Value("twotone.decode.2.tone_d"), "2043.8");
    EXPECT_EQ(f.Value("twotone.decode.1.auto_reset"), "10  # 10");
    EXPECT_EQ(f.Value("twotone.decode.1.call_alert"), "2  # Ring");
    f.image.WriteBytes(mem::kTwoToneEncode + 4, "FFFF4124");
    f.image.WriteBytes(mem::kTwoToneDecodeSets + 16, "2020");
    EXPECT_EQ(f.Value("twotone.encode.2"), "- 928.1");
    EXPECT_EQ(f.Value("twotone.decode.2.first"), "-");
    EXPECT_EQ(f.Value("twotone.decode.2.second"), "-");

    CodeplugImage shortImage;
    shortImage.InstallFromRadio(f.image.image().substr(0, 2 * mem::kBasicImageBytes));
    Context shortCtx{shortImage, f.state, f.texts, *f.channels};
    for (const Line& l : DumpAll(shortCtx)) EXPECT_NE(l.key.rfind("twotone.", 0), 0u) << l.key;
}

TEST(DumpTwoTone, ChangedLinesAreWrittenAsTheFormWrites) {
    Fixture f;
    std::vector<Problem> problems;
    ASSERT_TRUE(
        f.Load("twotone.first_duration = 0.5\n"
               "twotone.gap = 300\n"
               "twotone.long_duration = 10\n"
               "twotone.encode.1 =\n"
               "twotone.encode.3 = 288.5 3000\n"
               "twotone.decode.3.second = long c\n"
               "twotone.decode.3.tone_c = 3000.00\n"
               "twotone.decode.3.auto_reset = 300\n"
               "twotone.decode.4.call_alert = 1\n",
               problems))
        << (problems.empty() ? "" : problems[0].text);
    EXPECT_EQ(f.image.ReadBytes(mem::kTwoToneOptions, 6), "FF0528642C01");
    // Entry 3 has a first tone now, so entry 1 may stay empty.
    EXPECT_EQ(f.image.ReadBytes(mem::kTwoToneEncode, 12), "FFFFFFFFFFFFFFFF450B3075");
    EXPECT_EQ(f.image.ReadBytes(mem::kTwoToneDecodeSets + 32, 16),
              "000E681002243075D64F2C01F2FFFFFF");
    EXPECT_EQ(f.image.ReadBytes(mem::kTwoToneDecodeSets + 48, 16),
              "00FF681002247917D64F0A00F1FFFFFF");
    EXPECT_EQ(f.Value("twotone.decode.3.tone_c"), "3000.0");
}

TEST(DumpTwoTone, ValuesOutsideTheFieldsRangesAreRefusedNotClamped) {
    Fixture f;
    const std::string before = f.image.image();
    struct Case {
        const char* line;
        const char* says;
    } cases[] = {
        {"twotone.gap = 700", "0 to 500"},
        {"twotone.gap = -1", "0 to 500"},
        {"twotone.first_duration = 0.2", "0.5 to 10.0"},
        {"twotone.second_duration = 12", "0.5 to 10.0"},
        {"twotone.long_duration = 2.9", "3.0 to 10.0"},
        {"twotone.first_duration = 1.25", "0.5 to 10.0"},  // finer than the field's 0.1
        {"twotone.encode.3 = 250 900", "288.5 to 3000.0"},
        {"twotone.encode.3 = 900 3500", "288.5 to 3000.0"},
        {"twotone.encode.3 = 900.05", "288.5 to 3000.0"},
        {"twotone.decode.1.tone_a = 5000", "288.5 to 3000.0"},
        {"twotone.decode.1.tone_b = 288.4", "288.5 to 3000.0"},
    };
    for (const Case& c : cases) {
        std::vector<Problem> problems;
        EXPECT_FALSE(f.Load("twotone.side_tone = 0\n" + std::string(c.line) + "\n", problems))
            << c.line;
        ASSERT_EQ(problems.size(), 1u) << c.line;
        EXPECT_EQ(problems[0].lineNumber, 2) << c.line;
        EXPECT_NE(problems[0].text.find(c.says), std::string::npos) << problems[0].text;
        EXPECT_EQ(f.image.image(), before) << c.line;
    }
}

TEST(DumpTwoTone, ABasicModelTakesNoTwoToneLines) {
    Fixture f;
    f.image.InstallNew(BuildModelImage(f.state, ModelCatalogue()[0].identity));
    ASSERT_FALSE(f.state.IsExtendedModel());
    const std::string before = f.image.image();
    std::vector<Problem> problems;
    EXPECT_FALSE(f.Load("twotone.gap = 300\ntwotone.side_tone = 0\n", problems));
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].lineNumber, 1);
    EXPECT_NE(problems[0].text.find("no 2-tone"), std::string::npos) << problems[0].text;
    EXPECT_EQ(f.image.image(), before);
    // What the dump shows stays a no-op.
    problems.clear();
    EXPECT_TRUE(f.Load("twotone.gap = " + f.Value("twotone.gap") + "\n", problems));
}

TEST(DumpTwoTone, ValuesTheFormWouldNotOfferAreRefused) {
    Fixture f;
    const std::string before = f.image.image();
    for (std::string line :
         {"twotone.decode.1.second = A-B", "twotone.decode.1.first = none",
          "twotone.decode.1.first = -", "twotone.decode.1.tone_c = 700", "twotone.single_tone = 0",
          "twotone.encode.5 = - 900", "twotone.encode.5 = 1 2 3", "twotone.gap = soon",
          "twotone.decode.2.call_alert = 3", "twotone.decode.2.auto_reset = 301"}) {
        std::vector<Problem> problems;
        EXPECT_FALSE(f.Load("\n" + line + "\n", problems)) << line;
        ASSERT_EQ(problems.size(), 1u) << line;
        EXPECT_EQ(problems[0].lineNumber, 2) << line;
        EXPECT_EQ(f.image.image(), before) << line;
    }
    // Both lists changed at once are judged together: swapping is fine.
    std::vector<Problem> problems;
    EXPECT_TRUE(f.Load("twotone.decode.1.first = B-A\ntwotone.decode.1.second = A-B\n", problems));
    EXPECT_EQ(f.image.ReadBytes(mem::kTwoToneDecodeSets, 2), "0300");
}

}  // namespace
}  // namespace vgr47::dump
