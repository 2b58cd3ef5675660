// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/entry_rules.h"

#include "core/numeric_text.h"

#include <algorithm>

namespace vintrelle::ui {

namespace {

int lengthOf(const std::u16string &text)
{
    return static_cast<int>(text.size());
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

// The keys whose character stays in a number field as typed: the main
// keyboard's digits, the comma and the keypad minus.
bool keepsItsCharacter(int keyCode)
{
    const bool digit = keyCode >= vk::Digit0 && keyCode <= vk::Digit9;
    return digit || keyCode == vk::Comma || keyCode == vk::KeypadMinus;
}

// The keys that type a decimal separator: the period of the main keyboard
// and the keypad's decimal key (a period or a comma by the layout).
bool typesADecimal(int keyCode)
{
    return keyCode == vk::Period || keyCode == vk::KeypadDecimal;
}

// The character a decimal key typed becomes the comma, wherever the caret
// went since; nothing changes when that character is gone or is a comma.
RuleResult decimalComma(const FieldState &field, std::optional<int> typedAt)
{
    if (!typedAt || *typedAt < 0 || *typedAt >= lengthOf(field.text)
        || field.text[static_cast<std::size_t>(*typedAt)] == u',')
        return RuleResult::unchanged();
    FieldState result = field;
    result.text[static_cast<std::size_t>(*typedAt)] = u',';
    return RuleResult::changed(std::move(result));
}

// Any other key puts a selected "0" back, ready to be typed over.
RuleResult selectedZero()
{
    return RuleResult::changed({u"0", 0, 1});
}

// A number field's text as the conversions read it; only plain ASCII can be
// a number, so anything else is refused here already.
std::optional<std::string> asNumberText(const std::u16string &text)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (const char16_t c : text) {
        if (c > 0x7F)
            return std::nullopt;
        narrow += static_cast<char>(c);
    }
    return narrow;
}

// Where the caret or a selection edge goes when a number gains or loses its
// sign: it stays beside the same digit, and the start stays the start.
int shiftedPosition(int position, int shift, int length)
{
    if (position == 0)
        return 0;
    return std::clamp(position + shift, 0, length);
}

// Down makes the number negative, Up makes it non-negative.
RuleResult forceSign(const FieldState &field, bool negative)
{
    const auto text = asNumberText(field.text);
    const auto forced = text ? withForcedSign(*text, negative) : std::nullopt;
    if (!forced)
        return RuleResult::notANumber();
    const std::u16string result(forced->begin(), forced->end());
    const int length = lengthOf(result);
    const int shift = length - lengthOf(field.text);
    const int start = shiftedPosition(field.start, shift, length);
    const int end = shiftedPosition(field.start + field.length, shift, length);
    return RuleResult::changed({result, start, end - start});
}

} // namespace

FieldState inputFocusGained(const std::u16string &text)
{
    return {text, 0, lengthOf(text)};
}

FieldState learningRateFocusGained(const std::u16string &text)
{
    return {text, 0, std::min(3, lengthOf(text))};
}

FieldState outputFocusGained(const std::u16string &text)
{
    return {text, 0, lengthOf(text)};
}

RuleResult inputFocusLost(const FieldState &field)
{
    if (!std::all_of(field.text.begin(), field.text.end(), isBlank))
        return RuleResult::unchanged();
    return RuleResult::changed({u"0", 1, 0});
}

RuleResult inputKeyUp(const FieldState &field, int keyCode, std::optional<int> typedAt)
{
    // Caret movement, Backspace and keypad digits are left alone.
    if (keyCode == vk::Left || keyCode == vk::Right || keyCode == vk::Backspace
        || (keyCode >= vk::Keypad0 && keyCode <= vk::Keypad9))
        return RuleResult::unchanged();

    if (typesADecimal(keyCode))
        return decimalComma(field, typedAt);

    if (keyCode == vk::Down || keyCode == vk::Up)
        return forceSign(field, keyCode == vk::Down);

    return keepsItsCharacter(keyCode) ? RuleResult::unchanged() : selectedZero();
}

RuleResult learningRateKeyUp(const FieldState &field, int keyCode, std::optional<int> typedAt)
{
    if (typesADecimal(keyCode))
        return decimalComma(field, typedAt);
    // No exception for arrows, Backspace or the keypad digits here.
    return keepsItsCharacter(keyCode) ? RuleResult::unchanged() : selectedZero();
}

RuleResult outputKeyUp(const FieldState & /*field*/, int keyCode)
{
    switch (keyCode) {
    case vk::Down:
        return RuleResult::changed({u"-1", 2, 0});
    case vk::Up:
        return RuleResult::changed({u"1", 1, 0});
    case vk::KeypadMinus:   // so that "-" and "1" can be typed
    case vk::Digit1:
        return RuleResult::unchanged();
    default:
        return RuleResult::changed({u"1", 0, 1});
    }
}

std::optional<int> followCharacter(const std::u16string &before, const std::u16string &after, int position)
{
    if (position < 0 || position >= lengthOf(before))
        return std::nullopt;
    // The edit lies between the longest common start and end of the texts.
    const auto shorter = std::min(before.size(), after.size());
    std::size_t prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const auto at = static_cast<std::size_t>(position);
    if (at < prefix)
        return position;
    if (at >= before.size() - suffix)
        return position + lengthOf(after) - lengthOf(before);
    return std::nullopt;
}

} // namespace vintrelle::ui
