// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The list of samples, List1, for keyboard and mouse alike: the line drawn
// selected is the line loaded into the fields.
//
// Every line starts with a blank, so the list's type-ahead search would turn
// Space into "next line": there is none. With nothing selected no line is
// current, also when the list gains the focus; the first Down, Up, Home or
// Space then selects line 0 (End the last line), Up and Down move one line,
// and Space on the selected line keeps it.
//
// A line is current only while the list has the focus: screen readers take
// the current line for the focused one, so without the focus no line is
// current, and on regaining it the selected line (if any) is current again.
// With the focus the list draws a frame of two pixels inside its border.
//
// Each line shows its row number (see ClassificationDelegate), and can show
// how the current weights classify its sample; its tooltip and its
// description for screen readers name the row as the reasons do and say
// the classification in words. A line can carry a note besides (what its
// sample has to do with the reason the status line holds): the note follows
// the words, in the tooltip as a paragraph of its own, in the description
// after a full stop:
//
//   "N°3. Classificato in modo errato: uscita 1, attesa -1. <note>"

#include "core/network_state.h"

#include <QListWidget>

#include <optional>
#include <span>

class QFocusEvent;
class QKeyEvent;
class QPaintEvent;

namespace vintrelle::ui {

class SampleList : public QListWidget
{
    Q_OBJECT

public:
    explicit SampleList(QWidget *parent = nullptr);

    // The colour of the focus frame: dark blue, 5:1 against the white list.
    static QColor focusFrameColour();

    // The list shows `lines`, one item each: items whose text differs take
    // the new text, items beyond the last line go, missing ones are added.
    void showLines(const QStringList &lines);

    // Each line shows how `weights` classify its sample, rows[line], as the
    // training's check pass does (core/output.h).
    void showClassification(const vintrelle::WeightVector &weights, std::span<const vintrelle::SampleRow> rows);
    // Line `row` shows its sample as classified right or wrong, `words`
    // saying so ("Classificato correttamente: uscita 1, attesa 1").
    void showClassification(int row, bool right, const QString &words);
    // Line i carries notes[i] (an empty text: no note); lines beyond the
    // list of notes carry none. showNotes({}) takes every note away.
    void showNotes(const QStringList &notes);
    // Whether line `row` shows its sample right (nothing when it shows none).
    std::optional<bool> shownClassification(int row) const;

    // The selected line's row, -1 when none is.
    int selectedRow() const;

    void keyboardSearch(const QString &search) override;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    // With no line selected, no line is current either.
    void dropCurrentWithoutSelection();
    // The line's row, words and note, into its tooltip and description.
    static void describeLine(QListWidgetItem *line);

    // While the view takes the focus: it makes its first line current then,
    // unless no line is there to be found.
    bool takingFocus = false;
};

} // namespace vintrelle::ui
