#include "support/SimulatedPorts.h"

#include "support/FakeSerialDeviceSource.h"
#include "support/SimulatedUnit.h"

namespace testsupport {

SimulatedPorts::SimulatedPorts() {
    auto source = std::make_unique<FakeSerialDeviceSource>();
    source_ = source.get();
    manager_ = TTYSerialPortManager::create(std::move(source));
    installed_.emplace(manager_);
}

SimulatedPorts::SimulatedPorts(const SimulatedUnit& unit, const QString& name) : SimulatedPorts() {
    arrive(unit, name);
}

SimulatedPorts::~SimulatedPorts() {
    installed_.reset();
    manager_->cleanupAvailablePorts();
}

void SimulatedPorts::arrive(const SimulatedUnit& unit, const QString& name) {
    arriveAt(unit.devicePath(), name);
}

void SimulatedPorts::arriveAt(const QString& path, const QString& name) {
    const TTYSerialDevice device = FakeSerialDeviceSource::device(path, name);
    listed_[name] = device;
    source_->arrive({device});
}

void SimulatedPorts::remove(const QString& name) {
    auto it = listed_.find(name);
    if (it == listed_.end())
        return;
    const TTYSerialDevice device = it.value();
    listed_.erase(it);
    source_->remove({device});
}

} // namespace testsupport
