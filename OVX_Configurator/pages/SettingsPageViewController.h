#pragma once

#include "OVX_Configurator/pages/BlockCodec.h"
#include "OVX_Configurator/pages/ModelPageViewController.h"

#include <QAbstractButton>
#include <QByteArray>
#include <QComboBox>
#include <QLabel>
#include <QList>
#include <QProgressBar>
#include <QSpinBox>

#include <optional>

// What the pages of the four-letter-command units (OVXB, OVXC, OVXD) share on top of the tabbed
// page: the outlet groups their layouts have in common (found by the outlets' object names, sized
// by the page's shape), the value texts of the steppers, the mirrored
// gyro enables, the user mode of newer data versions, the parameter block coders on the page's
// field table and the write flow that guards a change of receiver.
class SettingsPageViewController : public TabbedModelPageViewController {
public:
    // How many receiver channels, servo outputs and wing types the page's layout has; how many
    // flight mode pop-ups, output indicators (with those of outputs without settings) and whether
    // the unit may have the user mode.
    struct Shape {
        int channels;
        int outputs;
        int wingTypes;
        int flightModes = 6;
        int outputIndicators = 0; // 0: one per output
        bool userMode = true;
    };

    // Data versions above this one have the user mode (three more block bytes, a seventh flight
    // mode item).
    static constexpr std::uint8_t lastDataVersionWithoutUserMode = 16;
    // Flight mode pop-ups hold the modes 0-5; the user mode is item 6.
    static constexpr int userModeItem = 6;

    // Connects the shared control actions to the controls' user signals.
    void viewDidLoad() override;
    // The user mode items by the unit's data version, then the poll timer.
    void viewDidAppear() override;

    // ---- Outlet groups (new lists in a fixed order) ----
    QList<QComboBox*> flightModeGroup() const;
    QList<QComboBox*> userModeGroup() const;
    QList<QAbstractButton*> gyroEnableGroup() const;
    QList<QAbstractButton*> gyroReverseGroup() const;
    QList<QSpinBox*> gainGroup() const;
    QList<QLabel*> txtGainGroup() const;
    QList<QAbstractButton*> wingTypeGroup() const;
    QList<QAbstractButton*> mountingGroup() const;
    QList<QProgressBar*> outGroup() const;
    QList<QLabel*> outValueGroup() const;
    QList<QSpinBox*> subTrimGroup() const;
    QList<QLabel*> txtSubTrimGroup() const;
    QList<QSpinBox*> travelLimitGroup() const;
    QList<QLabel*> txtTravelLimitGroup() const;
    QList<QLabel*> neutralMarkGroup() const;
    QList<QLabel*> leftLimitMarkGroup() const;
    QList<QLabel*> rightLimitMarkGroup() const;
    QList<QProgressBar*> rcGroup() const;
    QList<QLabel*> rcRateGroup() const;
    QList<QLabel*> rcValueGroup() const;
    QList<QComboBox*> rcMappingGroup() const;
    QList<QSpinBox*> offsetGroup() const;
    QList<QLabel*> txtOffsetGroup() const;
    QList<QLabel*> accCalibrationValueGroup() const;

    // ---- Parameter block ----
    // The main view's block into the controls (and its versions into the status bar); a block
    // shorter than the page's fields is not decoded.
    void dataToUI() override;
    // The controls into the main view's block. When a control holds a value without a byte form
    // (a pop-up without a selection) the block is left as it was.
    void uiToData() override;
    // The default channel functions of the selected receiver; changes only the controls.
    virtual void resetChannelMapping() = 0;
    // Picture (and what depends on it) for wing type or mounting `index`, clamped to the group.
    virtual void applyWingType(int index) = 0;
    virtual void applyMounting(int index) = 0;
    // Whether the unit runs the user mode: a page with it and data version above 16.
    bool hasUserMode() const;

    // ---- Control actions (the sender is the control the user changed) ----
    void stepGainAction(QSpinBox* sender);
    void stepMaxAngleAction(QSpinBox* sender);
    void stepSubTrimAction(QSpinBox* sender);
    void stepTravelLimitAction(QSpinBox* sender);
    void stepOffsetAction(QSpinBox* sender);
    void stepStickDeadbandAction(QSpinBox* sender);
    // The mirrored gyro enables (from the fourth on) show the states of the first ones.
    void switchGyroEnableAction(QAbstractButton* sender);
    void switchWingTypeAction(QAbstractButton* sender);
    void switchMountingAction(QAbstractButton* sender);
    void switchSwitchTypeAction(QAbstractButton* sender);

    // ---- Write flow ----
    // The page's and the menu's write. A receiver that differs from the one in the block asks
    // "CHANNELS_RESET_CONFIRM" first (YES resets the mapping, NO keeps it, CANCEL ends) and
    // offers a restart after the write; a control without a storable value refuses the write
    // with "SETTING_NOT_STORABLE"; a block too short to compare goes to the main view's write,
    // which says why it cannot write.
    void writeToDevice() override;
    void writeWithChannelReset();
    void writeKeepingChannels();
    // "DEVICE_RESTART_REQUIRED" with "RESTART_NOW" and "RESTART_LATER".
    void promptDeviceRestart();
    // "REBT" without a second question.
    void restartNow();

    // ---- Live values of the units whose replies carry their own scale ----
    // Percent limit of a channel; the channel bars span -limit..limit around limit (0..300).
    static constexpr int channelPercentLimit = 150;
    // Output bars show values from 800 to 2220; travel limits count up to 150 % for the marks.
    static constexpr int lowestOutput = 800;
    static constexpr int highestOutput = 2220;
    static constexpr int highestMarkedTravelLimit = 150;
    // A "STCK" payload of a full scale (bytes 2-3) and the receiver channels (from byte 4): each
    // channel in percent of the full scale, truncated toward zero and limited to ±150, on its
    // bar as percent + 150; the rate text is that percentage with "+" when it stands for a
    // positive share of the full scale (0 % included, as for a small positive value); the value
    // text is the raw value, "+" when above 0. A full scale of 0 or a short payload changes
    // nothing.
    void showChannelsOfFullScale(const QByteArray& payload);
    // A "SERV" payload of a travel span (bytes 2-3), the values of the outputs with marks (from
    // byte 4), their neutral values, then the values of the output indicators without marks.
    // Each output's text is its value, its bar the value limited to 800..2220; the neutral mark
    // stands at the neutral value, the limit marks at neutral ± travel limit (taken 0..150 %) of
    // the span, kept on the bar. Marks are not moved along a bar whose range is empty. A short
    // payload changes nothing.
    void showOutputsOfTravelSpan(const QByteArray& payload);

protected:
    explicit SettingsPageViewController(Shape shape);

    // The page's fields of the block, in block order, for the main view's unit.
    virtual BlockCodec blockFields() const = 0;
    // After a decode: what depends on the decoded controls (pictures, boxes, mirrors).
    virtual void didDecode(const QByteArray& block) = 0;
    // Whether the receiver chosen on the page differs from the one stored in `block`; none when
    // the block is too short to tell.
    virtual std::optional<bool> receiverChanged(const QByteArray& block) const = 0;

    // Outlets of the page's view by object name: `prefix`1 to `prefix``count`, or the names
    // given; the program stops, naming the group, when one is missing.
    template <class Control>
    QList<Control*> numbered(const char* group, const char* prefix, int count) const {
        QList<Control*> list;
        for (int i = 1; i <= count; ++i)
            list << outlet<Control>(prefix + QString::number(i));
        return outletGroup(group, list);
    }
    template <class Control>
    QList<Control*> named(const char* group, std::initializer_list<const char*> names) const {
        QList<Control*> list;
        for (const char* name : names)
            list << outlet<Control>(QLatin1String(name));
        return outletGroup(group, list);
    }
    // The outlet `name` of the page's view (loaded on first use), or null.
    template <class Control> Control* outlet(const QString& name) const {
        return const_cast<SettingsPageViewController*>(this)->view()->findChild<Control*>(name);
    }

    const Shape shape;

private:
    int outputIndicators() const;
    void showUserModeItems();
};
