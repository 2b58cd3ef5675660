// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The corrections of a training, pass by pass: how many samples each pass
// corrected, from pass 1 to the last, with the chosen pass marked by a
// vertical line and its value.
//
// It stays readable from 1 pass to 32767: with more passes than pixel
// columns, each column draws the range (smallest to largest count) of the
// passes it covers, so a painting costs the plot's width, not the passes.
// The columns are worked out when the counts or the size change.
//
// The curve takes the focus with Tab (Left/Right, Home/End, Page Up/Down
// then choose a pass) and by a click; a click or a drag on the plot chooses
// the pass under the mouse. Screen readers find a picture named
// "Correzioni per ciclo" whose description gives the counts (summarised
// past 20 passes) and the chosen pass.

#include <QRect>
#include <QWidget>

#include <vector>

class QKeyEvent;
class QMouseEvent;
class QPaintEvent;
class QResizeEvent;

namespace vintrelle::ui {

class PassCurve : public QWidget
{
    Q_OBJECT

public:
    explicit PassCurve(QWidget *parent = nullptr);

    // The corrections of pass 1 first. Takes a time proportional to the
    // passes; painting and choosing a pass take a time proportional to the
    // plot's width.
    //
    // The corrections of pass 1 first. Keeps the chosen pass if the new
    // training has it, else chooses the last pass; none when empty.
    void setCorrections(std::vector<int> correctionsPerPass);
    const std::vector<int> &corrections() const { return counts; }
    int passCount() const { return static_cast<int>(counts.size()); }

    // 1..passCount(); a pass outside is brought to the nearest one. Does
    // not emit passChosen.
    void setChosenPass(int pass);
    // 0 while there are no passes.
    int chosenPass() const { return chosen; }

    // Where the plot is drawn, inside the axes, in widget coordinates.
    QRect plotArea() const { return area; }
    // The x (widget coordinates) of the pixel column that shows `pass`: the
    // middle of the chosen pass's marker, 3 pixels wide.
    int passX(int pass) const;
    // The pass a click at `x` chooses: the first that its column shows.
    // 0 with no passes.
    int passAt(int x) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // The user chose a pass on the curve (click, drag or keys).
    void passChosen(int pass);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // The smallest and largest count shown in each pixel column.
    struct Column
    {
        int low = 0;
        int high = 0;
    };
    // The column that shows `pass`, 0..columns - 1.
    int columnOf(int pass) const;
    double columnMiddle(int column) const;
    void rebuildColumns();
    void describe();
    void chooseByUser(int pass);

    std::vector<int> counts;
    int largest = 0;
    int chosen = 0;
    std::vector<Column> columns;
    QRect area;
};

} // namespace vintrelle::ui
