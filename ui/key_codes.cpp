// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/key_codes.h"

#include "ui/entry_rules.h"

#include <QKeyEvent>

namespace vintrelle::ui {

namespace {

int keypadCode(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return vk::Keypad0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Minus:
        return vk::KeypadMinus;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return vk::KeypadDecimal;
    default:
        return vk::OtherKey;
    }
}

int mainKeyboardCode(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return vk::Digit0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return vk::Backspace;
    case Qt::Key_Left:
        return vk::Left;
    case Qt::Key_Up:
        return vk::Up;
    case Qt::Key_Right:
        return vk::Right;
    case Qt::Key_Down:
        return vk::Down;
    case Qt::Key_Comma:
        return vk::Comma;
    case Qt::Key_Period:
        return vk::Period;
    default:
        return vk::OtherKey;
    }
}

} // namespace

int virtualKeyCode(int qtKey, bool keypad)
{
    // The keypad's arrows (Num Lock off) are arrows all the same.
    const bool arrow = qtKey >= Qt::Key_Left && qtKey <= Qt::Key_Down;
    return keypad && !arrow ? keypadCode(qtKey) : mainKeyboardCode(qtKey);
}

int virtualKeyCode(const QKeyEvent &event)
{
    return virtualKeyCode(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}

} // namespace vintrelle::ui
