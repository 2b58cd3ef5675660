#pragma once

// A single-line field that reports focus changes and key releases to the
// window, after the field has given the event its normal effect (a typed
// character is already in the text when keyReleased is emitted).
//
// Which releases count: only those after the field has seen a key press
// since it gained the focus, and never an auto-repeat release. The release
// of the Tab (or Shift+Tab) that moved the focus here belongs to the field
// that was left, and holding a key down gives one release, not one per
// repeat.
//
// Focus: the window losing activation, or a context menu opening, is not a
// change of focus between the window's fields; neither emits anything. When
// the focus moved on while the window was inactive (a click into another
// field of the inactive window), the field reports the loss as the window
// becomes active again, before the new field reports its gain.

#include <QLineEdit>

class QFocusEvent;
class QKeyEvent;

namespace vintrelle::ui {

class EntryField : public QLineEdit
{
    Q_OBJECT

public:
    explicit EntryField(const QString &text, QWidget *parent = nullptr);

signals:
    void focusGained();
    void focusLost();
    // The virtual-key code of the released key (see key_codes.h).
    void keyReleased(int keyCode);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

private:
    bool holdsFocus = false;      // focus given by the window, not lost since
    bool keyPressedHere = false;  // a key was pressed since the focus came
};

} // namespace vintrelle::ui
