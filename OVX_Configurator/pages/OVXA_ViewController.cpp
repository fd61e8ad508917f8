#include "OVX_Configurator/pages/OVXA_ViewController.h"

#include "ui_OVXA_ViewController.h"

OVXA_ViewController::OVXA_ViewController() : ui_(std::make_unique<Ui::OVXA_ViewController>()) {}

OVXA_ViewController::~OVXA_ViewController() = default;

QWidget* OVXA_ViewController::loadView() {
    return loadLayout(*ui_);
}
