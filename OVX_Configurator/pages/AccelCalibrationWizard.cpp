#include "OVX_Configurator/pages/AccelCalibrationWizard.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/ModalViewController.h"
#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/pages/ModelPageViewController.h"
#include "OVX_Configurator/pages/PageControls.h"
#include "platform/Fatal.h"

#include <QComboBox>
#include <QPointer>
#include <QSizePolicy>
#include <QToolButton>

#include <algorithm>

namespace {

template <class Control> Control* requiredOutlet(QWidget* view, const char* name) {
    auto* control = view->findChild<Control*>(QLatin1String(name));
    if (!control)
        platform::fatal(std::string("Accelerometer calibration wizard: the layout has no ") + name);
    return control;
}

} // namespace

AccelCalibrationWizard::Outlets AccelCalibrationWizard::Outlets::find(QWidget* view) {
    return {requiredOutlet<QGroupBox>(view, "boxAccelCalibrationWizard"),
            requiredOutlet<QLabel>(view, "imgAccelCalibration"),
            requiredOutlet<QPushButton>(view, "btnAccelCalibration"),
            requiredOutlet<QPushButton>(view, "btnAccelCalibrationNext"),
            requiredOutlet<QPushButton>(view, "btnAccelCalibrationPrev"),
            requiredOutlet<QPushButton>(view, "btnAccelCalibrationCancel")};
}

AccelCalibrationWizard::AccelCalibrationWizard(TabbedModelPageViewController& page,
                                               const Outlets& outlets,
                                               std::span<const char* const> fnameAccelCalibration)
    : page_(page), outlets_(outlets) {
    for (const char* name : fnameAccelCalibration)
        fnameAccelCalibration_.push_back(QString::fromLatin1(name));
    if (fnameAccelCalibration_.empty())
        platform::fatal("Accelerometer calibration wizard: no steps");
    const std::pair<QPushButton*, void (AccelCalibrationWizard::*)()> actions[] = {
        {outlets_.btnAccelCalibration, &AccelCalibrationWizard::btnAccelCalibrateAction},
        {outlets_.btnAccelCalibrationNext, &AccelCalibrationWizard::btnAccelCalibrationNextAction},
        {outlets_.btnAccelCalibrationPrev, &AccelCalibrationWizard::btnAccelCalibrationPrevAction},
        {outlets_.btnAccelCalibrationCancel,
         &AccelCalibrationWizard::btnAccelCalibrationCancelAction},
    };
    for (const auto& [button, action] : actions)
        if (button)
            connect(button, &QPushButton::clicked, this, [this, action] { (this->*action)(); });
    if (outlets_.btnAccelCalibration)
        outlets_.btnAccelCalibration->setEnabled(true);
    // Hidden, the box and its Prev keep their room in the layout: the values beside the box do
    // not move when it opens, and the box does not widen when Prev appears from the second step.
    for (QWidget* keeper : {static_cast<QWidget*>(outlets_.boxAccelCalibrationWizard),
                            static_cast<QWidget*>(outlets_.btnAccelCalibrationPrev)})
        if (keeper) {
            QSizePolicy policy = keeper->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            keeper->setSizePolicy(policy);
        }
    if (outlets_.boxAccelCalibrationWizard)
        outlets_.boxAccelCalibrationWizard->hide();
}

AccelCalibrationWizard::~AccelCalibrationWizard() = default;

bool AccelCalibrationWizard::portIsOpen() const {
    const SerialPort* port = page_.appDelegate->port.get();
    return port && port->isOpen();
}

void AccelCalibrationWizard::confirmAccelCalibrationStart() {
    if (!portIsOpen()) {
        if (page_.parentController)
            page_.parentController->warnPortNotConnected();
        return;
    }
    page_.showConfirmAlert(
        localized("ACCEL_CALIBRATION_START_CONFIRM"), localized("YES"), localized("CANCEL"),
        [this] {
            page_.sendProcedureCommand(
                "ACCL", [this] { accelCalibrationStarted(); }, [this] { page_.showResponseError(); },
                [this] { page_.showResponseTimeout(); });
        },
        {});
}

void AccelCalibrationWizard::accelCalibrationStarted() {
    if (!open_)
        setLocked(true);
    open_ = true;
    accelCalibrationStep = 0;
    if (outlets_.boxAccelCalibrationWizard)
        outlets_.boxAccelCalibrationWizard->show();
    showStep();
}

void AccelCalibrationWizard::showStep() {
    const auto step = std::size_t(std::clamp(accelCalibrationStep, 0, lastStep()));
    showPicture(outlets_.imgAccelCalibration, fnameAccelCalibration_[step]);
    if (outlets_.boxAccelCalibrationWizard)
        outlets_.boxAccelCalibrationWizard->setTitle(
            localized("ACCEL_CALIBRATION_STEP").arg(step + 1).arg(lastStep() + 1));
    if (outlets_.btnAccelCalibrationPrev)
        outlets_.btnAccelCalibrationPrev->setVisible(accelCalibrationStep >= 1);
}

void AccelCalibrationWizard::sendAccelCalibrationStep() {
    MainViewController* main = page_.parentController;
    if (!open_ || !main)
        return;
    if (!portIsOpen()) {
        abandon(true);
        return;
    }
    ModalViewController* sheet = main->modalViewController();
    sheet->messageToDisplay = localized("CALIBRATING");
    main->presentAsSheet(sheet);
    // The step byte follows the picture shown: index + 1, not an ASCII digit.
    const QByteArray word(1, char(accelCalibrationStep + 1));
    QPointer<AccelCalibrationWizard> self(this);
    auto guarded = [self](void (AccelCalibrationWizard::*fn)()) {
        return [self, fn] {
            if (self)
                (self->*fn)();
        };
    };
    const bool accepted = page_.appDelegate->port->sendCommandDualAck(
        word, true, stepTimeout, guarded(&AccelCalibrationWizard::accelCalibrationStepDone),
        guarded(&AccelCalibrationWizard::accelCalibrationStepFailed),
        guarded(&AccelCalibrationWizard::accelCalibrationStepTimedOut));
    if (accepted)
        return;
    // Refused: no closure will run, so nothing may stay covered.
    dismissProgressSheet();
    if (!portIsOpen())
        abandon(true);
    else
        page_.showCriticalAlert(localized("DEVICE_BUSY"), {});
}

void AccelCalibrationWizard::accelCalibrationStepDone() {
    dismissProgressSheet();
    if (!open_)
        return;
    if (accelCalibrationStep >= lastStep()) {
        close();
        page_.showInfoAlert(localized("CALIBRATION_SUCCESS"), {});
        page_.callParentHandler(&MainViewController::handlerReadFromDevice);
        return;
    }
    ++accelCalibrationStep;
    showStep();
}

void AccelCalibrationWizard::accelCalibrationStepFailed() {
    dismissProgressSheet();
    page_.showCriticalAlert(localized("CALIBRATION_FAILED"), {});
}

void AccelCalibrationWizard::accelCalibrationStepTimedOut() {
    dismissProgressSheet();
    page_.showResponseTimeout();
}

void AccelCalibrationWizard::showPreviousAccelCalibrationStep() {
    if (accelCalibrationStep <= 0)
        return;
    --accelCalibrationStep;
    showStep();
}

void AccelCalibrationWizard::confirmAccelCalibrationCancel() {
    if (!portIsOpen()) {
        abandon(true);
        return;
    }
    page_.showConfirmAlert(
        localized("ACCEL_CALIBRATION_CANCEL_CONFIRM"), localized("YES"), localized("CANCEL"),
        [this] {
            const bool sent = page_.sendProcedureCommand(
                "CNCL", [this] { accelCalibrationCancelled(); },
                [this] { page_.showResponseError(); }, [this] { page_.showResponseTimeout(); });
            // The port went away while the question was open (the page warned already).
            if (!sent && !portIsOpen() && open_)
                abandon(false);
        },
        {});
}

void AccelCalibrationWizard::accelCalibrationCancelled() {
    close();
    page_.showInfoAlert(localized("CALIBRATION_CANCELLED"), {});
}

void AccelCalibrationWizard::close() {
    if (open_)
        setLocked(false);
    open_ = false;
    if (outlets_.boxAccelCalibrationWizard)
        outlets_.boxAccelCalibrationWizard->hide();
}

void AccelCalibrationWizard::abandon(bool warnPort) {
    dismissProgressSheet();
    const bool wasOpen = open_;
    close();
    MainViewController* main = page_.parentController;
    if (!main)
        return;
    if (warnPort)
        main->warnPortNotConnected();
    else if (wasOpen)
        main->showCautionMessage(localized("ACCEL_CALIBRATION_ABANDONED"));
}

void AccelCalibrationWizard::dismissProgressSheet() {
    if (MainViewController* main = page_.parentController)
        main->dismissViewController(main->modalViewController());
}

void AccelCalibrationWizard::setLocked(bool locked) {
    if (locked) {
        lockedControls_.clear();
        for (QWidget* control : {static_cast<QWidget*>(outlets_.btnAccelCalibration),
                                 static_cast<QWidget*>(page_.btnLevelCalibration.data()),
                                 static_cast<QWidget*>(page_.btnHoverCalibration.data()),
                                 static_cast<QWidget*>(page_.btnRead.data()),
                                 static_cast<QWidget*>(page_.btnWrite.data()),
                                 static_cast<QWidget*>(page_.btnClose.data())})
            if (control) {
                lockedControls_.emplace_back(control, control->isEnabled());
                control->setEnabled(false);
            }
    } else {
        for (const auto& [control, enabled] : lockedControls_)
            control->setEnabled(enabled);
        lockedControls_.clear();
    }
    MainViewController* main = page_.parentController;
    if (!main)
        return;
    if (main->btnReloadPortList)
        main->btnReloadPortList->setEnabled(!locked);
    // The port list stays disabled while it lists no port.
    if (main->lstPortList)
        main->lstPortList->setEnabled(!locked &&
                                      !page_.appDelegate->port->availablePorts().isEmpty());
    main->setMenusEnabled(!locked);
    main->windowClosable = !locked;
}
