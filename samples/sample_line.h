// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The one-line text of a sample in the list, built from the field texts as
// they stand, and read back into the five input texts when it is selected.
//
// Building (inputs x1..x5, then the target; x0 does not appear):
//   {"1","0","0","0","0"}, "-1" -> " 1 ; 0 ; 0 ; 0 ; 0   :   -1"
// Reading (the target is not read back):
//   " 1 ; 0 ; 0,5 ; 0 ; -1   :   1" -> {"1","0","0,5","0","-1"}
//   "abc"                         -> failure (no ";" or ":" where expected)

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vintrelle {

using SampleLineInputs = std::array<std::string, 5>;

std::string buildSampleLine(const std::array<std::string_view, 5> &inputs, std::string_view target);
std::optional<SampleLineInputs> readSampleLine(std::string_view line);

} // namespace vintrelle
