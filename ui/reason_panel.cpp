// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/reason_panel.h"

#include "ui/colours.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>

namespace vintrelle::ui {

namespace {

constexpr int Padding = 3;
constexpr int TextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

} // namespace

ReasonPanel::ReasonPanel(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void ReasonPanel::setText(const QString &text)
{
    shown = text;
    update();
}

QRect ReasonPanel::textRect() const
{
    const int inset = FrameWidth + Padding;
    return rect().adjusted(inset, inset, -inset, -inset);
}

void ReasonPanel::openAbove(const QWidget *line)
{
    const int inset = FrameWidth + Padding;
    const QRect room(0, 0, line->width() - 2 * inset, 1 << 20);
    const int textHeight = QFontMetrics(font()).boundingRect(room, TextFlags, shown).height();
    const int height = std::min(textHeight + 2 * inset, line->y());
    setGeometry(line->x(), line->y() - height, line->width(), height);
    raise();
    show();
}

void ReasonPanel::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const qreal inset = FrameWidth / 2.0;
    painter.setPen(QPen(focusBlue(), FrameWidth));
    painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
    painter.setPen(Qt::black);
    painter.drawText(textRect(), TextFlags, shown);
}

} // namespace vintrelle::ui
