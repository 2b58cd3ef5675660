#pragma once

// The neuron drawn behind the window's controls: Line1..Line6 from the input
// fields to the circle Shape1, and Line7 from the circle to the output field.
// It covers the whole window, takes no focus and lets every click through.

#include <QWidget>

#include <array>

class QPaintEvent;

namespace vintrelle::ui {

class NeuronDiagram : public QWidget
{
    Q_OBJECT

public:
    explicit NeuronDiagram(QWidget *parent = nullptr);

    // In window pixels: Line1..Line7 and the circle inside Shape1's box.
    static std::array<QLine, 7> lines();
    static QRect circle();

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace vintrelle::ui
