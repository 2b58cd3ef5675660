// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The window is laid out in twips, 15 to a device-independent pixel.

#include <QLine>
#include <QRect>

#include <cmath>

namespace vintrelle::ui {

inline constexpr double TwipsPerPixel = 15.0;

inline int twips(int value)
{
    return static_cast<int>(std::lround(value / TwipsPerPixel));
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    // Both edges are rounded, so boxes that touch in twips touch on screen.
    const int x = twips(left);
    const int y = twips(top);
    return QRect(x, y, twips(left + width) - x, twips(top + height) - y);
}

inline QLine twipsLine(int x1, int y1, int x2, int y2)
{
    return QLine(twips(x1), twips(y1), twips(x2), twips(y2));
}

} // namespace vintrelle::ui
