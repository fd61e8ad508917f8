#pragma once

#include "OVX_Configurator/pages/SettingsPageViewController.h"

#include <QByteArray>
#include <QComboBox>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace Ui {
class OVXD_ViewController;
}

// The page of the OVXD ("OVX Delta") unit (device identifier 169, 71-byte parameter block), child
// page 5 of the main view. When such a unit is identified the main view installs the page's
// dataToUI, uiToData and writeToDevice in its handler slots. The page shows the block in its
// controls and writes them back; its receiver sub-type list follows the receiver type and the
// unit's firmware, and a change of either asks about the channel mapping on write.
class OVXD_ViewController : public SettingsPageViewController {
    Q_OBJECT
public:
    // Length of the parameter block.
    static constexpr int blockLength = 71;
    // Offsets of the receiver type and sub-type bytes in the block.
    static constexpr int dataOffsetReceiverType = 24;
    static constexpr int dataOffsetReceiverSubType = 25;

    // Names of the unit's system states and flight modes (texts of the status bar).
    static constexpr std::array<const char*, 7> strSystemState{
        "INITIALIZING",      "STANDBY",           "NOSIGNAL",         "STICK_CENTERING",
        "ACCEL_CALIBRATING", "LEVEL_CALIBRATING", "HOVER_CALIBRATING"};
    static constexpr std::array<const char*, 7> strFlightMode{
        "OFF_MODE",   "NORMAL_MODE", "LOCK_MODE", "ANGLE_MODE",
        "LEVEL_MODE", "HOVER_MODE",  "USER_MODE"};
    // Pictures: row 0 English, row 1 Chinese (pictureRow()).
    static constexpr std::array<std::array<const char*, 3>, 2> fnameWingType{{
        {"ovxd_wingtype_1", "ovxd_wingtype_2", "ovxd_wingtype_3"},
        {"ovxd_wingtype_1", "ovxd_wingtype_2", "ovxd_wingtype_3"},
    }};
    static constexpr std::array<std::array<const char*, 4>, 2> fnameMounting{{
        {"ovxd_mounting_1", "ovxd_mounting_2", "ovxd_mounting_3", "ovxd_mounting_4"},
        {"ovxd_mounting_1", "ovxd_mounting_2", "ovxd_mounting_3", "ovxd_mounting_4"},
    }};
    static constexpr std::array<const char*, 2> fnameAccelCalibration{"ovxd-acc-cali-step-1",
                                                                      "ovxd-acc-cali-step-2"};

    // Firmware versions (the raw byte) from which the serial receiver list offers its last items.
    static constexpr std::uint8_t firstFirmwareWithJetiExBus = 18;
    static constexpr std::uint8_t firstFirmwareWithCrsf = 22;

    OVXD_ViewController();
    ~OVXD_ViewController() override;

    // Connects this page's own control actions to the controls' user signals.
    void viewDidLoad() override;

    // ---- Parameter block ----
    // The items of the receiver sub-type list for receiver type `receiverType`: the transmitter
    // brands for type 0, the serial receiver protocols for any other type, the last ones only
    // with firmware that knows them.
    static QStringList receiverSubTypeItems(int receiverType, std::uint8_t firmwareVersion);
    // Rebuilds the receiver sub-type list for receiver type `index`, item 0 selected.
    void updateReceiverSubTypeList(int index);
    // The default channel functions of receiver channels 1-7 for the receiver type and sub-type
    // selected on the page; changes only the controls.
    void resetChannelMapping() override;
    // Wing type picture for wing type `index` (0-2).
    void applyWingType(int index) override;
    // Mounting picture for mounting `index` (0-3).
    void applyMounting(int index) override;

    // ---- Live telemetry ----
    PollLengths pollLengths() const override { return {11, 18, 22, 16}; }
    std::span<const char* const> systemStateKeys() const override { return strSystemState; }
    std::span<const char* const> flightModeKeys() const override { return strFlightMode; }
    // Receiver channels 1-7 in percent of the reply's full scale (showChannelsOfFullScale).
    void decodeStickReply(const QByteArray& payload) override { showChannelsOfFullScale(payload); }
    // Outputs 1-4 with their marks against the reply's travel span, output 5 (bytes 20-21)
    // without marks (showOutputsOfTravelSpan).
    void decodeServoReply(const QByteArray& payload) override { showOutputsOfTravelSpan(payload); }

    // ---- Control actions of this page (the sender is the control the user changed) ----
    void changeReceiverTypeAction(QComboBox* sender);

protected:
    QWidget* loadView() override;
    // Bytes 3 to 70, in block order; the sub-type list is rebuilt between type and sub-type.
    BlockCodec blockFields() const override;
    void didDecode(const QByteArray& block) override;
    // The receiver type and sub-type against bytes 24 and 25; none for a block without them (the
    // main view's write then says why it cannot write, and the mapping stays as it is).
    std::optional<bool> receiverChanged(const QByteArray& block) const override;

private:
    std::unique_ptr<Ui::OVXD_ViewController> ui_;
};
