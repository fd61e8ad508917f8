#pragma once

#include "OVX_Configurator/ViewController.h"
#include "platform/Scheduler.h"

#include <QAbstractButton>
#include <QByteArray>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QString>
#include <QTabWidget>
#include <QWidget>

#include <functional>

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

    // Starts the poll timer (one timer: a running one is replaced).
    void viewDidAppear() override;
    // Stops the poll timer.
    void viewWillDisappear() override;
    // One poll tick (nothing yet).
    virtual void timerAction() {}
    // Seconds between poll ticks.
    virtual double pollInterval() const { return 0.05; }

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


    // Refuses a write because `control` holds a value without a byte form: its tab is shown,
    // it takes the focus, and the critical message "SETTING_NOT_STORABLE" says why.
    void refuseWrite(QWidget* control);

private:
    void setCloseButton(QPushButton* button);
    void connectPageButtons();
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
    // The critical messages "RESPONSE_ERROR" and "RESPONSE_TIMEOUT".
    void showResponseError();
    void showResponseTimeout();

    static constexpr double procedureTimeout = 0.5;

protected:
    template <class Form> QWidget* loadLayout(Form& form) {
        QWidget* view = ModelPageViewController::loadLayout(form);
        tabSensor = form.tabSensor;
        return view;
    }
};
