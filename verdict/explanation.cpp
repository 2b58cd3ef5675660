// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "verdict/explanation.h"

#include "core/messages.h"
#include "core/numeric_text.h"
#include "core/training.h"
#include "verdict/separability.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>

namespace vintrelle {

namespace {

// "N°1 + 2 × N°2" (the multipliers shown but 1s) and "N°1 e N°2", in store order.
struct Side
{
    std::string sum;
    std::string names;
};

Side side(const std::vector<std::size_t> &rows, const std::vector<std::string> &y, bool showMultipliers)
{
    Side result;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::string name = messages::sampleName(static_cast<int>(rows[k]));
        const std::string &multiplier = y[rows[k]];
        result.sum += (k > 0 ? " + " : "") + (showMultipliers && multiplier != "1" ? multiplier + " × " : "") + name;
        result.names += (k == 0 ? "" : k + 1 == rows.size() ? " e " : ", ") + name;
    }
    return result;
}

// The multipliers as they are shown: the exact whole numbers when each has
// at most three digits, else the smallest whole numbers (up to 999) in the
// same proportions to within 1e-5, with `rounded` set. Decimal inputs are
// stored as the floats nearest to them, so the exact multipliers of a proof
// on 0,2, 0,5 and 0,9 are 26843544, 46976203 and 20132659, where the typed
// values would need 4, 7 and 3: those are shown, marked as rounded. Exact
// ones that have no such proportions are shown as they are.
struct ShownMultipliers
{
    std::vector<std::string> values;
    bool rounded = false;
};

ShownMultipliers shownMultipliers(const std::vector<ExactRational> &exact)
{
    ShownMultipliers shown;
    std::vector<double> values;
    double largest = 0;
    for (const ExactRational &m : exact) {
        shown.values.push_back(m.numerator);
        double value = 0;
        std::from_chars(m.numerator.data(), m.numerator.data() + m.numerator.size(), value);
        values.push_back(value);
        largest = std::max(largest, value);
    }
    if (largest <= 999)
        return shown;
    for (int top = 1; top <= 999; ++top) {
        const double scale = top / largest;
        bool close = true;
        for (const double value : values) {
            const double scaled = value * scale;
            const double whole = std::round(scaled);
            close = close && (value == 0 || whole >= 1) && std::fabs(scaled - whole) <= 1e-5 * std::max(1.0, whole);
        }
        if (!close)
            continue;
        for (std::size_t s = 0; s < values.size(); ++s)
            shown.values[s] = std::to_string(static_cast<long>(std::round(values[s] * scale)));
        shown.rounded = true;
        return shown;
    }
    return shown;
}

// Why the proof rules out every weight.
std::string proofSentence(std::span<const SampleRow> samples, const ShownMultipliers &shown,
                          bool showMultipliers)
{
    const std::vector<std::string> &y = shown.values;
    std::vector<std::size_t> positives, negatives;
    for (std::size_t s = 0; s < samples.size(); ++s)
        if (y[s] != "0")
            (samples[s][TargetColumn] < 0.0f ? negatives : positives).push_back(s);
    const Side pos = side(positives, y, showMultipliers);
    const Side neg = side(negatives, y, showMultipliers);
    const std::string rounded(shown.rounded ? messages::RoundedMultipliers : std::string_view());
    if (positives.empty())
        return neg.sum + rounded
               + std::string(negatives.size() == 1 ? messages::AllInputsZero : messages::InputsCancel);
    return pos.sum + std::string(positives.size() == 1 ? messages::SameInputsSingular : messages::SameInputsPlural)
           + neg.sum + rounded + std::string(messages::SameSum) + pos.names
           + std::string(positives.size() == 1 ? messages::AsksSingular : messages::AsksPlural) + neg.names
           + std::string(messages::AsksBelowZero);
}

// The proof's sentence, and `note` (with the sample's multiplier where they
// are not all 1) for each sample it names.
std::string proof(std::span<const SampleRow> samples, const std::vector<ExactRational> &multipliers,
                  std::string_view note, std::vector<std::string> &notes)
{
    const ShownMultipliers shown = shownMultipliers(multipliers);
    bool allOnes = true;
    for (const std::string &m : shown.values)
        allOnes = allOnes && (m == "0" || m == "1");
    const std::string about = shown.rounded ? "circa " : "";
    for (std::size_t s = 0; s < samples.size(); ++s) {
        const std::string &m = shown.values[s];
        if (m != "0")
            notes[s] = std::string(note) + (allOnes ? "." : " (moltiplicatore " + about + m + ").");
    }
    return proofSentence(samples, shown, !allOnes);
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
            // The exact proof still tells the student why; the rounding
            // keeps it from being the last word.
            explanation.reason = std::string(messages::NotSeparableExactly) + " "
                                 + proof(samples, verdict.multipliers, messages::InExactProof,
                                         explanation.sampleNotes)
                                 + std::string(messages::RoundingMayDecide);
            break;
        case FloatCheck::Weights:
            explanation.reason = std::string(messages::NotSeparableButRounded)
                                 + weightsText(verdict.floatWeights) + ".";
            break;
        case FloatCheck::NoWeights:
            explanation.reason += " " + proof(samples, verdict.multipliers, messages::InProof,
                                              explanation.sampleNotes);
            break;
        }
    }
    return explanation;
}

} // namespace vintrelle
