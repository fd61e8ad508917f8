#pragma once

#include "OVX_Configurator/ViewController.h"

#include <QLabel>
#include <QPointer>
#include <QString>

#include <memory>

class ProgressSpinner;
namespace Ui {
class ModalViewController;
}

// The progress sheet: a spinning indicator and a message. Callers set `messageToDisplay`, then
// present the controller as a sheet and dismiss it when their request ends; the message is
// shown each time the sheet appears.
class ModalViewController : public ViewController {
    Q_OBJECT
public:
    ModalViewController();
    ~ModalViewController() override;

    QPointer<ProgressSpinner> CircularProgress;
    QPointer<QLabel> txtMessage;
    QString messageToDisplay;

    void viewDidLoad() override;
    void viewWillAppear() override;

protected:
    QWidget* loadView() override;

private:
    std::unique_ptr<Ui::ModalViewController> ui_;
};
