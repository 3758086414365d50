#include "HexText.h"
#include "Keypad.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace qmv::hex {
namespace {

TEST(HexText, ReadsDigitsOfEitherCaseAndRefusesOthers)
{
    EXPECT_EQ(digit('0'), 0);
    EXPECT_EQ(digit('9'), 9);
    EXPECT_EQ(digit('a'), 10);
    EXPECT_EQ(digit('F'), 15);
    EXPECT_FALSE(digit('g').has_value());
    EXPECT_FALSE(digit('G').has_value());
    EXPECT_FALSE(digit(' ').has_value());
    EXPECT_FALSE(digit('\0').has_value());
    EXPECT_TRUE(isHex("09afAF"));
    EXPECT_TRUE(isHex(""));
    EXPECT_FALSE(isHex("12 4"));
}

TEST(HexText, ValuesHoldUpToEightDigits)
{
    EXPECT_EQ(value("7FFF"), 0x7FFFu);
    EXPECT_EQ(value("ffffffff"), 0xFFFFFFFFu);
    EXPECT_EQ(value(""), 0u);
    EXPECT_FALSE(value("123456789").has_value()) << "nine digits do not fit 32 bits";
    EXPECT_FALSE(value("12x4").has_value());
}

TEST(HexText, ReadsBytesAndLowFirstWordsByIndex)
{
    EXPECT_EQ(byteAt("00A5ff", 1), 0xA5);
    EXPECT_EQ(byteAt("00A5ff", 2), 0xFF);
    EXPECT_FALSE(byteAt("00A5f", 2).has_value()) << "half a byte is no byte";
    EXPECT_FALSE(byteAt("00Z5", 1).has_value());
    EXPECT_EQ(le16At("3412", 0), 0x1234);
    EXPECT_FALSE(le16At("34", 0).has_value());
    EXPECT_EQ(byte(0x1AB), "AB") << "only the low byte is written";
    EXPECT_EQ(le16(0xB03C), "3CB0");
}

TEST(HexText, EncodesAndDecodesWholeBytes)
{
    const std::vector<std::uint8_t> bytes{0x00, 0x7F, 0x80, 0xFF, 0x3C};
    EXPECT_EQ(encode(bytes), "007F80FF3C");
    EXPECT_EQ(decode("007f80ff3c"), bytes);
    EXPECT_EQ(decode(""), std::vector<std::uint8_t>{});
    EXPECT_FALSE(decode("007").has_value());
    EXPECT_FALSE(decode("0G").has_value());
}

TEST(HexText, ComparesWithoutRegardToCase)
{
    EXPECT_TRUE(equalsIgnoringCase("ab12", "AB12"));
    EXPECT_FALSE(equalsIgnoringCase("ab12", "AB1"));
    EXPECT_EQ(upper("a5f0"), "A5F0");
}

TEST(Keypad, PictureIndexReadsTheKeyCodeAsHex)
{
    EXPECT_EQ(pictureIndex("00"), 0);
    EXPECT_EQ(pictureIndex("71"), 0x71);
    EXPECT_EQ(pictureIndex("1x"), -1);
}

TEST(Keypad, FindsKeysByCodeFirstThenLabelAndAreasByNameOrNumber)
{
    ASSERT_TRUE(findKey("30").has_value());
    EXPECT_EQ(findKey("30")->label, "VOL+");
    ASSERT_TRUE(findKey("VOL+").has_value());
    EXPECT_EQ(findKey("VOL+")->code, "30");
    EXPECT_FALSE(findKey("").has_value()) << "the unlabelled power keys are found by code only";
    EXPECT_FALSE(findKey("VOL++").has_value());
    EXPECT_EQ(areaFromName("dvd"), 2);
    EXPECT_EQ(areaFromName("3"), 3);
    EXPECT_FALSE(areaFromName("4").has_value());
    EXPECT_FALSE(areaFromName("TVX").has_value());
}

} // namespace
} // namespace qmv::hex
