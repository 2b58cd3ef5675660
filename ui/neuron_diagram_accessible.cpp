#include "ui/neuron_diagram_accessible.h"

#include "ui/neuron_diagram.h"

#include <QAccessible>

namespace vintrelle::ui {

namespace {

QAccessibleInterface *describeDiagram(const QString & /*className*/, QObject *object)
{
    if (auto *diagram = qobject_cast<NeuronDiagram *>(object))
        return new NeuronDiagramAccessible(diagram);
    return nullptr;
}

} // namespace

NeuronDiagramAccessible::NeuronDiagramAccessible(NeuronDiagram *diagram)
    : QAccessibleWidget(diagram, QAccessible::Graphic)
{
}

QString NeuronDiagramAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return QStringLiteral("Schema del neurone");
    case QAccessible::Description:
        return static_cast<const NeuronDiagram *>(widget())->weightsText();
    default:
        return QAccessibleWidget::text(t);
    }
}

void NeuronDiagramAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(describeDiagram);
        return true;
    }();
    static_cast<void>(installed);
}

} // namespace vintrelle::ui
