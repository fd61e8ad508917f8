#include "OVX_Configurator/pages/OVXB_ViewController.h"

#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "ui_OVXB_ViewController.h"

#include <QFontDatabase>

#include <algorithm>
#include <cstdint>

namespace {

// Which of servo outputs 4 and 5 each wing type drives.
constexpr bool kOutputsByWingType[7][2] = {
    {false, false}, {true, false},  {false, true}, {true, true},
    {false, false}, {false, false}, {true, false},
};

// Default channel function (item index) of receiver channels 1-7.
constexpr int kDefaultChannelFunctions[7] = {1, 2, 4, 6, 7, 8, 5};

// Flight mode pop-ups hold the modes 0-5; the user mode is item 6.
constexpr int kUserModeItem = 6;
// Data versions above this one have the user mode.
constexpr std::uint8_t kLastVersionWithoutUserMode = 16;

void setEnabled(std::initializer_list<QWidget*> controls, bool enabled) {
    for (QWidget* control : controls)
        control->setEnabled(enabled);
}

} // namespace

OVXB_ViewController::OVXB_ViewController() : ui_(std::make_unique<Ui::OVXB_ViewController>()) {}

OVXB_ViewController::~OVXB_ViewController() = default;

QWidget* OVXB_ViewController::loadView() {
    return loadLayout(*ui_);
}

// ---- Outlet groups ----

QList<QComboBox*> OVXB_ViewController::flightModeGroup() const {
    const auto& u = *ui_;
    return outletGroup("flightModeGroup", {u.FlightMode1, u.FlightMode2, u.FlightMode3,
                                           u.FlightMode4, u.FlightMode5, u.FlightMode6});
}

QList<QAbstractButton*> OVXB_ViewController::gyroEnableGroup() const {
    const auto& u = *ui_;
    return outletGroup<QAbstractButton>(
        "gyroEnableGroup",
        {u.GyroEnable1, u.GyroEnable2, u.GyroEnable3, u.GyroEnable4, u.GyroEnable5});
}

QList<QAbstractButton*> OVXB_ViewController::gyroReverseGroup() const {
    const auto& u = *ui_;
    return outletGroup<QAbstractButton>(
        "gyroReverseGroup",
        {u.GyroReverse1, u.GyroReverse2, u.GyroReverse3, u.GyroReverse4, u.GyroReverse5});
}

QList<QSpinBox*> OVXB_ViewController::gainGroup() const {
    const auto& u = *ui_;
    return outletGroup("gainGroup", {u.BasicGain1, u.BasicGain2, u.BasicGain3, u.LockGain1,
                                     u.LockGain2, u.LockGain3, u.AngleGain1, u.AngleGain2,
                                     u.LevelGain1, u.LevelGain2, u.HoverGain1, u.HoverGain2});
}

QList<QLabel*> OVXB_ViewController::txtGainGroup() const {
    const auto& u = *ui_;
    return outletGroup("txtGainGroup",
                       {u.txtBasicGain1, u.txtBasicGain2, u.txtBasicGain3, u.txtLockGain1,
                        u.txtLockGain2, u.txtLockGain3, u.txtAngleGain1, u.txtAngleGain2,
                        u.txtLevelGain1, u.txtLevelGain2, u.txtHoverGain1, u.txtHoverGain2});
}

QList<QAbstractButton*> OVXB_ViewController::wingTypeGroup() const {
    const auto& u = *ui_;
    return outletGroup<QAbstractButton>("wingTypeGroup",
                                        {u.WingType1, u.WingType2, u.WingType3, u.WingType4,
                                         u.WingType5, u.WingType6, u.WingType7});
}

QList<QAbstractButton*> OVXB_ViewController::mountingGroup() const {
    const auto& u = *ui_;
    return outletGroup<QAbstractButton>("mountingGroup",
                                        {u.Mounting1, u.Mounting2, u.Mounting3, u.Mounting4});
}

QList<QAbstractButton*> OVXB_ViewController::receiverTypeGroup() const {
    const auto& u = *ui_;
    return outletGroup<QAbstractButton>("receiverTypeGroup",
                                        {u.ReceiverType1, u.ReceiverType2, u.ReceiverType3});
}

QList<QProgressBar*> OVXB_ViewController::outGroup() const {
    const auto& u = *ui_;
    return outletGroup("outGroup", {u.Out1, u.Out2, u.Out3, u.Out4, u.Out5});
}

QList<QLabel*> OVXB_ViewController::outValueGroup() const {
    const auto& u = *ui_;
    return outletGroup("outValueGroup",
                       {u.OutValue1, u.OutValue2, u.OutValue3, u.OutValue4, u.OutValue5});
}

QList<QSpinBox*> OVXB_ViewController::subTrimGroup() const {
    const auto& u = *ui_;
    return outletGroup("subTrimGroup",
                       {u.SubTrim1, u.SubTrim2, u.SubTrim3, u.SubTrim4, u.SubTrim5});
}

QList<QLabel*> OVXB_ViewController::txtSubTrimGroup() const {
    const auto& u = *ui_;
    return outletGroup("txtSubTrimGroup",
                       {u.txtSubTrim1, u.txtSubTrim2, u.txtSubTrim3, u.txtSubTrim4, u.txtSubTrim5});
}

QList<QSpinBox*> OVXB_ViewController::travelLimitGroup() const {
    const auto& u = *ui_;
    return outletGroup("travelLimitGroup",
                       {u.TravelLimit1, u.TravelLimit2, u.TravelLimit3, u.TravelLimit4,
                        u.TravelLimit5, u.TravelLimit6, u.TravelLimit7, u.TravelLimit8,
                        u.TravelLimit9, u.TravelLimit10});
}

QList<QLabel*> OVXB_ViewController::txtTravelLimitGroup() const {
    const auto& u = *ui_;
    return outletGroup("txtTravelLimitGroup",
                       {u.txtTravelLimit1, u.txtTravelLimit2, u.txtTravelLimit3, u.txtTravelLimit4,
                        u.txtTravelLimit5, u.txtTravelLimit6, u.txtTravelLimit7, u.txtTravelLimit8,
                        u.txtTravelLimit9, u.txtTravelLimit10});
}

QList<QLabel*> OVXB_ViewController::neutralMarkGroup() const {
    const auto& u = *ui_;
    return outletGroup("neutralMarkGroup", {u.NeutralMark1, u.NeutralMark2, u.NeutralMark3,
                                            u.NeutralMark4, u.NeutralMark5});
}

QList<QLabel*> OVXB_ViewController::leftLimitMarkGroup() const {
    const auto& u = *ui_;
    return outletGroup("leftLimitMarkGroup", {u.LeftLimitMark1, u.LeftLimitMark2, u.LeftLimitMark3,
                                              u.LeftLimitMark4, u.LeftLimitMark5});
}

QList<QLabel*> OVXB_ViewController::rightLimitMarkGroup() const {
    const auto& u = *ui_;
    return outletGroup("rightLimitMarkGroup",
                       {u.RightLimitMark1, u.RightLimitMark2, u.RightLimitMark3, u.RightLimitMark4,
                        u.RightLimitMark5});
}

QList<QProgressBar*> OVXB_ViewController::rcGroup() const {
    const auto& u = *ui_;
    return outletGroup("rcGroup", {u.Rc1, u.Rc2, u.Rc3, u.Rc4, u.Rc5, u.Rc6, u.Rc7});
}

QList<QLabel*> OVXB_ViewController::rcRateGroup() const {
    const auto& u = *ui_;
    return outletGroup("rcRateGroup", {u.RcRate1, u.RcRate2, u.RcRate3, u.RcRate4, u.RcRate5,
                                       u.RcRate6, u.RcRate7});
}

QList<QLabel*> OVXB_ViewController::rcValueGroup() const {
    const auto& u = *ui_;
    return outletGroup("rcValueGroup", {u.RcValue1, u.RcValue2, u.RcValue3, u.RcValue4, u.RcValue5,
                                        u.RcValue6, u.RcValue7});
}

QList<QComboBox*> OVXB_ViewController::rcMappingGroup() const {
    const auto& u = *ui_;
    return outletGroup("rcMappingGroup", {u.RcMapping1, u.RcMapping2, u.RcMapping3, u.RcMapping4,
                                          u.RcMapping5, u.RcMapping6, u.RcMapping7});
}

QList<QSpinBox*> OVXB_ViewController::offsetGroup() const {
    const auto& u = *ui_;
    return outletGroup("offsetGroup",
                       {u.LevelOffset1, u.LevelOffset2, u.HoverOffset1, u.HoverOffset2});
}

QList<QLabel*> OVXB_ViewController::txtOffsetGroup() const {
    const auto& u = *ui_;
    return outletGroup("txtOffsetGroup", {u.txtLevelOffset1, u.txtLevelOffset2, u.txtHoverOffset1,
                                          u.txtHoverOffset2});
}

QList<QLabel*> OVXB_ViewController::accCalibrationValueGroup() const {
    const auto& u = *ui_;
    return outletGroup("accCalibrationValueGroup", {u.AccOffsetX, u.AccOffsetY, u.AccOffsetZ,
                                                    u.AccGravityX, u.AccGravityY, u.AccGravityZ});
}

QList<QComboBox*> OVXB_ViewController::userModeGroup() const {
    const auto& u = *ui_;
    return outletGroup("userModeGroup", {u.UserMode1, u.UserMode2, u.UserMode3});
}

QList<QComboBox*> OVXB_ViewController::gainDropGroup() const {
    const auto& u = *ui_;
    return outletGroup("gainDropGroup", {u.GainDrop1, u.GainDrop2, u.GainDrop3});
}

// ---- View life cycle ----

void OVXB_ViewController::viewDidLoad() {
    TabbedModelPageViewController::viewDidLoad();
    auto& u = *ui_;

    // Live values keep their width while they change.
    const QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const QList<QLabel*>& texts : {rcRateGroup(), rcValueGroup(), outValueGroup()})
        for (QLabel* text : texts)
            text->setFont(digits);
    for (QLabel* text : {u.txtGyroX, u.txtGyroY, u.txtGyroZ, u.txtAccX, u.txtAccY, u.txtAccZ,
                         u.txtAngleX, u.txtAngleY})
        text->setFont(digits);

    // Steppers: their texts follow the value (filling them from a block blocks this signal).
    auto onStep = [this](QSpinBox* stepper, void (OVXB_ViewController::*action)(QSpinBox*)) {
        connect(stepper, &QSpinBox::valueChanged, this,
                [this, stepper, action] { (this->*action)(stepper); });
    };
    for (QSpinBox* s : gainGroup())
        onStep(s, &OVXB_ViewController::stepGainAction);
    for (QSpinBox* s : {u.MaxAngle1, u.MaxAngle2})
        onStep(s, &OVXB_ViewController::stepMaxAngleAction);
    for (QSpinBox* s : subTrimGroup())
        onStep(s, &OVXB_ViewController::stepSubTrimAction);
    for (QSpinBox* s : travelLimitGroup())
        onStep(s, &OVXB_ViewController::stepTravelLimitAction);
    for (QSpinBox* s : offsetGroup())
        onStep(s, &OVXB_ViewController::stepOffsetAction);
    onStep(u.StickDeadband, &OVXB_ViewController::stepStickDeadbandAction);
    onStep(u.AccLpf, &OVXB_ViewController::stepAccelLpfAction);

    // Switches and radio buttons: clicks only, never the changes made by filling the controls.
    auto onClick = [this](QAbstractButton* button,
                          void (OVXB_ViewController::*action)(QAbstractButton*)) {
        connect(button, &QAbstractButton::clicked, this,
                [this, button, action] { (this->*action)(button); });
    };
    for (QAbstractButton* b : {u.GyroEnable1, u.GyroEnable2})
        onClick(b, &OVXB_ViewController::switchGyroEnableAction);
    for (QAbstractButton* b : wingTypeGroup())
        onClick(b, &OVXB_ViewController::switchWingTypeAction);
    for (QAbstractButton* b : mountingGroup())
        onClick(b, &OVXB_ViewController::switchMountingAction);
    for (QAbstractButton* b : receiverTypeGroup())
        onClick(b, &OVXB_ViewController::switchReceiverTypeAction);
    onClick(u.SwitchType, &OVXB_ViewController::switchSwitchTypeAction);
    onClick(u.RRMode, &OVXB_ViewController::switchRRModeAction);

    connect(u.btnServoTrimming, &QPushButton::clicked, this, [this] { btnServoTrimmingAction(); });
    connect(u.btnTravelLimiting, &QPushButton::clicked, this,
            [this] { btnTravelLimitingAction(); });

    // Until a block arrives: the mapping follows the (unset) receiver type, the boxes their
    // switches.
    for (QComboBox* popUp : rcMappingGroup())
        popUp->setEnabled(false);
    showBoxBySwitchState(u.boxSixWaySwitch, u.SwitchType);
    showBoxBySwitchState(u.boxRRMode, u.RRMode);
}

void OVXB_ViewController::viewDidAppear() {
    showUserModeItems();
    TabbedModelPageViewController::viewDidAppear();
}

// Units with data version 17 or later have a user mode: its box and a seventh flight mode item.
void OVXB_ViewController::showUserModeItems() {
    if (!parentController)
        return;
    const bool userMode = parentController->dataVersion > kLastVersionWithoutUserMode;
    ui_->boxUserMode->setVisible(userMode);
    for (QComboBox* popUp : flightModeGroup()) {
        if (userMode && popUp->count() <= kUserModeItem)
            popUp->addItem(localized("USER_MODE"));
        else if (!userMode && popUp->count() > kUserModeItem)
            popUp->removeItem(kUserModeItem);
    }
}

// ---- Parameter block ----

// The block from byte 3 to byte 85, in block order.
BlockCodec OVXB_ViewController::blockFields() const {
    const auto& u = *ui_;
    BlockCodec codec(3);
    codec.int16Texts(accCalibrationValueGroup())
        .steppers(offsetGroup(), txtOffsetGroup(), offsetText, true)
        .switches({u.SwitchType})
        .popUps(flightModeGroup())
        .popUps(userModeGroup())
        .radioGroup(wingTypeGroup())
        .radioGroup(mountingGroup())
        .radioGroup(receiverTypeGroup())
        .popUps(rcMappingGroup())
        .switches({u.GyroEnable1, u.GyroEnable2, u.GyroEnable3})
        .switches(gyroReverseGroup())
        .steppers(gainGroup(), txtGainGroup(), percentText, false)
        .popUps(gainDropGroup())
        .steppers(subTrimGroup(), txtSubTrimGroup(), plainText, true)
        .steppers(travelLimitGroup(), txtTravelLimitGroup(), percentText, false)
        .steppers({u.MaxAngle1, u.MaxAngle2}, {u.txtMaxAngle1, u.txtMaxAngle2}, degreeText, false)
        .steppers({u.StickDeadband}, {u.txtStickDeadband}, percentText, false)
        .popUps({u.ServoFrequency})
        .popUps({u.GyroLpf})
        .steppers({u.AccLpf}, {u.txtAccLpf}, hertzText, false)
        .popUps({u.GainLevel})
        .switches({u.RRMode})
        .popUps({u.MaxRate});
    return codec;
}

void OVXB_ViewController::dataToUI() {
    view();
    TabbedModelPageViewController::dataToUI();
    if (!parentController)
        return;
    const QByteArray& block = parentController->data;
    const BlockCodec fields = blockFields();
    if (block.size() < fields.end())
        return;
    fields.decode(block);

    auto& u = *ui_;
    showBoxBySwitchState(u.boxSixWaySwitch, u.SwitchType);
    applyWingType(static_cast<std::uint8_t>(block[29]));
    applyMounting(static_cast<std::uint8_t>(block[30]));
    for (QComboBox* popUp : rcMappingGroup())
        popUp->setEnabled(!u.ReceiverType1->isChecked());
    u.GyroEnable4->setChecked(u.GyroEnable1->isChecked());
    u.GyroEnable5->setChecked(u.GyroEnable2->isChecked());
    showBoxBySwitchState(u.boxRRMode, u.RRMode);
}

void OVXB_ViewController::uiToData() {
    view();
    if (parentController)
        blockFields().encode(parentController->data);
}

void OVXB_ViewController::resetChannelMapping() {
    view();
    const QList<QComboBox*> mapping = rcMappingGroup();
    for (int i = 0; i < 7; ++i)
        mapping[i]->setCurrentIndex(kDefaultChannelFunctions[i]);
}

void OVXB_ViewController::applyWingType(int index) {
    view();
    auto& u = *ui_;
    const int i = std::clamp(index, 0, 6);
    showPicture(u.imgWingType, QString::fromLatin1(fnameWingType[pictureRow()][i]));
    const bool output4 = kOutputsByWingType[i][0];
    const bool output5 = kOutputsByWingType[i][1];
    setEnabled({u.SubTrim4, u.txtSubTrim4, u.TravelLimit7, u.TravelLimit8, u.txtTravelLimit7,
                u.txtTravelLimit8, u.GyroReverse4},
               output4);
    setEnabled({u.SubTrim5, u.txtSubTrim5, u.TravelLimit9, u.TravelLimit10, u.txtTravelLimit9,
                u.txtTravelLimit10, u.GyroReverse5},
               output5);
}

void OVXB_ViewController::applyMounting(int index) {
    view();
    const int i = std::clamp(index, 0, 3);
    showPicture(ui_->imgMounting, QString::fromLatin1(fnameMounting[pictureRow()][i]));
}

// ---- Control actions ----

void OVXB_ViewController::stepGainAction(QSpinBox* sender) {
    showStepperValue(txtGainGroup()[clampedTag(sender, 12)], sender, percentText);
}

void OVXB_ViewController::stepMaxAngleAction(QSpinBox* sender) {
    showStepperValue(tagOf(sender) > 0 ? ui_->txtMaxAngle2 : ui_->txtMaxAngle1, sender, degreeText);
}

void OVXB_ViewController::stepSubTrimAction(QSpinBox* sender) {
    showStepperValue(txtSubTrimGroup()[clampedTag(sender, 5)], sender, plainText);
}

void OVXB_ViewController::stepTravelLimitAction(QSpinBox* sender) {
    showStepperValue(txtTravelLimitGroup()[clampedTag(sender, 10)], sender, percentText);
}

void OVXB_ViewController::stepOffsetAction(QSpinBox* sender) {
    showStepperValue(txtOffsetGroup()[clampedTag(sender, 4)], sender, offsetText);
}

void OVXB_ViewController::stepStickDeadbandAction(QSpinBox* sender) {
    showStepperValue(ui_->txtStickDeadband, sender, percentText);
}

void OVXB_ViewController::stepAccelLpfAction(QSpinBox* sender) {
    showStepperValue(ui_->txtAccLpf, sender, hertzText);
}

void OVXB_ViewController::switchGyroEnableAction(QAbstractButton* sender) {
    auto& u = *ui_;
    if (tagOf(sender) <= 0)
        u.GyroEnable4->setChecked(u.GyroEnable1->isChecked());
    else
        u.GyroEnable5->setChecked(u.GyroEnable2->isChecked());
}

void OVXB_ViewController::switchWingTypeAction(QAbstractButton* sender) {
    applyWingType(tagOf(sender));
}

void OVXB_ViewController::switchMountingAction(QAbstractButton* sender) {
    applyMounting(tagOf(sender));
}

void OVXB_ViewController::switchReceiverTypeAction(QAbstractButton* sender) {
    const bool editable = tagOf(sender) > 0;
    for (QComboBox* popUp : rcMappingGroup())
        popUp->setEnabled(editable);
}

void OVXB_ViewController::switchSwitchTypeAction(QAbstractButton* sender) {
    showBoxBySwitchState(ui_->boxSixWaySwitch, sender);
}

void OVXB_ViewController::switchRRModeAction(QAbstractButton* sender) {
    showBoxBySwitchState(ui_->boxRRMode, sender);
}

// ---- Write flow ----

void OVXB_ViewController::writeToDevice() {
    view();
    if (!parentController)
        return;
    const QByteArray& block = parentController->data;
    // Without a whole block there is nothing to compare with: the main view's write says why it
    // cannot write.
    if (block.size() <= dataOffsetReceiverType) {
        parentController->writeToDevice({}, {}, {});
        return;
    }
    if (QWidget* control = blockFields().unstorableControl()) {
        refuseWrite(control);
        return;
    }
    const int stored = static_cast<std::uint8_t>(block[dataOffsetReceiverType]);
    const QList<QAbstractButton*> types = receiverTypeGroup();
    const auto selected = std::find_if(types.cbegin(), types.cend(),
                                       [](QAbstractButton* b) { return b->isChecked(); });
    if (selected != types.cend() && selected - types.cbegin() != stored) {
        showChoiceAlert(
            localized("CHANNELS_RESET_CONFIRM"), localized("YES"), localized("NO"),
            localized("CANCEL"), [this] { writeWithChannelReset(); },
            [this] { writeKeepingChannels(); }, {});
        return;
    }
    parentController->writeToDevice({}, {}, {});
}

// Shows the control that holds no storable value and says why nothing is written.
void OVXB_ViewController::refuseWrite(QWidget* control) {
    for (int i = 0; tabMain && i < tabMain->count(); ++i)
        if (tabMain->widget(i)->isAncestorOf(control))
            tabMain->setCurrentIndex(i);
    control->setFocus();
    showCriticalAlert(localized("SETTING_NOT_STORABLE"), {});
}

void OVXB_ViewController::writeWithChannelReset() {
    resetChannelMapping();
    writeKeepingChannels();
}

void OVXB_ViewController::writeKeepingChannels() {
    if (parentController)
        parentController->writeToDevice([this] { promptDeviceRestart(); }, {}, {});
}

void OVXB_ViewController::promptDeviceRestart() {
    showConfirmAlert(localized("DEVICE_RESTART_REQUIRED"), localized("RESTART_NOW"),
                     localized("RESTART_LATER"), [this] { restartNow(); }, {});
}

void OVXB_ViewController::restartNow() {
    if (parentController)
        parentController->restartDevice(false, {}, {}, {});
}

// ---- Servo procedures ----

void OVXB_ViewController::toggleServoTrimming() {
    toggleServoProcedure(ServoProcedure::Trimming);
}

void OVXB_ViewController::toggleTravelLimiting() {
    toggleServoProcedure(ServoProcedure::Travelling);
}

void OVXB_ViewController::toggleServoProcedure(ServoProcedure procedure) {
    const bool trimming = procedure == ServoProcedure::Trimming;
    auto send = [this](const char* word, void (OVXB_ViewController::*done)()) {
        return [this, word, done] {
            sendProcedureCommand(
                word, [this, done] { (this->*done)(); }, [this] { showResponseError(); },
                [this] { showResponseTimeout(); });
        };
    };
    if (servoProcedure_ == ServoProcedure::None) {
        showConfirmAlert(
            localized(trimming ? "SERVO_TRIMMING_START_CONFIRM" : "SERVO_TRAVELLING_START_CONFIRM"),
            localized("START"), localized("CANCEL"),
            trimming ? send("TRIM", &OVXB_ViewController::servoTrimmingStarted)
                     : send("TRVL", &OVXB_ViewController::travelLimitingStarted),
            {});
    } else if (servoProcedure_ == procedure) {
        showConfirmAlert(
            localized(trimming ? "SERVO_TRIMMING_EXIT_CONFIRM" : "SERVO_TRAVELLING_EXIT_CONFIRM"),
            localized("YES"), localized("CANCEL"),
            trimming ? send("CNCL", &OVXB_ViewController::servoTrimmingEnded)
                     : send("CNCL", &OVXB_ViewController::travelLimitingEnded),
            {});
    }
    // The other procedure runs: its button is disabled until it ends.
}

void OVXB_ViewController::servoTrimmingStarted() {
    setServoProcedure(ServoProcedure::Trimming);
}

void OVXB_ViewController::servoTrimmingEnded() {
    setServoProcedure(ServoProcedure::None);
}

void OVXB_ViewController::travelLimitingStarted() {
    setServoProcedure(ServoProcedure::Travelling);
}

void OVXB_ViewController::travelLimitingEnded() {
    setServoProcedure(ServoProcedure::None);
}

void OVXB_ViewController::setServoProcedure(ServoProcedure procedure) {
    view();
    auto& u = *ui_;
    const bool ended = servoProcedure_ != ServoProcedure::None && procedure == ServoProcedure::None;
    servoProcedure_ = procedure;
    const bool trimming = procedure == ServoProcedure::Trimming;
    const bool travelling = procedure == ServoProcedure::Travelling;
    u.btnServoTrimming->setText(localized(trimming ? "EXIT" : "SERVO_TRIMMING"));
    u.btnTravelLimiting->setText(localized(travelling ? "EXIT" : "SERVO_TRAVELLING"));
    u.btnServoTrimming->setEnabled(!travelling);
    u.btnTravelLimiting->setEnabled(!trimming);
    if (procedure == ServoProcedure::None) {
        u.imgServoSetting->hide();
    } else {
        showPicture(u.imgServoSetting,
                    trimming ? pictureName("servo_trimming_en", "servo_trimming_cn")
                             : pictureName("servo_travelling_en", "servo_travelling_cn"));
        u.imgServoSetting->show();
    }
    if (ended)
        callParentHandler(&MainViewController::handlerReadFromDevice);
}
