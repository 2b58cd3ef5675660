// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "samples/sample_store.h"

#include <gtest/gtest.h>

namespace vintrelle {
namespace {

// Row n differs from every other row in every column but the bias, the
// target included, so that a column left behind when rows move shows.
SampleRow numbered(float n)
{
    return {-1.0f, n, n + 0.5f, -n, 2 * n, 20 - n, n - 5};
}

TEST(SampleStore, AddsRowsInOrderUpToEleven)
{
    SampleStore store;
    for (int i = 0; i < SampleStore::Capacity; ++i)
        ASSERT_TRUE(store.add(numbered(static_cast<float>(i))));
    EXPECT_EQ(store.count(), 11);
    EXPECT_TRUE(store.isFull());
    for (int r = 0; r < store.count(); ++r)
        EXPECT_EQ(store.row(r), numbered(static_cast<float>(r)));
}

TEST(SampleStore, TwelfthAddChangesNothing)
{
    SampleStore store;
    for (int i = 0; i < SampleStore::Capacity; ++i)
        store.add(numbered(static_cast<float>(i)));
    EXPECT_FALSE(store.add(numbered(99)));
    EXPECT_EQ(store.count(), 11);
    EXPECT_EQ(store.row(10), numbered(10));
}

TEST(SampleStore, RemovingRowZeroOfThreeShiftsTheOthersUp)
{
    SampleStore store;
    store.add(numbered(0));
    store.add(numbered(1));
    store.add(numbered(2));
    ASSERT_TRUE(store.remove(0));
    ASSERT_EQ(store.count(), 2);
    EXPECT_EQ(store.row(0), numbered(1));
    EXPECT_EQ(store.row(1), numbered(2));
    ASSERT_EQ(store.rows().size(), 2u);
    EXPECT_EQ(store.rows()[1], numbered(2));
}

// Texts that tell sample x apart in every input and in the target.
SampleTexts numberedTexts(int x)
{
    const std::string n = std::to_string(x);
    return {{n + "1", n + "2", " " + n + "3", n + "4", n + "5"}, n + "6"};
}

TEST(SampleStore, EachSampleKeepsItsTextsLineAndRowTogether)
{
    SampleStore store;
    for (int i = 0; i < 3; ++i)
        store.add(numbered(static_cast<float>(i)), numberedTexts(i));
    ASSERT_TRUE(store.remove(0));
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(store.row(r), numbered(static_cast<float>(r + 1)));
        EXPECT_EQ(store.texts(r), numberedTexts(r + 1));
        EXPECT_EQ(store.line(r), buildSampleLine(numberedTexts(r + 1)));
        EXPECT_EQ(store.inputsToLoad(r), inputsToLoad(numberedTexts(r + 1)));
    }
    // A freed place holds nothing of the sample that left it.
    store.add(numbered(9));
    EXPECT_EQ(store.texts(2), SampleTexts{});
    store.clear();
    store.add(numbered(4));
    EXPECT_EQ(store.texts(0), SampleTexts{});
}

TEST(SampleStore, RemovingTheLastRowKeepsTheOthers)
{
    SampleStore store;
    store.add(numbered(0));
    store.add(numbered(1));
    ASSERT_TRUE(store.remove(1));
    ASSERT_EQ(store.count(), 1);
    EXPECT_EQ(store.row(0), numbered(0));
    // A new row takes the freed place.
    store.add(numbered(5));
    EXPECT_EQ(store.row(1), numbered(5));
}

TEST(SampleStore, RemovingARowThatIsNotThereChangesNothing)
{
    SampleStore store;
    store.add(numbered(0));
    EXPECT_FALSE(store.remove(-1));
    EXPECT_FALSE(store.remove(1));
    EXPECT_FALSE(store.remove(11));
    EXPECT_EQ(store.count(), 1);
    EXPECT_EQ(store.row(0), numbered(0));
}

TEST(SampleStore, ClearEmptiesTheStoreAndTheNextAddIsRowZero)
{
    SampleStore store;
    store.add(numbered(3));
    store.add(numbered(4));
    store.clear();
    EXPECT_EQ(store.count(), 0);
    EXPECT_TRUE(store.rows().empty());
    store.add(numbered(7));
    EXPECT_EQ(store.row(0), numbered(7));
}

TEST(SampleRowFromTexts, ConvertsInputsAndTarget)
{
    const auto result = sampleRowFromTexts({"-1", "1", "0,5", "0", " 2 ", "-0,25"}, "-1");
    ASSERT_TRUE(std::holds_alternative<SampleRow>(result));
    EXPECT_EQ(std::get<SampleRow>(result), (SampleRow{-1, 1, 0.5f, 0, 2, -0.25f, -1}));
}

TEST(SampleRowFromTexts, NamesTheFirstFieldThatIsNotANumber)
{
    using messages::Field;
    const auto x2 = sampleRowFromTexts({"-1", "1", "x", "", "0", "0"}, "1");
    ASSERT_TRUE(std::holds_alternative<Field>(x2));
    EXPECT_EQ(std::get<Field>(x2), Field::X2);

    const auto bias = sampleRowFromTexts({"", "1", "0", "0", "0", "0"}, "1");
    ASSERT_TRUE(std::holds_alternative<Field>(bias));
    EXPECT_EQ(std::get<Field>(bias), Field::Bias);

    const auto target = sampleRowFromTexts({"-1", "1", "0", "0", "0", "0"}, "  ");
    ASSERT_TRUE(std::holds_alternative<Field>(target));
    EXPECT_EQ(std::get<Field>(target), Field::Output);
}

} // namespace
} // namespace vintrelle
