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

// Status line after a training: "Addestata",
// "Superati i limiti per i cicli di addestramento" or
// "Addestramento interrotto: overflow numerico".
std::string trainingStatusText(TrainingOutcome outcome);

// Pass display: "N°Cicli:37/10000".
std::string cyclesText(std::int16_t cycles, std::int16_t maxCycles);

} // namespace vintrelle
