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
// Mouse: a click that brings the focus keeps the selection that the focus
// rule made, as Tab does; a drag from it selects what was dragged, and a
// click into the field that has the focus places the caret as usual.

#include "ui/entry_rules.h"

#include <QLineEdit>

#include <optional>
#include <utility>
#include <vector>

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;

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
    bool event(QEvent *event) override;

private:
    void followTypedCharacters(const QString &text);

    bool holdsFocus = false;      // focus given by the window, not lost since
    bool keyPressedHere = false;  // a key was pressed since the focus came
    bool focusCameByClick = false;
    bool answeringArrow = false;  // the window's rule for Up or Down is at work
    // The press of the click that brought the focus, held back until the
    // mouse moves far enough to make it a drag.
    std::optional<QPointF> heldPress;
    // Keys pressed and not yet released, with where their character stands.
    std::vector<std::pair<int, int>> typedCharacters;
    std::u16string lastText;
};

} // namespace vintrelle::ui
