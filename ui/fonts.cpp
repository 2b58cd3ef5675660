// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/fonts.h"

#include <QApplication>
#include <QStringList>

namespace vintrelle::ui {

namespace {

void installSubstitutions()
{
    QFont::insertSubstitutions(QString::fromLatin1(SansFamily),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QString::fromLatin1(SerifFamily),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
}

QFont substitutedFont(const char *family, double points)
{
    QFont font;
    QStringList families = QFont::substitutes(QString::fromLatin1(family));
    if (families.isEmpty())
        families.append(QString::fromLatin1(family));
    font.setFamilies(families);
    font.setPointSizeF(points);
    // The window writes Italian captions and numbers, all of which these
    // fonts hold: it never needs a glyph from another font, and not asking
    // for fallbacks spares fontconfig a sort of every installed font at
    // start-up. A character the fonts lack (only ever pasted into a field,
    // where it is not a valid number anyway) shows as a box.
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

} // namespace

QFont sansFont(double points, bool bold)
{
    QFont font = substitutedFont(SansFamily, points);
    font.setBold(bold);
    return font;
}

QFont serifFont(double points)
{
    return substitutedFont(SerifFamily, points);
}

void installFonts()
{
    installSubstitutions();
    QApplication::setFont(sansFont(WindowPoints));
}

} // namespace vintrelle::ui
