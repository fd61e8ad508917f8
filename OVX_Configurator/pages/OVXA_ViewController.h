#pragma once

#include "OVX_Configurator/pages/BlockCodec.h"
#include "OVX_Configurator/pages/ModelPageViewController.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QList>
#include <QProgressBar>
#include <QSpinBox>

#include <array>
#include <cstdint>
#include <memory>

namespace Ui {
class OVXA_ViewController;
}

// The page of the OVXA unit (device identifier 166, 71-byte parameter block), child page 2 of
// the main view. It shows bytes 3 to 56 of the block in its controls and writes them back. The
// unit takes one-letter commands: its write sends the letter alone and then only the head of the
// block, its level and hover calibrations are "l" and "h", and its factory restore is done by
// the program from the page's own table of factory values. The main view installs all of these
// in its handler slots when such a unit is identified. Controls are reached by their object
// names.
class OVXA_ViewController : public ModelPageViewController {
    Q_OBJECT
public:
    // Length of the parameter block.
    static constexpr int blockLength = 71;
    // The bytes 57 to 70 are read with the block but never written back: a write carries the
    // first dataLength - writeTailLength bytes.
    static constexpr int writeTailLength = 14;
    // Seconds the unit may take for a level or hover calibration.
    static constexpr double calibrationTimeout = 10.0;

    // The factory values of bytes 0 to 56 (bytes 0 to 2 are never copied).
    static constexpr std::array<std::uint8_t, 57> defaultData{
        0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x01, 0x01, 0x01, 0x00, 0x00, 0x64, 0x64, 0x64, 0x64,
        0x64, 0x64, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x01, 0x32, 0x32, 0x32, 0x32, 0x32,
        0x32, 0x32, 0x32, 0x32, 0x32, 0x01, 0x01, 0x01, 0x02, 0x00, 0x00, 0x02, 0x00, 0x02, 0x02,
        0x05, 0x01, 0x02, 0x04, 0x06, 0x07, 0x08, 0x05, 0x00, 0x00, 0x00, 0x00};
    // The first byte the page restores from defaultData.
    static constexpr int firstRestoredByte = 3;

    // Pictures: row 0 English, row 1 Chinese (pictureRow()); both rows hold the same names.
    static constexpr std::array<std::array<const char*, 3>, 2> fnameWingType{{
        {"ovxa_wingtype_1", "ovxa_wingtype_2", "ovxa_wingtype_3"},
        {"ovxa_wingtype_1", "ovxa_wingtype_2", "ovxa_wingtype_3"},
    }};
    static constexpr std::array<std::array<const char*, 4>, 2> fnameMounting{{
        {"ovxa_mounting_1", "ovxa_mounting_2", "ovxa_mounting_3", "ovxa_mounting_4"},
        {"ovxa_mounting_1", "ovxa_mounting_2", "ovxa_mounting_3", "ovxa_mounting_4"},
    }};

    OVXA_ViewController();
    ~OVXA_ViewController() override;

    // Connects the control actions to the controls' user signals.
    void viewDidLoad() override;

    // ---- Live values ----
    // The unit answers the one poll "d" with 30 payload bytes and no CRC: signed 16-bit words,
    // high byte first, the sensors from offset 0 (gyro X Y Z, acceleration X Y Z, angle X Y) and
    // receiver channels 1-7 from offset 16.
    static constexpr int livePayloadLength = 30;
    static constexpr int channelOffset = 16;
    // Raw acceleration of one g; raw angle units per degree.
    static constexpr int oneG = 8192;
    static constexpr float angleScale = 0.01f;
    // The channel bars show value + 1000, limited to 0..2000.
    static constexpr int channelCentre = 1000;

    double pollInterval() const override { return 0.1; }
    // One poll tick: "d" on the "Receiver" and "Sensor" tabs, nothing on the others.
    void timerAction() override;
    // The poll, its reply to decodeStickReply or decodeSensorReply; nothing without an open
    // port.
    void requestStick();
    void requestSensor();
    // Receiver channels: bar v + 1000 (0..2000), rate v / 8 in percent, value v / 2. Nothing
    // from a payload that ends before channel 7.
    void decodeStickReply(const QByteArray& payload);
    // Sensor texts and one step of the charts. Nothing from a payload shorter than 16 bytes.
    void decodeSensorReply(const QByteArray& payload);

    // ---- Outlet groups (new lists in a fixed order) ----
    QList<QAbstractButton*> gyroEnableGroup() const;
    QList<QAbstractButton*> gyroReverseGroup() const;
    QList<QSpinBox*> gainGroup() const;
    QList<QLabel*> txtGainGroup() const;
    QList<QComboBox*> gainRateGroup() const;
    QList<QAbstractButton*> wingTypeGroup() const;
    QList<QAbstractButton*> mountingGroup() const;
    QList<QAbstractButton*> receiverTypeGroup() const;
    QList<QProgressBar*> rcGroup() const;
    QList<QLabel*> rcRateGroup() const;
    QList<QLabel*> rcValueGroup() const;
    QList<QComboBox*> rcMappingGroup() const;
    QList<QSpinBox*> travelLimitGroup() const;
    QList<QLabel*> txtTravelLimitGroup() const;
    QList<QSpinBox*> offsetGroup() const;
    QList<QLabel*> txtOffsetGroup() const;

    // ---- Parameter block ----
    // The main view's block into the controls (and its versions into the status bar); nothing
    // from a block shorter than 57 bytes.
    void dataToUI() override;
    // The controls into bytes 3 to 56 of the main view's block. When a control holds a value
    // without a byte form (a pop-up without a selection) the block is left as it was.
    void uiToData() override;
    // Wing type picture for `index` (clamped to 0-2).
    void applyWingType(int index);
    // Mounting picture for `index` (clamped to 0-3).
    void applyMounting(int index);

    // ---- Control actions (the sender is the control the user changed) ----
    void stepGainAction(QSpinBox* sender);
    void stepTravelLimitAction(QSpinBox* sender);
    void stepOffsetAction(QSpinBox* sender);
    void stepStickDeadbandAction(QSpinBox* sender);
    void switchGyroEnableAction(QAbstractButton* sender);
    void switchWingTypeAction(QAbstractButton* sender);
    void switchMountingAction(QAbstractButton* sender);
    void switchReceiverTypeAction(QAbstractButton* sender);

    // ---- Write, calibrations and factory restore ----
    // The main view's write ("WRITE_CONFIRM", the controls into the block) with the split frame
    // of the block's head; a control without a storable value refuses it with
    // "SETTING_NOT_STORABLE".
    void writeToDevice() override;
    // "LEVEL_CALIBRATION_CONFIRM" / "HOVER_CALIBRATION_CONFIRM", then "l" / "h" under the
    // progress sheet with the menus locked; a success reads the block again.
    void levelCalibration() override;
    void hoverCalibration() override;
    // With an open port and a whole block: "RESET_CONFIRM", then restoreDefaults. No port:
    // the main view's warnPortNotConnected; a block under 57 bytes: "DATA_BUFFER_EMPTY".
    // Nothing changes in either case.
    void factoryReset() override;
    // Bytes 3 to 56 of the block take the factory values, the controls show them, and the
    // block's head is written; "RESET_SUCCESS" when the unit acknowledges.
    void restoreDefaults();

protected:
    QWidget* loadView() override;

private:
    BlockCodec blockFields() const;
    void runCalibration(const char* confirmKey, const char* letter);

    std::unique_ptr<Ui::OVXA_ViewController> ui_;
};
