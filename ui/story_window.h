// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// "Storia dell'addestramento": the last training told pass by pass, in a
// window of its own beside the main one (not modal; Escape closes it).
//
//   StoriaCiclo        a slider over the passes 1..N, on the last pass when
//                      a story arrives; arrows, Page Up/Down, Home and End
//                      move it, and everything below follows the chosen pass.
//                      Beside it "Ciclo k di N" (StoriaCicloTesto), also its
//                      description for screen readers.
//   StoriaCorrezioni   the chosen pass, a sample a row (story_table_model.h);
//                      Ctrl+C (there or on the slider) copies the pass as
//                      tab-separated text.
//   StoriaPesi         "Pesi all'inizio del ciclo k: w0 = ..., ..., w5 = ..."
//   StoriaControllo    what the check after the pass found.
//   StoriaCurva        the corrections of every pass, the chosen one marked;
//                      a pass chosen there moves the slider (pass_curve.h).
//   StoriaPiano        the samples and the line of the chosen pass's weights
//                      (sample_plane.h).
// From the top: the slider, the weights and the check, the table, and the
// two plots side by side. Tab goes slider, table, curve, the plane's axis
// boxes and its plot, and round again.
//
// The window holds the story it shows (never a story that has ended: the
// main window hands it the new one, or none, which closes it). It is made
// the first time the story is opened, so the main window starts without it.

#include "core/training_story.h"

#include <QWidget>

#include <memory>

class QKeyEvent;
class QLabel;
class QSlider;
class QTableView;

namespace vintrelle::ui {

class PassCurve;
class SamplePlane;
class StoryTableModel;

class StoryWindow : public QWidget
{
    Q_OBJECT

public:
    // A window of its own, on top of `owner` (which it closes with).
    explicit StoryWindow(QWidget *owner = nullptr);
    ~StoryWindow() override;

    // Shows `story` on its last pass; a null story closes the window.
    void showStory(std::shared_ptr<const vintrelle::TrainingStory> story);
    // Shows `story` and the window, raised and active.
    void open(std::shared_ptr<const vintrelle::TrainingStory> story);
    const vintrelle::TrainingStory *story() const { return held.get(); }

    // The pass the table shows, 1..N (0 without a story).
    int chosenPass() const;
    const StoryTableModel &table() const { return *model; }

    // Copies the chosen pass, as text, to the clipboard.
    void copyPass() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void choosePass(int pass);

    std::shared_ptr<const vintrelle::TrainingStory> held;
    StoryTableModel *model = nullptr;
    QSlider *passSlider = nullptr;
    QLabel *passPosition = nullptr;
    QTableView *corrections = nullptr;
    QLabel *startWeights = nullptr;
    QLabel *check = nullptr;
    PassCurve *curve = nullptr;
    SamplePlane *plane = nullptr;
};

} // namespace vintrelle::ui
