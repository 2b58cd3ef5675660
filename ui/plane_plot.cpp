// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/plane_plot.h"

#include "ui/accessible_interfaces.h"
#include "ui/classification_delegate.h"
#include "ui/fonts.h"
#include "ui/neuron_diagram.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <vector>

namespace vintrelle::ui {

namespace {

constexpr double TextPoints = 8.25;
// Half the size of a point's mark, and the radius of a wrong sample's ring.
constexpr double MarkHalf = 5.0;
constexpr double RingRadius = 9.5;
constexpr int TickLength = 4;
// Room inside the plot's frame, so that a mark on the edge is whole.
constexpr int Inset = 12;
constexpr int RightRoom = 10;

QColor positiveColour()
{
    return NeuronDiagram::nonNegativeWeightColour();
}

QColor negativeColour()
{
    return NeuronDiagram::negativeWeightColour();
}

QColor neutralColour()
{
    return QColor(0x59, 0x59, 0x59);
}

QColor sideTint()
{
    QColor tint = positiveColour();
    tint.setAlpha(30);
    return tint;
}

QPointF average(const std::vector<QPointF> &points)
{
    QPointF sum;
    for (const QPointF &p : points)
        sum += p;
    return points.empty() ? sum : sum / static_cast<qreal>(points.size());
}

// A target's mark centred at `at`: a plus, a minus or a hollow diamond.
void drawMark(QPainter &painter, QPointF at, float target)
{
    const double h = MarkHalf;
    if (target > 0.0f) {
        painter.setPen(QPen(positiveColour(), 2.5, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(at + QPointF(-h, 0), at + QPointF(h, 0));
        painter.drawLine(at + QPointF(0, -h), at + QPointF(0, h));
    } else if (target < 0.0f) {
        painter.setPen(QPen(negativeColour(), 3.0, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(at + QPointF(-h, 0), at + QPointF(h, 0));
    } else {
        painter.setPen(QPen(neutralColour(), 1.5));
        painter.setBrush(Qt::NoBrush);
        const QPolygonF diamond{at + QPointF(0, -h), at + QPointF(h, 0), at + QPointF(0, h), at + QPointF(-h, 0)};
        painter.drawPolygon(diamond);
    }
}

void drawWrongRing(QPainter &painter, QPointF at)
{
    painter.setPen(QPen(ClassificationDelegate::wrongMarkColour(), 1.75));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, RingRadius, RingRadius);
}

} // namespace

PlanePlot::PlanePlot(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("StoriaPianoGrafico"));
    setFocusPolicy(Qt::StrongFocus);
    setFont(sansFont(TextPoints));
    setAttribute(Qt::WA_OpaquePaintEvent);
    installAccessibleInterfaces();
    setAccessibleName(QStringLiteral("Piano degli ingressi"));
    setPlane(shown);
}

void PlanePlot::setPlane(const vintrelle::InputPlane &plane)
{
    shown = plane;
    setAccessibleDescription(QString::fromStdString(shown.description()));
    update();
}

QRect PlanePlot::plotArea() const
{
    const QFontMetrics metrics(font());
    int labelWidth = 0;
    const vintrelle::PlaneAxis &vertical = shown.verticalAxis();
    const double step = vertical.ticks.size() > 1 ? vertical.ticks[1] - vertical.ticks[0] : 1.0;
    for (const double tick : vertical.ticks)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(QString::fromStdString(vintrelle::tickText(tick, step))));
    const int left = labelWidth + TickLength + 6;
    const int top = 2 * metrics.height() + 6;   // the legend, then the vertical axis's name
    const int bottom = metrics.height() + TickLength + 6;
    return QRect(left, top, std::max(1, width() - left - RightRoom), std::max(1, height() - top - bottom));
}

QPointF PlanePlot::toPixels(vintrelle::PlanePoint point) const
{
    const QRectF inner = QRectF(plotArea()).adjusted(Inset, Inset, -Inset, -Inset);
    const vintrelle::PlaneAxis &h = shown.horizontalAxis();
    const vintrelle::PlaneAxis &v = shown.verticalAxis();
    // In double, between the view's edges: always finite.
    const double x = inner.left() + (point.x - h.low) / (h.high - h.low) * inner.width();
    const double y = inner.bottom() - (point.y - v.low) / (v.high - v.low) * inner.height();
    return {std::clamp(x, -1e6, 1e6), std::clamp(y, -1e6, 1e6)};
}

QSize PlanePlot::sizeHint() const
{
    return {380, 340};
}

QSize PlanePlot::minimumSizeHint() const
{
    return {220, 200};
}

void PlanePlot::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    const QColor text = palette().color(QPalette::Text);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const QRect area = plotArea();
    const QFontMetrics metrics(font());
    painter.fillRect(area, palette().color(QPalette::Base));

    // The side of output 1, tinted, and the two sides named.
    const auto polygon = [this](const std::vector<vintrelle::PlanePoint> &corners) {
        std::vector<QPointF> pixels;
        for (const vintrelle::PlanePoint &corner : corners)
            pixels.push_back(toPixels(corner));
        return pixels;
    };
    const std::vector<QPointF> positive = polygon(shown.positiveRegion());
    const std::vector<QPointF> negative = polygon(shown.negativeRegion());
    painter.setRenderHint(QPainter::Antialiasing);
    if (!positive.empty()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(sideTint());
        // Out to the frame where the region meets the view's edge.
        const QRectF inner = QRectF(area).adjusted(Inset, Inset, -Inset, -Inset);
        QPolygonF out;
        for (const QPointF &p : positive) {
            QPointF q = p;
            if (std::fabs(q.x() - inner.left()) < 0.01)
                q.setX(area.left());
            else if (std::fabs(q.x() - inner.right()) < 0.01)
                q.setX(area.right() + 1);
            if (std::fabs(q.y() - inner.top()) < 0.01)
                q.setY(area.top());
            else if (std::fabs(q.y() - inner.bottom()) < 0.01)
                q.setY(area.bottom() + 1);
            out << q;
        }
        painter.drawPolygon(out);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    // Grid and ticks.
    const vintrelle::PlaneAxis &horizontal = shown.horizontalAxis();
    const vintrelle::PlaneAxis &vertical = shown.verticalAxis();
    const QColor grid(0xDD, 0xDD, 0xDD);
    const double hStep = horizontal.ticks.size() > 1 ? horizontal.ticks[1] - horizontal.ticks[0] : 1.0;
    const double vStep = vertical.ticks.size() > 1 ? vertical.ticks[1] - vertical.ticks[0] : 1.0;
    for (const double tick : horizontal.ticks) {
        const int x = static_cast<int>(std::lround(toPixels({tick, vertical.low}).x()));
        painter.setPen(tick == 0.0 ? QColor(0xB0, 0xB0, 0xB0) : grid);
        painter.drawLine(x, area.top(), x, area.bottom());
        painter.setPen(text);
        painter.drawLine(x, area.bottom() + 1, x, area.bottom() + TickLength);
        const QString label = QString::fromStdString(vintrelle::tickText(tick, hStep));
        const int w = metrics.horizontalAdvance(label);
        painter.drawText(std::clamp(x - w / 2, 0, width() - w), area.bottom() + TickLength + 2 + metrics.ascent(),
                         label);
    }
    for (const double tick : vertical.ticks) {
        const int y = static_cast<int>(std::lround(toPixels({horizontal.low, tick}).y()));
        painter.setPen(tick == 0.0 ? QColor(0xB0, 0xB0, 0xB0) : grid);
        painter.drawLine(area.left(), y, area.right(), y);
        painter.setPen(text);
        painter.drawLine(area.left() - TickLength, y, area.left() - 1, y);
        const QString label = QString::fromStdString(vintrelle::tickText(tick, vStep));
        painter.drawText(QRect(0, y - metrics.height() / 2, area.left() - TickLength - 3, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, label);
    }
    painter.setPen(text);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, 0, 0));

    // The axes' names: the vertical one above its numbers, the horizontal
    // one at the right end, above the frame's bottom edge.
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    const QString acrossName = QString::fromStdString(vintrelle::InputPlane::inputName(shown.horizontalInput()));
    const QString upName = QString::fromStdString(vintrelle::InputPlane::inputName(shown.verticalInput()));
    painter.drawText(QRect(3, area.top() - metrics.height() - 3, area.left() + 40, metrics.height()),
                     Qt::AlignLeft | Qt::AlignBottom, upName + QStringLiteral(" ↑"));
    painter.drawText(QRect(area.right() - 60, area.bottom() - metrics.height() - 2, 56, metrics.height()),
                     Qt::AlignRight | Qt::AlignBottom, acrossName + QStringLiteral(" →"));
    painter.setFont(font());

    // The legend, on one line above the plot.
    {
        int x = area.left();
        const int middle = 4 + metrics.height() / 2;
        const auto entry = [&](auto drawSymbol, const QString &words) {
            painter.setRenderHint(QPainter::Antialiasing);
            drawSymbol(QPointF(x + MarkHalf + 1, middle + 0.5));
            painter.setRenderHint(QPainter::Antialiasing, false);
            x += static_cast<int>(2 * MarkHalf) + 5;
            painter.setPen(text);
            painter.drawText(x, 4 + metrics.ascent(), words);
            x += metrics.horizontalAdvance(words) + 12;
        };
        entry([&](QPointF at) { drawMark(painter, at, 1.0f); }, QStringLiteral("obiettivo 1"));
        entry([&](QPointF at) { drawMark(painter, at, -1.0f); }, QStringLiteral("obiettivo -1"));
        entry([&](QPointF at) {
            painter.setPen(QPen(ClassificationDelegate::wrongMarkColour(), 1.75));
            painter.drawEllipse(at, MarkHalf, MarkHalf);
        }, QStringLiteral("sbagliato"));
        entry([&](QPointF at) {
            painter.setPen(QPen(grid.darker(130), 1));
            painter.setBrush(sideTint());
            painter.drawRect(QRectF(at.x() - MarkHalf, at.y() - MarkHalf, 2 * MarkHalf, 2 * MarkHalf));
            painter.setBrush(Qt::NoBrush);
        }, QStringLiteral("uscita 1"));
    }

    painter.save();
    painter.setClipRect(area.adjusted(1, 1, 0, 0));
    painter.setRenderHint(QPainter::Antialiasing);

    // The line, or why there is none.
    if (const auto ends = shown.lineInView()) {
        QPen line(text, 2.0);
        line.setCapStyle(Qt::FlatCap);
        painter.setPen(line);
        // On to the frame: the view's box is inset from it.
        const QLineF inner(toPixels((*ends)[0]), toPixels((*ends)[1]));
        QLineF drawn = inner;
        if (inner.length() > 0.0) {
            const double reach = 2.0 * Inset / inner.length();
            drawn = QLineF(inner.pointAt(-reach), inner.pointAt(1.0 + reach));
        }
        painter.drawLine(drawn);
    } else {
        const QString note = shown.hasLine() ? QStringLiteral("La retta passa fuori dal riquadro")
                                             : QString::fromStdString(shown.equationText());
        painter.setPen(text);
        painter.drawText(area.adjusted(8, 4, -8, -4), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, note);
    }

    // The samples: marks, rings, then labels placed where they overlap
    // nothing drawn before them.
    // Samples on one point that look different (by target or by being
    // wrong) are drawn side by side, so that none hides another.
    const std::vector<vintrelle::PlaneLabel> labels = shown.labels();
    std::vector<QRectF> taken;
    std::vector<std::size_t> marksAt;
    for (const vintrelle::PlaneLabel &label : labels) {
        const QPointF at = toPixels(label.at);
        std::vector<const vintrelle::PlaneSample *> looks;
        for (const int row : label.rows) {
            const vintrelle::PlaneSample &sample = shown.samples()[static_cast<std::size_t>(row)];
            const auto sign = [](float t) { return (t > 0.0f) - (t < 0.0f); };
            const bool seen = std::any_of(looks.begin(), looks.end(), [&](const vintrelle::PlaneSample *other) {
                return sign(other->target) == sign(sample.target) && other->right == sample.right;
            });
            if (!seen)
                looks.push_back(&sample);
        }
        for (std::size_t i = 0; i < looks.size(); ++i) {
            const double shift = (static_cast<double>(i) - (looks.size() - 1) / 2.0) * (2 * RingRadius + 2);
            const QPointF mark = at + QPointF(shift, 0.0);
            drawMark(painter, mark, looks[i]->target);
            if (!looks[i]->right)
                drawWrongRing(painter, mark);
            taken.push_back(QRectF(mark.x() - RingRadius, mark.y() - RingRadius, 2 * RingRadius, 2 * RingRadius));
        }
        marksAt.push_back(looks.size());
    }
    // The sides named, inside each, away from the marks.
    if (shown.lineInView()) {
        const auto name = [&](const std::vector<QPointF> &region, const QString &words, const QColor &colour) {
            if (region.size() < 3)
                return;
            const QPointF middle = average(region);
            const QSizeF size(metrics.horizontalAdvance(words) + 6, metrics.height());
            std::vector<QPointF> candidates{middle};
            for (const double t : {0.35, 0.6})
                for (const QPointF &corner : region)
                    candidates.push_back(middle + t * (corner - middle));
            QRectF box(middle - QPointF(size.width() / 2, size.height() / 2), size);
            for (const QPointF &candidate : candidates) {
                const QRectF tried(candidate - QPointF(size.width() / 2, size.height() / 2), size);
                const bool free = QRectF(area).contains(tried)
                    && std::none_of(taken.begin(), taken.end(), [&](const QRectF &other) { return tried.intersects(other); })
                    && QPolygonF(QList<QPointF>(region.begin(), region.end())).containsPoint(candidate, Qt::OddEvenFill);
                if (free) {
                    box = tried;
                    break;
                }
            }
            taken.push_back(box);
            painter.setPen(colour);
            painter.drawText(box, Qt::AlignCenter, words);
        };
        QFont italic = font();
        italic.setItalic(true);
        painter.setFont(italic);
        name(positive, QStringLiteral("uscita 1"), positiveColour().darker(120));
        name(negative, QStringLiteral("uscita -1"), neutralColour());
        painter.setFont(font());
    }

    for (std::size_t l = 0; l < labels.size(); ++l) {
        const vintrelle::PlaneLabel &label = labels[l];
        const QPointF at = toPixels(label.at);
        const QString words = QString::fromStdString(label.text);
        const QSizeF size(metrics.horizontalAdvance(words) + 4, metrics.height());
        // Beside the marks of the point, however many there are.
        const double gap = RingRadius + 1 + static_cast<double>(marksAt[l] - 1) * (RingRadius + 1);
        const std::array<QPointF, 6> corners{
            QPointF(at.x() + gap, at.y() - gap - size.height() + 6), QPointF(at.x() + gap, at.y() + gap - 6),
            QPointF(at.x() - gap - size.width(), at.y() - gap - size.height() + 6),
            QPointF(at.x() - gap - size.width(), at.y() + gap - 6),
            QPointF(at.x() - size.width() / 2, at.y() - gap - size.height()),
            QPointF(at.x() - size.width() / 2, at.y() + gap)};
        const QRectF inside = QRectF(area).adjusted(1, 1, -1, -1);
        QRectF chosenBox(corners[0], size);
        int bestOverlap = INT_MAX;
        for (const QPointF &corner : corners) {
            const QRectF box(corner, size);
            int overlap = inside.contains(box) ? 0 : 1000;
            for (const QRectF &other : taken)
                if (box.intersects(other))
                    overlap += 1;
            if (overlap < bestOverlap) {
                bestOverlap = overlap;
                chosenBox = box;
            }
        }
        taken.push_back(chosenBox);
        const bool anyWrong = std::any_of(label.rows.begin(), label.rows.end(), [this](int row) {
            return !shown.samples()[static_cast<std::size_t>(row)].right;
        });
        QColor back = palette().color(QPalette::Base);
        back.setAlpha(200);
        painter.setPen(Qt::NoPen);
        painter.setBrush(back);
        painter.drawRect(chosenBox);
        painter.setPen(anyWrong ? ClassificationDelegate::wrongMarkColour() : text);
        painter.drawText(chosenBox, Qt::AlignCenter, words);
    }
    painter.restore();

    if (hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(text, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PlanePlot::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void PlanePlot::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace vintrelle::ui
