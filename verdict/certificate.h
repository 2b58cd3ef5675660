// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The check of a certificate, on exact numbers: what certificateHolds()
// (separability.h) does once the texts are read. Nothing here searches;
// it only adds, multiplies and compares signs, so that a verdict can be
// trusted without trusting the search that found it.

#include "core/network_state.h"
#include "verdict/separability.h"

#include <gmpxx.h>

#include <optional>
#include <span>
#include <vector>

namespace vintrelle {

// The texts of a certificate as exact numbers: each numerator and
// denominator an optional "-" and at least one digit, the denominator not 0.
//   {"6", "-8"} -> -3/4   {"0", "5"} -> 0
//   {"1.5", "1"}, {"", "1"}, {"-", "1"}, {"3", "0"} -> nullopt (the whole list)
std::optional<std::vector<mpq_class>> rationalsFromTexts(const std::vector<ExactRational> &texts);

// Whether the weights (six) classify every sample exactly: a sum >= 0 for
// a positive target, < 0 for a negative one. For AND of x1, x2 with the
// bias input -1:  (3, 2, 2, 0, 0, 0) -> true (sums -3, -1, -1, 1),
//                 (2, 2, 2, 0, 0, 0) -> false (the sum 0 of (0, 1) is not < 0).
bool weightsSeparate(std::span<const SampleRow> samples, std::span<const mpq_class> weights);

// Whether one multiplier per sample proves that no weights do: each >= 0,
// sum_p y_p x_p = sum_n y_n x_n in all six inputs, sum_n y_n > 0.
// For XOR:  (1, 1, 1, 1) -> true   (1, 1, 1, 2) -> false   (0, 0, 0, 0) -> false.
bool multipliersContradict(std::span<const SampleRow> samples, std::span<const mpq_class> multipliers);

} // namespace vintrelle
