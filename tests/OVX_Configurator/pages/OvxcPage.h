#pragma once

#include "ModelPage.h"

#include "OVX_Configurator/pages/OVXC_ViewController.h"

namespace testsupport {

// An OVXC unit (data version 16 unless `setUp` changes it), its block read into the page.
struct OvxcPage : ModelPage<OVXC_ViewController> {
    explicit OvxcPage(const std::function<void(SimulatedUnit&)>& setUp = nullptr)
        : ModelPage(170, &MainViewController::ovxcViewController, setUp) {}
};

// Set-ups of the unit's versions.
inline std::function<void(SimulatedUnit&)> versions(quint8 firmware, quint8 data) {
    return [=](SimulatedUnit& unit) {
        unit.setFirmwareVersion(firmware);
        unit.setDataVersion(data);
    };
}

} // namespace testsupport
