// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/training.h"
#include "core/training_story.h"

#include "core/exact_arithmetic.h"
#include "core/messages.h"
#include "core/numeric_text.h"

#include <cmath>
#include <limits>

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

enum class PassResult { Done, Overflow };

// What a training hears of its pass: only how many samples it corrected.
struct CorrectionCount
{
    int count = 0;
    void sampleDone(const WeightVector &, float, bool, float) {}
    void sampleOverflowed(const WeightVector &, float) {}
    void passDone(const WeightVector &, int corrections) { count = corrections; }
};

// One training pass: every sample in order, the weights corrected at once.
// `observer` hears of each sample as the pass leaves it (the replay of a
// pass listens there), and of the number of samples the pass corrected.
template <typename Observer>
PassResult trainingPass(WeightVector &weights, std::span<const SampleRow> samples, float eta, Observer &observer)
{
    int corrections = 0;
    for (const SampleRow &sample : samples) {
        const float target = sample[TargetColumn];
        const float sum = weightedSum(weights, sample);
        if (!std::isfinite(sum)) {
            observer.sampleOverflowed(weights, sum);
            observer.passDone(weights, corrections);
            return PassResult::Overflow;
        }
        const float y = signOf(sum);
        if (target == y) { // t - y is 0: every correction is 0
            observer.sampleDone(weights, sum, false, 0.0f);
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
            observer.sampleOverflowed(weights, sum);
            observer.passDone(weights, corrections);
            return PassResult::Overflow;
        }
        for (int i = 0; i < InputCount; ++i)
            weights[i] = corrected(weights[i], step, sample[i]);
        ++corrections;
        observer.sampleDone(weights, sum, true, step);
    }
    observer.passDone(weights, corrections);
    return PassResult::Done;
}

enum class CheckResult { AllRight, SomeWrong, Overflow };

// The check pass: does every sample get an output of its target's sign?
// `firstWrong` is set to the first sample that does not.
CheckResult checkPass(const WeightVector &weights, std::span<const SampleRow> samples, int &firstWrong)
{
    for (std::size_t s = 0; s < samples.size(); ++s) {
        const std::optional<int> y = sampleOutput(weights, samples[s]);
        firstWrong = static_cast<int>(s);
        if (!y)
            return CheckResult::Overflow;
        if (!hasTargetSign(y, samples[s][TargetColumn]))
            return CheckResult::SomeWrong;
    }
    firstWrong = -1;
    return CheckResult::AllRight;
}

// The whole training on weights that the caller keeps apart from the samples.
// `story` hears of each pass: record(weights after it, samples corrected,
// first sample the check found wrong or -1).
template <typename Story>
TrainingResult trainLocalWeights(WeightVector &weights, std::span<const SampleRow> samples,
                                 float eta, std::int16_t maxCycles, Story &story)
{
    TrainingResult result;
    const std::int16_t lastPass = passesAtTheLimit(maxCycles);
    while (true) {
        ++result.cycles;

        CorrectionCount counter;
        const PassResult pass = trainingPass(weights, samples, eta, counter);
        const int corrections = counter.count;
        if (pass == PassResult::Overflow) {
            story.record(weights, corrections, -1);
            result.outcome = TrainingOutcome::Overflow;
            return result;
        }
        // With no samples the check finds nothing: there is nothing to converge.
        bool converged = false;
        int firstWrong = -1;
        if (!samples.empty()) {
            const CheckResult check = checkPass(weights, samples, firstWrong);
            if (check == CheckResult::Overflow) {
                story.record(weights, corrections, firstWrong);
                result.outcome = TrainingOutcome::Overflow;
                return result;
            }
            converged = check == CheckResult::AllRight;
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

struct NoRecord
{
    void record(const WeightVector &, int, int) {}
};

struct PassRecorder
{
    std::vector<PassRecord> &passes;
    void record(const WeightVector &weights, int corrections, int firstWrong)
    {
        passes.push_back({weights, static_cast<std::int16_t>(corrections), static_cast<std::int16_t>(firstWrong)});
    }
};

// A replayed pass: each sample's step as the pass leaves it.
struct Replay
{
    std::span<const SampleRow> samples;
    std::vector<SampleStep> steps;
    void sampleDone(const WeightVector &weights, float sum, bool correctedIt, float step)
    {
        const SampleRow &sample = samples[steps.size()];
        steps.push_back({sum, signOf(sum) > 0.0f ? 1 : -1, sample[TargetColumn], correctedIt, step, weights});
    }
    void sampleOverflowed(const WeightVector &weights, float sum)
    {
        const SampleRow &sample = samples[steps.size()];
        std::optional<int> output;
        if (std::isfinite(sum))
            output = signOf(sum) > 0.0f ? 1 : -1;
        steps.push_back({sum, output, sample[TargetColumn], false, 0.0f, weights});
    }
    void passDone(const WeightVector &, int) {}
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
    NoRecord none;
    const TrainingResult result = trainLocalWeights(local, samples, eta, maxCycles, none);
    weights = local;
    return result;
}

TrainingResult train(WeightVector &weights, std::span<const SampleRow> samples, float eta,
                     std::int16_t maxCycles, TrainingStory &story)
{
    story.clear();
    story.start = weights;
    story.rows.assign(samples.begin(), samples.end());
    story.learningRate = eta;
    story.limit = maxCycles;
    story.passes.reserve(static_cast<std::size_t>(passesAtTheLimit(maxCycles)));
    WeightVector local = weights;
    PassRecorder recorder{story.passes};
    story.outcome = trainLocalWeights(local, std::span<const SampleRow>(story.rows), eta, maxCycles, recorder);
    weights = local;
    return story.outcome;
}

void TrainingStory::clear()
{
    start = {};
    rows.clear();
    passes.clear();
    passes.shrink_to_fit();
    learningRate = 0.0f;
    limit = 0;
    outcome = {};
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
    Replay replayed{rows, {}};
    replayed.steps.reserve(rows.size());
    trainingPass(weights, std::span<const SampleRow>(rows), learningRate, replayed);
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
