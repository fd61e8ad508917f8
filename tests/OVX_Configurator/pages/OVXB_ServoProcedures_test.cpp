// The OVXB page's servo trimming and travel limiting: start and exit with the unit's
// acknowledgement, the block read at the end, failures that leave everything as it was, and a
// unit that goes away while one runs.

#include "OvxbPage.h"

#include "OVX_Configurator/Alert.h"
#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/SerialPort.h"
#include "support/Outlets.h"

#include <gtest/gtest.h>

namespace {

using testsupport::headline;
using testsupport::OvxbPage;
using testsupport::SimulatedUnit;
using Procedure = OVXB_ViewController::ServoProcedure;

// One of the two procedures and its counterpart.
struct ProcedureCase {
    Procedure procedure;
    const char* button;
    const char* other;
    const char* title; // the idle title's key
    const char* startKey;
    const char* exitKey;
    const char* word;
    const char* picture; // English
    const char* abandoned; // the message when the unit goes while it runs
};

const ProcedureCase kProcedures[] = {
    {Procedure::Trimming, "btnServoTrimming", "btnTravelLimiting", "SERVO_TRIMMING",
     "SERVO_TRIMMING_START_CONFIRM", "SERVO_TRIMMING_EXIT_CONFIRM", "TRIM", "servo_trimming_en",
     "SERVO_TRIMMING_ABANDONED"},
    {Procedure::Travelling, "btnTravelLimiting", "btnServoTrimming", "SERVO_TRAVELLING",
     "SERVO_TRAVELLING_START_CONFIRM", "SERVO_TRAVELLING_EXIT_CONFIRM", "TRVL",
     "servo_travelling_en", "SERVO_TRAVELLING_ABANDONED"},
};

// Idle: the idle title, both buttons enabled, no picture.
void expectIdle(OvxbPage& s, const ProcedureCase& c) {
    EXPECT_EQ(s.page->servoProcedure(), Procedure::None);
    EXPECT_EQ(s.control<QPushButton>(c.button)->text(), localized(c.title));
    EXPECT_TRUE(s.control<QPushButton>(c.button)->isEnabled());
    EXPECT_TRUE(s.control<QPushButton>(c.other)->isEnabled());
    EXPECT_TRUE(s.control<QLabel>("imgServoSetting")->isHidden());
}

void expectRunning(OvxbPage& s, const ProcedureCase& c) {
    EXPECT_EQ(s.page->servoProcedure(), c.procedure);
    EXPECT_TRUE(testsupport::showsPicture(s.control<QLabel>("imgServoSetting"), c.picture));
    EXPECT_EQ(s.control<QPushButton>(c.button)->text(), localized("EXIT"));
    EXPECT_TRUE(s.control<QPushButton>(c.button)->isEnabled());
    EXPECT_FALSE(s.control<QPushButton>(c.other)->isEnabled());
    EXPECT_FALSE(s.control<QLabel>("imgServoSetting")->isHidden());
}

// Presses the procedure's button and answers the question with `answer`.
void press(OvxbPage& s, const ProcedureCase& c, const char* expectedKey, int answer) {
    const std::size_t before = s.shell.ui.alerts.size();
    s.control<QPushButton>(c.button)->click();
    ASSERT_EQ(s.shell.ui.alerts.size(), before + 1);
    EXPECT_EQ(s.lastHeadline(), headline(expectedKey));
    s.answer(answer);
}

TEST(OvxbServo, StartAndExitWithTheUnitsAcknowledgementThenTheBlockIsRead) {
    for (const ProcedureCase& c : kProcedures) {
        SCOPED_TRACE(c.word);
        OvxbPage s;
        expectIdle(s, c);
        press(s, c, c.startKey, 0);
        EXPECT_EQ(s.shell.ui.lastAlert().buttons,
                  (QStringList{localized("START"), localized("CANCEL")}));
        ASSERT_TRUE(s.waitLong([&] { return s.page->servoProcedure() == c.procedure; }));
        expectRunning(s, c);
        EXPECT_EQ(s.unit.activeProcedure(), QByteArray(c.word));

        press(s, c, c.exitKey, 0);
        EXPECT_EQ(s.shell.ui.lastAlert().buttons,
                  (QStringList{localized("YES"), localized("CANCEL")}));
        ASSERT_TRUE(s.waitLong([&] { return s.unit.count("R") == 1; }));
        expectIdle(s, c);
        EXPECT_EQ(s.commands(), (QList<QByteArray>{c.word, "CNCL", "R"}));
    }
}

TEST(OvxbServo, ThePictureIsInTheInterfaceLanguage) {
    const std::pair<LanguageType, const char*> cases[] = {
        {LanguageType::SimplifiedChinese, "servo_travelling_cn"},
        {LanguageType::TraditionalChinese, "servo_travelling_cn"},
        {LanguageType::English, "servo_travelling_en"}};
    for (const auto& [language, picture] : cases) {
        OvxbPage s;
        s.app->lang = language;
        s.page->travelLimitingStarted();
        EXPECT_TRUE(testsupport::showsPicture(s.control<QLabel>("imgServoSetting"), picture))
            << picture;
        EXPECT_FALSE(s.control<QLabel>("imgServoSetting")->isHidden());
    }
}

TEST(OvxbServo, CancelInEitherQuestionSendsNothing) {
    for (const ProcedureCase& c : kProcedures) {
        SCOPED_TRACE(c.word);
        OvxbPage s;
        press(s, c, c.startKey, 1);
        testsupport::pumpEvents(100);
        EXPECT_TRUE(s.commands().isEmpty());
        expectIdle(s, c);

        press(s, c, c.startKey, 0);
        ASSERT_TRUE(s.waitLong([&] { return s.page->servoProcedure() == c.procedure; }));
        press(s, c, c.exitKey, 1);
        testsupport::pumpEvents(100);
        EXPECT_EQ(s.commands(), QList<QByteArray>{c.word});
        expectRunning(s, c);
    }
}

TEST(OvxbServo, ATimeOutOnCancelKeepsTheExitState) {
    const ProcedureCase& c = kProcedures[0];
    OvxbPage s;
    press(s, c, c.startKey, 0);
    ASSERT_TRUE(s.waitLong([&] { return s.page->servoProcedure() == c.procedure; }));
    s.unit.injectFault(SimulatedUnit::Fault::NoReply, "CNCL");
    press(s, c, c.exitKey, 0);
    ASSERT_TRUE(s.waitLong([&] { return s.unit.count("CNCL") == 1; }));
    s.advance(0.6);
    ASSERT_EQ(s.lastHeadline(), headline("RESPONSE_TIMEOUT"));
    EXPECT_EQ(s.shell.ui.lastAlert().style, AlertStyle::Critical);
    s.answer(0);
    expectRunning(s, c);
    EXPECT_EQ(s.unit.count("R"), 0);
    press(s, c, c.exitKey, 1); // a second press asks to exit again
}

TEST(OvxbServo, ARejectedStartLeavesEverythingAsItWas) {
    const ProcedureCase& c = kProcedures[1];
    OvxbPage s;
    s.unit.injectFault(SimulatedUnit::Fault::WrongAck, c.word);
    press(s, c, c.startKey, 0);
    ASSERT_TRUE(s.waitLong([&] { return s.lastHeadline() == headline("RESPONSE_ERROR"); }));
    expectIdle(s, c);
}

TEST(OvxbServo, AClosedPortOrABusyLinkWarnsAndChangesNothing) {
    const ProcedureCase& c = kProcedures[0];
    {
        OvxbPage s;
        s.app->port->disconnect();
        press(s, c, c.startKey, 0);
        EXPECT_EQ(s.lastHeadline(), headline("SELECT_PORT_WARNING"));
        expectIdle(s, c);
    }
    {
        OvxbPage s;
        s.unit.holdReplies(true);
        s.main->readFromDevice({}, {}, {}); // holds the link until its reply or time-out
        ASSERT_TRUE(s.app->port->busy());
        press(s, c, c.startKey, 0);
        EXPECT_EQ(s.lastHeadline(), headline("DEVICE_BUSY"));
        EXPECT_EQ(s.shell.ui.lastAlert().style, AlertStyle::Critical);
        expectIdle(s, c);
        testsupport::pumpEvents(100);
        EXPECT_EQ(s.unit.count("TRIM"), 0);
        s.unit.holdReplies(false);
        s.unit.releaseReplies();
    }
}

// The unit pulled out, or its port closed, while a procedure runs: the page ends it at once as
// after Exit (titles, buttons, picture, and no procedure in the status bar), sends nothing (no
// "CNCL", no read), says once in the message bar why it ended, and a unit connected again is
// asked who it is and offered a new start, not an exit.
TEST(OvxbServo, AUnitThatGoesEndsTheProcedureOnThePage) {
    const std::pair<const char*, bool> ways[] = {{"unplugged", true}, {"port closed", false}};
    for (const ProcedureCase& c : kProcedures)
        for (const auto& [way, unplugged] : ways) {
            SCOPED_TRACE(std::string(c.word) + ", " + way);
            OvxbPage s;
            press(s, c, c.startKey, 0);
            ASSERT_TRUE(s.waitLong([&] { return s.page->servoProcedure() == c.procedure; }));
            // The status poll names the procedure.
            QLabel* state = s.main->statusSystemState;
            ASSERT_TRUE(s.waitLong([&] {
                s.advance(0.05);
                return state->text() == localized(c.title);
            }));
            s.unit.clearRecord();
            const std::size_t alerts = s.shell.ui.alerts.size();

            if (unplugged)
                s.shell.ports.remove("SLAB_sim");
            else
                s.app->port->disconnect();
            expectIdle(s, c);
            EXPECT_TRUE(state->text().isEmpty());
            EXPECT_EQ(testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text(),
                      localized(c.abandoned));
            // The only alert is the main view's about an unplugged port.
            const QStringList expected =
                unplugged
                    ? QStringList{splitAlertText(localized("PORT_REMOVED").arg("SLAB_sim")).message}
                    : QStringList{};
            EXPECT_EQ(s.alertHeadlines().mid(qsizetype(alerts)), expected);
            if (unplugged)
                s.answer(0);
            testsupport::pumpEvents(100);
            EXPECT_TRUE(s.unit.received().isEmpty());

            // Connected again: the page offers to start, and the unit hears nothing of the old run.
            if (unplugged)
                s.shell.ports.arrive(s.unit);
            else
                s.main->connectPort("SLAB_sim");
            ASSERT_TRUE(s.waitLong([&] {
                s.advance(0.05);
                return s.app->port->isOpen();
            }));
            s.stopLivePolls();
            press(s, c, c.startKey, 1);
            testsupport::pumpEvents(100);
            // Only asked who it is and what it holds, as any unit on a port opened again.
            EXPECT_EQ(s.commands(), (QList<QByteArray>{"r", "R"}));
        }
}

} // namespace
