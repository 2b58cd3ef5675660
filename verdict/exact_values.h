// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The stored samples as exact numbers, and the plain questions about them
// that every part of the verdict asks.

#include "core/network_state.h"

#include <gmpxx.h>

#include <span>
#include <vector>

namespace vintrelle {

// The exact value of a stored float: every finite float is a rational whose
// denominator is a power of two, and GMP converts it without rounding.
//   0.5f -> 1/2   0.1f -> 13421773/134217728   -3.0f -> -3
mpq_class exactValue(float value);

// 2^exponent exactly:  3 -> 8   -2 -> 1/4   0 -> 1
mpq_class powerOfTwo(int exponent);

// Whether a float is a whole number:  3.0f -> true   0.5f -> false   -0.0f -> true
bool wholeNumber(float value);

// Whether every value, targets included, is finite (no infinity, no NaN).
bool allFinite(std::span<const SampleRow> samples);

// Whether some target is exactly 0 (-0 included).
bool anyZeroTarget(std::span<const SampleRow> samples);

// Whether some target is below 0.
bool anyNegativeTarget(std::span<const SampleRow> samples);

// Whether the target is below 0:  -1 -> true   1 -> false   2 -> false
bool negativeTarget(const SampleRow &sample);

// The same six inputs (0 and -0 alike); the targets are not compared.
bool sameInputs(const SampleRow &a, const SampleRow &b);

// The inputs that are not 0 in some sample, in order; the others add
// nothing to any sum:  (-1, 0, 2 | 1) (-1, 0, 0 | -1) -> {0, 2}
std::vector<int> usedInputs(std::span<const SampleRow> samples);

} // namespace vintrelle
