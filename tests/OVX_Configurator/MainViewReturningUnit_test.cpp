// The identified unit's port goes away and a unit comes back under the same port name (the same
// unit on a loose cable, or another one on the same USB lead): nothing but "r" and "R" reaches it
// until it has answered, and only the same unit (identifier, firmware and data version, and the
// block it was last known to hold) keeps the page.

#include "OVX_Configurator/Alert.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/WelcomeViewController.h"
#include "OVX_Configurator/pages/OVXB_ViewController.h"
#include "support/ConnectedShell.h"
#include "support/EventLoop.h"
#include "support/Outlets.h"
#include "support/SimulatedBootLoader.h"

#include <QSpinBox>

#include <gtest/gtest.h>

#include <memory>

namespace {

using testsupport::ConnectedShell;
using testsupport::SimulatedUnit;

const QString kPort = QStringLiteral("SLAB_sim");

// Moves the clock in poll ticks, letting `unit` answer each step's exchange before the next.
void advance(ConnectedShell& s, const SimulatedUnit& unit, double seconds) {
    SerialPort& link = *s.app->port;
    for (double done = 0; done < seconds - 1e-9; done += 0.05) {
        s.shell.clock.advance(0.05);
        testsupport::pumpEvents(0);
        s.waitFor([&] { return !(link.isOpen() && link.awaitingReply() && !unit.withholding()); });
    }
}

// Times the unit was asked who it is, by its application or, just switched on, its boot loader.
int timesAsked(SimulatedUnit& unit) {
    return unit.count("r") + int(unit.bootLoader().commands().count("r"));
}

QString bottomMessage(ConnectedShell& s) {
    return testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text();
}

// A stepper of the shown page set to another value: an edit on the page, not yet written.
QSpinBox* editOnThePage(ConnectedShell& s) {
    for (QSpinBox* stepper : s.main->ovxbViewController()->view()->findChildren<QSpinBox*>())
        if (stepper->isEnabled() && stepper->value() < stepper->maximum()) {
            stepper->setValue(stepper->value() + 1);
            return stepper;
        }
    return nullptr;
}

TEST(MainViewReturningUnit, OnlyTheSameUnitOnAReopenedPortKeepsThePage) {
    enum class Back { SameUnit, SameUnitJustSwitchedOn, Twin, OtherModel, OtherDataVersion,
                      OtherFirmware, NoAnswer };
    struct Case {
        const char* what;
        Back back;
        int model;
        quint8 firmware, dataVersion;
        int asked; // "r" sent to the unit that came back
        int read;  // "R" sent to it
        const char* reason;
    } cases[] = {
        {"the same unit", Back::SameUnit, 168, 0x21, 0x10, 1, 1, nullptr},
        {"the same unit, still in its boot loader", Back::SameUnitJustSwitchedOn, 168, 0x21, 0x10,
         2, 1, nullptr},
        {"an OVXB of the same versions with its own calibration", Back::Twin, 168, 0x21, 0x10, 1,
         1, "UNIT_BLOCK_CHANGED_ON_PORT"},
        {"an OVXC", Back::OtherModel, 170, 0x11, 0x10, 1, 0, "UNIT_CHANGED_ON_PORT"},
        {"an OVXB of another data version", Back::OtherDataVersion, 168, 0x21, 0x11, 1, 0,
         "UNIT_CHANGED_ON_PORT"},
        {"an OVXB of another firmware", Back::OtherFirmware, 168, 0x22, 0x10, 1, 0,
         "UNIT_CHANGED_ON_PORT"},
        {"a unit that does not answer", Back::NoAnswer, 168, 0x21, 0x10, 1, 0, "NO_UNIT_ON_PORT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConnectedShell s(168);
        ASSERT_TRUE(s.identify());
        advance(s, s.unit, 1.0);
        ASSERT_GT(s.unit.count("INFO"), 0);
        QSpinBox* edited = editOnThePage(s);
        ASSERT_NE(edited, nullptr);
        const int editedValue = edited->value();
        s.main->handlerUIToData();
        const QByteArray pageBlock = s.main->data; // what Write would send now
        ASSERT_NE(pageBlock, s.unit.block());

        // Unplugged: the port is reported gone and the page stays.
        s.shell.ports.remove(kPort);
        advance(s, s.unit, 1.0);
        ASSERT_FALSE(s.app->port->isOpen());
        ASSERT_EQ(s.shell.ui.lastAlert().messageText,
                  splitAlertText(localized("PORT_REMOVED").arg(kPort)).message);
        s.confirm();

        const bool same = c.back == Back::SameUnit || c.back == Back::SameUnitJustSwitchedOn;
        std::unique_ptr<SimulatedUnit> other;
        if (!same) {
            other = std::make_unique<SimulatedUnit>(c.model);
            other->setFirmwareVersion(c.firmware);
            other->setDataVersion(c.dataVersion);
            if (c.back == Back::Twin) { // accelerometer offsets of its own
                QByteArray calibrated = other->block();
                calibrated[3] = 99;
                calibrated[4] = char(-7);
                other->setBlock(calibrated);
            }
            if (c.back == Back::NoAnswer)
                other->injectFault(SimulatedUnit::Fault::NoReply, {}, 1000);
        }
        SimulatedUnit& back = same ? s.unit : *other;
        const QByteArray storedBlock = back.block();
        if (c.back == Back::SameUnitJustSwitchedOn)
            back.powerCycle();
        back.clearRecord();
        back.bootLoader().clearRecord();
        s.unit.clearRecord();
        back.holdReplies(true);
        s.shell.ports.arrive(back, kPort);
        ASSERT_TRUE(s.waitFor([&] { return timesAsked(back) == 1; }));
        ASSERT_TRUE(s.app->port->isOpen());

        // Before the answer (held back less than its time-out): the polls wait, and Write and
        // Read send nothing; the Write says that the unit is busy.
        advance(s, back, 0.2);
        s.main->writeToDevice({}, {}, {});
        ASSERT_EQ(s.shell.ui.pendingAlerts(), 1);
        s.confirm(); // "Write the parameters?" Yes
        ASSERT_EQ(s.shell.ui.pendingAlerts(), 1);
        EXPECT_EQ(s.shell.ui.lastAlert().messageText, testsupport::headline("DEVICE_BUSY"));
        s.confirm();
        s.main->readFromDevice({}, {}, {});
        advance(s, back, 0.1);
        EXPECT_EQ(back.received(), "r");

        back.releaseReplies();
        back.holdReplies(false);
        advance(s, back, 3.0);
        EXPECT_EQ(timesAsked(back), c.asked);
        EXPECT_EQ(back.count("W"), 0);
        EXPECT_EQ(back.count("R"), c.read);
        if (same) {
            // The page goes on: polls again, its edit kept, and Write writes it.
            EXPECT_EQ(s.main->currentViewController,
                      static_cast<ViewController*>(s.main->ovxbViewController()));
            EXPECT_EQ(s.main->deviceID, 168);
            EXPECT_GT(back.count("INFO"), 0);
            EXPECT_EQ(edited->value(), editedValue);
            s.main->writeToDevice({}, {}, {});
            s.confirm();
            advance(s, back, 1.0);
            EXPECT_EQ(back.count("W"), 1);
            EXPECT_EQ(back.block(), pageBlock);
        } else {
            // Forgotten: nothing more reaches the port, the welcome page and the reason.
            EXPECT_EQ(back.received(), c.read ? "rR" : "r");
            EXPECT_EQ(s.main->currentViewController, s.main->welcomeViewController());
            EXPECT_EQ(s.main->deviceID, 0);
            EXPECT_TRUE(s.main->data.isEmpty());
            EXPECT_FALSE(s.main->handlerWriteToDevice);
            EXPECT_FALSE(s.app->menuItemWrite->isEnabled());
            EXPECT_EQ(bottomMessage(s), localized(c.reason).arg(kPort));
            EXPECT_EQ(back.block(), storedBlock);
            EXPECT_TRUE(s.unit.received().isEmpty());
        }
        EXPECT_EQ(s.shell.ui.pendingAlerts(), 0);
    }
}

// After the other unit was found, Connect opens its page and reads its own block first.
TEST(MainViewReturningUnit, ConnectOpensThePageOfTheUnitFoundOnThePort) {
    ConnectedShell s(168);
    ASSERT_TRUE(s.identify());
    SimulatedUnit other(170);
    s.shell.ports.remove(kPort);
    advance(s, s.unit, 1.0);
    s.confirm();
    s.shell.ports.arrive(other, kPort);
    advance(s, other, 1.0);
    ASSERT_EQ(s.main->deviceID, 0);
    other.clearRecord();
    s.main->detectDevice();
    ASSERT_TRUE(s.waitFor([&] { return s.main->data.size() == other.block().size(); }));
    EXPECT_EQ(s.main->deviceID, 170);
    EXPECT_EQ(s.main->data, other.block());
    EXPECT_EQ(other.frames().mid(0, 2), (QList<QByteArray>{"r", "R"}));
}

// The reload button closes and reopens the unit's own port: the unit is asked once and goes on.
TEST(MainViewReturningUnit, ReloadingThePortListAsksTheUnitOnceAndGoesOn) {
    ConnectedShell s(168);
    ASSERT_TRUE(s.identify());
    advance(s, s.unit, 3.0);
    s.unit.clearRecord();
    s.main->btnReloadPortListAction();
    advance(s, s.unit, 2.0);
    ASSERT_GE(s.unit.frames().size(), 2);
    EXPECT_EQ(s.unit.frames().first(), "r");
    EXPECT_EQ(s.unit.count("r"), 1);
    EXPECT_GT(s.unit.count("INFO"), 0);
    EXPECT_EQ(s.main->deviceID, 168);
    EXPECT_FALSE(s.app->port->held());
}

// The reason the page went stays its full time on the message bar, also when the reload's own
// earlier message comes to its end meanwhile.
TEST(MainViewReturningUnit, TheReasonAfterAReloadStaysItsFullTime) {
    ConnectedShell s(168);
    ASSERT_TRUE(s.identify());
    advance(s, s.unit, 2.0);
    s.unit.injectFault(SimulatedUnit::Fault::NoReply, {}, 1000); // no unit behind the port now
    s.main->btnReloadPortListAction();
    const QString reason = localized("NO_UNIT_ON_PORT").arg(kPort);
    auto* bar = testsupport::outlet<QWidget>(s.main, "BottomMessageView");
    for (int step = 0; step < 100 && !bottomMessage(s).contains(reason); ++step)
        advance(s, s.unit, 0.05);
    ASSERT_TRUE(bottomMessage(s).contains(reason));
    EXPECT_EQ(s.main->deviceID, 0);
    advance(s, s.unit, 2.9);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(bottomMessage(s).contains(reason));
    advance(s, s.unit, 0.2);
    EXPECT_FALSE(bar->isVisible());
}

} // namespace
