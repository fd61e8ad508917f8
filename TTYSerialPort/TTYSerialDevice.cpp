#include "TTYSerialPort/TTYSerialDevice.h"

#include <QFileInfo>

#include <sys/stat.h>

std::optional<TTYSerialDevice> TTYSerialDevice::fromPath(const QString& path) {
    if (path.isEmpty())
        return std::nullopt;
    const QString node = QFileInfo(path).canonicalFilePath();
    if (node.isEmpty())
        return std::nullopt;
    struct stat st {};
    if (::stat(QFile::encodeName(node).constData(), &st) != 0 || !S_ISCHR(st.st_mode))
        return std::nullopt;
    TTYSerialDevice device;
    device.calloutPath = node;
    device.dialinPath = node;
    device.name = QFileInfo(node).fileName();
    return device;
}
