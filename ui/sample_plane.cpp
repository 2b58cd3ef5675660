// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/sample_plane.h"

#include "ui/plane_plot.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vintrelle::ui {

namespace {

QComboBox *axisBox(QWidget *parent, const QString &name)
{
    auto *box = new QComboBox(parent);
    for (int input = 1; input < vintrelle::InputCount; ++input)
        box->addItem(QString::fromStdString(vintrelle::InputPlane::inputName(input)), input);
    box->setAccessibleName(name);
    return box;
}

} // namespace

SamplePlane::SamplePlane(QWidget *parent)
    : QWidget(parent)
    , drawing(new PlanePlot(this))
    , axisRow(new QWidget(this))
    , horizontalBox(axisBox(axisRow, QStringLiteral("Asse orizzontale")))
    , verticalBox(axisBox(axisRow, QStringLiteral("Asse verticale")))
    , caption(new QLabel(this))
{
    setObjectName(QStringLiteral("StoriaPiano"));
    horizontalBox->setObjectName(QStringLiteral("StoriaAsseOrizzontale"));
    verticalBox->setObjectName(QStringLiteral("StoriaAsseVerticale"));
    caption->setObjectName(QStringLiteral("StoriaSezione"));

    auto *row = new QHBoxLayout(axisRow);
    row->setContentsMargins(0, 0, 0, 0);
    for (QComboBox *box : {horizontalBox, verticalBox}) {
        auto *label = new QLabel(box->accessibleName() + QLatin1Char(':'), axisRow);
        label->setBuddy(box);
        row->addWidget(label);
        row->addWidget(box);
        row->addSpacing(12);
    }
    row->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(axisRow);
    layout->addWidget(drawing, 1);
    layout->addWidget(caption);
    caption->setWordWrap(true);
    setTabOrder(horizontalBox, verticalBox);
    setTabOrder(verticalBox, drawing);

    connect(horizontalBox, &QComboBox::activated, this, &SamplePlane::horizontalChosen);
    connect(verticalBox, &QComboBox::activated, this, &SamplePlane::verticalChosen);
    showAxes();
}

void SamplePlane::setSamples(std::span<const vintrelle::SampleRow> samples)
{
    vintrelle::InputPlane plane = drawing->plane();
    plane.setSamples(samples);
    drawing->setPlane(plane);
    showAxes();
}

void SamplePlane::setWeights(const vintrelle::WeightVector &weights)
{
    vintrelle::InputPlane plane = drawing->plane();
    plane.setWeights(weights);
    drawing->setPlane(plane);
}

void SamplePlane::horizontalChosen(int index)
{
    const int input = horizontalBox->itemData(index).toInt();
    vintrelle::InputPlane plane = drawing->plane();
    // The same input on both axes: the other axis takes this one's place.
    const int other = input == plane.verticalInput() ? plane.horizontalInput() : plane.verticalInput();
    if (plane.setAxes(input, other))
        drawing->setPlane(plane);
    showAxes();
}

void SamplePlane::verticalChosen(int index)
{
    const int input = verticalBox->itemData(index).toInt();
    vintrelle::InputPlane plane = drawing->plane();
    const int other = input == plane.horizontalInput() ? plane.verticalInput() : plane.horizontalInput();
    if (plane.setAxes(other, input))
        drawing->setPlane(plane);
    showAxes();
}

void SamplePlane::showAxes()
{
    const vintrelle::InputPlane &plane = drawing->plane();
    horizontalBox->setCurrentIndex(horizontalBox->findData(plane.horizontalInput()));
    verticalBox->setCurrentIndex(verticalBox->findData(plane.verticalInput()));
    axisRow->setVisible(plane.axesChosenByUser());
    const QString slice = QString::fromStdString(plane.sliceText());
    caption->setText(slice);
    caption->setVisible(!slice.isEmpty());
}

} // namespace vintrelle::ui
