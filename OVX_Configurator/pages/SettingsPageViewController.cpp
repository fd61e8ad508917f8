#include "OVX_Configurator/pages/SettingsPageViewController.h"

#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/pages/Telemetry.h"

#include <algorithm>


SettingsPageViewController::SettingsPageViewController(Shape pageShape) : shape(pageShape) {}

int SettingsPageViewController::outputIndicators() const {
    return shape.outputIndicators > 0 ? shape.outputIndicators : shape.outputs;
}

// ---- Outlet groups ----

QList<QComboBox*> SettingsPageViewController::flightModeGroup() const {
    return numbered<QComboBox>("flightModeGroup", "FlightMode", shape.flightModes);
}

QList<QComboBox*> SettingsPageViewController::userModeGroup() const {
    return numbered<QComboBox>("userModeGroup", "UserMode", 3);
}

QList<QAbstractButton*> SettingsPageViewController::gyroEnableGroup() const {
    return numbered<QAbstractButton>("gyroEnableGroup", "GyroEnable", shape.outputs);
}

QList<QAbstractButton*> SettingsPageViewController::gyroReverseGroup() const {
    return numbered<QAbstractButton>("gyroReverseGroup", "GyroReverse", shape.outputs);
}

QList<QSpinBox*> SettingsPageViewController::gainGroup() const {
    return named<QSpinBox>("gainGroup", {"BasicGain1", "BasicGain2", "BasicGain3", "LockGain1",
                                         "LockGain2", "LockGain3", "AngleGain1", "AngleGain2",
                                         "LevelGain1", "LevelGain2", "HoverGain1", "HoverGain2"});
}

QList<QLabel*> SettingsPageViewController::txtGainGroup() const {
    return named<QLabel>("txtGainGroup",
                         {"txtBasicGain1", "txtBasicGain2", "txtBasicGain3", "txtLockGain1",
                          "txtLockGain2", "txtLockGain3", "txtAngleGain1", "txtAngleGain2",
                          "txtLevelGain1", "txtLevelGain2", "txtHoverGain1", "txtHoverGain2"});
}

QList<QAbstractButton*> SettingsPageViewController::wingTypeGroup() const {
    return numbered<QAbstractButton>("wingTypeGroup", "WingType", shape.wingTypes);
}

QList<QAbstractButton*> SettingsPageViewController::mountingGroup() const {
    return numbered<QAbstractButton>("mountingGroup", "Mounting", 4);
}

QList<QProgressBar*> SettingsPageViewController::outGroup() const {
    return numbered<QProgressBar>("outGroup", "Out", outputIndicators());
}

QList<QLabel*> SettingsPageViewController::outValueGroup() const {
    return numbered<QLabel>("outValueGroup", "OutValue", outputIndicators());
}

QList<QSpinBox*> SettingsPageViewController::subTrimGroup() const {
    return numbered<QSpinBox>("subTrimGroup", "SubTrim", shape.outputs);
}

QList<QLabel*> SettingsPageViewController::txtSubTrimGroup() const {
    return numbered<QLabel>("txtSubTrimGroup", "txtSubTrim", shape.outputs);
}

QList<QSpinBox*> SettingsPageViewController::travelLimitGroup() const {
    return numbered<QSpinBox>("travelLimitGroup", "TravelLimit", 2 * shape.outputs);
}

QList<QLabel*> SettingsPageViewController::txtTravelLimitGroup() const {
    return numbered<QLabel>("txtTravelLimitGroup", "txtTravelLimit", 2 * shape.outputs);
}

QList<QLabel*> SettingsPageViewController::neutralMarkGroup() const {
    return numbered<QLabel>("neutralMarkGroup", "NeutralMark", shape.outputs);
}

QList<QLabel*> SettingsPageViewController::leftLimitMarkGroup() const {
    return numbered<QLabel>("leftLimitMarkGroup", "LeftLimitMark", shape.outputs);
}

QList<QLabel*> SettingsPageViewController::rightLimitMarkGroup() const {
    return numbered<QLabel>("rightLimitMarkGroup", "RightLimitMark", shape.outputs);
}

QList<QProgressBar*> SettingsPageViewController::rcGroup() const {
    return numbered<QProgressBar>("rcGroup", "Rc", shape.channels);
}

QList<QLabel*> SettingsPageViewController::rcRateGroup() const {
    return numbered<QLabel>("rcRateGroup", "RcRate", shape.channels);
}

QList<QLabel*> SettingsPageViewController::rcValueGroup() const {
    return numbered<QLabel>("rcValueGroup", "RcValue", shape.channels);
}

QList<QComboBox*> SettingsPageViewController::rcMappingGroup() const {
    return numbered<QComboBox>("rcMappingGroup", "RcMapping", shape.channels);
}

QList<QSpinBox*> SettingsPageViewController::offsetGroup() const {
    return named<QSpinBox>("offsetGroup",
                           {"LevelOffset1", "LevelOffset2", "HoverOffset1", "HoverOffset2"});
}

QList<QLabel*> SettingsPageViewController::txtOffsetGroup() const {
    return named<QLabel>("txtOffsetGroup", {"txtLevelOffset1", "txtLevelOffset2", "txtHoverOffset1",
                                            "txtHoverOffset2"});
}

QList<QLabel*> SettingsPageViewController::accCalibrationValueGroup() const {
    return named<QLabel>("accCalibrationValueGroup", {"AccOffsetX", "AccOffsetY", "AccOffsetZ",
                                                      "AccGravityX", "AccGravityY", "AccGravityZ"});
}

// ---- View life cycle ----

void SettingsPageViewController::viewDidLoad() {
    TabbedModelPageViewController::viewDidLoad();

    // Live values keep their width while they change.
    useFixedDigits(rcRateGroup() + rcValueGroup() + outValueGroup(), kChannelDigits);
    useFixedDigits(named<QLabel>("sensorTexts", {"txtGyroX", "txtGyroY", "txtGyroZ", "txtAccX",
                                                 "txtAccY", "txtAccZ", "txtAngleX", "txtAngleY"}),
                   kSensorDigits);

    // Steppers: their texts follow the value.
    for (QSpinBox* s : gainGroup())
        onStep(s, &SettingsPageViewController::stepGainAction);
    for (QSpinBox* s : named<QSpinBox>("maxAngles", {"MaxAngle1", "MaxAngle2"}))
        onStep(s, &SettingsPageViewController::stepMaxAngleAction);
    for (QSpinBox* s : subTrimGroup())
        onStep(s, &SettingsPageViewController::stepSubTrimAction);
    for (QSpinBox* s : travelLimitGroup())
        onStep(s, &SettingsPageViewController::stepTravelLimitAction);
    for (QSpinBox* s : offsetGroup())
        onStep(s, &SettingsPageViewController::stepOffsetAction);
    onStep(outlet<QSpinBox>(QStringLiteral("StickDeadband")),
           &SettingsPageViewController::stepStickDeadbandAction);

    // Switches and radio buttons.
    for (QAbstractButton* b : gyroEnableGroup())
        onClick(b, &SettingsPageViewController::switchGyroEnableAction);
    for (QAbstractButton* b : wingTypeGroup())
        onClick(b, &SettingsPageViewController::switchWingTypeAction);
    for (QAbstractButton* b : mountingGroup())
        onClick(b, &SettingsPageViewController::switchMountingAction);
    // A page with a six-way mode switch.
    QAbstractButton* switchType = outlet<QAbstractButton>(QStringLiteral("SwitchType"));
    if (switchType)
        onClick(switchType, &SettingsPageViewController::switchSwitchTypeAction);

    // Until a block arrives the six-way box follows its switch.
    showBoxBySwitchState(outlet<QWidget>(QStringLiteral("boxSixWaySwitch")), switchType);
}

void SettingsPageViewController::viewDidAppear() {
    showUserModeItems();
    TabbedModelPageViewController::viewDidAppear();
}

bool SettingsPageViewController::hasUserMode() const {
    return shape.userMode && parentController &&
           parentController->dataVersion > lastDataVersionWithoutUserMode;
}

// Units with the user mode: its box and a seventh flight mode item; older units neither.
void SettingsPageViewController::showUserModeItems() {
    if (!parentController || !shape.userMode)
        return;
    const bool userMode = hasUserMode();
    outlet<QWidget>(QStringLiteral("boxUserMode"))->setVisible(userMode);
    for (QComboBox* popUp : flightModeGroup()) {
        if (userMode && popUp->count() <= userModeItem)
            popUp->addItem(localized("USER_MODE"));
        else if (!userMode && popUp->count() > userModeItem)
            popUp->removeItem(userModeItem);
    }
}

// ---- Parameter block ----

void SettingsPageViewController::dataToUI() {
    view();
    TabbedModelPageViewController::dataToUI();
    if (!parentController)
        return;
    const QByteArray& block = parentController->data;
    const BlockCodec fields = blockFields();
    if (block.size() < fields.end())
        return;
    fields.decode(block);
    showBoxBySwitchState(outlet<QWidget>(QStringLiteral("boxSixWaySwitch")),
                         outlet<QAbstractButton>(QStringLiteral("SwitchType")));
    switchGyroEnableAction(nullptr);
    didDecode(block);
}

void SettingsPageViewController::uiToData() {
    view();
    if (parentController)
        blockFields().encode(parentController->data);
}

// ---- Control actions ----

void SettingsPageViewController::stepGainAction(QSpinBox* sender) {
    showStepperValue(txtGainGroup()[clampedTag(sender, 12)], sender, percentText);
}

void SettingsPageViewController::stepMaxAngleAction(QSpinBox* sender) {
    const char* text = tagOf(sender) > 0 ? "txtMaxAngle2" : "txtMaxAngle1";
    showStepperValue(outlet<QLabel>(QLatin1String(text)), sender, degreeText);
}

void SettingsPageViewController::stepSubTrimAction(QSpinBox* sender) {
    showStepperValue(txtSubTrimGroup()[clampedTag(sender, shape.outputs)], sender, plainText);
}

void SettingsPageViewController::stepTravelLimitAction(QSpinBox* sender) {
    showStepperValue(txtTravelLimitGroup()[clampedTag(sender, 2 * shape.outputs)], sender,
                     percentText);
}

void SettingsPageViewController::stepOffsetAction(QSpinBox* sender) {
    showStepperValue(txtOffsetGroup()[clampedTag(sender, 4)], sender, offsetText);
}

void SettingsPageViewController::stepStickDeadbandAction(QSpinBox* sender) {
    showStepperValue(outlet<QLabel>(QStringLiteral("txtStickDeadband")), sender, percentText);
}

// Gyro enables 4 and 5 show the states of enables 1 and 2.
void SettingsPageViewController::switchGyroEnableAction(QAbstractButton* sender) {
    mirrorGyroEnable(gyroEnableGroup(), sender);
}

void SettingsPageViewController::switchWingTypeAction(QAbstractButton* sender) {
    applyWingType(tagOf(sender));
}

void SettingsPageViewController::switchMountingAction(QAbstractButton* sender) {
    applyMounting(tagOf(sender));
}

void SettingsPageViewController::switchSwitchTypeAction(QAbstractButton* sender) {
    showBoxBySwitchState(outlet<QWidget>(QStringLiteral("boxSixWaySwitch")), sender);
}

// ---- Live values of the units whose replies carry their own scale ----

void SettingsPageViewController::showChannelsOfFullScale(const QByteArray& payload) {
    view();
    if (payload.size() < 4 + 2 * shape.channels)
        return;
    const int fullScale = *telemetry::wordAt(payload, 2);
    if (fullScale == 0)
        return;
    const QList<QProgressBar*> bars = rcGroup();
    const QList<QLabel*> rates = rcRateGroup();
    const QList<QLabel*> values = rcValueGroup();
    for (int i = 0; i < shape.channels; ++i) {
        const int value = *telemetry::wordAt(payload, 4 + 2 * i);
        const int percent = *telemetry::channelPercent(value, fullScale, channelPercentLimit);
        telemetry::showLevel(bars[i], percent + channelPercentLimit, 0, 2 * channelPercentLimit);
        // A negative full scale turns the share round: the sign follows the share, not the value.
        const bool positiveShare = value != 0 && (value > 0) == (fullScale > 0);
        rates[i]->setText((positiveShare ? QStringLiteral("+") : QString()) + percentText(percent));
        values[i]->setText((value > 0 ? QStringLiteral("+") : QString()) + plainText(value));
    }
}

void SettingsPageViewController::showOutputsOfTravelSpan(const QByteArray& payload) {
    view();
    const int marked = shape.outputs;
    const int indicators = outputIndicators();
    if (payload.size() < 4 + 4 * marked + 2 * (indicators - marked))
        return;
    const double span = *telemetry::wordAt(payload, 2);
    const QList<QProgressBar*> bars = outGroup();
    const QList<QLabel*> texts = outValueGroup();
    const QList<QSpinBox*> limits = travelLimitGroup();
    const QList<QLabel*> neutralMarks = neutralMarkGroup();
    const QList<QLabel*> leftMarks = leftLimitMarkGroup();
    const QList<QLabel*> rightMarks = rightLimitMarkGroup();
    auto travel = [&](const QSpinBox* limit) {
        return std::clamp(limit->value(), 0, highestMarkedTravelLimit) * span / 100.0;
    };
    for (int i = 0; i < indicators; ++i) {
        const int offset = i < marked ? 4 + 2 * i : 4 + 2 * marked + 2 * i;
        const int output = *telemetry::wordAt(payload, offset);
        texts[i]->setText(plainText(output));
        telemetry::showLevel(bars[i], output, lowestOutput, highestOutput);
        if (i < marked)
            telemetry::placeOutputMarks({neutralMarks[i], leftMarks[i], rightMarks[i]}, bars[i],
                                        *telemetry::wordAt(payload, 4 + 2 * marked + 2 * i),
                                        travel(limits[2 * i]), travel(limits[2 * i + 1]), true);
    }
}

// ---- Write flow ----

void SettingsPageViewController::writeToDevice() {
    view();
    if (!parentController)
        return;
    const std::optional<bool> changed = receiverChanged(parentController->data);
    // Without a whole block there is nothing to compare with: the main view's write says why it
    // cannot write.
    if (!changed) {
        parentController->writeToDevice({}, {}, {});
        return;
    }
    if (QWidget* control = blockFields().unstorableControl()) {
        refuseWrite(control);
        return;
    }
    if (*changed) {
        showChoiceAlert(
            localized("CHANNELS_RESET_CONFIRM"), localized("YES"), localized("NO"),
            localized("CANCEL"), [this] { writeWithChannelReset(); },
            [this] { writeKeepingChannels(); }, {});
        return;
    }
    parentController->writeToDevice({}, {}, {});
}

void SettingsPageViewController::writeWithChannelReset() {
    resetChannelMapping();
    writeKeepingChannels();
}

void SettingsPageViewController::writeKeepingChannels() {
    if (parentController)
        parentController->writeToDevice([this] { promptDeviceRestart(); }, {}, {});
}

void SettingsPageViewController::promptDeviceRestart() {
    showConfirmAlert(localized("DEVICE_RESTART_REQUIRED"), localized("RESTART_NOW"),
                     localized("RESTART_LATER"), [this] { restartNow(); }, {});
}

void SettingsPageViewController::restartNow() {
    if (parentController)
        parentController->restartDevice(false, {}, {}, {});
}
