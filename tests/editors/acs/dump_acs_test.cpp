// The acs area of the codeplug as text: what it prints for a default image, and that a
// changed channel list is applied as the form's chooser would build it, or refused whole.
#include <gtest/gtest.h>

#include <map>

#include "core/memory_map.h"
#include "core/text_ids.h"
#include "editors/dump/dump_area.h"
#include "tests/support/dump_fixture.h"

namespace vgr47::dump {
namespace {

struct Fixture : testing::DumpFixture {
    using DumpFixture::DumpFixture;
    // The default image has no channels; give the first ones a transmit frequency.
    void AddChannels(int count) {
        for (int c = 1; c <= count; ++c)
            EXPECT_TRUE(
                image.WriteBytes(mem::ChannelRecordAddress(c), "0050451400504514FFFFFFFF0000FFFF"));
    }
};

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

}  // namespace
}  // namespace vgr47::dump
