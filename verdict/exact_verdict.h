// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The verdict of separability.h with its exact numbers as GMP values, for
// the code inside verdict/ that works with them (the explanation). The
// window and the core see only the texts of separability(), which is this
// verdict with every number written out as an ExactRational.
//
// Same cases, same certificates, same float check as separability():
//   weights:     Separable only: six whole numbers with no common factor,
//                weight i for input i (0 for an input that is 0 in every
//                sample); empty otherwise.
//   multipliers: NotSeparable only: one whole number >= 0 per sample, in
//                store order, with no common factor; empty otherwise.
//   floatCheck, floatWeights: as in SeparabilityVerdict.
//
// Examples (x0 = -1 is the bias input, x3..x5 = 0 left out):
//   no samples                              -> NoSamples, weights {}, multipliers {}
//   (-1, 1, 1 -> 1) (-1, 0, 0 -> 0)         -> ZeroTarget, weights {}, multipliers {}
//   AND: (-1,0,0 -> -1) (-1,0,1 -> -1) (-1,1,0 -> -1) (-1,1,1 -> 1)
//                                           -> Separable, weights {2, 1, 1, 0, 0, 0}
//   XOR: (-1,0,0 -> -1) (-1,0,1 -> 1) (-1,1,0 -> 1) (-1,1,1 -> -1)
//                                           -> NotSeparable, multipliers {1, 1, 1, 1},
//                                              floatCheck NoWeights
//   (-1, 2, 0 -> 1) (-1, 2, 0 -> -1)        -> NotSeparable, multipliers {1, 1}
//   only positive targets                   -> Separable, weights {0, 0, 0, 0, 0, 0}
// and, the same set turned into texts,
//   separability(samples).weights[i] == {weights[i].get_num().get_str(),
//                                        weights[i].get_den().get_str()}
// (the denominator always "1"), likewise for the multipliers.

#include "core/network_state.h"
#include "verdict/separability.h"

#include <gmpxx.h>

#include <span>
#include <vector>

namespace vintrelle {

struct ExactVerdict
{
    Separability verdict = Separability::NoSamples;
    // Separable: six, whole numbers with no common factor. Empty otherwise.
    std::vector<mpq_class> weights;
    // NotSeparable: one per sample, whole, >= 0, no common factor. Empty otherwise.
    std::vector<mpq_class> multipliers;
    // NotSeparable: whether the float check agrees; NoWeights otherwise.
    FloatCheck floatCheck = FloatCheck::NoWeights;
    // FloatCheck::Weights: weights the check pass accepts; all 0 otherwise.
    WeightVector floatWeights{};
};

// The exact verdict for the stored samples. Every value must be finite; a
// value that is not throws std::domain_error (as separability() does).
ExactVerdict exactSeparability(std::span<const SampleRow> samples);

} // namespace vintrelle
