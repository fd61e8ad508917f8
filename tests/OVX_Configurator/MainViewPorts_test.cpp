// The main view's port list and connection: preselection, choosing and reloading ports, and what
// the port events do, against simulated units on pseudo-terminals.

#include "OVX_Configurator/Alert.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/Resources.h"
#include "OVX_Configurator/firmware/FirmwareUpdateViewController.h"
#include "TTYSerialPort/TTYSerialDevice.h"
#include "platform/NotificationCenter.h"
#include "support/ConnectedShell.h"
#include "support/EventLoop.h"
#include "support/Outlets.h"
#include "support/ShellEnvironment.h"
#include "support/SimulatedUnit.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

using testsupport::ConnectedShell;
using testsupport::headline;
using testsupport::ShellEnvironment;
using testsupport::SimulatedUnit;

QStringList items(const QComboBox* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->itemText(i);
    return out;
}

bool showsPicture(const QLabel* label, const char* name) {
    return label->pixmap().toImage() == imageNamed(QString::fromLatin1(name)).toImage();
}

// The user picks `name` in the port list.
void choosePort(MainViewController* main, const QString& name) {
    const int index = main->lstPortList->findText(name);
    ASSERT_GE(index, 0);
    main->lstPortList->setCurrentIndex(index);
    emit main->lstPortList->activated(index);
}

// Several units under the names given, listed before the program starts.
struct Units {
    ShellEnvironment shell;
    std::vector<std::unique_ptr<SimulatedUnit>> units;
    AppDelegate* app = nullptr;
    MainViewController* main = nullptr;

    explicit Units(const QStringList& names) {
        for (const QString& name : names) {
            units.push_back(std::make_unique<SimulatedUnit>(168));
            shell.ports.arrive(*units.back(), name);
        }
        app = &shell.launch();
        main = app->mainViewController();
    }
};

TEST(MainViewPorts, ThePortListPreselectsAndOpensTheLastSlabPort) {
    Units setup({"ttyUSB0", "SLAB_b", "SLAB_a", "ttyACM0"});
    MainViewController* main = setup.main;
    // Listed in the order of the port map (by name); the later "SLAB" name wins.
    EXPECT_EQ(items(main->lstPortList), (QStringList{"SLAB_a", "SLAB_b", "ttyACM0", "ttyUSB0"}));
    EXPECT_EQ(main->lstPortList->currentText(), "SLAB_b");
    EXPECT_TRUE(main->lstPortList->isEnabled());
    EXPECT_EQ(setup.app->port->portName(), std::optional<QString>("SLAB_b"));
    EXPECT_TRUE(setup.app->port->isOpen());
    EXPECT_TRUE(testsupport::waitUntil([&] {
        return showsPicture(testsupport::outlet<QLabel>(main, "imgPortStatus"),
                            "icon-connected-18");
    }));
}

TEST(MainViewPorts, WithoutASlabPortTheListIsFilledButNothingOpens) {
    Units setup({"ttyUSB0", "ttyUSB1"});
    EXPECT_EQ(items(setup.main->lstPortList), (QStringList{"ttyUSB0", "ttyUSB1"}));
    EXPECT_TRUE(setup.main->lstPortList->isEnabled());
    EXPECT_FALSE(setup.app->port->portName());
    EXPECT_FALSE(setup.app->port->isOpen());
    EXPECT_TRUE(setup.shell.ui.alerts.empty());
}

TEST(MainViewPorts, WithoutAnyPortTheListSaysSoAndANewPortIsOpened) {
    Units setup({});
    MainViewController* main = setup.main;
    EXPECT_EQ(items(main->lstPortList), QStringList{localized("PORT_UNCONNECTED")});
    EXPECT_FALSE(main->lstPortList->isEnabled());
    EXPECT_TRUE(testsupport::outlet<QWidget>(main, "BottomMessageView")->isVisible());
    EXPECT_EQ(testsupport::outlet<QLabel>(main, "txtBottomMessage")->text(),
              localized("PORT_NOT_FOUND"));

    // A unit plugged in while no port is open is listed and opened.
    SimulatedUnit unit(168);
    setup.shell.ports.arrive(unit, "SLAB_new");
    EXPECT_EQ(items(main->lstPortList), QStringList{"SLAB_new"});
    EXPECT_TRUE(main->lstPortList->isEnabled());
    EXPECT_TRUE(setup.app->port->isOpen());
}

TEST(MainViewPorts, ChoosingAnotherPortClosesTheOpenOneAndOpensTheNewOneHalfASecondLater) {
    Units setup({"SLAB_a", "ttyUSB0"});
    AppDelegate* app = setup.app;
    ASSERT_EQ(app->port->portName(), std::optional<QString>("SLAB_a"));

    choosePort(setup.main, "SLAB_a"); // the open port: nothing happens
    EXPECT_TRUE(app->port->isOpen());

    // Chosen before the first port's 0.3 s report: its closing is no failure to open.
    choosePort(setup.main, "ttyUSB0");
    EXPECT_FALSE(app->port->isOpen());
    EXPECT_TRUE(showsPicture(testsupport::outlet<QLabel>(setup.main, "imgPortStatus"),
                             "icon-disconnected-18"));
    setup.shell.clock.advance(0.49);
    EXPECT_FALSE(app->port->isOpen());
    setup.shell.clock.advance(0.01);
    EXPECT_EQ(app->port->portName(), std::optional<QString>("ttyUSB0"));
    EXPECT_TRUE(app->port->isOpen());
    EXPECT_TRUE(testsupport::waitUntil([&] {
        return showsPicture(testsupport::outlet<QLabel>(setup.main, "imgPortStatus"),
                            "icon-connected-18");
    }));
    EXPECT_EQ(setup.shell.ui.alerts.size(), 0u) << setup.shell.ui.lastAlert().messageText;
}

// The pause after closing a port does not block the program; what comes during it finds the
// port list and the connection as they are after the pause, in the order the user made them.
TEST(MainViewPorts, WhatComesDuringThePauseFindsThePortAsAfterIt) {
    {
        SCOPED_TRACE("a port arrives while the chosen port waits to be opened");
        Units setup({"SLAB_a", "ttyUSB0"});
        choosePort(setup.main, "ttyUSB0");
        SimulatedUnit late(168);
        setup.shell.ports.arrive(late, "SLAB_z"); // would be preselected by a reload
        setup.shell.clock.advance(1.0);
        EXPECT_EQ(setup.app->port->portName(), std::optional<QString>("ttyUSB0"));
        EXPECT_TRUE(setup.app->port->isOpen());
        EXPECT_TRUE(setup.shell.ui.alerts.empty());
    }
    {
        SCOPED_TRACE("the user goes back to the first port during the pause");
        Units setup({"SLAB_a", "ttyUSB0"});
        choosePort(setup.main, "ttyUSB0");
        setup.shell.clock.advance(0.2);
        choosePort(setup.main, "SLAB_a");
        setup.shell.clock.advance(1.0);
        EXPECT_EQ(setup.app->port->portName(), std::optional<QString>("SLAB_a"));
        EXPECT_TRUE(setup.app->port->isOpen());
        EXPECT_TRUE(setup.shell.ui.alerts.empty());
    }
    {
        SCOPED_TRACE("Connect right after the reload button");
        ConnectedShell s;
        s.main->btnReloadPortList->click();
        EXPECT_TRUE(s.identify()); // on the reopened port, no port warning
        EXPECT_TRUE(s.shell.ui.alerts.empty());
        s.shell.clock.advance(1.0);
        EXPECT_TRUE(s.app->port->isOpen());
        EXPECT_EQ(s.unit.count("r"), 1);
    }
}

TEST(MainViewPorts, ReloadClosesThePortAndOpensThePreselectedOneAgain) {
    ConnectedShell s;
    ASSERT_TRUE(s.app->port->isOpen());
    s.main->btnReloadPortList->click();
    EXPECT_EQ(testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text(),
              localized("RELOAD_PORTLIST"));
    EXPECT_FALSE(s.app->port->isOpen());
    s.shell.clock.advance(0.5);
    EXPECT_TRUE(s.app->port->isOpen());
    EXPECT_TRUE(s.identify()); // the unit answers on the reopened port
}

TEST(MainViewPorts, APortThatDoesNotOpenIsReported) {
    ConnectedShell s;
    // Another program holds the second unit's line.
    SimulatedUnit other(168);
    s.shell.ports.arrive(other, "ttyUSB1");
    const int holder = ::open(other.devicePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    s.main->reloadPortList(false);
    s.shell.clock.advance(0.5);

    choosePort(s.main, "ttyUSB1");
    s.shell.clock.advance(0.3);
    testsupport::pumpEvents(10);
    EXPECT_TRUE(s.alertHeadlines().contains(headline("OPEN_PORT_FAILED")));
    EXPECT_FALSE(s.app->port->isOpen());
    ::close(holder);
}

// A listed port that cannot be opened at all says why at start and on Connect: a path that leads
// nowhere (its node is gone, or a link to nothing) is not there, anything else (no character
// device) did not open. Choosing it again tries again.
TEST(MainViewPorts, APortThatCannotBeOpenedAtAllSaysWhyAndIsTriedAgain) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString plainFile = dir.filePath("not-a-device");
    QFile file(plainFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString danglingLink = dir.filePath("by-id-link");
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere"), danglingLink));
    const struct {
        QString path;
        const char* key;
    } cases[] = {
        {dir.filePath("gone"), "PORT_PATH_MISSING"},
        {danglingLink, "PORT_PATH_MISSING"},
        {plainFile, "OPEN_PORT_FAILED"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        ShellEnvironment shell;
        SimulatedUnit unit(168);
        shell.ports.arrive(unit, "ttyUSB0");
        shell.ports.arriveAt(c.path, "SLAB_gone");
        AppDelegate& app = shell.launch();
        MainViewController* main = app.mainViewController();
        shell.clock.advance(0.3);
        testsupport::pumpEvents(10);
        EXPECT_EQ(main->lstPortList->currentText(), "SLAB_gone");
        ASSERT_FALSE(shell.ui.alerts.empty());
        EXPECT_EQ(shell.ui.lastAlert().messageText, headline(c.key)); // at start
        EXPECT_EQ(shell.ui.lastAlert().informativeText.contains(c.path),
                  c.key == QLatin1String("PORT_PATH_MISSING"));

        std::size_t before = shell.ui.alerts.size();
        main->detectDevice(); // Connect
        ASSERT_EQ(shell.ui.alerts.size(), before + 1);
        EXPECT_EQ(shell.ui.lastAlert().messageText, headline(c.key));

        before = shell.ui.alerts.size();
        choosePort(main, "SLAB_gone"); // chosen again: tried again
        shell.clock.advance(0.3);
        testsupport::pumpEvents(10);
        ASSERT_GT(shell.ui.alerts.size(), before);
        EXPECT_EQ(shell.ui.lastAlert().messageText, headline(c.key));

        choosePort(main, "ttyUSB0"); // another port still opens
        shell.clock.advance(0.5);
        EXPECT_TRUE(app.port->isOpen());
        EXPECT_TRUE(unit.received().isEmpty());
    }
}

// A port that OVX_EXTRA_PORTS names by a path (a link) follows the path when it is opened, not
// when it was listed: a link that leads to another unit by then opens that unit, one that is gone
// is refused as a port that is not there.
TEST(MainViewPorts, APortNamedByAPathIsFollowedWhenItIsOpened) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString link = dir.filePath("unit");
    ShellEnvironment shell;
    SimulatedUnit listed(168), later(170);
    ASSERT_TRUE(QFile::link(listed.devicePath(), link));
    // Listed as the program reads OVX_EXTRA_PORTS; no "SLAB" in the name: nothing opens at start.
    for (const TTYSerialDevice& device : TTYSerialDevice::fromExtraPortsList("unit=" + link))
        shell.ports.arriveAt(device.calloutPath, device.name);
    AppDelegate& app = shell.launch();
    MainViewController* main = app.mainViewController();
    ASSERT_EQ(items(main->lstPortList), QStringList{"unit"});

    ASSERT_TRUE(QFile::remove(link));
    ASSERT_TRUE(QFile::link(later.devicePath(), link));
    choosePort(main, "unit");
    ASSERT_TRUE(app.port->isOpen());
    main->detectDevice();
    EXPECT_TRUE(testsupport::waitUntil(
        [&] { return main->deviceID == 170 && main->data.size() == main->dataLength; }, 10000));
    EXPECT_TRUE(listed.received().isEmpty());
    EXPECT_TRUE(shell.ui.alerts.empty());

    // The link gone, the port is listed still but does not open, and the user is told so once.
    ASSERT_TRUE(QFile::remove(link));
    main->reloadPortList(false);
    shell.clock.advance(0.5);
    choosePort(main, "unit");
    shell.clock.advance(0.3);
    testsupport::pumpEvents(10);
    EXPECT_FALSE(app.port->isOpen());
    QStringList shown;
    for (const auto& alert : shell.ui.alerts)
        shown << alert.request.messageText;
    EXPECT_EQ(shown, QStringList{headline("PORT_PATH_MISSING")});
}

TEST(MainViewPorts, UnpluggingTheOpenPortTellsTheUserAndEndsFirmwareWork) {
    ConnectedShell s;
    FirmwareUpdateViewController* firmware = s.main->firmwareUpdateViewController();
    firmware->view();
    firmware->btnStart->setText("Stop Searching");
    s.app->isUpdating = true;
    s.app->isDetecting = true;
    s.main->lockMenus();

    s.shell.ports.remove("SLAB_sim");
    ASSERT_EQ(s.shell.ui.alerts.size(), 1u);
    EXPECT_EQ(s.shell.ui.lastAlert().messageText,
              splitAlertText(localized("PORT_REMOVED").arg("SLAB_sim")).message);
    EXPECT_EQ(s.shell.ui.lastAlert().style, AlertStyle::Critical);
    EXPECT_FALSE(s.app->isUpdating);
    EXPECT_FALSE(s.app->isDetecting);
    EXPECT_TRUE(s.app->menuItemMain->isEnabled());
    EXPECT_EQ(firmware->btnStart->text(), localized("START_UPDATE"));

    // The list is rebuilt without the port, and nothing is opened.
    s.shell.clock.advance(0.5);
    EXPECT_EQ(items(s.main->lstPortList), QStringList{localized("PORT_UNCONNECTED")});
    EXPECT_FALSE(s.app->port->isOpen());

    // Plugged in again, it is opened and answers.
    s.shell.ports.arrive(s.unit);
    EXPECT_TRUE(s.app->port->isOpen());
    EXPECT_TRUE(s.identify());
}

TEST(MainViewPorts, EventsOfAnotherPortChangeNothing) {
    ConnectedShell s;
    SimulatedUnit second(168);
    s.shell.ports.arrive(second, "ttyUSB9"); // a port is open: the list stays as it is
    EXPECT_EQ(items(s.main->lstPortList), QStringList{"SLAB_sim"});
    s.app->isUpdating = true;

    s.shell.ports.remove("ttyUSB9");
    s.shell.clock.advance(1.0);
    EXPECT_TRUE(s.shell.ui.alerts.empty());
    EXPECT_TRUE(s.app->isUpdating);
    EXPECT_TRUE(s.app->port->isOpen());
    EXPECT_EQ(s.app->port->portName(), std::optional<QString>("SLAB_sim"));
}

TEST(MainViewPorts, AnErrorOfTheOpenPortIsReportedWithoutReloadingTheList) {
    ConnectedShell s;
    s.app->isDetecting = true;
    platform::NotificationCenter::defaultCenter().post(serialPortErrorNotification, nullptr,
                                                       {{"0", s.app->port->serialPort()}});
    ASSERT_EQ(s.shell.ui.alerts.size(), 1u);
    EXPECT_EQ(s.shell.ui.lastAlert().messageText,
              splitAlertText(localized("PORT_ERROR").arg("SLAB_sim")).message);
    EXPECT_FALSE(s.app->isDetecting);
    s.shell.clock.advance(1.0);
    EXPECT_TRUE(s.app->port->isOpen());
    EXPECT_EQ(items(s.main->lstPortList), QStringList{"SLAB_sim"});
}

TEST(MainViewPorts, WithoutAnOpenPortConnectWarnsAndSendsNothing) {
    {
        Units setup({"ttyUSB0"}); // ports, none open: the warning opens the list on OK
        setup.main->detectDevice();
        ASSERT_EQ(setup.shell.ui.alerts.size(), 1u);
        EXPECT_EQ(setup.shell.ui.lastAlert().messageText, headline("SELECT_PORT_WARNING"));
        EXPECT_EQ(setup.shell.ui.lastAlert().style, AlertStyle::Critical);
        EXPECT_TRUE(setup.shell.ui.answer(0));
        EXPECT_TRUE(setup.units[0]->received().isEmpty());
    }
    {
        Units setup({}); // no port at all: the message bar says so
        setup.shell.clock.advance(3.0);
        setup.main->detectDevice();
        EXPECT_TRUE(setup.shell.ui.alerts.empty());
        EXPECT_TRUE(testsupport::outlet<QWidget>(setup.main, "BottomMessageView")->isVisible());
        EXPECT_EQ(testsupport::outlet<QLabel>(setup.main, "txtBottomMessage")->text(),
                  localized("PORT_NOT_FOUND"));
    }
}

} // namespace
