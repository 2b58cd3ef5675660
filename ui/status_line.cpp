// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/status_line.h"

#include "ui/accessible_interfaces.h"
#include "ui/colours.h"
#include "ui/reason_panel.h"
#include "ui/tooltip_text.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QStyle>
#include <QtGlobal>

namespace vintrelle::ui {

namespace {

constexpr bool QtAnnounces = QT_VERSION >= QT_VERSION_CHECK(6, 8, 0);
// The information mark: a ring this wide, this far from the right end; the
// text keeps clear of it by this much.
constexpr int CueSize = 13;
constexpr int CueInset = 2;
constexpr int CueRoom = CueSize + 2 * CueInset;

} // namespace

StatusLine::StatusLine(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    installAccessibleInterfaces();
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
    if (!QtAnnounces) {
        // One pixel in the line's corner that paints nothing: present for
        // assistive technology, invisible on the screen.
        noticeWidget = new QWidget(this);
        noticeWidget->setObjectName(QStringLiteral("Label1Notice"));
        noticeWidget->setGeometry(0, 0, 1, 1);
        noticeWidget->setAttribute(Qt::WA_TransparentForMouseEvents);
        noticeWidget->setFocusPolicy(Qt::NoFocus);
        noticeWidget->hide();
    }
    if (parent != nullptr) {
        panel = new ReasonPanel(parent);
        panel->setObjectName(QStringLiteral("Label1Reason"));
    }
    showReason(QString());
}

void StatusLine::announce(const QString &message)
{
    announced = message;
    ++announcements;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(this, message);
    QAccessible::updateAccessibility(&event);
#else
    noticeWidget->hide();
    noticeWidget->setAccessibleName(message);
    noticeWidget->show();
#endif
}

void StatusLine::showReason(const QString &reason)
{
    heldReason = reason;
    setToolTip(wrappingToolTip(reason));
    setAccessibleDescription(reason.isEmpty() ? QStringLiteral("Riga di stato: esito dell'ultima azione") : reason);
    setContentsMargins(0, 0, holdsReason() ? CueRoom : 0, 0);
    setFocusPolicy(holdsReason() ? Qt::TabFocus : Qt::NoFocus);
    if (panel != nullptr) {
        panel->setText(reason);
        if (!holdsReason())
            panel->hide();
        else if (panel->isVisible())
            openReason();
    }
    // Nothing left to read here: the focus goes on.
    if (!holdsReason() && hasFocus())
        focusNextChild();
    update();
}

QRect StatusLine::cueRect() const
{
    const int size = std::min(CueSize, height() - 2 * CueInset);
    return QRect(width() - CueInset - size, (height() - size) / 2, size, size);
}

void StatusLine::openReason()
{
    if (panel == nullptr || !holdsReason())
        return;
    panel->setFont(font());
    panel->openAbove(reasonAnchor != nullptr ? reasonAnchor : this, this);
}

QFont StatusLine::shownFont() const
{
    QFont shown = font();
    const int room = contentsRect().width();
    while (QFontMetrics(shown).horizontalAdvance(text()) > room && shown.pointSizeF() - 0.1 >= MinimumPoints)
        shown.setPointSizeF(shown.pointSizeF() - 0.1);
    return shown;
}

void StatusLine::paintEvent(QPaintEvent *event)
{
    const QFont shown = shownFont();
    if (shown == font()) {
        QLabel::paintEvent(event);
    } else {
        QPainter painter(this);
        painter.setFont(shown);
        style()->drawItemText(&painter, contentsRect(), QStyle::visualAlignment(layoutDirection(), alignment()),
                              palette(), isEnabled(), text(), foregroundRole());
    }
    if (!holdsReason() && !hasFocus())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (holdsReason()) {
        const QRectF ring = QRectF(cueRect()).adjusted(0.75, 0.75, -0.75, -0.75);
        const QColor ink = palette().color(QPalette::WindowText);
        painter.setPen(QPen(ink, 1.5));
        painter.drawEllipse(ring);
        // The "i": a dot and a stem.
        const qreal x = ring.center().x();
        painter.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(x, ring.top() + ring.height() * 0.42), QPointF(x, ring.bottom() - ring.height() * 0.2));
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawEllipse(QPointF(x, ring.top() + ring.height() * 0.26), 1.2, 1.2);
    }
    if (hasFocus())
        drawFocusFrame(painter, rect());
}

void StatusLine::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    openReason();
    update();
}

void StatusLine::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    if (panel != nullptr)
        panel->hide();
    update();
}

void StatusLine::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        switch (event->key()) {
        case Qt::Key_Escape:
            if (panel != nullptr && panel->isVisible()) {
                panel->hide();
                event->accept();
                return;
            }
            break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            openReason();
            event->accept();
            return;
        default:
            break;
        }
    }
    QLabel::keyPressEvent(event);
}

} // namespace vintrelle::ui
