#pragma once

// Key events as the field rules see them: one virtual-key code per key, the
// same code whatever the shift state, with the numeric keypad told apart
// from the main keyboard.
//
//   8 Backspace  9 Tab  13 Enter  16 Shift  17 Ctrl  18 Alt  27 Esc
//   32 Space  33..36 PgUp PgDn End Home  37..40 arrows  45 Ins  46 Del
//   48..57 digits  65..90 letters  96..105 keypad digits
//   106 * 107 + 109 - 110 decimal 111 /  (keypad)
//   112..135 F1..F24  187 + = 188 , 189 - 190 .  (main keyboard)
//
// Any other key gets UnknownKeyCode, which no field rule accepts.

class QKeyEvent;

namespace vintrelle::ui {

inline constexpr int UnknownKeyCode = 0;

// The codes the field rules name.
namespace vk {
inline constexpr int Backspace = 8;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Digit0 = 48;
inline constexpr int Digit1 = 49;
inline constexpr int Digit9 = 57;
inline constexpr int Keypad0 = 96;
inline constexpr int Keypad9 = 105;
inline constexpr int KeypadMinus = 109;
inline constexpr int KeypadDecimal = 110;
inline constexpr int Comma = 188;
} // namespace vk

int virtualKeyCode(int qtKey, bool keypad);
int virtualKeyCode(const QKeyEvent &event);

} // namespace vintrelle::ui
