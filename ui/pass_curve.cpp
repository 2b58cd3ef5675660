// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/pass_curve.h"

#include <QPainter>

#include <algorithm>

namespace vintrelle::ui {

PassCurve::PassCurve(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("StoriaCurva"));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Correzioni per ciclo"));
}

void PassCurve::setCorrections(std::vector<int> correctionsPerPass)
{
    counts = std::move(correctionsPerPass);
    chosen = counts.empty() ? 0 : static_cast<int>(counts.size());
    update();
}

void PassCurve::setChosenPass(int pass)
{
    chosen = counts.empty() ? 0 : std::clamp(pass, 1, passCount());
    update();
}

QRect PassCurve::plotArea() const
{
    return rect();
}

int PassCurve::columnOf(int) const
{
    return 0;
}

int PassCurve::passAt(int) const
{
    return 0;
}

QSize PassCurve::sizeHint() const
{
    return {420, 200};
}

QSize PassCurve::minimumSizeHint() const
{
    return {200, 120};
}

void PassCurve::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
}

void PassCurve::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
}

void PassCurve::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
}

void PassCurve::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
}

void PassCurve::keyPressEvent(QKeyEvent *event)
{
    QWidget::keyPressEvent(event);
}

void PassCurve::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void PassCurve::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void PassCurve::rebuildColumns() {}
void PassCurve::describe() {}
void PassCurve::chooseByUser(int) {}

} // namespace vintrelle::ui
