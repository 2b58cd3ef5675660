// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The window names its fonts "MS Sans Serif" and "Times New Roman". Neither
// ships with Debian; Liberation Sans and Liberation Serif have the same
// widths, so every caption keeps fitting its fixed box.
//
// installFonts() is called once, after the application object and before the
// window is created (by main, the tests and the start-up benchmark).

#include <QFont>

namespace vintrelle::ui {

inline constexpr const char *SansFamily = "MS Sans Serif";
inline constexpr const char *SerifFamily = "Times New Roman";

// The window's own font, in points; its buttons keep it.
inline constexpr double WindowPoints = 8.25;

// The fonts the window asks for, resolved to their substitutes up front: a
// family that is not installed would first be looked up in vain.
QFont sansFont(double points, bool bold = false);
QFont serifFont(double points);

// Installs the substitutions and makes the window's font the application's,
// so that a field's first layout, made before it takes the window's font,
// already uses a font the window needs anyway.
void installFonts();

} // namespace vintrelle::ui
