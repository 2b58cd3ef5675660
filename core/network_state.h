// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The neuron and its training settings, as the window keeps them while it
// is open. Nothing is saved anywhere.

#include <array>
#include <cstdint>
#include <random>

namespace vintrelle {

// Six inputs: x0 is the bias input (always -1 in the window), x1..x5 are typed.
inline constexpr int InputCount = 6;

// Weight i multiplies input i; weight 0 belongs to the bias input.
using WeightVector = std::array<float, InputCount>;

// One training sample: columns 0..5 are the inputs x0..x5, column 6 the target.
using SampleRow = std::array<float, InputCount + 1>;
inline constexpr int TargetColumn = InputCount;

// Uniform floats in [0, 1), reseeded from the clock on request.
class RandomSource
{
public:
    void reseedFromClock();
    void reseed(std::uint32_t seed);
    // The next 32 random bits as a float in [0, 1).
    float next();
    // 32 random bits to [0, 1): the top 24 bits scaled by 2^-24, exact in a
    // float, so that even all bits set stay below 1 (a float of all 32 bits
    // times 2^-32 would round up to 1):
    //   0 -> 0   0x80000000 -> 0.5   0xFFFFFFFF -> 1 - 2^-24 (the float just below 1)
    static float unitFromBits(std::uint32_t bits);

private:
    std::mt19937 generator;
};

struct NetworkState
{
    WeightVector Weights{};
    float Eta = 0.0f;              // learning rate of the last training
    std::int16_t MaxCycles = 0;    // cycle limit of the last training

    // Draws fresh weights in [0, 1), weight 0 first, after reseeding the
    // random source from the clock ("Reinizializza Pesi", and part of the
    // full reset).
    void reinitialiseWeights();
    // The same from a given seed, so that a run can be repeated.
    void reinitialiseWeights(std::uint32_t seed);

private:
    void drawWeights();
    RandomSource random;
};

} // namespace vintrelle
