// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/sample_list.h"

#include "core/messages.h"
#include "core/training.h"
#include "ui/classification_delegate.h"
#include "ui/colours.h"
#include "ui/tooltip_text.h"

#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPainter>
#include <QPaintEvent>

namespace vintrelle::ui {

namespace {

// A line's classification in words, and its note.
constexpr int WordsRole = Qt::UserRole + 2;
constexpr int NoteRole = Qt::UserRole + 3;

} // namespace

SampleList::SampleList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new ClassificationDelegate(this));
    // A click on the empty part of the list clears the selection: the line
    // that was selected stops being current too.
    connect(this, &QListWidget::itemSelectionChanged, this, &SampleList::dropCurrentWithoutSelection);
}

void SampleList::dropCurrentWithoutSelection()
{
    if (selectedItems().isEmpty())
        selectionModel()->clearCurrentIndex();
}

void SampleList::showLines(const QStringList &lines)
{
    while (count() > lines.size())
        delete takeItem(count() - 1);
    for (int r = 0; r < count(); ++r) {
        if (item(r)->text() != lines[r])
            item(r)->setText(lines[r]);
    }
    for (int r = count(); r < lines.size(); ++r)
        addItem(lines[r]);
}

void SampleList::showClassification(const vintrelle::WeightVector &weights, std::span<const vintrelle::SampleRow> rows)
{
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto output = vintrelle::sampleOutput(weights, rows[r]);
        const bool right = vintrelle::hasTargetSign(output, rows[r][vintrelle::TargetColumn]);
        const std::string words = vintrelle::messages::classification(right, output, rows[r][vintrelle::TargetColumn]);
        showClassification(static_cast<int>(r), right, QString::fromStdString(words));
    }
}

void SampleList::showClassification(int row, bool right, const QString &words)
{
    QListWidgetItem *line = item(row);
    if (line == nullptr)
        return;
    line->setData(ClassificationDelegate::ClassificationRole, right);
    line->setData(WordsRole, words);
    describeLine(line);
}

void SampleList::showNotes(const QStringList &notes)
{
    for (int r = 0; r < count(); ++r) {
        const QString note = r < notes.size() ? notes[r] : QString();
        if (item(r)->data(NoteRole).toString() != note) {
            item(r)->setData(NoteRole, note);
            describeLine(item(r));
        }
    }
}

void SampleList::describeLine(QListWidgetItem *line)
{
    // The row's name and the classification in words, then the note: a
    // paragraph each in the tooltip, one text for screen readers.
    QString named = QString::fromStdString(vintrelle::messages::sampleName(line->listWidget()->row(line)));
    if (const QString words = line->data(WordsRole).toString(); !words.isEmpty())
        named += QStringLiteral(". ") + words;
    QStringList parts{named};
    if (const QString note = line->data(NoteRole).toString(); !note.isEmpty())
        parts.append(note);
    line->setToolTip(wrappingToolTip(parts.join(QLatin1Char('\n'))));
    line->setData(Qt::AccessibleDescriptionRole, parts.join(QStringLiteral(". ")));
}

std::optional<bool> SampleList::shownClassification(int row) const
{
    const QListWidgetItem *line = item(row);
    if (line == nullptr)
        return std::nullopt;
    const QVariant shown = line->data(ClassificationDelegate::ClassificationRole);
    return shown.isValid() ? std::optional<bool>(shown.toBool()) : std::nullopt;
}

int SampleList::selectedRow() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.front());
}

void SampleList::keyboardSearch(const QString & /*search*/)
{
}

QColor SampleList::focusFrameColour()
{
    return focusBlue();
}

void SampleList::focusInEvent(QFocusEvent *event)
{
    // The selected line is current again before the view looks for one,
    // where the list shows it now: a click that brings the focus must land
    // on the line under the mouse, not on one scrolled there.
    const QList<QListWidgetItem *> selected = selectedItems();
    if (!selected.isEmpty()) {
        const bool scrolls = hasAutoScroll();
        setAutoScroll(false);
        selectionModel()->setCurrentIndex(indexFromItem(selected.front()), QItemSelectionModel::NoUpdate);
        setAutoScroll(scrolls);
    }
    // The view makes its first line current on gaining the focus, and tells
    // screen readers that line has the focus, before the list itself: with
    // nothing selected, that would be a line no key has chosen.
    takingFocus = true;
    QListWidget::focusInEvent(event);
    takingFocus = false;
    dropCurrentWithoutSelection();
    viewport()->update();
}

void SampleList::focusOutEvent(QFocusEvent *event)
{
    QListWidget::focusOutEvent(event);
    // The selection stays; only the mark of the current line goes.
    selectionModel()->clearCurrentIndex();
    viewport()->update();
}

void SampleList::paintEvent(QPaintEvent *event)
{
    QListWidget::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(viewport());
    drawFocusFrame(painter, viewport()->rect());
}

void SampleList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        if (count() > 0)
            setCurrentRow(std::max(currentRow(), 0));
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

QModelIndex SampleList::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (takingFocus && selectedItems().isEmpty())
        return QModelIndex();
    // From no line at all, every key starts at the first line but End.
    if (action == MoveEnd && !currentIndex().isValid() && count() > 0)
        return indexFromItem(item(count() - 1));
    return QListWidget::moveCursor(action, modifiers);
}

} // namespace vintrelle::ui
