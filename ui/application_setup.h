// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// What the program sets up on its application object before the window is
// built. main, the window tests and the start-up benchmark all start this
// way, so that each of them sees the program as a user does:
//
//   QApplication application(argc, argv);
//   vintrelle::ui::setUpApplication();
//   vintrelle::ui::Form1 window;
//
// It names the program and ties it to its desktop entry and its icon
// (application_icon.h), installs the fonts
// (fonts.h), and loads Qt's own Italian texts (context menus of the fields)
// whatever the desktop's language, since the whole interface is Italian.
// Without Qt's translations installed those menus stay in English.

namespace vintrelle::ui {

// The id of the desktop entry, the icon and the metainfo.
inline constexpr const char *ApplicationId = "example.vintrelle.Vintrelle";

void setUpApplication();

} // namespace vintrelle::ui
