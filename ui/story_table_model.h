// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// One pass of a training's story as a table: a row per sample, in store
// order, with the columns "Sample", "Somma", "Uscita", "Attesa" and
// "w0".."w5" (the weights after the sample), the texts of
// core/story_text.h. A pass stopped by an overflow has the rows it made, the
// last one the sample it stopped at.
//
// A row the rule corrected says so in its first cell ("N°1 corretto") and is
// tinted light orange, with a cross before its first cell (as the sample
// list marks a wrong sample: ClassificationDelegate draws it); every cell of
// the row has, as its tooltip and its description for screen readers, what
// happened to the sample: for a corrected one the rule Δw = (t − y) × Eta × x
// with its numbers for each weight.

#include "core/training_story.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <vector>

namespace vintrelle::ui {

class StoryTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit StoryTableModel(QObject *parent = nullptr);

    // Shows pass `pass` (1..passCount) of `story`; nothing when it is null.
    void showPass(const vintrelle::TrainingStory *story, int pass);
    // The pass shown, replayed.
    const std::vector<vintrelle::SampleStep> &steps() const { return shownSteps; }
    // The pass as tab-separated text, the titles first.
    QString passText() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Row
    {
        QStringList cells;
        QString toolTip;
        QString description;
        bool marked = false;   // corrected, or where an overflow stopped the pass
    };

    std::vector<vintrelle::SampleStep> shownSteps;
    std::vector<Row> rows;
};

} // namespace vintrelle::ui
