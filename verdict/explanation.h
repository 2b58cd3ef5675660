// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// Why a training that stopped at the limit stopped, told with the student's
// own samples: the reason shown under the status line, and a note for the
// list line of each sample that the reason names.

#include "core/network_state.h"

#include <span>
#include <string>
#include <vector>

namespace vintrelle {

struct LimitExplanation
{
    // The reason, in plain Italian, for the status line.
    std::string reason;
    // One text per stored sample, in store order: empty for a sample the
    // reason does not name, else what the sample has to do with it.
    std::vector<std::string> sampleNotes;
};

// The explanation for the stored samples (every value finite, as the
// sample store keeps them).
LimitExplanation explainLimit(std::span<const SampleRow> samples);

} // namespace vintrelle
