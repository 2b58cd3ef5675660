// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The pass display, Label9: the passes the last training made and its
// limit, and the way into that training's story (story_window.h).
//
// Before any training it is a caption and nothing more. While it holds the
// story of a training, it
//   - shows a small chart at its right end (axes and a rising line, in the
//     caption's blue), with room kept free for it so the text never runs
//     under it;
//   - opens the story on a click (a pointing hand over it, the tooltip
//     "Apri la storia dell'addestramento"), and on Space or Enter;
//   - takes the focus with Tab (only then: without a story there is
//     nothing to open) and draws a blue frame while it has it;
//   - tells screen readers in its description that Space or Enter opens
//     the story.
// The window decides where it stands in the Tab order: after the status
// line's reason, after "Addestra".

#include "core/training_story.h"

#include <QLabel>

#include <memory>

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;
class QPaintEvent;

namespace vintrelle::ui {

class PassDisplay : public QLabel
{
    Q_OBJECT

public:
    explicit PassDisplay(const QString &text, QWidget *parent = nullptr);

    // Holds `story`, or none when it is null.
    void showStory(std::shared_ptr<const vintrelle::TrainingStory> story);
    const std::shared_ptr<const vintrelle::TrainingStory> &story() const { return held; }
    bool holdsStory() const { return held != nullptr; }
    // Where the chart is drawn while a story is held, in the display's own
    // coordinates.
    QRect cueRect() const;

signals:
    // The user asked for the story (it holds one).
    void storyRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    std::shared_ptr<const vintrelle::TrainingStory> held;
};

} // namespace vintrelle::ui
