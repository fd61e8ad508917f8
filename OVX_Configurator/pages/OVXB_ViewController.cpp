#include "OVX_Configurator/pages/OVXB_ViewController.h"

#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "ui_OVXB_ViewController.h"

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

void setEnabled(std::initializer_list<QWidget*> controls, bool enabled) {
    for (QWidget* control : controls)
        control->setEnabled(enabled);
}

} // namespace

OVXB_ViewController::OVXB_ViewController()
    : SettingsPageViewController({.channels = 7, .outputs = 5, .wingTypes = 7}),
      ui_(std::make_unique<Ui::OVXB_ViewController>()) {}

OVXB_ViewController::~OVXB_ViewController() = default;

QWidget* OVXB_ViewController::loadView() {
    return loadLayout(*ui_);
}

// ---- Outlet groups of this page ----

QList<QAbstractButton*> OVXB_ViewController::receiverTypeGroup() const {
    const auto& u = *ui_;
    return outletGroup<QAbstractButton>("receiverTypeGroup",
                                        {u.ReceiverType1, u.ReceiverType2, u.ReceiverType3});
}

QList<QComboBox*> OVXB_ViewController::gainDropGroup() const {
    const auto& u = *ui_;
    return outletGroup("gainDropGroup", {u.GainDrop1, u.GainDrop2, u.GainDrop3});
}

// ---- View life cycle ----

void OVXB_ViewController::viewDidLoad() {
    SettingsPageViewController::viewDidLoad();
    auto& u = *ui_;
    onStep(u.AccLpf, &OVXB_ViewController::stepAccelLpfAction);
    for (QAbstractButton* b : receiverTypeGroup())
        onClick(b, &OVXB_ViewController::switchReceiverTypeAction);
    onClick(u.RRMode, &OVXB_ViewController::switchRRModeAction);

    connect(u.btnServoTrimming, &QPushButton::clicked, this, [this] { btnServoTrimmingAction(); });
    connect(u.btnTravelLimiting, &QPushButton::clicked, this,
            [this] { btnTravelLimitingAction(); });
    setUpAccelCalibrationWizard(fnameAccelCalibration);

    // Until a block arrives: the mapping follows the (unset) receiver type, the box its switch.
    setAllEnabled(rcMappingGroup(), false);
    showBoxBySwitchState(u.boxRRMode, u.RRMode);
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

void OVXB_ViewController::didDecode(const QByteArray& block) {
    auto& u = *ui_;
    applyWingType(static_cast<std::uint8_t>(block[29]));
    applyMounting(static_cast<std::uint8_t>(block[30]));
    setAllEnabled(rcMappingGroup(), !u.ReceiverType1->isChecked());
    showBoxBySwitchState(u.boxRRMode, u.RRMode);
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

void OVXB_ViewController::stepAccelLpfAction(QSpinBox* sender) {
    showStepperValue(ui_->txtAccLpf, sender, hertzText);
}

void OVXB_ViewController::switchReceiverTypeAction(QAbstractButton* sender) {
    setAllEnabled(rcMappingGroup(), tagOf(sender) > 0);
}

void OVXB_ViewController::switchRRModeAction(QAbstractButton* sender) {
    showBoxBySwitchState(ui_->boxRRMode, sender);
}

// ---- Live telemetry ----

void OVXB_ViewController::decodeStickReply(const QByteArray& payload) {
    view();
    telemetry::showChannels(payload, 0, 1200, rcGroup(), rcRateGroup(), rcValueGroup());
}

int OVXB_ViewController::travelOfLimit(int limit) {
    if (limit < 0)
        return 0;
    return limit >= 151 ? 600 : limit * 4;
}

void OVXB_ViewController::decodeServoReply(const QByteArray& payload) {
    view();
    if (payload.size() < 20)
        return;
    const QList<QProgressBar*> bars = outGroup();
    const QList<QLabel*> texts = outValueGroup();
    const QList<QSpinBox*> limits = travelLimitGroup();
    const QList<QSpinBox*> subTrims = subTrimGroup();
    const QList<QLabel*> neutralMarks = neutralMarkGroup();
    const QList<QLabel*> leftMarks = leftLimitMarkGroup();
    const QList<QLabel*> rightMarks = rightLimitMarkGroup();
    for (int i = 0; i < 5; ++i) {
        const int output = *telemetry::wordAt(payload, 2 * i);
        const int neutral = *telemetry::wordAt(payload, 10 + 2 * i);
        texts[i]->setText(QString::number(output));
        telemetry::showLevel(bars[i], output, 800, 2220);
        telemetry::placeOutputMarks({neutralMarks[i], leftMarks[i], rightMarks[i]}, bars[i], neutral,
                                    travelOfLimit(limits[2 * i]->value()),
                                    travelOfLimit(limits[2 * i + 1]->value()),
                                    subTrims[i]->isEnabled());
    }
}

// ---- Write flow ----

std::optional<bool> OVXB_ViewController::receiverChanged(const QByteArray& block) const {
    if (block.size() <= dataOffsetReceiverType)
        return std::nullopt;
    const int stored = static_cast<std::uint8_t>(block[dataOffsetReceiverType]);
    const QList<QAbstractButton*> types = receiverTypeGroup();
    const auto selected = std::find_if(types.cbegin(), types.cend(),
                                       [](QAbstractButton* b) { return b->isChecked(); });
    return selected != types.cend() && selected - types.cbegin() != stored;
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
    endServoProcedure();
}

void OVXB_ViewController::travelLimitingStarted() {
    setServoProcedure(ServoProcedure::Travelling);
}

void OVXB_ViewController::travelLimitingEnded() {
    endServoProcedure();
}

void OVXB_ViewController::endServoProcedure() {
    const bool ran = servoProcedure_ != ServoProcedure::None;
    setServoProcedure(ServoProcedure::None);
    if (ran)
        callParentHandler(&MainViewController::handlerReadFromDevice);
}

void OVXB_ViewController::unitGone() {
    if (servoProcedure_ != ServoProcedure::None) {
        const bool trimming = servoProcedure_ == ServoProcedure::Trimming;
        setServoProcedure(ServoProcedure::None);
        if (parentController)
            parentController->showCautionMessage(
                localized(trimming ? "SERVO_TRIMMING_ABANDONED" : "SERVO_TRAVELLING_ABANDONED"));
    }
    SettingsPageViewController::unitGone();
}

QByteArray OVXB_ViewController::procedureEndWord() const {
    if (servoProcedure_ != ServoProcedure::None)
        return "CNCL";
    return SettingsPageViewController::procedureEndWord();
}

void OVXB_ViewController::setServoProcedure(ServoProcedure procedure) {
    view();
    auto& u = *ui_;
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
}
