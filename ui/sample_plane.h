// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The samples in the plane of two inputs, with the line where the weighted
// sum is 0: the plot (PlanePlot), and above it the two combo boxes
// "Asse orizzontale" and "Asse verticale" that choose the inputs when more
// than two of X1..X5 vary among the samples (hidden otherwise), and below
// it the caption that says which slice the line is, when other inputs vary.

#include "core/network_state.h"

#include <QWidget>

#include <span>
#include <vector>

class QComboBox;
class QLabel;

namespace vintrelle::ui {

class PlanePlot;

class SamplePlane : public QWidget
{
    Q_OBJECT

public:
    explicit SamplePlane(QWidget *parent = nullptr);

    // The samples as trained; chooses the two axes.
    void setSamples(std::span<const vintrelle::SampleRow> samples);
    // The weights at the end of the chosen pass: moves the line.
    void setWeights(const vintrelle::WeightVector &weights);

    PlanePlot *plot() const { return drawing; }
    QComboBox *horizontalAxisBox() const { return horizontalBox; }
    QComboBox *verticalAxisBox() const { return verticalBox; }
    // The caption under the plot ("Sezione con X3, X4, X5 = 0"), empty when
    // the line is the whole story.
    QLabel *sliceCaption() const { return caption; }

private:
    void horizontalChosen(int index);
    void verticalChosen(int index);
    void showAxes();

    PlanePlot *drawing = nullptr;
    QWidget *axisRow = nullptr;
    QComboBox *horizontalBox = nullptr;
    QComboBox *verticalBox = nullptr;
    QLabel *caption = nullptr;
};

} // namespace vintrelle::ui
