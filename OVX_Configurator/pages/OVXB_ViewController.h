#pragma once

#include "OVX_Configurator/pages/SettingsPageViewController.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QList>
#include <QProgressBar>
#include <QSpinBox>

#include <array>
#include <memory>

namespace Ui {
class OVXB_ViewController;
}

// The page of the OVXB unit (device identifier 168, 91-byte parameter block), child page 3 of
// the main view. When such a unit is identified the main view installs the page's dataToUI,
// uiToData and writeToDevice in its handler slots. The page shows the block in its controls and
// writes them back, guards a change of receiver type on write, and runs the servo trimming and
// travel limiting procedures on the unit.
class OVXB_ViewController : public SettingsPageViewController {
    Q_OBJECT
public:
    // Length of the parameter block.
    static constexpr int blockLength = 91;
    // Offset of the receiver type byte in the block.
    static constexpr int dataOffsetReceiverType = 31;

    // Names of the unit's system states and flight modes (texts of the status bar).
    static constexpr std::array<const char*, 9> strSystemState{
        "INITIALIZING",      "STANDBY",           "NOSIGNAL",
        "STICK_CENTERING",   "ACCEL_CALIBRATING", "LEVEL_CALIBRATING",
        "HOVER_CALIBRATING", "SERVO_TRIMMING",    "SERVO_TRAVELLING"};
    static constexpr std::array<const char*, 7> strFlightMode{
        "OFF_MODE",   "NORMAL_MODE", "LOCK_MODE", "TRAINER_MODE",
        "LEVEL_MODE", "HOVER_MODE",  "USER_MODE"};
    // Pictures: row 0 English, row 1 Chinese (pictureRow()).
    static constexpr std::array<std::array<const char*, 7>, 2> fnameWingType{{
        {"ovxb_wingtype_1", "ovxb_wingtype_2", "ovxb_wingtype_3", "ovxb_wingtype_4",
         "ovxb_wingtype_5", "ovxb_wingtype_6", "ovxb_wingtype_7"},
        {"ovxb_wingtype_1", "ovxb_wingtype_2", "ovxb_wingtype_3", "ovxb_wingtype_4",
         "ovxb_wingtype_5", "ovxb_wingtype_6", "ovxb_wingtype_7"},
    }};
    static constexpr std::array<std::array<const char*, 4>, 2> fnameMounting{{
        {"ovxb_mounting_1", "ovxb_mounting_2", "ovxb_mounting_3", "ovxb_mounting_4"},
        {"ovxb_mounting_1", "ovxb_mounting_2", "ovxb_mounting_3", "ovxb_mounting_4"},
    }};
    static constexpr std::array<const char*, 6> fnameAccelCalibration{
        "ovxb-acc-cali-step-1", "ovxb-acc-cali-step-2", "ovxb-acc-cali-step-3",
        "ovxb-acc-cali-step-4", "ovxb-acc-cali-step-5", "ovxb-acc-cali-step-6"};

    // The servo procedure running on the unit; the procedure buttons' titles follow it.
    enum class ServoProcedure { None, Trimming, Travelling };

    OVXB_ViewController();
    ~OVXB_ViewController() override;

    // Connects this page's own control actions to the controls' user signals.
    void viewDidLoad() override;

    // ---- Parameter block ----
    // The default channel functions of receiver channels 1-7 (items 1, 2, 4, 6, 7, 8, 5);
    // changes only the controls.
    void resetChannelMapping() override;
    // Wing type picture and the controls of outputs 4 and 5 for wing type `index` (0-6).
    void applyWingType(int index) override;
    // Mounting picture for mounting `index` (0-3).
    void applyMounting(int index) override;

    // ---- Control actions of this page (the sender is the control the user changed) ----
    void stepAccelLpfAction(QSpinBox* sender);
    void switchReceiverTypeAction(QAbstractButton* sender);
    void switchRRModeAction(QAbstractButton* sender);

    // ---- Live telemetry ----
    PollLengths pollLengths() const override { return {11, 14, 20, 16}; }
    std::span<const char* const> systemStateKeys() const override { return strSystemState; }
    std::span<const char* const> flightModeKeys() const override { return strFlightMode; }
    // Receiver channels 1-7: bar v + 1200 (0..2400), rate v / 8 in percent, value v / 2.
    void decodeStickReply(const QByteArray& payload) override;
    // Outputs 1-5: value text, bar (800..2220) and the neutral and travel limit marks placed
    // from the travel limits shown on the page.
    void decodeServoReply(const QByteArray& payload) override;
    // The travel of a travel limit stepper value in output units: 0 below 0, 600 from 151 on,
    // else 4 per percent.
    static int travelOfLimit(int limit);

    // ---- Servo procedures ----
    ServoProcedure servoProcedure() const { return servoProcedure_; }
    void btnServoTrimmingAction() { toggleServoTrimming(); }
    void btnTravelLimitingAction() { toggleTravelLimiting(); }
    // Idle: "..._START_CONFIRM", then "TRIM" / "TRVL". Running: "..._EXIT_CONFIRM", then "CNCL".
    void toggleServoTrimming();
    void toggleTravelLimiting();
    void servoTrimmingStarted();
    void servoTrimmingEnded();
    void travelLimitingStarted();
    void travelLimitingEnded();
    // A running procedure ends on the page as after Exit, but nothing is sent or read: the
    // caution "SERVO_TRIMMING_ABANDONED" or "SERVO_TRAVELLING_ABANDONED" in the message bar says
    // why. Then what every tabbed page ends.
    void unitGone() override;
    // "CNCL" (the Exit of either procedure) while servo trimming or servo travel runs.
    QByteArray procedureEndWord() const override;

protected:
    QWidget* loadView() override;

protected:
    // Bytes 3 to 85, in block order.
    BlockCodec blockFields() const override;
    void didDecode(const QByteArray& block) override;
    // The receiver type against byte 31.
    std::optional<bool> receiverChanged(const QByteArray& block) const override;

private:
    QList<QAbstractButton*> receiverTypeGroup() const;
    QList<QComboBox*> gainDropGroup() const;
    void toggleServoProcedure(ServoProcedure procedure);
    // Titles, enabled states and picture for `procedure` running.
    void setServoProcedure(ServoProcedure procedure);
    // The unit acknowledged "CNCL": idle, and the block read again for what the procedure set.
    void endServoProcedure();

    std::unique_ptr<Ui::OVXB_ViewController> ui_;
    ServoProcedure servoProcedure_ = ServoProcedure::None;
};
