// The OVXB page's write: the receiver type question, the main view's write, the restart offer,
// and the writes it refuses.

#include "OvxbPage.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/WelcomeViewController.h"
#include "support/Outlets.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

using testsupport::headline;
using testsupport::OvxbPage;
using testsupport::SimulatedUnit;
using testsupport::writeFrame;

QStringList headlines(const OvxbPage& s) {
    return s.alertHeadlines();
}

struct Branch {
    const char* name;
    bool changeType;   // ReceiverType2 chosen on the page (the unit holds type 0)
    int channelAnswer; // 0 YES, 1 NO, 2 CANCEL at "CHANNELS_RESET_CONFIRM"
    bool restartNow;   // the answer at "DEVICE_RESTART_REQUIRED"
};

TEST(OvxbWrite, Branches) {
    const Branch branches[] = {
        {"type changed, mapping reset, restart now", true, 0, true},
        {"type changed, mapping kept, restart later", true, 1, false},
        {"type changed, cancelled", true, 2, false},
        {"type unchanged", false, -1, false},
    };
    for (const Branch& b : branches) {
        SCOPED_TRACE(b.name);
        OvxbPage s;
        QByteArray block = s.main->data;
        ASSERT_EQ(block[31], 0);
        if (b.changeType) {
            s.control<QRadioButton>("ReceiverType2")->click();
            s.control<QComboBox>("RcMapping1")->setCurrentIndex(3); // an edit of the user's
        }
        s.control<QPushButton>("btnWrite")->click();
        if (b.changeType) {
            ASSERT_EQ(headlines(s), testsupport::headlines({"CHANNELS_RESET_CONFIRM"}));
            EXPECT_EQ(s.shell.ui.lastAlert().buttons,
                      (QStringList{localized("YES"), localized("NO"), localized("CANCEL")}));
            s.answer(b.channelAnswer);
        }
        if (b.channelAnswer == 2) {
            testsupport::pumpEvents(100);
            EXPECT_TRUE(s.commands().isEmpty());
            EXPECT_EQ(headlines(s).size(), 1);
            EXPECT_EQ(s.control<QComboBox>("RcMapping1")->currentIndex(), 3); // unchanged
            EXPECT_EQ(s.main->data, block);
            continue;
        }
        ASSERT_EQ(s.lastHeadline(), headline("WRITE_CONFIRM"));
        s.answer(0);
        ASSERT_TRUE(s.waitLong([&] { return s.unit.count("W") == 1; }));

        QByteArray written = block;
        if (b.changeType) {
            written[31] = 1;
            const QByteArray mapping = b.channelAnswer == 0 ? QByteArray::fromHex("01020406070805")
                                                            : QByteArray::fromHex("03000000000000");
            written.replace(32, 7, mapping);
        }
        EXPECT_EQ(s.commands(), QList<QByteArray>{writeFrame(written)});

        if (!b.changeType) {
            ASSERT_TRUE(s.waitLong([&] {
                return testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text() ==
                       localized("WRITE_SUCCESS");
            }));
            testsupport::pumpEvents(100);
            EXPECT_EQ(headlines(s), testsupport::headlines({"WRITE_CONFIRM"})); // no restart offer
            continue;
        }
        ASSERT_TRUE(s.waitLong([&] { return s.shell.ui.alerts.size() == 3; }));
        EXPECT_EQ(headlines(s),
                  testsupport::headlines({"CHANNELS_RESET_CONFIRM", "WRITE_CONFIRM", "DEVICE_RESTART_REQUIRED"}));
        EXPECT_EQ(s.shell.ui.lastAlert().buttons,
                  (QStringList{localized("RESTART_NOW"), localized("RESTART_LATER")}));
        s.answer(b.restartNow ? 0 : 1);
        if (b.restartNow)
            ASSERT_TRUE(s.waitLong([&] { return s.unit.count("REBT") == 1; }));
        testsupport::pumpEvents(100);
        EXPECT_EQ(s.unit.count("REBT"), b.restartNow ? 1 : 0);
        EXPECT_EQ(headlines(s).size(), 3); // no second question before "REBT"
    }
}

TEST(OvxbWrite, TheMenusWriteTakesTheSamePath) {
    OvxbPage s;
    s.control<QRadioButton>("ReceiverType3")->click();
    s.app->menuItemWrite->trigger();
    EXPECT_EQ(headlines(s), testsupport::headlines({"CHANNELS_RESET_CONFIRM"}));
}

TEST(OvxbWrite, AFailedWriteOffersNoRestart) {
    OvxbPage s;
    s.control<QRadioButton>("ReceiverType2")->click();
    s.unit.injectFault(SimulatedUnit::Fault::WrongAck, "W");
    s.control<QPushButton>("btnWrite")->click();
    s.answer(0); // reset the mapping
    s.answer(0); // write
    ASSERT_TRUE(s.waitLong([&] { return s.shell.ui.alerts.size() == 3; }));
    testsupport::pumpEvents(100);
    EXPECT_EQ(headlines(s), testsupport::headlines({"CHANNELS_RESET_CONFIRM", "WRITE_CONFIRM", "RESPONSE_ERROR"}));
}

TEST(OvxbWrite, APopUpWithoutSelectionIsNeverWritten) {
    OvxbPage s;
    QByteArray block = s.main->data;
    block[22] = 9; // switch position 3: no such flight mode
    s.load(block);
    ASSERT_EQ(s.control<QComboBox>("FlightMode3")->currentIndex(), -1);
    s.page->tabMain->setCurrentIndex(2);

    s.control<QPushButton>("btnWrite")->click();
    EXPECT_EQ(headlines(s), testsupport::headlines({"SETTING_NOT_STORABLE"}));
    EXPECT_EQ(s.shell.ui.lastAlert().style, AlertStyle::Critical);
    EXPECT_EQ(s.page->tabMain->currentWidget()->objectName(), "Receiver"); // where it is
    testsupport::pumpEvents(100);
    EXPECT_TRUE(s.commands().isEmpty());

    // Encoding leaves the whole block as it was rather than storing 0xFF.
    s.control<QSpinBox>("BasicGain1")->setValue(50);
    s.page->uiToData();
    EXPECT_EQ(s.main->data, block);

    // With a mode chosen the write goes ahead.
    s.control<QComboBox>("FlightMode3")->setCurrentIndex(2);
    s.answer(0);
    s.control<QPushButton>("btnWrite")->click();
    EXPECT_EQ(s.lastHeadline(), headline("WRITE_CONFIRM"));
}

TEST(OvxbWrite, AShortOrEmptyBlockIsRefusedByTheMainViewsWrite) {
    const std::pair<int, const char*> cases[] = {{0, "DATA_BUFFER_EMPTY"},
                                                 {31, "DATA_BUFFER_INVALID"}};
    for (const auto& [size, key] : cases) {
        OvxbPage s;
        s.control<QRadioButton>("ReceiverType2")->click(); // a change that cannot be checked
        s.main->data = QByteArray(size, char(1));
        s.control<QPushButton>("btnWrite")->click();
        EXPECT_EQ(headlines(s), testsupport::headlines({key})) << size;
        testsupport::pumpEvents(100);
        EXPECT_TRUE(s.commands().isEmpty());
    }
}

TEST(OvxbWrite, ReadLevelAndHoverButtonsCallTheMainViewsHandlers) {
    OvxbPage s;
    s.control<QPushButton>("btnRead")->click();
    ASSERT_TRUE(s.waitLong([&] { return s.unit.count("R") == 1; }));
    ASSERT_TRUE(s.waitLong([&] { return !s.app->port->busy(); }));
    s.control<QPushButton>("btnLevelCalibration")->click();
    EXPECT_EQ(s.lastHeadline(), headline("LEVEL_CALIBRATION_CONFIRM"));
    s.answer(1);
    s.control<QPushButton>("btnHoverCalibration")->click();
    EXPECT_EQ(s.lastHeadline(), headline("HOVER_CALIBRATION_CONFIRM"));
    s.answer(1);
    s.control<QPushButton>("btnClose")->click();
    EXPECT_EQ(s.main->currentViewController,
              static_cast<ViewController*>(s.main->welcomeViewController()));
}

} // namespace
