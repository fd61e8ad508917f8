#include "TTYSerialPort/TTYSerialDevice.h"

#include <QFileInfo>

#include <sys/stat.h>

namespace {
// The device node a path leads to; the path itself when it leads nowhere (yet).
QString nodeOf(const QString& path) {
    const QString node = QFileInfo(path).canonicalFilePath();
    return node.isEmpty() ? path : node;
}
} // namespace

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
    for (const TTYSerialDevice& extra : extraPorts()) {
        if (extra.calloutPath == path)
            return extra;
        if (nodeOf(extra.calloutPath) == node)
            device.name = extra.name;
    }
    return device;
}

std::vector<TTYSerialDevice> TTYSerialDevice::fromExtraPortsList(const QString& list) {
    std::vector<TTYSerialDevice> devices;
    for (const QString& entry : list.split(':', Qt::SkipEmptyParts)) {
        const qsizetype equals = entry.indexOf('=');
        const QString name = equals >= 0 ? entry.left(equals).trimmed() : QString();
        const QString path = (equals >= 0 ? entry.mid(equals + 1) : entry).trimmed();
        if (path.isEmpty())
            continue;
        TTYSerialDevice device;
        device.calloutPath = path;
        device.dialinPath = path;
        device.name = name.isEmpty() ? QFileInfo(path).fileName() : name;
        devices.push_back(device);
    }
    return devices;
}

std::vector<TTYSerialDevice> TTYSerialDevice::extraPorts() {
    return fromExtraPortsList(qEnvironmentVariable("OVX_EXTRA_PORTS"));
}
