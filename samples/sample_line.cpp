// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "samples/sample_line.h"

#include "core/numeric_text.h"

namespace vintrelle {

std::string buildSampleLine(const SampleTexts &texts)
{
    std::string line = " ";
    for (std::size_t i = 0; i < texts.inputs.size(); ++i) {
        if (i > 0)
            line += " ; ";
        line += texts.inputs[i];
    }
    line += "   :   ";
    line += texts.target;
    return line;
}

std::array<std::string, 5> inputsToLoad(const SampleTexts &texts)
{
    std::array<std::string, 5> inputs;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        inputs[i] = std::string(trimBlanks(texts.inputs[i]));
    return inputs;
}

} // namespace vintrelle
