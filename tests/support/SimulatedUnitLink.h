#pragma once

#include "OVX_Configurator/SerialPort.h"

#include <QMap>
#include <QString>

#include <memory>

namespace testsupport {

class SimulatedUnit;

// A device link whose port list also names the pseudo-terminals of simulated units, so a test
// can connect it to a unit without the computer's port list.
class SimulatedUnitLink : public SerialPort {
public:
    static std::shared_ptr<SimulatedUnitLink> create();

    // Lists `path` under `name` on this and every later refresh.
    void addPort(const QString& name, const QString& path);
    // Lists the unit under `name` and connects to it; true when the port is open.
    bool connectTo(const SimulatedUnit& unit, const QString& name = "SLAB_sim");

    void refreshPortList() override;

private:
    SimulatedUnitLink() = default;

    QMap<QString, QString> extraPorts_;
};

} // namespace testsupport
