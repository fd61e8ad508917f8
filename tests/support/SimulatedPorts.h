#pragma once

#include "TTYSerialPort/TTYSerialDevice.h"
#include "TTYSerialPort/TTYSerialPortManager.h"

#include <QMap>
#include <QString>

#include <memory>
#include <optional>

namespace testsupport {

class FakeSerialDeviceSource;
class SimulatedUnit;

// Makes simulated units the computer's serial ports while it lives: it installs a shared port
// manager whose device source lists the units' pseudo-terminals under the names given. Create it
// before the SerialPort (or AppDelegate) under test, which then finds the units in its port list.
//
//     SimulatedUnit unit(168);
//     SimulatedPorts ports(unit);              // listed as "SLAB_sim"
//     auto link = SerialPort::create();
//     link->connect("SLAB_sim");
class SimulatedPorts {
public:
    SimulatedPorts();
    explicit SimulatedPorts(const SimulatedUnit& unit, const QString& name = "SLAB_sim");
    ~SimulatedPorts();
    SimulatedPorts(const SimulatedPorts&) = delete;
    SimulatedPorts& operator=(const SimulatedPorts&) = delete;

    // The unit's device arrives under `name` (the manager posts its connected notification).
    void arrive(const SimulatedUnit& unit, const QString& name = "SLAB_sim");
    // A device at `path` arrives under `name`, whatever is (or is not) at that path.
    void arriveAt(const QString& path, const QString& name);
    // The device of that name goes, as when it is unplugged: its port hears the removal and
    // closes, and the manager posts its disconnected notification.
    void remove(const QString& name);

    const std::shared_ptr<TTYSerialPortManager>& manager() const { return manager_; }

private:
    FakeSerialDeviceSource* source_ = nullptr;
    std::shared_ptr<TTYSerialPortManager> manager_;
    std::optional<TTYSerialPortManager::ScopedSharedManager> installed_;
    QMap<QString, TTYSerialDevice> listed_;
};

} // namespace testsupport
