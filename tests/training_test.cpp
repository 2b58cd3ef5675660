// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/training.h"
#include "named_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace vintrelle {
namespace {

using named_rows::PrintTo;

SampleRow sample(float x1, float x2, float x3, float x4, float x5, float target)
{
    return {-1.0f, x1, x2, x3, x4, x5, target};
}

// The neuron's answer for a row, worked out apart from the code: the sum in
// double, where the products of a float weight and a short input, and their
// sum, are exact; +1 for a sum >= 0, -1 below. The code sums in float, whose
// rounding can give a sum near 0 the other sign: a sum within `margin` of 0
// (as a share of the terms' size) that is not 0 has no answer here.
std::optional<int> exactAnswer(const WeightVector &weights, const SampleRow &row, double margin)
{
    double sum = 0.0;
    double size = 0.0;
    for (int i = 0; i < InputCount; ++i) {
        const double term = static_cast<double>(weights[i]) * static_cast<double>(row[i]);
        sum += term;
        size += std::fabs(term);
    }
    if (sum != 0.0 && std::fabs(sum) <= margin * size)
        return std::nullopt;
    return sum >= 0.0 ? 1 : -1;
}

// The float sum's rounding at the most: six products and five additions,
// each within half a unit in the 24th bit, as a share of the terms' size.
constexpr double FloatRounding = 11.0 / (1 << 24);
// Rows with inputs of -1, 0 and 1 and no more than two of them under a
// non-zero weight: the float sum is the exact sum rounded once, of the same
// sign, so no margin is needed.
constexpr double NoRounding = 0.0;

const std::vector<SampleRow> separablePair{sample(1, 0, 0, 0, 0, 1), sample(0, 1, 0, 0, 0, -1)};

TEST(Training, SeparablePairConverges)
{
    WeightVector weights{0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    const TrainingResult result = train(weights, separablePair, 0.2f, 10000);
    EXPECT_EQ(result.outcome, TrainingOutcome::Converged);
    EXPECT_GE(result.cycles, 1);
    EXPECT_LE(result.cycles, 10000);
    for (const SampleRow &row : separablePair)
        EXPECT_EQ(exactAnswer(weights, row, NoRounding), row[TargetColumn]);
    EXPECT_EQ(trainingStatusText(result.outcome), "Addestata");
}

TEST(Training, OnePassFollowsTheCorrectionRuleToTheBit)
{
    // Worked by hand: weights all 0.5, eta 0.25.
    // Sample 1 (-1,1,0,0,0,0 -> 1): sum = -0.5 + 0.5 = 0, y = 1 = t: no change.
    // Sample 2 (-1,0,1,0,0,0 -> -1): sum = 0, y = 1, t - y = -2, step = -0.5:
    //   w0 += 0.5, w2 -= 0.5  ->  {1, 0.5, 0, 0.5, 0.5, 0.5}.
    // Check: sample 1: -1 + 0.5 < 0 -> -1, wrong: not converged; limit 0 ends it.
    WeightVector weights{0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    const std::vector<SampleRow> rows{sample(1, 0, 0, 0, 0, 1), sample(0, 1, 0, 0, 0, -1)};
    const TrainingResult result = train(weights, rows, 0.25f, 0);
    EXPECT_EQ(result.cycles, 1);
    EXPECT_EQ(weights, (WeightVector{1.0f, 0.5f, 0.0f, 0.5f, 0.5f, 0.5f}));
}

TEST(Training, LaterSamplesSeeEarlierCorrectionsInTheSamePass)
{
    // Sample 1 is wrong and corrected (w1 = 0 - ... ); the same sample
    // repeated second is then already right and must not be corrected again.
    WeightVector weights{0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    const SampleRow row = sample(1, 0, 0, 0, 0, -1);
    const std::vector<SampleRow> rows{row, row};
    train(weights, rows, 0.5f, 0);
    // First: sum 0, y = 1, step = -2 * 0.5 = -1: w0 += 1, w1 -= 1.
    // Second: sum = -1 - 1 = -2, y = -1 = t: unchanged.
    EXPECT_EQ(weights, (WeightVector{1.0f, -1.0f, 0, 0, 0, 0}));
}

TEST(Training, SamplesAlreadyRightAreLeftUntouchedButAPassIsMade)
{
    WeightVector weights{0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    const WeightVector before = weights;
    const std::vector<SampleRow> rows{sample(1, 0, 0, 0, 0, 1), sample(-1, 0, 0, 0, 0, -1)};
    const TrainingResult result = train(weights, rows, 0.2f, 10000);
    EXPECT_EQ(result.outcome, TrainingOutcome::Converged);
    EXPECT_EQ(result.cycles, 1);
    EXPECT_EQ(weights, before);
}

struct TargetsRow
{
    const char *name;
    float positive; // target of the sample (1,0,0,0,0)
    float negative; // target of the sample (0,1,0,0,0)
};

// The check pass asks for the target's sign, not for the target itself.
const TargetsRow signTargets[] = {
    {"two_and_minus_one", 2.0f, -1.0f},
    {"one_and_minus_half", 1.0f, -0.5f},
    {"two_and_minus_half", 2.0f, -0.5f},
};

class TargetSign : public ::testing::TestWithParam<TargetsRow> {};

TEST_P(TargetSign, TargetsOtherThanOneConvergeOnTheirSign)
{
    WeightVector weights{0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    const std::vector<SampleRow> rows{sample(1, 0, 0, 0, 0, GetParam().positive),
                                      sample(0, 1, 0, 0, 0, GetParam().negative)};
    const TrainingResult result = train(weights, rows, 0.2f, 10000);
    EXPECT_EQ(result.outcome, TrainingOutcome::Converged);
    EXPECT_EQ(exactAnswer(weights, rows[0], NoRounding), 1);
    EXPECT_EQ(exactAnswer(weights, rows[1], NoRounding), -1);
}

INSTANTIATE_TEST_SUITE_P(Rows, TargetSign, ::testing::ValuesIn(signTargets),
                         named_rows::ByName());

TEST(TrainingLimit, EmptyStoreRunsPastTheDefaultLimit)
{
    WeightVector weights{0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
    const WeightVector before = weights;
    const TrainingResult result = train(weights, {}, 0.2f, 10000);
    EXPECT_EQ(result.outcome, TrainingOutcome::LimitExceeded);
    EXPECT_EQ(cyclesText(result.cycles, 10000), "N°Cicli:10001/10000");
    EXPECT_EQ(trainingStatusText(result.outcome), "Superati i limiti per i cicli di addestramento");
    EXPECT_EQ(weights, before);
}

TEST(TrainingLimit, LimitOfZeroOrLessMakesExactlyOnePassEvenWhenItConverges)
{
    for (const std::int16_t limit : {std::int16_t{0}, std::int16_t{-1}, std::int16_t{-32768}}) {
        WeightVector weights{0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
        const std::vector<SampleRow> rows{sample(1, 0, 0, 0, 0, 1)};
        const TrainingResult result = train(weights, rows, 0.2f, limit);
        EXPECT_EQ(result.cycles, 1) << limit;
        EXPECT_EQ(result.outcome, TrainingOutcome::LimitExceeded) << limit;
    }
}

TEST(TrainingLimit, ConvergingOnThePassThatExceedsTheLimitReportsTheLimit)
{
    // This pair needs more than one pass from these weights; find how many,
    // then train again with a limit one below that count.
    const WeightVector start{0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    WeightVector weights = start;
    const TrainingResult free = train(weights, separablePair, 0.05f, 10000);
    ASSERT_EQ(free.outcome, TrainingOutcome::Converged);
    ASSERT_GE(free.cycles, 2);

    weights = start;
    const auto limit = static_cast<std::int16_t>(free.cycles - 1);
    const TrainingResult limited = train(weights, separablePair, 0.05f, limit);
    EXPECT_EQ(limited.outcome, TrainingOutcome::LimitExceeded);
    EXPECT_EQ(limited.cycles, free.cycles);
    for (const SampleRow &row : separablePair)
        EXPECT_EQ(exactAnswer(weights, row, NoRounding), row[TargetColumn]);

    weights = start;
    const TrainingResult exact = train(weights, separablePair, 0.05f, free.cycles);
    EXPECT_EQ(exact.outcome, TrainingOutcome::Converged);
}

TEST(TrainingLimit, TargetZeroNeverConverges)
{
    WeightVector weights{0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    const std::vector<SampleRow> rows{sample(1, 1, 0, 0, 0, 0)};
    const TrainingResult result = train(weights, rows, 0.2f, 500);
    EXPECT_EQ(result.outcome, TrainingOutcome::LimitExceeded);
    EXPECT_EQ(result.cycles, 501);
}

TEST(TrainingLimit, LargestLimitStopsAtTheCounterCeiling)
{
    WeightVector weights{0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    const std::vector<SampleRow> rows{sample(1, 1, 0, 0, 0, 0)};
    const TrainingResult result = train(weights, rows, 0.2f, 32767);
    EXPECT_EQ(result.outcome, TrainingOutcome::LimitExceeded);
    EXPECT_EQ(cyclesText(result.cycles, 32767), "N°Cicli:32767/32767");
}

TEST(TrainingLimit, LimitOf32766IsPassed)
{
    WeightVector weights{0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    const TrainingResult result = train(weights, {}, 0.2f, 32766);
    EXPECT_EQ(result.outcome, TrainingOutcome::LimitExceeded);
    EXPECT_EQ(result.cycles, 32767);
}

TEST(TrainingLimit, PassesAtTheLimitAreThoseATrainingThatNeverConvergesMakes)
{
    const std::vector<SampleRow> rows{sample(1, 1, 0, 0, 0, 0)};
    for (const std::int16_t limit : {std::int16_t{-32768}, std::int16_t{-1}, std::int16_t{0}, std::int16_t{1},
                                     std::int16_t{500}, std::int16_t{32766}, std::int16_t{32767}}) {
        WeightVector weights{0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
        EXPECT_EQ(train(weights, rows, 0.2f, limit).cycles, passesAtTheLimit(limit)) << limit;
    }
}

TEST(TrainingOverflow, HugeLearningRateStopsWithFiniteWeights)
{
    WeightVector weights{0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    const std::vector<SampleRow> rows{sample(1e30f, 0, 0, 0, 0, -1), sample(0, 1e30f, 0, 0, 0, 1),
                                      sample(1e30f, 1e30f, 0, 0, 0, 0)};
    const TrainingResult result = train(weights, rows, 1e30f, 10000);
    EXPECT_EQ(result.outcome, TrainingOutcome::Overflow);
    EXPECT_EQ(trainingStatusText(result.outcome), "Addestramento interrotto: overflow numerico");
    EXPECT_GE(result.cycles, 1);
    for (const float weight : weights)
        EXPECT_TRUE(std::isfinite(weight));
}

TEST(TrainingOverflow, SampleThatOverflowsLeavesItsCorrectionsUnapplied)
{
    // Correction of w1 is finite, of w2 infinite: neither may be applied.
    WeightVector weights{0, 0, 0, 0, 0, 0};
    const float max = std::numeric_limits<float>::max();
    const std::vector<SampleRow> rows{sample(1, max, 0, 0, 0, -1)};
    const TrainingResult result = train(weights, rows, 1.0f, 10);
    EXPECT_EQ(result.outcome, TrainingOutcome::Overflow);
    EXPECT_EQ(result.cycles, 1);
    EXPECT_EQ(weights, (WeightVector{0, 0, 0, 0, 0, 0}));
}

TEST(TrainingOverflow, SumBeyondFloatRangeStopsTheTraining)
{
    const float max = std::numeric_limits<float>::max();
    WeightVector weights{0, 1, 1, 0, 0, 0};
    const std::vector<SampleRow> rows{sample(max, max, 0, 0, 0, 1)};
    const TrainingResult result = train(weights, rows, 0.2f, 10);
    EXPECT_EQ(result.outcome, TrainingOutcome::Overflow);
    EXPECT_EQ(weights, (WeightVector{0, 1, 1, 0, 0, 0}));
}

TEST(TrainingOverflow, OverflowInATrainingPassIsReportedWhereTheCheckStopsEarlier)
{
    // Sample 0 (target 0) is never right, so the check pass stops at it and
    // never meets sample 1, whose sum overflows in the training pass.
    const float max = std::numeric_limits<float>::max();
    WeightVector weights{0, 1, 1, 0, 0, 0};
    const std::vector<SampleRow> rows{sample(0, 0, 0, 0, 0, 0), sample(max, max, 0, 0, 0, 1)};
    const TrainingResult result = train(weights, rows, 0.2f, 10);
    EXPECT_EQ(result.outcome, TrainingOutcome::Overflow);
    EXPECT_EQ(result.cycles, 1);
}

// One sample against fixed weights, as the sample list marks it.
struct OneSampleRow
{
    const char *name;
    WeightVector weights;
    SampleRow sample;
    std::optional<int> output;   // the neuron's answer, nothing on overflow
    bool right;                  // counted right by the check pass
};

const float floatMax = std::numeric_limits<float>::max();

const OneSampleRow oneSampleRows[] = {
    // A sum of exactly 0 answers +1: right for a positive target only.
    {"sum_zero_positive_target", {1, 1, 0, 0, 0, 0}, sample(1, 0, 0, 0, 0, 1), 1, true},
    {"sum_zero_negative_target", {1, 1, 0, 0, 0, 0}, sample(1, 0, 0, 0, 0, -1), 1, false},
    {"negative_zero_sum_is_at_least_zero", {0, -1, 0, 0, 0, 0}, sample(0, 0, 0, 0, 0, 1), 1, true},
    {"negative_sum_negative_target", {1, 1, 0, 0, 0, 0}, sample(0.5f, 0, 0, 0, 0, -1), -1, true},
    {"negative_sum_positive_target", {1, 1, 0, 0, 0, 0}, sample(0.5f, 0, 0, 0, 0, 1), -1, false},
    // The target's sign counts, not its value.
    {"target_minus_half", {1, 1, 0, 0, 0, 0}, sample(0.5f, 0, 0, 0, 0, -0.5f), -1, true},
    {"target_two", {0, 1, 0, 0, 0, 0}, sample(3, 0, 0, 0, 0, 2), 1, true},
    // No output has the sign of 0.
    {"target_zero_positive_sum", {0, 1, 0, 0, 0, 0}, sample(3, 0, 0, 0, 0, 0), 1, false},
    {"target_zero_negative_sum", {0, 1, 0, 0, 0, 0}, sample(-3, 0, 0, 0, 0, 0), -1, false},
    // Float sums in input order: 1e8 - 1 rounds to 1e8, so the sum is 0,
    // where the exact sum -1 would answer -1.
    {"float_rounding_decides", {1, 1, 1, 0, 0, 0}, {1e8f, -1, -1e8f, 0, 0, 0, -1}, 1, false},
    // The last input alone decides, the bias weight included in the sum.
    {"last_input_counts", {0, 0, 0, 0, 0, -1}, sample(0, 0, 0, 0, 2, 1), -1, false},
    {"bias_weight_counts", {2, 1, 0, 0, 0, 0}, sample(1, 0, 0, 0, 0, -1), -1, true},
    // A sum beyond the float range has no output and is never right.
    {"sum_overflows", {1, 1, 1, 0, 0, 0}, {0, floatMax, floatMax, 0, 0, 0, 1}, std::nullopt, false},
    {"product_overflows", {0, floatMax, 0, 0, 0, 0}, sample(2, 0, 0, 0, 0, 1), std::nullopt, false},
};

class OneSample : public ::testing::TestWithParam<OneSampleRow> {};

TEST_P(OneSample, OutputAndRightness)
{
    const OneSampleRow &row = GetParam();
    EXPECT_EQ(sampleOutput(row.weights, row.sample), row.output);
    EXPECT_EQ(classifiedRight(row.weights, row.sample), row.right);
}

INSTANTIATE_TEST_SUITE_P(Rows, OneSample, ::testing::ValuesIn(oneSampleRows),
                         named_rows::ByName());

// A set of samples with a limit; training's outcome must agree with the
// one-sample test on the trained weights.
struct AgreementRow
{
    const char *name;
    std::vector<SampleRow> samples;
    float eta;
    TrainingOutcome outcome;
};

const AgreementRow agreementRows[] = {
    {"and", {sample(0, 0, 0, 0, 0, -1), sample(0, 1, 0, 0, 0, -1), sample(1, 0, 0, 0, 0, -1), sample(1, 1, 0, 0, 0, 1)},
     0.1f, TrainingOutcome::Converged},
    {"or", {sample(0, 0, 0, 0, 0, -1), sample(0, 1, 0, 0, 0, 1), sample(1, 0, 0, 0, 0, 1), sample(1, 1, 0, 0, 0, 1)},
     0.3f, TrainingOutcome::Converged},
    {"xor", {sample(0, 0, 0, 0, 0, -1), sample(0, 1, 0, 0, 0, 1), sample(1, 0, 0, 0, 0, 1), sample(1, 1, 0, 0, 0, -1)},
     0.2f, TrainingOutcome::LimitExceeded},
    {"target_zero_last", {sample(1, 0, 0, 0, 0, 1), sample(0, 1, 0, 0, 0, 0)}, 0.2f, TrainingOutcome::LimitExceeded},
    {"opposite_targets", {sample(1, 2, 0, 0, 0, 1), sample(1, 2, 0, 0, 0, -1)}, 0.2f, TrainingOutcome::LimitExceeded},
    {"five_inputs", {sample(1, -1, 0.5f, 0, 2, 1), sample(-1, 1, 0, 0.25f, 0, -1), sample(0, 0, 0, 0, -3, -1)},
     0.05f, TrainingOutcome::Converged},
};

class TrainedWeights : public ::testing::TestWithParam<AgreementRow> {};

TEST_P(TrainedWeights, EverySampleRightExactlyWhenTrainingConverged)
{
    const AgreementRow &row = GetParam();
    WeightVector weights{0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    const TrainingResult result = train(weights, row.samples, row.eta, 200);
    ASSERT_EQ(result.outcome, row.outcome);
    bool allRight = true;
    for (const SampleRow &s : row.samples)
        allRight = allRight && classifiedRight(weights, s);
    EXPECT_EQ(allRight, result.outcome == TrainingOutcome::Converged);
    // Right means an output of the target's sign.
    for (const SampleRow &s : row.samples) {
        const std::optional<int> output = sampleOutput(weights, s);
        ASSERT_TRUE(output.has_value());
        EXPECT_EQ(classifiedRight(weights, s), s[TargetColumn] != 0.0f && (*output > 0) == (s[TargetColumn] > 0.0f));
    }
    // And the output is the sum's sign, wherever float rounding cannot decide it.
    int clear = 0;
    for (const SampleRow &s : row.samples) {
        const std::optional<int> exact = exactAnswer(weights, s, FloatRounding);
        if (exact) {
            ++clear;
            EXPECT_EQ(sampleOutput(weights, s), exact);
        }
    }
    EXPECT_GT(clear, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, TrainedWeights, ::testing::ValuesIn(agreementRows),
                         named_rows::ByName());

TEST(TrainingText, CyclesDisplay)
{
    EXPECT_EQ(cyclesText(37, 10000), "N°Cicli:37/10000");
    EXPECT_EQ(cyclesText(1, -5), "N°Cicli:1/-5");
}

} // namespace
} // namespace vintrelle
