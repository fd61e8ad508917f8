#pragma once

#include <QMap>
#include <QString>

#include <optional>
#include <vector>

// One serial device of the computer as a device source lists it. On Linux the call-out and the
// dial-in path are both the device node; `name` is the display name (the kernel name, such as
// "ttyUSB0", unless the source names it otherwise) and `properties` holds what the source knows
// about the device (for udev devices its properties, such as "ID_VENDOR_ID").
struct TTYSerialDevice {
    QString calloutPath;
    QString dialinPath;
    QString name;
    QMap<QString, QString> properties;

    // The device whose call-out or dial-in path is `path` (a link such as /dev/serial/by-id/...
    // resolves to its device node), or nothing when `path` names no character device. A path
    // that OVX_EXTRA_PORTS names gives that entry's device; a device node that an entry's path
    // leads to now is named as the entry names it; any other by its device node's file name:
    // what a device source knows of a device reaches a port only through the source's own
    // records.
    static std::optional<TTYSerialDevice> fromPath(const QString& path);

    // The devices of a list of entries separated by ':', each a device path or name=path; an
    // entry without a name is named by its path's file name. The path is kept as given: a link
    // is followed when the port is opened, to wherever it leads then.
    static std::vector<TTYSerialDevice> fromExtraPortsList(const QString& list);
    // The devices listed in the environment variable OVX_EXTRA_PORTS.
    static std::vector<TTYSerialDevice> extraPorts();

    // True for the same device: the same call-out path.
    bool isSameDevice(const TTYSerialDevice& other) const {
        return calloutPath == other.calloutPath;
    }
};
