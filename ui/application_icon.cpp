// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT
#include "ui/application_icon.h"

#include "ui/application_setup.h"

#include <QSize>
#include <QString>

namespace vintrelle::ui {

QIcon applicationIcon()
{
    // The built-in copies are the PNGs that are installed with the program
    // (packaging/icons, embedded by ui/CMakeLists.txt).
    QIcon builtIn;
    for (const int pixels : {48, 128, 256}) {
        builtIn.addFile(QStringLiteral(":/vintrelle/icons/%1x%1/%2.png").arg(pixels).arg(QLatin1String(ApplicationId)),
                        QSize(pixels, pixels));
    }
    return QIcon::fromTheme(QString::fromLatin1(ApplicationId), builtIn);
}

} // namespace vintrelle::ui
