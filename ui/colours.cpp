// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/colours.h"

#include <QLabel>
#include <QPainter>
#include <QPen>
#include <QRectF>

namespace vintrelle::ui {

QColor colourFromBgr(unsigned bgr)
{
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}

QColor lightYellow()
{
    return colourFromBgr(0x00C0FFFFu);
}

QColor lightBlue()
{
    return colourFromBgr(0x00FFC0C0u);
}

QColor blue()
{
    return colourFromBgr(0x00FF0000u);
}

QColor focusBlue()
{
    return QColor(0x00, 0x72, 0xB2);
}

QPalette lightWindowPalette()
{
    const QColor text(Qt::black);
    const QColor window(0xEF, 0xEF, 0xEF);
    const QColor dimText(0x59, 0x59, 0x59);
    QPalette palette(text, window, QColor(Qt::white), QColor(0x9F, 0x9F, 0x9F), QColor(0xB8, 0xB8, 0xB8), text,
                     QColor(Qt::white));
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::AlternateBase, QColor(0xF7, 0xF7, 0xF7));
    palette.setColor(QPalette::Highlight, QColor(0x30, 0x8C, 0xC6));
    palette.setColor(QPalette::HighlightedText, QColor(Qt::white));
    palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xDC));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, dimText);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, dimText);
    palette.setColor(QPalette::Disabled, QPalette::Base, window);
    return palette;
}

void paintLabel(QLabel *label, const QColor &text, std::optional<QColor> background)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, text);
    if (background) {
        palette.setColor(QPalette::Window, *background);
        label->setAutoFillBackground(true);
    }
    label->setPalette(palette);
}

void drawFocusFrame(QPainter &painter, const QRect &area)
{
    const qreal inset = FocusFrameWidth / 2.0;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(focusBlue(), FocusFrameWidth));
    painter.drawRect(QRectF(area).adjusted(inset, inset, -inset, -inset));
    painter.restore();
}

} // namespace vintrelle::ui
