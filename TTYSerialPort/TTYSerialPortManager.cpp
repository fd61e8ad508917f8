#include "TTYSerialPort/TTYSerialPortManager.h"

#include "TTYSerialPort/TTYSerialUdevDeviceSource.h"
#include "platform/Log.h"
#include "platform/NotificationCenter.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <string>
#include <utility>

namespace {

std::shared_ptr<TTYSerialPortManager>& installedManager() {
    static std::shared_ptr<TTYSerialPortManager> manager;
    return manager;
}

bool listsEqualPort(const TTYSerialPortManager::PortList& list, const TTYSerialPort& port) {
    return std::any_of(list.begin(), list.end(), [&](const auto& p) { return p->isEqual(port); });
}

} // namespace

std::shared_ptr<TTYSerialPortManager> TTYSerialPortManager::sharedSerialPortManager() {
    if (const auto& installed = installedManager())
        return installed;
    // Made once, and kept for the life of the process: its clean-up runs when the application
    // is about to quit, not from static destruction after Qt is gone.
    static const auto* shared = new std::shared_ptr<TTYSerialPortManager>(
        create(std::make_unique<TTYSerialUdevDeviceSource>()));
    return *shared;
}

std::shared_ptr<TTYSerialPortManager>
TTYSerialPortManager::create(std::unique_ptr<TTYSerialDeviceSource> source) {
    auto manager = std::make_shared<TTYSerialPortManager>(Passkey{}, std::move(source));
    manager->start();
    return manager;
}

TTYSerialPortManager::ScopedSharedManager::ScopedSharedManager(
    std::shared_ptr<TTYSerialPortManager> manager)
    : previous_(std::exchange(installedManager(), std::move(manager))) {}

TTYSerialPortManager::ScopedSharedManager::~ScopedSharedManager() {
    installedManager() = std::move(previous_);
}

TTYSerialPortManager::TTYSerialPortManager(Passkey, std::unique_ptr<TTYSerialDeviceSource> source)
    : source_(std::move(source)) {}

TTYSerialPortManager::~TTYSerialPortManager() {
    terminationObserver_.reset();
    source_.reset();
}

void TTYSerialPortManager::start() {
    std::optional<std::vector<TTYSerialDevice>> devices =
        source_->start([this](const auto& arrived) { serialPortsWerePublished(arrived); },
                       [this](const auto& gone) { serialPortsWereTerminated(gone); });
    if (devices) {
        for (const TTYSerialDevice& device : *devices) {
            if (device.calloutPath.isEmpty())
                continue;
            auto port = TTYSerialPort::create(device);
            if (!listsEqualPort(availablePorts_, *port))
                availablePorts_.push_back(port);
        }
    }
    registerForNotifications();
}

void TTYSerialPortManager::registerForNotifications() {
    auto* app = QCoreApplication::instance();
    if (!app) {
        platform::logLine("TTYSerialPort was unable to register its termination handler for "
                          "serial port cleanup: " +
                          std::to_string(errno));
        return;
    }
    terminationObserver_ = std::make_unique<QObject>();
    QObject::connect(app, &QCoreApplication::aboutToQuit, terminationObserver_.get(),
                     [this]() { cleanupAvailablePorts(); });
}

void TTYSerialPortManager::serialPortsWerePublished(const std::vector<TTYSerialDevice>& devices) {
    PortList added;
    for (const TTYSerialDevice& device : devices) {
        if (device.calloutPath.isEmpty())
            continue;
        auto port = TTYSerialPort::create(device);
        port->removalReported_ = false; // present again: a later removal is news
        if (!listsEqualPort(availablePorts_, *port) && !listsEqualPort(added, *port))
            added.push_back(port);
    }
    availablePorts_.insert(availablePorts_.end(), added.begin(), added.end());
    platform::NotificationCenter::defaultCenter().post(TTYSerialPortWasConnectedNotification, this,
                                                       {{TTYConnectedSerialPortsKey, added}});
}

void TTYSerialPortManager::serialPortsWereTerminated(const std::vector<TTYSerialDevice>& devices) {
    PortList removed;
    for (const TTYSerialDevice& device : devices) {
        if (!device.calloutPath.isEmpty())
            removed.push_back(TTYSerialPort::create(device));
    }
    for (const auto& port : removed)
        port->cleanupAfterSystemRemoval();
    std::erase_if(availablePorts_,
                  [&](const auto& port) { return listsEqualPort(removed, *port); });
    platform::NotificationCenter::defaultCenter().post(
        TTYSerialPortWasDisconnectedNotification, this, {{TTYDisconnectedSerialPortsKey, removed}});
}

void TTYSerialPortManager::systemWillSleep() {
    for (const auto& port : availablePorts_) {
        if (port->isOpen() && port->close())
            portsToReopenAfterSleep_.push_back(port);
    }
}

void TTYSerialPortManager::systemDidWake() {
    const PortList ports = portsToReopenAfterSleep_;
    for (const auto& port : ports) {
        port->open();
        std::erase(portsToReopenAfterSleep_, port);
    }
}

void TTYSerialPortManager::cleanupAvailablePorts() {
    const PortList ports = availablePorts_;
    for (const auto& port : ports)
        port->cleanupAfterSystemRemoval();
    availablePorts_.clear();
}
