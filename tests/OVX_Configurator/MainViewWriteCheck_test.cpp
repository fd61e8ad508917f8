// Before a Write the unit on the line is asked who it is ("r") and what it holds ("R"): only the
// unit the page was read from, still holding what the program last knew it to hold, is written.
// The port stays open throughout, so the program sees no sign of a unit changed behind it.

#include "OVX_Configurator/Alert.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/WelcomeViewController.h"
#include "OVX_Configurator/pages/OVXB_ViewController.h"
#include "support/ConnectedShell.h"
#include "support/EventLoop.h"
#include "support/Outlets.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

using testsupport::ConnectedShell;
using testsupport::headline;
using testsupport::SimulatedUnit;

const QString kPort = QStringLiteral("SLAB_sim");

// The commands the unit received, without the live polls.
QList<QByteArray> commands(const SimulatedUnit& unit) {
    QList<QByteArray> out;
    for (const QByteArray& frame : unit.frames())
        if (!QList<QByteArray>{"INFO", "STCK", "SERV", "SNSR", "d"}.contains(frame))
            out.append(frame);
    return out;
}

QString bottomMessage(ConnectedShell& s) {
    return testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text();
}

// An edit of the user's on the OVXB page; returns the block that Write sends with it.
QByteArray editThePage(ConnectedShell& s) {
    for (QSpinBox* stepper : s.main->ovxbViewController()->view()->findChildren<QSpinBox*>())
        if (stepper->isEnabled() && stepper->value() < stepper->maximum()) {
            stepper->setValue(stepper->value() + 1);
            break;
        }
    const QByteArray before = s.main->data;
    s.main->handlerUIToData();
    const QByteArray edited = s.main->data;
    s.main->data = before; // Write encodes the controls itself
    EXPECT_NE(edited, before);
    return edited;
}

// Device › Write, Yes, and the clock moved on until the exchanges ended.
void write(ConnectedShell& s) {
    const std::size_t before = s.shell.ui.alerts.size();
    s.app->menuItemWrite->trigger();
    ASSERT_EQ(s.shell.ui.alerts.size(), before + 1);
    ASSERT_EQ(s.shell.ui.lastAlert().messageText, headline("WRITE_CONFIRM"));
    s.confirm();
    s.advance(2.0);
}

// The page's edit reaches the unit, and the program says so.
void expectWritten(ConnectedShell& s) {
    const QByteArray sent = editThePage(s);
    const int writes = s.unit.count("W");
    s.unit.clearRecord();
    write(s);
    EXPECT_EQ(commands(s.unit), (QList<QByteArray>{"r", "R", testsupport::writeFrame(sent)}));
    EXPECT_EQ(s.unit.count("W"), 1) << "after " << writes << " writes";
    EXPECT_EQ(s.unit.block().mid(3), sent.mid(3)); // bytes 0-2 are the unit's own
    EXPECT_EQ(bottomMessage(s), localized("WRITE_SUCCESS"));
    EXPECT_EQ(s.main->deviceID, 168);
}

TEST(MainViewWriteCheck, OnlyTheUnitThePageWasReadFromIsWritten) {
    enum class Behind { SameUnit, OtherBlock, OtherFirmware, OtherDataVersion, NoAnswer };
    struct Case {
        const char* what;
        Behind behind;
        QList<QByteArray> asked; // what the unit hears besides polls, when nothing is written
        const char* alert;       // why nothing was written
        bool forgotten;
    } cases[] = {
        {"the same unit, unchanged", Behind::SameUnit, {}, nullptr, false},
        {"the same versions, accelerometer offsets of its own",
         Behind::OtherBlock,
         {"r", "R"},
         "UNIT_NOT_THE_SAME",
         true},
        {"another firmware", Behind::OtherFirmware, {"r"}, "UNIT_NOT_THE_SAME", true},
        {"another data version", Behind::OtherDataVersion, {"r"}, "UNIT_NOT_THE_SAME", true},
        {"no unit answering", Behind::NoAnswer, {"r"}, "RESPONSE_TIMEOUT", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConnectedShell s(168);
        ASSERT_TRUE(s.identify());
        s.advance(1.0);
        ASSERT_GT(s.unit.count("INFO"), 0); // the page polls the unit

        // Behind the open port the unit is switched for another, or falls silent.
        QByteArray block = s.unit.block();
        switch (c.behind) {
        case Behind::SameUnit:
            break;
        case Behind::OtherBlock:
            block[3] = 99;
            block[4] = char(-7);
            s.unit.setBlock(block);
            break;
        case Behind::OtherFirmware:
            s.unit.setFirmwareVersion(0x22);
            break;
        case Behind::OtherDataVersion:
            s.unit.setDataVersion(0x11);
            break;
        case Behind::NoAnswer:
            s.unit.injectFault(SimulatedUnit::Fault::NoReply, {}, 1000);
            break;
        }
        if (!c.alert) {
            expectWritten(s);
            continue;
        }
        const QByteArray held = s.unit.block();
        editThePage(s);
        s.unit.clearRecord();
        const std::size_t before = s.shell.ui.alerts.size();
        write(s);
        EXPECT_EQ(commands(s.unit), c.asked);
        EXPECT_EQ(s.unit.count("W"), 0);
        EXPECT_EQ(s.unit.block(), held);
        ASSERT_EQ(s.shell.ui.alerts.size(), before + 2);
        const AlertRequest& alert = s.shell.ui.lastAlert();
        EXPECT_EQ(alert.style, AlertStyle::Critical);
        const AlertText expected =
            splitAlertText(c.forgotten ? localized(c.alert).arg(kPort) : localized(c.alert));
        EXPECT_EQ(alert.messageText, expected.message);
        EXPECT_EQ(alert.informativeText, expected.informative);
        EXPECT_NE(bottomMessage(s), localized("WRITE_SUCCESS"));
        if (c.forgotten) { // as a change of port: the welcome page, nothing more sent
            EXPECT_EQ(s.main->currentViewController, s.main->welcomeViewController());
            EXPECT_EQ(s.main->deviceID, 0);
            EXPECT_TRUE(s.main->data.isEmpty());
            EXPECT_FALSE(s.app->menuItemWrite->isEnabled());
            s.confirm();
            s.unit.clearRecord();
            s.advance(2.0);
            EXPECT_TRUE(s.unit.received().isEmpty());
        } else {
            EXPECT_EQ(s.main->deviceID, 168); // the page stays for a unit that answers again
            EXPECT_EQ(s.main->currentViewController,
                      static_cast<ViewController*>(s.main->ovxbViewController()));
        }
    }
}

// What the program itself did to the unit is no sign of another unit: the same unit is written
// again and again.
TEST(MainViewWriteCheck, TheSameUnitIsWrittenAgainAfterWhatTheProgramDidToIt) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    struct Case {
        const char* what;
        std::function<void(ConnectedShell&)> done;
    } cases[] = {
        {"a write", [](ConnectedShell& s) { expectWritten(s); }},
        {"a file of another firmware byte, opened and written",
         [&folder](ConnectedShell& s) {
             QByteArray file = s.main->data;
             file[1] = char(0x20); // saved from the unit before its firmware update
             file[20] = char(file[20] + 1);
             const QString path = QDir(folder.path()).filePath("older.dat");
             QFile out(path);
             ASSERT_TRUE(out.open(QIODevice::WriteOnly));
             out.write(file);
             out.close();
             s.shell.ui.openPanelAnswers.push_back(path);
             s.main->openParameterFile({}, {});
             ASSERT_EQ(s.main->data, file);
             write(s);
             ASSERT_EQ(s.unit.count("W"), 1);
             ASSERT_EQ(s.unit.block()[1], char(0x21)); // the unit keeps its own version
         }},
        {"a level calibration",
         [](ConnectedShell& s) {
             const QByteArray before = s.unit.block();
             s.app->menuItemLevelCalibration->trigger();
             s.confirm(); // Start
             s.advance(1.0);
             ASSERT_EQ(s.shell.ui.lastAlert().messageText, headline("CALIBRATION_SUCCESS"));
             s.confirm();
             s.advance(1.0);
             ASSERT_NE(s.unit.block(), before); // the unit keeps its new level offsets
         }},
        {"servo trimming",
         [](ConnectedShell& s) {
             const QByteArray before = s.unit.block();
             auto* trimming =
                 s.main->ovxbViewController()->view()->findChild<QPushButton*>("btnServoTrimming");
             ASSERT_NE(trimming, nullptr);
             trimming->click();
             s.confirm(); // Start
             s.advance(1.0);
             ASSERT_EQ(s.unit.count("TRIM"), 1);
             trimming->click();
             s.confirm(); // Exit
             s.advance(1.0);
             ASSERT_EQ(s.unit.count("CNCL"), 1);
             ASSERT_NE(s.unit.block(), before); // the unit keeps the trims it found
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConnectedShell s(168);
        ASSERT_TRUE(s.identify());
        s.advance(1.0);
        c.done(s);
        expectWritten(s);
        EXPECT_EQ(s.shell.ui.pendingAlerts(), 0);
    }
}

// The unit is forgotten while the save or open panel is shown (its port came back with no unit
// behind it): the chosen file is left as it was and the page's block stays empty.
TEST(MainViewWriteCheck, AUnitForgottenBehindAFilePanelLeavesTheFileAsItWas) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const bool saving : {true, false}) {
        SCOPED_TRACE(saving ? "save" : "open");
        ConnectedShell s(168);
        ASSERT_TRUE(s.identify());
        const QString path = QDir(folder.path()).filePath(saving ? "kept.dat" : "other.dat");
        const QByteArray contents = s.main->data;
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(contents);
        }
        SimulatedUnit silent(168);
        silent.injectFault(SimulatedUnit::Fault::NoReply, {}, 1000);
        s.shell.ui.whilePanelShown = [&] {
            s.shell.ports.remove(kPort);
            s.advance(1.0);
            s.confirm(); // the port was removed
            s.shell.ports.arrive(silent, kPort);
            for (int step = 0; step < 60 && s.main->deviceID != 0; ++step) {
                s.shell.clock.advance(0.05);
                testsupport::pumpEvents(5);
            }
        };
        (saving ? s.shell.ui.savePanelAnswers : s.shell.ui.openPanelAnswers).push_back(path);
        const std::size_t before = s.shell.ui.alerts.size();
        int failed = 0;
        if (saving)
            s.main->saveParameterFile({}, [&] { ++failed; });
        else
            s.main->openParameterFile({}, [&] { ++failed; });
        ASSERT_EQ(s.main->deviceID, 0);
        EXPECT_EQ(failed, 1);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), contents);
        EXPECT_TRUE(s.main->data.isEmpty());
        ASSERT_GT(s.shell.ui.alerts.size(), before);
        EXPECT_EQ(s.shell.ui.lastAlert().messageText,
                  headline(saving ? "NO_UNIT_NO_PARAMETERS" : "NO_UNIT_FOR_FILE"));
        EXPECT_NE(bottomMessage(s), localized("SAVE_FILE_SUCCESS"));
    }
}

} // namespace
