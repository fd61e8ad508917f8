#include "OVX_Configurator/pages/ModelPageViewController.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/MainViewController.h"

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

void ModelPageViewController::btnCloseAction() {
    if (parentController)
        parentController->showPage(0);
}

void TabbedModelPageViewController::writeToDevice() {
    if (parentController)
        parentController->writeToDevice({}, {}, {});
}
