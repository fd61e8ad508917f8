#include "OVX_Configurator/AppInfo.h"

#include <QUrl>

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

QString siteFileAddress(const QString& site, const QString& folder, const QString& fileName) {
    QUrl url(site);
    url.setPath(url.path() + folder + fileName, QUrl::TolerantMode);
    return url.toString(QUrl::FullyEncoded);
}

} // namespace AppInfo
