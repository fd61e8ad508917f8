// Identification with "r": the model table, the status bar, the handler slots and device menus,
// unknown units and outdated firmware, against the simulated unit of each model.

#include "OVX_Configurator/Alert.h"
#include "OVX_Configurator/AppInfo.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/WelcomeViewController.h"
#include "OVX_Configurator/firmware/FirmwareUpdateViewController.h"
#include "OVX_Configurator/pages/OVXA_ViewController.h"
#include "OVX_Configurator/pages/OVXB_ViewController.h"
#include "OVX_Configurator/pages/OVXC_ViewController.h"
#include "OVX_Configurator/pages/OVXD_ViewController.h"
#include "OVX_Configurator/utils/LayoutConstraint.h"
#include "support/ConnectedShell.h"
#include "support/EventLoop.h"
#include "support/Outlets.h"
#include "support/PseudoTerminal.h"

#include <QMainWindow>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

using testsupport::ConnectedShell;
using testsupport::headline;
using testsupport::SimulatedUnit;

std::vector<QAction*> deviceItems(AppDelegate* app) {
    return {app->menuItemRead,
            app->menuItemWrite,
            app->menuItemOpen,
            app->menuItemSave,
            app->menuItemRestore,
            app->menuItemLevelCalibration,
            app->menuItemHoverCalibration,
            app->menuItemCheckFirmwareUpdate,
            app->menuItemReboot,
            app->menuItemAccelCalibration};
}

QStringList channelTexts(MainViewController* main) {
    QStringList out;
    for (QLabel* label : main->channelLabels())
        out << (label->isVisibleTo(testsupport::outlet<QWidget>(main, "StatusBarView"))
                    ? label->text()
                    : QString());
    return out;
}

TEST(MainViewIdentify, EachModelGetsItsPageBlockLengthAndStatusBar) {
    struct Case {
        int model;
        quint8 dataVersion;
        int page;
        qint64 length;
        const char* title;
        QStringList channels; // visible channel indicators (empty: hidden)
    } cases[] = {
        {166, 0x10, 2, 71, "OVX Configurator [OVXA]", {"", "", "", "", "", "", "", "", ""}},
        {168,
         0x10,
         3,
         91,
         "OVX Configurator [OVXB]",
         {"A", "E", "R", "A2", "E2", "G", "M", "", ""}},
        {169,
         0x10,
         5,
         71,
         "OVX Configurator [OVX Delta]",
         {"A", "E", "R", "A2", "M", "G", "T", "", ""}},
        {170, 16, 4, 93, "OVX Configurator [OVXC]", {"A", "E", "R", "A2", "E2", "M", "G", "", ""}},
        {170, 17, 4, 96, "OVX Configurator [OVXC]", {"A", "E", "R", "A2", "E2", "M", "G", "", ""}},
        {170, 15, 4, 96, "OVX Configurator [OVXC]", {"A", "E", "R", "A2", "E2", "M", "G", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " data version " << int(c.dataVersion));
        ConnectedShell s(c.model, [&](SimulatedUnit& u) { u.setDataVersion(c.dataVersion); });
        MainViewController* main = s.main;
        ASSERT_TRUE(s.identify());
        EXPECT_TRUE(s.shell.ui.alerts.empty());

        EXPECT_EQ(main->currentViewController, main->childViewControllers()[c.page]);
        EXPECT_EQ(main->deviceID, c.model);
        EXPECT_EQ(main->firmwareVersion, s.unit.firmwareVersion());
        EXPECT_EQ(main->dataVersion, c.dataVersion);
        EXPECT_EQ(main->dataLength, c.length);
        EXPECT_EQ(main->data, s.unit.block()); // read right after the identification
        EXPECT_EQ(s.unit.frames(), (QList<QByteArray>{"r", "R"}));
        EXPECT_EQ(s.unit.received(), "rR");
        EXPECT_EQ(testsupport::outlet<QLabel>(main, "txtBottomMessage")->text(),
                  localized("READ_SUCCESS"));
        EXPECT_EQ(main->window->windowTitle(), c.title);

        // The page's dataToUI showed the block's versions.
        const auto fw = s.unit.firmwareVersion();
        EXPECT_EQ(main->statusFirmwareVersion->text(), QString("V%1.%2").arg(fw >> 4).arg(fw & 15));
        EXPECT_EQ(main->statusDataVersion->text(),
                  QString("V%1.%2").arg(c.dataVersion >> 4).arg(c.dataVersion & 15));
        for (QLabel* label :
             {main->statusFirmwareVersionTitle.data(), main->statusFirmwareVersion.data(),
              main->statusDataVersionTitle.data(), main->statusDataVersion.data()})
            EXPECT_TRUE(label->isVisibleTo(testsupport::outlet<QWidget>(main, "StatusBarView")));
        EXPECT_EQ(main->statusSystemState->isVisibleTo(
                      testsupport::outlet<QWidget>(main, "StatusBarView")),
                  c.model != 166);
        EXPECT_EQ(channelTexts(main), c.channels);
        if (c.model != 166) {
            EXPECT_EQ(main->statusChannel4->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
            EXPECT_EQ(main->statusChannel5->alignment() & Qt::AlignHorizontal_Mask,
                      c.model == 169 ? Qt::AlignHCenter : Qt::AlignLeft);
            EXPECT_LT(main->constChannel7Trailing->constant(), -2.0);
        }

        // Menus: all device items, Reboot and accelerometer calibration not for 166.
        for (QAction* item : deviceItems(s.app)) {
            const bool forAll =
                item != s.app->menuItemReboot && item != s.app->menuItemAccelCalibration;
            EXPECT_EQ(item->isEnabled(), forAll || c.model != 166)
                << item->objectName().toStdString();
        }
        EXPECT_TRUE(s.app->timerCheckFirmwareUpdate.isActive());

        // Slots: all filled but the accelerometer slot of 166.
        for (const auto* slot :
             {&main->handlerDataToUI, &main->handlerUIToData, &main->handlerReadFromDevice,
              &main->handlerWriteToDevice, &main->handlerLevelCalibration,
              &main->handlerHoverCalibration, &main->handlerFactoryRestore})
            EXPECT_TRUE(bool(*slot));
        EXPECT_EQ(bool(main->handlerAccelCalibration), c.model != 166);
    }
}

TEST(MainViewIdentify, TheAccelerometerSlotSelectsTheCalibrationTabsOfThePage) {
    for (int model : {168, 169, 170}) {
        SCOPED_TRACE(model);
        ConnectedShell s(model);
        ASSERT_TRUE(s.identify());
        QTabWidget *tabMain = nullptr, *tabSensor = nullptr;
        if (model == 168) {
            tabMain = s.main->ovxbViewController()->tabMain;
            tabSensor = s.main->ovxbViewController()->tabSensor;
        } else if (model == 169) {
            tabMain = s.main->ovxdViewController()->tabMain;
            tabSensor = s.main->ovxdViewController()->tabSensor;
        } else {
            tabMain = s.main->ovxcViewController()->tabMain;
            tabSensor = s.main->ovxcViewController()->tabSensor;
        }
        tabMain->setCurrentIndex(0);
        tabSensor->addTab(new QWidget, "Other");
        tabSensor->setCurrentIndex(1);
        s.unit.clearRecord();

        s.app->menuItemAccelCalibration->trigger();
        EXPECT_EQ(tabMain->currentWidget()->objectName(), "Sensor");
        EXPECT_EQ(tabSensor->currentWidget()->objectName(), "AccelerometerCalibration");
        testsupport::pumpEvents(10);
        EXPECT_TRUE(s.unit.received().isEmpty()); // nothing is sent
    }
}

TEST(MainViewIdentify, AnUnknownUnitIsReportedAndChangesNothing) {
    ConnectedShell s(167);
    EXPECT_FALSE(s.identify());
    EXPECT_EQ(s.alertHeadlines(), QStringList{headline("UNRECOGNIZED_DEVICE")});
    EXPECT_EQ(s.shell.ui.lastAlert().style, AlertStyle::Critical);
    EXPECT_EQ(s.main->deviceID, 0);
    EXPECT_EQ(s.main->dataLength, 0);
    EXPECT_EQ(s.main->currentViewController, s.main->welcomeViewController());
    EXPECT_FALSE(s.app->menuItemRead->isEnabled());
    EXPECT_FALSE(s.app->timerCheckFirmwareUpdate.isActive());
    EXPECT_EQ(s.unit.frames(), QList<QByteArray>{"r"});
}

TEST(MainViewIdentify, AFailedOrMissingReplyIsReported) {
    for (auto fault : {SimulatedUnit::Fault::BadCrc, SimulatedUnit::Fault::NoReply}) {
        ConnectedShell s(168);
        s.unit.injectFault(fault, "r");
        s.main->detectDevice();
        if (fault == SimulatedUnit::Fault::NoReply) {
            testsupport::pumpEvents(20);
            EXPECT_TRUE(s.shell.ui.alerts.empty());
            s.shell.clock.advance(0.5);
        }
        ASSERT_TRUE(s.waitForAlert(0));
        EXPECT_EQ(s.alertHeadlines(),
                  QStringList{headline(fault == SimulatedUnit::Fault::NoReply ? "RESPONSE_TIMEOUT"
                                                                              : "RESPONSE_ERROR")});
        EXPECT_EQ(s.main->deviceID, 0);
        EXPECT_FALSE(s.app->port->busy());
    }
}

// Noise that reaches the line while Connect shows the identified unit's page, just before its
// read of the block goes out, is no part of the block: the page gets the unit's block, and no
// alert is shown.
TEST(MainViewIdentify, ConnectReadsTheBlockOnANoisyLine) {
    ConnectedShell s(168);
    // The window title names the unit right before the block is read: the noise comes then, and
    // has reached the port when the read goes out.
    struct NoiseWithTheTitle : QObject {
        ConnectedShell& s;
        bool sent = false;
        explicit NoiseWithTheTitle(ConnectedShell& shell) : s(shell) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::WindowTitleChange && !sent &&
                s.main->window->windowTitle().contains('[')) {
                sent = true;
                s.unit.sendRaw(QByteArray("\x0D\x55\xAA\x0D", 4));
                testsupport::waitForUnread(s.app->port->serialPort()->fileDescriptor(), 4);
            }
            return false;
        }
    } noise(s);
    ASSERT_TRUE(s.main->window);
    s.main->window->installEventFilter(&noise);
    EXPECT_TRUE(s.identify());
    s.main->window->removeEventFilter(&noise);
    EXPECT_TRUE(noise.sent);
    EXPECT_EQ(s.main->data, s.unit.block());
    EXPECT_TRUE(s.alertHeadlines().isEmpty());
    EXPECT_EQ(s.unit.frames(), (QList<QByteArray>{"r", "R"}));
}

// An outdated unit after a served one: nothing of the earlier unit stays usable, so its block
// can never be written to the outdated unit.
TEST(MainViewIdentify, OutdatedFirmwareLeavesNothingOfTheEarlierUnitActive) {
    ConnectedShell s(168);
    ASSERT_TRUE(s.identify());
    ASSERT_EQ(s.main->dataLength, 91);

    s.unit.setFirmwareVersion(31); // one below the least version of this model
    s.unit.clearRecord();
    s.main->detectDevice();
    ASSERT_TRUE(s.waitForAlert(0));
    const AlertRequest& offer = s.shell.ui.lastAlert();
    EXPECT_EQ(offer.messageText, headline("FIRMWARE_OUTDATED"));
    EXPECT_EQ(offer.buttons, (QStringList{localized("UPDATE_NOW"), localized("UPDATE_LATER")}));

    EXPECT_EQ(s.main->deviceID, 0);
    EXPECT_EQ(s.main->dataLength, 0);
    EXPECT_TRUE(s.main->data.isEmpty());
    EXPECT_TRUE(s.main->deviceDesc.isEmpty());
    for (const auto* slot : {&s.main->handlerDataToUI, &s.main->handlerUIToData,
                             &s.main->handlerReadFromDevice, &s.main->handlerWriteToDevice,
                             &s.main->handlerLevelCalibration, &s.main->handlerHoverCalibration,
                             &s.main->handlerAccelCalibration, &s.main->handlerFactoryRestore})
        EXPECT_FALSE(bool(*slot));
    EXPECT_EQ(s.main->currentViewController, s.main->welcomeViewController());
    EXPECT_EQ(s.main->window->windowTitle(), AppInfo::kApplicationName);
    for (QAction* item : deviceItems(s.app))
        EXPECT_FALSE(item->isEnabled()) << item->objectName().toStdString();
    EXPECT_FALSE(s.app->timerCheckFirmwareUpdate.isActive()); // no unit to check for

    // Whatever the user tries, nothing reaches the unit.
    s.app->menuItemWrite->trigger();
    s.app->menuItemRestore->trigger();
    s.app->menuItemLevelCalibration->trigger();
    s.main->writeToDevice({}, {}, {});
    testsupport::pumpEvents(20);
    EXPECT_EQ(s.unit.frames(), QList<QByteArray>{"r"});

    // "Update now" opens the firmware page.
    s.confirm();
    EXPECT_EQ(s.main->currentViewController, s.main->firmwareUpdateViewController());

    // Another unit, served again.
    s.unit.setModel(170);
    ASSERT_TRUE(s.identify());
    EXPECT_EQ(s.main->currentViewController, s.main->ovxcViewController());
    EXPECT_EQ(s.main->dataLength, 93);
    EXPECT_EQ(s.main->data, s.unit.block());
    EXPECT_TRUE(s.app->menuItemWrite->isEnabled());
}

TEST(MainViewIdentify, OutdatedFirmwareOfAFirstUnitReadsNothing) {
    ConnectedShell s(166, [](SimulatedUnit& u) { u.setFirmwareVersion(17); });
    EXPECT_FALSE(s.identify());
    EXPECT_EQ(s.alertHeadlines(), QStringList{headline("FIRMWARE_OUTDATED")});
    s.shell.ui.answer(1); // later
    EXPECT_EQ(s.main->currentViewController, s.main->welcomeViewController());
    testsupport::pumpEvents(20);
    EXPECT_EQ(s.unit.count("R"), 0);
}

// Two models with blocks of the same length: when the new unit's read fails, the earlier unit's
// block is gone, so it cannot be written to the new one.
TEST(MainViewIdentify, AnotherModelNeverKeepsTheBlockOfTheEarlierOne) {
    ConnectedShell s(166);
    ASSERT_TRUE(s.identify());
    ASSERT_EQ(s.main->data.size(), 71);

    s.unit.setModel(169);
    s.unit.injectFault(SimulatedUnit::Fault::NoReply, "R");
    s.main->detectDevice();
    ASSERT_TRUE(s.waitFor([&] { return s.main->deviceID == 169; }));
    testsupport::pumpEvents(20);
    s.shell.clock.advance(0.5);
    EXPECT_EQ(s.alertHeadlines(), QStringList{headline("RESPONSE_TIMEOUT")});
    EXPECT_TRUE(s.main->data.isEmpty());

    s.unit.clearRecord();
    s.app->menuItemWrite->trigger();
    EXPECT_EQ(s.shell.ui.lastAlert().messageText, headline("DATA_BUFFER_EMPTY"));
    testsupport::pumpEvents(20);
    EXPECT_TRUE(s.unit.received().isEmpty());
}

TEST(MainViewIdentify, ShowingAPageStopsTheFirmwareCheckButKeepsTheUnit) {
    ConnectedShell s(168);
    ASSERT_TRUE(s.identify());
    ASSERT_TRUE(s.app->timerCheckFirmwareUpdate.isActive());
    s.main->ovxbViewController()->btnClose->click();
    EXPECT_EQ(s.main->currentViewController, s.main->welcomeViewController());
    EXPECT_FALSE(s.app->timerCheckFirmwareUpdate.isActive());
    EXPECT_FALSE(s.app->menuItemRead->isEnabled());
    EXPECT_EQ(s.main->deviceID, 168);
    EXPECT_EQ(s.main->data.size(), 91);
    EXPECT_TRUE(bool(s.main->handlerReadFromDevice));
}

TEST(MainViewIdentify, TheFirmwareCheckRunsEightySecondsAfterTheIdentification) {
    ConnectedShell s(168);
    ASSERT_TRUE(s.identify());
    s.shell.clock.advance(79.9);
    EXPECT_TRUE(s.app->timerCheckFirmwareUpdate.isActive());
    s.shell.clock.advance(0.2);
    EXPECT_FALSE(s.app->timerCheckFirmwareUpdate.isActive()); // the check stops its timer
}

} // namespace
