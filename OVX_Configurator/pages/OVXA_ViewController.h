#pragma once

#include "OVX_Configurator/pages/ModelPageViewController.h"

#include <memory>

namespace Ui {
class OVXA_ViewController;
}

// The page of the OVXA unit (device identifier 166, 71-byte parameter block), child page 2 of
// the main view. The main view installs its operations in the handler slots when such a unit is
// identified. This page holds only what the main view uses: the block's versions reach the
// status bar, and Close returns to the welcome page; the model's controls, its write frame, its
// calibrations and factory restore are not built yet.
class OVXA_ViewController : public ModelPageViewController {
    Q_OBJECT
public:
    OVXA_ViewController();
    ~OVXA_ViewController() override;

    // The page's own write, level and hover calibration and factory restore (not built yet:
    // nothing is sent).
    void writeToDevice() override {}
    void levelCalibration() override {}
    void hoverCalibration() override {}
    void factoryReset() override {}

protected:
    QWidget* loadView() override;

private:
    std::unique_ptr<Ui::OVXA_ViewController> ui_;
};
