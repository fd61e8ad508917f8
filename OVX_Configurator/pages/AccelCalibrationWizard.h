#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QObject>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <span>
#include <vector>

class TabbedModelPageViewController;

// The accelerometer calibration wizard of the pages with four-letter commands. "ACCL" puts the
// unit into calibration mode; then the user lays the model in one orientation after another as
// the step's picture shows and confirms each with Next, which sends the step byte (the step index
// + 1, answered by two acknowledge bytes within stepTimeout) under the progress sheet. Prev goes
// back one picture without sending anything; Cancel sends "CNCL". After the last step the block
// is read again to show the new calibration values.
//
// While the wizard is open the page's buttons, the port list, the menus and closing the window
// are locked. Whatever ends it (success, cancel, the unit gone with its port, a step the link
// refuses because the port is gone) unlocks them all again.
class AccelCalibrationWizard : public QObject {
public:
    struct Outlets {
        QGroupBox* boxAccelCalibrationWizard = nullptr;
        QLabel* imgAccelCalibration = nullptr;
        QPushButton* btnAccelCalibration = nullptr;
        QPushButton* btnAccelCalibrationNext = nullptr;
        QPushButton* btnAccelCalibrationPrev = nullptr;
        QPushButton* btnAccelCalibrationCancel = nullptr;

        // The outlets of that name in `view`; the program stops, naming the outlet, when one is
        // missing.
        static Outlets find(QWidget* view);
    };

    // One step per picture name, in step order (at least one), on `page`'s outlets.
    AccelCalibrationWizard(TabbedModelPageViewController& page, const Outlets& outlets,
                           std::span<const char* const> fnameAccelCalibration);
    ~AccelCalibrationWizard() override;

    // Seconds the unit has to acknowledge a step.
    static constexpr double stepTimeout = 5.0;

    // The orientation shown, 0 .. lastStep(); set to 0 when the wizard opens.
    int accelCalibrationStep = 0;
    int lastStep() const { return int(fnameAccelCalibration_.size()) - 1; }
    bool isOpen() const { return open_; }

    // Button actions.
    void btnAccelCalibrateAction() { confirmAccelCalibrationStart(); }
    void btnAccelCalibrationNextAction() { sendAccelCalibrationStep(); }
    void btnAccelCalibrationPrevAction() { showPreviousAccelCalibrationStep(); }
    void btnAccelCalibrationCancelAction() { confirmAccelCalibrationCancel(); }

    // With an open port "ACCEL_CALIBRATION_START_CONFIRM"; YES sends "ACCL". With none the main
    // view's port warning.
    void confirmAccelCalibrationStart();
    // The unit acknowledged "ACCL": locks, then shows the first step.
    void accelCalibrationStarted();
    // The step byte of the step shown, under the progress sheet. With no port the wizard ends on
    // our side with the main view's port warning; a link busy with another request refuses the
    // step ("DEVICE_BUSY") and the wizard stays on it.
    void sendAccelCalibrationStep();
    // The step acknowledged: the next step, or after the last one "CALIBRATION_SUCCESS" and the
    // block read again.
    void accelCalibrationStepDone();
    // A rejected or unanswered step: "CALIBRATION_FAILED" / "RESPONSE_TIMEOUT"; the step stays.
    void accelCalibrationStepFailed();
    void accelCalibrationStepTimedOut();
    // One picture back (nothing at the first); nothing is sent.
    void showPreviousAccelCalibrationStep();
    // With an open port "ACCEL_CALIBRATION_CANCEL_CONFIRM"; YES sends "CNCL". With none the
    // wizard ends on our side with the main view's port warning.
    void confirmAccelCalibrationCancel();
    // The unit acknowledged "CNCL": unlocks, "CALIBRATION_CANCELLED", no read.
    void accelCalibrationCancelled();
    // The unit is gone (its page learnt it): an open wizard ends on our side at once, nothing is
    // sent, and the caution "ACCEL_CALIBRATION_ABANDONED" in the message bar says why (the main
    // view tells of the port itself). A closed wizard is left as it is.
    void unitGone() {
        if (open_)
            abandon(false);
    }

private:
    bool portIsOpen() const;
    // The step's picture, its number in the box's title, Prev from the second step on.
    void showStep();
    // Locks or unlocks the page's buttons, the port list, the menus and the window's closing.
    void setLocked(bool locked);
    // Hides the wizard and unlocks everything.
    void close();
    // The wizard ends on our side because its port went away: the progress sheet goes, the
    // wizard closes, and the user is told (the main view's port warning when `warnPort`, else a
    // caution in the message bar, as the main view has already told of the port).
    void abandon(bool warnPort);
    void dismissProgressSheet();

    TabbedModelPageViewController& page_;
    Outlets outlets_;
    std::vector<QString> fnameAccelCalibration_;
    bool open_ = false;
    // The page buttons' enabled states before the wizard locked them.
    std::vector<std::pair<QWidget*, bool>> lockedControls_;
};
