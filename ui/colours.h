// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The window's colours. The design gives them as &H00BBGGRR& (blue, green
// and red bytes): light yellow &H00C0FFFF&, light blue &H00FFC0C0&, blue
// &H00FF0000&. They assume a light window, so the window keeps a light
// palette of its own whatever the desktop's theme.

#include <QColor>
#include <QPalette>

#include <optional>

class QPainter;
class QRect;

class QLabel;

namespace vintrelle::ui {

// &H00BBGGRR& as a colour: 0x00C0FFFF -> rgb(255, 255, 192).
QColor colourFromBgr(unsigned bgr);

QColor lightYellow();   // label backgrounds, the output field's text
QColor lightBlue();     // the output field's background
QColor blue();          // caption text
QColor focusBlue();     // the frame of a focused list or status line, 5:1 on white

// The frame a focused control draws just inside `area`: focusBlue, this wide.
inline constexpr int FocusFrameWidth = 2;
void drawFocusFrame(QPainter &painter, const QRect &area);

// Dark text on light grey and white, as the design was drawn; a disabled
// field (the bias input) reads dimmer but clearly.
QPalette lightWindowPalette();

// Colours a label: its text always, its background only when given (the
// label then fills it).
void paintLabel(QLabel *label, const QColor &text, std::optional<QColor> background);

} // namespace vintrelle::ui
