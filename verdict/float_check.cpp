// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "verdict/float_check.h"

#include "core/training.h"
#include "verdict/exact_values.h"

#include <cmath>

namespace vintrelle {

ProofSamples proofSamples(std::span<const SampleRow> samples, const std::vector<mpq_class> &y)
{
    ProofSamples result;
    std::vector<SampleRow> proofRows;
    for (std::size_t s = 0; s < samples.size(); ++s) {
        result.every.push_back(s);
        if (sgn(y[s]) > 0) {
            result.proof.push_back(s);
            proofRows.push_back(samples[s]);
        }
    }
    result.inputs = usedInputs(proofRows);
    return result;
}

bool passCheck(const WeightVector &weights, std::span<const SampleRow> samples, const std::vector<std::size_t> &which)
{
    for (const std::size_t s : which)
        if (!classifiedRight(weights, samples[s]))
            return false;
    return true;
}

float gridWeight(long units)
{
    return std::ldexp(static_cast<float>(units), SmallestSubnormalExponent);
}

} // namespace vintrelle
