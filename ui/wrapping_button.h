// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// A push button whose caption wraps at blanks when one line is too wide for
// the button, as "Reinizializza Pesi" is in its fixed box. A caption that
// fits on one line looks as on any button.

#include <QPushButton>

class QPaintEvent;

namespace vintrelle::ui {

class WrappingButton : public QPushButton
{
    Q_OBJECT

public:
    explicit WrappingButton(const QString &text, QWidget *parent = nullptr);

    // Where the caption is drawn: the whole button, so that two lines of a
    // small font fit in a button of one and a half lines.
    static constexpr int CaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace vintrelle::ui
