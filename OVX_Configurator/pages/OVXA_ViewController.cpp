#include "OVX_Configurator/pages/OVXA_ViewController.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/MainViewController.h"
#include "ui_OVXA_ViewController.h"

OVXA_ViewController::OVXA_ViewController()
    : appDelegate(&AppDelegate::shared()), ui_(std::make_unique<Ui::OVXA_ViewController>()) {}

OVXA_ViewController::~OVXA_ViewController() = default;

QWidget* OVXA_ViewController::loadView() {
    auto* view = new QWidget;
    ui_->setupUi(view);
    btnClose = ui_->btnClose;
    connect(ui_->btnClose, &QPushButton::clicked, this, [this] { btnCloseAction(); });
    return view;
}

void OVXA_ViewController::dataToUI() {
    if (parentController)
        parentController->showBlockVersions();
}

void OVXA_ViewController::uiToData() {}

void OVXA_ViewController::writeToDevice() {}

void OVXA_ViewController::levelCalibration() {}

void OVXA_ViewController::hoverCalibration() {}

void OVXA_ViewController::factoryReset() {}

void OVXA_ViewController::btnCloseAction() {
    if (parentController)
        parentController->showPage(0);
}
