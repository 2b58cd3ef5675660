// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "samples/sample_line.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vintrelle {
namespace {

TEST(SampleLine, BuiltFromTheFieldTextsAsTheyStand)
{
    EXPECT_EQ(buildSampleLine({"1", "0", "0", "0", "0"}, "-1"), " 1 ; 0 ; 0 ; 0 ; 0   :   -1");
    EXPECT_EQ(buildSampleLine({"0,50", "-0", "7", "-12,5", "0"}, "1"), " 0,50 ; -0 ; 7 ; -12,5 ; 0   :   1");
}

struct ReadRow
{
    const char *name;
    const char *line;
    std::optional<SampleLineInputs> expected;
};

void PrintTo(const ReadRow &row, std::ostream *os)
{
    *os << row.name;
}

const ReadRow readRows[] = {
    {"decimal_and_negative", " 1 ; 0 ; 0,5 ; 0 ; -1   :   1", SampleLineInputs{"1", "0", "0,5", "0", "-1"}},
    {"long_texts", " 123,25 ; -0,001 ; 40 ; 5 ; 6   :   -1", SampleLineInputs{"123,25", "-0,001", "40", "5", "6"}},
    {"blank_target", " 1 ; 2 ; 3 ; 4 ; 5   :   ", SampleLineInputs{"1", "2", "3", "4", "5"}},
    {"no_separators", "abc", std::nullopt},
    {"empty", "", std::nullopt},
    {"too_few_semicolons", " 1 ; 2 ; 3   :   1", std::nullopt},
    {"no_colon", " 1 ; 2 ; 3 ; 4 ; 5", std::nullopt},
    {"separator_first", "; 1 ; 2 ; 3 ; 4   :   1", std::nullopt},
    {"colon_right_after_semicolon", " 1 ; 2 ; 3 ; 4 ;:", std::nullopt},
};

class ReadSampleLine : public ::testing::TestWithParam<ReadRow> {};

TEST_P(ReadSampleLine, GivesTheFiveInputTexts)
{
    EXPECT_EQ(readSampleLine(GetParam().line), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReadSampleLine, ::testing::ValuesIn(readRows),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SampleLine, EveryBuiltLineReadsBackToItsTexts)
{
    const std::array<std::array<std::string_view, 5>, 3> inputs{{
        {"0", "0", "0", "0", "0"},
        {"-1", "1", ",5", "5,", "-0"},
        {"99999", "0,000001", "-3", "12", "0,2"},
    }};
    for (const auto &texts : inputs) {
        const auto back = readSampleLine(buildSampleLine(texts, "1"));
        ASSERT_TRUE(back);
        for (std::size_t i = 0; i < texts.size(); ++i)
            EXPECT_EQ((*back)[i], texts[i]);
    }
}

} // namespace
} // namespace vintrelle
