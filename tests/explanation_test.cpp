// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "verdict/explanation.h"
#include "core/numeric_text.h"
#include "core/training.h"
#include "named_rows.h"

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
};

const ExplanationRow rows[] = {
    {"xor", {two(0, 0, -1), two(0, 1, 1), two(1, 0, 1), two(1, 1, -1)}, {0, 1, 2, 3},
     "N°1 + N°2 hanno gli stessi ingressi di N°0 + N°3", "×"},
    {"contradiction", {two(1, 0, 1), two(0, 1, 1), two(1, 0, -1)}, {0, 2},
     "N°0 ha gli stessi ingressi di N°2", "N°1"},
    {"zeros_negative", {{0, 0, 0, 0, 0, 0, -1}}, {0}, "N°0 ha tutti gli ingressi a 0", "×"},
    {"multipliers", {two(0, 0, 1), two(1, 0, -1), two(2, 0, 1)}, {0, 1, 2},
     "N°0 + N°2 hanno gli stessi ingressi di 2 × N°1", "1 ×"},
    {"rounded_multipliers", {two(0.2f, 0, -1), two(0.5f, 0, 1), two(0.9f, 0, -1)}, {0, 1, 2},
     "7 × N°1 ha gli stessi ingressi di 4 × N°0 + 3 × N°2 (moltiplicatori arrotondati", "26843544"},
    {"and_at_the_limit", {two(0, 0, -1), two(0, 1, -1), two(1, 0, -1), two(1, 1, 1)}, {}, "w5 = ", "N°"},
    {"rounded_apart",
     {{-1, 1, -0.00000001f, -1, 0, 0, 1}, {-1, -1, 0.00000001f, 1, 0, 0, 1}, {-1, 0, 0, 0, 0, 0, -1}}, {},
     "w5 = ", "nessun insieme di pesi"},
    {"rounding_may_decide", {two(0, 0, -1), two(1, 1, 1), two(2, 2, -1)}, {0, 1, 2},
     "2 × N°1 ha gli stessi ingressi di N°0 + N°2: con ogni insieme di pesi danno la stessa somma pesata, ma N°1 chiede una somma maggiore o uguale a 0 e N°0 e N°2 una somma minore di 0. Il neurone però arrotonda",
     "nessun insieme di pesi"},
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

class Explanation : public ::testing::TestWithParam<ExplanationRow> {};

TEST_P(Explanation, NamesTheProofAndShowsWeightsTheCheckAccepts)
{
    const ExplanationRow &row = GetParam();
    const LimitExplanation explanation = explainLimit(row.samples);
    EXPECT_NE(explanation.reason.find(row.contains), std::string::npos) << explanation.reason;
    EXPECT_EQ(explanation.reason.find(row.lacks), std::string::npos) << explanation.reason;
    ASSERT_EQ(explanation.sampleNotes.size(), row.samples.size());
    for (std::size_t s = 0; s < row.samples.size(); ++s) {
        const bool named = std::find(row.named.begin(), row.named.end(), static_cast<int>(s)) != row.named.end();
        EXPECT_EQ(explanation.reason.find("N°" + std::to_string(s)) != std::string::npos, named) << s;
        EXPECT_EQ(!explanation.sampleNotes[s].empty(), named) << s;
    }
    if (explanation.reason.find("w0 = ") != std::string::npos) {
        const std::optional<WeightVector> weights = weightsIn(explanation.reason);
        ASSERT_TRUE(weights) << explanation.reason;
        for (const SampleRow &sample : row.samples)
            EXPECT_TRUE(classifiedRight(*weights, sample)) << explanation.reason;
    }
}

INSTANTIATE_TEST_SUITE_P(Sentences, Explanation, ::testing::ValuesIn(rows), named_rows::ByName());

} // namespace
} // namespace vintrelle
