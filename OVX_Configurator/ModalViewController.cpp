#include "OVX_Configurator/ModalViewController.h"

#include "OVX_Configurator/utils/ProgressSpinner.h"
#include "platform/Fatal.h"
#include "ui_ModalViewController.h"

ModalViewController::ModalViewController() : ui_(std::make_unique<Ui::ModalViewController>()) {}

ModalViewController::~ModalViewController() = default;

QWidget* ModalViewController::loadView() {
    auto* view = new QWidget;
    ui_->setupUi(view);
    CircularProgress = ui_->CircularProgress;
    txtMessage = ui_->txtMessage;
    return view;
}

void ModalViewController::viewDidLoad() {
    if (!CircularProgress || !txtMessage)
        platform::fatal("ModalViewController: CircularProgress or txtMessage is not connected");
    CircularProgress->startAnimation();
}

void ModalViewController::viewWillAppear() {
    view()->setAutoFillBackground(true);
    view()->setBackgroundRole(QPalette::Base);
    txtMessage->setText(messageToDisplay);
}
