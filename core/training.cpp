// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/training.h"
#include "core/training_story.h"

#include "core/exact_arithmetic.h"
#include "core/messages.h"
#include "core/numeric_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace vintrelle {

namespace {

// The weighted sum as training computes it: every product and every
// addition rounded to float (roundedToFloat: on x87 too).
float weightedSum(const WeightVector &weights, const SampleRow &sample)
{
    float sum = 0.0f;
    for (int i = 0; i < InputCount; ++i)
        sum = roundedToFloat(sum + roundedToFloat(weights[i] * sample[i]));
    return sum;
}

// A weight corrected by a sample's input: w + float(step * x), in float.
float corrected(float weight, float step, float input)
{
    return roundedToFloat(weight + roundedToFloat(step * input));
}

float signOf(float sum)
{
    return sum >= 0.0f ? 1.0f : -1.0f;
}

// How a training pass left a sample.
enum class SampleFate {
    Right,       // its output had its target: the weights stay as they are
    Corrected,   // the rule corrected the weights (a correction may round to 0)
    Overflowed,  // its sum or a corrected weight was not finite: the pass
                 // stopped here and the weights stay as they were
};

// What a training pass tells its observer of the samples it leaves: the
// training hears nothing, the replay of a pass keeps it all.
struct Unobserved
{
    void sampleLeft(const SampleRow &, SampleFate, float, float, float, const WeightVector &) {}
};

enum class PassResult { Done, Overflow };

// One training pass: every sample in order, the weights corrected at once.
// `observer.sampleLeft(sample, fate, sum, y, step, weights)` hears of each
// sample as the pass leaves it: its float sum, its output y (+1 or -1; 0
// when the sum is not finite), the step (t - y) * eta (0 when the output was
// right) and the weights after it. `corrections` counts the samples it
// corrected.
//
// The pass, the check and the training loop are inlined into each caller:
// the training without a story is then the loop it was before there were
// stories, with nothing to tell and nothing to count, and the training with
// one keeps its weights and constants in registers as well.
template <typename Observer>
[[gnu::always_inline]] inline PassResult trainingPass(WeightVector &weights, std::span<const SampleRow> samples,
                                                      float eta, int &corrections, Observer &observer)
{
    corrections = 0;
    for (const SampleRow &sample : samples) {
        const float target = sample[TargetColumn];
        const float sum = weightedSum(weights, sample);
        if (!std::isfinite(sum)) {
            observer.sampleLeft(sample, SampleFate::Overflowed, sum, 0.0f, 0.0f, weights);
            return PassResult::Overflow;
        }
        const float y = signOf(sum);
        if (target == y) { // t - y is 0: every correction is 0
            observer.sampleLeft(sample, SampleFate::Right, sum, y, 0.0f, weights);
            continue;
        }

        const float step = roundedToFloat(roundedToFloat(target - y) * eta);
        // The corrections are first only tried: c - c is 0 for a finite c and
        // NaN for an infinite or NaN one, so one test tells whether all six
        // corrected weights are finite (the sum of zeros and NaNs needs no
        // rounding). Then they are applied, all or none.
        float finiteness = 0.0f;
        for (int i = 0; i < InputCount; ++i) {
            const float tried = corrected(weights[i], step, sample[i]);
            finiteness = finiteness + (tried - tried);
        }
        if (finiteness != 0.0f) {
            observer.sampleLeft(sample, SampleFate::Overflowed, sum, y, step, weights);
            return PassResult::Overflow;
        }
        for (int i = 0; i < InputCount; ++i)
            weights[i] = corrected(weights[i], step, sample[i]);
        ++corrections;
        observer.sampleLeft(sample, SampleFate::Corrected, sum, y, step, weights);
    }
    return PassResult::Done;
}

enum class CheckVerdict { AllRight, SomeWrong, Overflow };

struct CheckResult
{
    CheckVerdict verdict = CheckVerdict::AllRight;
    int firstWrong = -1;   // the sample the check stopped at, -1 when all right
};

// The check pass: does every sample get an output of its target's sign? It
// stops at the first that does not, or whose sum is not finite.
[[gnu::always_inline]] inline CheckResult checkPass(const WeightVector &weights, std::span<const SampleRow> samples)
{
    for (const SampleRow &sample : samples) {
        const std::optional<int> y = sampleOutput(weights, sample);
        const auto at = static_cast<int>(&sample - samples.data());
        if (!y)
            return {CheckVerdict::Overflow, at};
        if (!hasTargetSign(y, sample[TargetColumn]))
            return {CheckVerdict::SomeWrong, at};
    }
    return {};
}

// The whole training on weights that the caller keeps apart from the samples.
// `story.record(weights, corrections, firstWrong)` hears of each pass as it
// ends: the weights after it, the samples it corrected, and the first sample
// the check found wrong (-1 when it found none or made no check).
template <typename Story>
[[gnu::always_inline]] inline TrainingResult trainLocalWeights(WeightVector &weights,
                                                               std::span<const SampleRow> samples, float eta,
                                                               std::int16_t maxCycles, Story &story)
{
    TrainingResult result;
    const std::int16_t lastPass = passesAtTheLimit(maxCycles);
    while (true) {
        ++result.cycles;

        int corrections = 0;
        Unobserved unobserved;
        if (trainingPass(weights, samples, eta, corrections, unobserved) == PassResult::Overflow) {
            story.record(weights, corrections, -1);
            result.outcome = TrainingOutcome::Overflow;
            return result;
        }
        // With no samples the check finds nothing: there is nothing to converge.
        bool converged = false;
        int firstWrong = -1;
        if (!samples.empty()) {
            const CheckResult check = checkPass(weights, samples);
            firstWrong = check.firstWrong;
            if (check.verdict == CheckVerdict::Overflow) {
                story.record(weights, corrections, firstWrong);
                result.outcome = TrainingOutcome::Overflow;
                return result;
            }
            converged = check.verdict == CheckVerdict::AllRight;
        }
        story.record(weights, corrections, firstWrong);
        // The pass past the limit ends the training even when it converged;
        // at the counter's end (a limit of 32767) a converged pass counts.
        if (result.cycles == lastPass && (result.cycles > maxCycles || !converged)) {
            result.outcome = TrainingOutcome::LimitExceeded;
            return result;
        }
        if (converged)
            return result;
    }
}

// The training without a story.
struct NoStory
{
    void record(const WeightVector &, int, int) {}
};

// The story's passes, each written into room made for it before the
// training: a training makes at most passesAtTheLimit() passes. No call
// from the training's loop (it would cost the loop the registers that hold
// its constants).
struct PassRecorder
{
    PassRecord *next;
    void record(const WeightVector &weights, int corrections, int firstWrong)
    {
        std::copy(weights.begin(), weights.end(), next->weightsAfter.begin());
        next->corrections = static_cast<std::int16_t>(corrections);
        next->firstWrong = static_cast<std::int16_t>(firstWrong);
        ++next;
    }
};

// A replayed pass: each sample as the pass left it.
struct Replay
{
    std::vector<SampleStep> steps;
    void sampleLeft(const SampleRow &sample, SampleFate fate, float sum, float y, float step,
                    const WeightVector &weights)
    {
        SampleStep &told = steps.emplace_back();
        told.sum = sum;
        if (y != 0.0f)
            told.output = y > 0.0f ? 1 : -1;
        told.target = sample[TargetColumn];
        told.corrected = fate == SampleFate::Corrected;
        told.step = step;
        told.weightsAfter = weights;
        told.overflowed = fate == SampleFate::Overflowed;
    }
};

} // namespace

std::int16_t passesAtTheLimit(std::int16_t maxCycles)
{
    if (maxCycles < 0)
        return 1;
    if (maxCycles == std::numeric_limits<std::int16_t>::max())
        return maxCycles;
    return static_cast<std::int16_t>(maxCycles + 1);
}

std::optional<int> sampleOutput(const WeightVector &weights, const SampleRow &sample)
{
    const float sum = weightedSum(weights, sample);
    if (!std::isfinite(sum))
        return std::nullopt;
    return signOf(sum) > 0.0f ? 1 : -1;
}

bool classifiedRight(const WeightVector &weights, const SampleRow &sample)
{
    return hasTargetSign(sampleOutput(weights, sample), sample[TargetColumn]);
}

// An output of +1 is right for a positive target, -1 for a negative one;
// no output is right for a target of 0 (or NaN), nor a missing output.
bool hasTargetSign(std::optional<int> output, float target)
{
    return output && ((*output > 0 && target > 0.0f) || (*output < 0 && target < 0.0f));
}

TrainingResult train(WeightVector &weights, std::span<const SampleRow> samples,
                     float eta, std::int16_t maxCycles)
{
    // A local copy of the weights can stay in registers for the whole
    // training; the caller's might share memory with the samples as far as
    // the compiler knows, and would be reloaded after every correction.
    WeightVector local = weights;
    NoStory noStory;
    const TrainingResult result = trainLocalWeights(local, samples, eta, maxCycles, noStory);
    weights = local;
    return result;
}

TrainingResult train(WeightVector &weights, std::span<const SampleRow> samples, float eta,
                     std::int16_t maxCycles, TrainingStory &story)
{
    // Told apart from `story` until it ends: the samples may be the story's
    // own, from an earlier training.
    TrainingStory told;
    told.start = weights;
    told.rows.assign(samples.begin(), samples.end());
    told.learningRate = eta;
    told.limit = maxCycles;
    told.passes.resize(static_cast<std::size_t>(passesAtTheLimit(maxCycles)));
    WeightVector local = weights;
    PassRecorder recorder{told.passes.data()};
    told.outcome = trainLocalWeights(local, std::span<const SampleRow>(told.rows), eta, maxCycles, recorder);
    told.passes.resize(static_cast<std::size_t>(recorder.next - told.passes.data()));
    weights = local;
    story = std::move(told);
    return story.outcome;
}

void TrainingStory::clear()
{
    *this = TrainingStory();
}

const WeightVector &TrainingStory::weightsBefore(int k) const
{
    return k <= 1 ? start : passes[static_cast<std::size_t>(k - 2)].weightsAfter;
}

const PassRecord &TrainingStory::pass(int k) const
{
    return passes[static_cast<std::size_t>(k - 1)];
}

std::vector<SampleStep> TrainingStory::replay(int k) const
{
    WeightVector weights = weightsBefore(k);
    int corrections = 0;
    Replay replayed;
    replayed.steps.reserve(rows.size());
    trainingPass(weights, std::span<const SampleRow>(rows), learningRate, corrections, replayed);
    return replayed.steps;
}

std::string trainingStatusText(TrainingOutcome outcome)
{
    switch (outcome) {
    case TrainingOutcome::Converged:
        return std::string(messages::TrainingConverged);
    case TrainingOutcome::LimitExceeded:
        return std::string(messages::LimitExceeded);
    case TrainingOutcome::Overflow:
        return std::string(messages::TrainingOverflow);
    }
    return {};
}

std::string cyclesText(std::int16_t cycles, std::int16_t maxCycles)
{
    return std::string(messages::CyclesPrefix) + integerToText(cycles) + "/" + integerToText(maxCycles);
}

} // namespace vintrelle
