#include "support/SimulatedUnitLink.h"

#include "support/SimulatedUnit.h"

namespace testsupport {

std::shared_ptr<SimulatedUnitLink> SimulatedUnitLink::create() {
    std::shared_ptr<SimulatedUnitLink> link(new SimulatedUnitLink);
    link->refreshPortList();
    return link;
}

void SimulatedUnitLink::addPort(const QString& name, const QString& path) {
    extraPorts_[name] = path;
    availablePorts_[name] = path;
}

bool SimulatedUnitLink::connectTo(const SimulatedUnit& unit, const QString& name) {
    addPort(name, unit.devicePath());
    connect(name);
    return isOpen();
}

void SimulatedUnitLink::refreshPortList() {
    SerialPort::refreshPortList();
    for (auto it = extraPorts_.cbegin(); it != extraPorts_.cend(); ++it)
        availablePorts_[it.key()] = it.value();
}

} // namespace testsupport
