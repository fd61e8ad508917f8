#include "OVX_Configurator/utils/VersionText.h"

QString versionText(std::uint8_t version) {
    return QStringLiteral("V%1.%2").arg(version >> 4).arg(version & 0x0F);
}
