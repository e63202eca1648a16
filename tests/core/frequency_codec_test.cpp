#include <gtest/gtest.h>

#include "core/frequency_codec.h"

using namespace vgr47;

TEST(FrequencyCodec, EncodesTheDecimalDigitsExactly) {
    EXPECT_EQ(EncodeFrequency(136.025), "00256013");
    EXPECT_EQ(EncodeFrequency(66.05), "00506006");
    EXPECT_EQ(EncodeFrequency(66.1), "00006106");
    // 66.11 x 100000 is 6610999.99...: truncating the product would store 99 09 61 06.
    EXPECT_EQ(EncodeFrequency(66.11), "00106106");
    EXPECT_EQ(EncodeFrequencyText("66.11"), "00106106");
    EXPECT_EQ(EncodeFrequencyText(" 527.00000"), "00007052");
    EXPECT_EQ(EncodeFrequencyText("145.00625"), "25065014");
    EXPECT_EQ(EncodeFrequency(-1), "");
    EXPECT_NEAR(DecodeFrequency("00256013"), 136.025, 1e-9);
    for (int units = 6600000; units <= 52700000; units += 62500) {
        double mhz = units / 100000.0;
        EXPECT_EQ(EncodeFrequency(DecodeFrequency(EncodeFrequency(mhz))), EncodeFrequency(mhz)) << mhz;
    }
}

TEST(FrequencyCodec, ClampsToTheBand) {
    EXPECT_DOUBLE_EQ(ClampToBand(100, 136, 174), 136);
    EXPECT_DOUBLE_EQ(ClampToBand(180, 136, 174), 174);
    EXPECT_DOUBLE_EQ(ClampToBand(0.0 / 0.0, 136, 174), 136);
    EXPECT_EQ(ClampFrequencyText("abc", 66, 88), " 66.00000");
    EXPECT_EQ(ClampFrequencyText("150.5", 136, 174), "150.50000");
}
