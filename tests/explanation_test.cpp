// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "verdict/explanation.h"
#include "verdict/separability.h"
#include "core/numeric_text.h"
#include "core/training.h"
#include "named_rows.h"

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace vintrelle {
namespace {

using named_rows::PrintTo;

SampleRow two(float x1, float x2, float target)
{
    return {-1.0f, x1, x2, 0, 0, 0, target};
}

// One row per kind of sentence: the rows it names (in the reason and with
// a note), the text it must hold and the one it must not.
struct ExplanationRow
{
    const char *name;
    std::vector<SampleRow> samples;
    std::vector<int> named;
    const char *contains;
    const char *lacks;
    // Held by the note of the first sample named.
    const char *note = "";
    float eta = 1.0f;
};

SampleRow five(float x1, float x2, float x3, float x4, float x5, float target)
{
    return {-1.0f, x1, x2, x3, x4, x5, target};
}

const ExplanationRow rows[] = {
    {"xor", {two(0, 0, -1), two(0, 1, 1), two(1, 0, 1), two(1, 1, -1)}, {0, 1, 2, 3},
     "Ingressi mostrati (X1 ; X2), gli altri sono 0, il Bias è sempre -1: N°1 (0 ; 1) + N°2 (1 ; 0) hanno gli "
     "stessi ingressi di N°0 (0 ; 0) + N°3 (1 ; 1). Entrambe le parti sommano (1 ; 1), con il Bias -2.",
     "×"},
    {"contradiction", {two(1, 0, 1), two(0, 1, 1), two(1, 0, -1)}, {0, 2},
     "N°0 (1) ha gli stessi ingressi di N°2 (1)", "N°1"},
    {"zeros_negative", {{0, 0, 0, 0, 0, 0, -1}}, {0}, "N°0 ha tutti gli ingressi a 0", "×"},
    {"multipliers", {two(0, 0, 1), two(1, 0, -1), two(2, 0, 1)}, {0, 1, 2},
     "N°0 (0) + N°2 (2) hanno gli stessi ingressi di 2 × N°1 (1). Entrambe le parti sommano (2), con il Bias -2.",
     "1 ×", "(moltiplicatore 1)."},
    // 7 * 0,5 = 4 * 0,2 + 3 * 0,9 as written; the stored floats need longer
    // multipliers.
    {"rounded_multipliers", {two(0.2f, 0, -1), two(0.5f, 0, 1), two(0.9f, 0, -1)}, {0, 1, 2},
     "7 × N°1 (0,5) ha gli stessi ingressi di 4 × N°0 (0,2) + 3 × N°2 (0,9). Entrambe le parti sommano (3,5), "
     "con il Bias -7. I moltiplicatori mostrati sono arrotondati; la prova è esatta",
     "circa", "(moltiplicatore 4, arrotondato)."},
    // 201 * 100 = 100 * 201, 201 = 101 + 100: exact, though above 99.
    {"exact_multipliers_in_hundreds", {two(0, 0, -1), two(100, 0, 1), two(201, 0, -1)}, {0, 1, 2},
     "201 × N°1 (100) ha gli stessi ingressi di 101 × N°0 (0) + 100 × N°2 (201). Entrambe le parti sommano "
     "(20100), con il Bias -201.",
     "arrotondat", "(moltiplicatore 101)."},
    // 2001 * 1000 = 1000 * 2001: no whole numbers up to 999 come within
    // 1 part in 100000 of 1001 : 2001 : 1000 (two of them would be equal).
    {"exact_multipliers_above_999", {two(0, 0, -1), two(1000, 0, 1), two(2001, 0, -1)}, {0, 1, 2},
     "2001 × N°1 (1000) ha gli stessi ingressi di 1001 × N°0 (0) + 1000 × N°2 (2001). Entrambe le parti sommano "
     "(2001000), con il Bias -2001.",
     "arrotondat", "(moltiplicatore 1001)."},
    // Values from 1e-38 to 3e38: the proof needs all seven (any six are
    // separable), with multipliers of hundreds of digits.
    {"values_of_every_size",
     {five(0, 0, 2e-38f, -3e20f, 0, -1), five(0, 3e-10f, 2e38f, -3e10f, -1, 1),
      five(0, 2e30f, -1e30f, 3e38f, 3e38f, -1), five(0, 3e-10f, -1e20f, -3e-38f, -2e-30f, 1),
      five(-2e-20f, -1e37f, 2e10f, 0, 1e-38f, -1), five(1e-38f, 0, 1e-30f, -1e-38f, -2, -1),
      five(3e30f, -3e-20f, 0, -2e-10f, -1e30f, 1)},
     {0, 1, 2, 3, 4, 5, 6},
     "N°6 (3000000000000000000000000000000 ; -0,00000000000000000003 ; 0 ; -0,0000000002 ; "
     "-1000000000000000000000000000000) hanno gli stessi ingressi di N°0 (",
     "di  ("},
    {"and_at_the_limit", {two(0, 0, -1), two(0, 1, -1), two(1, 0, -1), two(1, 1, 1)}, {}, "w5 = ", "N°"},
    // Exact weights below 2^24 that the check pass accepts are shown as they are.
    {"exact_weights", {two(0.001f, 0.7f, -1), two(0.99999994f, -0.3f, -1)}, {}, "w5 = ", "Eta 0"},
    // Larger ones are scaled to 10, 100, ...
    {"weights_scaled_to_10", {two(0.1f, 1, -1), two(0.3f, -0.3f, 1)}, {}, "w5 = ", "N°"},
    {"weights_scaled_to_10000", {two(0.5f, 0, -1), two(0.7f, 0.001f, 1)}, {}, "w5 = ", "N°"},
    {"rounded_apart",
     {{-1, 1, -0.00000001f, -1, 0, 0, 1}, {-1, -1, 0.00000001f, 1, 0, 0, 1}, {-1, 0, 0, 0, 0, 0, -1}}, {},
     "w5 = ", "nessun insieme di pesi"},
    {"rounding_may_decide", {two(0, 0, -1), two(1, 1, 1), two(2, 2, -1)}, {0, 1, 2},
     "2 × N°1 (1 ; 1) ha gli stessi ingressi di N°0 (0 ; 0) + N°2 (2 ; 2). Entrambe le parti sommano (2 ; 2), con il "
     "Bias -2. Quindi con ogni insieme di pesi danno la stessa somma pesata, ma N°1 chiede una somma maggiore o "
     "uguale a 0 e N°0 e N°2 una somma minore di 0. Il neurone però arrotonda",
     "nessun insieme di pesi"},
    // A learning rate of 0 leaves the weights as they are.
    {"eta_zero", {two(0, 0, 1), two(1, 1, -1)}, {},
     "Con Eta 0 i pesi non cambiano mai: più cicli non possono bastare. I campioni sono linearmente separabili, "
     "per esempio con w0 = ",
     "Più cicli", "", 0.0f},
    {"eta_minus_zero", {two(0, 0, 1), two(1, 1, -1)}, {}, "Con Eta 0 i pesi non cambiano mai", "Più cicli", "",
     -0.0f},
    {"zero_target", {two(1, 1, 0)}, {}, "Un'uscita attesa è 0", "N°"},
    {"no_samples", {}, {}, "Nessun campione", "N°"},
};

// The six weights after "w0 = " ... "w5 = ", read as the program reads a field.
std::optional<WeightVector> weightsIn(const std::string &reason)
{
    WeightVector weights{};
    for (int i = 0; i < InputCount; ++i) {
        const std::string label = "w" + std::to_string(i) + " = ";
        const std::size_t at = reason.find(label);
        if (at == std::string::npos)
            return std::nullopt;
        const std::size_t from = at + label.size();
        const std::size_t to = reason.find_first_of(" .", from);
        std::string number = reason.substr(from, to - from);
        if (!number.empty() && number.back() == ',')
            number.pop_back();
        const std::optional<float> value = textToSingle(number);
        if (!value)
            return std::nullopt;
        weights[i] = *value;
    }
    return weights;
}

bool allRight(const WeightVector &weights, const std::vector<SampleRow> &samples)
{
    return std::all_of(samples.begin(), samples.end(),
                       [&](const SampleRow &sample) { return classifiedRight(weights, sample); });
}

// The exact weights E scaled so that the largest in size is `top`, each
// rounded to the nearest whole number.
WeightVector scaled(const std::vector<mpz_class> &exact, const mpz_class &largest, long top)
{
    WeightVector weights{};
    for (int i = 0; i < InputCount; ++i) {
        mpz_class whole;
        mpz_class twice = 2 * exact[i] * top + largest;
        mpz_class twiceLargest = 2 * largest;
        mpz_fdiv_q(whole.get_mpz_t(), twice.get_mpz_t(), twiceLargest.get_mpz_t());
        weights[i] = static_cast<float>(whole.get_si());
    }
    return weights;
}

// How the reason's weights come from the verdict's exact whole numbers E:
// E itself when each is at most 2^24 and the check pass accepts it, else E
// scaled to a largest of 10, 100, ... and rounded, the first of these that
// the check pass accepts.
void expectWeightsFromExact(const WeightVector &shown, const std::vector<SampleRow> &samples)
{
    std::vector<mpz_class> exact;
    mpz_class largest = 0;
    for (const ExactRational &w : separability(samples).weights) {
        exact.emplace_back(w.numerator, 10);
        largest = std::max(largest, mpz_class(abs(exact.back())));
    }
    ASSERT_EQ(exact.size(), static_cast<std::size_t>(InputCount));
    WeightVector asFloats{};
    for (int i = 0; i < InputCount; ++i)
        asFloats[i] = largest <= (1 << 24) ? static_cast<float>(exact[i].get_si()) : 0.0f;
    if (largest <= (1 << 24) && allRight(asFloats, samples)) {
        EXPECT_EQ(shown, asFloats);
        return;
    }
    long top = 10;
    for (; top <= 1000000 && !allRight(scaled(exact, largest, top), samples); top *= 10) {}
    ASSERT_LE(top, 1000000);
    EXPECT_EQ(shown, scaled(exact, largest, top));
}

class Explanation : public ::testing::TestWithParam<ExplanationRow> {};

TEST_P(Explanation, NamesTheProofAndShowsWeightsTheCheckAccepts)
{
    const ExplanationRow &row = GetParam();
    const LimitExplanation explanation = explainLimit(row.samples, row.eta);
    EXPECT_NE(explanation.reason.find(row.contains), std::string::npos) << explanation.reason;
    EXPECT_EQ(explanation.reason.find(row.lacks), std::string::npos) << explanation.reason;
    ASSERT_EQ(explanation.sampleNotes.size(), row.samples.size());
    for (std::size_t s = 0; s < row.samples.size(); ++s) {
        const bool named = std::find(row.named.begin(), row.named.end(), static_cast<int>(s)) != row.named.end();
        EXPECT_EQ(explanation.reason.find("N°" + std::to_string(s)) != std::string::npos, named) << s;
        EXPECT_EQ(!explanation.sampleNotes[s].empty(), named) << s;
    }
    if (!row.named.empty())
        EXPECT_NE(explanation.sampleNotes[static_cast<std::size_t>(row.named[0])].find(row.note), std::string::npos)
            << explanation.sampleNotes[static_cast<std::size_t>(row.named[0])];
    if (explanation.reason.find("w0 = ") != std::string::npos) {
        const std::optional<WeightVector> weights = weightsIn(explanation.reason);
        ASSERT_TRUE(weights) << explanation.reason;
        for (const SampleRow &sample : row.samples)
            EXPECT_TRUE(classifiedRight(*weights, sample)) << explanation.reason;
        if (separability(row.samples).verdict == Separability::Separable)
            expectWeightsFromExact(*weights, row.samples);
    }
}

INSTANTIATE_TEST_SUITE_P(Sentences, Explanation, ::testing::ValuesIn(rows), named_rows::ByName());

} // namespace
} // namespace vintrelle
