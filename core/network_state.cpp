// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/network_state.h"

#include <chrono>

namespace vintrelle {

void RandomSource::reseedFromClock()
{
    const auto ticks = static_cast<std::uint64_t>(
        std::chrono::system_clock::now().time_since_epoch().count());
    std::seed_seq sequence{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
    generator.seed(sequence);
}

void RandomSource::reseed(std::uint32_t seed)
{
    generator.seed(seed);
}

float RandomSource::next()
{
    return unitFromBits(static_cast<std::uint32_t>(generator()));
}

float RandomSource::unitFromBits(std::uint32_t bits)
{
    return static_cast<float>(bits >> 8) * 0x1p-24f;
}

void NetworkState::reinitialiseWeights()
{
    random.reseedFromClock();
    drawWeights();
}

void NetworkState::reinitialiseWeights(std::uint32_t seed)
{
    random.reseed(seed);
    drawWeights();
}

void NetworkState::drawWeights()
{
    for (float &weight : Weights)
        weight = random.next();
}

} // namespace vintrelle
