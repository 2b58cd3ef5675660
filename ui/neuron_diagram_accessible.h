#pragma once

// What screen readers find for the neuron diagram: a picture named "Schema
// del neurone" whose description lists the weights ("w0 = 0,25" one a line).
// The list is written only when a screen reader asks for it.

#include <QAccessibleWidget>

namespace vintrelle::ui {

class NeuronDiagram;

class NeuronDiagramAccessible : public QAccessibleWidget
{
public:
    explicit NeuronDiagramAccessible(NeuronDiagram *diagram);

    QString text(QAccessible::Text t) const override;

    // Makes Qt describe every NeuronDiagram with this class; repeated calls
    // do nothing.
    static void install();
};

} // namespace vintrelle::ui
