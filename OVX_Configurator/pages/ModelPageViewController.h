#pragma once

#include "OVX_Configurator/ViewController.h"

#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

class AppDelegate;
class MainViewController;

// What every model page shares: the link back to the main view that made it, the program's
// delegate, the close button that returns to the welcome page, and the block's versions shown in
// the status bar. A page holds no parameter block of its own: it works on the main view's `data`.
class ModelPageViewController : public ViewController {
public:
    ~ModelPageViewController() override;

    MainViewController* parentController = nullptr; // set by the main view after creation
    AppDelegate* appDelegate;                       // the program's one delegate
    QPointer<QPushButton> btnClose;

    // The page's part of the main view's handler slots.
    // Decodes the main view's block into the page and its versions into the status bar.
    virtual void dataToUI();
    // Encodes the page's controls into the main view's block (no controls yet: nothing).
    virtual void uiToData() {}
    // The page's write of the block.
    virtual void writeToDevice() = 0;
    // Level and hover calibration and factory restore from the page: the main view's own
    // procedures unless the unit's page runs its own.
    virtual void levelCalibration();
    virtual void hoverCalibration();
    virtual void factoryReset();

    void btnCloseAction();

protected:
    ModelPageViewController();

    // Builds the page's layout into a new view and connects the outlets every page has.
    template <class Form> QWidget* loadLayout(Form& form) {
        auto* view = new QWidget;
        form.setupUi(view);
        setCloseButton(form.btnClose);
        return view;
    }

private:
    void setCloseButton(QPushButton* button);
};

// The pages of the units with four-letter commands (OVXB, OVXC, OVXD): tabbed, with a sensor tab
// that holds the accelerometer calibration wizard, and written through the main view's write.
class TabbedModelPageViewController : public ModelPageViewController {
public:
    // Tab views: items are told apart by their page widget's object name ("Receiver",
    // "OutputServos", "Sensor"; in tabSensor "AccelerometerCalibration").
    QPointer<QTabWidget> tabMain;
    QPointer<QTabWidget> tabSensor;

    // The page's write: the main view's write of the block.
    void writeToDevice() override;

protected:
    template <class Form> QWidget* loadLayout(Form& form) {
        QWidget* view = ModelPageViewController::loadLayout(form);
        tabMain = form.tabMain;
        tabSensor = form.tabSensor;
        return view;
    }
};
