#include "OVX_Configurator/pages/ModelPageViewController.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/device/DeviceModel.h"

ModelPageViewController::ModelPageViewController() : appDelegate(&AppDelegate::shared()) {}

ModelPageViewController::~ModelPageViewController() = default;

void ModelPageViewController::setCloseButton(QPushButton* button) {
    btnClose = button;
    if (button)
        connect(button, &QPushButton::clicked, this, [this] { btnCloseAction(); });
}

void ModelPageViewController::dataToUI() {
    if (parentController)
        parentController->showBlockVersions();
}

void ModelPageViewController::levelCalibration() {
    if (parentController)
        parentController->levelCalibration({}, {}, {});
}

void ModelPageViewController::hoverCalibration() {
    if (parentController)
        parentController->hoverCalibration({}, {}, {});
}

void ModelPageViewController::factoryReset() {
    if (parentController)
        parentController->factoryReset({}, {}, {});
}

void ModelPageViewController::btnCloseAction() {
    if (parentController)
        parentController->showPage(WelcomePage);
}

void TabbedModelPageViewController::writeToDevice() {
    if (parentController)
        parentController->writeToDevice({}, {}, {});
}
