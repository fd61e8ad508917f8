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
#include <QStringList>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

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
        EXPECT_EQ(s.commands(), (QList<QByteArray>{"r", "R", writeFrame(written)}));

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
        if (b.restartNow) {
            ASSERT_TRUE(s.waitLong([&] { return s.unit.count("REBT") == 1; }));
        }
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
    EXPECT_EQ(headlines(s),
              QStringList{testsupport::refusalHeadline("Flight Modes › Switch position 3")});
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

// A setting the page hides or disables for this unit gives the unit back the byte it holds, even
// one its control cannot show; the same byte behind a control the user can see and change
// refuses the write, brings the control's tab forward and names the setting.
TEST(OvxbWrite, HiddenOrDisabledSettingsGoBackAsReadVisibleOnesAreRefusedByName) {
    struct Case {
        const char* what;
        quint8 dataVersion;
        std::vector<std::pair<int, int>> bytes;
        const char* refused; // the control refused, or none: the block goes back as read
        const char* name;    // its name in the refusal
    } cases[] = {
        {"user modes, data version 16: box hidden",
         16,
         {{26, 4}, {27, 9}, {28, 255}},
         nullptr,
         nullptr},
        {"user mode, data version 17", 17, {{26, 4}}, "UserMode1", "User Mode › Roll"},
        {"maximum rate, rate mode off", 17, {{84, 0}, {85, 200}}, nullptr, nullptr},
        {"maximum rate, rate mode on", 17, {{84, 1}, {85, 200}}, "MaxRate", "Settings › Max. rate"},
        {"flight mode 6, three-position switch", 17, {{19, 0}, {25, 9}}, nullptr, nullptr},
        {"flight mode 6, six-position switch",
         17,
         {{19, 1}, {25, 9}},
         "FlightMode6",
         "Flight Modes › Switch position 6"},
        {"channel functions of a PWM receiver",
         17,
         {{31, 0}, {32, 200}, {38, 30}},
         nullptr,
         nullptr},
        {"gyro reversal of outputs 4 and 5, wing type 0",
         17,
         {{29, 0}, {45, 7}, {46, 2}},
         nullptr,
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OvxbPage s([&](SimulatedUnit& unit) { unit.setDataVersion(c.dataVersion); });
        QByteArray block = s.main->data;
        for (const auto& [offset, byte] : c.bytes)
            block[offset] = char(byte);
        if (!c.refused) {
            testsupport::expectWrittenAsLoaded(s, block, block.size());
            continue;
        }
        s.load(block);
        s.selectTab("Sensor");
        s.control<QPushButton>("btnWrite")->click();
        EXPECT_EQ(headlines(s), QStringList{testsupport::refusalHeadline(c.name)});
        EXPECT_TRUE(s.page->tabMain->currentWidget()->isAncestorOf(s.control<QWidget>(c.refused)));
        testsupport::pumpEvents(100);
        EXPECT_TRUE(s.commands().isEmpty());
    }
}

// A disabled mapping still takes the defaults the user asked for: choosing a PWM receiver (whose
// mapping cannot be edited) and resetting the mapping writes the default channel functions.
TEST(OvxbWrite, AMappingResetForAPwmReceiverIsWritten) {
    OvxbPage s;
    QByteArray block = s.main->data;
    block[31] = 1;
    block.replace(32, 7, QByteArray(7, char(3)));
    s.load(block);
    s.control<QRadioButton>("ReceiverType1")->click();
    ASSERT_FALSE(s.control<QComboBox>("RcMapping1")->isEnabled());
    s.control<QPushButton>("btnWrite")->click();
    ASSERT_EQ(s.lastHeadline(), headline("CHANNELS_RESET_CONFIRM"));
    s.answer(0);
    ASSERT_EQ(s.lastHeadline(), headline("WRITE_CONFIRM"));
    s.answer(0);
    ASSERT_TRUE(s.waitLong([&] { return s.unit.count("W") == 1; }));
    QByteArray written = block;
    written[31] = 0;
    written.replace(32, 7, QByteArray::fromHex("01020406070805"));
    EXPECT_EQ(s.commands(), (QList<QByteArray>{"r", "R", writeFrame(written)}));
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
