// Places the program's notification icon on the desktop the environment
// names and prints whether it could bring hidden windows back ("restores 1"),
// which decides whether a minimised window hides.
#include <QApplication>

#include <iostream>

#include "forms/notification_icon.h"
#include "frontend/qt/tray_icon.h"
#include "frontend/qt/vantorix_picture.h"

int main(int argc, char* argv[]) {
    const QApplication app(argc, argv);
    vantorix::TrayIcon icon(vantorix::vantorixIcon());
    icon.place(vantorix::kIdleTip);
    std::cout << "restores " << icon.restoresWindows() << std::endl;
    return 0;
}
