// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "samples/sample_line.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vintrelle {
namespace {

struct LineRow
{
    const char *name;
    SampleTexts texts;
    std::string line;
    std::array<std::string, 5> loaded;
};

void PrintTo(const LineRow &row, std::ostream *os)
{
    *os << row.name;
}

const LineRow lineRows[] = {
    {"typed_sample", {{"1", "0", "0", "0", "0"}, "-1"}, " 1 ; 0 ; 0 ; 0 ; 0   :   -1", {"1", "0", "0", "0", "0"}},
    {"texts_as_they_stand", {{"0,50", "-0", "7", "-12,5", "0"}, "1"}, " 0,50 ; -0 ; 7 ; -12,5 ; 0   :   1",
     {"0,50", "-0", "7", "-12,5", "0"}},
    // Pasted blanks stay in the line; selecting loads the numbers without them.
    {"blanks_around_texts", {{" 2 ", "\t3", "4\t", "5", "6"}, " -1"}, "  2  ; \t3 ; 4\t ; 5 ; 6   :    -1",
     {"2", "3", "4", "5", "6"}},
    {"blank_target", {{"1", "2", "3", "4", "5"}, ""}, " 1 ; 2 ; 3 ; 4 ; 5   :   ", {"1", "2", "3", "4", "5"}},
};

class SampleLine : public ::testing::TestWithParam<LineRow> {};

TEST_P(SampleLine, ShowsTheTextsAndLoadsThemWithoutBlanks)
{
    const LineRow &row = GetParam();
    EXPECT_EQ(buildSampleLine(row.texts), row.line);
    EXPECT_EQ(inputsToLoad(row.texts), row.loaded);
}

INSTANTIATE_TEST_SUITE_P(Rows, SampleLine, ::testing::ValuesIn(lineRows),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace vintrelle
