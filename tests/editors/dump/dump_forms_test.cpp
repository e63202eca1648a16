// The keys, scan and options areas of the codeplug text: what they list and how a load is
// applied or refused.
#include <gtest/gtest.h>

#include "core/codeplug_lib.h"
#include "core/layout/codeplug_layout.h"
#include "editors/dump/dump_area.h"
#include "tests/support/dump_fixture.h"

namespace vgr47::dump {

using layout::AddressOf;
namespace fields = layout::fields;
namespace {

using Text = testing::DumpFixture;

TEST(DumpForms, ScanValuesApplyInTheFormsOrder) {
    Text t;
    t.ScanChannels({3, 5});
    const std::string before = t.image.image();
    std::vector<Problem> problems;
    // Revert 5 exists only with a priority channel, which needs a scan function first.
    ASSERT_TRUE(t.Load("scan.revert = 5\nscan.priority = 5\nscan.function = 1\n", problems))
        << problems[0].text;
    EXPECT_EQ(t.Value("scan.priority"), "5");
    EXPECT_EQ(t.Value("scan.revert"), "5  # Priority + talkback");
    EXPECT_EQ(t.image.ReadBytes(mem::kScanFunction, 1), "ED");  // revert value 3, time operated
    EXPECT_EQ(t.image.ReadBytes(mem::kScanPriority, 1), "05");
    // Every other byte is untouched.
    EXPECT_EQ(t.image.image().substr(0, 2 * mem::kScanTimes),
              before.substr(0, 2 * mem::kScanTimes));
}

TEST(DumpForms, RefusedValuesCarryTheirLineNumbers) {
    const struct {
        int model;
        bool scanChannels;
        const char* text;
        int line;
    } cases[] = {
        {8, false, "keys.monitor = 4", 1},   // no such entry
        {8, false, "keys.monitor = -1", 1},  // no selection is not a choice
        {8, false, "keys.option = 1", 1},    // the form never shows it
        {0, false, "keys.a = 2", 1},         // hidden on basic models
        {8, false, "# scan needs two scan channels\nscan.function = 1", 2},
        {8, true, "scan.tx_pause = 1", 1},                            // disabled while scan is off
        {8, true, "scan.function = 1\nscan.revert = 4", 2},           // no priority channel
        {8, true, "scan.function = 1\nscan.priority = 7", 2},         // not in the scan list
        {0, true, "scan.function = 1\nscan.signalling_hold = 3", 2},  // hidden on basic models
        {8, false, "options.squelch = 10", 1},
        {8, false, "options.tot = \"3\"", 1},
        {8, false, "options.key_lock = 2", 1},
        {0, false, "options.ptt_mode = 1", 1},  // disabled on basic models
    };
    for (const auto& c : cases) {
        Text t(c.model);
        if (c.scanChannels) t.ScanChannels({1, 2});
        const std::string before = t.image.image();
        std::vector<Problem> problems;
        EXPECT_FALSE(t.Load(c.text, problems)) << c.text;
        ASSERT_EQ(problems.size(), 1u) << c.text;
        EXPECT_EQ(problems[0].lineNumber, c.line) << c.text;
        EXPECT_EQ(t.image.image(), before) << c.text;
    }
}

TEST(DumpForms, DisabledControlsAcceptTheirCurrentValue) {
    Text t(testing::kBasicModel);
    t.ScanChannels({1, 2});
    std::vector<Problem> problems;
    // The hold list is hidden but keeps 40; the new function value enables the times.
    EXPECT_TRUE(t.Load("scan.function = 2\nscan.tx_pause = 0\noptions.ptt_mode = 2\n", problems));
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(t.Value("scan.tx_pause"), "0  # 0.5");
}

TEST(DumpForms, ADumpLoadedOnAnotherImageReproducesItsValues) {
    Text source;
    source.ScanChannels({1, 2});
    source.Set(mem::kScanFunction, "E2");
    source.Set(mem::kScanPriority, "02");
    source.Set(AddressOf(fields::kOptionsTot), "06");
    source.Set(mem::kKeyA, "04");
    Text target;
    target.ScanChannels({1, 2});
    std::vector<Problem> problems;
    const std::string text = DumpText(source.ctx);
    ASSERT_TRUE(target.Load(text, problems)) << problems[0].text;
    EXPECT_EQ(DumpText(target.ctx), text);
}

}  // namespace
}  // namespace vgr47::dump
