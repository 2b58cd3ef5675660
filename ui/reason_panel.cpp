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
// Between the panel and what it lies above.
constexpr int Gap = 2;
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

int ReasonPanel::heightFor(int width) const
{
    const int inset = FrameWidth + Padding;
    const QRect room(0, 0, std::max(1, width - 2 * inset), 1 << 20);
    return QFontMetrics(font()).boundingRect(room, TextFlags, shown).height() + 2 * inset;
}

void ReasonPanel::openAbove(const QWidget *anchor, const QWidget *line)
{
    const int margin = std::max(0, line->x());
    const int bottom = anchor->y() - Gap;
    const int room = bottom - margin;
    int width = line->width();
    if (heightFor(width) > room)
        width = std::max(width, parentWidget()->width() - line->x() - margin);
    // A text that does not fit above the anchor even so goes on down.
    const int height = std::min(heightFor(width), std::max(room, line->y() - Gap - margin));
    const int top = std::max(margin, std::min(bottom - height, line->y() - Gap - height));
    setGeometry(line->x(), top, width, height);
    raise();
    show();
}

void ReasonPanel::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    drawFocusFrame(painter, rect());
    painter.setPen(Qt::black);
    painter.drawText(textRect(), TextFlags, shown);
}

} // namespace vintrelle::ui
