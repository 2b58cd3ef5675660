// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/window_look.h"

#include "ui/colours.h"
#include "ui/control_texts.h"
#include "ui/fonts.h"
#include "ui/text_conversion.h"

#include <QLabel>
#include <QWidget>

#include <initializer_list>

namespace vintrelle::ui {

namespace {

template <typename T = QWidget>
T *named(QWidget *window, const char *name)
{
    return window->findChild<T *>(QString::fromLatin1(name));
}

} // namespace

void paintWindow(QWidget *window)
{
    window->setPalette(lightWindowPalette());
    // The buttons keep the window's own font.
    window->setFont(sansFont(WindowPoints));

    for (const char *name : {"Txt0", "Txt1", "Txt2", "Txt3", "Txt4", "Txt5", "Text1", "Text2", "List1"})
        named(window, name)->setFont(sansFont(9.6));

    QWidget *txtOut = named(window, "txtOut");
    txtOut->setFont(sansFont(12));
    QPalette outPalette = txtOut->palette();
    outPalette.setColor(QPalette::Base, lightBlue());
    outPalette.setColor(QPalette::Text, lightYellow());
    txtOut->setPalette(outPalette);

    auto *bias = named<QLabel>(window, "Label2");
    bias->setFont(sansFont(9.6, true));
    paintLabel(bias, blue(), lightYellow());
    for (const char *name : {"Label3", "Label4", "Label5", "Label6", "Label7", "Label9"}) {
        auto *label = named<QLabel>(window, name);
        label->setFont(sansFont(7.8, true));
        paintLabel(label, blue(), lightYellow());
    }
    auto *status = named<QLabel>(window, "Label1");
    status->setFont(sansFont(9.6));
    paintLabel(status, blue(), lightYellow());
    auto *sample = named<QLabel>(window, "Label8");
    sample->setFont(serifFont(12));
    // A 12-point line is a little taller than its box: set a pixel higher,
    // the caption keeps the descender of its "p".
    sample->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    sample->setContentsMargins(0, 0, 0, 1);
    paintLabel(sample, blue(), std::nullopt);
    for (const char *name : {"Label10", "Label11"}) {
        auto *label = named<QLabel>(window, name);
        label->setFont(sansFont(9.6));
        paintLabel(label, blue(), std::nullopt);
    }
}

void describeWindow(QWidget *window)
{
    for (const ControlText &text : controlTexts()) {
        auto *control = window->findChild<QWidget *>(toQString(text.control));
        if (!text.name.empty())
            control->setAccessibleName(toQString(text.name));
        control->setAccessibleDescription(toQString(text.description));
    }
}

} // namespace vintrelle::ui
