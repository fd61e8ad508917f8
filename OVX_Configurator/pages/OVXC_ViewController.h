#pragma once

#include "OVX_Configurator/pages/SettingsPageViewController.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QList>

#include <array>
#include <span>
#include <memory>

namespace Ui {
class OVXC_ViewController;
}

// The page of the OVXC unit (device identifier 170), child page 4 of the main view. Its block has
// two layouts: 93 bytes up to data version 16, 96 bytes after it, where three user mode bytes
// follow the flight modes and every later field moves up by three. When such a unit is
// identified the main view installs the page's dataToUI, uiToData and writeToDevice in its
// handler slots. The page shows the block in its controls and writes them back, lists the
// receiver sub-types by receiver type and firmware, shows the servo controls of the outputs that
// carry a servo, and guards a change of receiver on write.
class OVXC_ViewController : public SettingsPageViewController {
    Q_OBJECT
public:
    // Block lengths of the two layouts.
    static constexpr int shortBlockLength = 93;
    static constexpr int longBlockLength = 96;
    // Receiver type and sub-type bytes: up to data version 16, and after it.
    static constexpr int dataOffsetReceiverType_V1_0 = 30;
    static constexpr int dataOffsetReceiverSubType_V1_0 = 31;
    static constexpr int dataOffsetReceiverType_V1_1 = 33;
    static constexpr int dataOffsetReceiverSubType_V1_1 = 34;

    // Names of the unit's system states and flight modes (texts of the status bar).
    static constexpr std::array<const char*, 7> strSystemState{
        "INITIALIZING",      "STANDBY",           "NOSIGNAL",         "STICK_CENTERING",
        "ACCEL_CALIBRATING", "LEVEL_CALIBRATING", "HOVER_CALIBRATING"};
    static constexpr std::array<const char*, 7> strFlightMode{
        "OFF_MODE",   "NORMAL_MODE", "LOCK_MODE", "ANGLE_MODE",
        "LEVEL_MODE", "HOVER_MODE",  "USER_MODE"};
    // Pictures: row 0 English, row 1 Chinese (pictureRow()).
    static constexpr std::array<std::array<const char*, 3>, 2> fnameWingType{{
        {"ovxc_wingtype_1_en", "ovxc_wingtype_2_en", "ovxc_wingtype_3_en"},
        {"ovxc_wingtype_1_cn", "ovxc_wingtype_2_cn", "ovxc_wingtype_3_cn"},
    }};
    static constexpr std::array<std::array<const char*, 4>, 2> fnameMounting{{
        {"ovxc_mounting_1_en", "ovxc_mounting_2_en", "ovxc_mounting_3_en", "ovxc_mounting_4_en"},
        {"ovxc_mounting_1_cn", "ovxc_mounting_2_cn", "ovxc_mounting_3_cn", "ovxc_mounting_4_cn"},
    }};
    static constexpr std::array<const char*, 6> fnameAccelCalibration{
        "ovxc-acc-cali-step-1", "ovxc-acc-cali-step-2", "ovxc-acc-cali-step-3",
        "ovxc-acc-cali-step-4", "ovxc-acc-cali-step-5", "ovxc-acc-cali-step-6"};

    // Receiver sub-types: serial protocols (receiver types 2 and above; the last two only with
    // newer firmware) and receiver brands (receiver types 0 and 1). Item titles as shown.
    static constexpr std::array<const char*, 10> receiverProtocols{
        "SBus - Futaba/WFLY WBus",
        "SBus - FrSky/RadioLink/JETI/TBS",
        "Spektrum DSM2/X 1024 Remote",
        "Spektrum DSM2/X 2048 Remote",
        "Spektrum SRXL",
        "Multiplex SRXL/JR XBUS Mode B",
        "Graupner SUMD",
        "FlySky iBUS",
        "JETI EXBus",
        "TBS/ELRS CRSF"};
    static constexpr std::array<const char*, 6> receiverBrands{
        "Futaba/Hitec/WFLY", "JR/Spektrum/Graupner/Walkera", "FrSky/OpenTX/EdgeTX/TBS",
        "JETI Duplex/FlySky", "RadioLink",                    "Others"};

    OVXC_ViewController();
    ~OVXC_ViewController() override;

    // Connects this page's own control actions to the controls' user signals.
    void viewDidLoad() override;

    // ---- Outlet groups of this page (new lists in a fixed order) ----
    QList<QAbstractButton*> servoReverseGroup() const;
    QList<QComboBox*> outputMappingGroup() const;

    // ---- Parameter block ----
    // Whether the block has the long layout: data version above 16.
    bool hasLongLayout() const { return hasUserMode(); }
    // Offset of the wing type byte: 28 in the short layout, 31 in the long one.
    int wingTypeOffset() const;
    // The default channel and output functions of the selected receiver type and sub-type;
    // changes only the controls.
    void resetChannelMapping() override;
    // Wing type picture for wing type `index` (0-2).
    void applyWingType(int index) override;
    // Mounting picture for mounting `index` (0-3).
    void applyMounting(int index) override;

    // ---- Receiver section ----
    // Refills the sub-type pop-up for receiver type `receiverType`, selects its first item, and
    // lets the channel mapping be edited except with receiver type 0.
    void updateReceiverSubTypeList(int receiverType);
    // Shows the servo controls of output `tag` (0-4) when its output function is 1 to 5, hides
    // them otherwise.
    void updateOutputControls(int tag);

    // ---- Control actions of this page (the sender is the control the user changed) ----
    void changeReceiverTypeAction(QComboBox* sender);
    // Warns with "AUX_INVALID_WARNING" about an auxiliary output (items 6 and above) with
    // receiver type 0, then shows or hides the output's servo controls.
    void chooseOuputMappingAction(QComboBox* sender);

    // ---- Live telemetry ----
    PollLengths pollLengths() const override { return {11, 22, 24, 16}; }
    std::span<const char* const> systemStateKeys() const override { return strSystemState; }
    std::span<const char* const> flightModeKeys() const override { return strFlightMode; }
    // Receiver channels 1-9 in percent of the reply's full scale (showChannelsOfFullScale).
    void decodeStickReply(const QByteArray& payload) override { showChannelsOfFullScale(payload); }
    // Outputs 1-5, all with their marks, against the reply's travel span
    // (showOutputsOfTravelSpan).
    void decodeServoReply(const QByteArray& payload) override { showOutputsOfTravelSpan(payload); }

protected:
    QWidget* loadView() override;
    // Bytes 3 to 92 (short layout) or 95 (long layout), in block order.
    BlockCodec blockFields() const override;
    void didDecode(const QByteArray& block) override;
    // The receiver type and sub-type against bytes 30 and 31 (short layout) or 33 and 34.
    std::optional<bool> receiverChanged(const QByteArray& block) const override;

private:
    std::unique_ptr<Ui::OVXC_ViewController> ui_;
};
