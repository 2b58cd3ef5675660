// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The story of one training: what each pass did, for the window that tells
// it pass by pass.
//
// A training with a story keeps, besides its result, the weights before its
// first pass, the samples and the learning rate, and after each pass
//   - the weights at the end of the pass,
//   - how many samples the pass corrected (those whose output differed from
//     their target: the rule applied its corrections, even where they round
//     to no change),
//   - the first sample that the check pass after it found wrong, or none.
// That is 28 bytes a pass. Room for every pass the limit allows
// (passesAtTheLimit) is made before the first, so that keeping a pass costs
// the training no more than a few stores: with a limit of 32766 or 32767,
// 32767 passes, 917476 bytes (896 KiB), besides 28 bytes a sample.
//
// The detail of one pass is not kept but replayed: from the weights before
// the pass, every sample's float sum, output, target and the six weights
// after it, recomputed by the very code that trained. The replay is
// therefore the training to the bit, on every unit the program is built for,
// and the replay of pass k ends on pass(k).weightsAfter.
//
// A pass that stops on an overflow is the training's last. When a sample's
// sum or one of its corrected weights is not finite, the pass stops at that
// sample with the weights it had before it: the pass's record holds those
// weights, the samples corrected before it, and no sample found wrong (no
// check was made); its replay ends with that sample, marked `overflowed`.
// When the check pass meets a sum that is not finite, the training pass was
// whole: the record holds its weights, and that sample as the first wrong
// (a sum that is not finite has no sign).
//
// Example, OR at eta 0.25 from weights {2, 0, -1, 0, 0, 0}: x0 = -1, x1 and
// x2 as below, the other inputs 0; sum = -w0 + w1 x1 + w2 x2; a wrong output
// gives the step (t - y) * eta = +-2 * 0.25 = +-0.5, and wi += step * xi.
//   N°0 (0,0 -> -1)  N°1 (0,1 -> 1)  N°2 (1,0 -> 1)  N°3 (1,1 -> 1)
//   pass 1 from {2, 0, -1}:
//     N°0  sum -2             output -1  right
//     N°1  sum -2 + -1 = -3   output -1  corrected, step 0.5 -> {1.5, 0, -0.5}
//     N°2  sum -1.5 + 0       output -1  corrected, step 0.5 -> {1, 0.5, -0.5}
//     N°3  sum -1 + 0.5 - 0.5 output -1  corrected, step 0.5 -> {0.5, 1, 0}
//     3 corrected; check: N°0 sum -0.5 right, N°1 sum -0.5 wrong: first wrong N°1
//   pass 2 from {0.5, 1, 0}:
//     N°0  sum -0.5           output -1  right
//     N°1  sum -0.5 + 0       output -1  corrected, step 0.5 -> {0, 1, 0.5}
//     N°2  sum 0 + 1 = 1      output 1   right
//     N°3  sum 0 + 1 + 0.5    output 1   right
//     1 corrected; check: N°0 sum 0, output 1: first wrong N°0
//   pass 3 from {0, 1, 0.5}:
//     N°0  sum 0              output 1   corrected, step -0.5 -> {0.5, 1, 0.5}
//     N°1  sum -0.5 + 0.5 = 0 output 1   right
//     N°2  sum -0.5 + 1       output 1   right
//     N°3  sum -0.5 + 1 + 0.5 output 1   right
//     1 corrected; check: sums -0.5, 0, 0.5, 1, all right: none wrong
//   Converged after 3 passes with weights {0.5, 1, 0.5, 0, 0, 0}.

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
    std::int16_t firstWrong = -1;  // first sample the check pass found wrong
                                   // (a sum that is not finite included);
                                   // -1 when it found every sample right, or
                                   // made no check (no samples, a pass that
                                   // stopped on an overflow)
};

// The longest story stays within 1 MiB.
static_assert(sizeof(PassRecord) * 32767 < (1 << 20));

// One sample of a replayed pass.
struct SampleStep
{
    float sum = 0.0f;               // the float sum the pass computed for it
    std::optional<int> output;      // +1 or -1; none when the sum is not finite
    float target = 0.0f;            // the sample's target
    bool corrected = false;         // the output differed from the target and
                                    // the weights took the corrections
    float step = 0.0f;              // (t - y) * eta, rounded to float; 0 when
                                    // the output had the target (or had none)
    WeightVector weightsAfter{};    // the six weights after this sample
    bool overflowed = false;        // its sum or a corrected weight was not
                                    // finite: the pass stopped here, the
                                    // weights as they were before it
};

class TrainingStory
{
public:
    // No training told yet, or the story was cleared.
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
    // What pass k left (1 <= k <= passCount()).
    const PassRecord &pass(int k) const;

    // Pass k (1 <= k <= passCount()) replayed sample by sample, one step a
    // sample in store order, its last step's weights those of pass(k). A
    // pass that stopped on an overflow ends with the sample whose sum or
    // corrected weight was not finite, marked `overflowed`.
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
