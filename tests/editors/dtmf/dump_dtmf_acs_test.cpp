// The dtmf and acs areas of the codeplug as text: what they print for default images, and
// that a changed line is applied as the form would apply it, or refused whole.
#include <gtest/gtest.h>

#include <map>

#include "core/memory_map.h"
#include "core/text_ids.h"
#include "editors/dump/dump_area.h"

namespace vgr47::dump {
namespace {

struct Fixture {
    TextCatalogue texts{std::string(VGR47_SOURCE_DIR) + "/resources/language.sys", kEnglishOffset};
    ModelState state{Edition::Vgr47};
    CodeplugImage image;
    std::unique_ptr<ChannelModel> channels;
    std::unique_ptr<Context> ctx;
    explicit Fixture(int model = 8) {
        image.InstallNew(BuildModelImage(state, ModelCatalogue()[model].identity));
        channels = std::make_unique<ChannelModel>(image, state, texts);
        ctx = std::make_unique<Context>(Context{image, state, texts, *channels});
    }
    std::map<std::string, std::string> Lines() const {
        std::map<std::string, std::string> out;
        for (const Line& l : DumpAll(*ctx)) out[l.key] = l.value;
        return out;
    }
    // Loads the text; on success the problems are empty.
    std::vector<Problem> Load(const std::string& text) {
        std::vector<Problem> problems;
        bool ok = LoadText(text, *ctx, problems);
        EXPECT_EQ(ok, problems.empty());
        return problems;
    }
    std::string Bytes(int address, int count) const { return image.ReadBytes(address, count); }
    // The default image has no channels; give the first ones a transmit frequency.
    void AddChannels(int count) {
        for (int c = 1; c <= count; ++c)
            EXPECT_TRUE(
                image.WriteBytes(mem::ChannelRecordAddress(c), "0050451400504514FFFFFFFF0000FFFF"));
    }
};

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
    EXPECT_EQ(f.Bytes(mem::kDtmf0E82, 1), "12");
    EXPECT_EQ(f.Bytes(mem::kDtmf0E86, 1), "2A");
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
    EXPECT_EQ(f.Bytes(mem::kDtmf0E80, 1), "01");
    EXPECT_EQ(f.Bytes(mem::kDtmfKillCode, 10), "454545FFFFFFFFFF0012");
    // A line that is itself invalid is refused; a valid one replaces the code.
    EXPECT_EQ(f.Load("dtmf.kill_code = \"EEF\"\n").size(), 1u);
    EXPECT_TRUE(f.Load("dtmf.kill_code = \"\"\n").empty());
    EXPECT_EQ(f.Bytes(mem::kDtmfKillCode, 10), std::string(20, 'F'));
}

TEST(DumpAcs, DefaultSignallingImageAndAChangedLine) {
    Fixture f;
    auto lines = f.Lines();
    EXPECT_EQ(lines["acs.cycles"], "1  # 3");
    EXPECT_EQ(lines["acs.tx_time"], "3  # 2.0");
    EXPECT_EQ(lines["acs.rx_time"], "3  # 2.0");
    const std::string first = lines["acs.channel.1"];
    ASSERT_TRUE(f.Load("acs.rx_time = 9\nacs.cycles = 3\n").empty());
    EXPECT_EQ(f.Bytes(mem::kAcsCycles, 2), "0593");
    EXPECT_EQ(f.Lines()["acs.channel.1"], first);
}

TEST(DumpAcs, ChannelListMustStayOneTheChooserCouldBuild) {
    Fixture f;
    f.AddChannels(3);
    ASSERT_TRUE(f.Load("acs.channel.1 = 2\nacs.channel.2 = 1\nacs.channel.3 =\nacs.channel.4 =\n"
                       "acs.channel.5 =\nacs.channel.6 =\nacs.channel.7 =\nacs.channel.8 =\n")
                    .empty());
    EXPECT_EQ(f.Bytes(mem::kAcsList, 8), "0201FFFFFFFFFFFF");
    const std::string before = f.image.image();
    struct Case {
        const char* text;
        int line;
    } cases[] = {
        {"acs.channel.4 = 3\n", 1},    // after the first empty row
        {"acs.channel.3 = 2\n", 1},    // already in row 1
        {"acs.channel.3 = 100\n", 1},  // no such channel
        {"acs.channel.3 = x\n", 1},
        {"acs.tx_time = 1\nacs.channel.1 =\n", 2},  // would leave row 2 after a gap
        {"acs.tx_time = -1\n", 1},                  // a list cannot be unselected
    };
    for (const Case& c : cases) {
        auto problems = f.Load(c.text);
        ASSERT_EQ(problems.size(), 1u) << c.text;
        EXPECT_EQ(problems[0].lineNumber, c.line) << c.text;
        EXPECT_EQ(f.image.image(), before) << c.text;
    }
    // Emptying from the end is what "none" does.
    ASSERT_TRUE(f.Load("acs.channel.2 =\n").empty());
    EXPECT_EQ(f.Bytes(mem::kAcsList, 8), "02FFFFFFFFFFFFFF");
}

TEST(DumpAcs, ChannelWithoutTransmitFrequencyIsNotOffered) {
    Fixture f;
    f.AddChannels(5);
    ASSERT_TRUE(f.Load("acs.channel.1 = 4\n").empty());
    ASSERT_TRUE(f.image.WriteBytes(mem::ChannelRecordAddress(5) + 4, "FFFFFFFF"));
    auto problems = f.Load("acs.channel.1 = 5\n");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].text.find("transmit"), std::string::npos);
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
