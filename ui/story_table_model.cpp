// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/story_table_model.h"

#include "core/story_text.h"
#include "ui/classification_delegate.h"
#include "ui/text_conversion.h"
#include "ui/tooltip_text.h"

namespace vintrelle::ui {

StoryTableModel::StoryTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void StoryTableModel::showPass(const vintrelle::TrainingStory *story, int pass)
{
    std::vector<vintrelle::SampleStep> steps;
    std::vector<Row> made;
    if (story != nullptr && pass >= 1 && pass <= story->passCount()) {
        steps = story->replay(pass);
        vintrelle::WeightVector before = story->weightsBefore(pass);
        for (std::size_t s = 0; s < steps.size(); ++s) {
            const int sample = static_cast<int>(s);
            Row row;
            for (const std::string &cell : vintrelle::storyRowCells(sample, steps[s]))
                row.cells.append(toQString(cell));
            QStringList lines;
            for (const std::string &line :
                 vintrelle::sampleStepLines(sample, story->samples()[s], steps[s], before, story->eta()))
                lines.append(toQString(line));
            row.toolTip = wrappingToolTip(lines.join(QLatin1Char('\n')));
            row.description = lines.join(QStringLiteral("; "));
            row.marked = steps[s].corrected || steps[s].overflowed;
            made.push_back(std::move(row));
            before = steps[s].weightsAfter;
        }
    }
    // The same rows with new numbers keep the view's current cell (and a
    // screen reader's place); other rows are a new table.
    const bool sameRows = made.size() == rows.size();
    if (!sameRows)
        beginResetModel();
    shownSteps = std::move(steps);
    rows = std::move(made);
    if (!sameRows)
        endResetModel();
    else if (!rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

QString StoryTableModel::passText() const
{
    return toQString(vintrelle::storyPassText(shownSteps));
}

int StoryTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

int StoryTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : vintrelle::StoryColumnCount;
}

QVariant StoryTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row &row = rows[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return row.cells.value(index.column());
    case Qt::ToolTipRole:
        return row.toolTip;
    case Qt::AccessibleDescriptionRole:
        return row.description;
    case Qt::TextAlignmentRole:
        return index.column() == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return row.marked ? QVariant(ClassificationDelegate::wrongTint()) : QVariant();
    case ClassificationDelegate::ClassificationRole:
        // The cross before the sample's name.
        return row.marked && index.column() == 0 ? QVariant(false) : QVariant();
    default:
        return {};
    }
}

QVariant StoryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < vintrelle::StoryColumnCount
            ? toQString(vintrelle::StoryColumnTitles[static_cast<std::size_t>(section)])
            : QVariant();
    return section + 1;
}

} // namespace vintrelle::ui
