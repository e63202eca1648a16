// The text form of a codeplug: value formats, line parsing and the all-or-nothing load.
#include <gtest/gtest.h>

#include "editors/dump/dump_area.h"
#include "tests/support/dump_fixture.h"

namespace vgr47::dump {
namespace {

using Fixture = testing::DumpFixture;

TEST(DumpValues, QuotedTextsSurviveParsing) {
    for (std::string text : {std::string("12#*5"), std::string("say \"hi\" \\ there"), std::string("\x01\x7F\xFF", 3),
                             std::string("")}) {
        std::vector<Problem> problems;
        auto in = ParseLine("dtmf.kill = " + FormatQuoted(text) + "   # trailing comment", 4, problems);
        ASSERT_TRUE(in) << text;
        EXPECT_TRUE(in->quoted);
        EXPECT_EQ(in->value, text);
        EXPECT_TRUE(problems.empty());
    }
    EXPECT_EQ(FormatQuoted("a\"\\\n"), "\"a\\\"\\\\\\x0A\"");
}

TEST(DumpValues, ListsChecksAndChannels) {
    EXPECT_EQ(FormatList(3, "Monitor"), "3  # Monitor");
    EXPECT_EQ(FormatList(-1, "ignored"), "-1");
    EXPECT_EQ(FormatChannel(0, "1"), "none");
    EXPECT_EQ(FormatChannel(-1, ""), "-");
    EXPECT_EQ(FormatChannel(100, "A"), "A");
    EXPECT_EQ(ParseIndex("-1"), -1);
    EXPECT_FALSE(ParseIndex("-2"));
    EXPECT_FALSE(ParseIndex("2x"));
    EXPECT_FALSE(ParseIndex(""));
    EXPECT_EQ(ParseCheck("1"), true);
    EXPECT_FALSE(ParseCheck("2"));
    EXPECT_EQ(ParseInteger("+12"), 12);
    EXPECT_FALSE(ParseInteger("+"));
}

TEST(DumpLines, CommentsBlanksAndMalformedLines) {
    std::vector<Problem> problems;
    EXPECT_FALSE(ParseLine("   ", 1, problems));
    EXPECT_FALSE(ParseLine("# a comment", 2, problems));
    EXPECT_TRUE(problems.empty());
    EXPECT_FALSE(ParseLine("no equals sign", 3, problems));
    EXPECT_FALSE(ParseLine("nodot = 1", 4, problems));
    EXPECT_FALSE(ParseLine("a.b = \"open", 5, problems));
    EXPECT_FALSE(ParseLine("a.b = \"x\" y", 6, problems));
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_EQ(problems[0].lineNumber, 3);
    EXPECT_EQ(problems[3].lineNumber, 6);
    auto in = ParseLine("  scan.function=2  # On  ", 7, problems);
    ASSERT_TRUE(in);
    EXPECT_EQ(in->key, "scan.function");
    EXPECT_EQ(in->value, "2");
    EXPECT_FALSE(in->quoted);
}

TEST(DumpLoad, OwnDumpIsNoChangeAndKeepsEveryByte) {
    for (int model : {0, 8}) {
        Fixture f(model);
        std::string before = f.image.image();
        std::vector<Problem> problems;
        EXPECT_TRUE(LoadText(DumpText(f.ctx), f.ctx, problems));
        EXPECT_TRUE(problems.empty());
        EXPECT_EQ(f.image.image(), before);
    }
}

TEST(DumpLoad, BadLinesAreReportedAndNothingIsApplied) {
    Fixture f;
    std::string before = f.image.image();
    std::vector<Problem> problems;
    std::string text = "model.identity = " + f.state.currentIdentity() + "\n"
                       "nosuch.key = 1\n"
                       "model.identity = " + f.state.currentIdentity() + "\n";
    EXPECT_FALSE(LoadText(text, f.ctx, problems));
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].lineNumber, 2);
    EXPECT_EQ(problems[1].lineNumber, 3);
    EXPECT_EQ(f.image.image(), before);
}

TEST(DumpLoad, TextForAnotherModelIsRefused) {
    Fixture basic(0);
    Fixture signalling(8);
    std::vector<Problem> problems;
    std::string before = basic.image.image();
    EXPECT_FALSE(LoadText(DumpText(signalling.ctx), basic.ctx, problems));
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0].lineNumber, 1);
    EXPECT_EQ(basic.image.image(), before);
}

}  // namespace
}  // namespace vgr47::dump
