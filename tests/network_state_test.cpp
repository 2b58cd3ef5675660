// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/messages.h"
#include "core/network_state.h"
#include "named_rows.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vintrelle {
namespace {

using named_rows::PrintTo;

TEST(NetworkState, FreshWeightsLieInZeroToOne)
{
    NetworkState state;
    for (std::uint32_t seed = 0; seed < 2000; ++seed) {
        state.reinitialiseWeights(seed);
        for (const float weight : state.Weights) {
            ASSERT_GE(weight, 0.0f) << "seed " << seed;
            ASSERT_LT(weight, 1.0f) << "seed " << seed;
        }
    }
}

struct BitsRow
{
    const char *name;
    std::uint32_t bits;
};

// The generator's largest values, forced rather than hoped for.
const BitsRow largestBits[] = {
    {"all_bits_set", 0xFFFFFFFFu},
    {"top_24_bits_set", 0xFFFFFF00u},
    {"all_but_the_lowest_bit", 0xFFFFFFFEu},
};

class LargestDraw : public ::testing::TestWithParam<BitsRow> {};

TEST_P(LargestDraw, StaysBelowOneAndCloseToIt)
{
    const float value = RandomSource::unitFromBits(GetParam().bits);
    EXPECT_LT(value, 1.0f);
    // Twice the step of 24 bits: the top of the range is used, not cut off.
    EXPECT_GE(value, 1.0f - 0x1p-23f);
}

INSTANTIATE_TEST_SUITE_P(Rows, LargestDraw, ::testing::ValuesIn(largestBits),
                         named_rows::ByName());

TEST(NetworkState, SameSeedSameWeightsOtherSeedOtherWeights)
{
    NetworkState first;
    NetworkState second;
    first.reinitialiseWeights(42);
    second.reinitialiseWeights(42);
    EXPECT_EQ(first.Weights, second.Weights);
    second.reinitialiseWeights(43);
    EXPECT_NE(first.Weights, second.Weights);
}

TEST(NetworkState, ClockReseedDrawsDifferentWeightsEachTime)
{
    NetworkState state;
    std::set<WeightVector> seen;
    for (int i = 0; i < 5; ++i) {
        state.reinitialiseWeights();
        seen.insert(state.Weights);
    }
    EXPECT_EQ(seen.size(), 5u);
}

TEST(NetworkState, TwoStatesReseededFromTheClockDrawDifferentWeights)
{
    // As two windows started one after the other: each reseeds its own source.
    NetworkState first;
    NetworkState second;
    first.reinitialiseWeights();
    second.reinitialiseWeights();
    EXPECT_NE(first.Weights, second.Weights);
}

TEST(NetworkState, ReinitialisingKeepsTheTrainingSettings)
{
    NetworkState state;
    state.Eta = 0.2f;
    state.MaxCycles = 10000;
    state.reinitialiseWeights();
    EXPECT_EQ(state.Eta, 0.2f);
    EXPECT_EQ(state.MaxCycles, 10000);
}

TEST(Messages, NameTheFieldThatHoldsABadValue)
{
    EXPECT_EQ(messages::invalidValue(messages::Field::Bias), "Valore non valido in Bias");
    EXPECT_EQ(messages::invalidValue(messages::inputField(3)), "Valore non valido in X3");
    EXPECT_EQ(messages::invalidValue(messages::Field::Output), "Valore non valido in Uscita");
    EXPECT_EQ(messages::invalidValue(messages::Field::Eta), "Valore non valido in Eta");
    EXPECT_EQ(messages::invalidValue(messages::Field::MaxCycles), "Valore non valido in N° cicli Max (da -32768 a 32767)");
    EXPECT_EQ(messages::sampleStored(0), "Sample N°0");
    EXPECT_EQ(messages::sampleStored(10), "Sample N°10");
}

TEST(Messages, TellHowASampleIsClassified)
{
    EXPECT_EQ(messages::classification(true, 1, 1.0f), "Classificato correttamente: uscita 1, attesa 1");
    EXPECT_EQ(messages::classification(false, -1, 1.0f), "Classificato in modo errato: uscita -1, attesa 1");
    EXPECT_EQ(messages::classification(true, -1, -0.5f), "Classificato correttamente: uscita -1, attesa -0,5");
    EXPECT_EQ(messages::classification(false, std::nullopt, 2.0f),
              "Classificato in modo errato: uscita non calcolabile, attesa 2");
}

} // namespace
} // namespace vintrelle
