#include "OVX_Configurator/AppInfo.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppInfo::kApplicationName);
    QApplication::setApplicationVersion(AppInfo::version());

    QMainWindow window;
    window.setWindowTitle(AppInfo::kApplicationName);
    window.resize(960, 640);
    window.show();
    return app.exec();
}
