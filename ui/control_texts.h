// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The Italian names and descriptions screen readers find for the window's
// controls, by the control's objectName. Each name begins with the caption
// shown on the screen or beside the control, so that a user of voice
// control can say what they see; the description explains. An empty name
// leaves the control its own (a caption is named by its text):
//
//   {"Txt1", "X1", "Valore dell'ingresso X1; ..."}
//   {"Command4", "Reset", "Svuota l'elenco dei campioni ed estrae nuovi pesi"}
//
// The status line describes itself (status_line.h), the pass display
// (pass_display.h) and the diagram (neuron_diagram.h) too. Plain C++, no Qt.

#include <span>
#include <string_view>

namespace vintrelle::ui {

struct ControlText
{
    std::string_view control;       // objectName
    std::string_view name;          // empty: the control's own
    std::string_view description;
};

std::span<const ControlText> controlTexts();

} // namespace vintrelle::ui
