#include "OVX_Configurator/AppInfo.h"

namespace AppInfo {

QString version() { return QStringLiteral(OVX_VERSION); }

QString build() { return QStringLiteral(OVX_BUILD_NUMBER); }

} // namespace AppInfo
