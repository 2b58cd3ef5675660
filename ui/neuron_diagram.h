// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The neuron drawn behind the window's controls: Line1..Line6 from the input
// fields to the circle Shape1, and Line7 from the circle to the output field.
// It lies behind every control of the window.
//
// Line1..Line6 show the weights they carry: a solid dark blue line for a
// weight >= 0, a dashed vermilion one for a negative weight (told apart by
// more than colour), thicker the larger the weight is (1 to 4
// device-independent pixels). Line7 and the circle are drawn in the text
// colour. Each of Line1..Line6 carries a label with its weight rounded to
// two decimals ("-0,37"), dark on white, framed in the line's colour; resting
// the mouse on a label shows that weight exactly (the bias weight's label
// also says that it acts as the threshold), on the circle all six,
// "w0 (bias) = 0,25", "w1 = ..." and so on, one a line.
//
// The diagram is the last stop of the Tab key, after the window's other
// controls; with the focus it draws a ring around the circle. Screen readers
// find it as a picture named "Schema del neurone" whose description is the
// list of weights as the labels show them ("w1 = 0,53"), and which occupies
// only the circle and its lines. The exact weights are one step away: its
// "What's This?" text, which Shift+F1 shows while it has the focus (as the
// circle's tooltip does for the mouse); screen readers are not given it as
// a help text, which Orca 48 would read after the shown ones on each focus.

#include "core/network_state.h"

#include <QColor>
#include <QPen>
#include <QWidget>

#include <array>
#include <optional>

class QFocusEvent;
class QPaintEvent;

namespace vintrelle::ui {

class NeuronDiagram : public QWidget
{
    Q_OBJECT

public:
    explicit NeuronDiagram(QWidget *parent = nullptr);

    // In window pixels: Line1..Line7 and the circle inside Shape1's box.
    static std::array<QLine, 7> lines();
    static QRect circle();

    // The colours of a weight's line: Okabe-Ito blue and vermilion, told
    // apart with every common colour-vision deficiency.
    static QColor nonNegativeWeightColour();
    static QColor negativeWeightColour();
    // The pen of a line carrying `weight`: its colour and its dashes by the
    // sign (-0 counts as >= 0, as it does in the neuron: solid; below 0:
    // dashed), width 1 + 1.5 |weight| clamped to 1..4 device-independent
    // pixels.
    static QPen weightPen(float weight);

    // The weights Line1..Line6 show; redraws.
    void setWeights(const vintrelle::WeightVector &weights);
    const vintrelle::WeightVector &weights() const { return shownWeights; }
    // The pen Line1..Line6 are drawn with, index 0..5.
    QPen linePen(int index) const;

    // "w0 (bias) = ...", "w1 = ..." to "w5 = ...", one a line, each weight as
    // the shortest decimal that reads back as the same float, written with
    // the comma.
    QString weightsText() const;
    // The same list with each weight as its label shows it ("w1 = 0,53").
    QString shownWeightsText() const;

    // Weight i's label: its text ("0,25"), its box (a fifth of the way along
    // its line, centred on it) and its tooltip.
    QString weightLabelText(int index) const;
    QRect weightLabelRect(int index) const;
    QString weightLabelToolTip(int index) const;

    // What the diagram draws, in its own coordinates: the smallest rectangle
    // around the lines, the circle, its focus ring and the weights' labels;
    // and whether `pos` lies on a line (within a few pixels), a label, in
    // the circle or on its ring.
    static QRect drawingBounds();
    bool drawingContains(QPoint pos) const;
    // The focus ring, drawn around the circle while the diagram has the focus.
    static QRect focusRing();
    // The tooltip at `pos` (diagram coordinates): all the weights over the
    // circle, one weight over its label, nothing elsewhere.
    QString toolTipAt(QPoint pos) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    // Where Shift+F1 shows the exact weights: by the circle.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    // The weight whose label lies at `pos`, if any.
    std::optional<int> weightLabelAt(QPoint pos) const;

    vintrelle::WeightVector shownWeights{};
};

} // namespace vintrelle::ui
