#include "ui/neuron_diagram.h"

#include "ui/twips.h"

#include <QPainter>
#include <QPaintEvent>

#include <algorithm>

namespace vintrelle::ui {

NeuronDiagram::NeuronDiagram(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("NeuronDiagram"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
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

void NeuronDiagram::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    for (const QLine &line : lines())
        painter.drawLine(line);
    painter.setBrush(Qt::NoBrush);
    // The pen is centred on the outline: keep it inside the box.
    painter.drawEllipse(QRectF(circle()).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace vintrelle::ui
