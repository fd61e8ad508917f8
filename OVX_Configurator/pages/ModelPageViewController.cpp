#include "OVX_Configurator/pages/ModelPageViewController.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/device/DeviceModel.h"

ModelPageViewController::ModelPageViewController() : appDelegate(&AppDelegate::shared()) {}

ModelPageViewController::~ModelPageViewController() = default;

void ModelPageViewController::setCloseButton(QPushButton* button) {
    btnClose = button;
    if (button)
        connect(button, &QPushButton::clicked, this, [this] { btnCloseAction(); });
}

void ModelPageViewController::viewDidAppear() {
    timerMain.startRepeating(pollInterval(), [this] { timerAction(); });
}

void ModelPageViewController::viewWillDisappear() {
    timerMain.stop();
}

void ModelPageViewController::dataToUI() {
    if (parentController)
        parentController->showBlockVersions();
}

void ModelPageViewController::levelCalibration() {
    if (parentController)
        parentController->levelCalibration({}, {}, {});
}

void ModelPageViewController::hoverCalibration() {
    if (parentController)
        parentController->hoverCalibration({}, {}, {});
}

void ModelPageViewController::factoryReset() {
    if (parentController)
        parentController->factoryReset({}, {}, {});
}

void ModelPageViewController::btnCloseAction() {
    if (parentController)
        parentController->showPage(WelcomePage);
}

void ModelPageViewController::callParentHandler(HandlerSlot slot) {
    if (parentController && parentController->*slot)
        (parentController->*slot)();
}

int ModelPageViewController::pictureRow() const {
    return appDelegate->lang == LanguageType::English ? 0 : 1;
}

QString ModelPageViewController::pictureName(const char* english, const char* chinese) const {
    return QString::fromLatin1(pictureRow() == 0 ? english : chinese);
}

void ModelPageViewController::connectPageButtons() {
    const std::pair<QPushButton*, void (ModelPageViewController::*)()> actions[] = {
        {btnRead, &ModelPageViewController::btnReadAction},
        {btnWrite, &ModelPageViewController::btnWriteAction},
        {btnLevelCalibration, &ModelPageViewController::btnLevelOffsetAction},
        {btnHoverCalibration, &ModelPageViewController::btnHoverOffsetAction},
    };
    for (const auto& [button, action] : actions)
        if (button)
            connect(button, &QPushButton::clicked, this, [this, action] { (this->*action)(); });
}

void ModelPageViewController::btnReadAction() {
    callParentHandler(&MainViewController::handlerReadFromDevice);
}

void ModelPageViewController::btnWriteAction() {
    callParentHandler(&MainViewController::handlerWriteToDevice);
}

void ModelPageViewController::btnLevelOffsetAction() {
    callParentHandler(&MainViewController::handlerLevelCalibration);
}

void ModelPageViewController::btnHoverOffsetAction() {
    callParentHandler(&MainViewController::handlerHoverCalibration);
}

void ModelPageViewController::refuseWrite(QWidget* control) {
    for (int i = 0; tabMain && i < tabMain->count(); ++i)
        if (tabMain->widget(i)->isAncestorOf(control))
            tabMain->setCurrentIndex(i);
    control->setFocus();
    showCriticalAlert(localized("SETTING_NOT_STORABLE"), {});
}

// ---- Pages with four-letter commands ----

void TabbedModelPageViewController::writeToDevice() {
    if (parentController)
        parentController->writeToDevice({}, {}, {});
}

bool TabbedModelPageViewController::sendProcedureCommand(const QByteArray& word, Callback onSuccess,
                                                         Callback onError, Callback onTimeout) {
    SerialPort* port = appDelegate->port.get();
    if (!port || !port->isOpen()) {
        if (parentController)
            parentController->warnPortNotConnected();
        return false;
    }
    // The link runs the closures later; they reach the page only while it exists.
    QPointer<TabbedModelPageViewController> page(this);
    auto guarded = [page](Callback fn) -> Callback {
        return [page, fn = std::move(fn)] {
            if (page && fn)
                fn();
        };
    };
    if (port->sendCommand(word, true, procedureTimeout, guarded(std::move(onSuccess)),
                          guarded(std::move(onError)), guarded(std::move(onTimeout))))
        return true;
    showCriticalAlert(localized("DEVICE_BUSY"), {});
    return false;
}

void TabbedModelPageViewController::showResponseError() {
    showCriticalAlert(localized("RESPONSE_ERROR"), {});
}

void TabbedModelPageViewController::showResponseTimeout() {
    showCriticalAlert(localized("RESPONSE_TIMEOUT"), {});
}
