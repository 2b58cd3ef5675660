// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/classification_delegate.h"

#include <QPainter>
#include <QPainterPath>

namespace vintrelle::ui {

QColor ClassificationDelegate::rightTint()
{
    return QColor(0xDD, 0xF2, 0xDD);
}

QColor ClassificationDelegate::wrongTint()
{
    return QColor(0xFB, 0xE1, 0xD0);
}

QColor ClassificationDelegate::rightMarkColour()
{
    return QColor(0x1B, 0x6E, 0x2E);
}

QColor ClassificationDelegate::wrongMarkColour()
{
    return QColor(0xA8, 0x32, 0x00);
}

ClassificationDelegate::ClassificationDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

int ClassificationDelegate::numberWidth(const QFontMetrics &metrics)
{
    return metrics.horizontalAdvance(QStringLiteral("00")) + 2 * NumberGap;
}

void ClassificationDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    const int numberColumn = numberWidth(option.fontMetrics);
    QStyleOptionViewItem text(option);
    text.rect.setLeft(option.rect.left() + numberColumn + MarkWidth);

    const QVariant classification = index.data(ClassificationRole);
    painter->save();
    if (classification.isValid())
        painter->fillRect(option.rect, classification.toBool() ? rightTint() : wrongTint());
    // The row number, right-aligned in its column, in the text's colour.
    const QRect number(option.rect.left(), option.rect.top(), numberColumn - NumberGap, option.rect.height());
    painter->setFont(option.font);
    painter->setPen(option.palette.color(QPalette::Text));
    painter->drawText(number, Qt::AlignRight | Qt::AlignVCenter, QString::number(index.row()));
    if (!classification.isValid()) {
        painter->restore();
        QStyledItemDelegate::paint(painter, text, index);
        return;
    }
    const bool right = classification.toBool();

    // The mark, centred in the margin: a check mark or a cross.
    const QRectF margin(option.rect.left() + numberColumn, option.rect.top(), MarkWidth, option.rect.height());
    const qreal size = std::min<qreal>(MarkWidth - 6, option.rect.height() - 6);
    const QRectF box(margin.center().x() - size / 2, margin.center().y() - size / 2, size, size);
    painter->setRenderHint(QPainter::Antialiasing);
    QPen pen(right ? rightMarkColour() : wrongMarkColour(), 2.0);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter->setPen(pen);
    QPainterPath mark;
    if (right) {
        mark.moveTo(box.left(), box.top() + box.height() * 0.55);
        mark.lineTo(box.left() + box.width() * 0.4, box.bottom());
        mark.lineTo(box.right(), box.top());
    } else {
        mark.moveTo(box.topLeft());
        mark.lineTo(box.bottomRight());
        mark.moveTo(box.topRight());
        mark.lineTo(box.bottomLeft());
    }
    painter->drawPath(mark);
    painter->restore();

    QStyledItemDelegate::paint(painter, text, index);
}

QSize ClassificationDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return QStyledItemDelegate::sizeHint(option, index) + QSize(numberWidth(option.fontMetrics) + MarkWidth, 0);
}

} // namespace vintrelle::ui
