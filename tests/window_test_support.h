// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// Checks of the window that more than one window test makes (at the normal
// scale and on a high-density screen).

#include "ui/form1.h"
#include "ui/neuron_diagram.h"
#include "colour_contrast.h"

#include <QHash>
#include <QImage>
#include <QStringList>
#include <QWidget>

#include <algorithm>

namespace window_test {

// Where weight i's label lies in the window's coordinates.
inline QRect weightLabelInWindow(const vintrelle::ui::Form1 &form, int index)
{
    const auto *diagram = form.findChild<vintrelle::ui::NeuronDiagram *>();
    return diagram->weightLabelRect(index).translated(diagram->pos());
}

// What is wrong with the weights' labels as the window paints them now: a
// label that overlaps a control or another label, or whose text reads at
// less than 4.5:1 against the colour behind it. Empty when nothing is.
inline QStringList weightLabelProblems(vintrelle::ui::Form1 &form)
{
    QStringList problems;
    const auto *diagram = form.findChild<vintrelle::ui::NeuronDiagram *>();
    const QImage image = form.grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    for (int i = 0; i < vintrelle::InputCount; ++i) {
        const QRect label = weightLabelInWindow(form, i);
        const QString name = QStringLiteral("label of w%1 (%2)").arg(i).arg(diagram->weightLabelText(i));
        for (QWidget *control : form.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (control != diagram && control->isVisibleTo(&form) && control->geometry().intersects(label))
                problems << name + QStringLiteral(" overlaps ") + control->objectName();
        }
        for (int j = i + 1; j < vintrelle::InputCount; ++j) {
            if (weightLabelInWindow(form, j).intersects(label))
                problems << name + QStringLiteral(" overlaps the label of w%1").arg(j);
        }
        // Inside the frame: the commonest colour is what lies behind the
        // text, the one that stands out most from it is the text's.
        const QRect inside(QPoint(static_cast<int>((label.left() + 1) * ratio), static_cast<int>((label.top() + 1) * ratio)),
                           QPoint(static_cast<int>((label.right() + 1) * ratio) - 2,
                                  static_cast<int>((label.bottom() + 1) * ratio) - 2));
        QHash<QRgb, int> counts;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                ++counts[image.pixel(x, y)];
        if (counts.isEmpty()) {
            problems << name + QStringLiteral(" is empty");
            continue;
        }
        const QRgb behind = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
                                             [](const auto &a, const auto &b) { return a.second < b.second; })
                                ->first;
        double best = 1.0;
        for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it)
            best = std::max(best, colour::contrastRatio(QColor(*it), QColor(behind)));
        if (best < 4.5)
            problems << name + QStringLiteral(" reads at %1:1").arg(best, 0, 'f', 2);
    }
    return problems;
}

} // namespace window_test
