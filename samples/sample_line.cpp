// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "samples/sample_line.h"

#include "core/numeric_text.h"

namespace vintrelle {

namespace {

// The text before the first `separator`, less the blank that the line puts
// in front of every separator; the rest of the line goes on after it.
std::optional<std::string> takeField(std::string_view &line, char separator)
{
    const auto position = line.find(separator);
    if (position == std::string_view::npos || position == 0)
        return std::nullopt;
    std::string field(trimBlanks(line.substr(0, position - 1)));
    line.remove_prefix(position + 1);
    return field;
}

} // namespace

std::string buildSampleLine(const std::array<std::string_view, 5> &inputs, std::string_view target)
{
    std::string line = " ";
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (i > 0)
            line += " ; ";
        line += inputs[i];
    }
    line += "   :   ";
    line += target;
    return line;
}

std::optional<SampleLineInputs> readSampleLine(std::string_view line)
{
    SampleLineInputs inputs;
    for (std::size_t j = 0; j < inputs.size(); ++j) {
        auto field = takeField(line, j + 1 < inputs.size() ? ';' : ':');
        if (!field)
            return std::nullopt;
        inputs[j] = std::move(*field);
    }
    return inputs;
}

} // namespace vintrelle
