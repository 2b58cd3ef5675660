// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// Contrast of two colours as the accessibility guidelines measure it: from
// 1:1 (the same colour) to 21:1 (black on white). Text needs 4.5:1, graphics 3:1.

#include <QColor>

#include <algorithm>
#include <cmath>

namespace colour {

// An sRGB channel, 0..255, as linear light, 0..1.
inline double toLinear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

inline double relativeLuminance(const QColor &colour)
{
    return 0.2126 * toLinear(colour.red()) + 0.7152 * toLinear(colour.green()) + 0.0722 * toLinear(colour.blue());
}

inline double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace colour
