#pragma once

#include "ModelPage.h"

#include "OVX_Configurator/pages/OVXB_ViewController.h"

namespace testsupport {

// An OVXB unit, its block read into the page.
struct OvxbPage : ModelPage<OVXB_ViewController> {
    explicit OvxbPage(const std::function<void(SimulatedUnit&)>& setUp = nullptr)
        : ModelPage(168, &MainViewController::ovxbViewController, setUp) {}
};

} // namespace testsupport
