#include <gtest/gtest.h>

#include "core/tone_codec.h"

using namespace vgr47;

namespace {
const std::string kOff = "Off";
}

TEST(ToneCodec, DecodesStoredCodes) {
    EXPECT_EQ(DecodeTone("FFFF", kOff), kOff);
    EXPECT_EQ(DecodeTone("0000", kOff), kOff);
    EXPECT_EQ(DecodeTone("7503", kOff), "88.5");
    EXPECT_EQ(DecodeTone("1328", kOff), "D023N");
    EXPECT_EQ(DecodeTone("13A8", kOff), "D023I");
    EXPECT_EQ(DecodeTone("13a8", kOff), "D023I");
    EXPECT_EQ(DecodeTone("EC29", kOff), "D754N");
    EXPECT_EQ(DecodeTone("0028", kOff), "DN");  // a code word outside the table
    EXPECT_EQ(DecodeTone("", kOff), "");
}

TEST(ToneCodec, EncodesTexts) {
    EXPECT_EQ(EncodeTone("254.1", kOff), "ED09");
    EXPECT_EQ(EncodeTone("D754I", kOff), "ECA9");
    EXPECT_EQ(EncodeTone("", kOff), "FFFF");
    EXPECT_EQ(EncodeTone(kOff, kOff), "FFFF");
    EXPECT_EQ(EncodeTone("D999N", kOff), "");  // never a short code for the image
}

TEST(ToneCodec, TheWholeToneListRoundTrips) {
    std::vector<std::string> list = ToneList(kOff);
    ASSERT_EQ(list.size(), 218u);
    EXPECT_EQ(list[0], kOff);
    EXPECT_EQ(list[51], "254.1");
    EXPECT_EQ(list[52], "D023N");
    EXPECT_EQ(list.back(), "D754I");
    for (std::size_t i = 1; i < list.size(); ++i) {
        std::string code = EncodeTone(list[i], kOff);
        ASSERT_EQ(code.size(), 4u) << list[i];
        EXPECT_EQ(DecodeTone(code, kOff), list[i]);
    }
    ASSERT_EQ(DcsTable().size(), 83u);
    EXPECT_EQ(DcsTable().front(), "023813");
    EXPECT_EQ(DcsTable().back(), "7549EC");
    EXPECT_EQ(DcsLookup(" 754 ", true), "9EC");
    EXPECT_EQ(DcsLookup("9ec", false), "754");
    EXPECT_EQ(DcsLookup("999", true), "");
}

TEST(SnapFrequency, PicksTheNearerGridPointBelow) {
    struct Case {
        const char* in;
        const char* out;
        int flag;
    } cases[] = {
        {"145.00625", "145.00625", 1}, {"145.005", "145.00500", 0},   {"145.025", "145.02500", 1},
        {"145.0049", "145.00000", 0},  {"145.0062", "145.00500", 0},  {"145.1234", "145.12000", 0},
        {"145.0065", "145.00625", 1},  {"66.05", " 66.05000", 1},     {"527", "527.00000", 1},
        {"438.0125", "438.01250", 1},  {"173.99999", "173.99500", 0},
    };
    for (const Case& c : cases) {
        int flag = -1;
        EXPECT_EQ(SnapFrequency(c.in, &flag), c.out) << c.in;
        EXPECT_EQ(flag, c.flag) << c.in;
    }
}
