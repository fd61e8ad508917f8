#pragma once

#include "ModelPage.h"

#include "OVX_Configurator/pages/OVXD_ViewController.h"

namespace testsupport {

// An OVXD unit on a pseudo-terminal, connected and identified, its block read into the page.
struct OvxdPage : ModelPage<OVXD_ViewController> {
    explicit OvxdPage(const std::function<void(SimulatedUnit&)>& setUp = nullptr)
        : ModelPage(169, &MainViewController::ovxdViewController, setUp) {}
};

} // namespace testsupport
