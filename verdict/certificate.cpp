// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "verdict/certificate.h"

#include "core/training.h"
#include "verdict/exact_values.h"

#include <cstddef>
#include <string>

namespace vintrelle {

namespace {

// "-12", "7": an optional minus and at least one digit, nothing else.
std::optional<mpz_class> integerFromText(const std::string &text)
{
    std::size_t first = text.size() > 0 && text[0] == '-' ? 1 : 0;
    if (first == text.size())
        return std::nullopt;
    for (std::size_t i = first; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    return mpz_class(text, 10);
}

bool floatWeightsPass(std::span<const SampleRow> samples, const WeightVector &weights)
{
    for (const SampleRow &sample : samples)
        if (!classifiedRight(weights, sample))
            return false;
    return true;
}

} // namespace

std::optional<std::vector<mpq_class>> rationalsFromTexts(const std::vector<ExactRational> &texts)
{
    std::vector<mpq_class> values;
    values.reserve(texts.size());
    for (const ExactRational &text : texts) {
        const std::optional<mpz_class> numerator = integerFromText(text.numerator);
        const std::optional<mpz_class> denominator = integerFromText(text.denominator);
        if (!numerator || !denominator || *denominator == 0)
            return std::nullopt;
        mpq_class value(*numerator, *denominator);
        value.canonicalize();
        values.push_back(value);
    }
    return values;
}

bool weightsSeparate(std::span<const SampleRow> samples, std::span<const mpq_class> weights)
{
    if (weights.size() != static_cast<std::size_t>(InputCount))
        return false;
    for (const SampleRow &sample : samples) {
        mpq_class sum = 0;
        for (int i = 0; i < InputCount; ++i)
            sum += weights[i] * exactValue(sample[i]);
        const bool met = sample[TargetColumn] > 0.0f ? sgn(sum) >= 0 : sgn(sum) < 0;
        if (!met)
            return false;
    }
    return true;
}

bool multipliersContradict(std::span<const SampleRow> samples, std::span<const mpq_class> multipliers)
{
    if (multipliers.size() != samples.size())
        return false;
    // sum_p y_p x_p - sum_n y_n x_n, input by input, and sum_n y_n.
    std::vector<mpq_class> difference(InputCount);
    mpq_class negativeTotal = 0;
    for (std::size_t s = 0; s < samples.size(); ++s) {
        const mpq_class &multiplier = multipliers[s];
        if (sgn(multiplier) < 0)
            return false;
        const bool negative = negativeTarget(samples[s]);
        for (int i = 0; i < InputCount; ++i) {
            const mpq_class term = multiplier * exactValue(samples[s][i]);
            if (negative)
                difference[i] -= term;
            else
                difference[i] += term;
        }
        if (negative)
            negativeTotal += multiplier;
    }
    for (const mpq_class &d : difference)
        if (d != 0)
            return false;
    return sgn(negativeTotal) > 0;
}

std::string rationalText(const ExactRational &value)
{
    if (value.denominator == "1")
        return value.numerator;
    return value.numerator + "/" + value.denominator;
}

bool certificateHolds(std::span<const SampleRow> samples, const SeparabilityVerdict &verdict)
{
    if (!allFinite(samples))
        return false;
    switch (verdict.verdict) {
    case Separability::NoSamples:
        return samples.empty() && verdict.weights.empty() && verdict.multipliers.empty();
    case Separability::ZeroTarget:
        return anyZeroTarget(samples) && verdict.weights.empty() && verdict.multipliers.empty();
    case Separability::Separable: {
        if (samples.empty() || anyZeroTarget(samples) || !verdict.multipliers.empty())
            return false;
        const std::optional<std::vector<mpq_class>> w = rationalsFromTexts(verdict.weights);
        return w && weightsSeparate(samples, *w);
    }
    case Separability::NotSeparable: {
        if (samples.empty() || anyZeroTarget(samples) || !verdict.weights.empty())
            return false;
        const std::optional<std::vector<mpq_class>> y = rationalsFromTexts(verdict.multipliers);
        if (!y || !multipliersContradict(samples, *y))
            return false;
        return verdict.floatCheck != FloatCheck::Weights || floatWeightsPass(samples, verdict.floatWeights);
    }
    }
    return false;
}

} // namespace vintrelle
