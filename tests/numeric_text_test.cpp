// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/numeric_text.h"
#include "named_rows.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace vintrelle {
namespace {

using named_rows::PrintTo;

struct DoubleRow
{
    const char *name;
    const char *text;
    std::optional<double> expected;
};

// Each row is read both as a double and as a float.
const DoubleRow numberRows[] = {
    {"blanks_around", " 0,2 ", 0.2},
    {"tab_around", "\t1,5\t", 1.5},
    {"minus_one", "-1", -1.0},
    {"plain_integer", "37", 37.0},
    {"leading_comma", ",5", 0.5},
    {"trailing_comma", "5,", 5.0},
    {"negative_leading_comma", "-,25", -0.25},
    {"leading_zeros", "007,50", 7.5},
    {"empty", "", std::nullopt},
    {"only_blanks", "   ", std::nullopt},
    {"lone_minus", "-", std::nullopt},
    {"lone_comma", ",", std::nullopt},
    {"minus_comma", "-,", std::nullopt},
    {"letters", "abc", std::nullopt},
    {"two_commas", "1,2,3", std::nullopt},
    {"period", "1.5", std::nullopt},
    {"thousands_period", "1.000", std::nullopt},
    {"exponent", "1e5", std::nullopt},
    {"plus_sign", "+1", std::nullopt},
    {"double_minus", "--1", std::nullopt},
    {"inner_blank", "1 5", std::nullopt},
    {"blank_after_minus", "- 1", std::nullopt},
    {"infinity_word", "inf", std::nullopt},
    {"nan_word", "nan", std::nullopt},
    {"hex", "0x10", std::nullopt},
    {"trailing_letter", "3a", std::nullopt},
    {"non_ascii_digit", "\xd9\xa3", std::nullopt},
};

class TextToNumber : public ::testing::TestWithParam<DoubleRow> {};

TEST_P(TextToNumber, ReadsAsDoubleAndSingle)
{
    const DoubleRow &row = GetParam();
    const auto asDouble = textToDouble(row.text);
    const auto asSingle = textToSingle(row.text);
    ASSERT_EQ(asDouble.has_value(), row.expected.has_value());
    ASSERT_EQ(asSingle.has_value(), row.expected.has_value());
    if (row.expected) {
        EXPECT_EQ(*asDouble, *row.expected);
        EXPECT_EQ(*asSingle, static_cast<float>(*row.expected));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, TextToNumber, ::testing::ValuesIn(numberRows),
                         named_rows::ByName());

TEST(TextToNumberRange, NegativeZeroKeepsItsSign)
{
    const auto value = textToDouble("-0");
    ASSERT_TRUE(value);
    EXPECT_TRUE(std::signbit(*value));
}

TEST(TextToNumberRange, SingleIsTheNearestFloatNotARoundedDouble)
{
    // 0.2 as a float is not the float of the double 0.2 only by luck: check
    // a value where double rounding would differ.
    // 1.00000005960464477539062500000001 lies just above the halfway point
    // between 1 and the next float, so the nearest float is the upper one.
    const auto value = textToSingle("1,00000005960464477539062500000001");
    ASSERT_TRUE(value);
    EXPECT_EQ(*value, std::nextafter(1.0f, 2.0f));
}

TEST(TextToNumberRange, TooLargeForTheTypeFails)
{
    const std::string beyondFloat = "340282356779733661637539395458142568448"; // just above FLT_MAX
    EXPECT_FALSE(textToSingle(beyondFloat));
    EXPECT_TRUE(textToDouble(beyondFloat));
    EXPECT_FALSE(textToDouble("1" + std::string(309, '0')));
    EXPECT_FALSE(textToDouble("-1" + std::string(309, '0')));
}

TEST(TextToNumberRange, TooSmallForTheTypeBecomesZero)
{
    const std::string tiny = "0," + std::string(60, '0') + "1";
    const auto single = textToSingle(tiny);
    ASSERT_TRUE(single);
    EXPECT_EQ(*single, 0.0f);
    const auto negative = textToSingle("-" + tiny);
    ASSERT_TRUE(negative);
    EXPECT_TRUE(std::signbit(*negative));
    const auto asDouble = textToDouble(tiny);
    ASSERT_TRUE(asDouble);
    EXPECT_GT(*asDouble, 0.0);
    EXPECT_EQ(textToDouble("0," + std::string(400, '0') + "1"), 0.0);
}

struct IntegerRow
{
    const char *name;
    const char *text;
    std::optional<std::int16_t> expected;
};

const IntegerRow integerRows[] = {
    {"default_limit", "10000", 10000},
    {"minus_one", "-1", -1},
    {"zero", "0", 0},
    {"half_to_even_down", "10,5", 10},
    {"half_to_even_up", "11,5", 12},
    {"just_above_half", "10,5000001", 11},
    {"just_below_half", "10,4999999", 10},
    {"half_and_a_hundredth_up", "10,51", 11},
    {"half_and_a_thousandth_up", "12,501", 13},
    {"negative_half_to_even", "-2,5", -2},
    {"negative_half_up", "-3,5", -4},
    {"small_negative_fraction", "-0,4", 0},
    {"blanks_around", " 25 ", 25},
    {"leading_zeros", "0000032767", 32767},
    {"largest", "32767", 32767},
    {"smallest", "-32768", -32768},
    {"smallest_with_half", "-32768,5", -32768},
    {"above_largest", "32768", std::nullopt},
    {"rounds_above_largest", "32767,5", std::nullopt},
    {"below_smallest", "-32769", std::nullopt},
    {"forty_thousand", "40000", std::nullopt},
    {"many_digits", "123456789012345678901234567890", std::nullopt},
    {"empty", "", std::nullopt},
    {"letters", "dieci", std::nullopt},
    {"period", "10.5", std::nullopt},
};

class TextToInteger : public ::testing::TestWithParam<IntegerRow> {};

TEST_P(TextToInteger, RoundsHalfToEvenWithinSixteenBits)
{
    const IntegerRow &row = GetParam();
    EXPECT_EQ(textToInteger(row.text), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, TextToInteger, ::testing::ValuesIn(integerRows),
                         named_rows::ByName());

TEST(IntegerToText, PlainDigits)
{
    EXPECT_EQ(integerToText(0), "0");
    EXPECT_EQ(integerToText(1), "1");
    EXPECT_EQ(integerToText(37), "37");
    EXPECT_EQ(integerToText(-32768), "-32768");
}

struct FormatRow
{
    const char *name;
    double value;
    std::string expected;
};

const FormatRow formatRows[] = {
    {"half", 0.5, "0,5"},
    {"whole", 2.0, "2"},
    {"negative_fraction", -0.75, "-0,75"},
    {"negative_zero", -0.0, "-0"},
    {"zero", 0.0, "0"},
    {"sum_with_binary_noise", 0.1 + 0.2, "0,3"},
    {"fifteen_digits", 1.0 / 3.0, "0,333333333333333"},
    {"rounds_at_fifteen_digits", 2.0 / 3.0, "0,666666666666667"},
    {"large_without_exponent", 1e20, "100000000000000000000"},
    {"small_without_exponent", 1.5e-7, "0,00000015"},
    {"no_grouping", 1234567.0, "1234567"},
    // The float nearest 0.2, 0x1.99999ap-3 (not static_cast<double>(0.2f):
    // where float constants keep excess precision, that is the double 0.2).
    {"float_of_two_tenths", 0x1.99999ap-3, "0,200000002980232"},
    {"nineteen_digits_then_zeros", 1234567890123456789.0, "1234567890123460000"},
    {"sixteen_nines_round_up", 9999999999999999.0, "10000000000000000"},
    {"ten_to_the_forty", 1e40, "1" + std::string(40, '0')},
    {"negative_ten_to_the_forty", -1e40, "-1" + std::string(40, '0')},
    {"largest_double_cut_to_fifteen_digits", std::numeric_limits<double>::max(),
     "179769313486231" + std::string(294, '0')},
    {"smallest_subnormal", std::numeric_limits<double>::denorm_min(),
     "0," + std::string(323, '0') + "494065645841247"},
};

class DoubleToText : public ::testing::TestWithParam<FormatRow> {};

TEST_P(DoubleToText, WritesAtMostFifteenDigitsWithAComma)
{
    EXPECT_EQ(doubleToText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, DoubleToText, ::testing::ValuesIn(formatRows),
                         named_rows::ByName());

// Digits from the first non-zero one to the last non-zero one: "-0,0120" -> 2.
std::size_t significantDigits(const std::string &text)
{
    std::string digits;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            digits += c;
    }
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    return digits.find_last_not_of('0') - first + 1;
}

TEST(DoubleToTextRoundTrip, ExtremesReadBackToTheirFifteenDigits)
{
    for (const double value : {std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
                               1e300, 123456789.123456789, 0x1p70, -0x1p100 / 3}) {
        const std::string text = doubleToText(value);
        EXPECT_EQ(text.find_first_of("eE.+"), std::string::npos) << text;
        EXPECT_LE(significantDigits(text), 15u) << text;
        const auto back = textToDouble(text);
        ASSERT_TRUE(back) << text;
        EXPECT_NEAR(*back, value, std::fabs(value) * 1e-14) << text;
        EXPECT_EQ(doubleToText(*back), text);
    }
}

struct SingleFormatRow
{
    const char *name;
    float value;
    std::string expected;
};

const SingleFormatRow singleFormatRows[] = {
    {"two_tenths", 0.2f, "0,2"},
    {"negative_fraction", -0.75f, "-0,75"},
    {"small_without_exponent", 1e-7f, "0,0000001"},
    {"two_to_the_24", 16777216.0f, "16777216"},
    {"large_negative_then_zeros", -2e29f, "-2" + std::string(29, '0')},
    {"shortest_digits_of_an_even_float", 123456792.0f, "123456790"},
    {"largest_float", std::numeric_limits<float>::max(), "34028235" + std::string(31, '0')},
    {"negative_zero", -0.0f, "-0"},
};

class SingleToText : public ::testing::TestWithParam<SingleFormatRow> {};

TEST_P(SingleToText, ShowsTheShortestDigitsThenZeros)
{
    const SingleFormatRow &row = GetParam();
    EXPECT_EQ(singleToText(row.value), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, SingleToText, ::testing::ValuesIn(singleFormatRows),
                         named_rows::ByName());

// The same rows' shape for the rounded text of the diagram's weights.
const SingleFormatRow roundedRows[] = {
    {"quarter", 0.25f, "0,25"},
    {"third_rounds_down", -0.374f, "-0,37"},
    {"exact_half_goes_to_the_even_neighbour", 0.125f, "0,12"},
    {"zero", 0.0f, "0,00"},
    {"negative_zero_is_zero", -0.0f, "0,00"},
    {"small_negative_keeps_its_sign", -0.001f, "-0,00"},
    // The float, not its decimal name, is rounded: 0.145f is 0.14499999...,
    // 2.005f is 2.00500011...
    {"float_below_the_half", 0.145f, "0,14"},
    {"float_above_the_half", 2.005f, "2,01"},
    {"largest_with_two_decimals", 999.99f, "999,99"},
    {"thousand_takes_a_power_of_ten", 1000.0f, "1,0e3"},
    {"large", 12345.0f, "1,2e4"},
    {"very_large_negative", -3.4e20f, "-3,4e20"},
    {"largest_float", std::numeric_limits<float>::max(), "3,4e38"},
    {"tiny", 1e-30f, "0,00"},
};

class RoundedText : public ::testing::TestWithParam<SingleFormatRow> {};

TEST_P(RoundedText, TwoDecimalsOrOneAndAPowerOfTen)
{
    const SingleFormatRow &row = GetParam();
    EXPECT_EQ(roundedText(row.value), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, RoundedText, ::testing::ValuesIn(roundedRows),
                         named_rows::ByName());

TEST(SingleToTextRoundTrip, EveryTextReadsBackToTheSameFloat)
{
    // Nine digits are needed to tell 0.1f from the next float; the text keeps them apart.
    for (const float value : {std::nextafter(0.1f, 1.0f), std::numeric_limits<float>::max(),
                              -std::numeric_limits<float>::max(), std::numeric_limits<float>::min(),
                              std::numeric_limits<float>::denorm_min(), std::nextafter(-2e29f, 0.0f),
                              0x1p100f / 3, 16777217.0f}) {
        const std::string text = singleToText(value);
        EXPECT_EQ(text.find_first_of("eE.+"), std::string::npos) << text;
        EXPECT_LE(significantDigits(text), 9u) << text;
        EXPECT_EQ(textToSingle(text), value) << text;
    }
}

struct SignRow
{
    const char *name;
    std::string text;
    bool negative;
    std::optional<std::string> expected;
};

const SignRow signRows[] = {
    {"down_on_positive", "0,5", true, "-0,5"},
    {"down_on_negative", "-2", true, "-2"},
    {"down_on_zero", "0", true, "-0"},
    {"down_on_quarter", "0,25", true, "-0,25"},
    {"up_on_negative", "-0,5", false, "0,5"},
    {"up_on_positive", "3", false, "3"},
    {"up_on_negative_zero", "-0", false, "0"},
    {"up_rewrites_form", "007,50", false, "7,5"},
    {"down_on_nineteen_digits", "1234567890123456789", true, "-1234567890123460000"},
    {"down_on_ten_to_the_forty", "1" + std::string(40, '0'), true, "-1" + std::string(40, '0')},
    {"down_on_empty", "", true, std::nullopt},
    {"up_on_lone_minus", "-", false, std::nullopt},
};

class ForcedSign : public ::testing::TestWithParam<SignRow> {};

TEST_P(ForcedSign, RewritesTheFieldText)
{
    const SignRow &row = GetParam();
    EXPECT_EQ(withForcedSign(row.text, row.negative), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ForcedSign, ::testing::ValuesIn(signRows),
                         named_rows::ByName());

// The desktop sets the process locale from the environment; a locale whose
// decimal separator is the comma must not change any conversion.
TEST(Locale, ConversionsDoNotFollowTheProcessLocale)
{
    // The test build compiles an Italian locale of its own (LOCPATH).
    ASSERT_NE(std::setlocale(LC_ALL, "it_IT.UTF-8"), nullptr);
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(textToDouble("0,2"), 0.2);
    EXPECT_EQ(textToSingle(" 0,2 "), 0.2f);
    EXPECT_FALSE(textToDouble("0.2"));
    EXPECT_EQ(textToInteger("10,5"), 10);
    EXPECT_EQ(doubleToText(-0.75), "-0,75");
    EXPECT_EQ(integerToText(-12345), "-12345");
    std::setlocale(LC_ALL, "C");
}

} // namespace
} // namespace vintrelle
