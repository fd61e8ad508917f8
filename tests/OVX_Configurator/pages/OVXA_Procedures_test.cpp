// The OVXA page's procedures against a simulated unit: the split write of the block's head, the
// factory restore from the page's table, and the "l" and "h" calibrations.

#include "OvxaPage.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/ModalViewController.h"
#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/WelcomeViewController.h"
#include "support/Outlets.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

using testsupport::headline;
using testsupport::SimulatedUnit;

// The page with its live polls stopped: these tests follow the procedures' exchanges alone on
// the line (the live tests cover polls beside requests).
struct OvxaPage : testsupport::OvxaPage {
    OvxaPage() { stopLivePolls(); }
};

// The unit's block with recognisable bytes outside the written head.
QByteArray distinctBlock(const OvxaPage& s) {
    QByteArray block = s.main->data;
    block[0] = char(0x5C);
    for (int i = 57; i < 71; ++i)
        block[i] = char(0xC0 + i - 57);
    return block;
}

QByteArray factoryBlock(QByteArray block) {
    for (int i = 3; i < 57; ++i)
        block[i] = char(OVXA_ViewController::defaultData[std::size_t(i)]);
    return block;
}

QString bottomMessage(const OvxaPage& s) {
    return testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text();
}

TEST(OvxaWrite, TheLetterAloneThenTheHeadOfTheBlockWithItsCrc) {
    OvxaPage s;
    s.load(distinctBlock(s));
    s.control<QSpinBox>("BasicGain2")->setValue(77);
    s.control<QPushButton>("btnWrite")->click();
    ASSERT_EQ(s.lastHeadline(), headline("WRITE_CONFIRM"));
    s.answer(0);

    // The unit is asked who it is and what it holds; then the letter alone, the rest waits for
    // the pause.
    ASSERT_TRUE(s.waitLong([&] { return s.unit.received().size() == 3; }));
    testsupport::pumpEvents(50);
    EXPECT_EQ(s.unit.received(), "rRW");
    s.main->data[60] = char(0x99); // beyond the head: never sent
    s.shell.clock.advance(SerialPort::splitPause);
    ASSERT_TRUE(s.waitLong([&] { return bottomMessage(s) == localized("WRITE_SUCCESS"); }));

    QByteArray head = s.main->data.left(57);
    EXPECT_EQ(head[26], 77);
    EXPECT_EQ(s.unit.received(), "rR" + testsupport::writeFrame(head));
    EXPECT_EQ(s.unit.received().size(), 2 + 1 + 59);
    EXPECT_EQ(s.commands(), (QList<QByteArray>{"r", "R", testsupport::writeFrame(head)}));
    EXPECT_EQ(s.shell.ui.alerts.size(), 1u); // the success is a message, not an alert

    // Written again: the unit kept its own bytes past the head, and the program knows it.
    s.advance(3.0);
    s.unit.clearRecord();
    s.control<QPushButton>("btnWrite")->click();
    s.answer(0);
    ASSERT_TRUE(s.waitLong([&] { return s.unit.received() == "rRW"; }));
    s.shell.clock.advance(SerialPort::splitPause);
    ASSERT_TRUE(s.waitLong([&] { return s.unit.count("W") == 1; }));
    EXPECT_EQ(s.main->deviceID, 166);
}

TEST(OvxaWrite, RefusalsAndFailures) {
    struct Case {
        const char* name;
        std::function<void(OvxaPage&)> setUp;
        bool confirms;
        QString result; // headline of the last alert
    };
    const Case cases[] = {
        {"no port", [](OvxaPage& s) { s.app->port->disconnect(); }, false,
         headline("SELECT_PORT_WARNING")},
        {"empty block", [](OvxaPage& s) { s.main->data.clear(); }, false,
         headline("DATA_BUFFER_EMPTY")},
        {"pop-up without selection",
         [](OvxaPage& s) { s.control<QComboBox>("StickMode")->setCurrentIndex(-1); }, false,
         testsupport::refusalHeadline("Sticks › Transmitter stick mode")},
        {"rejected", [](OvxaPage& s) { s.unit.injectFault(SimulatedUnit::Fault::WrongAck, "W"); },
         true, headline("RESPONSE_ERROR")},
        {"no reply", [](OvxaPage& s) { s.unit.injectFault(SimulatedUnit::Fault::NoReply, "W"); },
         true, headline("RESPONSE_TIMEOUT")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OvxaPage s;
        c.setUp(s);
        s.main->handlerWriteToDevice();
        if (c.confirms) {
            ASSERT_EQ(s.lastHeadline(), headline("WRITE_CONFIRM"));
            s.answer(0);
            ASSERT_TRUE(s.waitLong([&] { return s.unit.received() == "rRW"; }));
            s.shell.clock.advance(SerialPort::splitPause);
            ASSERT_TRUE(s.waitLong([&] { return s.unit.received().size() == 2 + 60; }));
            if (c.result == headline("RESPONSE_TIMEOUT")) {
                testsupport::pumpEvents(20);
                s.shell.clock.advance(1.0);
            }
            ASSERT_TRUE(s.waitForAlert(1));
        } else {
            testsupport::pumpEvents(50);
            EXPECT_TRUE(s.unit.received().isEmpty());
        }
        EXPECT_EQ(s.lastHeadline(), c.result);
    }
}

// The channel functions of a PWM receiver, which the page disables, go back to the unit as it
// holds them, also ones the pop-ups cannot show.
TEST(OvxaWrite, TheDisabledChannelFunctionsGoBackAsRead) {
    OvxaPage s;
    QByteArray block = s.main->data;
    block[39] = 0; // PWM
    block[46] = char(200);
    block[52] = 40;
    testsupport::expectWrittenAsLoaded(
        s, block, OVXA_ViewController::blockLength - OVXA_ViewController::writeTailLength);
}

// "CANCEL" to "WRITE_CONFIRM": nothing is sent and the block keeps what it held (the controls
// are not encoded into it).
TEST(OvxaWrite, CancelSendsNothingAndChangesNothing) {
    OvxaPage s;
    const QByteArray before = distinctBlock(s);
    s.load(before);
    s.control<QSpinBox>("BasicGain2")->setValue(77);
    s.control<QPushButton>("btnWrite")->click();
    ASSERT_EQ(s.lastHeadline(), headline("WRITE_CONFIRM"));
    s.answer(1);
    testsupport::pumpEvents(50);
    s.shell.clock.advance(1.0);
    testsupport::pumpEvents(20);
    EXPECT_TRUE(s.unit.received().isEmpty());
    EXPECT_EQ(s.main->data, before);
    EXPECT_EQ(s.shell.ui.alerts.size(), 1u);
}

TEST(OvxaReset, TheFactoryValuesReplaceBytes3To56AndTheHeadIsWritten) {
    OvxaPage s;
    const QByteArray before = distinctBlock(s);
    s.load(before);
    s.app->menuItemRestore->trigger();
    ASSERT_EQ(s.lastHeadline(), headline("RESET_CONFIRM"));
    EXPECT_EQ(s.shell.ui.lastAlert().buttons, (QStringList{localized("YES"), localized("CANCEL")}));
    s.answer(0);

    const QByteArray restored = factoryBlock(before);
    EXPECT_EQ(s.main->data, restored); // bytes 0-2 and 57-70 kept
    EXPECT_EQ(s.control<QSpinBox>("TravelLimit1")->value(), 100); // shown at once
    EXPECT_EQ(s.control<QComboBox>("RcMapping3")->currentIndex(), 4);
    ASSERT_TRUE(s.waitLong([&] { return s.unit.received() == "rRW"; }));
    s.shell.clock.advance(SerialPort::splitPause);
    ASSERT_TRUE(s.waitForAlert(1));
    EXPECT_EQ(s.lastHeadline(), headline("RESET_SUCCESS"));
    EXPECT_EQ(s.shell.ui.lastAlert().style, AlertStyle::Informational);
    EXPECT_EQ(s.commands(),
              (QList<QByteArray>{"r", "R", testsupport::writeFrame(restored.left(57))}));
    EXPECT_EQ(s.unit.block().left(57), restored.left(57));
}

// A rejected or missing reply to the restored block's write is reported; the block and the
// controls keep the factory values.
TEST(OvxaReset, ARejectedOrMissingReplyIsReported) {
    struct Case {
        SimulatedUnit::Fault fault;
        const char* result;
    } cases[] = {{SimulatedUnit::Fault::WrongAck, "RESPONSE_ERROR"},
                 {SimulatedUnit::Fault::NoReply, "RESPONSE_TIMEOUT"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        OvxaPage s;
        const QByteArray before = distinctBlock(s);
        s.load(before);
        s.unit.injectFault(c.fault, "W");
        s.main->handlerFactoryRestore();
        ASSERT_EQ(s.lastHeadline(), headline("RESET_CONFIRM"));
        s.answer(0);
        ASSERT_TRUE(s.waitLong([&] { return s.unit.received() == "rRW"; }));
        s.shell.clock.advance(SerialPort::splitPause);
        ASSERT_TRUE(s.waitLong([&] { return s.unit.received().size() == 2 + 60; }));
        if (c.fault == SimulatedUnit::Fault::NoReply) {
            testsupport::pumpEvents(20);
            s.shell.clock.advance(1.0);
        }
        ASSERT_TRUE(s.waitForAlert(1));
        EXPECT_EQ(s.lastHeadline(), headline(c.result));
        EXPECT_EQ(s.shell.ui.lastAlert().style, AlertStyle::Critical);
        EXPECT_EQ(s.main->data, factoryBlock(before));
        EXPECT_EQ(s.control<QSpinBox>("TravelLimit1")->value(), 100);
        EXPECT_EQ(s.unit.count("R"), 1); // the check before the write, no read after it
    }
}

TEST(OvxaReset, NothingChangesWithoutAPortAWholeBlockOrAYes) {
    struct Case {
        const char* name;
        std::function<void(OvxaPage&)> setUp;
        const char* result;
        int answer; // the answer to "RESET_CONFIRM", or -1 when it is not asked
    };
    const Case cases[] = {
        {"no port", [](OvxaPage& s) { s.app->port->disconnect(); }, "SELECT_PORT_WARNING", -1},
        {"empty block", [](OvxaPage& s) { s.main->data.clear(); }, "DATA_BUFFER_EMPTY", -1},
        {"short block", [](OvxaPage& s) { s.main->data.truncate(56); }, "DATA_BUFFER_EMPTY", -1},
        {"cancelled", [](OvxaPage&) {}, "RESET_CONFIRM", 1},
        {"port gone while asked", [](OvxaPage& s) { s.app->port->disconnect(); },
         "SELECT_PORT_WARNING", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OvxaPage s;
        s.load(distinctBlock(s));
        s.control<QSpinBox>("TravelLimit1")->setValue(33);
        if (c.answer < 0)
            c.setUp(s);
        s.main->handlerFactoryRestore();
        if (c.answer >= 0) {
            ASSERT_EQ(s.lastHeadline(), headline("RESET_CONFIRM"));
            if (c.answer == 0)
                c.setUp(s);
            const QByteArray asked = s.main->data;
            s.answer(c.answer);
            EXPECT_EQ(s.main->data, asked);
        }
        testsupport::pumpEvents(50);
        s.shell.clock.advance(1.0);
        EXPECT_EQ(s.lastHeadline(), headline(c.result));
        EXPECT_EQ(s.control<QSpinBox>("TravelLimit1")->value(), 33);
        EXPECT_TRUE(s.unit.received().isEmpty());
    }
}

// A link still busy with a read when "YES" comes: nothing is restored or sent, and the user is
// told why.
TEST(OvxaReset, ABusyLinkRestoresNothing) {
    OvxaPage s;
    const QByteArray before = distinctBlock(s);
    s.load(before);
    s.control<QSpinBox>("TravelLimit1")->setValue(33);
    s.main->handlerFactoryRestore();
    ASSERT_EQ(s.lastHeadline(), headline("RESET_CONFIRM"));
    ASSERT_TRUE(s.app->port->requestDataFrame("R", 71, true, 0.5)); // a read still waits
    s.answer(0);
    EXPECT_EQ(s.lastHeadline(), headline("DEVICE_BUSY"));
    EXPECT_EQ(s.main->data, before);
    EXPECT_EQ(s.control<QSpinBox>("TravelLimit1")->value(), 33);
    ASSERT_TRUE(s.waitLong([&] { return !s.app->port->busy(); }));
    testsupport::pumpEvents(20);
    EXPECT_EQ(s.commands(), QList<QByteArray>{"R"});
}

TEST(OvxaCalibration, OneLetterTwoAcknowledgementsAndARereadOnlyOnSuccess) {
    enum class Ending { Success, Failure, TimeOut, Cancel };
    struct Case {
        bool level;
        Ending ending;
        const char* result;
    } cases[] = {
        {true, Ending::Success, "CALIBRATION_SUCCESS"},
        {false, Ending::Success, "CALIBRATION_SUCCESS"},
        {true, Ending::Failure, "CALIBRATION_FAILED"},
        {false, Ending::TimeOut, "RESPONSE_TIMEOUT"},
        {true, Ending::Cancel, "LEVEL_CALIBRATION_CONFIRM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.level ? "level " : "hover ") << int(c.ending));
        OvxaPage s;
        const QByteArray letter = c.level ? "l" : "h";
        if (c.ending == Ending::Failure)
            s.unit.injectFault(SimulatedUnit::Fault::WrongAck, letter);
        if (c.ending == Ending::TimeOut)
            s.unit.injectFault(SimulatedUnit::Fault::NoReply, letter);
        s.control<QPushButton>(c.level ? "btnLevelCalibration" : "btnHoverCalibration")->click();
        ASSERT_EQ(s.lastHeadline(),
                  headline(c.level ? "LEVEL_CALIBRATION_CONFIRM" : "HOVER_CALIBRATION_CONFIRM"));
        EXPECT_EQ(s.shell.ui.lastAlert().buttons,
                  (QStringList{localized("START"), localized("CANCEL")}));
        if (c.ending == Ending::Cancel) {
            s.answer(1);
            testsupport::pumpEvents(50);
            EXPECT_TRUE(s.unit.received().isEmpty());
            EXPECT_TRUE(s.app->menuItemMain->isEnabled());
            continue;
        }
        s.answer(0);
        EXPECT_FALSE(s.app->menuItemMain->isEnabled());
        EXPECT_TRUE(s.main->modalViewController()->isPresentedAsSheet());
        // A quick success may bring the re-read before the wait looks.
        ASSERT_TRUE(s.waitLong([&] { return s.unit.received().startsWith(letter); }));
        if (c.ending == Ending::TimeOut) {
            testsupport::pumpEvents(20);
            s.shell.clock.advance(9.9); // the unit may take ten seconds
            EXPECT_TRUE(s.main->modalViewController()->isPresentedAsSheet());
            s.shell.clock.advance(0.1);
        }
        ASSERT_TRUE(s.waitForAlert(1));
        EXPECT_EQ(s.lastHeadline(), headline(c.result));
        EXPECT_TRUE(s.app->menuItemMain->isEnabled());
        EXPECT_FALSE(s.main->modalViewController()->isPresentedAsSheet());
        if (c.ending == Ending::Success) {
            ASSERT_TRUE(s.waitLong([&] { return s.unit.count("R") == 1; }));
        }
        testsupport::pumpEvents(50);
        EXPECT_EQ(s.unit.count("R"), c.ending == Ending::Success ? 1 : 0);
        EXPECT_EQ(s.unit.frames().first(), letter);
    }
}

// A calibration the link cannot take (busy with a read, or the port closed while the question
// was shown) locks nothing, leaves no sheet, tells the user why and sends nothing.
TEST(OvxaCalibration, ACommandTheLinkRefusesLeavesNothingLocked) {
    struct Case {
        const char* name;
        std::function<void(OvxaPage&)> whileAsked;
        const char* result;
    };
    const Case cases[] = {
        {"busy",
         [](OvxaPage& s) {
             // a read still waits
             EXPECT_TRUE(s.app->port->requestDataFrame("R", 71, true, 0.5));
         },
         "DEVICE_BUSY"},
        {"port closed", [](OvxaPage& s) { s.app->port->disconnect(); }, "SELECT_PORT_WARNING"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OvxaPage s;
        s.app->menuItemHoverCalibration->trigger();
        ASSERT_EQ(s.lastHeadline(), headline("HOVER_CALIBRATION_CONFIRM"));
        c.whileAsked(s);
        s.answer(0);
        EXPECT_EQ(s.lastHeadline(), headline(c.result));
        EXPECT_TRUE(s.app->menuItemMain->isEnabled());
        EXPECT_FALSE(s.main->modalViewController()->isPresentedAsSheet());
        ASSERT_TRUE(s.waitLong([&] { return !s.app->port->busy(); }));
        testsupport::pumpEvents(20);
        EXPECT_EQ(s.unit.count("h"), 0);
    }
}

TEST(OvxaPage, ReadAndCloseButtons) {
    OvxaPage s;
    s.control<QPushButton>("btnRead")->click();
    ASSERT_TRUE(s.waitLong([&] { return s.unit.count("R") == 1; }));
    s.control<QPushButton>("btnClose")->click();
    EXPECT_EQ(s.main->currentViewController,
              static_cast<ViewController*>(s.main->welcomeViewController()));
}

} // namespace
