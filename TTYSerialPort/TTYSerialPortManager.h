#pragma once

#include "TTYSerialPort/TTYSerialDeviceSource.h"
#include "TTYSerialPort/TTYSerialPort.h"

#include <QObject>

#include <memory>
#include <vector>

// The program-wide list of the computer's serial ports: one TTYSerialPort per device from a
// device source, kept current as devices arrive and go. Each batch of arrivals posts
// "TTYSerialPortWasConnectedNotification" with the added ports under
// "TTYConnectedSerialPortsKey"; each batch of removals tells the removed ports (their delegates
// hear the removal, then the close), delists them and posts
// "TTYSerialPortWasDisconnectedNotification" with them under "TTYDisconnectedSerialPortsKey".
// Both go through platform::NotificationCenter::defaultCenter() with the manager as sender; the
// port lists are TTYSerialPortManager::PortList values. When the application is about to quit,
// every listed port is told of its removal and closed, and the list ends empty.
//
// Use it from the main thread.
class TTYSerialPortManager {
    struct Passkey {};

public:
    using PortList = std::vector<std::shared_ptr<TTYSerialPort>>;

    static constexpr const char* TTYSerialPortWasConnectedNotification =
        "TTYSerialPortWasConnectedNotification";
    static constexpr const char* TTYSerialPortWasDisconnectedNotification =
        "TTYSerialPortWasDisconnectedNotification";
    static constexpr const char* TTYConnectedSerialPortsKey = "TTYConnectedSerialPortsKey";
    static constexpr const char* TTYDisconnectedSerialPortsKey = "TTYDisconnectedSerialPortsKey";

    // The one manager of the program, made on first use with the udev device source (or the
    // manager a ScopedSharedManager has installed).
    static std::shared_ptr<TTYSerialPortManager> sharedSerialPortManager();

    // A manager of its own on `source`, started at once (tests; the program uses the shared one).
    static std::shared_ptr<TTYSerialPortManager>
    create(std::unique_ptr<TTYSerialDeviceSource> source);

    // Makes `manager` the shared manager for the guard's lifetime.
    class ScopedSharedManager {
    public:
        explicit ScopedSharedManager(std::shared_ptr<TTYSerialPortManager> manager);
        ~ScopedSharedManager();
        ScopedSharedManager(const ScopedSharedManager&) = delete;
        ScopedSharedManager& operator=(const ScopedSharedManager&) = delete;

    private:
        std::shared_ptr<TTYSerialPortManager> previous_;
    };

    TTYSerialPortManager(Passkey, std::unique_ptr<TTYSerialDeviceSource> source);
    ~TTYSerialPortManager();
    TTYSerialPortManager(const TTYSerialPortManager&) = delete;
    TTYSerialPortManager& operator=(const TTYSerialPortManager&) = delete;

    // The listed ports, in the order found.
    const PortList& availablePorts() const { return availablePorts_; }
    void setAvailablePorts(const PortList& availablePorts) { availablePorts_ = availablePorts; }

    // Handle devices that arrived or went (the device source calls these).
    void serialPortsWerePublished(const std::vector<TTYSerialDevice>& devices);
    void serialPortsWereTerminated(const std::vector<TTYSerialDevice>& devices);

    // Closes the open listed ports before the computer sleeps and opens them again after.
    void systemWillSleep();
    void systemDidWake();

    // The exit clean-up: every listed port is told of its removal and closed, in list order,
    // and the list ends empty.
    void cleanupAvailablePorts();

private:
    void start();
    void registerForNotifications();

    std::unique_ptr<TTYSerialDeviceSource> source_;
    PortList availablePorts_;
    PortList portsToReopenAfterSleep_;
    std::unique_ptr<QObject> terminationObserver_;
};
