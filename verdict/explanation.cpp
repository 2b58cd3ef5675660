// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "verdict/explanation.h"

#include "core/messages.h"
#include "core/numeric_text.h"
#include "core/training.h"
#include "verdict/separability.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>

namespace vintrelle {

namespace {

// "N°3", or "2 × N°3" when the multiplier is shown.
std::string term(std::size_t row, const std::string &multiplier, bool showMultipliers)
{
    std::string text = showMultipliers && multiplier != "1" ? multiplier + " × " : "";
    return text + "N°" + std::to_string(row);
}

// "N°1 + 2 × N°2" and "N°1 e N°2", in store order.
struct Side
{
    std::string sum;
    std::string names;
    std::size_t count = 0;
};

Side side(const std::vector<std::size_t> &rows, const std::vector<ExactRational> &y, bool showMultipliers)
{
    Side result;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::string name = "N°" + std::to_string(rows[k]);
        result.sum += (k > 0 ? " + " : "") + term(rows[k], y[rows[k]].numerator, showMultipliers);
        result.names += (k == 0 ? "" : k + 1 == rows.size() ? " e " : ", ") + name;
    }
    result.count = rows.size();
    return result;
}

// Why the proof rules out every weight.
std::string proofSentence(std::span<const SampleRow> samples, const std::vector<ExactRational> &y,
                          bool showMultipliers)
{
    std::vector<std::size_t> positives, negatives;
    for (std::size_t s = 0; s < samples.size(); ++s)
        if (y[s].numerator != "0")
            (samples[s][TargetColumn] < 0.0f ? negatives : positives).push_back(s);
    const Side pos = side(positives, y, showMultipliers);
    const Side neg = side(negatives, y, showMultipliers);
    if (positives.empty())
        return neg.sum + std::string(negatives.size() == 1 ? messages::AllInputsZero : messages::InputsCancel);
    return pos.sum + std::string(pos.count == 1 ? messages::SameInputsSingular : messages::SameInputsPlural)
           + neg.sum + std::string(messages::SameSum) + pos.names
           + std::string(pos.count == 1 ? messages::AsksSingular : messages::AsksPlural) + neg.names
           + std::string(messages::AsksBelowZero);
}

// "w0 = 3, w1 = 2, ..., w5 = 0".
std::string weightsText(const WeightVector &weights)
{
    std::string text;
    for (int i = 0; i < InputCount; ++i)
        text += (i > 0 ? ", w" : "w") + std::to_string(i) + " = " + singleToText(weights[i]);
    return text;
}

bool classifiesAll(const WeightVector &weights, std::span<const SampleRow> samples)
{
    for (const SampleRow &sample : samples)
        if (!classifiedRight(weights, sample))
            return false;
    return true;
}

// Readable float weights from the exact ones (whole numbers with no common
// factor) that the check pass accepts: the whole numbers themselves, else
// the weights scaled to at most 10, 100, ... and rounded.
std::optional<WeightVector> readableWeights(std::span<const SampleRow> samples,
                                            const std::vector<ExactRational> &exact)
{
    std::array<double, InputCount> values{};
    double largest = 0;
    for (int i = 0; i < InputCount; ++i) {
        const std::string &text = exact[i].numerator;
        if (std::from_chars(text.data(), text.data() + text.size(), values[i]).ec != std::errc())
            return std::nullopt;
        largest = std::max(largest, std::fabs(values[i]));
    }
    if (largest <= 1 << 24) {
        WeightVector weights{};
        for (int i = 0; i < InputCount; ++i)
            weights[i] = static_cast<float>(values[i]);
        if (classifiesAll(weights, samples))
            return weights;
    }
    for (double top = 10; top <= 1e6 && largest > 0; top *= 10) {
        WeightVector weights{};
        for (int i = 0; i < InputCount; ++i)
            weights[i] = static_cast<float>(std::round(values[i] / largest * top));
        if (classifiesAll(weights, samples))
            return weights;
    }
    return std::nullopt;
}

} // namespace

LimitExplanation explainLimit(std::span<const SampleRow> samples)
{
    LimitExplanation explanation;
    explanation.sampleNotes.resize(samples.size());
    const SeparabilityVerdict verdict = separability(samples);
    explanation.reason = std::string(separabilityText(verdict.verdict));
    if (verdict.verdict == Separability::Separable) {
        if (const std::optional<WeightVector> weights = readableWeights(samples, verdict.weights))
            explanation.reason = std::string(messages::SeparableBy) + weightsText(*weights)
                                 + std::string(messages::SeparableByEnd);
    } else if (verdict.verdict == Separability::NotSeparable) {
        switch (verdict.floatCheck) {
        case FloatCheck::Undecided:
            explanation.reason = std::string(messages::NotSeparableExactly);
            break;
        case FloatCheck::Weights:
            explanation.reason = std::string(messages::NotSeparableButRounded)
                                 + weightsText(verdict.floatWeights) + ".";
            break;
        case FloatCheck::NoWeights: {
            bool allOnes = true;
            for (const ExactRational &m : verdict.multipliers)
                allOnes = allOnes && (m.numerator == "0" || m.numerator == "1");
            explanation.reason += " " + proofSentence(samples, verdict.multipliers, !allOnes);
            for (std::size_t s = 0; s < samples.size(); ++s) {
                const std::string &m = verdict.multipliers[s].numerator;
                if (m != "0")
                    explanation.sampleNotes[s] = std::string(messages::InProof)
                                                 + (allOnes ? "." : " (moltiplicatore " + m + ").");
            }
            break;
        }
        }
    }
    return explanation;
}

} // namespace vintrelle
