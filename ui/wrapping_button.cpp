// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/wrapping_button.h"

#include <QPaintEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace vintrelle::ui {

WrappingButton::WrappingButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
}

void WrappingButton::paintEvent(QPaintEvent * /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;

    // Frame, background and focus mark from the style; the caption here.
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.drawItemText(rect(), CaptionFlags, option.palette, isEnabled(), caption, QPalette::ButtonText);
}

} // namespace vintrelle::ui
