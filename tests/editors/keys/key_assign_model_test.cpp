// The key assignment form's model: the side key code mapping and what OK writes.
#include "editors/keys/key_assign_model.h"

#include <gtest/gtest.h>

#include "core/codeplug_lib.h"
#include "tests/support/form_fixture.h"

namespace vgr47 {
namespace {

using testing::FormFixture;

TEST(KeyAssign, DefaultImageLoadsAndOkChangesNothing) {
    FormFixture f;
    const std::string before = f.image.image();
    KeyAssignModel m(f.image, f.state, f.texts);
    EXPECT_EQ(m.monitor, 3);  // F9: bits 4..3 are 11
    EXPECT_EQ(m.aKey, 1);
    EXPECT_EQ(m.bKey, 1);
    EXPECT_EQ(m.optionByte, 0);
    EXPECT_TRUE(m.sideKeysShown());
    m.Store();
    EXPECT_EQ(f.image.image(), before);
}

TEST(KeyAssign, SideKeyCodesReadAndWriteThroughTheirMapping) {
    // code read -> index shown -> code written by OK (-1: no entry, the byte is kept)
    const struct {
        const char* stored;
        int index;
        const char* written;
    } cases[] = {{"FF", 0, "00"}, {"00", 0, "00"},  {"01", 1, "01"},
                 {"02", 1, "01"}, {"03", 2, "03"},  {"04", 3, "04"},
                 {"05", 4, "05"}, {"06", -1, "06"}, {"80", -1, "80"}};
    for (const auto& c : cases) {
        FormFixture f;
        f.Set(mem::kKeyA, c.stored);
        f.Set(mem::kKeyB, c.stored);
        KeyAssignModel m(f.image, f.state, f.texts);
        EXPECT_EQ(m.aKey, c.index) << c.stored;
        EXPECT_EQ(m.bKey, c.index) << c.stored;
        m.Store();
        EXPECT_EQ(f.Byte(mem::kKeyA), c.written) << c.stored;
        EXPECT_EQ(f.Byte(mem::kKeyB), c.written) << c.stored;
    }
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(KeyAssignModel::IndexOfCode(KeyAssignModel::CodeOfIndex(i)), i);
    EXPECT_EQ(KeyAssignModel::CodeOfIndex(2), 3);  // code 2 is never written
}

TEST(KeyAssign, MonitorBitsAndTheHiddenOptionByte) {
    FormFixture f;
    f.Set(0x065B, "E7");  // monitor bits 00, every other bit set
    f.Set(mem::kKeyOption, "05");
    KeyAssignModel m(f.image, f.state, f.texts);
    EXPECT_EQ(m.monitor, 0);
    EXPECT_EQ(m.optionByte, 5);
    m.monitor = 2;
    m.Store();
    EXPECT_EQ(f.Byte(0x065B), "F7");
    EXPECT_EQ(f.Byte(mem::kKeyOption), "01");  // the check box stores checked as 01
}

TEST(KeyAssign, BasicModelsHideTheSideKeysButNormaliseTheirBytes) {
    FormFixture f(testing::kBasicModel);
    f.Set(mem::kKeyA, "02");
    f.Set(mem::kKeyB, "FF");
    KeyAssignModel m(f.image, f.state, f.texts);
    EXPECT_FALSE(m.sideKeysShown());
    m.Store();
    EXPECT_EQ(f.Byte(mem::kKeyA), "01");
    EXPECT_EQ(f.Byte(mem::kKeyB), "00");
}

TEST(KeyAssign, BasicRadioImageIsNeverLengthened) {
    FormFixture f(testing::kBasicModel);
    f.CutToBasicRead();
    KeyAssignModel m(f.image, f.state, f.texts);
    EXPECT_FALSE(m.sideKeyBytesPresent());
    m.monitor = 1;
    m.Store();
    EXPECT_EQ(f.image.byteCount(), static_cast<std::size_t>(mem::kBasicImageBytes));
    EXPECT_EQ(GetBits(f.Byte(0x065B), 3, 2), "01");
}

}  // namespace
}  // namespace vgr47
