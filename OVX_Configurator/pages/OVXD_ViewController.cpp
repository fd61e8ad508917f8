#include "OVX_Configurator/pages/OVXD_ViewController.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/MainViewController.h"
#include "ui_OVXD_ViewController.h"

OVXD_ViewController::OVXD_ViewController()
    : appDelegate(&AppDelegate::shared()), ui_(std::make_unique<Ui::OVXD_ViewController>()) {}

OVXD_ViewController::~OVXD_ViewController() = default;

QWidget* OVXD_ViewController::loadView() {
    auto* view = new QWidget;
    ui_->setupUi(view);
    tabMain = ui_->tabMain;
    tabSensor = ui_->tabSensor;
    btnClose = ui_->btnClose;
    connect(ui_->btnClose, &QPushButton::clicked, this, [this] { btnCloseAction(); });
    return view;
}

void OVXD_ViewController::dataToUI() {
    if (parentController)
        parentController->showBlockVersions();
}

void OVXD_ViewController::uiToData() {}

void OVXD_ViewController::writeToDevice() {
    if (parentController)
        parentController->writeToDevice({}, {}, {});
}

void OVXD_ViewController::btnCloseAction() {
    if (parentController)
        parentController->showPage(0);
}
