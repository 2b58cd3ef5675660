// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/output.h"

#include <cmath>

namespace vintrelle {

std::optional<int> neuronOutput(const InputVector &inputs, const WeightVector &weights)
{
    float sum = 0.0f;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        sum = static_cast<float>(static_cast<double>(sum) + inputs[i] * static_cast<double>(weights[i]));
    if (!std::isfinite(sum))
        return std::nullopt;
    return sum >= 0.0f ? 1 : -1;
}

} // namespace vintrelle
