#include "OVX_Configurator/firmware/FirmwareUpdateViewController.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/device/DeviceModel.h"
#include "ui_FirmwareUpdateViewController.h"

FirmwareUpdateViewController::FirmwareUpdateViewController()
    : appDelegate(&AppDelegate::shared()),
      ui_(std::make_unique<Ui::FirmwareUpdateViewController>()) {}

FirmwareUpdateViewController::~FirmwareUpdateViewController() = default;

QWidget* FirmwareUpdateViewController::loadView() {
    auto* view = new QWidget;
    ui_->setupUi(view);
    barUpdateProgress = ui_->barUpdateProgress;
    btnStart = ui_->btnStart;
    btnClose = ui_->btnClose;
    txtUpdating = ui_->txtUpdating;
    txtUpdateInformation = ui_->txtUpdateInformation;
    barDetecting = ui_->barDetecting;
    txtDetecting = ui_->txtDetecting;
    connect(ui_->btnClose, &QPushButton::clicked, this, [this] { btnCloseAction(); });
    return view;
}

void FirmwareUpdateViewController::endUpdate() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{barUpdateProgress, txtUpdating, txtUpdateInformation})
        if (w)
            w->hide();
    if (parentController)
        parentController->unlockMenus();
    appDelegate->isUpdating = false;
}

void FirmwareUpdateViewController::stopDetecting() {
    for (QWidget* w : std::initializer_list<QWidget*>{barDetecting, txtDetecting})
        if (w)
            w->hide();
    if (parentController)
        parentController->unlockMenus();
    appDelegate->isDetecting = false;
    if (btnStart)
        btnStart->setText(localized("START_UPDATE"));
}

void FirmwareUpdateViewController::btnCloseAction() {
    if (parentController)
        parentController->showPage(WelcomePage);
}
