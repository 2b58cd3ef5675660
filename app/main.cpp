#include "ui/application_icon.h"
#include "ui/font_config_warm_up.h"
#include "ui/fonts.h"
#include "ui/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Reads the font configuration while the application connects to the display.
    vintrelle::ui::FontConfigWarmUp fontConfigWarmUp;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vintrelle"));
    // Ties the window to its desktop entry (taskbar icon and name).
    QGuiApplication::setDesktopFileName(QStringLiteral("example.vintrelle.Vintrelle"));
    QApplication::setWindowIcon(vintrelle::ui::applicationIcon());
    vintrelle::ui::installFonts();

    fontConfigWarmUp.wait();
    Form1 window;
    window.show();
    return application.exec();
}
