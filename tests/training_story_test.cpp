// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/training_story.h"
#include "named_rows.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <vector>

namespace vintrelle {
namespace {

using named_rows::PrintTo;

SampleRow sample(float x1, float x2, float target)
{
    return {-1.0f, x1, x2, 0.0f, 0.0f, 0.0f, target};
}

struct StepRow
{
    float sum;
    int output;
    float target;
    float step;   // 0 where the output was right: not corrected
    WeightVector weightsAfter;
};

struct PassRow
{
    std::vector<StepRow> steps;
    int corrections;
    int firstWrong;
};

// OR at eta 0.25 from {2, 0, -1, 0, 0, 0}, worked by hand as in the header:
// sum = -w0 + w1 x1 + w2 x2, a wrong output steps by (t - y) * 0.25 = +-0.5
// and wi += step * xi (w0 -= step, the bias input being -1).
// Pass 1: N°0 -2: right. N°1 -2 - 1 = -3: y -1, t 1: w0 2 - 0.5, w2 -1 + 0.5.
//   N°2 -1.5 + 0: w0 1.5 - 0.5, w1 0 + 0.5. N°3 -1 + 0.5 - 0.5 = -1: w0 0.5,
//   w1 1, w2 0. Check: N°0 -0.5 right, N°1 -0.5 + 0 wrong.
// Pass 2: N°0 -0.5 right. N°1 -0.5 + 0: w0 0, w2 0.5. N°2 0 + 1, N°3 1.5:
//   right. Check: N°0 sum 0, output 1, target -1: wrong.
// Pass 3: N°0 sum 0, output 1: step -0.5, w0 0 + 0.5. N°1 -0.5 + 0.5 = 0,
//   N°2 0.5, N°3 1: right. Check: -0.5, 0, 0.5, 1: all right, converged.
const std::vector<SampleRow> orSamples{sample(0, 0, -1), sample(0, 1, 1), sample(1, 0, 1), sample(1, 1, 1)};
const WeightVector orStart{2, 0, -1, 0, 0, 0};
const PassRow orPasses[] = {
    {{{-2, -1, -1, 0, {2, 0, -1, 0, 0, 0}},
      {-3, -1, 1, 0.5f, {1.5f, 0, -0.5f, 0, 0, 0}},
      {-1.5f, -1, 1, 0.5f, {1, 0.5f, -0.5f, 0, 0, 0}},
      {-1, -1, 1, 0.5f, {0.5f, 1, 0, 0, 0, 0}}},
     3, 1},
    {{{-0.5f, -1, -1, 0, {0.5f, 1, 0, 0, 0, 0}},
      {-0.5f, -1, 1, 0.5f, {0, 1, 0.5f, 0, 0, 0}},
      {1, 1, 1, 0, {0, 1, 0.5f, 0, 0, 0}},
      {1.5f, 1, 1, 0, {0, 1, 0.5f, 0, 0, 0}}},
     1, 0},
    {{{0, 1, -1, -0.5f, {0.5f, 1, 0.5f, 0, 0, 0}},
      {0, 1, 1, 0, {0.5f, 1, 0.5f, 0, 0, 0}},
      {0.5f, 1, 1, 0, {0.5f, 1, 0.5f, 0, 0, 0}},
      {1, 1, 1, 0, {0.5f, 1, 0.5f, 0, 0, 0}}},
     1, -1},
};

TEST(TrainingStory, OrPassByPassAsWorkedByHand)
{
    WeightVector weights = orStart;
    TrainingStory story;
    const TrainingResult result = train(weights, orSamples, 0.25f, 100, story);
    EXPECT_EQ(result.outcome, TrainingOutcome::Converged);
    EXPECT_EQ(result.cycles, 3);
    ASSERT_EQ(story.passCount(), 3);
    EXPECT_EQ(story.startWeights(), orStart);
    for (int k = 1; k <= 3; ++k) {
        const PassRow &expected = orPasses[k - 1];
        SCOPED_TRACE(k);
        EXPECT_EQ(story.weightsBefore(k), k == 1 ? orStart : orPasses[k - 2].steps.back().weightsAfter);
        EXPECT_EQ(story.pass(k).weightsAfter, expected.steps.back().weightsAfter);
        EXPECT_EQ(story.pass(k).corrections, expected.corrections);
        EXPECT_EQ(story.pass(k).firstWrong, expected.firstWrong);
        const std::vector<SampleStep> steps = story.replay(k);
        ASSERT_EQ(steps.size(), expected.steps.size());
        for (std::size_t s = 0; s < steps.size(); ++s) {
            SCOPED_TRACE(s);
            EXPECT_EQ(steps[s].sum, expected.steps[s].sum);
            EXPECT_EQ(steps[s].output, expected.steps[s].output);
            EXPECT_EQ(steps[s].target, expected.steps[s].target);
            EXPECT_EQ(steps[s].step, expected.steps[s].step);
            EXPECT_EQ(steps[s].corrected, expected.steps[s].step != 0.0f);
            EXPECT_EQ(steps[s].weightsAfter, expected.steps[s].weightsAfter);
            EXPECT_FALSE(steps[s].overflowed);
        }
    }
    EXPECT_EQ(weights, (WeightVector{0.5f, 1, 0.5f, 0, 0, 0}));
}

// A training that stops on an overflow, from weights all 0 at eta 1: its
// only pass, what it recorded, and its replay's last sample.
struct OverflowRow
{
    const char *name;
    std::vector<SampleRow> samples;
    WeightVector weights;      // recorded, and the training's
    int corrections;
    int firstWrong;
    std::size_t steps;         // of the replay
    bool lastOverflowed;
    std::optional<int> lastOutput;
};

const float big = 3e38f;

const OverflowRow overflowRows[] = {
    // N°0: sum 0, y 1, t -1: step -2: w0 = 2, w1 = -2. N°1: -2 + -2 * 3e38
    // is not finite: the pass stops there with the weights of N°0.
    {"sum_in_the_pass", {sample(1, 0, -1), sample(big, 0, 1)}, {2, -2, 0, 0, 0, 0}, 1, -1, 2, true, std::nullopt},
    // N°0: sum 0, y 1, t -1: step -2; w1 = 0 + -2 * 3e38 is not finite, so
    // no weight changes.
    {"correction_in_the_pass", {sample(big, 0, -1)}, {0, 0, 0, 0, 0, 0}, 0, -1, 1, true, 1},
    // The pass leaves N°0 (sum 0, right) and corrects N°1 as in the first
    // row; the check then finds N°0's sum not finite.
    {"sum_in_the_check", {sample(big, 0, 1), sample(1, 0, -1)}, {2, -2, 0, 0, 0, 0}, 1, 0, 2, false, 1},
};

class StoryOverflow : public ::testing::TestWithParam<OverflowRow> {};

TEST_P(StoryOverflow, RecordedAndReplayedToTheSameWeights)
{
    const OverflowRow &row = GetParam();
    WeightVector weights{};
    TrainingStory story;
    const TrainingResult result = train(weights, row.samples, 1.0f, 10, story);
    EXPECT_EQ(result.outcome, TrainingOutcome::Overflow);
    EXPECT_EQ(weights, row.weights);
    ASSERT_EQ(story.passCount(), 1);
    EXPECT_EQ(story.pass(1).weightsAfter, row.weights);
    EXPECT_EQ(story.pass(1).corrections, row.corrections);
    EXPECT_EQ(story.pass(1).firstWrong, row.firstWrong);
    const std::vector<SampleStep> steps = story.replay(1);
    ASSERT_EQ(steps.size(), row.steps);
    EXPECT_EQ(steps.back().overflowed, row.lastOverflowed);
    EXPECT_EQ(steps.back().output, row.lastOutput);
    EXPECT_EQ(steps.back().weightsAfter, row.weights);
}

INSTANTIATE_TEST_SUITE_P(Rows, StoryOverflow, ::testing::ValuesIn(overflowRows), named_rows::ByName());

} // namespace
} // namespace vintrelle
