// The tuning dialog's rules without widgets: items per model, pages, the value field, keys.
#include "link/tuning_panel.h"

#include <gtest/gtest.h>

#include "core/text_ids.h"

namespace vgr47 {
namespace {

TEST(TuningItemsTest, ExtendedModelsAddTwoItemsAfterTheEighth) {
    auto basic = TuningItems(false);
    auto extended = TuningItems(true);
    ASSERT_EQ(basic.size(), 12u);
    ASSERT_EQ(extended.size(), 14u);
    EXPECT_EQ(basic[7].code, 0x08);
    EXPECT_EQ(basic[8].code, 0x09);
    EXPECT_EQ(basic[8].textNumber, 6810);
    EXPECT_EQ(extended[8].code, 0x0F);
    EXPECT_EQ(extended[8].textNumber, 6831);
    EXPECT_EQ(extended[9].code, 0x10);
    EXPECT_EQ(extended[9].textNumber, 6835);
    EXPECT_EQ(extended[13].code, 0x0C);
    EXPECT_EQ(extended[13].textNumber, 6813);
    EXPECT_EQ(TuningPageTitles(0x01), std::vector<int>{kTextMiddle});
    EXPECT_EQ(TuningPageTitles(0x0A), std::vector<int>{kTextMiddle});
    EXPECT_EQ(TuningPageTitles(0x02), (std::vector<int>{kTextLow, kTextMiddle, kTextHigh}));
}

TEST(TuningValueField, OverRangeIsRewrittenAndSentOnceAsFF) {
    auto over = ValueFieldChanged("300");
    EXPECT_EQ(over.rewrite, "255");
    EXPECT_EQ(over.send, 255);
    auto top = ValueFieldChanged("255");
    EXPECT_FALSE(top.rewrite);
    EXPECT_EQ(top.send, 255);
    for (const char* zeroish : {"", "abc", "-5", "00"}) {
        auto z = ValueFieldChanged(zeroish);
        EXPECT_EQ(z.rewrite, "0") << zeroish;
        EXPECT_EQ(z.send, 0) << zeroish;
    }
    EXPECT_FALSE(ValueFieldChanged("0").rewrite);
    EXPECT_EQ(ValueFieldChanged("0").send, 0);
    EXPECT_FALSE(ValueFieldChanged("17").rewrite);
    EXPECT_EQ(ValueFieldChanged("17").send, 17);
    EXPECT_EQ(StepValue(0, -1), 255);
    EXPECT_EQ(StepValue(255, 1), 0);
    EXPECT_EQ(StepValue(100, 1), 101);
}

TEST(TuningKeys, EscapeAlwaysEndsWithExit) {
    TuningKeyState valueShown{true, true, false, true};
    EXPECT_EQ(EscapeStep(valueShown), TuningAction::Discard);
    TuningKeyState itemSelection{true, false, true, false};
    EXPECT_EQ(EscapeStep(itemSelection), TuningAction::ToggleAdjusting);
    TuningKeyState testPanel{};
    EXPECT_EQ(EscapeStep(testPanel), TuningAction::Exit);

    EXPECT_EQ(KeyAction(TuningKey::Enter, valueShown), TuningAction::Store);
    EXPECT_EQ(KeyAction(TuningKey::Enter, itemSelection), TuningAction::Tune);
    EXPECT_FALSE(KeyAction(TuningKey::Enter, testPanel));
    EXPECT_EQ(KeyAction(TuningKey::Left, valueShown), TuningAction::ValueDown);
    EXPECT_FALSE(KeyAction(TuningKey::Left, itemSelection));
    EXPECT_EQ(KeyAction(TuningKey::Right, itemSelection), TuningAction::ValueUp);
    EXPECT_FALSE(KeyAction(TuningKey::F9, valueShown));
    EXPECT_EQ(KeyAction(TuningKey::F9, testPanel), TuningAction::ToggleAdjusting);
    EXPECT_FALSE(KeyAction(TuningKey::F2, testPanel));
    EXPECT_EQ(KeyAction(TuningKey::F12, testPanel), TuningAction::ClearTrace);
}

}  // namespace
}  // namespace vgr47
