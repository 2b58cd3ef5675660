// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The story of one training: what each pass did, for the window that replays
// it.
//
// A training with a story keeps, besides its result, the weights before its
// first pass and, after each pass,
//   - the weights at the end of the pass,
//   - how many samples the pass corrected (those whose output differed from
//     their target, so that the rule changed the weights),
//   - the first sample that the check pass after it found wrong, or none.
// That is 28 bytes a pass: the longest training, 32767 passes, keeps 896 KiB.
//
// The detail of one pass is not kept but replayed: from the weights before
// the pass, every sample's float sum, output, target and the six weights
// after it, recomputed by the very code that trained. The replay is
// therefore the training to the bit, on every unit the program is built for.
//
// Example, OR at eta 0.25 from weights {0, 0, 0, 0, 0, 0}
// (x0 = -1, then x1, x2; the other inputs 0):
//   samples (-1,0,0 -> -1) (-1,0,1 -> 1) (-1,1,0 -> 1) (-1,1,1 -> 1)
//   pass 1, sample N°0: sum 0, output 1, target -1: corrected, step
//     (t - y) * eta = -0.5, w0 = 0 + -0.5 * -1 = 0.5, w1 = w2 = 0.
//   ...

#include "core/network_state.h"
#include "core/training.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vintrelle {

// What one pass left behind.
struct PassRecord
{
    WeightVector weightsAfter{};   // the weights at the end of the pass
    std::int16_t corrections = 0;  // samples the pass corrected
    std::int16_t firstWrong = -1;  // first sample the check pass found wrong;
                                   // -1 when it found every sample right, or
                                   // made no check (no samples, an overflow)
};

// One sample of a replayed pass.
struct SampleStep
{
    float sum = 0.0f;               // the float sum the pass computed for it
    std::optional<int> output;      // +1 or -1; none when the sum is not finite
    float target = 0.0f;            // the sample's target
    bool corrected = false;         // the output differed from the target
    float step = 0.0f;              // (t - y) * eta, rounded to float; 0 when not corrected
    WeightVector weightsAfter{};    // the six weights after this sample
};

class TrainingStory
{
public:
    // No training yet (or the story was ended).
    bool empty() const { return passes.empty(); }
    void clear();

    // The passes the training made, 1 to 32767; passes are numbered from 1.
    int passCount() const { return static_cast<int>(passes.size()); }
    float eta() const { return learningRate; }
    std::int16_t maxCycles() const { return limit; }
    TrainingResult result() const { return outcome; }
    // The samples as they were trained, in store order.
    std::span<const SampleRow> samples() const { return rows; }

    const WeightVector &startWeights() const { return start; }
    // The weights at the start of pass k (1 <= k <= passCount()): the start
    // weights for pass 1, those after pass k - 1 otherwise.
    const WeightVector &weightsBefore(int k) const;
    const PassRecord &pass(int k) const;

    // Pass k replayed sample by sample, one step a sample in store order. A
    // pass that stopped on an overflow ends with the sample whose sum or
    // correction was not finite (its weightsAfter those it had before).
    std::vector<SampleStep> replay(int k) const;

private:
    friend TrainingResult train(WeightVector &weights, std::span<const SampleRow> samples, float eta,
                                std::int16_t maxCycles, TrainingStory &story);

    WeightVector start{};
    std::vector<SampleRow> rows;
    std::vector<PassRecord> passes;
    float learningRate = 0.0f;
    std::int16_t limit = 0;
    TrainingResult outcome;
};

// Trains as train() does, to the same weights and result, and keeps the
// story of the training in `story` (whatever it held before is replaced).
TrainingResult train(WeightVector &weights, std::span<const SampleRow> samples, float eta,
                     std::int16_t maxCycles, TrainingStory &story);

} // namespace vintrelle
