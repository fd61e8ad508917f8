#include "OVX_Configurator/pages/OVXD_ViewController.h"

#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "ui_OVXD_ViewController.h"

#include <algorithm>
#include <cstdint>

namespace {

// Receiver sub-types: with receiver type 0 the transmitter brand, with any other the serial
// receiver's protocol.
constexpr const char* kTransmitterBrands[] = {"Futaba/Hitec/WFLY", "JR/Spektrum/Graupner/Walkera",
                                              "FrSky/OpenTX/EdgeTX/TBS", "JETI Duplex/FlySky",
                                              "RadioLink"};
constexpr const char* kSerialProtocols[] = {"SBus - Futaba/WFLY WBus",
                                            "SBus - FrSky/RadioLink/JETI/TBS",
                                            "Spektrum DSM2/X 1024 Remote",
                                            "Spektrum DSM2/X 2048 Remote",
                                            "Spektrum SRXL",
                                            "Multiplex SRXL/JR XBUS Mode B",
                                            "Graupner SUMD",
                                            "FlySky iBUS"};
constexpr const char* kJetiExBus = "JETI EXBus";
constexpr const char* kCrsf = "TBS/ELRS CRSF";

// Sub-type items with their own channel order.
constexpr int kJrBrand = 1;
constexpr int kFirstSpektrumProtocol = 2;
constexpr int kGraupnerSumd = 6;
constexpr int kJetiExBusItem = 8;

// Default channel functions (item indexes) of receiver channels 1-7.
using ChannelFunctions = std::array<int, 7>;
constexpr ChannelFunctions kJrSpektrumChannels{2, 3, 4, 6, 5, 0, 1};
constexpr ChannelFunctions kJetiExBusChannels{2, 4, 5, 3, 6, 0, 1};
constexpr ChannelFunctions kOtherChannels{1, 2, 4, 6, 5, 0, 3};

} // namespace

OVXD_ViewController::OVXD_ViewController()
    : SettingsPageViewController({.channels = 7,
                                  .outputs = 4,
                                  .wingTypes = 3,
                                  .flightModes = 3,
                                  .outputIndicators = 5,
                                  .userMode = false}),
      ui_(std::make_unique<Ui::OVXD_ViewController>()) {}

OVXD_ViewController::~OVXD_ViewController() = default;

QWidget* OVXD_ViewController::loadView() {
    return loadLayout(*ui_);
}

// ---- View life cycle ----

void OVXD_ViewController::viewDidLoad() {
    SettingsPageViewController::viewDidLoad();
    connect(ui_->ReceiverType, &QComboBox::activated, this,
            [this] { changeReceiverTypeAction(ui_->ReceiverType); });
    setUpAccelCalibrationWizard(fnameAccelCalibration);
    updateReceiverSubTypeList(ui_->ReceiverType->currentIndex());
}

// ---- Parameter block ----

QStringList OVXD_ViewController::receiverSubTypeItems(int receiverType,
                                                      std::uint8_t firmwareVersion) {
    QStringList items;
    if (receiverType == 0) {
        for (const char* brand : kTransmitterBrands)
            items << QString::fromLatin1(brand);
        items << localized("RECEIVER_BRAND_OTHERS");
        return items;
    }
    for (const char* protocol : kSerialProtocols)
        items << QString::fromLatin1(protocol);
    if (firmwareVersion >= firstFirmwareWithJetiExBus)
        items << QString::fromLatin1(kJetiExBus);
    if (firmwareVersion >= firstFirmwareWithCrsf)
        items << QString::fromLatin1(kCrsf);
    return items;
}

void OVXD_ViewController::updateReceiverSubTypeList(int index) {
    view();
    const std::uint8_t firmware = parentController ? parentController->firmwareVersion : 0;
    QComboBox* list = ui_->ReceiverSubType;
    list->clear();
    list->addItems(receiverSubTypeItems(index, firmware));
    list->setCurrentIndex(0);
}

// The block from byte 3 to byte 70, in block order.
BlockCodec OVXD_ViewController::blockFields() const {
    const auto& u = *ui_;
    auto* page = const_cast<OVXD_ViewController*>(this);
    BlockCodec codec(3);
    codec.int16Texts(accCalibrationValueGroup())
        .steppers(offsetGroup(), txtOffsetGroup(), offsetText, true)
        .popUps(flightModeGroup())
        .radioGroup(wingTypeGroup())
        .radioGroup(mountingGroup())
        .popUps({u.ReceiverType})
        .afterDecoding(
            [page] { page->updateReceiverSubTypeList(page->ui_->ReceiverType->currentIndex()); })
        .popUps({u.ReceiverSubType})
        .popUps(rcMappingGroup())
        .switches(gyroEnableGroup().first(3))
        .switches(gyroReverseGroup())
        .steppers(gainGroup(), txtGainGroup(), percentText, false)
        .steppers(subTrimGroup(), txtSubTrimGroup(), plainText, true)
        .steppers(travelLimitGroup(), txtTravelLimitGroup(), percentText, false)
        .steppers({u.MaxAngle1, u.MaxAngle2}, {u.txtMaxAngle1, u.txtMaxAngle2}, degreeText, false)
        .steppers({u.StickDeadband}, {u.txtStickDeadband}, percentText, false)
        .popUps({u.ServoFrequency, u.GainLevel, u.ControlBehavior, u.SpekBindOption});
    return codec;
}

void OVXD_ViewController::didDecode(const QByteArray& block) {
    applyWingType(static_cast<std::uint8_t>(block[22]));
    applyMounting(static_cast<std::uint8_t>(block[23]));
}

void OVXD_ViewController::resetChannelMapping() {
    view();
    const int type = ui_->ReceiverType->currentIndex();
    const int subType = ui_->ReceiverSubType->currentIndex();
    const bool jrOrSpektrum = type == 0
                                  ? subType == kJrBrand
                                  : subType >= kFirstSpektrumProtocol && subType <= kGraupnerSumd;
    const ChannelFunctions& functions = jrOrSpektrum ? kJrSpektrumChannels
                                        : type != 0 && subType == kJetiExBusItem
                                            ? kJetiExBusChannels
                                            : kOtherChannels;
    const QList<QComboBox*> mapping = rcMappingGroup();
    for (std::size_t i = 0; i < functions.size(); ++i)
        mapping[qsizetype(i)]->setCurrentIndex(functions[i]);
}

void OVXD_ViewController::applyWingType(int index) {
    view();
    const int i = std::clamp(index, 0, 2);
    showPicture(ui_->imgWingType, QString::fromLatin1(fnameWingType[pictureRow()][i]));
}

void OVXD_ViewController::applyMounting(int index) {
    view();
    const int i = std::clamp(index, 0, 3);
    showPicture(ui_->imgMounting, QString::fromLatin1(fnameMounting[pictureRow()][i]));
}

// ---- Control actions ----

void OVXD_ViewController::changeReceiverTypeAction(QComboBox* sender) {
    updateReceiverSubTypeList(sender->currentIndex());
}

// ---- Write flow ----

std::optional<bool> OVXD_ViewController::receiverChanged(const QByteArray& block) const {
    if (block.size() <= dataOffsetReceiverSubType)
        return std::nullopt;
    return static_cast<std::uint8_t>(block[dataOffsetReceiverType]) !=
               ui_->ReceiverType->currentIndex() ||
           static_cast<std::uint8_t>(block[dataOffsetReceiverSubType]) !=
               ui_->ReceiverSubType->currentIndex();
}
