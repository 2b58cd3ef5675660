// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// A single-line field that reports focus changes and key releases to the
// window, after the field has given the event its normal effect (a typed
// character is already in the text when keyReleased is emitted), and that
// takes the entry rules' results (entry_rules.h) back.
//
// Which releases count: only those after the field has seen a key press
// since it gained the focus, and never an auto-repeat release. The release
// of the Tab (or Shift+Tab) that moved the focus here belongs to the field
// that was left, and holding a key down gives one release, not one per
// repeat. With each release comes where the character typed by that key's
// press stands now, followed through every edit made since (other keys
// typed before the release, as in fast typing), or nothing if it is gone.
//
// Focus: the window losing activation, or a context menu opening, is not a
// change of focus between the window's fields; neither emits anything. When
// the focus moved on while the window was inactive (a click into another
// field of the inactive window), the field reports the loss as the window
// becomes active again, before the new field reports its gain.
//
// Screen readers: what the window writes back in answer to Up or Down, with
// no selection, is told to them as the caret's move alone when the caret moves (the reader
// then reads the new text once, as the line the arrow went to); the text's
// change is told only when the caret stays.
//
// Mouse: the first click into the field after it gained the focus (by that
// click, by Tab, or moved there by the window, as "aggiungi" does) keeps the
// selection that the focus rule made, as long as no key was pressed since,
// so that what is typed next replaces it; a drag from that click selects
// what was dragged, and every later click places the caret as usual.
//
// Wheel: with setWheelActsAsArrows, turning the wheel over the field (the
// pointer on it, whether it has the focus or not) acts as the Up key when
// turned up, away from the hand, and as Down when turned down, whatever way
// the system scrolls; the wheel then scrolls nothing behind the field.
// Without it the wheel passes on, as over any other field.

#include "ui/entry_rules.h"

#include <QLineEdit>

#include <optional>
#include <utility>
#include <vector>

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

namespace vintrelle::ui {

class EntryField : public QLineEdit
{
    Q_OBJECT

public:
    explicit EntryField(const QString &text, QWidget *parent = nullptr);

    // The text and selection, as the entry rules take them.
    FieldState state() const;
    // Shows what a rule made of the field; Unchanged and NotANumber leave it.
    void apply(const RuleResult &result);
    void apply(const FieldState &state);
    // The wheel as the arrow keys (see above); off at first.
    void setWheelActsAsArrows(bool on) { wheelAsArrows = on; }

signals:
    void focusGained();
    void focusLost();
    // The virtual-key code of the released key (see key_codes.h), and where
    // the character typed by its press stands now.
    void keyReleased(int keyCode, std::optional<int> typedAt);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool event(QEvent *event) override;

private:
    void followTypedCharacters(const QString &text);
    // Tells the window of a key's release (or of the wheel standing for one).
    void reportKey(int keyCode, std::optional<int> typedAt);

    bool holdsFocus = false;      // focus given by the window, not lost since
    bool keyPressedHere = false;  // a key was pressed since the focus came
    // The focus came and neither a key nor a click has been since: the
    // first click keeps the selection the focus rule made.
    bool firstClickKeepsSelection = false;
    bool answeringArrow = false;  // the window's rule for Up or Down is at work
    bool wheelAsArrows = false;
    // The press of the first click, held back until the mouse moves far
    // enough to make it a drag.
    std::optional<QPointF> heldPress;
    // Keys pressed and not yet released, with where their character stands.
    std::vector<std::pair<int, int>> typedCharacters;
    std::u16string lastText;
};

} // namespace vintrelle::ui
