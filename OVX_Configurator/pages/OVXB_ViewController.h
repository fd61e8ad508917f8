#pragma once

#include "OVX_Configurator/pages/ModelPageViewController.h"

#include <memory>

namespace Ui {
class OVXB_ViewController;
}

// The page of the OVXB unit (device identifier 168, 91-byte parameter block), child page
// 3 of the main view. The main view installs its operations in the handler slots when such
// a unit is identified. This page holds only what the main view uses: the block's versions reach
// the status bar, Write goes through the main view's write, the accelerometer calibration item
// selects the tabs "Sensor" and "AccelerometerCalibration", and Close returns to the welcome
// page; the model's controls and live data are not built yet.
class OVXB_ViewController : public TabbedModelPageViewController {
    Q_OBJECT
public:
    OVXB_ViewController();
    ~OVXB_ViewController() override;

protected:
    QWidget* loadView() override;

private:
    std::unique_ptr<Ui::OVXB_ViewController> ui_;
};
