#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/AppInfo.h"
#include "OVX_Configurator/Resources.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    QApplication::setApplicationName(QString::fromUtf8(AppInfo::kApplicationName));
    QApplication::setApplicationVersion(AppInfo::version());
    QApplication::setWindowIcon(iconNamed(QStringLiteral("app-icon")));

    AppDelegate delegate;
    delegate.applicationDidFinishLaunching();
    return app.exec();
}
