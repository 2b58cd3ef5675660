// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/application_icon.h"

#include "ui/application_setup.h"

#include <QSize>
#include <QString>

namespace vintrelle::ui {

QIcon applicationIcon()
{
    // Without an icon theme of the desktop's own, Qt falls back on hicolor,
    // where the only icon of this name is the program's own installed copy,
    // the same drawing as the built-in one. Looking it up there means
    // parsing hicolor's index of several hundred folders (some milliseconds
    // at every start), so only a desktop's own theme is asked.
    if (QIcon::themeName() != QIcon::fallbackThemeName()) {
        const QIcon themed = QIcon::fromTheme(QString::fromLatin1(ApplicationId));
        if (!themed.isNull() && !themed.availableSizes().isEmpty())
            return themed;
    }
    // The built-in copies are the PNGs that are installed with the program
    // (packaging/icons, embedded by ui/CMakeLists.txt). Each is decoded as it
    // is added: only the sizes a window's icon needs, not the 256 pixels of
    // the largest installed one, which costs as much as both together.
    QIcon builtIn;
    for (const int pixels : {48, 128}) {
        builtIn.addFile(QStringLiteral(":/vintrelle/icons/%1x%1/%2.png").arg(pixels).arg(QLatin1String(ApplicationId)),
                        QSize(pixels, pixels));
    }
    return builtIn;
}

} // namespace vintrelle::ui
