// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "core/messages.h"

#include "core/numeric_text.h"

#include <array>
#include <cstdint>
#include <limits>

namespace vintrelle::messages {

std::string_view fieldCaption(Field field)
{
    static constexpr std::array<std::string_view, 9> captions{
        "Bias", "X1", "X2", "X3", "X4", "X5", "Uscita", "Eta", "N° cicli Max"};
    return captions[static_cast<std::size_t>(field)];
}

Field inputField(int index)
{
    return static_cast<Field>(static_cast<int>(Field::Bias) + index);
}

std::string invalidValue(Field field)
{
    std::string text = std::string(InvalidValuePrefix) + std::string(fieldCaption(field));
    if (field == Field::MaxCycles)
        text += " (da " + integerToText(std::numeric_limits<std::int16_t>::min()) + " a "
                + integerToText(std::numeric_limits<std::int16_t>::max()) + ")";
    return text;
}

std::string sampleStored(int row)
{
    return std::string(SamplePrefix) + integerToText(row);
}

std::string sampleName(int row)
{
    return "N°" + integerToText(row);
}

std::string classification(bool right, std::optional<int> output, float target)
{
    std::string text = right ? "Classificato correttamente: uscita " : "Classificato in modo errato: uscita ";
    text += output ? integerToText(*output) : std::string("non calcolabile");
    return text + ", attesa " + singleToText(target);
}

} // namespace vintrelle::messages
