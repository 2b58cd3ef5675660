// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/entry_field.h"

#include "ui/key_codes.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace vintrelle::ui {

namespace {

// Focus that leaves the window for a while and comes back to the same field.
bool isPassingFocus(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// While a rule's answer to Up or Down (a bare caret) is written into a
// field: screen readers are told of the caret's move and not of the text's
// change, when the caret moves. Orca takes Up and Down for line navigation and reads the
// line at the caret's move, which holds the new text already; it would speak
// the inserted text of the change as well (Orca 48), the value twice. When
// the caret stays, the change is told after all, so that something is said.
class OneReadingOfArrowRule
{
public:
    explicit OneReadingOfArrowRule(QObject *field)
        : field(field)
        , previous(QAccessible::installUpdateHandler(holdTextUpdates))
    {
        current = this;
    }

    ~OneReadingOfArrowRule()
    {
        QAccessible::installUpdateHandler(previous);
        current = nullptr;
        if (caretMoved)
            return;
        for (const auto &[position, removed, inserted] : updates) {
            QAccessibleTextUpdateEvent update(field, position, removed, inserted);
            QAccessible::updateAccessibility(&update);
        }
    }

    OneReadingOfArrowRule(const OneReadingOfArrowRule &) = delete;
    OneReadingOfArrowRule &operator=(const OneReadingOfArrowRule &) = delete;

private:
    static void holdTextUpdates(QAccessibleEvent *event)
    {
        OneReadingOfArrowRule *rule = current;
        if (event->object() == rule->field) {
            if (event->type() == QAccessible::TextUpdated) {
                const auto *update = static_cast<const QAccessibleTextUpdateEvent *>(event);
                rule->updates.emplace_back(update->changePosition(), update->textRemoved(), update->textInserted());
                return;
            }
            if (event->type() == QAccessible::TextCaretMoved)
                rule->caretMoved = true;
        }
        // Every other event goes where it would have gone.
        QAccessible::installUpdateHandler(rule->previous);
        QAccessible::updateAccessibility(event);
        QAccessible::installUpdateHandler(holdTextUpdates);
    }

    static inline OneReadingOfArrowRule *current = nullptr;
    QObject *field;
    QAccessible::UpdateHandler previous;
    std::vector<std::tuple<int, QString, QString>> updates;
    bool caretMoved = false;
};

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
    std::optional<OneReadingOfArrowRule> readOnce;
    // With a selection, Orca reads at the caret's move what became selected,
    // not the line: there the text's change tells the value.
    if (answeringArrow && field.length == 0)
        readOnce.emplace(this);
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
    const bool comingBack = holdsFocus && isPassingFocus(event->reason());
    holdsFocus = true;
    if (comingBack)
        return;
    emit focusGained();
    firstClickKeepsSelection = true;
}

void EntryField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    keyPressedHere = false;
    heldPress.reset();
    if (isPassingFocus(event->reason()))
        return;
    firstClickKeepsSelection = false;
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
    firstClickKeepsSelection = false;
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
    if (keyPressedHere)
        reportKey(virtualKeyCode(*event), typedAt);
}

void EntryField::reportKey(int keyCode, std::optional<int> typedAt)
{
    answeringArrow = keyCode == vk::Up || keyCode == vk::Down;
    emit keyReleased(keyCode, typedAt);
    answeringArrow = false;
}

void EntryField::wheelEvent(QWheelEvent *event)
{
    if (!wheelAsArrows) {
        QLineEdit::wheelEvent(event);
        return;
    }
    event->accept();
    const QPoint delta = event->angleDelta();
    // Which way the wheel itself turned, also where the system reverses
    // the scrolling; a sideways turn is no arrow.
    const int up = event->inverted() ? -delta.y() : delta.y();
    if (up != 0 && std::abs(delta.y()) >= std::abs(delta.x()))
        reportKey(up > 0 ? vk::Up : vk::Down, std::nullopt);
}

void EntryField::mousePressEvent(QMouseEvent *event)
{
    const bool keepsSelection = firstClickKeepsSelection && hasSelectedText();
    firstClickKeepsSelection = false;
    heldPress.reset();
    if (keepsSelection && event->button() == Qt::LeftButton) {
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
