#include "OVX_Configurator/pages/OVXC_ViewController.h"

#include "ui_OVXC_ViewController.h"

OVXC_ViewController::OVXC_ViewController() : ui_(std::make_unique<Ui::OVXC_ViewController>()) {}

OVXC_ViewController::~OVXC_ViewController() = default;

QWidget* OVXC_ViewController::loadView() {
    return loadLayout(*ui_);
}
