// The program lets go of the unit's port while a procedure runs on it (the program quits, another
// port is chosen, or the port list is reloaded): the procedure is ended on the unit with the word
// its Cancel or Exit sends, before the port closes.

#include "OvxbPage.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainWindowController.h"
#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/pages/AccelCalibrationWizard.h"
#include "support/Outlets.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QMainWindow>

#include <gtest/gtest.h>

namespace {

using testsupport::headline;
using testsupport::OvxbPage;
using testsupport::SimulatedUnit;

enum class Procedure { AccelCalibration, ServoTrimming };
enum class LetGo { QuitMenu, WindowClosed, AnotherPort, Reload };

// Starts the procedure on the page and waits until the unit runs it.
void start(OvxbPage& s, Procedure procedure) {
    const char* button =
        procedure == Procedure::ServoTrimming ? "btnServoTrimming" : "btnAccelCalibration";
    s.control<QPushButton>(button)->click();
    s.answer(0);
    const QByteArray word = procedure == Procedure::ServoTrimming ? "TRIM" : "ACCL";
    ASSERT_TRUE(s.waitLong([&] { return s.unit.activeProcedure() == word; }));
    ASSERT_FALSE(s.page->procedureEndWord().isEmpty());
}

TEST(LettingGoMidProcedure, TheProcedureEndsOnTheUnitBeforeThePortCloses) {
    const struct Case {
        const char* what;
        Procedure procedure;
        LetGo how;
    } cases[] = {
        {"quit during the accelerometer calibration", Procedure::AccelCalibration, LetGo::QuitMenu},
        {"quit during servo trimming", Procedure::ServoTrimming, LetGo::QuitMenu},
        {"window closed during servo trimming", Procedure::ServoTrimming, LetGo::WindowClosed},
        {"another port chosen during servo trimming", Procedure::ServoTrimming, LetGo::AnotherPort},
        {"the port list reloaded during servo trimming", Procedure::ServoTrimming, LetGo::Reload},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OvxbPage s;
        SimulatedUnit other(170);
        s.shell.ports.arrive(other, "ttyUSB1");
        s.main->reloadPortList(true); // lists it; the unit's port is opened again
        s.advance(2.0);
        ASSERT_FALSE(s.main->isCheckingReturningUnit());
        start(s, c.procedure);
        s.stopLivePolls();
        s.advance(0.5);
        s.unit.clearRecord();

        switch (c.how) {
        case LetGo::QuitMenu:
            s.app->menuItemQuit->trigger();
            break;
        case LetGo::WindowClosed: {
            QCloseEvent close;
            QCoreApplication::sendEvent(s.app->mainWindowController()->window(), &close);
            break;
        }
        case LetGo::AnotherPort: {
            const int index = s.main->lstPortList->findText("ttyUSB1");
            ASSERT_GE(index, 0);
            s.main->lstPortList->setCurrentIndex(index);
            emit s.main->lstPortList->activated(index);
            break;
        }
        case LetGo::Reload:
            s.main->btnReloadPortListAction();
            break;
        }
        // The word went out before the port closed: the unit reads it from the line afterwards.
        EXPECT_FALSE(s.app->port->isOpen() && s.app->port->portName() == QString("SLAB_sim"));
        ASSERT_TRUE(s.waitLong([&] { return s.unit.count("CNCL") == 1; }));
        EXPECT_EQ(s.unit.frames(), QList<QByteArray>{"CNCL"});
        EXPECT_TRUE(s.unit.activeProcedure().isEmpty());
        if (c.how == LetGo::AnotherPort) {
            s.advance(1.0);
            EXPECT_TRUE(other.received().isEmpty());
            // The caution that the procedure ended stays, with the reason the unit was let go.
            EXPECT_EQ(testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text(),
                      localized("SERVO_TRIMMING_ABANDONED") + ' ' + localized("PORT_CHANGED"));
        } else if (c.how == LetGo::Reload) {
            // The same unit answers on the reopened port, with the trims it kept: the page goes
            // on, idle, holding the block as the unit keeps it.
            s.advance(2.0);
            ASSERT_GE(s.unit.frames().size(), 3);
            EXPECT_EQ(s.unit.frames().mid(0, 3), (QList<QByteArray>{"CNCL", "r", "R"}));
            EXPECT_EQ(s.main->deviceID, 168);
            EXPECT_TRUE(s.page->procedureEndWord().isEmpty());
            EXPECT_EQ(s.main->data, s.unit.block());
            EXPECT_EQ(s.unit.count("W"), 0);
            EXPECT_EQ(s.unit.count("TRIM"), 0);
        } else {
            EXPECT_EQ(s.shell.ui.exitStatuses, std::vector<int>{0});
        }
    }
}

// With no procedure running, letting go of the port sends nothing.
TEST(LettingGoMidProcedure, WithoutAProcedureNothingIsSent) {
    OvxbPage s;
    s.stopLivePolls();
    s.advance(0.5);
    s.unit.clearRecord();
    s.app->menuItemQuit->trigger();
    s.advance(0.5);
    EXPECT_TRUE(s.unit.received().isEmpty());
    EXPECT_EQ(s.shell.ui.exitStatuses, std::vector<int>{0});
}

} // namespace
