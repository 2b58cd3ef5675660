#include "core/messages.h"
#include "core/network_state.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vintrelle {
namespace {

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

TEST(NetworkState, LargestDrawStaysBelowOne)
{
    // A draw with all 32 bits set is the largest the generator can give.
    RandomSource random;
    random.reseed(0);
    float largest = 0.0f;
    for (int i = 0; i < 200000; ++i)
        largest = std::max(largest, random.next());
    EXPECT_LT(largest, 1.0f);
    EXPECT_GT(largest, 0.999f);
}

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
    EXPECT_EQ(messages::invalidValue(messages::Field::MaxCycles), "Valore non valido in N° cicli Max");
    EXPECT_EQ(messages::sampleStored(0), "Sample N°0");
    EXPECT_EQ(messages::sampleStored(10), "Sample N°10");
}

} // namespace
} // namespace vintrelle
