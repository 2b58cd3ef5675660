// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// The plot of SamplePlane: the samples as points in the plane of two
// inputs and the line where the weighted sum is 0, as vintrelle::InputPlane
// works them out; this only maps them to pixels and paints.
//
// A point shows its target: a plus in blue for a positive target, a minus in
// vermilion for a negative one, a hollow diamond in grey for 0. A sample the
// weights get wrong (classifiedRight, as training checks) is ringed in the
// dark orange of the sample list's cross, and its label is written in it.
// Each point is labelled "N°r"; samples on one point share one label
// ("N°0, N°4"), their marks side by side when they differ. The side where
// the output is 1 is lightly tinted; both sides are named ("uscita 1",
// "uscita -1"), and a legend above the plot tells the marks.
//
// It takes the focus with Tab and draws a focus frame. Screen readers find a
// picture named "Piano degli ingressi" whose description is the line's
// equation and where each sample lies.

#include "core/input_plane.h"

#include <QPointF>
#include <QRect>
#include <QWidget>

class QPaintEvent;

namespace vintrelle::ui {

class PlanePlot : public QWidget
{
    Q_OBJECT

public:
    explicit PlanePlot(QWidget *parent = nullptr);

    // What to draw; redraws and describes it anew.
    void setPlane(const vintrelle::InputPlane &plane);
    const vintrelle::InputPlane &plane() const { return shown; }

    // The box the plane's view fills, inside the axes; and where a point of
    // the plane lands in the widget.
    QRect plotArea() const;
    QPointF toPixels(vintrelle::PlanePoint point) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    vintrelle::InputPlane shown;
};

} // namespace vintrelle::ui
