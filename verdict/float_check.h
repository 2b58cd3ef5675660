// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// What the float proof and the float-weight search share: the facts of
// 32-bit float arithmetic they rely on, the samples an exact proof uses,
// and the program's own check pass tried on candidate weights.
// docs/verdict-rounding.md derives the bound these numbers enter.

#include "core/network_state.h"
#include "verdict/separability.h"

#include <gmpxx.h>

#include <cstddef>
#include <span>
#include <vector>

namespace vintrelle {

// The unit roundoff of float, u = 2^-24: a sum or product of floats, when
// it neither overflows nor falls below the smallest normal float, is the
// exact result times (1 + d) with |d| <= u (24 bits, rounded to nearest).
inline constexpr int UnitRoundoffExponent = -24;
// The smallest normal float, 2^-126: below it floats are spaced 2^-149
// apart, so a result there is off by at most half of that, 2^-150, rather
// than by a relative u.
inline constexpr int SmallestNormalExponent = -126;
// The smallest float above 0, 2^-149: the spacing of every float below
// 2^-126, so a sum of two of them is exact when below 2^-126.
inline constexpr int SmallestSubnormalExponent = -149;

// What the float check pass can do with the samples of an exact proof.
struct FloatOutcome
{
    FloatCheck check = FloatCheck::Undecided;
    WeightVector weights{};   // FloatCheck::Weights: weights that pass; all 0 otherwise
};

// The samples an exact proof y (one multiplier >= 0 per sample) rests on.
struct ProofSamples
{
    std::vector<std::size_t> every;   // all the samples, 0..n-1
    std::vector<std::size_t> proof;   // T: the samples whose multiplier is > 0
    std::vector<int> inputs;          // U: the inputs not 0 in some sample of T
};

// For XOR (x0 = -1, x1, x2) with y = (1, 1, 1, 1): every {0, 1, 2, 3},
// proof {0, 1, 2, 3}, inputs {0, 1, 2}; with y = (0, 2, 0, 0) on
// (0,0,0 -> 1) (-1,2,0 -> -1) (0,0,0 -> -1) (1,1,1 -> 1): proof {1}, inputs {0, 1}.
ProofSamples proofSamples(std::span<const SampleRow> samples, const std::vector<mpq_class> &y);

// Whether the weights pass the program's check pass (core/training.h,
// classifiedRight, float sums rounded as training rounds them) for each
// of the samples named; a weight on an input the samples leave at 0 adds
// exact zeros.
bool passCheck(const WeightVector &weights, std::span<const SampleRow> samples, const std::vector<std::size_t> &which);

// A weight of `units` times 2^-149 (exact while |units| < 2^24):
//   1 -> the smallest float above 0   -3 -> -3 * 2^-149   0 -> 0
float gridWeight(long units);

} // namespace vintrelle
