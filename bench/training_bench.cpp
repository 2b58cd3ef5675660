// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// Training speed. The worst case the window can ask for is eleven samples
// that never converge with a limit of 32766: 32767 passes. It is compared
// with a plain loop over float arrays doing the same arithmetic without the
// program's checks; the training should stay within 1.2 times of it, and
// keeping the training's story should add at most 5%.
//
// The exact verdict the window asks for after a training that stopped at
// the limit must stay below 1 ms for eleven samples, separable or not.

#include "verdict/separability.h"
#include "core/training.h"
#include "core/training_story.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

using vintrelle::SampleRow;
using vintrelle::WeightVector;

constexpr std::int16_t worstLimit = 32766;

// Eleven samples with target 0: no sign matches 0, so training never converges.
std::vector<SampleRow> neverConverging()
{
    std::vector<SampleRow> rows;
    for (int s = 0; s < 11; ++s) {
        const float a = static_cast<float>(s % 5) * 0.25f - 0.5f;
        rows.push_back({-1.0f, a, 1.0f - a, 0.5f * a, static_cast<float>(s) * 0.1f, -a, 0.0f});
    }
    return rows;
}

std::vector<SampleRow> separable()
{
    return {{-1, 1, 0, 0, 0, 0, 1}, {-1, 0, 1, 0, 0, 0, -1}, {-1, 1, 0, 1, 0, 0, 1}, {-1, 0, 1, 0, 1, 0, -1}};
}

const WeightVector startWeights{0.3f, 0.7f, 0.1f, 0.9f, 0.5f, 0.2f};

void BM_TrainNeverConverging(benchmark::State &state)
{
    const auto rows = neverConverging();
    for (auto _ : state) {
        WeightVector weights = startWeights;
        // Not const: newer Google Benchmark deprecates DoNotOptimize on a
        // const reference (the compiler may assume the value unchanged).
        auto result = vintrelle::train(weights, rows, 0.2f, worstLimit);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(weights);
    }
}
BENCHMARK(BM_TrainNeverConverging)->Unit(benchmark::kMillisecond);

// The same training keeping its story, into a story that the window keeps
// from one training to the next: it should cost at most 5% more.
void BM_TrainNeverConvergingWithStory(benchmark::State &state)
{
    const auto rows = neverConverging();
    vintrelle::TrainingStory story;
    for (auto _ : state) {
        WeightVector weights = startWeights;
        auto result = vintrelle::train(weights, rows, 0.2f, worstLimit, story);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(weights);
        benchmark::DoNotOptimize(story);
    }
    if (story.passCount() != 32767)
        state.SkipWithError("the story lacks passes");
}
BENCHMARK(BM_TrainNeverConvergingWithStory)->Unit(benchmark::kMillisecond);

// The same passes as plain loops over float arrays, with no checks at all.
int plainTraining(float *w, const float (*samples)[7], int count, float eta, int maxCycles)
{
    int cycles = 0;
    bool converged = false;
    while (!converged) {
        ++cycles;
        for (int s = 0; s < count; ++s) {
            float sum = 0.0f;
            for (int i = 0; i < 6; ++i)
                sum = sum + w[i] * samples[s][i];
            const float y = sum >= 0.0f ? 1.0f : -1.0f;
            const float step = (samples[s][6] - y) * eta;
            for (int i = 0; i < 6; ++i)
                w[i] = w[i] + step * samples[s][i];
        }
        for (int s = 0; s < count; ++s) {
            float sum = 0.0f;
            for (int i = 0; i < 6; ++i)
                sum = sum + w[i] * samples[s][i];
            const float y = sum >= 0.0f ? 1.0f : -1.0f;
            const float t = samples[s][6];
            converged = (y > 0.0f && t > 0.0f) || (y < 0.0f && t < 0.0f);
            if (!converged)
                break;
        }
        if (cycles > maxCycles)
            converged = true;
    }
    return cycles;
}

void BM_PlainLoopNeverConverging(benchmark::State &state)
{
    const auto rows = neverConverging();
    float samples[11][7];
    for (std::size_t s = 0; s < rows.size(); ++s)
        for (std::size_t i = 0; i < 7; ++i)
            samples[s][i] = rows[s][i];
    for (auto _ : state) {
        float weights[6];
        for (std::size_t i = 0; i < 6; ++i)
            weights[i] = startWeights[i];
        int cycles = plainTraining(weights, samples, 11, 0.2f, worstLimit);
        benchmark::DoNotOptimize(cycles);
        benchmark::DoNotOptimize(weights);
    }
}
BENCHMARK(BM_PlainLoopNeverConverging)->Unit(benchmark::kMillisecond);

void BM_TrainSmallSeparableSet(benchmark::State &state)
{
    const auto rows = separable();
    for (auto _ : state) {
        WeightVector weights = startWeights;
        auto result = vintrelle::train(weights, rows, 0.2f, 10000);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(weights);
    }
}
BENCHMARK(BM_TrainSmallSeparableSet);

// Eleven samples of five inputs, the target the sign of
// x1 + x2 - x3 + x4 - x5 - 0.5: separable.
std::vector<SampleRow> elevenSeparable()
{
    std::vector<SampleRow> rows;
    for (int s = 0; s < 11; ++s) {
        const float a = static_cast<float>(s % 3), b = static_cast<float>(s % 4) * 0.5f;
        const float c = static_cast<float>(s % 5) * 0.25f, d = static_cast<float>(s % 2);
        const float e = static_cast<float>(s) * 0.125f;
        rows.push_back({-1.0f, a, b, c, d, e, a + b - c + d - e - 0.5f >= 0 ? 1.0f : -1.0f});
    }
    return rows;
}

// Eleven samples with values of all sizes, three inputs' parity among them:
// not separable.
std::vector<SampleRow> elevenNotSeparable()
{
    std::vector<SampleRow> rows;
    for (int bits = 0; bits < 8; ++bits) {
        const float a = static_cast<float>(bits & 1), b = static_cast<float>((bits >> 1) & 1);
        const float c = static_cast<float>((bits >> 2) & 1);
        const int parity = (bits & 1) ^ ((bits >> 1) & 1) ^ ((bits >> 2) & 1);
        rows.push_back({-1.0f, a * 1e30f, b * 3e-30f, c * 0.7f, 0.0f, 0.0f, parity == 1 ? 1.0f : -1.0f});
    }
    rows.push_back({-1.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 1.0f});
    rows.push_back({-1.0f, 1e-38f, -1e38f, 2.5f, -0.5f, 7.0f, -1.0f});
    rows.push_back({-1.0f, 123.456f, 0.001f, -9.0f, 1e10f, -1e-10f, 1.0f});
    return rows;
}

void verdictBenchmark(benchmark::State &state, const std::vector<SampleRow> &rows, vintrelle::Separability expected)
{
    for (auto _ : state) {
        vintrelle::SeparabilityVerdict verdict = vintrelle::separability(rows);
        benchmark::DoNotOptimize(verdict);
    }
    if (vintrelle::separability(rows).verdict != expected)
        state.SkipWithError("unexpected verdict");
}

void BM_VerdictElevenSeparable(benchmark::State &state)
{
    verdictBenchmark(state, elevenSeparable(), vintrelle::Separability::Separable);
}
BENCHMARK(BM_VerdictElevenSeparable)->Unit(benchmark::kMicrosecond);

void BM_VerdictElevenNotSeparable(benchmark::State &state)
{
    verdictBenchmark(state, elevenNotSeparable(), vintrelle::Separability::NotSeparable);
}
BENCHMARK(BM_VerdictElevenNotSeparable)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
