#include "OVX_Configurator/pages/OVXD_ViewController.h"

#include "ui_OVXD_ViewController.h"

OVXD_ViewController::OVXD_ViewController() : ui_(std::make_unique<Ui::OVXD_ViewController>()) {}

OVXD_ViewController::~OVXD_ViewController() = default;

QWidget* OVXD_ViewController::loadView() {
    return loadLayout(*ui_);
}
