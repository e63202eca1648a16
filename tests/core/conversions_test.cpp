#include <gtest/gtest.h>

#include <clocale>

#include "core/codeplug_lib.h"
#include "core/field_clamps.h"

using namespace vgr47;

TEST(NumberParsing, LeadingPartSaturatesAndNeverThrows) {
    EXPECT_EQ(ParseLeadingInt("  42abc"), 42);
    EXPECT_EQ(ParseLeadingInt("abc"), 0);
    EXPECT_EQ(ParseLeadingInt("-7"), -7);
    EXPECT_EQ(ParseLeadingInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(ParseLeadingInt("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(HexToInt("FFFFFFFF"), -1);
    EXPECT_EQ(HexToInt("FFFFFFFFFFFFFFFFFFFF"), 2147483647);
    EXPECT_EQ(HexToInt("1G"), 1);
    EXPECT_EQ(HexToInt(""), 0);
    EXPECT_EQ(HexToInt("ff"), 255);
    bool ok = true;
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("145.125MHz", &ok), 145.125);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("x", &ok), 0.0);
    EXPECT_FALSE(ok);
}

TEST(HexConversions, IntegersAndLittleEndian) {
    EXPECT_EQ(HexLe16ToInt("3412"), 0x1234);
    EXPECT_EQ(HexLe16ToInt("12"), 0x12);
    EXPECT_EQ(HexLe16ToInt("12345"), -1);
    EXPECT_EQ(IntToHex(255, 1), "FF");
    EXPECT_EQ(IntToHex(256, 1), "");
    EXPECT_EQ(IntToHex(-1, 1), "");
    EXPECT_EQ(IntToHex(-1, 4), "FFFFFFFF");
    EXPECT_EQ(IntToHex(5, 2), "0005");
    EXPECT_EQ(IntToHexLe(0x1234, 2), "3412");
    EXPECT_EQ(IntToHexLe(0x12345678, 4), "56781234");
    EXPECT_EQ(IntToHexLe(7, 3), "");
}

TEST(BitConversions, TextsAndRanges) {
    EXPECT_EQ(HexToBits("A5"), "10100101");
    EXPECT_EQ(HexToBits("a"), "1010");
    EXPECT_EQ(HexToBits("G1"), "");
    EXPECT_EQ(BitsToHex("101"), "5");
    EXPECT_EQ(BitsToHex("10100101"), "A5");
    EXPECT_EQ(BitsToHex("1021"), "");
    EXPECT_EQ(BitsToInt("11111111"), 255);
    EXPECT_EQ(IntToBits(5, 8), "00000101");
    EXPECT_EQ(IntToBits(5, 2), "");
    EXPECT_EQ(IntToBits(0, -1), "0");
    EXPECT_EQ(IntToBits(-1, 4), "");
}

TEST(BitAccess, SingleBitsAndFields) {
    EXPECT_EQ(GetBit("80", 7), 1);
    EXPECT_EQ(GetBit("80", 0), 0);
    EXPECT_EQ(GetBit("8", 0), -1);
    EXPECT_EQ(GetBit("80", 8), -1);
    std::string t = "00";
    SetBit(t, 3, 1);
    EXPECT_EQ(t, "08");
    SetBit(t, 3, 0);
    EXPECT_EQ(t, "00");
    t = "00";
    SetBit(t, 8, 1);
    EXPECT_EQ(t, "");
    t = "00";
    SetBit(t, 1, 2);
    EXPECT_EQ(t, "");
    EXPECT_EQ(GetBits("A5", 4, 4), "1010");
    EXPECT_EQ(GetBits("A5", 0, 1), "1");
    EXPECT_EQ(GetBits("A5", 8, 1), "");
    EXPECT_EQ(GetBits("A5", 0, 0), "");
    t = "00";
    SetBits(t, 2, 3, "101");
    EXPECT_EQ(t, "14");
    t = "FF";
    SetBits(t, 1, 2, IntToBits(0, 2));
    EXPECT_EQ(t, "F9");
    t = "00";
    SetBits(t, 7, 2, "11");  // reaches past the byte
    EXPECT_EQ(t, "");
}

TEST(TextConversions, CharactersAndNibbles) {
    EXPECT_EQ(HexToText("4142FF43"), "AB");
    EXPECT_EQ(HexToText("414"), std::string("\x04\x14"));
    EXPECT_EQ(HexToText("FFFF"), "");
    EXPECT_EQ(HexToText(""), "");
    EXPECT_EQ(HexToText("3100"), "1");
    EXPECT_EQ(TextToHex("12#"), "313223");
    std::string s = "1A2B";
    SwapNibbles(s);
    EXPECT_EQ(s, "A1B2");
    s = "123";
    SwapNibbles(s);
    EXPECT_EQ(s, "213");
}

TEST(TextHelpers, RepeatTrimReplace) {
    EXPECT_EQ(RepeatToLength("AB", 5), "ABABA");
    EXPECT_EQ(RepeatToLength("F", 0), "");
    EXPECT_EQ(RepeatToLength("", 5), "");  // an empty pattern must not loop forever
    EXPECT_EQ(RepeatToLength("F", 3), "FFF");
    EXPECT_EQ(TrimText(" \t x y \r\n"), "x y");
    EXPECT_EQ(ReplaceAt("ABCDEF", 2, 2, "xy"), "ABxyEF");
}

TEST(FieldClamps, IntDecimalAndChoice) {
    EXPECT_EQ(ClampIntField("600", 0, 500, 1), "500");
    EXPECT_EQ(ClampIntField("abc", 0, 500, 1), "0");
    EXPECT_EQ(ClampIntField("12", 0, 500, 5), "10");
    EXPECT_EQ(ClampIntField("-3", 2, 9, 1), "2");
    EXPECT_EQ(ClampIntField("99999999999999999999", 0, 500, 1), "500");
    EXPECT_EQ(ClampDecimalField("1.05", 0.5, 10.0, 0.1), "1.0");
    EXPECT_EQ(ClampDecimalField("12", 0.5, 10.0, 0.1), "10.0");
    EXPECT_EQ(ClampDecimalField("0.1", 0.5, 10.0, 0.1), "0.5");
    EXPECT_EQ(ClampDecimalField("1.1", 0.5, 10.0, 0.1), "1.1");
    EXPECT_EQ(ClampDecimalField("abc", 288.5, 3000.0, 0.1), "288.5");
    EXPECT_EQ(ClampDecimalField("420.04", 288.5, 3000.0, 0.1), "420.0");
    EXPECT_EQ(ClampChoiceField(" 50 ", std::vector<std::string>{"10", "50"}), "50");
    EXPECT_EQ(ClampChoiceField("7", std::vector<std::string>{"10", "50"}), "10");
    ValueRule numeric{true, 0.0, 10.0, 0.5, {}};
    EXPECT_EQ(ClampChoiceField("12", numeric), "10.0");
    ValueRule list{false, 0, 0, 0, {"A", "B"}};
    EXPECT_EQ(ClampChoiceField(" B ", list), "B");
}

TEST(Locale, NumbersIgnoreAGermanLocale) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    std::string saved = old ? old : "C";
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale must be installed for this test";
    EXPECT_EQ(DecimalSeparator(), '.');
    EXPECT_EQ(FormatFixed(145.5, 5, 9), "145.50000");
    EXPECT_EQ(FormatFixed(66.05, 5, 9, true), "066.05000");
    EXPECT_EQ(FormatFixed(66.05, 5, 9), " 66.05000");
    EXPECT_EQ(FormatGeneral(136.0), "136");
    EXPECT_EQ(FormatGeneral(527.5), "527.5");
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("145.125"), 145.125);
    EXPECT_EQ(ClampDecimalField("2.5", 0.5, 10.0, 0.1), "2.5");
    std::setlocale(LC_ALL, saved.c_str());
}
