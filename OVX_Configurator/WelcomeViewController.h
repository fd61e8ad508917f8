#pragma once

#include "OVX_Configurator/ViewController.h"

#include <QPointer>
#include <QPushButton>

#include <memory>

class AppDelegate;
class MainViewController;
namespace Ui {
class WelcomeViewController;
}

// The welcome page (child page 0 of the main view), shown before a unit is identified: connect,
// firmware update, and how to get access to serial ports.
class WelcomeViewController : public ViewController {
    Q_OBJECT
public:
    WelcomeViewController();
    ~WelcomeViewController() override;

    MainViewController* parentController = nullptr; // set by the main view after creation
    AppDelegate* appDelegate;                       // the program's one delegate
    QPointer<QPushButton> btnDownloadUSBDriver;

    void viewDidLoad() override;
    void viewWillAppear() override;

    void ConnectButtonAction();
    void UpdateButtonAction();
    // On Linux the USB-serial bridge needs no driver: tells how to get access to serial ports.
    void btnDownloadUSBDriverAction();

protected:
    QWidget* loadView() override;

private:
    std::unique_ptr<Ui::WelcomeViewController> ui_;
};
