#include "TTYSerialPort/TTYSerialUdevDeviceSource.h"

#include <QFile>
#include <QSocketNotifier>

#include <libudev.h>

#include <algorithm>

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString text(const char* s) {
    return s ? QString::fromLocal8Bit(s) : QString();
}

// Whether the serial8250 line `device` has a UART behind it (the driver registers placeholder
// lines of unknown type). The port type is read from sysfs, so the line is not opened (opening
// raises the modem lines of a real port and fails on a port that another program holds); only
// where sysfs does not tell is the device node asked.
bool hasUart(udev_device* device, const char* node) {
    if (const char* type = udev_device_get_sysattr_value(device, "type"))
        return text(type).trimmed().toInt() != PORT_UNKNOWN;
    const int fd = ::open(node, O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    serial_struct info{};
    const bool known = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    ::close(fd);
    return known;
}

// The record of a udev "tty" device when it is a real serial line.
std::optional<TTYSerialDevice> serialDeviceFrom(udev_device* device) {
    const char* node = udev_device_get_devnode(device);
    const char* sysname = udev_device_get_sysname(device);
    const QString devpath = text(udev_device_get_devpath(device));
    if (!node || !sysname || devpath.isEmpty() || devpath.startsWith("/devices/virtual/"))
        return std::nullopt;
    if (devpath.contains("/serial8250") && !hasUart(device, node))
        return std::nullopt;

    TTYSerialDevice record;
    record.calloutPath = text(node);
    record.dialinPath = record.calloutPath;
    for (udev_list_entry* e = udev_device_get_properties_list_entry(device); e;
         e = udev_list_entry_get_next(e))
        record.properties.insert(text(udev_list_entry_get_name(e)),
                                 text(udev_list_entry_get_value(e)));
    QString vendor = record.properties.value("ID_VENDOR_ID");
    if (vendor.isEmpty()) {
        // Without the udev database the USB ancestor still tells its vendor.
        if (udev_device* usb =
                udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device"))
            vendor = text(udev_device_get_sysattr_value(usb, "idVendor"));
    }
    record.name = TTYSerialUdevDeviceSource::nameFor(text(sysname), vendor);
    return record;
}

} // namespace

TTYSerialUdevDeviceSource::TTYSerialUdevDeviceSource() = default;

QString TTYSerialUdevDeviceSource::nameFor(const QString& kernelName, const QString& vendorId) {
    // Silicon Labs bridges carry the unit; the main view preselects ports named "SLAB...".
    if (vendorId.compare("10c4", Qt::CaseInsensitive) == 0)
        return "SLAB_" + kernelName;
    return kernelName;
}

TTYSerialUdevDeviceSource::~TTYSerialUdevDeviceSource() {
    monitorNotifier_.reset();
    if (monitor_)
        udev_monitor_unref(monitor_);
    if (udev_)
        udev_unref(udev_);
}

std::optional<std::vector<TTYSerialDevice>>
TTYSerialUdevDeviceSource::start(DevicesHandler published, DevicesHandler terminated) {
    published_ = std::move(published);
    terminated_ = std::move(terminated);
    std::vector<TTYSerialDevice> found;
    udev_ = udev_new();
    if (udev_) {
        // The monitor listens before the enumeration, so that no arrival falls in between.
        monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
        if (monitor_ &&
            (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "tty", nullptr) < 0 ||
             udev_monitor_enable_receiving(monitor_) < 0)) {
            udev_monitor_unref(monitor_);
            monitor_ = nullptr;
        }
        if (monitor_) {
            monitorNotifier_ = std::make_unique<QSocketNotifier>(udev_monitor_get_fd(monitor_),
                                                                 QSocketNotifier::Read);
            QObject::connect(monitorNotifier_.get(), &QSocketNotifier::activated,
                             [this]() { readMonitor(); });
        }
        if (udev_enumerate* enumeration = udev_enumerate_new(udev_)) {
            udev_enumerate_add_match_subsystem(enumeration, "tty");
            udev_enumerate_scan_devices(enumeration);
            for (udev_list_entry* e = udev_enumerate_get_list_entry(enumeration); e;
                 e = udev_list_entry_get_next(e)) {
                const char* syspath = udev_list_entry_get_name(e);
                udev_device* device = udev_device_new_from_syspath(udev_, syspath);
                if (!device)
                    continue;
                if (auto record = serialDeviceFrom(device)) {
                    listed_[text(syspath)] = *record;
                    found.push_back(*record);
                }
                udev_device_unref(device);
            }
            udev_enumerate_unref(enumeration);
        }
    }
    for (const TTYSerialDevice& extra : TTYSerialDevice::extraPorts()) {
        const bool known = std::any_of(found.begin(), found.end(),
                                       [&](const auto& d) { return d.isSameDevice(extra); });
        if (!known)
            found.push_back(extra);
    }
    return found;
}

void TTYSerialUdevDeviceSource::readMonitor() {
    // Consecutive events of one kind make one batch.
    std::vector<TTYSerialDevice> batch;
    bool batchIsArrival = true;
    auto flush = [&]() {
        if (batch.empty())
            return;
        std::vector<TTYSerialDevice> devices;
        devices.swap(batch);
        const DevicesHandler& handler = batchIsArrival ? published_ : terminated_;
        if (handler)
            handler(devices);
    };
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const QString action = text(udev_device_get_action(device));
        const QString syspath = text(udev_device_get_syspath(device));
        if (action == "add" && !listed_.count(syspath)) {
            if (auto record = serialDeviceFrom(device)) {
                if (!batchIsArrival)
                    flush();
                batchIsArrival = true;
                listed_[syspath] = *record;
                batch.push_back(*record);
            }
        } else if (action == "remove") {
            auto it = listed_.find(syspath);
            if (it != listed_.end()) {
                if (batchIsArrival)
                    flush();
                batchIsArrival = false;
                batch.push_back(it->second);
                listed_.erase(it);
            }
        }
        udev_device_unref(device);
    }
    flush();
}
