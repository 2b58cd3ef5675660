// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// What screen readers and other assistive technology are told about the
// window's own widgets, beyond what Qt tells of its standard ones:
//
//   Form1           a frame (a top-level window), titled with the window's
//                   title; a point over a control finds the control, never
//                   the diagram that lies under every control;
//   NeuronDiagram   a picture that occupies only what it draws, the circle
//                   and its lines, with no help text;
//   StatusLine      the status bar;
//   PassCurve, PlanePlot
//                   charts (the story window's plots), described by their
//                   numbers;
//   its notice      a notification, shown anew for each message (the way
//                   screen readers hear messages where Qt has no
//                   announcement event).

namespace vintrelle::ui {

// Makes Qt ask for these interfaces first. Any number of calls install them
// once; each widget concerned calls it before it is first described.
void installAccessibleInterfaces();

} // namespace vintrelle::ui
