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
