// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/neuron_diagram.h"

#include "core/numeric_text.h"
#include "ui/accessible_interfaces.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QRegion>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <string>

namespace vintrelle::ui {

namespace {

constexpr double ThinnestLine = 1.0;
constexpr double ThickestLine = 4.0;
constexpr double WidthPerWeight = 1.5;
// A negative weight's line: dashes of four line widths, gaps of two.
constexpr qreal DashLength = 4.0;
constexpr qreal GapLength = 2.0;
// The focus ring: this far outside the circle, this wide.
constexpr int RingDistance = 3;
constexpr int RingWidth = 2;
// A point this close to a line lies on it, for the diagram's lines.
constexpr double LineReach = 3.0;
// A weight's label: this far along its line, with this much room around its
// text, in the captions' small font.
constexpr qreal LabelAlong = 0.2;
constexpr int LabelPadding = 2;
constexpr double LabelPoints = 7.8;

double distanceToSegment(QPointF p, QLineF line)
{
    const QPointF d = line.p2() - line.p1();
    const double lengthSquared = d.x() * d.x() + d.y() * d.y();
    double t = 0.0;
    if (lengthSquared > 0.0) {
        const QPointF v = p - line.p1();
        t = std::clamp((v.x() * d.x() + v.y() * d.y()) / lengthSquared, 0.0, 1.0);
    }
    const QPointF nearest = line.p1() + t * d;
    return QLineF(p, nearest).length();
}

} // namespace

NeuronDiagram::NeuronDiagram(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("NeuronDiagram"));
    // Reached with Tab, never by a click: a click on the diagram is a click
    // on the window.
    setFocusPolicy(Qt::TabFocus);
    setFont(sansFont(LabelPoints));
    installAccessibleInterfaces();
    setAccessibleName(QStringLiteral("Schema del neurone"));
    setWeights(shownWeights);
}

std::array<QLine, 7> NeuronDiagram::lines()
{
    // One line from the right edge of each input field, 240 twips below its
    // top, to the leftmost point of the circle; then circle to output field.
    return {
        twipsLine(1320, 360, 4080, 2040),
        twipsLine(1320, 840, 4080, 2040),
        twipsLine(1320, 1320, 4080, 2040),
        twipsLine(1320, 1800, 4080, 2040),
        twipsLine(1320, 2280, 4080, 2040),
        twipsLine(1320, 2760, 4080, 2040),
        twipsLine(4440, 2040, 4680, 2040),
    };
}

QRect NeuronDiagram::circle()
{
    // Shape1's box is 372 x 492 twips; the circle is the largest one that
    // fits, centred in it.
    const int left = 4080;
    const int top = 1800;
    const int width = 372;
    const int height = 492;
    const int diameter = std::min(width, height);
    return twipsRect(left + (width - diameter) / 2, top + (height - diameter) / 2, diameter, diameter);
}

QColor NeuronDiagram::nonNegativeWeightColour()
{
    return QColor(0x00, 0x72, 0xB2);
}

QColor NeuronDiagram::negativeWeightColour()
{
    return QColor(0xD5, 0x5E, 0x00);
}

QPen NeuronDiagram::weightPen(float weight)
{
    const double size = std::fabs(static_cast<double>(weight));
    // Not a number has no size: the thinnest line.
    const double width = std::isnan(size) ? ThinnestLine
                                          : std::clamp(ThinnestLine + WidthPerWeight * size, ThinnestLine, ThickestLine);
    const bool negative = !(weight >= 0.0f);
    QPen pen(negative ? negativeWeightColour() : nonNegativeWeightColour(), width);
    // The line ends where it is meant to, at the circle, whatever its width.
    pen.setCapStyle(Qt::FlatCap);
    if (negative)
        pen.setDashPattern({DashLength, GapLength});
    return pen;
}

QRect NeuronDiagram::focusRing()
{
    return circle().adjusted(-RingDistance - RingWidth, -RingDistance - RingWidth, RingDistance + RingWidth,
                             RingDistance + RingWidth);
}

QRect NeuronDiagram::drawingBounds()
{
    QRect bounds = focusRing();
    const int reach = static_cast<int>(std::ceil(std::max(ThickestLine / 2.0, LineReach)));
    for (const QLine &line : lines()) {
        const QRect box = QRect(line.p1(), line.p2()).normalized();
        bounds |= box.adjusted(-reach, -reach, reach, reach);
    }
    return bounds;
}

bool NeuronDiagram::drawingContains(QPoint pos) const
{
    if (QRegion(focusRing(), QRegion::Ellipse).contains(pos))
        return true;
    if (weightLabelAt(pos))
        return true;
    const std::array<QLine, 7> all = lines();
    return std::any_of(all.begin(), all.end(), [pos](const QLine &line) {
        return distanceToSegment(QPointF(pos), QLineF(line)) <= LineReach;
    });
}

void NeuronDiagram::setWeights(const vintrelle::WeightVector &weights)
{
    shownWeights = weights;
    setAccessibleDescription(shownWeightsText());
    setWhatsThis(weightsText());
    update();
}

QPen NeuronDiagram::linePen(int index) const
{
    return weightPen(shownWeights.at(static_cast<std::size_t>(index)));
}

namespace {

// "w0 (bias) = ...", "w1 = ..." to "w5 = ...", one a line, each weight as
// `text` writes it.
QString listed(const vintrelle::WeightVector &weights, std::string (*text)(float))
{
    QString list;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (i > 0)
            list += QLatin1Char('\n');
        list += i == 0 ? QStringLiteral("w0 (bias)") : QStringLiteral("w%1").arg(i);
        list += QStringLiteral(" = ") + QString::fromStdString(text(weights[i]));
    }
    return list;
}

} // namespace

QString NeuronDiagram::weightsText() const
{
    return listed(shownWeights, [](float weight) { return vintrelle::singleToText(weight); });
}

QString NeuronDiagram::shownWeightsText() const
{
    return listed(shownWeights, [](float weight) { return vintrelle::roundedText(weight); });
}

QString NeuronDiagram::weightLabelText(int index) const
{
    return QString::fromStdString(vintrelle::roundedText(shownWeights.at(static_cast<std::size_t>(index))));
}

QRect NeuronDiagram::weightLabelRect(int index) const
{
    const QLineF line(lines().at(static_cast<std::size_t>(index)));
    const QFontMetrics metrics(font());
    const QSize size(metrics.horizontalAdvance(weightLabelText(index)) + 2 * LabelPadding + 2,
                     metrics.height() + 2);
    QRect box(QPoint(0, 0), size);
    box.moveCenter(line.pointAt(LabelAlong).toPoint());
    return box;
}

QString NeuronDiagram::weightLabelToolTip(int index) const
{
    const QString exact = QString::fromStdString(vintrelle::singleToText(shownWeights.at(static_cast<std::size_t>(index))));
    if (index == 0) {
        return QStringLiteral("w0 (bias) = %1\nIl peso del bias fa da soglia: l'uscita è 1 quando "
                              "w1·X1 + … + w5·X5 vale almeno w0.").arg(exact);
    }
    return QStringLiteral("w%1 = %2\nIl peso dell'ingresso X%1.").arg(index).arg(exact);
}

QString NeuronDiagram::toolTipAt(QPoint pos) const
{
    if (QRegion(circle(), QRegion::Ellipse).contains(pos))
        return weightsText();
    if (const std::optional<int> label = weightLabelAt(pos))
        return weightLabelToolTip(*label);
    return QString();
}

std::optional<int> NeuronDiagram::weightLabelAt(QPoint pos) const
{
    for (int i = 0; i < vintrelle::InputCount; ++i) {
        if (weightLabelRect(i).contains(pos))
            return i;
    }
    return std::nullopt;
}

bool NeuronDiagram::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            // The tooltip stays while the mouse stays on what it tells of.
            const std::optional<int> label = weightLabelAt(help->pos());
            QToolTip::showText(help->globalPos(), text, this, label ? weightLabelRect(*label) : circle());
        }
        return true;
    }
    return QWidget::event(event);
}

void NeuronDiagram::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update(focusRing());
}

void NeuronDiagram::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update(focusRing());
}

QVariant NeuronDiagram::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImCursorRectangle)
        return circle();
    return QWidget::inputMethodQuery(query);
}

void NeuronDiagram::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const std::array<QLine, 7> all = lines();
    for (int i = 0; i < vintrelle::InputCount; ++i) {
        painter.setPen(linePen(i));
        painter.drawLine(all[static_cast<std::size_t>(i)]);
    }
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawLine(all[6]);
    // The labels over their lines: dark text on white, framed in the line's
    // colour (solid whatever the sign).
    for (int i = 0; i < vintrelle::InputCount; ++i) {
        const QRect box = weightLabelRect(i);
        QPen frame = linePen(i);
        frame.setWidthF(1.0);
        frame.setStyle(Qt::SolidLine);
        painter.setPen(frame);
        painter.setBrush(palette().color(QPalette::Base));
        painter.drawRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(box, Qt::AlignCenter, weightLabelText(i));
    }
    painter.setBrush(Qt::NoBrush);
    // The pen is centred on the outline: keep it inside the box.
    painter.drawEllipse(QRectF(circle()).adjusted(0.5, 0.5, -0.5, -0.5));
    if (hasFocus()) {
        const qreal inset = RingWidth / 2.0;
        painter.setPen(QPen(palette().color(QPalette::WindowText), RingWidth, Qt::DotLine));
        painter.drawEllipse(QRectF(focusRing()).adjusted(inset, inset, -inset, -inset));
    }
}

} // namespace vintrelle::ui
