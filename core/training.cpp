// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/training.h"

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

// One training pass: every sample in order, the weights corrected at once.
PassResult trainingPass(WeightVector &weights, std::span<const SampleRow> samples, float eta)
{
    for (const SampleRow &sample : samples) {
        const float target = sample[TargetColumn];
        const float sum = weightedSum(weights, sample);
        if (!std::isfinite(sum))
            return PassResult::Overflow;
        const float y = signOf(sum);
        if (target == y)
            continue; // t - y is 0: every correction is 0

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
        if (finiteness != 0.0f)
            return PassResult::Overflow;
        for (int i = 0; i < InputCount; ++i)
            weights[i] = corrected(weights[i], step, sample[i]);
    }
    return PassResult::Done;
}

enum class CheckResult { AllRight, SomeWrong, Overflow };

// The check pass: does every sample get an output of its target's sign?
CheckResult checkPass(const WeightVector &weights, std::span<const SampleRow> samples)
{
    for (const SampleRow &sample : samples) {
        const std::optional<int> y = sampleOutput(weights, sample);
        if (!y)
            return CheckResult::Overflow;
        if (!hasTargetSign(y, sample[TargetColumn]))
            return CheckResult::SomeWrong;
    }
    return CheckResult::AllRight;
}

// The whole training on weights that the caller keeps apart from the samples.
TrainingResult trainLocalWeights(WeightVector &weights, std::span<const SampleRow> samples,
                                 float eta, std::int16_t maxCycles)
{
    TrainingResult result;
    const std::int16_t lastPass = passesAtTheLimit(maxCycles);
    while (true) {
        ++result.cycles;

        if (trainingPass(weights, samples, eta) == PassResult::Overflow) {
            result.outcome = TrainingOutcome::Overflow;
            return result;
        }
        // With no samples the check finds nothing: there is nothing to converge.
        bool converged = false;
        if (!samples.empty()) {
            const CheckResult check = checkPass(weights, samples);
            if (check == CheckResult::Overflow) {
                result.outcome = TrainingOutcome::Overflow;
                return result;
            }
            converged = check == CheckResult::AllRight;
        }
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
    const TrainingResult result = trainLocalWeights(local, samples, eta, maxCycles);
    weights = local;
    return result;
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
