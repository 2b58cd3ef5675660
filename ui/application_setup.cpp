// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/application_setup.h"

#include "ui/application_icon.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vintrelle::ui {

namespace {

void installQtItalianTexts()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Vintrelle"));
    // Ties the window to its desktop entry (taskbar icon and name).
    QGuiApplication::setDesktopFileName(QString::fromLatin1(ApplicationId));
    QApplication::setWindowIcon(applicationIcon());
    installFonts();
    installQtItalianTexts();
}

} // namespace vintrelle::ui
