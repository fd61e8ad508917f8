// Read and Write on a live page of a unit that answers late: the page's polls and the requests
// take the line in turn, so every request is judged on its own reply.

#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/pages/OVXA_ViewController.h"
#include "OVX_Configurator/pages/OVXB_ViewController.h"
#include "support/ConnectedShell.h"
#include "support/EventLoop.h"
#include "support/Outlets.h"

#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

using testsupport::ConnectedShell;
using testsupport::headline;
using testsupport::SimulatedUnit;

QTabWidget* tabsOf(MainViewController* main, int model) {
    if (model == 166)
        return main->ovxaViewController()->tabMain;
    return main->ovxbViewController()->tabMain;
}

void selectTab(QTabWidget* tabs, const char* name) {
    tabs->setCurrentWidget(tabs->findChild<QWidget*>(QLatin1String(name)));
    ASSERT_EQ(tabs->currentWidget()->objectName(), QLatin1String(name));
}

// The commands of a page whose replies come late.
const QList<QByteArray> kCommands = {"INFO", "STCK", "SERV", "SNSR", "d", "r", "R", "W"};

TEST(MainViewSlowUnit, ReadAndWriteSucceedWhileLatePollsRun) {
    struct Case {
        int model;
        const char* tab;
        const char* poll;
    } cases[] = {{168, "Receiver", "STCK"},
                 {168, "OutputServos", "SERV"},
                 {168, "Sensor", "SNSR"},
                 {166, "Sensor", "d"}};
    for (const Case& c : cases) {
        for (double late : {0.04, 0.12, 0.3}) {
            SCOPED_TRACE(std::to_string(c.model) + " " + c.tab + " " + std::to_string(late));
            ConnectedShell s(c.model);
            ASSERT_TRUE(s.identify());
            selectTab(tabsOf(s.main, c.model), c.tab);
            for (const QByteArray& command : kCommands)
                s.unit.setReplyDelay(command, late);
            s.advance(1.0, 0.01);
            EXPECT_TRUE(s.waitFor([&] { return s.unit.count(c.poll) > 0; }));

            // Read: the unit's block as it is now.
            QByteArray block = s.unit.block();
            block[20] = char(block[20] + 1);
            s.unit.setBlock(block);
            s.main->handlerReadFromDevice();
            s.advance(2.0, 0.01);
            EXPECT_EQ(s.main->data, block);
            EXPECT_EQ(testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text(),
                      localized("READ_SUCCESS"));

            // Write: the unit stores what the page sends (an edit of byte 20), and the page says
            // so.
            const auto encode = s.main->handlerUIToData;
            s.main->handlerUIToData = [&] {
                encode();
                s.main->data[20] = char(s.main->data[20] + 1);
            };
            const QByteArray before = s.unit.block();
            s.unit.clearRecord();
            s.main->handlerWriteToDevice();
            ASSERT_EQ(s.shell.ui.alerts.size(), 1u);
            s.confirm(); // "WRITE_CONFIRM"
            s.advance(2.0, 0.01);
            ASSERT_EQ(s.unit.count("W"), 1);
            const qsizetype written = SimulatedUnit::writePayloadLength(c.model, s.unit.dataVersion());
            EXPECT_EQ(s.unit.block().left(written), s.main->data.left(written));
            EXPECT_NE(s.unit.block(), before);
            EXPECT_EQ(testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text(),
                      localized("WRITE_SUCCESS"));
            EXPECT_EQ(s.alertHeadlines(), QStringList{headline("WRITE_CONFIRM")});

            // The live values go on after both.
            s.unit.clearRecord();
            s.advance(1.0, 0.01);
            EXPECT_TRUE(s.waitFor([&] { return s.unit.count(c.poll) > 0; }));
        }
    }
}

// A unit that stops answering: the read waits for the poll on the line, then times out once,
// with one message, and the page's polls go on without adding any.
TEST(MainViewSlowUnit, AUnitThatNeverAnswersTimesOutOnceWithOneMessage) {
    ConnectedShell s(168);
    ASSERT_TRUE(s.identify());
    selectTab(tabsOf(s.main, 168), "Receiver");
    s.advance(0.5);
    s.unit.injectFault(SimulatedUnit::Fault::NoReply, {}, 1000000);
    s.advance(0.2);
    s.unit.clearRecord();
    s.main->handlerReadFromDevice();
    s.advance(5.0);
    EXPECT_EQ(s.unit.count("R"), 1);
    EXPECT_EQ(s.alertHeadlines(), QStringList{headline("RESPONSE_TIMEOUT")});
    EXPECT_FALSE(s.app->port->busy());
    s.unit.clearRecord();
    s.advance(5.0);
    EXPECT_TRUE(s.waitFor([&] { return s.unit.count("INFO") > 0; }));
    EXPECT_EQ(s.shell.ui.alerts.size(), 1u);
}

} // namespace
