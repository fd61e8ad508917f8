#include "OVX_Configurator/pages/OVXA_ViewController.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/SerialPort.h"
#include "ui_OVXA_ViewController.h"

#include <algorithm>

namespace {

// Block offsets of the wing type and the mounting.
constexpr int kWingTypeByte = 9;
constexpr int kMountingByte = 10;

} // namespace

OVXA_ViewController::OVXA_ViewController() : ui_(std::make_unique<Ui::OVXA_ViewController>()) {}

OVXA_ViewController::~OVXA_ViewController() = default;

QWidget* OVXA_ViewController::loadView() {
    return loadLayout(*ui_);
}

// ---- Outlet groups ----

QList<QAbstractButton*> OVXA_ViewController::gyroEnableGroup() const {
    const auto& u = *ui_;
    return outletGroup<QAbstractButton>(
        "gyroEnableGroup",
        {u.GyroEnable1, u.GyroEnable2, u.GyroEnable3, u.GyroEnable4, u.GyroEnable5});
}

QList<QAbstractButton*> OVXA_ViewController::gyroReverseGroup() const {
    const auto& u = *ui_;
    return outletGroup<QAbstractButton>(
        "gyroReverseGroup",
        {u.GyroReverse1, u.GyroReverse2, u.GyroReverse3, u.GyroReverse4, u.GyroReverse5});
}

QList<QSpinBox*> OVXA_ViewController::gainGroup() const {
    const auto& u = *ui_;
    return outletGroup("gainGroup",
                       {u.BasicGain1, u.BasicGain2, u.BasicGain3, u.LockGain1, u.LockGain2,
                        u.LockGain3, u.LevelGain1, u.LevelGain2, u.HoverGain1, u.HoverGain2});
}

QList<QLabel*> OVXA_ViewController::txtGainGroup() const {
    const auto& u = *ui_;
    return outletGroup("txtGainGroup", {u.txtBasicGain1, u.txtBasicGain2, u.txtBasicGain3,
                                        u.txtLockGain1, u.txtLockGain2, u.txtLockGain3,
                                        u.txtLevelGain1, u.txtLevelGain2, u.txtHoverGain1,
                                        u.txtHoverGain2});
}

QList<QComboBox*> OVXA_ViewController::gainRateGroup() const {
    const auto& u = *ui_;
    return outletGroup("gainRateGroup", {u.GainRate1, u.GainRate2, u.GainRate3, u.GainRate4});
}

QList<QAbstractButton*> OVXA_ViewController::wingTypeGroup() const {
    const auto& u = *ui_;
    return outletGroup<QAbstractButton>("wingTypeGroup", {u.WingType1, u.WingType2, u.WingType3});
}

QList<QAbstractButton*> OVXA_ViewController::mountingGroup() const {
    const auto& u = *ui_;
    return outletGroup<QAbstractButton>("mountingGroup",
                                        {u.Mounting1, u.Mounting2, u.Mounting3, u.Mounting4});
}

QList<QAbstractButton*> OVXA_ViewController::receiverTypeGroup() const {
    const auto& u = *ui_;
    return outletGroup<QAbstractButton>("receiverTypeGroup",
                                        {u.ReceiverType1, u.ReceiverType2, u.ReceiverType3});
}

QList<QProgressBar*> OVXA_ViewController::rcGroup() const {
    const auto& u = *ui_;
    return outletGroup<QProgressBar>("rcGroup", {u.Rc1, u.Rc2, u.Rc3, u.Rc4, u.Rc5, u.Rc6, u.Rc7});
}

QList<QLabel*> OVXA_ViewController::rcRateGroup() const {
    const auto& u = *ui_;
    return outletGroup("rcRateGroup", {u.RcRate1, u.RcRate2, u.RcRate3, u.RcRate4, u.RcRate5,
                                       u.RcRate6, u.RcRate7});
}

QList<QLabel*> OVXA_ViewController::rcValueGroup() const {
    const auto& u = *ui_;
    return outletGroup("rcValueGroup", {u.RcValue1, u.RcValue2, u.RcValue3, u.RcValue4, u.RcValue5,
                                        u.RcValue6, u.RcValue7});
}

QList<QComboBox*> OVXA_ViewController::rcMappingGroup() const {
    const auto& u = *ui_;
    return outletGroup("rcMappingGroup", {u.RcMapping1, u.RcMapping2, u.RcMapping3, u.RcMapping4,
                                          u.RcMapping5, u.RcMapping6, u.RcMapping7});
}

QList<QSpinBox*> OVXA_ViewController::travelLimitGroup() const {
    const auto& u = *ui_;
    return outletGroup("travelLimitGroup", {u.TravelLimit1, u.TravelLimit2, u.TravelLimit3,
                                            u.TravelLimit4, u.TravelLimit5, u.TravelLimit6});
}

QList<QLabel*> OVXA_ViewController::txtTravelLimitGroup() const {
    const auto& u = *ui_;
    return outletGroup("txtTravelLimitGroup",
                       {u.txtTravelLimit1, u.txtTravelLimit2, u.txtTravelLimit3, u.txtTravelLimit4,
                        u.txtTravelLimit5, u.txtTravelLimit6});
}

QList<QSpinBox*> OVXA_ViewController::offsetGroup() const {
    const auto& u = *ui_;
    return outletGroup("offsetGroup",
                       {u.LevelOffset1, u.LevelOffset2, u.HoverOffset1, u.HoverOffset2});
}

QList<QLabel*> OVXA_ViewController::txtOffsetGroup() const {
    const auto& u = *ui_;
    return outletGroup("txtOffsetGroup", {u.txtLevelOffset1, u.txtLevelOffset2, u.txtHoverOffset1,
                                          u.txtHoverOffset2});
}

// ---- View life cycle ----

void OVXA_ViewController::viewDidLoad() {
    ModelPageViewController::viewDidLoad();
    auto& u = *ui_;

    // Live values keep their width while they change.
    useFixedDigits(rcRateGroup() + rcValueGroup(), kChannelDigits);
    useFixedDigits({u.txtGyroX, u.txtGyroY, u.txtGyroZ, u.txtAccX, u.txtAccY, u.txtAccZ,
                    u.txtAngleX, u.txtAngleY},
                   kSensorDigits);

    // Steppers: their texts follow the value. Switches and radio buttons: on clicks.
    using Page = OVXA_ViewController;
    const std::pair<QList<QSpinBox*>, void (Page::*)(QSpinBox*)> steppers[] = {
        {gainGroup(), &Page::stepGainAction},
        {travelLimitGroup(), &Page::stepTravelLimitAction},
        {offsetGroup(), &Page::stepOffsetAction},
        {{u.StickDeadband}, &Page::stepStickDeadbandAction},
    };
    for (const auto& [group, action] : steppers)
        for (QSpinBox* stepper : group)
            onStep(stepper, action);
    const std::pair<QList<QAbstractButton*>, void (Page::*)(QAbstractButton*)> buttons[] = {
        {{u.GyroEnable1, u.GyroEnable2}, &Page::switchGyroEnableAction},
        {wingTypeGroup(), &Page::switchWingTypeAction},
        {mountingGroup(), &Page::switchMountingAction},
        {receiverTypeGroup(), &Page::switchReceiverTypeAction},
    };
    for (const auto& [group, action] : buttons)
        for (QAbstractButton* button : group)
            onClick(button, action);

    // Until a block arrives the mapping follows the (unset) receiver type.
    setAllEnabled(rcMappingGroup(), false);
}

// ---- Live values ----

void OVXA_ViewController::timerAction() {
    const QString tab =
        tabMain && tabMain->currentWidget() ? tabMain->currentWidget()->objectName() : QString();
    if (tab == QLatin1String("Receiver"))
        requestStick();
    else if (tab == QLatin1String("Sensor"))
        requestSensor();
}

void OVXA_ViewController::requestStick() {
    sendLivePoll("d", livePayloadLength, false,
                 [this](const QByteArray& payload) { decodeStickReply(payload); });
}

void OVXA_ViewController::requestSensor() {
    sendLivePoll("d", livePayloadLength, false,
                 [this](const QByteArray& payload) { decodeSensorReply(payload); });
}

void OVXA_ViewController::decodeStickReply(const QByteArray& payload) {
    view();
    telemetry::showChannels(payload, channelOffset, channelCentre, rcGroup(), rcRateGroup(),
                            rcValueGroup());
}

void OVXA_ViewController::decodeSensorReply(const QByteArray& payload) {
    view();
    const auto sample =
        telemetry::decodeSensors(payload, 0, {oneG, oneG, oneG}, angleScale, lastSensorSample);
    if (sample)
        showSensorSample(*sample);
}

// ---- Parameter block ----

// The block from byte 3 to byte 56, in block order.
BlockCodec OVXA_ViewController::blockFields() const {
    const auto& u = *ui_;
    BlockCodec codec(3);
    codec.popUps({u.FlightMode1, u.FlightMode2, u.FlightMode3})
        .popUps({u.UserMode1, u.UserMode2, u.UserMode3})
        .radioGroup(wingTypeGroup())
        .radioGroup(mountingGroup())
        .steppers(travelLimitGroup(), txtTravelLimitGroup(), percentText, false)
        .switches({u.GyroEnable1, u.GyroEnable2, u.GyroEnable3})
        .switches(gyroReverseGroup())
        .steppers(gainGroup(), txtGainGroup(), percentText, false)
        .popUps(gainRateGroup())
        .radioGroup(receiverTypeGroup())
        .popUps({u.ServoFrequency, u.ResponseRate, u.StickMode, u.RotationRate, u.AngleRate})
        .steppers({u.StickDeadband}, {u.txtStickDeadband}, percentText, false)
        .popUps(rcMappingGroup())
        .steppers(offsetGroup(), txtOffsetGroup(), degreeText, true);
    return codec;
}

void OVXA_ViewController::dataToUI() {
    view();
    ModelPageViewController::dataToUI();
    if (!parentController)
        return;
    const QByteArray& block = parentController->data;
    const BlockCodec fields = blockFields();
    if (block.size() < fields.end())
        return;
    fields.decode(block);

    auto& u = *ui_;
    applyWingType(static_cast<std::uint8_t>(block[kWingTypeByte]));
    applyMounting(static_cast<std::uint8_t>(block[kMountingByte]));
    mirrorGyroEnables(gyroEnableGroup());
    setAllEnabled(rcMappingGroup(), !u.ReceiverType1->isChecked());
}

void OVXA_ViewController::uiToData() {
    view();
    if (parentController)
        blockFields().encode(parentController->data);
}

void OVXA_ViewController::applyWingType(int index) {
    view();
    const int i = std::clamp(index, 0, 2);
    showPicture(ui_->imgWingType, QString::fromLatin1(fnameWingType[pictureRow()][i]));
}

void OVXA_ViewController::applyMounting(int index) {
    view();
    const int i = std::clamp(index, 0, 3);
    showPicture(ui_->imgMounting, QString::fromLatin1(fnameMounting[pictureRow()][i]));
}

// ---- Control actions ----

void OVXA_ViewController::stepGainAction(QSpinBox* sender) {
    showStepperValue(txtGainGroup()[clampedTag(sender, 10)], sender, percentText);
}

void OVXA_ViewController::stepTravelLimitAction(QSpinBox* sender) {
    showStepperValue(txtTravelLimitGroup()[clampedTag(sender, 6)], sender, percentText);
}

void OVXA_ViewController::stepOffsetAction(QSpinBox* sender) {
    showStepperValue(txtOffsetGroup()[clampedTag(sender, 4)], sender, degreeText);
}

void OVXA_ViewController::stepStickDeadbandAction(QSpinBox* sender) {
    showStepperValue(ui_->txtStickDeadband, sender, percentText);
}

void OVXA_ViewController::switchGyroEnableAction(QAbstractButton* sender) {
    mirrorGyroEnable(gyroEnableGroup(), sender);
}

void OVXA_ViewController::switchWingTypeAction(QAbstractButton* sender) {
    applyWingType(tagOf(sender));
}

void OVXA_ViewController::switchMountingAction(QAbstractButton* sender) {
    applyMounting(tagOf(sender));
}

void OVXA_ViewController::switchReceiverTypeAction(QAbstractButton* sender) {
    setAllEnabled(rcMappingGroup(), tagOf(sender) > 0);
}

// ---- Write, calibrations and factory restore ----

void OVXA_ViewController::writeToDevice() {
    view();
    if (!parentController)
        return;
    if (QWidget* control = blockFields().unstorableControl()) {
        refuseWrite(control);
        return;
    }
    parentController->writeToDevice({}, {}, {}, parentController->dataLength - writeTailLength);
}

void OVXA_ViewController::levelCalibration() {
    runCalibration("LEVEL_CALIBRATION_CONFIRM", "l");
}

void OVXA_ViewController::hoverCalibration() {
    runCalibration("HOVER_CALIBRATION_CONFIRM", "h");
}

void OVXA_ViewController::runCalibration(const char* confirmKey, const char* letter) {
    if (parentController)
        parentController->calibrate(confirmKey, letter, calibrationTimeout, {}, {}, {});
}

void OVXA_ViewController::factoryReset() {
    view();
    if (!parentController)
        return;
    SerialPort* port = appDelegate->port.get();
    if (!port || !port->isOpen()) {
        parentController->warnPortNotConnected();
        return;
    }
    if (parentController->data.size() < static_cast<qsizetype>(defaultData.size())) {
        showCriticalAlert(localized("DATA_BUFFER_EMPTY"), {});
        return;
    }
    showConfirmAlert(localized("RESET_CONFIRM"), localized("YES"), localized("CANCEL"),
                     [this] { restoreDefaults(); }, {});
}

void OVXA_ViewController::restoreDefaults() {
    if (!parentController)
        return;
    QByteArray& block = parentController->data;
    // The port or the block may have changed while the question was shown: nothing is restored
    // that cannot be written.
    SerialPort* port = appDelegate->port.get();
    if (!port || !port->isOpen()) {
        parentController->warnPortNotConnected();
        return;
    }
    if (port->busy() || port->held()) {
        showCriticalAlert(localized("DEVICE_BUSY"), {});
        return;
    }
    if (block.size() < static_cast<qsizetype>(defaultData.size())) {
        showCriticalAlert(localized("DATA_BUFFER_EMPTY"), {});
        return;
    }
    for (int i = firstRestoredByte; i < static_cast<int>(defaultData.size()); ++i)
        block[i] = static_cast<char>(defaultData[static_cast<std::size_t>(i)]);
    dataToUI();
    parentController->sendBlock(
        parentController->dataLength - writeTailLength,
        [this] { showInfoAlert(localized("RESET_SUCCESS"), {}); }, {}, {});
}
