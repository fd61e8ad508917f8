#pragma once

#include "OVX_Configurator/ViewController.h"

#include <QPointer>
#include <QPushButton>
#include <QTabWidget>

#include <memory>

class AppDelegate;
class MainViewController;
namespace Ui {
class OVXD_ViewController;
}

// The page of the OVXD ("OVX Delta") unit (device identifier 169, 71-byte parameter block), child
// page 5 of the main view. The main view installs its operations in the handler slots when such a
// unit is identified. This page holds only what the main view uses: the block's versions reach the
// status bar, Write goes through the main view's write, the accelerometer calibration item selects
// the tabs "Sensor" and "AccelerometerCalibration", and Close returns to the welcome page; the
// model's controls and live data are not built yet.
class OVXD_ViewController : public ViewController {
    Q_OBJECT
public:
    OVXD_ViewController();
    ~OVXD_ViewController() override;

    MainViewController* parentController = nullptr; // set by the main view after creation
    AppDelegate* appDelegate;                       // the program's one delegate
    // Tab views: items are told apart by their page widget's object name ("Receiver",
    // "OutputServos", "Sensor"; in tabSensor "AccelerometerCalibration").
    QPointer<QTabWidget> tabMain;
    QPointer<QTabWidget> tabSensor;
    QPointer<QPushButton> btnClose;

    // Decodes the main view's block into the page and its versions into the status bar.
    void dataToUI();
    // Encodes the page's controls into the main view's block (no controls yet: nothing).
    void uiToData();
    // The page's write: the main view's write of the block.
    void writeToDevice();

    void btnCloseAction();

protected:
    QWidget* loadView() override;

private:
    std::unique_ptr<Ui::OVXD_ViewController> ui_;
};
