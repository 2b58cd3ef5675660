// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "verdict/separability.h"
#include "named_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vintrelle {
namespace {

using named_rows::PrintTo;

// A sample as the window stores it: the bias input -1, then x1..x5.
SampleRow sample(float x1, float x2, float x3, float x4, float x5, float target)
{
    return {-1.0f, x1, x2, x3, x4, x5, target};
}

// A sample with the bias input given too.
SampleRow raw(float x0, float x1, float x2, float target)
{
    return {x0, x1, x2, 0.0f, 0.0f, 0.0f, target};
}

// Two inputs, the bias -1, the rest 0.
SampleRow two(float x1, float x2, float target)
{
    return sample(x1, x2, 0, 0, 0, target);
}

std::vector<SampleRow> twice(std::vector<SampleRow> rows)
{
    const std::vector<SampleRow> copy = rows;
    rows.insert(rows.end(), copy.begin(), copy.end());
    return rows;
}

const float tiny = 1e-38f;
const float huge = 1e38f;
const float smallestNormal = std::numeric_limits<float>::min();
const float epsilon = std::numeric_limits<float>::epsilon();

const std::vector<SampleRow> andRows{two(0, 0, -1), two(0, 1, -1), two(1, 0, -1), two(1, 1, 1)};
const std::vector<SampleRow> orRows{two(0, 0, -1), two(0, 1, 1), two(1, 0, 1), two(1, 1, 1)};
const std::vector<SampleRow> xorRows{two(0, 0, -1), two(0, 1, 1), two(1, 0, 1), two(1, 1, -1)};

// Parity of three inputs: eight samples, no plane parts them.
std::vector<SampleRow> parityOfThree()
{
    std::vector<SampleRow> rows;
    for (int bits = 0; bits < 8; ++bits) {
        const int a = bits & 1, b = (bits >> 1) & 1, c = (bits >> 2) & 1;
        rows.push_back(sample(static_cast<float>(a), static_cast<float>(b), static_cast<float>(c), 0, 0,
                              (a + b + c) % 2 == 1 ? 1.0f : -1.0f));
    }
    return rows;
}

// Eleven samples of five inputs, the target the sign of x1 + x2 - x3 + x4 - x5 - 0.5.
std::vector<SampleRow> elevenSeparable()
{
    std::vector<SampleRow> rows;
    for (int s = 0; s < 11; ++s) {
        const float a = static_cast<float>(s % 3), b = static_cast<float>(s % 4) * 0.5f;
        const float c = static_cast<float>(s % 5) * 0.25f, d = static_cast<float>(s % 2), e = static_cast<float>(s) * 0.125f;
        rows.push_back(sample(a, b, c, d, e, a + b - c + d - e - 0.5f >= 0 ? 1.0f : -1.0f));
    }
    return rows;
}

// The same with the last sample's target turned to that of its twin.
std::vector<SampleRow> elevenNotSeparable()
{
    std::vector<SampleRow> rows = elevenSeparable();
    rows[10] = rows[3];
    rows[10][TargetColumn] = -rows[3][TargetColumn];
    return rows;
}

struct VerdictRow
{
    const char *name;
    std::vector<SampleRow> samples;
    Separability verdict;
    // What the program's float check pass can do (NotSeparable only).
    FloatCheck floatCheck = FloatCheck::NoWeights;
};

// Exactly inseparable (multipliers 1, 1, 2), but (2^-26, 1, 1, 1, 0, 0) pass
// the float check: 1 - 2^-26 and 1 - 1e-8 round to 1.
const std::vector<SampleRow> roundedApart{{-1, 1, -0.00000001f, -1, 0, 0, 1},
                                          {-1, -1, 0.00000001f, 1, 0, 0, 1},
                                          {-1, 0, 0, 0, 0, 0, -1}};

const VerdictRow nothingToDecide[] = {
    {"empty", {}, Separability::NoSamples},
    {"target_zero", {two(1, 1, 0)}, Separability::ZeroTarget},
    {"target_zero_after_separable_ones", {two(1, 0, 1), two(0, 1, -1), two(1, 1, 0)}, Separability::ZeroTarget},
    // A target of 0 comes before the contradiction next to it.
    {"target_zero_among_contradicting_pair", {two(1, 1, 1), two(1, 1, -1), two(0, 0, 0)}, Separability::ZeroTarget},
    {"negative_zero_target", {two(1, 1, -0.0f)}, Separability::ZeroTarget},
};

const VerdictRow separableSets[] = {
    {"and", andRows, Separability::Separable},
    {"or", orRows, Separability::Separable},
    {"and_with_targets_two_and_minus_half",
     {two(0, 0, -0.5f), two(0, 1, -0.5f), two(1, 0, -0.5f), two(1, 1, 2)}, Separability::Separable},
    {"and_twice", twice(andRows), Separability::Separable},
    {"only_positive_targets", {two(1, 0, 1), two(-3, 2, 1), two(0, 0, 1)}, Separability::Separable},
    {"only_negative_targets", {two(1, 0, -1), two(-3, 2, -1), two(0, 0, -1)}, Separability::Separable},
    {"zeros_with_positive_target", {raw(0, 0, 0, 1)}, Separability::Separable},
    {"opposite_inputs_both_positive", {two(1, 2, 1), raw(1, -1, -2, 1)}, Separability::Separable},
    // The two differ only by one unit in the last place of x1.
    {"narrowest_margin", {two(1 + epsilon, 0, 1), two(1, 0, -1)}, Separability::Separable},
    {"near_smallest_normal", {raw(-tiny, tiny, 0, 1), raw(-tiny, -tiny, 0, -1)}, Separability::Separable},
    {"near_largest", {two(huge, 0, 1), two(-huge, 0, -1), two(huge, huge, 1)}, Separability::Separable},
    {"huge_and_tiny_and", {two(0, 0, -1), two(0, tiny, -1), two(huge, 0, -1), two(huge, tiny, 1)},
     Separability::Separable},
    {"every_input_counts",
     {sample(1, 1, 1, 1, 1, 1), sample(1, 1, 1, 1, 0, -1), sample(1, 1, 1, 0, 1, -1), sample(1, 1, 0, 1, 1, -1),
      sample(1, 0, 1, 1, 1, -1), sample(0, 1, 1, 1, 1, -1)},
     Separability::Separable},
    {"eleven_samples", elevenSeparable(), Separability::Separable},
};

const VerdictRow notSeparableSets[] = {
    {"xor", xorRows, Separability::NotSeparable},
    {"xor_twice", twice(xorRows), Separability::NotSeparable},
    {"identical_inputs_opposite_targets", {two(1, 2, 1), two(1, 2, -1)}, Separability::NotSeparable},
    {"duplicates_then_opposite", {two(1, 2, 1), two(1, 2, 1), two(3, 0, -1), two(1, 2, -1)},
     Separability::NotSeparable},
    // Every sum of zeros is 0, which is not below 0.
    {"zeros_with_negative_target", {raw(0, 0, 0, -1)}, Separability::NotSeparable},
    {"zeros_with_negative_target_among_others", {two(1, 0, 1), raw(0, 0, 0, -1), two(0, 1, -1)},
     Separability::NotSeparable},
    // The float sums of x and -x are opposite too, but the bound cannot tell.
    {"opposite_inputs_both_negative", {two(1, 2, -1), raw(1, -1, -2, -1)}, Separability::NotSeparable,
     FloatCheck::Undecided},
    // w1 = -5e-8 rounds the first product to 0 and the second to -2^-149.
    {"same_direction_opposite_targets", {raw(0, tiny, 0, 1), raw(0, 2 * tiny, 0, -1)}, Separability::NotSeparable,
     FloatCheck::Undecided},
    {"huge_and_tiny_xor", {two(0, 0, -1), two(0, tiny, 1), two(huge, 0, 1), two(huge, tiny, -1)},
     Separability::NotSeparable, FloatCheck::Undecided},
    {"parity_of_three", parityOfThree(), Separability::NotSeparable},
    {"eleven_samples", elevenNotSeparable(), Separability::NotSeparable},
    // In the float check pass too: the columns of values match, or the
    // weights below 2^-126 fall in a box where every point fails.
    {"xor_of_halves", {two(0, 0, -1), two(0, 0.5f, 1), two(0.5f, 0, 1), two(0.5f, 0.5f, -1)},
     Separability::NotSeparable},
    {"decimals_on_a_line", {two(0.2f, 0, 1), two(0.5f, 0, -1), two(0.9f, 0, 1)}, Separability::NotSeparable},
    // Only exactly.
    {"rounded_apart", roundedApart, Separability::NotSeparable, FloatCheck::Weights},
    // Weights below 2^-126, in units of u = 2^-149, the smallest float: each
    // product is rounded to a multiple of u, and the sums of such products
    // are exact. w1 = -u passes: 0,5 * -u = -u/2 is a tie between -0 and -u
    // and rounds to the even -0, which is >= 0; 1 * -u < 0.
    {"half_a_unit_rounds_to_zero", {raw(0, 0.5f, 0, 1), raw(0, 1, 0, -1)}, Separability::NotSeparable,
     FloatCheck::Weights},
    // w = (u, -u, 0) passes: -u + u = 0; 0 + fl(0,5 * -u) = -0; -u + -0 = -u.
    // w = (0, -u, 0) does not: the last sum is -0 + -0 = -0, not < 0.
    {"small_weights_on_two_inputs", {raw(-1, -1, 0, 1), raw(0, 0.5f, 0, 1), raw(-1, 0.5f, 0, -1)},
     Separability::NotSeparable, FloatCheck::Weights},
    // The proof is N°0 and N°2 (1 = 4 * 0,25). w = (0, -u, 0) passes:
    // -u < 0; -0 + fl(0,3 * -u) = -0 >= 0; fl(0,25 * -u) = -0 >= 0. But
    // w1 = -2u, which the proof's two samples let through too, gives N°1
    // fl(0,3 * -2u) = -u < 0: weights right for the proof, not for every sample.
    {"small_weights_right_beyond_the_proof", {raw(0, 1, 0, -1), raw(-1, 0.3f, 0, 1), raw(0, 0.25f, 0, 1)},
     Separability::NotSeparable, FloatCheck::Weights},
    {"proof_on_a_diagonal", {two(0, 0, -1), two(1, 1, 1), two(2, 2, -1)}, Separability::NotSeparable,
     FloatCheck::Undecided},
};

class Verdict : public ::testing::TestWithParam<VerdictRow> {};

TEST_P(Verdict, ExpectedVerdictWithACertificateThatHolds)
{
    const VerdictRow &row = GetParam();
    const SeparabilityVerdict verdict = separability(row.samples);
    ASSERT_EQ(verdict.verdict, row.verdict);
    EXPECT_TRUE(certificateHolds(row.samples, verdict));
    EXPECT_EQ(verdict.floatCheck, row.floatCheck);

    const bool separable = row.verdict == Separability::Separable;
    const bool notSeparable = row.verdict == Separability::NotSeparable;
    EXPECT_EQ(verdict.weights.size(), separable ? 6u : 0u);
    EXPECT_EQ(verdict.multipliers.size(), notSeparable ? row.samples.size() : 0u);
    // Whole numbers.
    for (const ExactRational &value : verdict.weights)
        EXPECT_EQ(value.denominator, "1");
    for (const ExactRational &value : verdict.multipliers)
        EXPECT_EQ(value.denominator, "1");
}

TEST_P(Verdict, TheOppositeVerdictDoesNotHold)
{
    const VerdictRow &row = GetParam();
    const SeparabilityVerdict verdict = separability(row.samples);
    SeparabilityVerdict opposite;
    if (verdict.verdict == Separability::Separable) {
        // Multipliers made from the weights' texts, padded to one per sample.
        opposite.verdict = Separability::NotSeparable;
        opposite.multipliers = verdict.weights;
        opposite.multipliers.resize(row.samples.size(), ExactRational{"1", "1"});
    } else if (verdict.verdict == Separability::NotSeparable) {
        opposite.verdict = Separability::Separable;
        opposite.weights = verdict.multipliers;
        opposite.weights.resize(6, ExactRational{"1", "1"});
    } else {
        opposite.verdict = verdict.verdict == Separability::NoSamples ? Separability::ZeroTarget
                                                                      : Separability::NoSamples;
    }
    EXPECT_FALSE(certificateHolds(row.samples, opposite));
}

INSTANTIATE_TEST_SUITE_P(NothingToDecide, Verdict, ::testing::ValuesIn(nothingToDecide),
                         named_rows::ByName());
INSTANTIATE_TEST_SUITE_P(Separable, Verdict, ::testing::ValuesIn(separableSets),
                         named_rows::ByName());
INSTANTIATE_TEST_SUITE_P(NotSeparable, Verdict, ::testing::ValuesIn(notSeparableSets),
                         named_rows::ByName());

TEST(VerdictInput, ValueThatIsNotFiniteIsRefused)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const SampleRow &bad : {two(inf, 0, 1), two(0, -inf, -1), two(nan, 0, 1), two(0, 0, nan), two(0, 0, inf)}) {
        const std::vector<SampleRow> rows{two(1, 0, 1), bad};
        EXPECT_THROW(separability(rows), std::domain_error);
        SeparabilityVerdict anything;
        anything.verdict = Separability::Separable;
        anything.weights = std::vector<ExactRational>(6);
        EXPECT_FALSE(certificateHolds(rows, anything));
    }
}

TEST(VerdictInput, OnlyPositiveTargetsGiveWeightsAllZero)
{
    const std::vector<SampleRow> rows{two(1, 0, 1), two(-3, 2, 1)};
    EXPECT_EQ(separability(rows).weights, std::vector<ExactRational>(6));
}

// Hand-made certificates, each checked against its samples.
struct CertificateRow
{
    const char *name;
    std::vector<SampleRow> samples;
    SeparabilityVerdict verdict;
    bool holds;
};

ExactRational q(const char *numerator, const char *denominator = "1")
{
    return {numerator, denominator};
}

SeparabilityVerdict weights(std::vector<ExactRational> w)
{
    return {Separability::Separable, std::move(w), {}};
}

SeparabilityVerdict multipliers(std::vector<ExactRational> y)
{
    return {Separability::NotSeparable, {}, std::move(y)};
}

// For AND, w = (3, 2, 2): sums -3, -1, -1, 1.
const CertificateRow weightCertificates[] = {
    {"and_three_two_two", andRows, weights({q("3"), q("2"), q("2"), q("0"), q("0"), q("0")}), true},
    {"and_as_fractions", andRows, weights({q("3", "2"), q("1"), q("1"), q("0"), q("0"), q("0")}), true},
    {"and_with_signs_in_both_texts", andRows, weights({q("-6", "-4"), q("-1", "-1"), q("2", "2"), q("0"), q("0"), q("0")}), true},
    // Sum exactly 0 on the positive sample (1, 1): meets >= 0.
    {"and_sum_zero_on_positive", andRows, weights({q("4"), q("2"), q("2"), q("0"), q("0"), q("0")}), true},
    // Sum exactly 0 on the negative samples (0, 1) and (1, 0): fails < 0.
    {"and_sum_zero_on_negative", andRows, weights({q("2"), q("2"), q("2"), q("0"), q("0"), q("0")}), false},
    // The OR weights put (0, 1) and (1, 0) on the positive side.
    {"or_weights_for_and", andRows, weights({q("1"), q("2"), q("2"), q("0"), q("0"), q("0")}), false},
    {"and_weights_negated", andRows, weights({q("-3"), q("-2"), q("-2"), q("0"), q("0"), q("0")}), false},
    // A weight on an input the samples leave at 0 changes nothing, one on x1 does.
    {"and_extra_weight_on_unused_input", andRows, weights({q("3"), q("2"), q("2"), q("0"), q("0"), q("7")}), true},
    {"and_x1_weight_too_large", andRows, weights({q("3"), q("4"), q("2"), q("0"), q("0"), q("0")}), false},
    {"only_five_weights", andRows, weights({q("3"), q("2"), q("2"), q("0"), q("0")}), false},
    {"seven_weights", andRows, weights({q("3"), q("2"), q("2"), q("0"), q("0"), q("0"), q("0")}), false},
    {"denominator_zero", andRows, weights({q("3", "0"), q("2"), q("2"), q("0"), q("0"), q("0")}), false},
    {"decimal_text", andRows, weights({q("1.5"), q("1"), q("1"), q("0"), q("0"), q("0")}), false},
    {"empty_text", andRows, weights({q(""), q("2"), q("2"), q("0"), q("0"), q("0")}), false},
    {"lone_minus", andRows, weights({q("-"), q("2"), q("2"), q("0"), q("0"), q("0")}), false},
    {"weights_with_multipliers_too", andRows,
     {Separability::Separable, {q("3"), q("2"), q("2"), q("0"), q("0"), q("0")}, {q("0"), q("0"), q("0"), q("0")}}, false},
    {"xor_any_weights", xorRows, weights({q("0"), q("1"), q("1"), q("0"), q("0"), q("0")}), false},
    {"weights_all_zero_with_negative_target", andRows, weights(std::vector<ExactRational>(6)), false},
    {"weights_all_zero_only_positive", {two(1, 0, 1), two(0, 0, 1)}, weights(std::vector<ExactRational>(6)), true},
    // The smallest normal float m and the next one, m * (1 + 2^-23), with
    // w = (2^23 + 1, 2^23): exact sums 0 and -m, where float products would round.
    {"smallest_normal_exact_margin", {raw(-smallestNormal, smallestNormal + smallestNormal * epsilon, 0, 1),
                                      raw(-smallestNormal, smallestNormal, 0, -1)},
     weights({q("8388609"), q("8388608"), q("0"), q("0"), q("0"), q("0")}), true},
    {"smallest_normal_margin_missed", {raw(-smallestNormal, smallestNormal + smallestNormal * epsilon, 0, 1),
                                       raw(-smallestNormal, smallestNormal, 0, -1)},
     weights({q("1"), q("1"), q("0"), q("0"), q("0"), q("0")}), false},
    {"separable_with_target_zero", {two(1, 0, 1), two(0, 1, 0)}, weights({q("0"), q("1"), q("0"), q("0"), q("0"), q("0")}), false},
};

// For XOR: (0, 1) + (1, 0) = (0, 0) + (1, 1), the bias inputs included.
const CertificateRow multiplierCertificates[] = {
    {"xor_ones", xorRows, multipliers({q("1"), q("1"), q("1"), q("1")}), true},
    {"xor_halves", xorRows, multipliers({q("1", "2"), q("1", "2"), q("1", "2"), q("1", "2")}), true},
    {"xor_unequal", xorRows, multipliers({q("1"), q("1"), q("1"), q("2")}), false},
    {"xor_all_zero", xorRows, multipliers({q("0"), q("0"), q("0"), q("0")}), false},
    {"xor_three_multipliers", xorRows, multipliers({q("1"), q("1"), q("1")}), false},
    {"xor_five_multipliers", xorRows, multipliers({q("1"), q("1"), q("1"), q("1"), q("0")}), false},
    {"xor_with_weights_too", xorRows,
     {Separability::NotSeparable, {q("0"), q("0"), q("0"), q("0"), q("0"), q("0")}, {q("1"), q("1"), q("1"), q("1")}}, false},
    {"xor_denominator_zero", xorRows, multipliers({q("1"), q("1"), q("1"), q("1", "0")}), false},
    {"pair_opposite_targets", {two(1, 2, 1), two(1, 2, -1)}, multipliers({q("1"), q("1")}), true},
    // Equal sums and a positive total, but a multiplier below 0:
    // x = 3x - 2x with the samples x (+), x (-), 2x (-).
    {"negative_multiplier", {two(1, 2, 1), two(1, 2, -1), raw(-2, 2, 4, -1)}, multipliers({q("1"), q("3"), q("-1")}), false},
    {"same_without_negative_multiplier", {two(1, 2, 1), two(1, 2, -1), raw(-2, 2, 4, -1)}, multipliers({q("2"), q("0"), q("1")}), true},
    // Equal sums, but only a positive sample weighted: no contradiction.
    {"only_positive_weighted", {raw(0, 0, 0, 1), two(1, 0, -1)}, multipliers({q("1"), q("0")}), false},
    {"zeros_negative_weighted", {raw(0, 0, 0, -1), two(1, 0, 1)}, multipliers({q("1"), q("0")}), true},
    // Negative targets on both x and -x: the sum of the two is 0.
    {"opposite_inputs_both_negative", {two(1, 2, -1), raw(1, -1, -2, -1)}, multipliers({q("1"), q("1")}), true},
    // The same multipliers with the targets of a separable set.
    {"and_with_xor_multipliers", andRows, multipliers({q("1"), q("1"), q("1"), q("1")}), false},
    {"multipliers_with_target_zero", {two(1, 2, 1), two(1, 2, -1), two(0, 0, 0)}, multipliers({q("1"), q("1"), q("0")}), false},
};

const CertificateRow otherVerdicts[] = {
    {"no_samples_on_empty", {}, {Separability::NoSamples, {}, {}}, true},
    {"no_samples_on_one", {two(1, 0, 1)}, {Separability::NoSamples, {}, {}}, false},
    {"no_samples_with_weights", {}, {Separability::NoSamples, std::vector<ExactRational>(6), {}}, false},
    {"zero_target_present", {two(1, 0, 1), two(0, 1, 0)}, {Separability::ZeroTarget, {}, {}}, true},
    {"zero_target_absent", andRows, {Separability::ZeroTarget, {}, {}}, false},
    {"zero_target_on_empty", {}, {Separability::ZeroTarget, {}, {}}, false},
    {"zero_target_with_multipliers", {two(0, 1, 0)}, {Separability::ZeroTarget, {}, {q("1")}}, false},
    {"separable_on_empty", {}, weights(std::vector<ExactRational>(6)), false},
    {"not_separable_on_empty", {}, multipliers({}), false},
};

class Certificate : public ::testing::TestWithParam<CertificateRow> {};

TEST_P(Certificate, HoldsOrNot)
{
    const CertificateRow &row = GetParam();
    EXPECT_EQ(certificateHolds(row.samples, row.verdict), row.holds);
}

INSTANTIATE_TEST_SUITE_P(Weights, Certificate, ::testing::ValuesIn(weightCertificates),
                         named_rows::ByName());
INSTANTIATE_TEST_SUITE_P(Multipliers, Certificate, ::testing::ValuesIn(multiplierCertificates),
                         named_rows::ByName());
INSTANTIATE_TEST_SUITE_P(OtherVerdicts, Certificate, ::testing::ValuesIn(otherVerdicts),
                         named_rows::ByName());

TEST(VerdictText, RationalTexts)
{
    EXPECT_EQ(rationalText(q("3", "4")), "3/4");
    EXPECT_EQ(rationalText(q("-2")), "-2");
    EXPECT_EQ(rationalText(q("0")), "0");
    EXPECT_EQ(rationalText(ExactRational{}), "0");
}

TEST(VerdictText, ExplanationsInItalian)
{
    EXPECT_EQ(separabilityText(Separability::NotSeparable),
              "I campioni non sono linearmente separabili: nessun insieme di pesi li classifica tutti.");
    EXPECT_EQ(separabilityText(Separability::Separable),
              "I campioni sono linearmente separabili: più cicli o un altro tasso di apprendimento possono bastare.");
    EXPECT_EQ(separabilityText(Separability::ZeroTarget),
              "Un'uscita attesa è 0: nessuna uscita del neurone ha il suo segno.");
    EXPECT_EQ(separabilityText(Separability::NoSamples), "Nessun campione da addestrare.");
}

} // namespace
} // namespace vintrelle
