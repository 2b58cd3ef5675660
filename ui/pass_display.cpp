// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/pass_display.h"

#include "ui/colours.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>

namespace vintrelle::ui {

namespace {

// The chart: this wide, this far from the right end; the text keeps clear
// of it by this much.
constexpr int CueSize = 13;
constexpr int CueInset = 2;
constexpr int CueRoom = CueSize + 2 * CueInset;

} // namespace

PassDisplay::PassDisplay(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    showStory(nullptr);
}

void PassDisplay::showStory(std::shared_ptr<const vintrelle::TrainingStory> story)
{
    held = std::move(story);
    const bool holds = holdsStory();
    setContentsMargins(0, 0, holds ? CueRoom : 0, 0);
    setFocusPolicy(holds ? Qt::TabFocus : Qt::NoFocus);
    setToolTip(holds ? QStringLiteral("Apri la storia dell'addestramento") : QString());
    if (holds)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    const QString passes = QStringLiteral("Cicli fatti dall'ultimo addestramento e numero massimo di cicli");
    setAccessibleDescription(holds ? passes + QStringLiteral("; Spazio o Invio apre la storia dell'addestramento")
                                   : passes);
    // Nothing left to open here: the focus goes on.
    if (!holds && hasFocus())
        focusNextChild();
    update();
}

QRect PassDisplay::cueRect() const
{
    const int size = std::min(CueSize, height() - 2 * CueInset);
    return QRect(width() - CueInset - size, (height() - size) / 2, size, size);
}

void PassDisplay::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!holdsStory() && !hasFocus())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (holdsStory()) {
        // Two axes and a line that rises in steps: a chart.
        const QRectF box = QRectF(cueRect()).adjusted(1.0, 1.0, -1.0, -1.0);
        const QColor ink = palette().color(QPalette::WindowText);
        painter.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawPolyline(QPolygonF{box.topLeft(), box.bottomLeft(), box.bottomRight()});
        const qreal w = box.width();
        const qreal h = box.height();
        painter.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF{QPointF(box.left() + 0.2 * w, box.top() + 0.75 * h),
                                       QPointF(box.left() + 0.45 * w, box.top() + 0.45 * h),
                                       QPointF(box.left() + 0.65 * w, box.top() + 0.6 * h),
                                       QPointF(box.left() + 0.95 * w, box.top() + 0.1 * h)});
    }
    if (hasFocus())
        drawFocusFrame(painter, rect());
}

void PassDisplay::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    update();
}

void PassDisplay::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    update();
}

void PassDisplay::keyPressEvent(QKeyEvent *event)
{
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    const bool opens = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (plain && opens && holdsStory()) {
        event->accept();
        emit storyRequested();
        return;
    }
    QLabel::keyPressEvent(event);
}

void PassDisplay::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && holdsStory() && rect().contains(event->position().toPoint())) {
        event->accept();
        emit storyRequested();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace vintrelle::ui
