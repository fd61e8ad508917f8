#include "OVX_Configurator/pages/OVXC_ViewController.h"

#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "ui_OVXC_ViewController.h"

#include <algorithm>
#include <cstdint>

namespace {

// Default channel functions (items of RcMapping1-9): set A for the Spektrum-like channel order,
// set B for JETI EXBus, set C for the rest.
constexpr std::array<int, 9> kChannelSetA{2, 3, 4, 6, 0, 5, 0, 1, 0};
constexpr std::array<int, 9> kChannelSetB{2, 4, 5, 3, 0, 6, 0, 1, 0};
constexpr std::array<int, 9> kChannelSetC{1, 2, 4, 6, 0, 5, 0, 3, 0};

// Receiver types 0 and 1 take the brands as sub-types, the others the protocols.
constexpr int kLastBrandReceiverType = 1;
// Protocol sub-types of newer firmware.
constexpr int kCommonProtocols = 8;
constexpr int kJetiExBus = 8;
constexpr std::uint8_t kLastFirmwareWithoutJetiExBus = 16;
constexpr std::uint8_t kFirstFirmwareWithCrsf = 22;
// Output functions 1-5 drive a servo; 0 is off and 6 and above pass an auxiliary channel.
constexpr int kFirstServoFunction = 1;
constexpr int kLastServoFunction = 5;
constexpr int kFirstAuxFunction = 6;

// Where the user mode bytes and the fields after them sit.
constexpr int kFlightModesEnd = 28;
constexpr int kUserModeBytes = 3;

int byteAt(const QByteArray& block, int offset) {
    return static_cast<std::uint8_t>(block[offset]);
}

} // namespace

OVXC_ViewController::OVXC_ViewController()
    : SettingsPageViewController({.channels = 9, .outputs = 5, .wingTypes = 3}),
      ui_(std::make_unique<Ui::OVXC_ViewController>()) {}

OVXC_ViewController::~OVXC_ViewController() = default;

QWidget* OVXC_ViewController::loadView() {
    return loadLayout(*ui_);
}

// ---- Outlet groups of this page ----

QList<QAbstractButton*> OVXC_ViewController::servoReverseGroup() const {
    return numbered<QAbstractButton>("servoReverseGroup", "ServoReverse", shape.outputs);
}

QList<QComboBox*> OVXC_ViewController::outputMappingGroup() const {
    return numbered<QComboBox>("outputMappingGroup", "OutputMapping", shape.outputs);
}

// ---- View life cycle ----

void OVXC_ViewController::viewDidLoad() {
    SettingsPageViewController::viewDidLoad();
    auto& u = *ui_;
    connect(u.ReceiverType, &QComboBox::activated, this,
            [this] { changeReceiverTypeAction(ui_->ReceiverType); });
    for (QComboBox* popUp : outputMappingGroup())
        connect(popUp, &QComboBox::activated, this,
                [this, popUp] { chooseOuputMappingAction(popUp); });

    setUpAccelCalibrationWizard(fnameAccelCalibration);

    // Until a block arrives: the sub-types of the first receiver type, the outputs as their
    // pop-ups say.
    updateReceiverSubTypeList(u.ReceiverType->currentIndex());
    for (int output = 0; output < shape.outputs; ++output)
        updateOutputControls(output);
}

// ---- Parameter block ----

int OVXC_ViewController::wingTypeOffset() const {
    return kFlightModesEnd + (hasLongLayout() ? kUserModeBytes : 0);
}

BlockCodec OVXC_ViewController::blockFields() const {
    const auto& u = *ui_;
    BlockCodec codec(3);
    codec.int16Texts(accCalibrationValueGroup())
        .steppers(offsetGroup(), txtOffsetGroup(), offsetText, true)
        .popUps({u.SpekBindOption})
        .skip(1)
        .switches({u.SwitchType})
        .popUps(flightModeGroup());
    if (hasLongLayout())
        codec.popUps(userModeGroup());
    auto* self = const_cast<OVXC_ViewController*>(this);
    codec.radioGroup(wingTypeGroup())
        .radioGroup(mountingGroup())
        .popUps({u.ReceiverType})
        // The sub-type list follows the receiver type before its item is selected.
        .afterDecoding([self] { self->updateReceiverSubTypeList(self->ui_->ReceiverType->currentIndex()); })
        .popUps({u.ReceiverSubType})
        .popUps(rcMappingGroup())
        .popUps(outputMappingGroup())
        .afterDecoding([self] {
            for (int output = 0; output < self->shape.outputs; ++output)
                self->updateOutputControls(output);
        })
        .switches({u.GyroEnable1, u.GyroEnable2, u.GyroEnable3})
        .switches(gyroReverseGroup())
        .steppers(gainGroup(), txtGainGroup(), percentText, false)
        .switches(servoReverseGroup())
        .steppers(subTrimGroup(), txtSubTrimGroup(), plainText, true)
        .steppers(travelLimitGroup(), txtTravelLimitGroup(), percentText, false)
        .steppers({u.MaxAngle1, u.MaxAngle2}, {u.txtMaxAngle1, u.txtMaxAngle2}, degreeText, false)
        .steppers({u.StickDeadband}, {u.txtStickDeadband}, percentText, false)
        .popUps({u.ServoFrequency, u.GainLevel, u.ControlBehavior, u.GyroDlpf});
    return codec;
}

void OVXC_ViewController::didDecode(const QByteArray& block) {
    const int w = wingTypeOffset();
    applyWingType(byteAt(block, w));
    applyMounting(byteAt(block, w + 1));
}

void OVXC_ViewController::applyWingType(int index) {
    view();
    const int i = std::clamp(index, 0, shape.wingTypes - 1);
    showPicture(ui_->imgWingType, QString::fromLatin1(fnameWingType[pictureRow()][i]));
}

void OVXC_ViewController::applyMounting(int index) {
    view();
    const int i = std::clamp(index, 0, 3);
    showPicture(ui_->imgMounting, QString::fromLatin1(fnameMounting[pictureRow()][i]));
}

void OVXC_ViewController::resetChannelMapping() {
    view();
    const int type = ui_->ReceiverType->currentIndex();
    const int subType = ui_->ReceiverSubType->currentIndex();
    const bool brands = type <= kLastBrandReceiverType;
    const std::array<int, 9>& set =
        (brands && subType == 1) || (!brands && subType >= 2 && subType <= 6) ? kChannelSetA
        : !brands && subType == kJetiExBus                                     ? kChannelSetB
                                                                               : kChannelSetC;
    const QList<QComboBox*> channels = rcMappingGroup();
    for (qsizetype i = 0; i < channels.size(); ++i)
        channels[i]->setCurrentIndex(set[i]);
    const QList<QComboBox*> outputs = outputMappingGroup();
    for (int i = 0; i < 4; ++i)
        outputs[i]->setCurrentIndex(i + 1);
    outputs[4]->setCurrentIndex(ui_->ReceiverType->currentIndex() != 0 ? 6 : 5);
}

// ---- Receiver section ----

void OVXC_ViewController::updateReceiverSubTypeList(int receiverType) {
    view();
    QComboBox* subTypes = ui_->ReceiverSubType;
    subTypes->clear();
    if (receiverType > kLastBrandReceiverType) {
        const std::uint8_t firmware = parentController ? parentController->firmwareVersion : 0;
        int count = kCommonProtocols;
        if (firmware > kLastFirmwareWithoutJetiExBus)
            ++count;
        if (firmware >= kFirstFirmwareWithCrsf)
            ++count;
        for (int i = 0; i < count; ++i)
            subTypes->addItem(QString::fromLatin1(receiverProtocols[i]));
    } else {
        for (const char* brand : receiverBrands)
            subTypes->addItem(QString::fromLatin1(brand));
    }
    subTypes->setCurrentIndex(0);
    for (QComboBox* popUp : rcMappingGroup())
        popUp->setEnabled(receiverType > 0);
}

void OVXC_ViewController::updateOutputControls(int tag) {
    view();
    const int a = std::clamp(tag, 0, shape.outputs - 1);
    const int function = outputMappingGroup()[a]->currentIndex();
    const bool shown = function >= kFirstServoFunction && function <= kLastServoFunction;
    const QList<QSpinBox*> limits = travelLimitGroup();
    for (QWidget* control : {static_cast<QWidget*>(servoReverseGroup()[a]),
                             static_cast<QWidget*>(subTrimGroup()[a]),
                             static_cast<QWidget*>(limits[2 * a]),
                             static_cast<QWidget*>(limits[2 * a + 1])})
        control->setHidden(!shown);
    // The steppers show their values themselves: their value texts stay hidden.
    const QList<QLabel*> limitTexts = txtTravelLimitGroup();
    for (QLabel* text : {txtSubTrimGroup()[a], limitTexts[2 * a], limitTexts[2 * a + 1]})
        text->setHidden(true);
}

// ---- Control actions ----

void OVXC_ViewController::changeReceiverTypeAction(QComboBox* sender) {
    updateReceiverSubTypeList(sender->currentIndex());
}

void OVXC_ViewController::chooseOuputMappingAction(QComboBox* sender) {
    if (ui_->ReceiverType->currentIndex() == 0 && sender->currentIndex() >= kFirstAuxFunction)
        showCriticalAlert(localized("AUX_INVALID_WARNING"), {});
    updateOutputControls(tagOf(sender));
}

// ---- Write flow ----

std::optional<bool> OVXC_ViewController::receiverChanged(const QByteArray& block) const {
    const int typeOffset = hasLongLayout() ? dataOffsetReceiverType_V1_1 : dataOffsetReceiverType_V1_0;
    const int subTypeOffset =
        hasLongLayout() ? dataOffsetReceiverSubType_V1_1 : dataOffsetReceiverSubType_V1_0;
    if (block.size() <= std::max(typeOffset, subTypeOffset))
        return std::nullopt;
    return byteAt(block, typeOffset) != ui_->ReceiverType->currentIndex() ||
           byteAt(block, subTypeOffset) != ui_->ReceiverSubType->currentIndex();
}
