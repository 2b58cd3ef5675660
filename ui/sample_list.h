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
// Each line can show how the current weights classify its sample (see
// ClassificationDelegate), and says it in words in its tooltip and its
// description for screen readers.

#include <QListWidget>

#include <optional>

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
    static constexpr int FocusFrameWidth = 2;

    // The list shows `lines`, one item each: items whose text differs take
    // the new text, items beyond the last line go, missing ones are added.
    void showLines(const QStringList &lines);

    // Line `row` shows its sample as classified right or wrong, `words`
    // saying so ("Classificato correttamente: uscita 1, attesa 1").
    void showClassification(int row, bool right, const QString &words);
    // Whether line `row` shows its sample right (nothing when it shows none).
    std::optional<bool> shownClassification(int row) const;

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
};

} // namespace vintrelle::ui
