// Choosing another port in the list while a unit is identified: the unit on the new port may be
// another one, so nothing of the first unit (its page, polls, block) reaches it before Connect
// has identified it.

#include "OVX_Configurator/Alert.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/WelcomeViewController.h"
#include "OVX_Configurator/pages/OVXB_ViewController.h"
#include "support/ConnectedShell.h"
#include "support/EventLoop.h"
#include "support/Outlets.h"
#include "support/ShellEnvironment.h"
#include "support/SimulatedUnit.h"

#include <QAction>

#include <gtest/gtest.h>

namespace {

using testsupport::headline;
using testsupport::ShellEnvironment;
using testsupport::SimulatedUnit;

// Two units: `first` on "SLAB_first" (opened at start), `second` on "ttyUSB1" or the port
// named `secondPort`.
struct TwoUnits {
    ShellEnvironment shell;
    SimulatedUnit first, second;
    AppDelegate* app = nullptr;
    MainViewController* main = nullptr;

    TwoUnits(int firstModel, int secondModel, const QString& secondPort = "ttyUSB1")
        : first(firstModel), second(secondModel) {
        shell.ports.arrive(first, "SLAB_first");
        shell.ports.arrive(second, secondPort);
        app = &shell.launch();
        main = app->mainViewController();
    }

    // Moves the clock in poll ticks, letting each exchange end before the next tick.
    void advance(double seconds) {
        SerialPort& link = *app->port;
        for (double done = 0; done < seconds - 1e-9; done += 0.05) {
            shell.clock.advance(0.05);
            testsupport::pumpEvents(0);
            testsupport::waitUntil([&] { return !(link.isOpen() && link.awaitingReply()); },
                                   10000);
        }
    }
    void choosePort(const QString& name) {
        const int index = main->lstPortList->findText(name);
        ASSERT_GE(index, 0);
        main->lstPortList->setCurrentIndex(index);
        emit main->lstPortList->activated(index);
        advance(1.0); // the pause after closing, and the open's report
        ASSERT_EQ(app->port->portName(), std::optional<QString>(name));
        ASSERT_TRUE(app->port->isOpen());
    }
    // Connect: identified and the block read.
    bool connect(const SimulatedUnit& unit) {
        main->detectDevice();
        const qsizetype length = SimulatedUnit::blockLength(unit.deviceId(), unit.dataVersion());
        return testsupport::waitUntil([&] { return main->data.size() == length; }, 10000);
    }
    QList<QAction*> deviceItems() const {
        return {app->menuItemRead,    app->menuItemWrite,
                app->menuItemSave,    app->menuItemOpen,
                app->menuItemRestore, app->menuItemLevelCalibration,
                app->menuItemHoverCalibration, app->menuItemAccelCalibration,
                app->menuItemReboot,  app->menuItemCheckFirmwareUpdate};
    }
};

TEST(MainViewPortSwitch, AnotherPortForgetsTheUnitUntilConnectIdentifiesTheNewOne) {
    struct Case {
        int firstModel, secondModel;
    } cases[] = {{168, 170}, {168, 168}, {169, 166}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.firstModel) + " then " + std::to_string(c.secondModel));
        TwoUnits s(c.firstModel, c.secondModel);
        QByteArray secondBlock = s.second.block();
        secondBlock[20] = 0x5A; // a unit of the same model holds other settings
        s.second.setBlock(secondBlock);
        ASSERT_TRUE(s.connect(s.first));
        s.advance(1.0);
        ASSERT_GT(s.first.frames().size(), 2); // the page polls the first unit

        s.choosePort("ttyUSB1");
        s.first.clearRecord();
        s.advance(3.0);
        // (a) Nothing reaches either unit: no poll, no write.
        EXPECT_TRUE(s.second.received().isEmpty());
        EXPECT_TRUE(s.first.received().isEmpty());
        // The unit is forgotten: the welcome page, no block, no identity, no handler slots.
        EXPECT_EQ(s.main->currentViewController, s.main->welcomeViewController());
        EXPECT_EQ(s.main->deviceID, 0);
        EXPECT_TRUE(s.main->data.isEmpty());
        EXPECT_FALSE(s.main->handlerWriteToDevice);
        EXPECT_FALSE(s.main->handlerReadFromDevice);
        EXPECT_EQ(testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text(),
                  localized("PORT_CHANGED"));
        // (b) The device items are disabled; what can still be asked is refused as usual.
        for (QAction* item : s.deviceItems())
            EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
        s.app->menuItemWrite->trigger();
        s.main->writeToDevice({}, {}, {});
        s.main->saveParameterFile({}, {});
        s.advance(1.0);
        EXPECT_EQ(s.shell.ui.alerts.size(), 2u);
        for (const auto& alert : s.shell.ui.alerts) // the unit is gone, not just its block
            EXPECT_EQ(alert.request.messageText, headline("NO_UNIT_NO_PARAMETERS"));
        EXPECT_TRUE(s.second.received().isEmpty());

        // (c) Connect identifies the unit on the new port and reads its own block first.
        ASSERT_TRUE(s.connect(s.second));
        EXPECT_EQ(s.main->deviceID, c.secondModel);
        EXPECT_EQ(s.main->data, secondBlock);
        EXPECT_NE(s.main->currentViewController, s.main->welcomeViewController());
        ASSERT_GE(s.second.frames().size(), 2);
        EXPECT_EQ(s.second.frames().mid(0, 2), (QList<QByteArray>{"r", "R"}));
        EXPECT_EQ(s.second.count("W"), 0);
        EXPECT_TRUE(s.first.received().isEmpty());

        // Going back to the first port needs Connect as well.
        s.choosePort("SLAB_first");
        s.first.clearRecord();
        s.advance(2.0);
        EXPECT_TRUE(s.first.received().isEmpty());
        EXPECT_EQ(s.main->currentViewController, s.main->welcomeViewController());
        EXPECT_TRUE(s.main->data.isEmpty());
    }
}

// Opening the identified unit's own port again (the list rebuilt after it was unplugged and
// plugged in again) keeps the unit.
TEST(MainViewPortSwitch, TheUnitsOwnPortKeepsTheUnit) {
    TwoUnits s(168, 170);
    ASSERT_TRUE(s.connect(s.first));
    const QByteArray block = s.main->data;
    s.main->btnReloadPortListAction();
    s.advance(2.0);
    ASSERT_EQ(s.app->port->portName(), std::optional<QString>("SLAB_first"));
    EXPECT_EQ(s.main->deviceID, 168);
    EXPECT_EQ(s.main->data, block);
    EXPECT_EQ(s.main->currentViewController,
              static_cast<ViewController*>(s.main->ovxbViewController()));
}

// Two bridges listed: the reload button keeps the port the user chose, with its unit, its page
// and the edits not yet written; it does not move to the last "SLAB" port as at start.
TEST(MainViewPortSwitch, ReloadKeepsTheChosenPortAmongTwoBridges) {
    TwoUnits s(168, 168, "SLAB_second");
    s.advance(1.0);
    ASSERT_EQ(s.app->port->portName(), std::optional<QString>("SLAB_second")); // at start
    s.choosePort("SLAB_first");
    ASSERT_TRUE(s.connect(s.first));
    s.main->data[20] = char(s.main->data[20] + 1); // an edit, not yet written
    const QByteArray edited = s.main->data;
    s.second.clearRecord();

    s.main->btnReloadPortListAction();
    s.advance(2.0);
    ASSERT_EQ(s.app->port->portName(), std::optional<QString>("SLAB_first"));
    EXPECT_EQ(s.main->lstPortList->currentText(), "SLAB_first");
    EXPECT_EQ(s.main->deviceID, 168);
    EXPECT_EQ(s.main->data, edited);
    EXPECT_EQ(s.main->currentViewController,
              static_cast<ViewController*>(s.main->ovxbViewController()));
    EXPECT_NE(testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text(),
              localized("PORT_CHANGED"));
    EXPECT_TRUE(s.second.received().isEmpty());
}

} // namespace
