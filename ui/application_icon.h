// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT
#pragma once

// The program's icon for its window, the same the desktop entry names.

#include <QIcon>

namespace vintrelle::ui {

// The icon theme's "example.vintrelle.Vintrelle" (installed with the program
// under share/icons/hicolor, or one of the desktop theme's own) when the theme
// has it; otherwise the copy built into the program, drawn at 48 and 128
// pixels. Never a null icon: a program run from its build folder, with nothing
// installed, still shows its icon.
QIcon applicationIcon();

} // namespace vintrelle::ui
