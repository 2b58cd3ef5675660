// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// What the neuron answers ("Calcola") for six inputs.

#include "core/network_state.h"

#include <optional>

namespace vintrelle {

using InputVector = std::array<double, InputCount>;

// +1 when the weighted sum is >= 0, otherwise -1. The sum is a float,
// rounded after every addition: sum = float(double(sum) + x[i] * double(w[i])).
// std::nullopt when the sum is not finite (huge inputs).
std::optional<int> neuronOutput(const InputVector &inputs, const WeightVector &weights);

} // namespace vintrelle
