// The accelerometer calibration wizard against the simulated unit: the steps on the wire, going
// back, cancelling, failures that keep the step, and a port that goes away.

#include "OvxbPage.h"
#include "OvxcPage.h"
#include "OvxdPage.h"

#include "OVX_Configurator/Alert.h"
#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/MainWindowController.h"
#include "OVX_Configurator/ModalViewController.h"
#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/pages/AccelCalibrationWizard.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QMainWindow>
#include <QPoint>
#include <QRect>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using testsupport::headline;
using Fault = testsupport::SimulatedUnit::Fault;

QByteArray stepByte(int step) {
    return QByteArray(1, char(step));
}

template <class Base> struct Wizard : Base {
    using Base::Base;
    AccelCalibrationWizard& wizard() { return *this->page->accelCalibrationWizard; }
    QPushButton* button(const char* name) { return this->template control<QPushButton>(name); }

    // Start confirmed and acknowledged.
    void open() {
        button("btnAccelCalibration")->click();
        ASSERT_EQ(this->lastHeadline(), headline("ACCEL_CALIBRATION_START_CONFIRM"));
        this->answer(0);
        ASSERT_TRUE(this->waitLong([&] { return wizard().isOpen(); }));
    }

    // Next, and the unit's answer judged.
    void next() {
        const QByteArray byte = stepByte(wizard().accelCalibrationStep + 1);
        const int before = this->unit.count(byte);
        button("btnAccelCalibrationNext")->click();
        ASSERT_TRUE(this->waitLong(
            [&] { return this->unit.count(byte) > before && !this->app->port->busy(); }));
    }

    // What the wizard locks, each with whether it is enabled now.
    std::vector<std::pair<const char*, bool>> lockables() {
        std::vector<std::pair<const char*, bool>> out;
        for (const char* name : {"btnAccelCalibration", "btnLevelCalibration",
                                 "btnHoverCalibration", "btnRead", "btnWrite", "btnClose"})
            if (auto* b = this->page->view()->template findChild<QPushButton*>(name))
                out.emplace_back(name, b->isEnabled());
        out.emplace_back("btnReloadPortList", this->main->btnReloadPortList->isEnabled());
        out.emplace_back("lstPortList", this->main->lstPortList->isEnabled());
        out.emplace_back("menuItemMain", this->app->menuItemMain->isEnabled());
        out.emplace_back("menuItemLanguage", this->app->menuItemLanguage->isEnabled());
        out.emplace_back("menuItemHelp", this->app->menuItemHelp->isEnabled());
        out.emplace_back("windowClosable", this->main->windowClosable);
        return out;
    }
    void expectLocked(bool locked) {
        for (const auto& [name, enabled] : lockables())
            EXPECT_EQ(enabled, !locked) << name;
    }
    bool boxShown() {
        return !this->template control<QGroupBox>("boxAccelCalibrationWizard")->isHidden();
    }
    bool prevShown() { return !button("btnAccelCalibrationPrev")->isHidden(); }
    bool shows(const char* picture) {
        return testsupport::showsPicture(this->template control<QLabel>("imgAccelCalibration"),
                                         picture);
    }
    bool sheetShown() { return this->main->modalViewController()->isPresentedAsSheet(); }
};

using OvxbWizard = Wizard<testsupport::OvxbPage>;

TEST(AccelCalibrationWizard, SixStepsThenTheBlockIsRead) {
    OvxbWizard s;
    EXPECT_FALSE(s.boxShown());
    s.expectLocked(false);
    s.open();
    s.expectLocked(true);
    EXPECT_TRUE(s.boxShown());
    EXPECT_EQ(s.wizard().accelCalibrationStep, 0);
    EXPECT_TRUE(s.shows(OVXB_ViewController::fnameAccelCalibration[0]));
    EXPECT_FALSE(s.prevShown());
    for (int step = 1; step <= 5; ++step) {
        s.next();
        EXPECT_EQ(s.wizard().accelCalibrationStep, step);
        EXPECT_TRUE(s.shows(OVXB_ViewController::fnameAccelCalibration[std::size_t(step)]));
        EXPECT_EQ(s.control<QGroupBox>("boxAccelCalibrationWizard")->title(),
                  localized("ACCEL_CALIBRATION_STEP").arg(step + 1).arg(6));
        EXPECT_TRUE(s.prevShown());
        EXPECT_FALSE(s.sheetShown());
        s.expectLocked(true);
    }
    s.next();
    EXPECT_FALSE(s.wizard().isOpen());
    EXPECT_FALSE(s.boxShown());
    EXPECT_EQ(s.lastHeadline(), headline("CALIBRATION_SUCCESS"));
    ASSERT_TRUE(s.waitLong([&] { return s.unit.count("R") == 1 && !s.app->port->busy(); }));
    EXPECT_EQ(s.commands(), (QList<QByteArray>{"ACCL", stepByte(1), stepByte(2), stepByte(3),
                                               stepByte(4), stepByte(5), stepByte(6), "R"}));
    EXPECT_EQ(s.unit.activeProcedure(), QByteArray());
    s.expectLocked(false);
}

// The two-step unit's page sets up its own wizard, which closes after the second step.
TEST(AccelCalibrationWizard, TheTwoStepUnitClosesAfterTheSecondStep) {
    Wizard<testsupport::OvxdPage> s;
    ASSERT_TRUE(s.page->accelCalibrationWizard);
    EXPECT_EQ(s.wizard().lastStep(), 1);
    EXPECT_FALSE(s.boxShown());
    EXPECT_TRUE(s.button("btnAccelCalibration")->isEnabled());
    s.open();
    s.expectLocked(true);
    EXPECT_TRUE(s.shows("ovxd-acc-cali-step-1"));
    s.next();
    EXPECT_TRUE(s.wizard().isOpen());
    EXPECT_TRUE(s.shows("ovxd-acc-cali-step-2"));
    s.next();
    EXPECT_FALSE(s.wizard().isOpen());
    EXPECT_EQ(s.lastHeadline(), headline("CALIBRATION_SUCCESS"));
    ASSERT_TRUE(s.waitLong([&] { return s.unit.count("R") == 1 && !s.app->port->busy(); }));
    EXPECT_EQ(s.commands(), (QList<QByteArray>{"ACCL", stepByte(1), stepByte(2), "R"}));
    s.expectLocked(false);
}

// The OVXC page opens its own six steps; on its long block layout the read after the last step
// brings the unit's new one-g values into the page.
TEST(AccelCalibrationWizard, TheOvxcPageRunsItsSixStepsAndReadsTheNewValues) {
    Wizard<testsupport::OvxcPage> s(testsupport::versions(0x11, 0x11));
    ASSERT_EQ(s.main->dataLength, OVXC_ViewController::longBlockLength);
    ASSERT_TRUE(s.page->accelCalibrationWizard);
    EXPECT_EQ(s.wizard().lastStep(), 5);
    s.open();
    s.expectLocked(true);
    for (int step = 0; step < 6; ++step) {
        EXPECT_TRUE(s.shows(OVXC_ViewController::fnameAccelCalibration[std::size_t(step)]));
        EXPECT_EQ(s.prevShown(), step > 0);
        if (step == 5) { // the unit has measured: one g on X is now 8000
            QByteArray block = s.unit.block();
            block[9] = char(0x40);
            block[10] = char(0x1F);
            s.unit.setBlock(block);
        }
        s.next();
    }
    EXPECT_FALSE(s.wizard().isOpen());
    EXPECT_EQ(s.lastHeadline(), headline("CALIBRATION_SUCCESS"));
    ASSERT_TRUE(s.waitLong([&] { return s.unit.count("R") == 1 && !s.app->port->busy(); }));
    EXPECT_EQ(s.commands(), (QList<QByteArray>{"ACCL", stepByte(1), stepByte(2), stepByte(3),
                                               stepByte(4), stepByte(5), stepByte(6), "R"}));
    ASSERT_TRUE(s.waitLong([&] { return s.page->accCalibrationValueGroup()[3]->text() == "8000"; }));
    s.expectLocked(false);
}

TEST(AccelCalibrationWizard, PrevThenNextSendsTheByteOfThePictureShown) {
    OvxbWizard s;
    s.open();
    s.wizard().btnAccelCalibrationPrevAction(); // at the first step: nothing
    EXPECT_EQ(s.wizard().accelCalibrationStep, 0);
    s.next();
    s.button("btnAccelCalibrationPrev")->click();
    EXPECT_EQ(s.wizard().accelCalibrationStep, 0);
    EXPECT_TRUE(s.shows(OVXB_ViewController::fnameAccelCalibration[0]));
    EXPECT_FALSE(s.prevShown());
    s.next();
    s.next();
    EXPECT_EQ(s.wizard().accelCalibrationStep, 2);
    EXPECT_EQ(s.commands(), (QList<QByteArray>{"ACCL", stepByte(1), stepByte(1), stepByte(2)}));
    s.expectLocked(true);
}

// On the shown window (1024 x 720), the values beside the wizard keep their place when it
// opens, and its box keeps its place and size when Prev appears from the second step.
template <class Page> void expectTheWizardLayoutStaysPut() {
    Wizard<Page> s;
    QWidget* window = s.page->view()->window();
    window->resize(1024, 720);
    window->show();
    s.selectTab("Sensor");
    s.page->tabSensor->setCurrentWidget(
        s.page->tabSensor->template findChild<QWidget*>("AccelerometerCalibration"));
    auto placeOf = [&](const char* name) {
        auto* box = s.template control<QGroupBox>(name);
        return QRect(box->mapTo(window, QPoint()), box->size());
    };
    testsupport::pumpEvents(50);
    const QRect values = placeOf("grpAccCalibrationValues");
    ASSERT_FALSE(values.isEmpty());
    s.open();
    testsupport::pumpEvents(50);
    EXPECT_EQ(placeOf("grpAccCalibrationValues"), values);
    ASSERT_FALSE(s.prevShown());
    const QRect wizardBox = placeOf("boxAccelCalibrationWizard");
    s.next();
    testsupport::pumpEvents(50);
    ASSERT_TRUE(s.prevShown());
    EXPECT_EQ(placeOf("boxAccelCalibrationWizard"), wizardBox);
    EXPECT_EQ(placeOf("grpAccCalibrationValues"), values);
    window->hide();
}

TEST(AccelCalibrationWizard, TheLayoutStaysPutWhenTheWizardOpensAndPrevAppears) {
    {
        SCOPED_TRACE("OVXB");
        expectTheWizardLayoutStaysPut<testsupport::OvxbPage>();
    }
    {
        SCOPED_TRACE("OVXC");
        expectTheWizardLayoutStaysPut<testsupport::OvxcPage>();
    }
    {
        SCOPED_TRACE("OVXD");
        expectTheWizardLayoutStaysPut<testsupport::OvxdPage>();
    }
}

TEST(AccelCalibrationWizard, CancelRestoresEverythingWithoutARead) {
    OvxbWizard s;
    s.open();
    s.next();
    s.button("btnAccelCalibrationCancel")->click();
    ASSERT_EQ(s.lastHeadline(), headline("ACCEL_CALIBRATION_CANCEL_CONFIRM"));
    s.answer(0);
    ASSERT_TRUE(s.waitLong([&] { return !s.wizard().isOpen(); }));
    EXPECT_EQ(s.lastHeadline(), headline("CALIBRATION_CANCELLED"));
    EXPECT_FALSE(s.boxShown());
    s.expectLocked(false);
    testsupport::pumpEvents(50);
    EXPECT_EQ(s.commands(), (QList<QByteArray>{"ACCL", stepByte(1), "CNCL"}));
    EXPECT_EQ(s.unit.activeProcedure(), QByteArray());
}

TEST(AccelCalibrationWizard, AFailedOrUnansweredStepKeepsTheStep) {
    struct Case {
        Fault fault;
        const char* alert;
    } cases[] = {{Fault::NoReply, "RESPONSE_TIMEOUT"}, {Fault::WrongAck, "CALIBRATION_FAILED"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alert);
        OvxbWizard s;
        s.stopLivePolls();
        s.open();
        s.next();
        s.unit.injectFault(c.fault, stepByte(2));
        s.button("btnAccelCalibrationNext")->click();
        ASSERT_TRUE(s.waitLong([&] { return s.unit.count(stepByte(2)) == 1; }));
        if (c.fault == Fault::NoReply) {
            testsupport::pumpEvents(20);
            EXPECT_TRUE(s.sheetShown());
            s.shell.clock.advance(AccelCalibrationWizard::stepTimeout - 0.1);
            testsupport::pumpEvents(20);
            EXPECT_TRUE(s.sheetShown());
            EXPECT_TRUE(s.app->port->busy());
            s.shell.clock.advance(0.1);
        }
        ASSERT_TRUE(s.waitLong([&] { return !s.app->port->busy(); }));
        EXPECT_EQ(s.lastHeadline(), headline(c.alert));
        EXPECT_FALSE(s.sheetShown());
        EXPECT_TRUE(s.wizard().isOpen());
        EXPECT_EQ(s.wizard().accelCalibrationStep, 1);
        EXPECT_TRUE(s.shows(OVXB_ViewController::fnameAccelCalibration[1]));
        EXPECT_TRUE(s.prevShown());
        s.expectLocked(true);
        // Next again sends the same step.
        s.shell.clock.advance(1.0); // the line's quiet time after a time-out
        s.next();
        EXPECT_EQ(s.unit.count(stepByte(2)), 2);
        EXPECT_EQ(s.wizard().accelCalibrationStep, 2);
    }
}

// A link busy with another request refuses the step: the sheet goes at once, the user is told,
// and the wizard stays on its step, ready for Next again.
TEST(AccelCalibrationWizard, AStepTheBusyLinkRefusesUncoversThePage) {
    OvxbWizard s;
    s.stopLivePolls();
    s.open();
    s.unit.holdReplies(true);
    ASSERT_TRUE(s.app->port->sendCommand("REBT", true, 0.5));
    s.button("btnAccelCalibrationNext")->click();
    EXPECT_EQ(s.lastHeadline(), headline("DEVICE_BUSY"));
    EXPECT_FALSE(s.sheetShown());
    EXPECT_TRUE(s.wizard().isOpen());
    EXPECT_EQ(s.wizard().accelCalibrationStep, 0);
    s.expectLocked(true);
    EXPECT_EQ(s.unit.count(stepByte(1)), 0);
}

// "ACCL" refused by the busy link opens nothing and locks nothing.
TEST(AccelCalibrationWizard, AStartTheBusyLinkRefusesLocksNothing) {
    OvxbWizard s;
    s.stopLivePolls();
    s.unit.holdReplies(true);
    ASSERT_TRUE(s.app->port->sendCommand("REBT", true, 0.5));
    s.button("btnAccelCalibration")->click();
    s.answer(0);
    EXPECT_EQ(s.lastHeadline(), headline("DEVICE_BUSY"));
    EXPECT_FALSE(s.wizard().isOpen());
    s.expectLocked(false);
}

TEST(AccelCalibrationWizard, UnpluggingMidWizardUnlocksEverything) {
    for (bool duringStep : {false, true}) {
        SCOPED_TRACE(duringStep ? "during a step" : "between steps");
        OvxbWizard s;
        s.open();
        s.next();
        if (duringStep) {
            s.unit.holdReplies(true);
            s.button("btnAccelCalibrationNext")->click();
            ASSERT_TRUE(s.waitLong([&] { return s.unit.heldReplies() == 1; }));
            ASSERT_TRUE(s.sheetShown());
        }
        s.shell.ports.remove("SLAB_sim");
        EXPECT_FALSE(s.wizard().isOpen());
        EXPECT_FALSE(s.boxShown());
        EXPECT_FALSE(s.sheetShown());
        for (const auto& [name, enabled] : s.lockables()) {
            if (QLatin1String(name) != QLatin1String("lstPortList")) { // it lists no port now
                EXPECT_TRUE(enabled) << name;
            }
        }
        EXPECT_EQ(s.lastHeadline(),
                  splitAlertText(localized("PORT_REMOVED").arg("SLAB_sim")).message);
        // A time-out of the lost step finds nothing to report.
        const std::size_t alerts = s.shell.ui.alerts.size();
        s.shell.clock.advance(AccelCalibrationWizard::stepTimeout + 1.0);
        testsupport::pumpEvents(20);
        EXPECT_EQ(s.shell.ui.alerts.size(), alerts);
        // Next or Cancel now only warn: nothing is locked again.
        s.wizard().sendAccelCalibrationStep();
        s.wizard().confirmAccelCalibrationCancel();
        EXPECT_TRUE(s.main->windowClosable);
        EXPECT_TRUE(s.app->menuItemMain->isEnabled());
        EXPECT_FALSE(s.sheetShown());
    }
}

TEST(AccelCalibrationWizard, ClosingTheWindowWaitsForTheWizardAndAClosedPortEndsIt) {
    OvxbWizard s;
    s.open();
    QMainWindow* window = s.app->mainWindowController()->window();
    QCloseEvent refused;
    QCoreApplication::sendEvent(window, &refused);
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_TRUE(s.shell.ui.exitStatuses.empty());

    s.app->port->disconnect();
    ASSERT_TRUE(s.waitLong([&] { return !s.wizard().isOpen(); }));
    s.expectLocked(false);
    EXPECT_FALSE(s.boxShown());
}

// Start with no open port: the main view's port warning, no question, nothing sent or locked.
TEST(AccelCalibrationWizard, StartWithNoPortWarnsAndSendsNothing) {
    OvxbWizard s;
    s.app->port->disconnect();
    testsupport::pumpEvents(20);
    const std::size_t alerts = s.shell.ui.alerts.size();
    s.button("btnAccelCalibration")->click();
    ASSERT_EQ(s.shell.ui.alerts.size(), alerts + 1);
    EXPECT_EQ(s.lastHeadline(), headline("SELECT_PORT_WARNING"));
    EXPECT_FALSE(s.wizard().isOpen());
    EXPECT_FALSE(s.boxShown());
    s.expectLocked(false);
    testsupport::pumpEvents(20);
    EXPECT_EQ(s.unit.count("ACCL"), 0);
}

// Next or Cancel finding no port (the wizard still open on our side): the wizard ends, the
// progress sheet goes, nothing stays locked, and the user is told to choose a port; nothing is
// sent.
TEST(AccelCalibrationWizard, NextOrCancelWithNoPortEndsTheWizardAndWarns) {
    struct Case {
        const char* button;
        QByteArray unsent;
    } cases[] = {{"btnAccelCalibrationNext", stepByte(2)}, {"btnAccelCalibrationCancel", "CNCL"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        OvxbWizard s;
        s.open();
        s.next();
        s.app->port->disconnect();
        ASSERT_TRUE(s.waitLong([&] { return !s.wizard().isOpen(); }));
        s.wizard().accelCalibrationStarted(); // as if no notice of the closed port had come
        s.wizard().accelCalibrationStep = 1;
        s.expectLocked(true);
        const std::size_t alerts = s.shell.ui.alerts.size();
        s.button(c.button)->click();
        EXPECT_FALSE(s.wizard().isOpen());
        EXPECT_FALSE(s.boxShown());
        EXPECT_FALSE(s.sheetShown());
        s.expectLocked(false);
        ASSERT_EQ(s.shell.ui.alerts.size(), alerts + 1);
        EXPECT_EQ(s.lastHeadline(), headline("SELECT_PORT_WARNING"));
        testsupport::pumpEvents(20);
        EXPECT_EQ(s.unit.count(c.unsent), 0);
        EXPECT_EQ(s.commands(), (QList<QByteArray>{"ACCL", stepByte(1)}));
    }
}

} // namespace
