// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The entry rules of the window's fields, on plain strings: what becomes of
// a field's text and selection when it gains or loses the focus, or when a
// key is released in it (after the key has had its normal effect: a typed
// character is already in the text). No toolkit here: the window hands each
// rule the field's state and the key's code, and writes back the result.
//
// A field's state is its text (UTF-16, as the toolkit counts characters) and
// its selection; a selection of length 0 is the bare caret at `start`.
//
// Input fields X1..X5 (and the bias field):
//   focus gained                 -> whole text selected
//   focus lost, "" or "  "       -> "0", caret after it; any other text stays
//   Left, Right, Backspace, keypad digits              -> unchanged
//   period, keypad decimal       -> the character that key typed becomes ","
//                                   wherever it now stands ("0." -> "0,",
//                                   "0.5" with the 5 typed before the key's
//                                   release -> "0,5"); unchanged when that
//                                   character is gone
//   Down  "0,5" -> "-0,5"   "-2" -> "-2"   "0" -> "-0"
//   Up    "-0,5" -> "0,5"   "" or "-" -> not a number (text stays)
//   main-keyboard digits, comma key, keypad minus      -> unchanged
//   any other key                -> "0", selected
// Learning rate Eta:
//   focus gained                 -> first three characters selected
//   digits, comma key, keypad minus -> unchanged
//   period, keypad decimal       -> as in the input fields: "0." -> "0,"
//   any other key                -> "0", selected
// Output field:
//   focus gained                 -> whole text selected
//   Down -> "-1"   Up -> "1"   keypad minus, digit 1 -> unchanged
//   any other key                -> "1", selected

#include <optional>
#include <string>

namespace vintrelle::ui {

// Virtual-key codes of the keys the rules name; every other key is OtherKey.
namespace vk {
inline constexpr int OtherKey = 0;
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
inline constexpr int Period = 190;
} // namespace vk

struct FieldState
{
    std::u16string text;
    int start = 0;    // first selected character, or the caret
    int length = 0;   // selected characters; 0: nothing selected

    friend bool operator==(const FieldState &, const FieldState &) = default;
};

// What a rule makes of a field.
struct RuleResult
{
    enum class Kind {
        Unchanged,    // the field stays as it is
        Changed,      // the field becomes `field`
        NotANumber,   // the arrows met a text that is not a number; it stays
    };
    Kind kind = Kind::Unchanged;
    FieldState field;

    static RuleResult unchanged() { return {}; }
    static RuleResult changed(FieldState field) { return {Kind::Changed, std::move(field)}; }
    static RuleResult notANumber() { return {Kind::NotANumber, {}}; }

    friend bool operator==(const RuleResult &, const RuleResult &) = default;
};

// Focus gained: input fields and the output field select their whole text,
// the learning rate its first three characters (the default "0,2").
FieldState inputFocusGained(const std::u16string &text);
FieldState learningRateFocusGained(const std::u16string &text);
FieldState outputFocusGained(const std::u16string &text);

// Focus lost by an input field: a field of blanks becomes "0".
RuleResult inputFocusLost(const FieldState &field);

// Key released. `typedAt` is where the character typed by this key's press
// stands now, if it is still in the text (see followCharacter).
RuleResult inputKeyUp(const FieldState &field, int keyCode, std::optional<int> typedAt);
RuleResult learningRateKeyUp(const FieldState &field, int keyCode, std::optional<int> typedAt);
RuleResult outputKeyUp(const FieldState &field, int keyCode);

// Where the character at `position` of `before` stands in `after`, one edit
// later; nothing when the edit removed or replaced it:
//   "0." -> "0.5",  1 -> 1     "0." -> "10.", 1 -> 2     "0." -> "0", 1 -> none
std::optional<int> followCharacter(const std::u16string &before, const std::u16string &after, int position);

} // namespace vintrelle::ui
