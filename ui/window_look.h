// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The window's look: its light palette (kept under a dark desktop theme),
// and the fonts and colours of its controls, found by their objectName:
//
//   the window and its buttons   sans 8.25 points
//   Txt0..Txt5, Text1, Text2,    sans 9.6 points
//   List1
//   txtOut                       sans 12 points, light yellow on light blue
//   Label2 ("Bias")              sans 9.6 bold, blue on light yellow
//   Label3..Label7, Label9       sans 7.8 bold, blue on light yellow
//   Label1 (status line)         sans 9.6, blue on light yellow
//   Label8 ("Sample :")          serif 12, blue, on the window's grey
//   Label10, Label11             sans 9.6, blue, on the window's grey

class QWidget;

namespace vintrelle::ui {

void paintWindow(QWidget *window);
// The Italian names and descriptions of the controls (control_texts.h),
// each found by its objectName, for screen readers.
void describeWindow(QWidget *window);

} // namespace vintrelle::ui
