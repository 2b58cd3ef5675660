// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// Training speed. The worst case the window can ask for is eleven samples
// that never converge with a limit of 32766: 32767 passes. It is compared
// with a plain loop over float arrays doing the same arithmetic without the
// program's checks; the training should stay within 1.2 times of it.

#include "core/training.h"

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

} // namespace

BENCHMARK_MAIN();
