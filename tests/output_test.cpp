// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/output.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vintrelle {
namespace {

constexpr InputVector startUpInputs{-1, 0, 0, 0, 0, 0};

TEST(NeuronOutput, SumOfExactlyZeroGivesPlusOne)
{
    const WeightVector weights{0.5f, 0.5f, 0, 0, 0, 0};
    EXPECT_EQ(neuronOutput({-1, 1, 0, 0, 0, 0}, weights), 1);
}

TEST(NeuronOutput, AtStartUpTheBiasWeightDecides)
{
    EXPECT_EQ(neuronOutput(startUpInputs, {0.3f, 0.9f, 0.9f, 0.9f, 0.9f, 0.9f}), -1);
    EXPECT_EQ(neuronOutput(startUpInputs, {0.0f, 0.9f, 0.9f, 0.9f, 0.9f, 0.9f}), 1);
}

TEST(NeuronOutput, NegativeWeightedInputsGiveMinusOne)
{
    const WeightVector weights{0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
    EXPECT_EQ(neuronOutput({-1, 1, 1, 1, 1, 1}, weights), 1);
    EXPECT_EQ(neuronOutput({-1, -1, -1, -1, -1, -1}, weights), -1);
}

TEST(NeuronOutput, SumIsRoundedToFloatAfterEveryAddition)
{
    // In float, 2^24 + 1 rounds back to 2^24: the 1 is lost, -2^24 cancels
    // exactly and -0.5 leaves a negative sum (answer -1). A sum kept in
    // double would end at +0.5 (answer 1).
    const WeightVector weights{1, 1, 1, 1, 0, 0};
    const double big = 16777216.0; // 2^24
    EXPECT_EQ(neuronOutput({big, 1, -big, -0.5, 0, 0}, weights), -1);
    // A 2 is kept next to 2^24 (2^24 + 2 is a float): 2 - 0.5 > 0.
    EXPECT_EQ(neuronOutput({2, big, -big, -0.5, 0, 0}, weights), 1);
}

TEST(NeuronOutput, DoubleProductRoundedOnceToDoubleThenToFloat)
{
    // The first product x * w, rounded to double, then to float, decides
    // the sign once 1 + 2^-24 is taken away. Worked out with exact fractions:
    // 3 * x is 1 + 2^-24 + 2^-54, which rounds to the double 1 + 2^-24, the
    // float tie between 1 and 1 + 2^-23: the sum is 1, then -2^-24 (-1).
    // Rounded straight to float, it would be 1 + 2^-23 (answer +1).
    const double tie = 0x1.000001p+0; // 1 + 2^-24
    EXPECT_EQ(neuronOutput({-1, 0x1.555556aaaaaabp-2, -tie, 0, 0, 0}, {0, 3, 1, 0, 0, 0}), -1);
    // This product is a hair above 1 + 2^-24 + 2^-53 (less than 2^-64): it
    // rounds to the double above that tie, then to the float 1 + 2^-23; the
    // sum ends at +2^-24 (+1). Rounded to 64 bits first, it would sit on the
    // tie and round to the even double 1 + 2^-24, and the sum end below 0.
    EXPECT_EQ(neuronOutput({-1, 0x1.7f7f2cc6f529bp-1, -tie, 0, 0, 0}, {0, 0x1.55c8p+0f, 1, 0, 0, 0}), 1);
}

TEST(NeuronOutput, SumBeyondFloatRangeIsAnOverflow)
{
    const WeightVector weights{1, 1, 0, 0, 0, 0};
    EXPECT_FALSE(neuronOutput({-1, 1e300, 0, 0, 0, 0}, weights));
    EXPECT_FALSE(neuronOutput({-1, 1e39, 0, 0, 0, 0}, weights));
    const double max = std::numeric_limits<double>::max();
    EXPECT_FALSE(neuronOutput({max, -max, 0, 0, 0, 0}, weights));
}

TEST(NeuronOutput, RepeatedCallsGiveTheSameAnswer)
{
    const WeightVector weights{0.25f, 0.5f, 0.75f, 0.1f, 0.2f, 0.3f};
    const InputVector inputs{-1, 0.5, -0.25, 1, 0, 0};
    EXPECT_EQ(neuronOutput(inputs, weights), neuronOutput(inputs, weights));
}

} // namespace
} // namespace vintrelle
