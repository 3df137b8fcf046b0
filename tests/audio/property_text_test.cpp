#include "audio/property_text.h"

#include <gtest/gtest.h>

namespace q31::audio {
namespace {

TEST(PropertyText, NumbersAreReadOnlyFromPlainDecimalText)
{
    EXPECT_EQ(IntegerOf(u"7"), 7);
    EXPECT_EQ(IntegerOf(u" -13 "), -13);
    EXPECT_EQ(IntegerOf(u"+2"), 2);
    EXPECT_EQ(IntegerOf(u""), std::nullopt);
    EXPECT_EQ(IntegerOf(u"7x"), std::nullopt);
    EXPECT_EQ(IntegerOf(u"0.5"), std::nullopt);
    EXPECT_EQ(IntegerOf(u"\u0667"), std::nullopt);  // a digit, but not ASCII
    EXPECT_DOUBLE_EQ(*NumberOf(u"0.37"), 0.37);
    EXPECT_DOUBLE_EQ(*NumberOf(u"-12.5"), -12.5);
    EXPECT_EQ(NumberOf(u"nan"), std::nullopt);
    EXPECT_EQ(NumberOf(u"inf"), std::nullopt);
    EXPECT_EQ(NumberOf(u"0,37"), std::nullopt);
}

TEST(PropertyText, LevelsAreRoundedNotTruncated)
{
    // 0.29f is 0.28999999...; truncated it would read back as 28.
    EXPECT_EQ(LevelOfScalar(static_cast<double>(0.29f)), 29);
    EXPECT_EQ(LevelOfScalar(0.29), 29);
    EXPECT_EQ(LevelOfScalar(static_cast<double>(0.37f)), 37);
    EXPECT_EQ(LevelOfScalar(0.0), 0);
    EXPECT_EQ(LevelOfScalar(1.0), 100);
    EXPECT_EQ(LevelOfScalar(1.7), 100);
    EXPECT_EQ(LevelOfScalar(-0.2), 0);
    for (int level = 0; level <= 100; ++level)
        EXPECT_EQ(LevelOfScalar(static_cast<double>(static_cast<float>(level) / 100.0f)), level) << level;
}

TEST(PropertyText, FeatureWordsAreFieldsZeroFourAndSixOfSevenOrMore)
{
    using Words = std::array<std::int32_t, 3>;
    EXPECT_EQ(FeatureWordsOf(u"1,0,0,0,5,0,7"), (Words{1, 5, 7}));
    EXPECT_EQ(FeatureWordsOf(u"131073, 0, 0, 0, 5, 0, 7, 9"), (Words{0x20001, 5, 7}));
    EXPECT_EQ(FeatureWordsOf(u"4294967295,0,0,0,0,0,0"), (Words{-1, 0, 0}));
    EXPECT_EQ(FeatureWordsOf(u"1,2,3"), std::nullopt);
    EXPECT_EQ(FeatureWordsOf(u""), std::nullopt);
    EXPECT_EQ(FeatureWordsOf(u"1,0,0,0,x,0,7"), std::nullopt);
    EXPECT_EQ(FeatureWordsOf(u"1,0,0,0,99999999999,0,7"), std::nullopt);
}

}  // namespace
}  // namespace q31::audio
