#include "OVX_Configurator/pages/ModelPageViewController.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/device/DeviceModel.h"
#include "OVX_Configurator/pages/PageControls.h"

#include <QFontMetrics>
#include <QMargins>
#include <QRect>
#include <QStringList>

#include <algorithm>

ModelPageViewController::ModelPageViewController() : appDelegate(&AppDelegate::shared()) {}

ModelPageViewController::~ModelPageViewController() = default;

void ModelPageViewController::setCloseButton(QPushButton* button) {
    btnClose = button;
    if (button)
        connect(button, &QPushButton::clicked, this, [this] { btnCloseAction(); });
}

void ModelPageViewController::viewDidLoad() {
    if (gyroChartView_ && accChartView_) {
        sensorCharts.setupGyroChart(gyroChartView_);
        sensorCharts.setupAccChart(accChartView_);
    }
}

void ModelPageViewController::showSensorSample(const telemetry::SensorSample& sample) {
    lastSensorSample = sample;
    for (std::size_t k = 0; k < 3; ++k) {
        if (txtGyro[k])
            txtGyro[k]->setText(telemetry::oneDecimalText(sample.gyro[k]));
        if (txtAcc[k])
            txtAcc[k]->setText(telemetry::oneDecimalText(sample.acc[k]));
        if (k < 2 && txtAngle[k])
            txtAngle[k]->setText(telemetry::angleText(sample.angle[k]));
    }
    sensorCharts.addSample(sample);
}

bool ModelPageViewController::sendLivePoll(const QByteArray& command, int length, bool withCrc,
                                           std::function<void(const QByteArray&)> decoder) {
    SerialPort* port = appDelegate->port.get();
    if (length <= 0 || !port || !port->serialPort() || !port->isOpen())
        return true; // nothing to ask: the tick is done
    QPointer<ModelPageViewController> page(this);
    auto decode = [page, port, decoder = std::move(decoder)] {
        if (page)
            decoder(port->data());
    };
    if (withCrc)
        return port->pollDataFrame(command, length, std::move(decode));
    return port->pollDataFrameWithoutCRC(command, length, std::move(decode));
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
    bringToFront(control);
    control->setFocus();
    QString name = controlName(control);
    for (int i = 0; name.isEmpty() && tabMain && i < tabMain->count(); ++i)
        if (tabMain->widget(i)->isAncestorOf(control))
            name = tabMain->tabText(i).remove(QLatin1Char('&'));
    showCriticalAlert(localized("SETTING_NOT_STORABLE").arg(name), {});
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

void TabbedModelPageViewController::setUpAccelCalibrationWizard(
    std::span<const char* const> fnameAccelCalibration) {
    accelCalibrationWizard.reset();
    accelCalibrationWizard = std::make_unique<AccelCalibrationWizard>(
        *this, AccelCalibrationWizard::Outlets::find(view()), fnameAccelCalibration);
}

void TabbedModelPageViewController::unitGone() {
    if (accelCalibrationWizard)
        accelCalibrationWizard->unitGone();
    // The last state the unit reported (a procedure, say) is not its state any more.
    if (parentController && parentController->statusSystemState)
        parentController->statusSystemState->clear();
}

QByteArray TabbedModelPageViewController::procedureEndWord() const {
    return accelCalibrationWizard && accelCalibrationWizard->isOpen() ? QByteArray("CNCL")
                                                                       : QByteArray();
}

void TabbedModelPageViewController::showResponseError() {
    showCriticalAlert(localized("RESPONSE_ERROR"), {});
}

void TabbedModelPageViewController::showResponseTimeout() {
    if (parentController)
        parentController->showNoReply();
    else
        showCriticalAlert(localized("RESPONSE_TIMEOUT"), {});
}

// ---- Live telemetry ----

void TabbedModelPageViewController::timerAction() {
    const QString tab =
        tabMain && tabMain->currentWidget() ? tabMain->currentWidget()->objectName() : QString();
    bool done = false;
    if (timerFunctionCounter == 0)
        done = requestInfo();
    else if (tab == QLatin1String("Receiver"))
        done = requestStick();
    else if (tab == QLatin1String("OutputServos"))
        done = requestServo();
    else if (tab == QLatin1String("Sensor"))
        done = requestSensor();
    else
        done = requestInfo();
    if (done)
        timerFunctionCounter = (timerFunctionCounter + 1) % 2;
}

bool TabbedModelPageViewController::requestInfo() {
    return poll("INFO", pollLengths().info, &TabbedModelPageViewController::decodeInfoReply);
}

bool TabbedModelPageViewController::requestStick() {
    return poll("STCK", pollLengths().stick, &TabbedModelPageViewController::decodeStickReply);
}

bool TabbedModelPageViewController::requestServo() {
    return poll("SERV", pollLengths().servo, &TabbedModelPageViewController::decodeServoReply);
}

bool TabbedModelPageViewController::requestSensor() {
    return poll("SNSR", pollLengths().sensor, &TabbedModelPageViewController::decodeSensorReply);
}

bool TabbedModelPageViewController::poll(
    const char* command, int length,
    void (TabbedModelPageViewController::*decoder)(const QByteArray&)) {
    return sendLivePoll(QByteArray(command), length, true,
                 [this, decoder](const QByteArray& payload) { (this->*decoder)(payload); });
}

void TabbedModelPageViewController::viewWillAppear() {
    ModelPageViewController::viewWillAppear();
    if (!parentController)
        return;
    auto reserveWidth = [](QLabel* field, const QStringList& texts) {
        if (!field)
            return;
        // Measured as the label measures its own text.
        const QFontMetrics metrics = field->fontMetrics();
        int width = 0;
        for (const QString& text : texts)
            width = std::max(width, metrics.boundingRect(QRect(0, 0, 2000, 2000),
                                                         int(field->alignment()), text)
                                        .width());
        const QMargins margins = field->contentsMargins();
        field->setMinimumWidth(width + margins.left() + margins.right() + 2 * field->margin());
    };
    auto localizedTexts = [](std::span<const char* const> keys) {
        QStringList texts;
        for (const char* key : keys)
            texts << localized(key);
        return texts;
    };
    QStringList gains;
    for (int percent = 0; percent <= 255; ++percent)
        gains << telemetry::masterGainText(percent);
    MainViewController& main = *parentController;
    reserveWidth(main.statusFlightMode, localizedTexts(flightModeKeys()));
    reserveWidth(main.statusMasterGain, gains);
}

void TabbedModelPageViewController::decodeInfoReply(const QByteArray& payload) {
    const auto states = systemStateKeys();
    const auto modes = flightModeKeys();
    const auto status =
        telemetry::decodeStatus(payload, int(states.size()), int(modes.size()));
    if (!status || !parentController)
        return;
    MainViewController& main = *parentController;
    if (main.statusSystemState)
        main.statusSystemState->setText(localized(states[std::size_t(status->systemState)]));
    if (main.statusFlightMode)
        main.statusFlightMode->setText(localized(modes[std::size_t(status->flightMode)]));
    if (main.statusMasterGain)
        main.statusMasterGain->setText(telemetry::masterGainText(status->masterGain));
    const QList<QLabel*> channels = main.channelLabels();
    for (int k = 0; k < 7 && k < channels.size(); ++k)
        telemetry::showChannelActivity(channels[k], status->channelActive[std::size_t(k)]);
}

void TabbedModelPageViewController::decodeSensorReply(const QByteArray& payload) {
    const QByteArray block = parentController ? parentController->data : QByteArray();
    const auto sample = telemetry::decodeSensors(payload, 0, telemetry::oneGValues(block), 0.1f,
                                                 lastSensorSample);
    if (sample)
        showSensorSample(*sample);
}
