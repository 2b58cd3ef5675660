// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/sample_plane.h"

#include "ui/plane_plot.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace vintrelle::ui {

SamplePlane::SamplePlane(QWidget *parent)
    : QWidget(parent)
    , drawing(new PlanePlot(this))
    , axisRow(new QWidget(this))
    , horizontalBox(new QComboBox(axisRow))
    , verticalBox(new QComboBox(axisRow))
    , caption(new QLabel(this))
{
    setObjectName(QStringLiteral("StoriaPiano"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(axisRow);
    layout->addWidget(drawing, 1);
    layout->addWidget(caption);
    axisRow->hide();
    caption->hide();
}

void SamplePlane::setSamples(std::span<const vintrelle::SampleRow> samples)
{
    vintrelle::InputPlane plane = drawing->plane();
    plane.setSamples(samples);
    drawing->setPlane(plane);
}

void SamplePlane::setWeights(const vintrelle::WeightVector &weights)
{
    vintrelle::InputPlane plane = drawing->plane();
    plane.setWeights(weights);
    drawing->setPlane(plane);
}

void SamplePlane::horizontalChosen(int) {}
void SamplePlane::verticalChosen(int) {}
void SamplePlane::showAxes() {}

} // namespace vintrelle::ui
