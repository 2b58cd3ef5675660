// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/accessible_interfaces.h"

#include "ui/form1.h"
#include "ui/neuron_diagram.h"
#include "ui/status_line.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace vintrelle::ui {

namespace {

// The window: a frame, so that screen readers read its title. A point finds
// the control under it; the diagram, which lies under all of them, only
// where nothing else is and where it draws something.
class WindowInterface : public QAccessibleWidget
{
public:
    explicit WindowInterface(Form1 *window)
        : QAccessibleWidget(window, QAccessible::Window)
    {
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint point(x, y);
        QAccessibleInterface *diagram = nullptr;
        // The last child is drawn on top.
        for (int i = childCount() - 1; i >= 0; --i) {
            QAccessibleInterface *candidate = child(i);
            if (candidate == nullptr || candidate->state().invisible)
                continue;
            if (qobject_cast<NeuronDiagram *>(candidate->object()) != nullptr) {
                diagram = candidate;
                continue;
            }
            if (candidate->rect().contains(point))
                return candidate;
        }
        if (diagram != nullptr) {
            const auto *drawing = static_cast<const NeuronDiagram *>(diagram->object());
            if (drawing->drawingContains(drawing->mapFromGlobal(point)))
                return diagram;
        }
        return nullptr;
    }
};

// The diagram: a picture that occupies what it draws, not the whole window.
class DiagramInterface : public QAccessibleWidget
{
public:
    explicit DiagramInterface(NeuronDiagram *diagram)
        : QAccessibleWidget(diagram, QAccessible::Graphic)
    {
    }

    QRect rect() const override
    {
        const auto *diagram = static_cast<const NeuronDiagram *>(widget());
        const QRect bounds = NeuronDiagram::drawingBounds();
        return QRect(diagram->mapToGlobal(bounds.topLeft()), bounds.size());
    }

    // No help text: Orca 48 reads a help text on every focus, after the
    // description, and the exact weights (the diagram's "What's This?")
    // would follow the shown ones each time.
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Help ? QString() : QAccessibleWidget::text(t);
    }
};

// The status line: the window's status bar, named by what it shows.
class StatusLineInterface : public QAccessibleWidget
{
public:
    explicit StatusLineInterface(StatusLine *line)
        : QAccessibleWidget(line, QAccessible::StatusBar)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const StatusLine *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *interfaceFor(const QString & /*className*/, QObject *object)
{
    if (auto *window = qobject_cast<Form1 *>(object))
        return new WindowInterface(window);
    if (auto *diagram = qobject_cast<NeuronDiagram *>(object))
        return new DiagramInterface(diagram);
    if (auto *line = qobject_cast<StatusLine *>(object))
        return new StatusLineInterface(line);
    if (object != nullptr) {
        if (auto *line = qobject_cast<StatusLine *>(object->parent()); line != nullptr && line->notice() == object)
            return new QAccessibleWidget(line->notice(), QAccessible::Notification);
    }
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        return true;
    }();
    static_cast<void>(installed);
}

} // namespace vintrelle::ui
