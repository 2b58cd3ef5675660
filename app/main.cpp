#include "ui/fonts.h"
#include "ui/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vintrelle"));
    // Ties the window to its desktop entry (taskbar icon and name).
    QGuiApplication::setDesktopFileName(QStringLiteral("example.vintrelle.Vintrelle"));
    vintrelle::ui::installFonts();

    Form1 window;
    window.show();
    return application.exec();
}
