// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "verdict/explanation.h"

#include "verdict/separability.h"

namespace vintrelle {

LimitExplanation explainLimit(std::span<const SampleRow> samples)
{
    LimitExplanation explanation;
    explanation.reason = std::string(separabilityText(separability(samples).verdict));
    explanation.sampleNotes.resize(samples.size());
    return explanation;
}

} // namespace vintrelle
