// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/output.h"

#include "core/exact_arithmetic.h"

#include <cmath>

namespace vintrelle {

std::optional<int> neuronOutput(const InputVector &inputs, const WeightVector &weights)
{
    float sum = 0.0f;
    {
        // Each double product and sum rounded to 53 bits, and the sum to
        // float after every addition, on x87 too (core/exact_arithmetic.h).
        DoublePrecisionScope doubles;
        for (std::size_t i = 0; i < inputs.size(); ++i)
            sum = roundedToFloat(static_cast<float>(static_cast<double>(sum) + inputs[i] * static_cast<double>(weights[i])));
    }
    if (!std::isfinite(sum))
        return std::nullopt;
    return sum >= 0.0f ? 1 : -1;
}

} // namespace vintrelle
