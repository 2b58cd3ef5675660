// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "verdict/separability.h"
#include "verdict/exact_verdict.h"

#include "core/messages.h"
#include "verdict/exact_solver.h"
#include "verdict/exact_values.h"
#include "verdict/float_check.h"
#include "verdict/float_proof.h"
#include "verdict/float_search.h"

#include <stdexcept>
#include <utility>

namespace vintrelle {

namespace {

std::vector<ExactRational> toTexts(const std::vector<mpq_class> &values)
{
    std::vector<ExactRational> texts;
    texts.reserve(values.size());
    for (const mpq_class &value : values)
        texts.push_back({value.get_num().get_str(), value.get_den().get_str()});
    return texts;
}

} // namespace

ExactVerdict exactSeparability(std::span<const SampleRow> samples)
{
    if (!allFinite(samples))
        throw std::domain_error("separability: a sample value is not finite");
    ExactVerdict result;
    if (samples.empty()) {
        result.verdict = Separability::NoSamples;
        return result;
    }
    if (anyZeroTarget(samples)) {
        result.verdict = Separability::ZeroTarget;
        return result;
    }
    if (!anyNegativeTarget(samples)) {
        // Every sum of weights all 0 is 0, which every positive target accepts.
        result.verdict = Separability::Separable;
        result.weights = std::vector<mpq_class>(InputCount);
        return result;
    }
    ExactCertificate certificate = solveExactly(samples);
    result.verdict = certificate.verdict;
    if (certificate.verdict == Separability::Separable) {
        result.weights = std::move(certificate.values);
        return result;
    }
    FloatOutcome outcome = floatProof(samples, certificate.values);
    if (outcome.check == FloatCheck::Undecided)
        outcome = searchFloatWeights(samples, certificate.values);
    result.floatCheck = outcome.check;
    result.floatWeights = outcome.weights;
    result.multipliers = std::move(certificate.values);
    return result;
}

SeparabilityVerdict separability(std::span<const SampleRow> samples)
{
    const ExactVerdict exact = exactSeparability(samples);
    return {exact.verdict, toTexts(exact.weights), toTexts(exact.multipliers), exact.floatCheck, exact.floatWeights};
}

std::string_view separabilityText(Separability verdict)
{
    switch (verdict) {
    case Separability::NoSamples:
        return messages::NoSamples;
    case Separability::ZeroTarget:
        return messages::ZeroTarget;
    case Separability::Separable:
        return messages::Separable;
    case Separability::NotSeparable:
        return messages::NotSeparable;
    }
    return {};
}

} // namespace vintrelle
