#include "ui/fonts.h"

#include <QFont>
#include <QStringList>

namespace vintrelle::ui {

void installFontSubstitutions()
{
    QFont::insertSubstitutions(QString::fromLatin1(SansFamily),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QString::fromLatin1(SerifFamily),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
}

} // namespace vintrelle::ui
