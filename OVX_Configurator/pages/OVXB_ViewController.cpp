#include "OVX_Configurator/pages/OVXB_ViewController.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/MainViewController.h"
#include "ui_OVXB_ViewController.h"

OVXB_ViewController::OVXB_ViewController()
    : appDelegate(&AppDelegate::shared()), ui_(std::make_unique<Ui::OVXB_ViewController>()) {}

OVXB_ViewController::~OVXB_ViewController() = default;

QWidget* OVXB_ViewController::loadView() {
    auto* view = new QWidget;
    ui_->setupUi(view);
    tabMain = ui_->tabMain;
    tabSensor = ui_->tabSensor;
    btnClose = ui_->btnClose;
    connect(ui_->btnClose, &QPushButton::clicked, this, [this] { btnCloseAction(); });
    return view;
}

void OVXB_ViewController::dataToUI() {
    if (parentController)
        parentController->showBlockVersions();
}

void OVXB_ViewController::uiToData() {}

void OVXB_ViewController::writeToDevice() {
    if (parentController)
        parentController->writeToDevice({}, {}, {});
}

void OVXB_ViewController::btnCloseAction() {
    if (parentController)
        parentController->showPage(0);
}
