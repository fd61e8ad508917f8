#pragma once

#include "TTYSerialPort/TTYSerialDeviceSource.h"

#include <QString>

#include <map>
#include <memory>
#include <optional>

class QSocketNotifier;
struct udev;
struct udev_device;
struct udev_monitor;

// The computer's serial devices from udev: the "tty" devices that are real serial lines
// (virtual consoles, pseudo-terminals and unused serial8250 placeholders are left out), followed
// through a "udev" netlink monitor read on the main thread. Devices are named by their kernel
// name; one behind a Silicon Labs USB bridge (vendor 10c4) gets the prefix "SLAB_". The devices
// named in OVX_EXTRA_PORTS are listed as well, as if present.
class TTYSerialUdevDeviceSource final : public TTYSerialDeviceSource {
public:
    TTYSerialUdevDeviceSource();
    ~TTYSerialUdevDeviceSource() override;
    TTYSerialUdevDeviceSource(const TTYSerialUdevDeviceSource&) = delete;
    TTYSerialUdevDeviceSource& operator=(const TTYSerialUdevDeviceSource&) = delete;

    std::optional<std::vector<TTYSerialDevice>> start(DevicesHandler published,
                                                      DevicesHandler terminated) override;

    // True once start() has a monitor that hears arrivals and removals.
    bool isMonitoring() const { return monitor_ != nullptr; }

    // The display name of the device with kernel name `kernelName` ("ttyUSB0") behind a USB
    // bridge of vendor `vendorId` (hexadecimal, empty when none).
    static QString nameFor(const QString& kernelName, const QString& vendorId);

private:
    void readMonitor();

    struct udev* udev_ = nullptr;
    struct udev_monitor* monitor_ = nullptr;
    std::unique_ptr<QSocketNotifier> monitorNotifier_;
    DevicesHandler published_;
    DevicesHandler terminated_;
    std::map<QString, TTYSerialDevice> listed_; // by udev system path
};
