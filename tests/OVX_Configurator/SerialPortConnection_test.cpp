// The device link's connection: connect and disconnect with their 0.3 s reports, the re-posted
// port events, and what a request sees when the device disappears.

#include "OVX_Configurator/SerialPort.h"
#include "platform/NotificationCenter.h"
#include "platform/Scheduler.h"
#include "support/EventLoop.h"
#include "support/SimulatedPorts.h"
#include "support/SimulatedUnit.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

using testsupport::SimulatedPorts;
using testsupport::SimulatedUnit;

namespace {

// Records the link's four port notifications.
struct PortEvents {
    struct Event {
        std::string name;
        const void* sender;
        std::shared_ptr<TTYSerialPort> port;
    };
    std::vector<Event> events;
    std::vector<platform::Observation> observations;

    PortEvents() {
        for (const char* name : {serialPortWasOpenedNotification, serialPortWasClosedNotification,
                                 serialPortWasRemovedNotification, serialPortErrorNotification}) {
            observations.emplace_back(name, nullptr, [this](const platform::Notification& n) {
                auto it = n.userInfo.find("0");
                std::shared_ptr<TTYSerialPort> port;
                if (it != n.userInfo.end() && n.userInfo.size() == 1)
                    port = std::any_cast<std::shared_ptr<TTYSerialPort>>(it->second);
                events.push_back({n.name, n.sender, port});
            });
        }
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const Event& e : events)
            out.push_back(e.name);
        return out;
    }
};

struct Reports {
    int done = 0, failed = 0;
    SerialPort::Callback onDone() {
        return [this] { ++done; };
    }
    SerialPort::Callback onFailed() {
        return [this] { ++failed; };
    }
};

class SerialPortConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(unit.isValid());
        link = SerialPort::create();
    }

    platform::ManualScheduler clock;
    platform::ScopedScheduler useClock{clock};
    SimulatedUnit unit{168};
    SimulatedPorts ports{unit};
    PortEvents seen;
    std::shared_ptr<SerialPort> link;

    // Lists `other` under `name` and connects the link to it.
    bool connectTo(const SimulatedUnit& other, const QString& name) {
        ports.arrive(other, name);
        link->refreshPortList();
        link->connect(name);
        return link->isOpen();
    }
};

} // namespace

TEST_F(SerialPortConnectionTest, ConnectOpensAt115200AndReportsAfterThreeTenths) {
    Reports r;
    link->connect("SLAB_sim", r.onDone(), r.onFailed());
    ASSERT_TRUE(link->isOpen());
    EXPECT_EQ(link->portName(), std::optional<QString>("SLAB_sim"));
    EXPECT_EQ(link->serialPort()->baudRate(), 115200u);
    EXPECT_EQ(link->serialPort()->numberOfDataBits(), 8u);
    EXPECT_EQ(link->serialPort()->numberOfStopBits(), 1u);
    EXPECT_EQ(link->serialPort()->parity(), unsigned(TTYSerialPort::ParityNone));
    clock.advance(0.29);
    EXPECT_EQ(r.done + r.failed, 0);
    clock.advance(0.01);
    EXPECT_EQ(r.done, 1);
    EXPECT_EQ(r.failed, 0);

    ASSERT_TRUE(testsupport::waitUntil([&] { return !seen.events.empty(); }));
    ASSERT_EQ(seen.names(), std::vector<std::string>{"TTYSerialPortWasOpened"});
    EXPECT_EQ(seen.events[0].sender, nullptr);
    EXPECT_EQ(seen.events[0].port, link->serialPort());

    Reports d;
    link->disconnect(d.onDone(), d.onFailed());
    EXPECT_FALSE(link->isOpen());
    EXPECT_TRUE(link->serialPort()); // the object stays
    clock.advance(0.3);
    EXPECT_EQ(d.done, 1);
    EXPECT_EQ(d.failed, 0);
    testsupport::pumpEvents(10);
    EXPECT_EQ(seen.names(),
              (std::vector<std::string>{"TTYSerialPortWasOpened", "TTYSerialPortWasClosed"}));
    EXPECT_FALSE(link->sendCommand("REBT", true, 0.1));
}

TEST_F(SerialPortConnectionTest, UnknownNameAndMissingPortRunNoReport) {
    Reports r, d;
    link->connect("ttyUSB9", r.onDone(), r.onFailed());
    link->disconnect(d.onDone(), d.onFailed());
    clock.advance(1.0);
    EXPECT_EQ(r.done + r.failed + d.done + d.failed, 0);
    EXPECT_FALSE(link->portName());
    EXPECT_FALSE(link->serialPort());
}

TEST_F(SerialPortConnectionTest, PortThatCannotBeOpenedReportsFailureAndTheError) {
    const int other = ::open(unit.devicePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    Reports r;
    link->connect("SLAB_sim", r.onDone(), r.onFailed());
    EXPECT_FALSE(link->isOpen());
    clock.advance(0.3);
    EXPECT_EQ(r.done, 0);
    EXPECT_EQ(r.failed, 1);
    testsupport::pumpEvents(10);
    ASSERT_EQ(seen.names(), std::vector<std::string>{"TTYSerialPortEncounterError"});
    EXPECT_EQ(seen.events[0].port, link->serialPort());
    ::close(other);
}

// Unplugging ends the request on the port: no reply can come, so none of its closures runs and
// no time-out follows the removal's own notification.
TEST_F(SerialPortConnectionTest, RemovalDuringARequestEndsItWithoutAnyClosure) {
    link->connect("SLAB_sim");
    ASSERT_TRUE(link->isOpen());
    unit.injectFault(SimulatedUnit::Fault::NoReply, "R");
    int success = 0, error = 0, timeout = 0;
    ASSERT_TRUE(link->requestDataFrame(
        "R", 91, true, 0.5, [&] { ++success; }, [&] { ++error; }, [&] { ++timeout; }));
    ASSERT_TRUE(testsupport::waitUntil([&] { return unit.count("R") == 1; }));
    auto port = link->serialPort();
    bool busyWhenHeard = true;
    platform::Observation heard(serialPortWasRemovedNotification, nullptr,
                                [&](const platform::Notification&) { busyWhenHeard = link->busy(); });
    unit.hangUp();
    ASSERT_TRUE(testsupport::waitUntil([&] { return !link->serialPort(); }));
    testsupport::pumpEvents(20);
    EXPECT_EQ(seen.names(), (std::vector<std::string>{"TTYSerialPortWasOpened",
                                                      "TTYSerialPortWasRemovedFromSystem",
                                                      "TTYSerialPortWasClosed"}));
    EXPECT_EQ(seen.events[1].port, port);
    EXPECT_FALSE(busyWhenHeard); // observers of the removal find the link free
    EXPECT_FALSE(link->busy());
    clock.advance(0.5);
    clock.advance(1.0);
    testsupport::pumpEvents(10);
    EXPECT_EQ(success + error + timeout, 0);
    EXPECT_FALSE(link->sendCommand("REBT", true, 0.1));
    int polled = 0;
    link->pollDataFrame("INFO", 11, [&] { ++polled; });
    clock.advance(1.0);
    EXPECT_EQ(timeout, 0);
    EXPECT_EQ(polled, 0);

    // The computer delists the device; a unit plugged in again (on the same device node, as
    // often happens) works through the link.
    ports.remove("SLAB_sim");
    SimulatedUnit replacement(170);
    ASSERT_TRUE(connectTo(replacement, "SLAB_sim"));
    ASSERT_TRUE(link->requestDataFrame("r", 3, true, 0.5, [&] { ++success; }));
    ASSERT_TRUE(testsupport::waitUntil([&] { return success == 1; }));
    EXPECT_EQ(quint8(link->data()[0]), 170);
}

TEST_F(SerialPortConnectionTest, PortClosedDuringTheSplitPauseEndsByTheTimeOut) {
    SimulatedUnit unit166(166);
    ASSERT_TRUE(connectTo(unit166, "SLAB_166"));
    int success = 0, error = 0, timeout = 0;
    ASSERT_TRUE(link->sendDataFrameSplit(
        "W", unit166.block(), 57, true, 0.5, [&] { ++success; }, [&] { ++error; },
        [&] { ++timeout; }));
    link->disconnect();
    clock.advance(0.1);
    EXPECT_TRUE(link->busy());
    clock.advance(0.5);
    EXPECT_EQ(timeout, 1);
    EXPECT_EQ(success + error, 0);
    EXPECT_FALSE(link->busy());
}

TEST_F(SerialPortConnectionTest, PortListFollowsThePortManagerOnRefresh) {
    EXPECT_EQ(link->serialPortManager(), ports.manager());
    EXPECT_EQ(link->availablePorts(), (QMap<QString, QString>{{"SLAB_sim", unit.devicePath()}}));
    link->connect("SLAB_sim");
    ASSERT_TRUE(link->isOpen());

    SimulatedUnit second(169), third(170);
    ports.arrive(second, "ttyUSB1");
    ports.arrive(third, "ttyUSB1");              // same name: the later port wins
    EXPECT_EQ(link->availablePorts().size(), 1); // until the next refresh
    link->refreshPortList();
    EXPECT_FALSE(link->isOpen()); // a refresh closes the port and keeps the object
    EXPECT_TRUE(link->serialPort());
    EXPECT_EQ(link->availablePorts(), (QMap<QString, QString>{{"SLAB_sim", unit.devicePath()},
                                                              {"ttyUSB1", third.devicePath()}}));
}

TEST_F(SerialPortConnectionTest, UnpluggedDeviceIsRepostedAndDropped) {
    link->connect("SLAB_sim");
    ASSERT_TRUE(link->isOpen());
    auto port = link->serialPort();
    ports.remove("SLAB_sim");
    testsupport::pumpEvents(20);
    EXPECT_FALSE(link->serialPort());
    EXPECT_FALSE(port->isOpen());
    ASSERT_EQ(seen.names(), (std::vector<std::string>{"TTYSerialPortWasOpened",
                                                      "TTYSerialPortWasRemovedFromSystem",
                                                      "TTYSerialPortWasClosed"}));
    EXPECT_EQ(seen.events[1].port, port);
    EXPECT_EQ(seen.events[2].port, port);
}

TEST_F(SerialPortConnectionTest, APortLeftBehindTakesNothingFromTheCurrentOne) {
    SimulatedUnit other(169);
    ports.arrive(other, "ttyUSB1");
    link->refreshPortList();
    link->connect("SLAB_sim");
    ASSERT_TRUE(link->isOpen());
    link->connect("ttyUSB1"); // the first port is left open
    ASSERT_TRUE(link->isOpen());

    // Bytes on the line left behind never reach a request on the current one.
    bool done = false;
    ASSERT_TRUE(link->requestDataFrame("r", 3, true, 0.5, [&] { done = true; }));
    unit.sendRaw(QByteArray(6, '\x55'));
    ASSERT_TRUE(testsupport::waitUntil([&] { return done; }));
    EXPECT_EQ(quint8(link->data()[0]), 169);

    // Unplugging the first unit is reported, but the current port stays.
    ports.remove("SLAB_sim");
    testsupport::pumpEvents(10);
    const auto names = seen.names();
    EXPECT_NE(std::find(names.begin(), names.end(), "TTYSerialPortWasRemovedFromSystem"),
              names.end());
    ASSERT_TRUE(link->isOpen());
    EXPECT_EQ(link->portName(), std::optional<QString>("ttyUSB1"));
    done = false;
    ASSERT_TRUE(link->requestDataFrame("r", 3, true, 0.5, [&] { done = true; }));
    EXPECT_TRUE(testsupport::waitUntil([&] { return done; }));
}

TEST_F(SerialPortConnectionTest, DestroyingTheLinkClosesItsPort) {
    link->connect("SLAB_sim");
    ASSERT_TRUE(link->isOpen());
    std::shared_ptr<TTYSerialPort> port = link->serialPort();
    link.reset();
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(port->delegate(), nullptr);
}

TEST_F(SerialPortConnectionTest, APortLeftBehindNeverReportsToALinkThatIsGone) {
    // Connecting to a second unit leaves the first port listed and still reporting to the link;
    // once the link is gone, the first port's removal must reach nobody.
    link->connect("SLAB_sim");
    ASSERT_TRUE(link->isOpen());
    SimulatedUnit second(170);
    ASSERT_TRUE(connectTo(second, "SLAB_other"));
    auto firstPort = TTYSerialPort::existingPortWithPath(unit.devicePath());
    ASSERT_TRUE(firstPort);
    EXPECT_EQ(firstPort->delegate(), link.get());

    link.reset();
    EXPECT_EQ(firstPort->delegate(), nullptr);
    ports.remove("SLAB_sim"); // reports the removal of the first port: no one is listening
}
