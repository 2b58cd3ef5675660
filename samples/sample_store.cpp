// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "samples/sample_store.h"

#include "core/numeric_text.h"

#include <algorithm>

namespace vintrelle {

bool SampleStore::add(const SampleRow &row, SampleTexts texts)
{
    if (isFull())
        return false;
    Samples[static_cast<std::size_t>(SampleCount)] = row;
    Texts[static_cast<std::size_t>(SampleCount)] = std::move(texts);
    ++SampleCount;
    return true;
}

bool SampleStore::remove(int k)
{
    if (k < 0 || k >= SampleCount)
        return false;
    const auto first = Samples.begin() + k;
    const auto end = Samples.begin() + SampleCount;
    std::move(first + 1, end, first);
    std::move(Texts.begin() + k + 1, Texts.begin() + SampleCount, Texts.begin() + k);
    --SampleCount;
    Samples[static_cast<std::size_t>(SampleCount)] = SampleRow{};
    Texts[static_cast<std::size_t>(SampleCount)] = SampleTexts{};
    return true;
}

void SampleStore::clear()
{
    Samples.fill(SampleRow{});
    Texts.fill(SampleTexts{});
    SampleCount = 0;
}

std::variant<SampleRow, messages::Field>
sampleRowFromTexts(const std::array<std::string_view, InputCount> &inputs, std::string_view target)
{
    SampleRow row{};
    for (int i = 0; i < InputCount; ++i) {
        const auto value = textToSingle(inputs[static_cast<std::size_t>(i)]);
        if (!value)
            return messages::inputField(i);
        row[static_cast<std::size_t>(i)] = *value;
    }
    const auto targetValue = textToSingle(target);
    if (!targetValue)
        return messages::Field::Output;
    row[TargetColumn] = *targetValue;
    return row;
}

} // namespace vintrelle
