// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// Why a training stopped at the limit: can any weights classify the stored
// samples at all?
//
// The question is answered exactly, on the stored float values taken as the
// exact rational numbers they are, with sums in exact rational arithmetic
// (not the float sums of training): weights w0..w5 classify the samples when
//   w0*x0 + ... + w5*x5 >= 0   for every sample with a positive target,
//   w0*x0 + ... + w5*x5 <  0   for every sample with a negative target.
// Either answer comes with a certificate that proves it, and that
// certificateHolds() checks again with nothing but exact sums and signs:
//
// - Separable: such weights.
// - NotSeparable: one multiplier y >= 0 per sample, such that the inputs of
//   the positive samples and those of the negative samples, each weighted
//   by their multipliers, add up to the same six numbers, with the
//   negative samples' multipliers not all 0:
//     sum over positive p of y_p*x_p  =  sum over negative n of y_n*x_n,
//     sum over negative n of y_n  >  0.
//   Any weights w would then give the same number on both sides of
//   sum_p y_p*(w.x_p) = sum_n y_n*(w.x_n), the left one >= 0 and the right
//   one < 0, which cannot be.
//
// Examples (x0 = -1 is the bias input, x3..x5 = 0 left out):
//   no samples                                     -> NoSamples
//   (-1, 1, 1 -> 1) (-1, 0, 0 -> 0)                -> ZeroTarget (before anything else)
//   AND: (-1,0,0 -> -1) (-1,0,1 -> -1) (-1,1,0 -> -1) (-1,1,1 -> 1)
//                                                  -> Separable, weights {2, 1, 1, 0, 0, 0}
//                                                     (-2 + 1 + 1 >= 0, -2 + 1 < 0, -2 < 0)
//   XOR: (-1,0,0 -> -1) (-1,0,1 -> 1) (-1,1,0 -> 1) (-1,1,1 -> -1)
//                                                  -> NotSeparable, multipliers {1, 1, 1, 1}
//                                                     ((-1,0,1) + (-1,1,0) = (-1,0,0) + (-1,1,1))
//   (-1, 2, 0 -> 1) (-1, 2, 0 -> -1)               -> NotSeparable, multipliers {1, 1}
//   (0, 0, 0 -> -1)                                -> NotSeparable, multipliers {1}: 0 is not < 0
//   only positive targets                          -> Separable, weights all 0
// The weights and multipliers found are scaled to whole numbers with no
// common factor; which of the many certificates is found is not part of
// the contract, only that it holds. A negative sample of zeros, else two
// samples with the same inputs and opposite targets, is taken as the proof
// before anything else (lowest rows first).
//
// In the program's own arithmetic. Training judges float sums, each product
// and each addition rounded (core/training.h, classifiedRight), and some
// sets with no exact weights have float weights that the check pass accepts:
//   (-1,  1, -0,00000001, -1 -> 1) (-1, -1, 0,00000001, 1 -> 1) (-1, 0, 0, 0 -> -1)
// has multipliers {1, 1, 2}, yet w = (2^-26, 1, 1, 1, 0, 0) passes the check
// (1 - 2^-26 and 1 - 1e-8 round to 1). So NotSeparable also says whether
// the float check pass agrees (floatCheck):
//   NoWeights: proven that no finite float weights pass classifiedRight for
//     every sample of the proof (the samples whose multiplier is not 0):
//     either those samples, counted y times, are the same rows on both
//     sides, or the float sums' rounding is bounded (N. J. Higham's bound
//     for sums of products, u = 2^-24, with 2^-150 per product below
//     2^-126) tightly enough that no weights, large or small, get through.
//     verdict/float_proof.h tells the proof, docs/verdict-rounding.md
//     derives its bound step by step.
//   Weights: float weights that pass classifiedRight for every sample
//     (floatWeights): the example above gets such weights.
//   Undecided: neither; rounding might let some weights through. The line
//     (-1, 0, 0 -> -1) (-1, 1, 1 -> 1) (-1, 2, 2 -> -1) is one: its proof's
//     three samples do not span x0..x2, and large opposite weights on x1
//     and x2 round their sums in ways the bound cannot follow. So is a
//     decimal set whose proof some multiples of 2^-149 pass (0,1 * 5 * 2^-149
//     rounds to 2^-149, where the exact product is half of it).
// XOR and every whole-number set whose proof spans its inputs, a negative
// sample of zeros and two samples with the same inputs and opposite targets
// are NoWeights; so are decimal sets like XOR of 0,5 and 0,1 (the columns
// match) or points of a line (the box is small and empty).

#include "core/network_state.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vintrelle {

// An exact rational number as the decimal texts of its numerator and
// denominator. The analysis gives them in lowest terms with a positive
// denominator:  3/4 -> {"3", "4"},  -2 -> {"-2", "1"},  0 -> {"0", "1"}.
// certificateHolds() reads any integer texts ("6", "-8" is -3/4; a
// denominator "0" or a text that is no integer makes a certificate fail).
struct ExactRational
{
    std::string numerator = "0";
    std::string denominator = "1";

    friend bool operator==(const ExactRational &, const ExactRational &) = default;
};

// "3/4", "-2", "0": the denominator is left out when it is 1.
std::string rationalText(const ExactRational &value);

enum class Separability {
    NoSamples,      // nothing stored
    ZeroTarget,     // some target is exactly 0: no output (+1 or -1) has its sign
    Separable,      // some weights classify every sample
    NotSeparable,   // no weights classify every sample
};

// NotSeparable: what the float check pass can do (see above).
enum class FloatCheck {
    NoWeights,   // proven: no float weights pass the check for every sample
    Weights,     // floatWeights pass it
    Undecided,   // rounding might let some weights through
};

struct SeparabilityVerdict
{
    Separability verdict = Separability::NoSamples;
    // Separable: six weights, weight i for input i. Empty otherwise.
    std::vector<ExactRational> weights;
    // NotSeparable: one multiplier per sample, in store order. Empty otherwise.
    std::vector<ExactRational> multipliers;
    // NotSeparable: whether the float check agrees; NoWeights otherwise.
    FloatCheck floatCheck = FloatCheck::NoWeights;
    // FloatCheck::Weights: weights the check pass accepts; all 0 otherwise.
    WeightVector floatWeights{};
};

// The exact answer for the stored samples, with its certificate. Every
// value must be finite (the sample store holds no other); a value that is
// not throws std::domain_error. Eleven samples of everyday values take about
// 0.1 ms; values of every size from 1e-38 to 1e38 mixed in one set make the
// exact numbers long (a couple of thousand bits), and can take milliseconds.
SeparabilityVerdict separability(std::span<const SampleRow> samples);

// Whether the verdict is the right one for the samples, checked exactly:
//   NoSamples:    there are no samples, and no weights or multipliers.
//   ZeroTarget:   some target is 0, and no weights or multipliers.
//   Separable:    no target is 0, six weights, no multipliers, and every
//                 sample meets its condition (a sum of exactly 0 meets a
//                 positive target's condition and fails a negative one's).
//   NotSeparable: no target is 0, no weights, one multiplier per sample,
//                 each >= 0, the two weighted sums of inputs equal in all
//                 six inputs, the negative samples' multipliers adding up
//                 to more than 0.
// A certificate that is missing, of the wrong size or not made of integer
// texts fails, and so do FloatCheck::Weights whose weights classifiedRight
// rejects for some sample. Samples with a value that is not finite fail
// every verdict. (That FloatCheck::NoWeights is right is not checked here.)
bool certificateHolds(std::span<const SampleRow> samples, const SeparabilityVerdict &verdict);

// The explanation under the status line, from core/messages.h:
//   NotSeparable -> "I campioni non sono linearmente separabili: nessun
//                    insieme di pesi li classifica tutti."
//   Separable    -> "I campioni sono linearmente separabili: più cicli o un
//                    altro tasso di apprendimento possono bastare."
//   ZeroTarget   -> "Un'uscita attesa è 0: nessuna uscita del neurone ha il
//                    suo segno."
//   NoSamples    -> "Nessun campione da addestrare."
// A converged training has its own, messages::AllSamplesRight.
std::string_view separabilityText(Separability verdict);

} // namespace vintrelle
