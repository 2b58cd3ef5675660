// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/pass_curve.h"

#include "core/input_plane.h"
#include "ui/accessible_interfaces.h"
#include "ui/fonts.h"
#include "ui/neuron_diagram.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QPolygonF>

#include <algorithm>
#include <climits>
#include <cmath>

namespace vintrelle::ui {

namespace {

constexpr double TextPoints = 8.25;
// Room around the plot: the chosen pass's value above it, the pass numbers
// and the axis caption below it, the counts on its left.
constexpr int TopRoom = 22;
constexpr int RightRoom = 14;
constexpr int TickLength = 4;
// Passes this many pixels apart or more are dotted.
constexpr double DotSpacing = 7.0;
// The tick labels of the pass axis are at least this far apart.
constexpr int PassTickSpacing = 64;

QColor curveColour()
{
    return NeuronDiagram::nonNegativeWeightColour();
}

QColor chosenColour()
{
    return NeuronDiagram::negativeWeightColour();
}

QString correctionsWords(int count)
{
    return count == 1 ? QStringLiteral("1 correzione") : QStringLiteral("%1 correzioni").arg(count);
}

} // namespace

PassCurve::PassCurve(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("StoriaCurva"));
    setFocusPolicy(Qt::StrongFocus);
    setFont(sansFont(TextPoints));
    setAttribute(Qt::WA_OpaquePaintEvent);
    installAccessibleInterfaces();
    setAccessibleName(QStringLiteral("Correzioni per ciclo"));
    describe();
}

void PassCurve::setCorrections(std::vector<int> correctionsPerPass)
{
    counts = std::move(correctionsPerPass);
    largest = counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
    if (counts.empty())
        chosen = 0;
    else if (chosen < 1 || chosen > passCount())
        chosen = passCount();
    rebuildColumns();
    describe();
    update();
}

void PassCurve::setChosenPass(int pass)
{
    const int next = counts.empty() ? 0 : std::clamp(pass, 1, passCount());
    if (next == chosen)
        return;
    chosen = next;
    describe();
    update();
}

void PassCurve::chooseByUser(int pass)
{
    const int before = chosen;
    setChosenPass(pass);
    if (chosen != before)
        Q_EMIT passChosen(chosen);
}

void PassCurve::describe()
{
    setAccessibleDescription(QString::fromStdString(vintrelle::correctionsDescription(counts, chosen)));
}

void PassCurve::rebuildColumns()
{
    const QFontMetrics metrics(font());
    const std::vector<int> ticks = vintrelle::countTicks(largest);
    const int labelWidth = metrics.horizontalAdvance(QString::number(ticks.back()));
    const int left = std::max(labelWidth, metrics.horizontalAdvance(QStringLiteral("correzioni")) / 2) + TickLength + 8;
    const int bottom = 2 * metrics.height() + TickLength + 4;
    area = QRect(left, TopRoom, std::max(1, width() - left - RightRoom), std::max(1, height() - TopRoom - bottom));

    columns.clear();
    if (counts.empty())
        return;
    // One column a pass while they fit, one a pixel otherwise.
    const long long count = std::min(passCount(), area.width());
    columns.assign(static_cast<std::size_t>(count), Column{INT_MAX, INT_MIN});
    for (int pass = 1; pass <= passCount(); ++pass) {
        Column &column = columns[static_cast<std::size_t>((pass - 1) * count / passCount())];
        const int value = counts[static_cast<std::size_t>(pass - 1)];
        column.low = std::min(column.low, value);
        column.high = std::max(column.high, value);
    }
}

int PassCurve::columnOf(int pass) const
{
    if (counts.empty())
        return 0;
    const long long columnCount = static_cast<long long>(columns.size());
    const long long index = std::clamp(pass, 1, passCount()) - 1;
    return static_cast<int>(index * columnCount / passCount());
}

double PassCurve::columnMiddle(int column) const
{
    const auto columnCount = static_cast<double>(std::max<std::size_t>(1, columns.size()));
    return area.left() + (column + 0.5) * area.width() / columnCount;
}

int PassCurve::passX(int pass) const
{
    return static_cast<int>(std::floor(columnMiddle(columnOf(pass))));
}

int PassCurve::passAt(int x) const
{
    if (counts.empty())
        return 0;
    const long long columnCount = static_cast<long long>(columns.size());
    const long long column
        = std::clamp<long long>((static_cast<long long>(x) - area.left()) * columnCount / area.width(), 0,
                                columnCount - 1);
    // The first pass of the column.
    return static_cast<int>((column * passCount() + columnCount - 1) / columnCount) + 1;
}

QSize PassCurve::sizeHint() const
{
    return {420, 200};
}

QSize PassCurve::minimumSizeHint() const
{
    return {200, 120};
}

void PassCurve::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    rebuildColumns();
}

void PassCurve::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        rebuildColumns();
}

void PassCurve::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const QFontMetrics metrics(font());
    const QColor text = palette().color(QPalette::Text);
    const QColor grid(0xE2, 0xE2, 0xE2);

    // The count axis: a grid line and a number at each tick.
    const std::vector<int> counts_ = vintrelle::countTicks(largest);
    const double top = counts_.back();
    const auto yOf = [&](double value) { return area.bottom() + 1 - value * area.height() / top; };
    for (const int tick : counts_) {
        const int y = static_cast<int>(std::lround(yOf(tick)));
        painter.setPen(grid);
        if (tick > 0)
            painter.drawLine(area.left() + 1, y, area.right(), y);
        painter.setPen(text);
        painter.drawLine(area.left() - TickLength, y, area.left(), y);
        const QRect label(0, y - metrics.height() / 2, area.left() - TickLength - 3, metrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, QString::number(tick));
    }
    painter.drawText(QRect(0, 0, area.left() + 60, TopRoom - 6), Qt::AlignLeft | Qt::AlignBottom,
                     QStringLiteral("correzioni"));

    // The pass axis.
    const int columnCount = static_cast<int>(columns.size());
    const double columnWidth = columnCount > 0 ? double(area.width()) / columnCount : 0.0;
    const auto xOfColumn = [&](int column) { return columnMiddle(column); };
    if (!counts.empty()) {
        const int most = std::max(2, area.width() / PassTickSpacing);
        for (const int tick : vintrelle::passTicks(passCount(), most)) {
            const int x = passX(tick);
            painter.setPen(text);
            painter.drawLine(x, area.bottom() + 1, x, area.bottom() + TickLength);
            const QString number = QString::number(tick);
            const int w = metrics.horizontalAdvance(number);
            const int left = std::clamp(x - w / 2, 0, width() - w);
            painter.drawText(left, area.bottom() + TickLength + 2 + metrics.ascent(), number);
        }
    }
    painter.setPen(text);
    painter.drawText(QRect(area.left(), area.bottom() + TickLength + metrics.height() + 2, area.width(),
                           metrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("ciclo"));

    // The curve. With more passes than pixels, each pixel column is filled
    // solid from the smallest to the largest count of its passes, tinted
    // below; otherwise a line through the passes, tinted below.
    QColor tint = curveColour();
    tint.setAlpha(40);
    if (columnCount > 0 && passCount() > columnCount) {
        // Each fill is one staircase through all the columns: the painter
        // fills many small rectangles far more slowly than one shape.
        const int base = area.bottom() + 1;
        QPolygon below;
        QPolygon bandTop;
        QPolygon bandBottom;
        for (int c = 0; c < columnCount; ++c) {
            const Column &column = columns[static_cast<std::size_t>(c)];
            const int x = area.left() + c;
            const int high = static_cast<int>(std::lround(yOf(column.high)));
            const int low = static_cast<int>(std::lround(yOf(column.low)));
            below << QPoint(x, low) << QPoint(x + 1, low);
            bandTop << QPoint(x, high - 1) << QPoint(x + 1, high - 1);
            bandBottom << QPoint(x, low + 1) << QPoint(x + 1, low + 1);
        }
        below << QPoint(area.left() + columnCount, base) << QPoint(area.left(), base);
        std::reverse(bandBottom.begin(), bandBottom.end());
        painter.setPen(Qt::NoPen);
        painter.setBrush(tint);
        painter.drawPolygon(below);
        painter.setBrush(curveColour());
        painter.drawPolygon(bandTop + bandBottom);
    } else if (columnCount > 0) {
        QPolygonF line;
        line.reserve(columnCount + 2);
        for (int c = 0; c < columnCount; ++c)
            line << QPointF(xOfColumn(c), yOf(columns[static_cast<std::size_t>(c)].high));
        if (columnCount == 1) {
            // One pass: a level line across the plot.
            line = QPolygonF{QPointF(area.left(), line[0].y()), QPointF(area.right() + 1, line[0].y())};
        }
        painter.setRenderHint(QPainter::Antialiasing);
        QPolygonF below = line;
        below << QPointF(line.back().x(), yOf(0)) << QPointF(line.front().x(), yOf(0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(tint);
        painter.drawPolygon(below);
        QPen pen(curveColour(), 2.0);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(line);
        if (columnWidth >= DotSpacing) {
            painter.setBrush(curveColour());
            painter.setPen(Qt::NoPen);
            for (int c = 0; c < columnCount; ++c)
                painter.drawEllipse(QPointF(xOfColumn(c), yOf(columns[static_cast<std::size_t>(c)].high)), 3.0,
                                    3.0);
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
    }

    // The frame: the axes.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(text);
    painter.drawLine(area.left(), area.top(), area.left(), area.bottom() + 1);
    painter.drawLine(area.left(), area.bottom() + 1, area.right() + 1, area.bottom() + 1);

    // The chosen pass: a vertical line, its point and its value above.
    if (chosen > 0) {
        const int x = passX(chosen);
        const int value = counts[static_cast<std::size_t>(chosen - 1)];
        QPen pen(chosenColour(), 2.0);
        painter.fillRect(QRect(x - 1, area.top() - 2, 3, area.height() + 3), chosenColour());
        painter.setPen(pen);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(palette().color(QPalette::Base));
        painter.drawEllipse(QPointF(x + 0.5, yOf(value)), 4.0, 4.0);
        painter.setRenderHint(QPainter::Antialiasing, false);
        const QString caption = QStringLiteral("ciclo %1: %2").arg(chosen).arg(correctionsWords(value));
        const int w = metrics.horizontalAdvance(caption) + 8;
        // Clear of the axis's title, "correzioni", at the top left.
        const int leftmost = std::max(area.left(), metrics.horizontalAdvance(QStringLiteral("correzioni")) + 6);
        const int left = std::clamp(x - w / 2, leftmost, std::max(leftmost, width() - w));
        const QRect box(left, 2, w, TopRoom - 6);
        painter.setPen(pen.color());
        painter.setBrush(palette().color(QPalette::Base));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(text);
        painter.drawText(box, Qt::AlignCenter, caption);
    } else {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(area, Qt::AlignCenter, QStringLiteral("Nessun addestramento"));
    }

    if (hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(text, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PassCurve::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !counts.empty())
        chooseByUser(passAt(static_cast<int>(event->position().x())));
    QWidget::mousePressEvent(event);
}

void PassCurve::mouseMoveEvent(QMouseEvent *event)
{
    if ((event->buttons() & Qt::LeftButton) && !counts.empty())
        chooseByUser(passAt(static_cast<int>(event->position().x())));
    QWidget::mouseMoveEvent(event);
}

void PassCurve::keyPressEvent(QKeyEvent *event)
{
    const int page = std::max(1, passCount() / 20);
    switch (event->key()) {
    case Qt::Key_Left:
        chooseByUser(chosen - 1);
        break;
    case Qt::Key_Right:
        chooseByUser(chosen + 1);
        break;
    case Qt::Key_PageUp:
        chooseByUser(chosen - page);
        break;
    case Qt::Key_PageDown:
        chooseByUser(chosen + page);
        break;
    case Qt::Key_Home:
        chooseByUser(1);
        break;
    case Qt::Key_End:
        chooseByUser(passCount());
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void PassCurve::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void PassCurve::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace vintrelle::ui
