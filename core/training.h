// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// Training with the perceptron error-correction rule ("Addestra").
//
// Whole passes over the samples in store order, the weights corrected after
// each sample (delta = ((t - y) * eta) * x[i], all in float), each pass
// followed by a check pass; training ends when a check pass finds every
// sample with the right sign, or when the pass counter exceeds the limit.
// At least one pass is always made.

#include "core/network_state.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vintrelle {

enum class TrainingOutcome {
    Converged,       // every sample classified with the right sign
    LimitExceeded,   // the pass counter went past the limit (or reached 32767)
    Overflow,        // a sum, a correction or a weight stopped being finite
};

struct TrainingResult
{
    TrainingOutcome outcome = TrainingOutcome::Converged;
    std::int16_t cycles = 0;   // passes made
};

// Trains `weights` in place. No allocation, no copies of the samples.
// On Overflow the weights keep the values they had before the sample that
// overflowed: a sample's six corrections are applied together or not at all.
TrainingResult train(WeightVector &weights, std::span<const SampleRow> samples,
                     float eta, std::int16_t maxCycles);

// The neuron's output for a sample's inputs x0..x5 as the check pass
// computes it: the float sum w0*x0 + ... + w5*x5, each product and each
// addition rounded to float, in that order; +1 when the sum is >= 0, -1 when
// it is below, std::nullopt when it is not finite.
//   weights {1, 1, 0, 0, 0, 0}, inputs (-1, 1, ...)     -> +1 (sum 0)
//   weights {1, 1, 0, 0, 0, 0}, inputs (-1, 0.5, ...)   -> -1
//   weights {1, 1, 1, 0, 0, 0}, inputs (1e8, -1, -1e8)  -> +1: 1e8 - 1 rounds
//                                                          to 1e8 in float
//   weights {1, 1, 0, 0, 0, 0}, inputs (3e38, 3e38, ...) -> std::nullopt
std::optional<int> sampleOutput(const WeightVector &weights, const SampleRow &sample);

// Whether the check pass counts the sample as right: its output has the
// sign of its target. A target of 0 is never right, nor a sum that is not
// finite. With weights {1, 1, 0, 0, 0, 0}:
//   (-1, 1, ..., target  1)   -> true  (sum 0, output +1)
//   (-1, 1, ..., target -1)   -> false
//   (-1, 0.5, ..., target -0.5) -> true
//   (-1, 1, ..., target  0)   -> false
// Training converges exactly when this holds for every sample after a pass.
bool classifiedRight(const WeightVector &weights, const SampleRow &sample);
// The same for an output already computed with sampleOutput:
//   (1, 1) -> true   (-1, 1) -> false   (1, 0) -> false   (nullopt, 1) -> false
bool hasTargetSign(std::optional<int> output, float target);

// The passes a training makes when it does not converge first: one past
// the limit, at least one, and no more than the 16-bit counter can count.
//   10000 -> 10001   0 -> 1   -5 -> 1   32767 -> 32767
std::int16_t passesAtTheLimit(std::int16_t maxCycles);

// Status line after a training: "Addestata",
// "Superati i limiti per i cicli di addestramento" or
// "Addestramento interrotto: overflow numerico".
std::string trainingStatusText(TrainingOutcome outcome);

// Pass display: "N°Cicli:37/10000".
std::string cyclesText(std::int16_t cycles, std::int16_t maxCycles);

} // namespace vintrelle
