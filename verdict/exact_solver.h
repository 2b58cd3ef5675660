// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The exact search for a certificate: weights that classify every sample,
// or multipliers that prove none do (separability.h tells what each must
// meet; certificate.h checks it). Linear programming over the rationals:
// phase 1 of the simplex method on
//   sum_p y_p x_p - sum_n y_n x_n = 0,   sum_n y_n = 1,   y >= 0,
// in whole numbers throughout, with Bland's rule so that it cannot cycle.
// Its solution is the multipliers; when it has none, the simplex
// multipliers of the last basis are the weights (Farkas' lemma).
//
// Before the simplex, the simplest proofs, lowest rows first: a negative
// sample of zeros (multiplier 1 on it), else two samples with the same
// inputs and opposite targets (1 on each).
//
// Examples (x0 = -1 is the bias input, x3..x5 = 0 left out):
//   AND: (-1,0,0 -> -1) (-1,0,1 -> -1) (-1,1,0 -> -1) (-1,1,1 -> 1)
//       -> Separable, some weights meeting the conditions (e.g. {3, 2, 2, 0, 0, 0})
//   XOR: (-1,0,0 -> -1) (-1,0,1 -> 1) (-1,1,0 -> 1) (-1,1,1 -> -1)
//       -> NotSeparable, {1, 1, 1, 1}
//   (-1,1,0 -> 1) (0,0,0 -> -1) (-1,0,1 -> -1)   -> NotSeparable, {0, 1, 0}
//   (-1,2,0 -> 1) (-1,3,0 -> -1) (-1,2,0 -> -1)  -> NotSeparable, {1, 0, 1}

#include "core/network_state.h"
#include "verdict/separability.h"

#include <gmpxx.h>

#include <span>
#include <vector>

namespace vintrelle {

struct ExactCertificate
{
    Separability verdict = Separability::Separable;   // Separable or NotSeparable
    // Separable: six weights, 0 on an input that is 0 in every sample.
    // NotSeparable: one multiplier >= 0 per sample.
    // Whole numbers with no common factor either way.
    std::vector<mpq_class> values;
};

// The samples: at least one, every value finite, no target 0, some target
// below 0 (the cases before those are separability()'s own). Throws
// std::logic_error only if the simplex went wrong (it cannot).
ExactCertificate solveExactly(std::span<const SampleRow> samples);

} // namespace vintrelle
