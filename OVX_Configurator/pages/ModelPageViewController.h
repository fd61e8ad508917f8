#pragma once

#include "OVX_Configurator/ViewController.h"
#include "OVX_Configurator/pages/AccelCalibrationWizard.h"
#include "OVX_Configurator/pages/SensorCharts.h"
#include "OVX_Configurator/pages/Telemetry.h"
#include "platform/Scheduler.h"

#include <QAbstractButton>
#include <QByteArray>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QString>
#include <QTabWidget>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <span>

class AppDelegate;
class MainViewController;

// What every model page shares: the link back to the main view that made it, the program's
// delegate, the close button that returns to the welcome page, the block's versions shown in
// the status bar, and the poll timer that runs while the page is shown. A page holds no
// parameter block of its own: it works on the main view's `data`.
class ModelPageViewController : public ViewController {
public:
    using Callback = std::function<void()>;
    // A handler slot of the main view (handlerReadFromDevice, ...).
    using HandlerSlot = Callback MainViewController::*;

    ~ModelPageViewController() override;

    MainViewController* parentController = nullptr; // set by the main view after creation
    AppDelegate* appDelegate;                       // the program's one delegate
    QPointer<QPushButton> btnClose;
    // The page's tab view: items are told apart by their page widget's object name
    // ("Receiver", "OutputServos", "Sensor").
    QPointer<QTabWidget> tabMain;
    // Page buttons (those the layout has).
    QPointer<QPushButton> btnRead, btnWrite, btnLevelCalibration, btnHoverCalibration;

    // The poll timer: runs from viewDidAppear to viewWillDisappear, which the main view's page
    // switching calls (showing the window again after minimising it calls neither).
    platform::Timer timerMain;

    // Sets up the live sensor charts when the layout has them.
    void viewDidLoad() override;
    // Starts the poll timer (one timer: a running one is replaced).
    void viewDidAppear() override;
    // Stops the poll timer.
    void viewWillDisappear() override;
    // One poll tick (nothing on a page without live values).
    virtual void timerAction() {}
    // Seconds between poll ticks.
    virtual double pollInterval() const { return 0.05; }

    // ---- Live sensor values (pages whose layout has the "Sensor" tab's charts and texts) ----
    // The two live charts and their sweep.
    SensorCharts sensorCharts;
    // The texts of the sensor values: gyro X Y Z, acceleration X Y Z, angle X Y.
    std::array<QPointer<QLabel>, 3> txtGyro, txtAcc;
    std::array<QPointer<QLabel>, 2> txtAngle;
    // The last sensor sample shown (an axis without a usable one-g value keeps its acceleration).
    telemetry::SensorSample lastSensorSample;
    // Shows a sample in the texts and feeds it to the charts (one sweep step).
    void showSensorSample(const telemetry::SensorSample& sample);

    // The page's part of the main view's handler slots.
    // Decodes the main view's block into the page and its versions into the status bar.
    virtual void dataToUI();
    // Encodes the page's controls into the main view's block (no controls here: nothing).
    virtual void uiToData() {}
    // The page's write of the block.
    virtual void writeToDevice() = 0;
    // Level and hover calibration and factory restore from the page: the main view's own
    // procedures unless the unit's page runs its own.
    virtual void levelCalibration();
    virtual void hoverCalibration();
    virtual void factoryReset();

    // The unit can no longer be reached: its port closed or went away, or the main view let go
    // of it. Whatever the page runs on the unit ends on the page at once, as if it had ended
    // there, without sending anything, and the user is told once that it ended because the unit
    // is gone. The main view calls it on every model page, shown or not.
    virtual void unitGone() {}
    // The word the page's Cancel or Exit sends to end the procedure it runs on the unit (a servo
    // procedure, the accelerometer calibration); empty when it runs none. The main view sends it
    // before the program lets go of the unit's port.
    virtual QByteArray procedureEndWord() const { return {}; }

    void btnCloseAction();
    // The page buttons run the main view's handler slots (read, write, level and hover
    // calibration).
    void btnReadAction();
    void btnWriteAction();
    void btnLevelOffsetAction();
    void btnHoverOffsetAction();
    // Runs the main view's handler in `slot` when one is set; an empty slot does nothing.
    void callParentHandler(HandlerSlot slot);

    // Pictures by language: row 0 of a page's picture tables (or the "_en" picture) for English,
    // row 1 (or the "_cn" picture) for Simplified and Traditional Chinese.
    int pictureRow() const;
    QString pictureName(const char* english, const char* chinese) const;

protected:
    ModelPageViewController();

    // Builds the page's layout into a new view and connects the outlets every page has.
    template <class Form> QWidget* loadLayout(Form& form) {
        auto* view = new QWidget;
        form.setupUi(view);
        setCloseButton(form.btnClose);
        if constexpr (requires { form.tabMain; })
            tabMain = form.tabMain;
        if constexpr (requires { form.btnRead; })
            btnRead = form.btnRead;
        if constexpr (requires { form.btnWrite; })
            btnWrite = form.btnWrite;
        if constexpr (requires { form.btnLevelCalibration; })
            btnLevelCalibration = form.btnLevelCalibration;
        if constexpr (requires { form.btnHoverCalibration; })
            btnHoverCalibration = form.btnHoverCalibration;
        connectPageButtons();
        // The charts once the layout makes them line chart views.
        if constexpr (requires(charting::LineChartView* chart) {
                          chart = form.gyroChart;
                          chart = form.accChart;
                      }) {
            gyroChartView_ = form.gyroChart;
            accChartView_ = form.accChart;
        }
        if constexpr (requires { form.txtAngleY; }) {
            txtGyro = {form.txtGyroX, form.txtGyroY, form.txtGyroZ};
            txtAcc = {form.txtAccX, form.txtAccY, form.txtAccZ};
            txtAngle = {form.txtAngleX, form.txtAngleY};
        }
        return view;
    }

    // Runs `action` of the page with `button` on the user's clicks only (never on the changes
    // made by filling the controls), or with `stepper` on each change of its value (filling
    // the controls blocks it).
    template <class Page>
    void onClick(QAbstractButton* button, void (Page::*action)(QAbstractButton*)) {
        auto* page = static_cast<Page*>(this);
        connect(button, &QAbstractButton::clicked, this,
                [page, button, action] { (page->*action)(button); });
    }
    template <class Page> void onStep(QSpinBox* stepper, void (Page::*action)(QSpinBox*)) {
        auto* page = static_cast<Page*>(this);
        connect(stepper, &QSpinBox::valueChanged, this,
                [page, stepper, action] { (page->*action)(stepper); });
    }


    // Sends the live poll `command` for a reply of `length` payload bytes (followed by a CRC
    // when `withCrc`) while the port is open; nothing when `length` is 0 or less. The link skips
    // it while another exchange is on the line. A good reply's payload goes to `decoder` while
    // the page exists. Returns false only when the line was taken, so that the tick's poll is
    // tried again at the next tick.
    bool sendLivePoll(const QByteArray& command, int length, bool withCrc,
                      std::function<void(const QByteArray&)> decoder);

    // Refuses a write because `control` holds a value without a byte form: its tabs are shown,
    // it takes the focus, and the critical message "SETTING_NOT_STORABLE" names it as the page
    // shows it (controlName) and says why.
    void refuseWrite(QWidget* control);

private:
    void setCloseButton(QPushButton* button);
    void connectPageButtons();

    QPointer<charting::LineChartView> gyroChartView_, accChartView_;
};

// The pages of the units with four-letter commands (OVXB, OVXC, OVXD): tabbed, with a sensor tab
// that holds the accelerometer calibration wizard, page buttons that call the main view's
// handler slots, written through the main view's write, and procedures ("TRIM", "TRVL", "ACCL",
// "CNCL") sent by sendProcedureCommand.
class TabbedModelPageViewController : public ModelPageViewController {
public:
    // The sensor tab's own tab view (its item "AccelerometerCalibration").
    QPointer<QTabWidget> tabSensor;

    // The page's write: the main view's write of the block.
    void writeToDevice() override;

    // Sends a procedure command word: one acknowledge byte within procedureTimeout, the link
    // busy meanwhile; exactly one closure runs when the request went out. With no open port the
    // main view's warnPortNotConnected, with the link busy the critical message "DEVICE_BUSY";
    // then nothing is sent, no closure runs and the result is false. The closures run only
    // while the page exists.
    bool sendProcedureCommand(const QByteArray& word, Callback onSuccess, Callback onError,
                              Callback onTimeout);
    // The critical messages "RESPONSE_ERROR" and the main view's showNoReply.
    void showResponseError();
    void showResponseTimeout();

    static constexpr double procedureTimeout = 0.5;

    // An open calibration wizard ends; the status bar no longer shows a state of the unit.
    void unitGone() override;
    // "CNCL" while the accelerometer calibration wizard is open.
    QByteArray procedureEndWord() const override;

    // ---- Accelerometer calibration ----
    // The wizard on the sensor tab's "AccelerometerCalibration" item, once the page set it up.
    std::unique_ptr<AccelCalibrationWizard> accelCalibrationWizard;
    // Sets up the wizard on the layout's outlets boxAccelCalibrationWizard, imgAccelCalibration,
    // btnAccelCalibration, btnAccelCalibrationNext, btnAccelCalibrationPrev and
    // btnAccelCalibrationCancel, with one step per picture name in step order (a wizard set up
    // before is replaced). The program stops when an outlet is missing or no picture is given.
    void setUpAccelCalibrationWizard(std::span<const char* const> fnameAccelCalibration);

    // ---- Live telemetry ----
    // Payload lengths of the model's poll replies; 0: no such poll is sent (a page without
    // live values sends none).
    struct PollLengths {
        int info = 0;
        int stick = 0;
        int servo = 0;
        int sensor = 0;
    };
    virtual PollLengths pollLengths() const { return {}; }
    // Localisation keys of the model's system states and flight modes: a status byte beyond the
    // last key shows the last one.
    virtual std::span<const char* const> systemStateKeys() const { return {}; }
    virtual std::span<const char* const> flightModeKeys() const { return {}; }

    // The main view's mode and gain fields, which follow the transmitter's switches and sticks,
    // take the width of their widest text, so the status bar does not shift with them.
    void viewWillAppear() override;

    // Poll alternation: 0 polls "INFO", 1 the shown tab's poll.
    int timerFunctionCounter = 0;
    // The poll tick: "INFO" when the counter is 0; when it is 1 "STCK" on the "Receiver" tab,
    // "SERV" on "OutputServos", "SNSR" on "Sensor" and "INFO" on any other; then the counter
    // alternates. A poll goes out only while the port is open; while the line is taken (a
    // request, or a poll still waiting for its reply) the tick tries the same poll again later,
    // so a slow unit gets its polls in turn, as fast as it answers them.
    void timerAction() override;
    bool requestInfo();
    bool requestStick();
    bool requestServo();
    bool requestSensor();
    // Decoders: each takes the payload of a good reply.
    // The status into the main view's status bar.
    virtual void decodeInfoReply(const QByteArray& payload);
    // The receiver channels and servo outputs: the model's own layouts.
    virtual void decodeStickReply(const QByteArray& /*payload*/) {}
    virtual void decodeServoReply(const QByteArray& /*payload*/) {}
    // The sensors, with the one-g values of the main view's block; angles in tenths of a degree.
    virtual void decodeSensorReply(const QByteArray& payload);

protected:
    template <class Form> QWidget* loadLayout(Form& form) {
        QWidget* view = ModelPageViewController::loadLayout(form);
        tabSensor = form.tabSensor;
        return view;
    }

private:
    bool poll(const char* command, int length, void (TabbedModelPageViewController::*decoder)(
                                                    const QByteArray&));
};
