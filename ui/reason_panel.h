// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The panel in which the status line opens its reason for the keyboard
// (status_line.h): black text on white inside a blue frame of two pixels,
// wrapped to its width, a paragraph a line of the text. It never takes the
// focus or a click; screen readers read the reason from the status line's
// description, so the panel itself is only named ("Motivo").

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

    // Lies just above `line` (in the same parent), as wide as it, as tall as
    // the text needs, no higher than the parent's top; shown on top.
    void openAbove(const QWidget *line);

    static constexpr int FrameWidth = 2;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textRect() const;

    QString shown;
};

} // namespace vintrelle::ui
