#include "ui/entry_field.h"

#include "ui/key_codes.h"

#include <QFocusEvent>
#include <QKeyEvent>

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
{
}

void EntryField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    keyPressedHere = false;
    const bool comingBack = holdsFocus && isPassingFocus(event->reason());
    holdsFocus = true;
    if (!comingBack)
        emit focusGained();
}

void EntryField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    keyPressedHere = false;
    if (isPassingFocus(event->reason()))
        return;
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
    QLineEdit::keyPressEvent(event);
    keyPressedHere = true;
}

void EntryField::keyReleaseEvent(QKeyEvent *event)
{
    QLineEdit::keyReleaseEvent(event);
    if (!keyPressedHere || event->isAutoRepeat())
        return;
    emit keyReleased(virtualKeyCode(*event));
}

} // namespace vintrelle::ui
