// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The training samples, at most eleven, in the order of the list items. Each
// is kept once, as one record: its row of numbers, for training, and the
// texts it was added with, from which the list shows its line and which
// selecting it puts back into the fields.

#include "core/messages.h"
#include "core/network_state.h"
#include "samples/sample_line.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

namespace vintrelle {

class SampleStore
{
public:
    static constexpr int Capacity = 11;

    // Appends a sample; false, with nothing changed, when the store is full.
    bool add(const SampleRow &row, SampleTexts texts = {});
    // Removes row k and moves the rows below it up by one; false, with
    // nothing changed, when there is no row k.
    bool remove(int k);
    // Empties the store and zeroes every row.
    void clear();

    bool isFull() const { return SampleCount >= Capacity; }
    std::int16_t count() const { return SampleCount; }
    const SampleRow &row(int r) const { return Samples[static_cast<std::size_t>(r)]; }
    // The rows in use, for training.
    std::span<const SampleRow> rows() const { return {Samples.data(), static_cast<std::size_t>(SampleCount)}; }
    // Sample r's texts, the line the list shows for it, and what selecting
    // it puts back into X1..X5.
    const SampleTexts &texts(int r) const { return Texts[static_cast<std::size_t>(r)]; }
    std::string line(int r) const { return buildSampleLine(texts(r)); }
    std::array<std::string, 5> inputsToLoad(int r) const { return vintrelle::inputsToLoad(texts(r)); }

private:
    std::array<SampleRow, Capacity> Samples{};
    std::array<SampleTexts, Capacity> Texts{};
    std::int16_t SampleCount = 0;
};

// The texts of Txt(0)..Txt(5) and of the target, converted to a row of
// floats; when a text is not a number, the first such field instead.
//   {"-1","1","0","0","0","0"}, "-1" -> row {-1,1,0,0,0,0,-1}
//   {"-1","1","x","0","0","0"}, "1"  -> Field::X2
std::variant<SampleRow, messages::Field>
sampleRowFromTexts(const std::array<std::string_view, InputCount> &inputs, std::string_view target);

} // namespace vintrelle
