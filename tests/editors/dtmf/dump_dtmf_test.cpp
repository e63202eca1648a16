// The dtmf area of the codeplug as text: what it prints for default images, and that a
// changed line is applied as the form would apply it, or refused whole.
#include <gtest/gtest.h>

#include <map>

#include "core/layout/codeplug_layout.h"
#include "core/memory_map.h"
#include "core/text_ids.h"
#include "editors/dump/dump_area.h"
#include "tests/support/dump_fixture.h"

namespace vgr47::dump {

using layout::AddressOf;
namespace fields = layout::fields;
namespace {

using Fixture = testing::DumpFixture;

TEST(DumpDtmf, DefaultSignallingImage) {
    Fixture f;
    auto lines = f.Lines();
    EXPECT_EQ(lines["dtmf.rate"], "0  # 6");
    EXPECT_EQ(lines["dtmf.first_digit_delay"], "0  # 100");
    EXPECT_EQ(lines["dtmf.star_hash_tone"], "1  # 100");
    EXPECT_EQ(lines["dtmf.d_key"], "0  # Send D tone");
    EXPECT_EQ(lines["dtmf.side_tone"], "0  # On");
    EXPECT_EQ(lines["dtmf.group_call"], "0  # Off");
    EXPECT_EQ(lines["dtmf.auto_reset"], "10  # 10");
    EXPECT_EQ(lines["dtmf.clear_auto_answer"], "1  # Off");
    EXPECT_EQ(lines["dtmf.kill_code"], "\"\"");
    EXPECT_EQ(lines["dtmf.code.1"], "\"12345\"");
    EXPECT_EQ(lines["dtmf.code.2"], "");
    EXPECT_EQ(lines["dtmf.digit_code.1"], "\"12345\"");
    EXPECT_EQ(lines["dtmf.digit_code.8"], "");
    EXPECT_EQ(lines.count("dtmf.code.9"), 0u);
}

TEST(DumpDtmf, ChangedLinesAreAppliedAsTheFormWould) {
    Fixture f;
    auto problems = f.Load(
        "dtmf.first_digit_delay = 17\n"
        "dtmf.group_call = 5  # *\n"
        "dtmf.kill_code = \"123456789A\"\n"
        "dtmf.code.3 = \"ab*#\"\n"
        "dtmf.digit_code.1 =\n"
        "dtmf.digit_code.2 = \" 789 \"\n");
    ASSERT_TRUE(problems.empty()) << problems[0].text;
    EXPECT_EQ(f.Bytes(AddressOf(fields::kDtmfFirstDigitDelay), 1), "12");
    EXPECT_EQ(f.Bytes(AddressOf(fields::kDtmfGroupCall), 1), "2A");
    EXPECT_EQ(f.Bytes(mem::kDtmfKillCode, 10), "31323334353637383941");
    EXPECT_EQ(f.Bytes(mem::kDtmfCodes + 32, 16), "41422A23" + std::string(24, 'F'));
    EXPECT_EQ(f.Bytes(mem::kDtmfDigitCodes, 32),
              std::string(32, 'F') + "373839" + std::string(26, 'F'));
    EXPECT_EQ(f.Lines()["dtmf.digit_code.2"], "\"789\"");
}

TEST(DumpDtmf, CodesTheFieldsWouldCutOrReplaceAreRefused) {
    Fixture f;
    const std::string before = f.image.image();
    // Each of these the form would silently turn into something else ("000", the first ten).
    for (const char* line :
         {"dtmf.kill_code = \"12\"", "dtmf.kill_code = \"1\"", "dtmf.kill_code = \"123456789ABCD\"",
          "dtmf.kill_code = \"12345678901\"", "dtmf.digit_code.2 = \"7\"",
          "dtmf.digit_code.2 = \"12\"", "dtmf.digit_code.3 = \"12345678901\""}) {
        auto problems = f.Load(std::string("dtmf.rate = 2\n") + line + "\n");
        ASSERT_EQ(problems.size(), 1u) << line;
        EXPECT_EQ(problems[0].lineNumber, 2) << line;
        EXPECT_NE(problems[0].text.find("3 to 10"), std::string::npos) << problems[0].text;
        EXPECT_EQ(f.image.image(), before) << line;
    }
}

TEST(DumpDtmf, EmptyingEveryDigitCodeGivesTheDefaultCode) {
    Fixture f;
    ASSERT_TRUE(f.Load("dtmf.digit_code.1 = \"\"\n").empty());
    EXPECT_EQ(f.Lines()["dtmf.digit_code.1"], "\"12345\"");
}

TEST(DumpDtmf, BadValuesAreRefusedWithTheirLineAndNothingIsWritten) {
    Fixture f;
    const std::string before = f.image.image();
    auto problems = f.Load(
        "dtmf.rate = 2\n"
        "dtmf.code.2 = \"12E\"\n"
        "dtmf.digit_code.3 = \"12A\"\n"
        "dtmf.kill_code = \"1F3\"\n"
        "dtmf.code.4 = \"12345678901234567\"\n"
        "dtmf.auto_reset = 16\n"
        "dtmf.side_tone = -1\n");
    ASSERT_EQ(problems.size(), 6u);
    EXPECT_EQ(problems[0].lineNumber, 2);
    EXPECT_EQ(problems[0].text, "dtmf.code.2: " + f.texts.GetText(kTextDtmfCodeBadChar));
    EXPECT_EQ(problems[1].text, "dtmf.digit_code.3: " + f.texts.GetText(kTextDigitCodeBadChar));
    EXPECT_EQ(problems[2].lineNumber, 4);
    EXPECT_EQ(problems[3].lineNumber, 5);
    EXPECT_EQ(problems[4].lineNumber, 6);
    EXPECT_EQ(problems[5].lineNumber, 7);
    EXPECT_EQ(f.image.image(), before);
}

TEST(DumpDtmf, AStoredKillCodeIsKeptUnlessItsOwnLineChangesIt) {
    Fixture f;
    ASSERT_TRUE(f.image.WriteBytes(mem::kDtmfKillCode, "454545FFFFFFFFFF0012"));  // "EEE"
    EXPECT_EQ(f.Lines()["dtmf.kill_code"], "\"EEE\"");
    // Other DTMF lines, and the kill code line as the dump shows it, leave every byte alone.
    EXPECT_TRUE(f.Load("dtmf.rate = 1\ndtmf.kill_code = \"EEE\"\n").empty());
    EXPECT_EQ(f.Bytes(AddressOf(fields::kDtmfRate), 1), "01");
    EXPECT_EQ(f.Bytes(mem::kDtmfKillCode, 10), "454545FFFFFFFFFF0012");
    // A line that is itself invalid is refused; a valid one replaces the code.
    EXPECT_EQ(f.Load("dtmf.kill_code = \"EEF\"\n").size(), 1u);
    EXPECT_TRUE(f.Load("dtmf.kill_code = \"\"\n").empty());
    EXPECT_EQ(f.Bytes(mem::kDtmfKillCode, 10), std::string(20, 'F'));
}

TEST(DumpSignalling, BasicModelsShowButDoNotTakeChanges) {
    Fixture f(0);
    auto lines = f.Lines();
    ASSERT_EQ(lines.count("dtmf.rate"), 1u);
    const std::string before = f.image.image();
    auto problems = f.Load("dtmf.rate = 2\nacs.cycles = 0\n");
    EXPECT_EQ(problems.size(), 2u);
    EXPECT_EQ(f.image.image(), before);
    // A short image read from a basic radio holds neither area.
    f.image.InstallFromRadio(f.image.image().substr(0, 2 * mem::kBasicImageBytes));
    lines = f.Lines();
    EXPECT_EQ(lines.count("dtmf.rate"), 0u);
    EXPECT_EQ(lines.count("acs.cycles"), 0u);
}

}  // namespace
}  // namespace vgr47::dump
