// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/input_plane.h"
#include "named_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace vintrelle {
namespace {

using named_rows::PrintTo;

SampleRow sample(float x1, float x2, float x3, float x4, float x5, float target)
{
    return {-1.0f, x1, x2, x3, x4, x5, target};
}

const std::vector<SampleRow> xorSamples{sample(0, 0, 0, 0, 0, -1), sample(0, 1, 0, 0, 0, 1),
                                        sample(1, 0, 0, 0, 0, 1), sample(1, 1, 0, 0, 0, -1)};

// --- Which inputs the axes show -------------------------------------------

struct AxesRow
{
    std::string name;
    std::vector<SampleRow> samples;
    int horizontal;
    int vertical;
    bool chosenByUser;
    std::string slice;
};

const std::vector<AxesRow> axesRows{
    {"Xor", xorSamples, 1, 2, false, ""},
    {"OnlyX3Varies", {sample(0, 0, 1, 0, 0, 1), sample(0, 0, 2, 0, 0, -1)}, 3, 4, false, ""},
    {"OnlyX5Varies", {sample(0, 0, 0, 0, 1, 1), sample(0, 0, 0, 0, 2, -1)}, 4, 5, false, ""},
    {"OneSample", {sample(3, 0, 0, 0, 0, 1)}, 1, 2, false, ""},
    {"NoSamples", {}, 1, 2, false, ""},
    {"X2AndX5", {sample(0, 1, 0, 0, 1, 1), sample(0, 2, 0, 0, 0, -1)}, 2, 5, false, ""},
    {"X3HeldAtOne", {sample(0, 0, 1, 0, 0, 1), sample(1, 1, 1, 0, 0, -1)}, 1, 2, false,
     "Sezione con X3 = 1; X4, X5 = 0"},
    {"ThreeVary", {sample(0, 0, 0, 0, 0, 1), sample(1, 0, 1, 1, 0, -1)}, 1, 3, true, "Sezione con X2, X4, X5 = 0"},
};

class Axes : public ::testing::TestWithParam<AxesRow> {};

TEST_P(Axes, AreTheInputsThatVary)
{
    const AxesRow &row = GetParam();
    InputPlane plane;
    plane.setSamples(row.samples);
    EXPECT_EQ(plane.horizontalInput(), row.horizontal);
    EXPECT_EQ(plane.verticalInput(), row.vertical);
    EXPECT_EQ(plane.axesChosenByUser(), row.chosenByUser);
    EXPECT_EQ(plane.sliceText(), row.slice);
}

INSTANTIATE_TEST_SUITE_P(Rows, Axes, ::testing::ValuesIn(axesRows), named_rows::ByName());

TEST(Axes, TheSameInputOnBothIsRefused)
{
    InputPlane plane;
    plane.setSamples(axesRows.back().samples);
    EXPECT_FALSE(plane.setAxes(3, 3));
    EXPECT_FALSE(plane.setAxes(0, 3));
    EXPECT_EQ(plane.horizontalInput(), 1);
    EXPECT_EQ(plane.verticalInput(), 3);
    EXPECT_TRUE(plane.setAxes(4, 1));
    EXPECT_EQ(plane.horizontalInput(), 4);
    EXPECT_EQ(plane.sliceText(), "Sezione con X2, X3, X5 = 0");
}

// --- Ticks ------------------------------------------------------------------

struct TicksRow
{
    std::string name;
    double low;
    double high;
    std::vector<double> ticks;
};

const std::vector<TicksRow> tickRows{
    {"UnitRange", 0, 1, {-0.5, 0, 0.5, 1, 1.5}},
    {"AcrossZero", -3, 7, {-4, -2, 0, 2, 4, 6, 8}},
    {"OneValue", 5, 5, {4, 4.5, 5, 5.5, 6}},
    {"Huge", 0, 1e38, {-5e37, 0, 5e37, 1e38, 1.5e38}},
    {"Tiny", 0, 1e-6, {-5e-7, 0, 5e-7, 1e-6, 1.5e-6}},
};

class Ticks : public ::testing::TestWithParam<TicksRow> {};

TEST_P(Ticks, CoverTheRangeAtRoundSteps)
{
    const TicksRow &row = GetParam();
    const PlaneAxis axis = planeAxis(row.low, row.high);
    ASSERT_EQ(axis.ticks.size(), row.ticks.size());
    for (std::size_t i = 0; i < row.ticks.size(); ++i)
        EXPECT_NEAR(axis.ticks[i], row.ticks[i], 1e-12 * std::fabs(row.high - row.low)) << i;
    EXPECT_EQ(axis.low, axis.ticks.front());
    EXPECT_EQ(axis.high, axis.ticks.back());
}

INSTANTIATE_TEST_SUITE_P(Rows, Ticks, ::testing::ValuesIn(tickRows), named_rows::ByName());

struct TickTextRow
{
    std::string name;
    double value;
    double step;
    std::string text;
};

const std::vector<TickTextRow> tickTextRows{
    {"Half", 0.5, 0.5, "0,5"},
    {"Whole", -6, 2, "-6"},
    {"SumOfTenths", 0.1 + 0.2, 0.1, "0,3"},
    {"NearZero", 1e-17, 0.1, "0"},
    {"LargePlain", 150000, 50000, "150000"},
    {"LargeStep", 1e6, 1e5, "1e6"},
    {"Huge", 1.5e38, 5e37, "1,5e38"},
    {"HugeNegative", -5e37, 5e37, "-5e37"},
    {"Tiny", 5e-7, 1e-7, "5e-7"},
};

class TickText : public ::testing::TestWithParam<TickTextRow> {};

TEST_P(TickText, IsShortWithTheComma)
{
    EXPECT_EQ(tickText(GetParam().value, GetParam().step), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Rows, TickText, ::testing::ValuesIn(tickTextRows), named_rows::ByName());

TEST(Ticks, OfTheCurveAreWholeNumbers)
{
    EXPECT_EQ(countTicks(0), (std::vector<int>{0, 1}));
    EXPECT_EQ(countTicks(3), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(countTicks(7), (std::vector<int>{0, 2, 4, 6, 8}));
    EXPECT_EQ(countTicks(11), (std::vector<int>{0, 5, 10, 15}));
    EXPECT_EQ(passTicks(4, 6), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(passTicks(10, 6), (std::vector<int>{2, 4, 6, 8, 10}));
    EXPECT_EQ(passTicks(32767, 6), (std::vector<int>{1, 10000, 20000, 30000}));
    EXPECT_EQ(passTicks(32767, 2), (std::vector<int>{1, 20000}));
}

// --- The line ---------------------------------------------------------------

struct LineRow
{
    std::string name;
    WeightVector weights;
    std::vector<PlanePoint> ends;   // none, or two in any order
    std::string equation;
};

// XOR's view is -0,5 .. 1,5 on both axes.
const std::vector<LineRow> lineRows{
    {"Vertical", {0.5f, 1, 0, 0, 0, 0}, {{0.5, -0.5}, {0.5, 1.5}},
     "Retta dove la somma pesata è 0: 1 × X1 + 0 × X2 = 0,5"},
    {"Horizontal", {-0.25f, 0, -1, 0, 0, 0}, {{-0.5, 0.25}, {1.5, 0.25}},
     "Retta dove la somma pesata è 0: 0 × X1 - 1 × X2 = -0,25"},
    {"Diagonal", {0.5f, 1, 1, 0, 0, 0}, {{-0.5, 1}, {1, -0.5}},
     "Retta dove la somma pesata è 0: 1 × X1 + 1 × X2 = 0,5"},
    {"Misses", {100, 1, 0, 0, 0, 0}, {}, "Retta dove la somma pesata è 0: 1 × X1 + 0 × X2 = 100"},
    {"NoLineOutputMinusOne", {0.3f, 0, 0, 1, 1, 1}, {},
     "Nessuna retta: i pesi di X1 e X2 sono 0, l'uscita è -1 in tutto il piano"},
    {"NoLineOutputOne", {-0.3f, 0, -0.0f, 0, 0, 0}, {},
     "Nessuna retta: i pesi di X1 e X2 sono 0, l'uscita è 1 in tutto il piano"},
};

class Line : public ::testing::TestWithParam<LineRow> {};

TEST_P(Line, EndsOnTheViewsEdges)
{
    const LineRow &row = GetParam();
    InputPlane plane;
    plane.setSamples(xorSamples);
    plane.setWeights(row.weights);
    EXPECT_EQ(plane.equationText(), row.equation);
    const auto ends = plane.lineInView();
    ASSERT_EQ(ends.has_value(), !row.ends.empty());
    if (!ends)
        return;
    const bool inOrder = (*ends)[0] == row.ends[0] && (*ends)[1] == row.ends[1];
    const bool reversed = (*ends)[0] == row.ends[1] && (*ends)[1] == row.ends[0];
    EXPECT_TRUE(inOrder || reversed) << (*ends)[0].x << ", " << (*ends)[0].y << " to " << (*ends)[1].x << ", "
                                     << (*ends)[1].y;
}

INSTANTIATE_TEST_SUITE_P(Rows, Line, ::testing::ValuesIn(lineRows), named_rows::ByName());

TEST(Line, TheOutputOneSideIsWhereTheSumIsNotNegative)
{
    InputPlane plane;
    plane.setSamples(xorSamples);
    // x1 >= 0,5: the right part of the view.
    plane.setWeights({0.5f, 1, 0, 0, 0, 0});
    const std::vector<PlanePoint> right{{0.5, -0.5}, {1.5, -0.5}, {1.5, 1.5}, {0.5, 1.5}};
    EXPECT_EQ(plane.positiveRegion(), right);
    plane.setWeights({0.3f, 0, 0, 0, 0, 0});
    EXPECT_TRUE(plane.positiveRegion().empty());
    plane.setWeights({-0.3f, 0, 0, 0, 0, 0});
    EXPECT_EQ(plane.positiveRegion().size(), 4u);
}

TEST(Line, StaysFiniteForExtremeWeightsAndSamples)
{
    InputPlane plane;
    plane.setSamples(std::vector<SampleRow>{sample(0, 0, 0, 0, 0, 1), sample(3e38f, -3e38f, 0, 0, 0, -1)});
    EXPECT_TRUE(std::isfinite(plane.horizontalAxis().low) && std::isfinite(plane.horizontalAxis().high));
    EXPECT_LE(plane.verticalAxis().low, -3e38);
    EXPECT_GE(plane.horizontalAxis().high, 3e38);
    // A steep line through the origin: the smallest float against the largest.
    plane.setWeights({0, 3.4e38f, 1e-45f, 0, 0, 0});
    const auto ends = plane.lineInView();
    ASSERT_TRUE(ends);
    for (const PlanePoint &end : *ends) {
        EXPECT_NEAR(end.x, 0.0, 1.0);
        EXPECT_TRUE(end.y == plane.verticalAxis().low || end.y == plane.verticalAxis().high);
    }
    for (const PlanePoint &corner : plane.positiveRegion())
        EXPECT_TRUE(std::isfinite(corner.x) && std::isfinite(corner.y));
}

// --- What a screen reader hears -----------------------------------------------

TEST(Description, TellsTheSidesAndTheWrongSamples)
{
    InputPlane plane;
    std::vector<SampleRow> samples = xorSamples;
    samples.push_back(sample(0, 0, 0, 0, 0, 1));
    plane.setSamples(samples);
    // Sum -0,3 + 0,7 x1 + 0,1 x2.
    plane.setWeights({0.3f, 0.7f, 0.1f, 0, 0, 0});
    EXPECT_EQ(plane.description(),
              "Orizzontale X1, verticale X2. Retta dove la somma pesata è 0: 0,7 × X1 + 0,1 × X2 = 0,3. "
              "Uscita 1: N°2, N°3. Uscita -1: N°0, N°1, N°4. Sbagliati: N°1, N°3, N°4.");
    const std::vector<PlaneLabel> labels = plane.labels();
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_EQ(labels[0].text, "N°0, N°4");
}

TEST(Description, NamesTheSliceAndTheHeldInputs)
{
    InputPlane plane;
    plane.setSamples(std::vector<SampleRow>{sample(0, 0, 1, 0, 0, 1), sample(1, 1, 1, 0, 0, -1)});
    plane.setWeights({0.3f, -0.25f, 0.5f, 2, 7, 7});
    EXPECT_EQ(plane.equationText(),
              "Retta dove la somma pesata è 0: -0,25 × X1 + 0,5 × X2 + 2 × X3 = 0,3 (con X3 = 1; X4, X5 = 0)");
    // In the plane the sum is -0,25 x + 0,5 y + 1,7.
    EXPECT_DOUBLE_EQ(plane.c(), -0.30000001192092896 + 2.0);
}

TEST(Description, OfTheCorrectionsIsSummarisedPastTwentyPasses)
{
    EXPECT_EQ(correctionsDescription(std::vector<int>{2, 1, 0}, 2),
              "3 cicli. Ciclo 1: 2 correzioni, ciclo 2: 1, ciclo 3: 0. Scelto il ciclo 2: 1 correzione.");
    EXPECT_EQ(correctionsDescription(std::vector<int>{}, 0), "Nessun addestramento.");

    std::vector<int> twenty(20, 1);
    EXPECT_NE(correctionsDescription(twenty, 0).find("ciclo 20: 1."), std::string::npos);

    // Pass p corrects p % 2 samples, pass 7 nine.
    std::vector<int> counts;
    for (int pass = 1; pass <= 21; ++pass)
        counts.push_back(pass == 7 ? 9 : pass % 2);
    EXPECT_EQ(correctionsDescription(counts, 21),
              "21 cicli. Cicli da 1 a 5: 1, 0, 1, 0, 1 correzioni. Cicli da 17 a 21: 1, 0, 1, 0, 1 correzioni. "
              "Massimo: 9 correzioni, al ciclo 7. Cicli senza correzioni: 10. Scelto il ciclo 21: 1 correzione.");

    const std::vector<int> longest(32767, 3);
    EXPECT_LT(correctionsDescription(longest, 100).size(), 400u);
}

} // namespace
} // namespace vintrelle
