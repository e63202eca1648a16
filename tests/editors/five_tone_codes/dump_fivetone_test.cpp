// The fivetone area of a dump: what it shows for a default signalling image, the bytes a
// load of changed lines writes, the order values are applied in, and refused values.
#include <gtest/gtest.h>

#include <map>

#include "core/layout/codeplug_layout.h"
#include "core/memory_map.h"
#include "editors/dump/dump_area.h"
#include "tests/support/dump_fixture.h"

namespace vgr47::dump {

using layout::AddressOf;
namespace fields = layout::fields;
namespace {

using Fixture = testing::DumpFixture;

TEST(FiveToneDump, DefaultSignallingImage) {
    Fixture f;
    auto lines = f.Lines("fivetone.");
    EXPECT_EQ(lines.size(), 18u + 32u + 8u);
    EXPECT_EQ(lines["fivetone.standard"], "4  # EEA");
    EXPECT_EQ(lines["fivetone.tone_period"], "40");
    EXPECT_EQ(lines["fivetone.rx_interval"], "60");
    EXPECT_EQ(lines["fivetone.group_call"], "0  # Off");
    EXPECT_EQ(lines["fivetone.min_decode"], "30");
    EXPECT_EQ(lines["fivetone.max_decode"], "60");
    EXPECT_EQ(lines["fivetone.delay1"], "511");
    EXPECT_EQ(lines["fivetone.first_digit"], "1000");
    EXPECT_EQ(lines["fivetone.delay2_code"], "0  # Off");
    EXPECT_EQ(lines["fivetone.side_tone"], "1");
    EXPECT_EQ(lines["fivetone.wait_time"], "1600");
    EXPECT_EQ(lines["fivetone.decode_number"], "0  # 1");
    EXPECT_EQ(lines["fivetone.auto_reset"], "10  # 10");
    EXPECT_EQ(lines["fivetone.encode.1"], "12345 - - | 000");
    EXPECT_EQ(lines["fivetone.encode.2"], "");
    EXPECT_EQ(lines["fivetone.decode.1"], "12345 - - | answer=0 alert=0");
    EXPECT_EQ(lines["fivetone.decode.8"], "");
}

TEST(FiveToneDump, UnchangedTextWritesNothingAndSystemLinesLeaveTheTables) {
    Fixture f;
    const std::string before = f.image.image();
    EXPECT_TRUE(f.Load(DumpText(f.ctx)).empty());
    EXPECT_TRUE(f.image.image() == before);
    // Only the system form is written: the decode trailers (8F 21) stay.
    EXPECT_TRUE(f.Load("fivetone.standard = 0\n").empty());
    EXPECT_EQ(f.Bytes(AddressOf(fields::kFiveToneStandard), 9), "00649600FF1E009600");
    EXPECT_EQ(f.Bytes(mem::kFiveToneDecode + 13, 2), "8F21");
    // A standard's presets come first; a timing given with it overrides them.
    EXPECT_TRUE(f.Load("fivetone.max_decode = 400\nfivetone.standard = 6\n").empty());
    EXPECT_EQ(f.Bytes(AddressOf(fields::kFiveToneStandard), 9), "06283C00FF1E009001");
    // The tone period typed sets the maximum as the form does.
    EXPECT_TRUE(f.Load("fivetone.tone_period = 90\nfivetone.group_call = 11\n").empty());
    EXPECT_EQ(f.Bytes(AddressOf(fields::kFiveToneStandard), 9), "065A3C000A1E008700");
}

TEST(FiveToneDump, EntriesAreWrittenPackedAndAnswersMayNameEntriesGivenWithThem) {
    Fixture f;
    const std::string text =
        "fivetone.decode.2 = 55555 - - | answer=3 alert=1\n"
        "fivetone.encode.3 = abcde 0123456 - | 110\n"
        "fivetone.wait_time = 250\n"
        "fivetone.delay3_code = 4\n";
    auto problems = f.Load(text);
    ASSERT_TRUE(problems.empty()) << problems[0].text;
    EXPECT_EQ(f.Bytes(mem::kFiveToneEncode + 32, 16), "BADCFEFF103254F6FFFFFFFF75BFFFFF");
    EXPECT_EQ(f.Bytes(mem::kFiveToneDecode + 16, 16), "5555F5FFFFFFFFFFFFFFFFFFF5FF0103");
    // The whole form was written: entry 1's trailer is normalised too.
    EXPECT_EQ(f.Bytes(mem::kFiveToneDecode + 13, 3), "FF0000");
    EXPECT_EQ(f.Bytes(AddressOf(fields::kFiveToneWaitTime), 1), "19");
    EXPECT_EQ(f.Bytes(AddressOf(fields::kFiveToneDelay2Code), 1), "3F");
    auto lines = f.Lines("fivetone.");
    EXPECT_EQ(lines["fivetone.encode.3"], "ABCDE 0123456 - | 110");
    EXPECT_EQ(lines["fivetone.decode.2"], "55555 - - | answer=3 alert=1");
    // Deleting the encode entry re-points the answer to the highest coded entry (1).
    EXPECT_TRUE(f.Load("fivetone.encode.3 =\n").empty());
    EXPECT_EQ(f.Lines("fivetone.")["fivetone.decode.2"], "55555 - - | answer=1 alert=1");
}

TEST(FiveToneDump, ValuesTheFormWouldNotTakeAreProblems) {
    Fixture f;
    const std::string before = f.image.image();
    const char* bad[] = {
        "fivetone.encode.2 = 1234 - - | 000",
        "fivetone.encode.2 = 12G45 - - | 000",
        "fivetone.encode.2 = 12345 - - | 010",
        "fivetone.encode.2 = 12345 - 67890 | 000",
        "fivetone.encode.2 = 12345 - -",
        "fivetone.encode.2 = - 12345 - | 000",
        "fivetone.decode.2 = 12345 - - | answer=5 alert=0",
        "fivetone.decode.2 = 12345 - - | answer=0 alert=3",
        "fivetone.decode_number = 3",
        "fivetone.wait_time = 1234",
        "fivetone.wait_time = 2560",
        "fivetone.tone_period = 30",
        "fivetone.delay1 = 7001",
        "fivetone.first_digit = 19",
        "fivetone.standard = 7",
        "fivetone.group_call = 15",
        "fivetone.auto_reset = 301",
        "fivetone.side_tone = 2",
    };
    for (const char* line : bad) {
        auto problems = f.Load(std::string(line) + "\n");
        ASSERT_EQ(problems.size(), 1u) << line;
        EXPECT_EQ(problems[0].lineNumber, 1) << line;
        EXPECT_TRUE(f.image.image() == before) << line;
    }
}

TEST(FiveToneDump, BasicModelsRefuseChanges) {
    Fixture f(0);
    const std::string before = f.image.image();
    auto problems = f.Load("fivetone.standard = 0\n");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].text.find("5-tone"), std::string::npos);
    EXPECT_TRUE(f.image.image() == before);
}

}  // namespace
}  // namespace vgr47::dump
