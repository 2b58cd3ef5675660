// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/status_line.h"

#include "ui/accessible_interfaces.h"

#include <QAccessible>
#include <QtGlobal>

namespace vintrelle::ui {

namespace {

constexpr bool QtAnnounces = QT_VERSION >= QT_VERSION_CHECK(6, 8, 0);

} // namespace

StatusLine::StatusLine(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    installAccessibleInterfaces();
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

} // namespace vintrelle::ui
