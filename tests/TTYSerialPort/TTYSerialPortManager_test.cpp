#include "TTYSerialPort/TTYSerialPortManager.h"
#include "TTYSerialPort/TTYSerialUdevDeviceSource.h"

#include "RecordingDelegate.h"
#include "platform/NotificationCenter.h"
#include "support/EventLoop.h"
#include "support/FakeSerialDeviceSource.h"
#include "support/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <map>

using testsupport::FakeSerialDeviceSource;
using testsupport::PseudoTerminal;
using PortList = TTYSerialPortManager::PortList;

namespace {

// A manager on a fake source, with every notification it posts written down.
struct ManagerOnFakeSource : ::testing::Test {
    PseudoTerminal first, second;
    FakeSerialDeviceSource* source = nullptr;
    std::shared_ptr<TTYSerialPortManager> manager;
    std::vector<std::string> log; // shared with port delegates: one order for everything
    std::vector<PortList> connected, disconnected;
    platform::Observation onConnected, onDisconnected;

    struct Delegate : RecordingDelegate {
        std::vector<std::string>* log = nullptr;
        void serialPortWasRemovedFromSystem(const std::shared_ptr<TTYSerialPort>& p) override {
            RecordingDelegate::serialPortWasRemovedFromSystem(p);
            log->push_back("removed " + p->name().toStdString());
        }
        void serialPortWasClosed(const std::shared_ptr<TTYSerialPort>& p) override {
            RecordingDelegate::serialPortWasClosed(p);
            log->push_back("closed " + p->name().toStdString());
        }
    } delegate;

    void SetUp() override {
        delegate.log = &log;
        auto fake = std::make_unique<FakeSerialDeviceSource>(
            std::vector<TTYSerialDevice>{FakeSerialDeviceSource::device(first.devicePath(), "A")});
        source = fake.get();
        manager = TTYSerialPortManager::create(std::move(fake));
        onConnected =
            platform::Observation(TTYSerialPortManager::TTYSerialPortWasConnectedNotification,
                                  manager.get(), [this](const platform::Notification& n) {
                                      connected.push_back(std::any_cast<PortList>(n.userInfo.at(
                                          TTYSerialPortManager::TTYConnectedSerialPortsKey)));
                                      log.push_back("connected");
                                  });
        onDisconnected = platform::Observation(
            TTYSerialPortManager::TTYSerialPortWasDisconnectedNotification, manager.get(),
            [this](const platform::Notification& n) {
                disconnected.push_back(std::any_cast<PortList>(
                    n.userInfo.at(TTYSerialPortManager::TTYDisconnectedSerialPortsKey)));
                const bool listed = !manager->availablePorts().empty() &&
                                    manager->availablePorts().back()->name() == "B";
                log.push_back(listed ? "disconnected (still listed)" : "disconnected");
            });
    }
    void TearDown() override {
        for (const auto& port : manager->availablePorts())
            port->setDelegate(nullptr);
    }

    std::vector<QString> names() const {
        std::vector<QString> n;
        for (const auto& port : manager->availablePorts())
            n.push_back(port->name());
        return n;
    }
};

} // namespace

TEST_F(ManagerOnFakeSource, ListsThePresentDevicesAndAnnouncesExactlyTheNewOnes) {
    EXPECT_EQ(names(), std::vector<QString>{"A"});
    EXPECT_EQ(source->starts(), 1);
    source->arrive({FakeSerialDeviceSource::device(second.devicePath(), "B")});
    EXPECT_EQ(names(), (std::vector<QString>{"A", "B"}));
    ASSERT_EQ(connected.size(), 1u);
    ASSERT_EQ(connected[0].size(), 1u);
    EXPECT_EQ(connected[0][0], manager->availablePorts()[1]);
    EXPECT_EQ(connected[0][0]->path(), second.devicePath());
}

TEST_F(ManagerOnFakeSource, ArrivalOfAListedDeviceAddsNothingButIsAnnounced) {
    auto port = manager->availablePorts()[0];
    source->arrive({FakeSerialDeviceSource::device(first.devicePath(), "A")});
    EXPECT_EQ(names(), std::vector<QString>{"A"});
    EXPECT_EQ(manager->availablePorts()[0], port);
    ASSERT_EQ(connected.size(), 1u);
    EXPECT_TRUE(connected[0].empty());
}

TEST_F(ManagerOnFakeSource, RemovalOfAnOpenPortClosesDelistsThenAnnouncesOnce) {
    source->arrive({FakeSerialDeviceSource::device(second.devicePath(), "B")});
    auto port = manager->availablePorts()[1];
    port->setDelegate(&delegate);
    port->open();
    ASSERT_TRUE(port->isOpen());
    log.clear();

    source->remove({FakeSerialDeviceSource::device(second.devicePath(), "B")});
    EXPECT_EQ(log, (std::vector<std::string>{"removed B", "closed B", "disconnected"}));
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(names(), std::vector<QString>{"A"});
    ASSERT_EQ(disconnected.size(), 1u);
    EXPECT_EQ(disconnected[0], PortList{port});

    // The line going dead afterwards is no second removal.
    second.hangUp();
    testsupport::pumpEvents(20);
    EXPECT_EQ(delegate.count("removed"), 1);
    EXPECT_EQ(delegate.count("closed"), 1);
}

TEST_F(ManagerOnFakeSource, ReturningDeviceIsListedAgainAndItsNextRemovalReported) {
    const TTYSerialDevice b = FakeSerialDeviceSource::device(second.devicePath(), "B");
    source->arrive({b});
    auto port = manager->availablePorts()[1];
    port->setDelegate(&delegate);
    source->remove({b});
    source->arrive({b});
    EXPECT_EQ(names(), (std::vector<QString>{"A", "B"}));
    EXPECT_EQ(manager->availablePorts()[1], port); // the live port object of the device
    source->remove({b});
    EXPECT_EQ(delegate.count("removed"), 2);
}

TEST_F(ManagerOnFakeSource, ExitCleanupTellsEveryPortAndEmptiesTheList) {
    source->arrive({FakeSerialDeviceSource::device(second.devicePath(), "B")});
    for (const auto& port : manager->availablePorts())
        port->setDelegate(&delegate);
    manager->availablePorts()[0]->open();
    log.clear();
    // What the application does when it is about to quit.
    ASSERT_TRUE(QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit",
                                          Qt::DirectConnection));
    EXPECT_EQ(log, (std::vector<std::string>{"removed A", "closed A", "removed B"}));
    EXPECT_TRUE(manager->availablePorts().empty());
}

TEST_F(ManagerOnFakeSource, SleepClosesOpenPortsAndWakeOpensThemAgain) {
    auto port = manager->availablePorts()[0];
    port->setDelegate(&delegate);
    port->open();
    manager->systemWillSleep();
    EXPECT_FALSE(port->isOpen());
    manager->systemDidWake();
    EXPECT_TRUE(port->isOpen());
    manager->systemDidWake();
    EXPECT_TRUE(port->isOpen());
}

TEST(TTYSerialPortManager, SourceThatCannotListLeavesAnEmptyManager) {
    auto fake = FakeSerialDeviceSource::failing();
    auto* source = fake.get();
    auto manager = TTYSerialPortManager::create(std::move(fake));
    EXPECT_TRUE(manager->availablePorts().empty());
    EXPECT_EQ(source->starts(), 1);
}

TEST(TTYSerialPortManager, ScopedSharedManagerStandsInForTheSharedOne) {
    auto mine = TTYSerialPortManager::create(std::make_unique<FakeSerialDeviceSource>());
    {
        TTYSerialPortManager::ScopedSharedManager guard(mine);
        EXPECT_EQ(TTYSerialPortManager::sharedSerialPortManager(), mine);
    }
}

namespace {
// Sets OVX_EXTRA_PORTS for the guard's lifetime.
struct ScopedExtraPorts {
    QByteArray previous = qgetenv("OVX_EXTRA_PORTS");
    explicit ScopedExtraPorts(const QString& value) { qputenv("OVX_EXTRA_PORTS", value.toUtf8()); }
    ~ScopedExtraPorts() {
        if (previous.isNull())
            qunsetenv("OVX_EXTRA_PORTS");
        else
            qputenv("OVX_EXTRA_PORTS", previous);
    }
};
} // namespace

TEST(TTYSerialUdevDeviceSource, ListsExtraPortsWithTheirNames) {
    PseudoTerminal unit, other;
    ScopedExtraPorts extra("SLAB_sim=" + unit.devicePath() + ":" + other.devicePath() + ":");
    TTYSerialUdevDeviceSource source;
    auto devices = source.start(nullptr, nullptr);
    ASSERT_TRUE(devices);
    std::map<QString, QString> byPath;
    for (const auto& d : *devices)
        byPath[d.calloutPath] = d.name;
    EXPECT_EQ(byPath[unit.devicePath()], "SLAB_sim");
    EXPECT_EQ(byPath[other.devicePath()], other.devicePath().section('/', -1));
    // A port made from the path alone carries the same name.
    EXPECT_EQ(TTYSerialPort::create(unit.devicePath())->name(), "SLAB_sim");
}

// A port named by a path (a link, as /dev/serial/by-id/... are) is listed under that path and
// follows the link when it is opened, not when it was listed: a unit plugged in again may sit
// behind another device node, and the old node may by then be another device. A link that leads
// nowhere any more does not open.
TEST(TTYSerialUdevDeviceSource, AnExtraPortNamedByALinkOpensWhereTheLinkLeadsThen) {
    PseudoTerminal listed, later;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString link = dir.filePath("unit");
    const QString unnamed = dir.filePath("usb-unit");
    ASSERT_TRUE(QFile::link(listed.devicePath(), link));
    ASSERT_TRUE(QFile::link(listed.devicePath(), unnamed));
    ScopedExtraPorts extra("SLAB_unit=" + link + ":" + unnamed);
    TTYSerialUdevDeviceSource source;
    const auto devices = source.start(nullptr, nullptr);
    ASSERT_TRUE(devices);
    const auto named = std::find_if(devices->begin(), devices->end(),
                                    [](const auto& d) { return d.name == "SLAB_unit"; });
    ASSERT_NE(named, devices->end());
    EXPECT_EQ(named->calloutPath, link);
    // An entry without a name is named by its own path, not by what it leads to.
    EXPECT_TRUE(std::any_of(devices->begin(), devices->end(), [&](const auto& d) {
        return d.name == "usb-unit" && d.calloutPath == unnamed;
    }));

    // The unit comes back behind another node before the port is opened.
    ASSERT_TRUE(QFile::remove(link));
    ASSERT_TRUE(QFile::link(later.devicePath(), link));
    RecordingDelegate delegate;
    auto port = TTYSerialPort::create(*named);
    port->setDelegate(&delegate);
    port->open();
    ASSERT_TRUE(port->isOpen());
    ASSERT_TRUE(port->sendData("r"));
    EXPECT_EQ(later.readExactly(1), "r");
    EXPECT_TRUE(listed.readAvailable().isEmpty());
    port->close();

    // Gone: the port is refused with the error of the missing path.
    ASSERT_TRUE(QFile::remove(link));
    port->open();
    EXPECT_FALSE(port->isOpen());
    ASSERT_FALSE(delegate.errors.empty());
    EXPECT_EQ(delegate.errors.back().code, ENOENT);
    port->setDelegate(nullptr);
}

TEST(TTYSerialUdevDeviceSource, EnumeratesThisMachineAndMonitorsArrivals) {
    ScopedExtraPorts none("");
    TTYSerialUdevDeviceSource source;
    auto devices = source.start(nullptr, nullptr);
    ASSERT_TRUE(devices); // the list may be empty
    EXPECT_TRUE(source.isMonitoring());
    for (const auto& d : *devices) {
        EXPECT_FALSE(d.calloutPath.startsWith("/dev/pts/")) << d.calloutPath.toStdString();
        EXPECT_FALSE(d.name.isEmpty());
        EXPECT_NE(d.name, "console");
    }
}

TEST(TTYSerialUdevDeviceSource, UnitBehindASiliconLabsBridgeIsNamedSlab) {
    EXPECT_EQ(TTYSerialUdevDeviceSource::nameFor("ttyUSB0", "10c4"), "SLAB_ttyUSB0");
    EXPECT_EQ(TTYSerialUdevDeviceSource::nameFor("ttyUSB1", "10C4"), "SLAB_ttyUSB1");
    EXPECT_EQ(TTYSerialUdevDeviceSource::nameFor("ttyUSB0", "0403"), "ttyUSB0");
    EXPECT_EQ(TTYSerialUdevDeviceSource::nameFor("ttyS0", ""), "ttyS0");
}
