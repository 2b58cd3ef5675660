// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// Key events as the entry rules see them (entry_rules.h): one virtual-key
// code per key, the same whatever the shift state, the numeric keypad told
// apart from the main keyboard. Only the keys the rules name get a code of
// their own; every other key is vk::OtherKey.
//
//   Backspace 8   arrows 37..40   digits 48..57   keypad digits 96..105
//   keypad minus 109   keypad decimal 110 (whether it types "." or ",")
//   comma 188   period 190
//
// With Num Lock off the keypad sends arrows, Home, Del...: its arrows keep
// the codes of the arrows.

class QKeyEvent;

namespace vintrelle::ui {

int virtualKeyCode(int qtKey, bool keypad);
int virtualKeyCode(const QKeyEvent &event);

} // namespace vintrelle::ui
