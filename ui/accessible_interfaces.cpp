// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/accessible_interfaces.h"

#include "ui/form1.h"
#include "ui/neuron_diagram.h"
#include "ui/pass_curve.h"
#include "ui/plane_plot.h"
#include "ui/sample_list.h"
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

// The sample list: Qt's own list, in every part (its lines, selection and
// table), but with no help text. Qt's list gives its name as its help text
// too, and Orca 48 reads a help text after every focus: the name twice.
//
// Qt's list interface is only reached through Qt's factory, so this one is
// made while the list's own is asked for: the inner query below (the list
// answered by Qt's factory alone) makes Qt's interface and keeps it in the
// cache; this one, kept there after it, is the one found for the list.
class SampleListInterface : public QAccessibleInterface
{
public:
    explicit SampleListInterface(QAccessibleInterface *qtList)
        : qt(qtList)
        , qtId(QAccessible::uniqueId(qtList))
    {
    }

    // Qt's interface goes with this one (nothing happens if it went first).
    ~SampleListInterface() override { QAccessible::deleteAccessibleInterface(qtId); }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Help ? QString() : qt->text(t);
    }

    bool isValid() const override { return qt->isValid(); }
    QObject *object() const override { return qt->object(); }
    QWindow *window() const override { return qt->window(); }
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match = QAccessible::AllRelations) const override
    {
        return qt->relations(match);
    }
    QAccessibleInterface *focusChild() const override { return qt->focusChild(); }
    QAccessibleInterface *childAt(int x, int y) const override { return qt->childAt(x, y); }
    QAccessibleInterface *parent() const override { return qt->parent(); }
    QAccessibleInterface *child(int index) const override { return qt->child(index); }
    int childCount() const override { return qt->childCount(); }
    int indexOfChild(const QAccessibleInterface *child) const override { return qt->indexOfChild(child); }
    void setText(QAccessible::Text t, const QString &text) override { qt->setText(t, text); }
    QRect rect() const override { return qt->rect(); }
    QAccessible::Role role() const override { return qt->role(); }
    QAccessible::State state() const override { return qt->state(); }
    QColor foregroundColor() const override { return qt->foregroundColor(); }
    QColor backgroundColor() const override { return qt->backgroundColor(); }
    void *interface_cast(QAccessible::InterfaceType type) override { return qt->interface_cast(type); }

private:
    QAccessibleInterface *qt;
    QAccessible::Id qtId;
};

// While the sample list's interface from Qt's factory is being made.
bool askingQtForSampleList = false;

QAccessibleInterface *interfaceFor(const QString & /*className*/, QObject *object)
{
    if (auto *list = qobject_cast<SampleList *>(object); list != nullptr && !askingQtForSampleList) {
        askingQtForSampleList = true;
        QAccessibleInterface *qtList = QAccessible::queryAccessibleInterface(list);
        askingQtForSampleList = false;
        return qtList != nullptr ? new SampleListInterface(qtList) : nullptr;
    }
    if (auto *window = qobject_cast<Form1 *>(object))
        return new WindowInterface(window);
    if (auto *diagram = qobject_cast<NeuronDiagram *>(object))
        return new DiagramInterface(diagram);
    if (auto *line = qobject_cast<StatusLine *>(object))
        return new StatusLineInterface(line);
    if (auto *curve = qobject_cast<PassCurve *>(object))
        return new QAccessibleWidget(curve, QAccessible::Chart);
    if (auto *plot = qobject_cast<PlanePlot *>(object))
        return new QAccessibleWidget(plot, QAccessible::Chart);
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
