// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// A file of the parent project that uses the core: it finds the headers.
#include "core/network_state.h"

int main()
{
    vintrelle::WeightVector weights{};
    return weights[0] == 0.0f ? 0 : 1;
}
