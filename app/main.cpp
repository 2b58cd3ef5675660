// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/application_setup.h"
#include "ui/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    vintrelle::ui::setUpApplication();
    vintrelle::ui::Form1 window;
    window.show();
    return application.exec();
}
