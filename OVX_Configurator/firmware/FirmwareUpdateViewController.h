#pragma once

#include "OVX_Configurator/ViewController.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

#include <memory>

class AppDelegate;
class MainViewController;
namespace Ui {
class FirmwareUpdateViewController;
}

// The firmware update page, child page 1 of the main view. It holds only what the main view
// uses when the port goes away during an update or a boot-loader search (endUpdate,
// stopDetecting) and a Close button back to the welcome page; release lists, firmware images and
// the boot-loader update are not built yet (Start stays disabled).
class FirmwareUpdateViewController : public ViewController {
    Q_OBJECT
public:
    FirmwareUpdateViewController();
    ~FirmwareUpdateViewController() override;

    MainViewController* parentController = nullptr; // set by the main view after creation
    AppDelegate* appDelegate;                       // the program's one delegate
    QPointer<QProgressBar> barUpdateProgress;
    QPointer<QPushButton> btnStart, btnClose;
    QPointer<QLabel> txtUpdating, txtUpdateInformation;
    QPointer<QProgressBar> barDetecting;
    QPointer<QLabel> txtDetecting;

    // Ends a running firmware update: hides the progress controls, unlocks the main menus and
    // clears the delegate's isUpdating (quitting is allowed again).
    void endUpdate();
    // Ends the boot-loader search: hides its indicator, unlocks the main menus, clears the
    // delegate's isDetecting and titles the start button "START_UPDATE" again.
    void stopDetecting();

    void btnCloseAction();

protected:
    QWidget* loadView() override;

private:
    std::unique_ptr<Ui::FirmwareUpdateViewController> ui_;
};
