// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/neuron_diagram.h"

#include "core/numeric_text.h"
#include "ui/twips.h"

#include <QAccessible>
#include <QAccessibleWidget>
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

// For screen readers the diagram is a picture; its name and description are
// the widget's own.
QAccessibleInterface *describeDiagram(const QString & /*className*/, QObject *object)
{
    if (auto *diagram = qobject_cast<NeuronDiagram *>(object))
        return new QAccessibleWidget(diagram, QAccessible::Graphic);
    return nullptr;
}

} // namespace

NeuronDiagram::NeuronDiagram(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("NeuronDiagram"));
    setFocusPolicy(Qt::NoFocus);
    static const bool describedAsPicture = [] {
        QAccessible::installFactory(describeDiagram);
        return true;
    }();
    static_cast<void>(describedAsPicture);
    setAccessibleName(QStringLiteral("Schema del neurone"));
    setAccessibleDescription(weightsText());
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
    QPen pen(weight >= 0.0f ? nonNegativeWeightColour() : negativeWeightColour(), width);
    // The line ends where it is meant to, at the circle, whatever its width.
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void NeuronDiagram::setWeights(const vintrelle::WeightVector &weights)
{
    shownWeights = weights;
    setAccessibleDescription(weightsText());
    update();
}

QPen NeuronDiagram::linePen(int index) const
{
    return weightPen(shownWeights.at(static_cast<std::size_t>(index)));
}

QString NeuronDiagram::weightsText() const
{
    QString text;
    for (std::size_t i = 0; i < shownWeights.size(); ++i) {
        if (i > 0)
            text += QLatin1Char('\n');
        text += QStringLiteral("w%1 = %2").arg(i).arg(QString::fromStdString(vintrelle::singleToText(shownWeights[i])));
    }
    return text;
}

QString NeuronDiagram::toolTipAt(QPoint pos) const
{
    return QRegion(circle(), QRegion::Ellipse).contains(pos) ? weightsText() : QString();
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
            QToolTip::showText(help->globalPos(), text, this, circle());
        }
        return true;
    }
    return QWidget::event(event);
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
    painter.setBrush(Qt::NoBrush);
    // The pen is centred on the outline: keep it inside the box.
    painter.drawEllipse(QRectF(circle()).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace vintrelle::ui
