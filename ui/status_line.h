// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The status line, Label1: a caption that shows the outcome of the last
// action, and the window's status bar for screen readers.
//
// Changing the caption is not enough for a screen reader to speak it, so the
// window also announces each action's outcome, once, when the action ends.
// Where Qt has an announcement event (Qt 6.8 and later) the status line
// sends one; elsewhere a notification that belongs to the status line,
// hidden between messages, is shown anew with the message as its name, which
// screen readers present as they present any notification.

#include <QLabel>

namespace vintrelle::ui {

class StatusLine : public QLabel
{
    Q_OBJECT

public:
    explicit StatusLine(const QString &text, QWidget *parent = nullptr);

    // Tells screen readers `message`, once.
    void announce(const QString &message);
    // The last message announced, and how many have been.
    QString lastAnnouncement() const { return announced; }
    int announcementCount() const { return announcements; }

    // The notification that carries the messages; nullptr where Qt's
    // announcement event does instead.
    QWidget *notice() const { return noticeWidget; }

private:
    QWidget *noticeWidget = nullptr;
    QString announced;
    int announcements = 0;
};

} // namespace vintrelle::ui
