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
//
// The reason: why the last training ended as it did. While the line holds
// one, it
//   - shows an information mark at its right end (an "i" in a ring, in the
//     caption's blue, 8:1 on its light yellow), with room kept free for it
//     so the status text never runs under it;
//   - has the reason as its tooltip (wrapped) and as its description for
//     screen readers (otherwise "Riga di stato: ...");
//   - takes the focus with Tab (and only then: without a reason there is
//     nothing to read, and Tab passes it by). With the focus it draws a blue
//     frame and opens the reason in a panel of its own width (wider if
//     the text needs it) that ends just above the control given to
//     setReasonAnchor (the list's caption), over the upper part of the
//     window, so that the list lines the reason names stay in view; wrapped
//     to as many lines as it needs. Escape closes the panel, Space or Enter
//     opens it again, and it closes when the focus leaves.
//
// Its text stands at the top left, in the line's font; a text too long for
// the line at that size ("Valore non valido in N° cicli Max (da -32768 a
// 32767)") is drawn just small enough to fit, rather than cut short.

#include <QLabel>

class QFocusEvent;
class QKeyEvent;
class QPaintEvent;

namespace vintrelle::ui {

class ReasonPanel;

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

    // The font the text is drawn in: the line's own, or a smaller size of
    // it that fits the text in the line (never below MinimumPoints).
    QFont shownFont() const;
    static constexpr double MinimumPoints = 7.5;

    // The notification that carries the messages; nullptr where Qt's
    // announcement event does instead.
    QWidget *notice() const { return noticeWidget; }

    // Holds `reason` (plain text, a paragraph a line), or none when empty.
    void showReason(const QString &reason);
    QString reason() const { return heldReason; }
    bool holdsReason() const { return !heldReason.isEmpty(); }
    // Where the information mark is drawn while a reason is held, in the
    // line's own coordinates.
    QRect cueRect() const;
    // The panel that shows the reason while the line has the focus; it
    // belongs to the window, so it can lie over the list.
    ReasonPanel *reasonPanel() const { return panel; }
    // The reason's panel opens above `anchor`, a control of the same
    // window; without one, just above the line itself.
    void setReasonAnchor(const QWidget *anchor) { reasonAnchor = anchor; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void openReason();

    QWidget *noticeWidget = nullptr;
    ReasonPanel *panel = nullptr;
    const QWidget *reasonAnchor = nullptr;
    QString heldReason;
    QString announced;
    int announcements = 0;
};

} // namespace vintrelle::ui
