// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/sample_list.h"

#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>

namespace vintrelle::ui {

SampleList::SampleList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A click on the empty part of the list clears the selection: the line
    // that was selected stops being current too.
    connect(this, &QListWidget::itemSelectionChanged, this, &SampleList::dropCurrentWithoutSelection);
}

void SampleList::dropCurrentWithoutSelection()
{
    if (selectedItems().isEmpty())
        selectionModel()->clearCurrentIndex();
}

void SampleList::keyboardSearch(const QString & /*search*/)
{
}

void SampleList::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    // The view marks its first line as current on gaining the focus; with
    // nothing selected, that mark would show a line no key has chosen.
    dropCurrentWithoutSelection();
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
    // From no line at all, every key starts at the first line but End.
    if (action == MoveEnd && !currentIndex().isValid() && count() > 0)
        return indexFromItem(item(count() - 1));
    return QListWidget::moveCursor(action, modifiers);
}

} // namespace vintrelle::ui
