#include "OVX_Configurator/AppInfo.h"

namespace AppInfo {

QString version() {
    return QStringLiteral(OVX_VERSION);
}

QString build() {
    return QStringLiteral(OVX_BUILD_NUMBER);
}

QString webSiteAddress() {
    QString address =
        qEnvironmentVariable("OVX_SITE_URL", QStringLiteral("https://www.velmora.com"));
    while (address.endsWith(QLatin1Char('/')))
        address.chop(1);
    return address;
}

} // namespace AppInfo
