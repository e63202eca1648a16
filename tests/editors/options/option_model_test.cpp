// The optional features form's model: its reading rules and what OK writes.
#include "editors/options/option_model.h"

#include <gtest/gtest.h>

#include "editors/scan/scan_model.h"
#include "tests/support/form_fixture.h"

namespace vgr47 {
namespace {

using testing::FormFixture;

// Opens the form on the image, presses OK, and gives the byte at the address.
std::string AfterOk(FormFixture& f, int address) {
    OptionModel(f.image, f.state, f.texts).Store();
    return f.Byte(address);
}

TEST(Options, DefaultImageLoadsAndOkChangesNothing) {
    FormFixture f;
    const std::string before = f.image.image();
    OptionModel m(f.image, f.state, f.texts);
    EXPECT_EQ(m.tot, 2);
    EXPECT_EQ(m.squelch, 3);
    EXPECT_EQ(m.ptt, 2);
    EXPECT_EQ(m.autoAnswer, 255);
    EXPECT_TRUE(m.keyLock);
    EXPECT_TRUE(m.signallingEnabled());
    m.Store();
    EXPECT_EQ(f.image.image(), before);
}

TEST(Options, TimeOutTimerRangeCheck) {
    const struct {
        const char* stored;
        int index;
        const char* written;
    } cases[] = {
        {"06", 6, "06"}, {"07", -1, "07"}, {"0A", -1, "0A"}, {"0B", 0, "00"}, {"FF", 0, "00"}};
    for (const auto& c : cases) {
        FormFixture f;
        f.Set(0x065D, c.stored);
        EXPECT_EQ(OptionModel(f.image, f.state, f.texts).tot, c.index) << c.stored;
        EXPECT_EQ(AfterOk(f, 0x065D), c.written) << c.stored;
    }
}

TEST(Options, ReKeyAndTotTimesRangeChecks) {
    FormFixture f;
    f.Set(0x065E, "3C");  // 60
    EXPECT_EQ(OptionModel(f.image, f.state, f.texts).rekey, 60);
    f.Set(0x065E, "3D");
    EXPECT_EQ(AfterOk(f, 0x065E), "00");

    f.Set(0x065F, "A5");
    OptionModel m(f.image, f.state, f.texts);
    EXPECT_EQ(m.preAlert, 10);
    EXPECT_EQ(m.reset, 5);
    EXPECT_EQ(AfterOk(f, 0x065F), "A5");
    f.Set(0x065F, "BF");  // pre-alert 11 is out of range; reset 15 is the last entry
    EXPECT_EQ(AfterOk(f, 0x065F), "0F");
}

TEST(Options, SquelchIsReadAsADecimalNumber) {
    const struct {
        const char* stored;
        int index;
        const char* written;
    } cases[] = {
        {"00", 0, "00"}, {"09", 9, "09"}, {"0A", 0, "00"}, {"10", -1, "10"}, {"A1", 0, "00"}};
    for (const auto& c : cases) {
        FormFixture f;
        f.Set(0x065C, c.stored);
        EXPECT_EQ(OptionModel(f.image, f.state, f.texts).squelch, c.index) << c.stored;
        EXPECT_EQ(AfterOk(f, 0x065C), c.written) << c.stored;
    }
}

TEST(Options, PowerBits11AndPttBits10ShowEntry0AndWrite00) {
    FormFixture f;
    f.Set(0x065B, "06");  // power bits 11
    f.Set(0x0660, "20");  // PTT bits 10
    OptionModel m(f.image, f.state, f.texts);
    EXPECT_EQ(m.power, 0);
    EXPECT_EQ(m.ptt, 0);
    m.Store();
    EXPECT_EQ(f.Byte(0x065B), "00");
    EXPECT_EQ(f.Byte(0x0660), "00");
}

TEST(Options, BitsOfOtherOwnersSurviveAnOpenOkCycle) {
    FormFixture f;
    f.Set(0x065B, "18");  // bits 4..3: the monitor key
    f.Set(0x0660, "CA");  // bits 7, 6, 3 and power-on scan bits 01
    OptionModel m(f.image, f.state, f.texts);
    EXPECT_FALSE(m.keyLock);
    m.Store();
    EXPECT_EQ(f.Byte(0x065B), "18");
    EXPECT_EQ(f.Byte(0x0660), "CA");
}

TEST(Options, OkKeepsThePowerOnScanBitsTheScanFormWroteMeanwhile) {
    FormFixture f;
    OptionModel options(f.image, f.state, f.texts);  // open: bits 2..1 are 01
    ScanModel scan(f.image, f.state, f.texts, *f.channels);
    scan.powerOnScan = 0;
    scan.Store();
    options.powerOn = false;
    options.Store();
    EXPECT_EQ(f.Byte(0x0660), "FE");  // FB with power-on scan 11, power-on cleared
}

TEST(Options, BasicRadioImageKeepsItsLength) {
    FormFixture f(testing::kBasicModel);
    f.CutToBasicRead();
    OptionModel m(f.image, f.state, f.texts);
    EXPECT_FALSE(m.signallingEnabled());
    m.squelch = 9;
    m.Store();
    EXPECT_EQ(f.image.byteCount(), static_cast<std::size_t>(mem::kBasicImageBytes));
    EXPECT_EQ(f.Byte(0x065C), "09");
}

}  // namespace
}  // namespace vgr47
