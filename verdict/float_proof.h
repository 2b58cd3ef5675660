// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The proof that the program's float check pass agrees with an exact proof
// of NotSeparable: that no finite float weights pass classifiedRight
// (core/training.h) for every sample of the proof. docs/verdict-rounding.md
// derives the bound step by step.
//
// T is the samples whose multiplier is not 0, U the inputs not 0 in some
// sample of T (a weight outside U adds exact zeros). One of these proofs
// must hold:
// (1) The samples of T, each counted y times, are the same rows on both
//     sides (rows of zeros left out, whose float sum is always 0): then
//     the float sums obey the certificate's identity exactly.
// (2) Rounding is bounded: with u = 2^-24, m_s the inputs of s not 0 and
//     gamma_m = m u/(1 - m u), a float-right w has
//       |S_s - w.x_s| <= gamma_m sum_i |w_i x_si| + (1 + gamma_m) k_s 2^-150
//     (S_s the float sum; k_s the inputs of s that are not whole numbers:
//     only their products can lose bits below 2^-126; additions never do).
//     So g_s.w >= -E_s with g_p = x_p, g_n = -x_n. When T's inputs span U
//     (|T| = |U| + 1), every -sigma e_i (i in U) is sum_s lambda_s g_s with
//     lambda >= 0 (from the inverse, plus a multiple of y); then for the i
//     of the largest |w_i| = M:  M <= sum_s lambda_s E_s.
//     Case M >= tau, tau the power of two with tau * max_s sum_i |x_si|
//     below 2^-126 (or 2^-149 if smaller): E_s <= eps_s M with
//       eps_s = gamma_m sum_i |x_si| + (1 + gamma_m) k_s 2^-150 / tau
//     (0 for the last term when every input of T is whole), and
//     sum_s lambda_s eps_s < 1 makes it impossible.
//     Case M < tau (only with inputs that are not whole): every product is
//     below 2^-126 and lands on the grid of 2^-149, every sum is exact,
//     S_s = sum_i fl(w_i x_si). Either each input column of T, values
//     counted y times, is the same on both sides (the products cancel
//     exactly in the identity), or the weights in units of 2^-149 lie in a
//     box that the bound above gives (products off by at most half a unit,
//     a negative sum at most -1 unit), and every point of it fails the
//     check pass.
//
// Examples (x0 = -1 is the bias input, x3..x5 = 0 left out), y as
// separability() finds it:
//   XOR: (-1,0,0 -> -1) (-1,0,1 -> 1) (-1,1,0 -> 1) (-1,1,1 -> -1), y = (1,1,1,1)
//       -> NoWeights: whole inputs that span, sum_s lambda_s eps_s tiny
//   (-1,2,0 -> 1) (-1,2,0 -> -1), y = (1, 1)             -> NoWeights by (1)
//   XOR of 0 and 0,5                                     -> NoWeights: the columns match
//   (-1,0.2,0 -> 1) (-1,0.5,0 -> -1) (-1,0.9,0 -> 1)     -> NoWeights: the small-weight
//       box is empty
//   (0,0.5,0 -> 1) (0,1,0 -> -1), y = (2, 1)             -> Weights (0, -2^-149, 0, 0, 0, 0):
//       the box is W1 = -1 alone, and 0.5 * -2^-149 rounds to -0 (a tie, to
//       even), which is >= 0
//   (-1,1,-1e-8,-1 -> 1) (-1,-1,1e-8,1 -> 1) (-1,0,0,0 -> -1), y = (1,1,2)
//       -> Undecided: four inputs, three samples, they cannot span
// Undecided leaves the question to the float-weight search (float_search.h);
// Weights comes with weights of the box that pass for every sample.

#include "core/network_state.h"
#include "verdict/float_check.h"

#include <gmpxx.h>

#include <span>
#include <vector>

namespace vintrelle {

// y: one multiplier >= 0 per sample, an exact proof of NotSeparable.
// NoWeights when proof (1) or (2) holds, Weights (with the weights) when a
// point of the small-weight box passes the check for every sample,
// Undecided otherwise.
FloatOutcome floatProof(std::span<const SampleRow> samples, const std::vector<mpq_class> &y);

} // namespace vintrelle
