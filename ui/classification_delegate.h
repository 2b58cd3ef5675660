// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// Draws a line of the sample list: first its row number ("0", "1", ... "10",
// the number by which the status line's reasons name the sample as "N°3"),
// then how the current weights classify its sample: a tinted row (light
// green when right, light orange when wrong) and, in a margin before the
// text, a check mark or a cross, so that the two differ by more than
// colour. The line's text is drawn as always, after the number and the
// margin. A line that carries no classification shows its number, no tint
// and no mark.

#include <QColor>
#include <QFontMetrics>
#include <QStyledItemDelegate>

namespace vintrelle::ui {

class ClassificationDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // The item role that holds a line's classification: true for right,
    // false for wrong, nothing for none.
    static constexpr int ClassificationRole = Qt::UserRole + 1;
    // The margin for the mark, in device-independent pixels.
    static constexpr int MarkWidth = 14;
    // The gap on either side of a row number, in the same pixels.
    static constexpr int NumberGap = 3;

    static QColor rightTint();
    static QColor wrongTint();
    static QColor rightMarkColour();
    static QColor wrongMarkColour();

    explicit ClassificationDelegate(QObject *parent = nullptr);

    // The width of the column of row numbers, for the list's font: two
    // digits (rows run from 0 to 10) and a gap on either side.
    static int numberWidth(const QFontMetrics &metrics);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace vintrelle::ui
