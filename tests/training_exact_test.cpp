// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// Trainings to the bit, on every unit the program is built for (scripts/test
// runs this on amd64 and, built with Debian's i386 compiler, on the x87
// unit). The expected weights are those of a separate, plain rendering of
// the correction rule on amd64 in which every float operation is done in
// double and rounded to float at once: float(double(a) op double(b)) is the
// correctly rounded float result of a + b, a - b and a * b (53 >= 2 * 24 + 2
// bits, so rounding twice changes nothing). With products, sums and
// corrections left in the x87 unit's registers, every row ends otherwise.

#include "core/training.h"
#include "core/training_story.h"
#include "named_rows.h"

#include <gtest/gtest.h>

#include <vector>

namespace vintrelle {
namespace {

using named_rows::PrintTo;

struct ExactRow
{
    const char *name;
    WeightVector start;
    std::vector<SampleRow> samples;
    float eta;
    std::int16_t limit;
    TrainingOutcome outcome;
    std::int16_t cycles;
    WeightVector weights;
};

// Eleven samples with target 0, as the benchmark's: a training that never
// converges. (s / 10, not s * 0.1f: where float constants keep excess
// precision, 0.1f would be the long double 0.1 there.)
std::vector<SampleRow> neverConverging()
{
    std::vector<SampleRow> rows;
    for (int s = 0; s < 11; ++s) {
        const float a = static_cast<float>(s % 5) * 0.25f - 0.5f;
        rows.push_back({-1, a, 1 - a, 0.5f * a, static_cast<float>(s) / 10, -a, 0});
    }
    return rows;
}

const float two25 = 0x1p25f;

const ExactRow exactRows[] = {
    // -1 + 2^25 rounds to 2^25 in float, so the first sum is 0, not -1: the
    // sample is wrong and corrected.
    {"sum_rounded_after_each_addition", {1, 1, 1, 0.5f, 0, 0},
     {{-1, two25, -two25, 0.3f, 0, 0, -1}, {-1, 0.5f, 0.25f, 1, 0, 0, 1}}, 0.1f, 5,
     TrainingOutcome::LimitExceeded, 6,
     {0x1p-25f, -0x1.999996p+22f, 0x1.99999ep+22f, 0x1.a3d70cp+0f, 0, 0}},
    // 0.2 * -1.3 rounded to float before it is added to the weight 0.1.
    {"correction_rounded_before_it_is_added", {0.3f, 0.7f, 0.1f, 0.9f, 0.5f, 0.2f},
     {{-1, 0.7f, -1.3f, 0.2f, 0, 0.1f, 1}, {-1, -0.4f, 0.9f, 1.1f, 0.3f, 0, -1},
      {-1, 1.7f, 0.1f, -0.6f, 0.8f, -0.2f, 1}, {-1, 0.3f, 0.3f, 0.3f, -0.9f, 0.6f, -1}},
     0.1f, 1000, TrainingOutcome::Converged, 1,
     {0x1p-1f, 0x1.8f5c28p-1f, -0x1.47ae12p-4f, 0x1.5c28f4p-1f, 0x1.c28f5cp-2f, 0x1.99999ap-3f}},
    // 21 passes of 11 corrections each: the roundings add up.
    {"twenty_one_passes_of_decimal_inputs", {0.3f, 0.7f, 0.1f, 0.9f, 0.5f, 0.2f}, neverConverging(),
     0.2f, 20, TrainingOutcome::LimitExceeded, 21,
     {0x1p-1f, 0x1.999998p-2f, 0x1.999988p-3f, 0x1.800002p-1f, 0x1.47ade8p-5f, 0x1p-1f}},
    // The correction 2 * 3e38 of w1 is beyond the float range: none of the
    // sample's six corrections is applied (w0 would have become 2).
    {"correction_beyond_float_range", {0, 0, 0, 0, 0, 0}, {{-1, 3e38f, 0, 0, 0, 0, -1}}, 1.0f, 10,
     TrainingOutcome::Overflow, 1, {0, 0, 0, 0, 0, 0}},
};

class ExactTraining : public ::testing::TestWithParam<ExactRow> {};

TEST_P(ExactTraining, FinalWeightsToTheBit)
{
    const ExactRow &row = GetParam();
    WeightVector weights = row.start;
    const TrainingResult result = train(weights, row.samples, row.eta, row.limit);
    EXPECT_EQ(result.outcome, row.outcome);
    EXPECT_EQ(result.cycles, row.cycles);
    for (int i = 0; i < InputCount; ++i)
        EXPECT_EQ(weights[i], row.weights[i]) << "w" << i << ": " << std::hexfloat << weights[i];
}

// The story of the same training, recomputed pass by pass by the replay:
// to the bit of the training itself, wherever the replay's code is inlined
// and whatever the unit keeps in its registers.
TEST_P(ExactTraining, StoryReplaysEveryPassToTheBit)
{
    const ExactRow &row = GetParam();
    WeightVector weights = row.start;
    TrainingStory story;
    const TrainingResult result = train(weights, row.samples, row.eta, row.limit, story);
    EXPECT_EQ(result.outcome, row.outcome);
    EXPECT_EQ(result.cycles, row.cycles);
    EXPECT_EQ(weights, row.weights);
    ASSERT_EQ(story.passCount(), row.cycles);
    EXPECT_EQ(story.pass(story.passCount()).weightsAfter, row.weights);
    for (int k = 1; k <= story.passCount(); ++k) {
        const std::vector<SampleStep> steps = story.replay(k);
        // A pass ends with its last sample, or with the one that overflowed
        // (the last pass's, not followed by a check).
        ASSERT_FALSE(steps.empty()) << "pass " << k;
        const bool stoppedInThePass = k == story.passCount() && result.outcome == TrainingOutcome::Overflow
                                      && story.pass(k).firstWrong < 0;
        EXPECT_EQ(steps.back().overflowed, stoppedInThePass) << "pass " << k;
        if (!stoppedInThePass) {
            EXPECT_EQ(steps.size(), row.samples.size()) << "pass " << k;
        }
        int corrections = 0;
        for (const SampleStep &step : steps)
            corrections += step.corrected ? 1 : 0;
        EXPECT_EQ(story.pass(k).corrections, corrections) << "pass " << k;
        const WeightVector &replayed = steps.back().weightsAfter;
        for (int i = 0; i < InputCount; ++i)
            EXPECT_EQ(replayed[i], story.pass(k).weightsAfter[i])
                << "pass " << k << ", w" << i << ": " << std::hexfloat << replayed[i];
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ExactTraining, ::testing::ValuesIn(exactRows), named_rows::ByName());

} // namespace
} // namespace vintrelle
