#include "OVX_Configurator/pages/OVXB_ViewController.h"

#include "ui_OVXB_ViewController.h"

OVXB_ViewController::OVXB_ViewController() : ui_(std::make_unique<Ui::OVXB_ViewController>()) {}

OVXB_ViewController::~OVXB_ViewController() = default;

QWidget* OVXB_ViewController::loadView() {
    return loadLayout(*ui_);
}
