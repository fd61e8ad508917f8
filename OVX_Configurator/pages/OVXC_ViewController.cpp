#include "OVX_Configurator/pages/OVXC_ViewController.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/MainViewController.h"
#include "ui_OVXC_ViewController.h"

OVXC_ViewController::OVXC_ViewController()
    : appDelegate(&AppDelegate::shared()), ui_(std::make_unique<Ui::OVXC_ViewController>()) {}

OVXC_ViewController::~OVXC_ViewController() = default;

QWidget* OVXC_ViewController::loadView() {
    auto* view = new QWidget;
    ui_->setupUi(view);
    tabMain = ui_->tabMain;
    tabSensor = ui_->tabSensor;
    btnClose = ui_->btnClose;
    connect(ui_->btnClose, &QPushButton::clicked, this, [this] { btnCloseAction(); });
    return view;
}

void OVXC_ViewController::dataToUI() {
    if (parentController)
        parentController->showBlockVersions();
}

void OVXC_ViewController::uiToData() {}

void OVXC_ViewController::writeToDevice() {
    if (parentController)
        parentController->writeToDevice({}, {}, {});
}

void OVXC_ViewController::btnCloseAction() {
    if (parentController)
        parentController->showPage(0);
}
