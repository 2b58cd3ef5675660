// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The neuron drawn behind the window's controls: Line1..Line6 from the input
// fields to the circle Shape1, and Line7 from the circle to the output field.
// It lies behind every control of the window and takes no focus.
//
// Line1..Line6 show the weights they carry: dark blue for a weight >= 0,
// vermilion for a negative one, thicker the larger the weight is (1 to 4
// device-independent pixels). Line7 and the circle are drawn in the text
// colour. Resting the mouse on the circle shows the weights, "w0 = 0,25"
// and so on, one a line. Screen readers find the diagram as a picture named
// "Schema del neurone" whose description is the same list.

#include "core/network_state.h"

#include <QColor>
#include <QPen>
#include <QWidget>

#include <array>

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
    // The pen of a line carrying `weight`: its colour by the sign (-0 counts
    // as >= 0, as it does in the neuron), width 1 + 1.5 |weight| clamped to
    // 1..4 device-independent pixels.
    static QPen weightPen(float weight);

    // The weights Line1..Line6 show; redraws.
    void setWeights(const vintrelle::WeightVector &weights);
    const vintrelle::WeightVector &weights() const { return shownWeights; }
    // The pen Line1..Line6 are drawn with, index 0..5.
    QPen linePen(int index) const;

    // "w0 = ..." to "w5 = ...", one a line, each weight as the shortest
    // decimal that reads back as the same float, written with the comma.
    QString weightsText() const;
    // The tooltip at `pos` (diagram coordinates): the weights over the
    // circle, nothing elsewhere.
    QString toolTipAt(QPoint pos) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    vintrelle::WeightVector shownWeights{};
};

} // namespace vintrelle::ui
