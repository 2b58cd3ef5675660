// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/plane_plot.h"

#include <QPainter>

namespace vintrelle::ui {

PlanePlot::PlanePlot(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("StoriaPianoGrafico"));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Piano degli ingressi"));
}

void PlanePlot::setPlane(const vintrelle::InputPlane &plane)
{
    shown = plane;
    update();
}

QRect PlanePlot::plotArea() const
{
    return rect();
}

QPointF PlanePlot::toPixels(vintrelle::PlanePoint) const
{
    return {};
}

QSize PlanePlot::sizeHint() const
{
    return {360, 300};
}

QSize PlanePlot::minimumSizeHint() const
{
    return {200, 160};
}

void PlanePlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
}

void PlanePlot::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void PlanePlot::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace vintrelle::ui
