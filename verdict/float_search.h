// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// Where the float proof (float_proof.h) cannot show that no float weights
// pass the check pass, a search for weights that do: found, they show the
// student that rounding lets the training's check accept what exact sums
// reject. A search, not a proof: finding none leaves the question open.
//
// The candidates, in order:
// 1. along each direction the proof's samples leave free (their null
//    space: weights giving every sample of T an exact sum of 0), scaled to
//    a largest entry of 1, either sign, nudged by +-2^-k (k = 1..40) on one
//    input used by some sample;
// 2. with at most three inputs used, every weight a multiple -6..6 of 2^-149.
//
// Examples (x0 = -1 is the bias input, x4 and x5 = 0 left out):
//   (-1,1,-1e-8,-1 -> 1) (-1,-1,1e-8,1 -> 1) (-1,0,0,0 -> -1), y = (1,1,2)
//       -> Weights (2^-25, 1, 0, 1, 0, 0): the direction (0, 1, 0, 1) nudged
//          on x0; 1 - 2^-25 rounds to 1 (a tie, to even), -1 - 2^-25 to -1
//   (-1,0,0 -> -1) (-1,1,1 -> 1) (-1,2,2 -> -1), y = (1, 2, 1)
//       -> Undecided: no candidate passes

#include "core/network_state.h"
#include "verdict/float_check.h"

#include <gmpxx.h>

#include <span>
#include <vector>

namespace vintrelle {

// y: one multiplier >= 0 per sample, an exact proof of NotSeparable.
// Weights with the first candidate that passes the check pass for every
// sample, Undecided when none does.
FloatOutcome searchFloatWeights(std::span<const SampleRow> samples, const std::vector<mpq_class> &y);

} // namespace vintrelle
