// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/tooltip_text.h"

#include <QStringList>

namespace vintrelle::ui {

QString wrappingToolTip(const QString &plain)
{
    if (plain.isEmpty())
        return QString();
    QString rich;
    for (const QString &line : plain.split(QLatin1Char('\n')))
        rich += QStringLiteral("<p>") + line.toHtmlEscaped() + QStringLiteral("</p>");
    return rich;
}

} // namespace vintrelle::ui
