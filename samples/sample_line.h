// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// A sample's texts as they were typed, and the one line that shows them in
// the list.
//
// The line (inputs x1..x5, then the target; x0 does not appear):
//   {"1","0","0","0","0"}, "-1" -> " 1 ; 0 ; 0 ; 0 ; 0   :   -1"
// Selecting the line puts back the five input texts without the blanks
// around them (a text pasted as " 2 " comes back as "2"); the target is
// not put back.

#include <array>
#include <string>

namespace vintrelle {

// X1..X5 and the target, as they stood in the fields when the sample was added.
struct SampleTexts
{
    std::array<std::string, 5> inputs;
    std::string target;

    friend bool operator==(const SampleTexts &, const SampleTexts &) = default;
};

std::string buildSampleLine(const SampleTexts &texts);

// The texts selecting the sample puts back into X1..X5.
std::array<std::string, 5> inputsToLoad(const SampleTexts &texts);

} // namespace vintrelle
