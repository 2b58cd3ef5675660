// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/entry_field.h"

#include "ui/key_codes.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace vintrelle::ui {

namespace {

// Focus that leaves the window for a while and comes back to the same field.
bool isPassingFocus(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

} // namespace

EntryField::EntryField(const QString &text, QWidget *parent)
    : QLineEdit(text, parent)
    , lastText(text.toStdU16String())
{
    connect(this, &QLineEdit::textChanged, this, &EntryField::followTypedCharacters);
}

FieldState EntryField::state() const
{
    FieldState field{text().toStdU16String(), cursorPosition(), 0};
    if (hasSelectedText()) {
        field.start = selectionStart();
        field.length = selectionLength();
    }
    return field;
}

void EntryField::apply(const RuleResult &result)
{
    if (result.kind == RuleResult::Kind::Changed)
        apply(result.field);
}

void EntryField::apply(const FieldState &field)
{
    const QString newText = QString::fromStdU16String(field.text);
    if (newText != text())
        setText(newText);
    if (field.length > 0)
        setSelection(field.start, field.length);
    else
        setCursorPosition(field.start);
}

void EntryField::followTypedCharacters(const QString &text)
{
    std::u16string now = text.toStdU16String();
    std::erase_if(typedCharacters, [&](std::pair<int, int> &typed) {
        const auto position = followCharacter(lastText, now, typed.second);
        if (position)
            typed.second = *position;
        return !position;
    });
    lastText = std::move(now);
}

void EntryField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    keyPressedHere = false;
    focusCameByClick = event->reason() == Qt::MouseFocusReason;
    const bool comingBack = holdsFocus && isPassingFocus(event->reason());
    holdsFocus = true;
    if (!comingBack)
        emit focusGained();
}

void EntryField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    keyPressedHere = false;
    focusCameByClick = false;
    heldPress.reset();
    if (isPassingFocus(event->reason()))
        return;
    typedCharacters.clear();
    holdsFocus = false;
    emit focusLost();
}

bool EntryField::event(QEvent *event)
{
    // Sent to every widget of the window before it gives out the focus.
    if (event->type() == QEvent::WindowActivate && holdsFocus && window()->focusWidget() != this) {
        holdsFocus = false;
        emit focusLost();
    }
    return QLineEdit::event(event);
}

void EntryField::keyPressEvent(QKeyEvent *event)
{
    focusCameByClick = false;
    const QString before = text();
    QLineEdit::keyPressEvent(event);
    keyPressedHere = true;
    if (event->isAutoRepeat())
        return;
    // Where this press put its character, if it typed one.
    std::erase_if(typedCharacters, [&](const std::pair<int, int> &typed) { return typed.first == event->key(); });
    const int caret = cursorPosition();
    const QString typed = event->text();
    if (text() != before && !typed.isEmpty() && caret > 0 && text().at(caret - 1) == typed.back())
        typedCharacters.emplace_back(event->key(), caret - 1);
}

void EntryField::keyReleaseEvent(QKeyEvent *event)
{
    QLineEdit::keyReleaseEvent(event);
    if (event->isAutoRepeat())
        return;
    std::optional<int> typedAt;
    const auto typed = std::find_if(typedCharacters.begin(), typedCharacters.end(),
                                    [&](const std::pair<int, int> &entry) { return entry.first == event->key(); });
    if (typed != typedCharacters.end()) {
        typedAt = typed->second;
        typedCharacters.erase(typed);
    }
    if (!keyPressedHere)
        return;
    emit keyReleased(virtualKeyCode(*event), typedAt);
}

void EntryField::mousePressEvent(QMouseEvent *event)
{
    const bool bringsFocus = focusCameByClick;
    focusCameByClick = false;
    heldPress.reset();
    if (bringsFocus && event->button() == Qt::LeftButton) {
        // The focus rule has just selected the text: a plain click keeps it.
        heldPress = event->position();
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void EntryField::mouseMoveEvent(QMouseEvent *event)
{
    if (heldPress) {
        if (!event->buttons().testFlag(Qt::LeftButton)) {
            heldPress.reset();
        } else if ((event->position() - *heldPress).manhattanLength() < QApplication::startDragDistance()) {
            event->accept();
            return;
        } else {
            // A drag after all: it starts where the button went down.
            QMouseEvent press(QEvent::MouseButtonPress, *heldPress, mapToGlobal(*heldPress), Qt::LeftButton,
                              Qt::LeftButton, event->modifiers());
            heldPress.reset();
            QLineEdit::mousePressEvent(&press);
        }
    }
    QLineEdit::mouseMoveEvent(event);
}

void EntryField::mouseReleaseEvent(QMouseEvent *event)
{
    heldPress.reset();
    QLineEdit::mouseReleaseEvent(event);
}

} // namespace vintrelle::ui
