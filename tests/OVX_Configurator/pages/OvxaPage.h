#pragma once

#include "ModelPage.h"

#include "OVX_Configurator/pages/OVXA_ViewController.h"

namespace testsupport {

// An OVXA unit, its block read into the page.
struct OvxaPage : ModelPage<OVXA_ViewController> {
    explicit OvxaPage(const std::function<void(SimulatedUnit&)>& setUp = nullptr)
        : ModelPage(166, &MainViewController::ovxaViewController, setUp) {}
};

} // namespace testsupport
