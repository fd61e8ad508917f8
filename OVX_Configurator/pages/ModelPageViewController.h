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

    // Decodes the main view's block into the page and its versions into the status bar.
    void dataToUI();
    // Encodes the page's controls into the main view's block (no controls yet: nothing).
    void uiToData() {}

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
    void writeToDevice();

protected:
    template <class Form> QWidget* loadLayout(Form& form) {
        QWidget* view = ModelPageViewController::loadLayout(form);
        tabMain = form.tabMain;
        tabSensor = form.tabSensor;
        return view;
    }
};
