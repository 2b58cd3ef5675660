// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The panel in which the status line opens its reason for the keyboard
// (status_line.h): black text on white inside a blue frame of two pixels,
// wrapped to its width, a paragraph a line of the text. It never takes the
// focus or a click; screen readers read the reason from the status line's
// description, so the panel itself is only named ("Motivo").

#include "ui/colours.h"

#include <QString>
#include <QWidget>

class QPaintEvent;

namespace vintrelle::ui {

class ReasonPanel : public QWidget
{
    Q_OBJECT

public:
    explicit ReasonPanel(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const { return shown; }

    // Shown on top, above `anchor` and left-aligned with `line` (both in
    // the same parent as the panel): as wide as `line` when the text fits
    // so between the parent's top and `anchor`, else as wide as the parent
    // allows; as tall as the text needs, wrapped. The parent keeps a margin
    // as wide as `line`'s left one all round. With the list's caption as
    // `anchor`, the panel covers none of the list's lines, unless a text
    // too long for the room above them goes on down, at most to just above
    // `line`, rather than be cut short.
    void openAbove(const QWidget *anchor, const QWidget *line);

    static constexpr int FrameWidth = FocusFrameWidth;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textRect() const;
    // The height the text needs at `width`, frame and padding included.
    int heightFor(int width) const;

    QString shown;
};

} // namespace vintrelle::ui
