#pragma once

// The window names its fonts "MS Sans Serif" and "Times New Roman". Neither
// ships with Debian; Liberation Sans and Liberation Serif have the same
// widths, so every caption keeps fitting its fixed box. Called once, before
// the window is created (by main and by the tests).

namespace vintrelle::ui {

inline constexpr const char *SansFamily = "MS Sans Serif";
inline constexpr const char *SerifFamily = "Times New Roman";

void installFontSubstitutions();

} // namespace vintrelle::ui
