// The OVXD page's write: the channel question when the receiver type or sub-type on the page
// differs from bytes 24 and 25 of the block, the main view's write, the restart offer, and the
// writes it refuses.

#include "OvxdPage.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/WelcomeViewController.h"
#include "support/Outlets.h"

#include <QComboBox>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

using testsupport::headline;
using testsupport::OvxdPage;
using testsupport::SimulatedUnit;
using testsupport::writeFrame;

// The receiver type chosen on the page as the user does.
void chooseReceiverType(OvxdPage& s, int index) {
    QComboBox* type = s.control<QComboBox>("ReceiverType");
    type->setCurrentIndex(index);
    emit type->activated(index);
}

TEST(OvxdWrite, MatchingReceiverBytesWriteWithOnlyTheMainViewsQuestion) {
    OvxdPage s;
    QByteArray block = s.main->data;
    block[24] = 1;
    block[25] = 3;
    s.load(block);
    s.control<QSpinBox>("BasicGain2")->setValue(64);
    s.control<QPushButton>("btnWrite")->click();
    ASSERT_EQ(s.alertHeadlines(), testsupport::headlines({"WRITE_CONFIRM"}));
    s.answer(0);
    ASSERT_TRUE(s.waitLong([&] {
        return testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text() ==
               localized("WRITE_SUCCESS");
    }));
    block[41] = 64;
    EXPECT_EQ(s.commands(), (QList<QByteArray>{"r", "R", writeFrame(block)}));
    testsupport::pumpEvents(100);
    EXPECT_EQ(s.alertHeadlines(), testsupport::headlines({"WRITE_CONFIRM"})); // no restart offer
}

struct Branch {
    const char* name;
    int channelAnswer; // 0 YES, 1 NO, 2 CANCEL at "CHANNELS_RESET_CONFIRM"
    bool restartNow;   // the answer at "DEVICE_RESTART_REQUIRED"
};

TEST(OvxdWrite, AChangedSubTypeAsksAboutTheChannels) {
    const Branch branches[] = {
        {"mapping reset, restart now", 0, true},
        {"mapping kept, restart later", 1, false},
        {"cancelled", 2, false},
    };
    for (const Branch& b : branches) {
        SCOPED_TRACE(b.name);
        OvxdPage s;
        const QByteArray block = s.main->data;                       // type 0, sub-type 0
        s.control<QComboBox>("ReceiverSubType")->setCurrentIndex(1); // JR/Spektrum/...
        s.control<QComboBox>("RcMapping7")->setCurrentIndex(6);      // an edit of the user's
        s.control<QPushButton>("btnWrite")->click();
        ASSERT_EQ(s.alertHeadlines(), testsupport::headlines({"CHANNELS_RESET_CONFIRM"}));
        EXPECT_EQ(s.shell.ui.lastAlert().buttons,
                  (QStringList{localized("YES"), localized("NO"), localized("CANCEL")}));
        s.answer(b.channelAnswer);
        if (b.channelAnswer == 2) {
            testsupport::pumpEvents(100);
            EXPECT_TRUE(s.commands().isEmpty());
            EXPECT_EQ(s.alertHeadlines().size(), 1);
            EXPECT_EQ(s.control<QComboBox>("RcMapping7")->currentIndex(), 6);
            EXPECT_EQ(s.main->data, block);
            continue;
        }
        ASSERT_EQ(s.lastHeadline(), headline("WRITE_CONFIRM"));
        s.answer(0);
        ASSERT_TRUE(s.waitLong([&] { return s.alertHeadlines().size() == 3; }));
        EXPECT_EQ(s.alertHeadlines(),
                  testsupport::headlines({"CHANNELS_RESET_CONFIRM", "WRITE_CONFIRM", "DEVICE_RESTART_REQUIRED"}));
        EXPECT_EQ(s.shell.ui.lastAlert().buttons,
                  (QStringList{localized("RESTART_NOW"), localized("RESTART_LATER")}));

        QByteArray written = block;
        written[25] = 1;
        written.replace(26, 7,
                        b.channelAnswer == 0 ? QByteArray::fromHex("02030406050001")
                                             : QByteArray::fromHex("00000000000006"));
        EXPECT_EQ(s.commands(), (QList<QByteArray>{"r", "R", writeFrame(written)}));

        s.answer(b.restartNow ? 0 : 1);
        if (b.restartNow) {
            ASSERT_TRUE(s.waitLong([&] { return s.unit.count("REBT") == 1; }));
        }
        testsupport::pumpEvents(100);
        EXPECT_EQ(s.unit.count("REBT"), b.restartNow ? 1 : 0);
        EXPECT_EQ(s.alertHeadlines().size(), 3); // no second question before "REBT"
    }
}

TEST(OvxdWrite, ChangingTheTypeAndBackStillAsksWhenTheStoredSubTypeIsNotZero) {
    OvxdPage s;
    QByteArray block = s.main->data;
    block[24] = 1;
    block[25] = 4;
    s.load(block);
    chooseReceiverType(s, 0);
    chooseReceiverType(s, 1); // the rebuilt list selects item 0
    EXPECT_EQ(s.control<QComboBox>("ReceiverSubType")->currentIndex(), 0);
    s.control<QPushButton>("btnWrite")->click();
    EXPECT_EQ(s.alertHeadlines(), testsupport::headlines({"CHANNELS_RESET_CONFIRM"}));

    // With a stored sub-type of 0 the same round trip matches the block again.
    OvxdPage t;
    block[25] = 0;
    t.load(block);
    chooseReceiverType(t, 0);
    chooseReceiverType(t, 1);
    t.control<QPushButton>("btnWrite")->click();
    EXPECT_EQ(t.alertHeadlines(), testsupport::headlines({"WRITE_CONFIRM"}));
}

TEST(OvxdWrite, TheMenusWriteTakesTheSamePath) {
    OvxdPage s;
    chooseReceiverType(s, 1);
    s.app->menuItemWrite->trigger();
    EXPECT_EQ(s.alertHeadlines(), testsupport::headlines({"CHANNELS_RESET_CONFIRM"}));
}

TEST(OvxdWrite, AFailedWriteOffersNoRestart) {
    OvxdPage s;
    chooseReceiverType(s, 1);
    s.unit.injectFault(SimulatedUnit::Fault::WrongAck, "W");
    s.control<QPushButton>("btnWrite")->click();
    s.answer(0); // reset the mapping
    s.answer(0); // write
    ASSERT_TRUE(s.waitLong([&] { return s.alertHeadlines().size() == 3; }));
    testsupport::pumpEvents(100);
    EXPECT_EQ(s.alertHeadlines(),
              testsupport::headlines({"CHANNELS_RESET_CONFIRM", "WRITE_CONFIRM", "RESPONSE_ERROR"}));
}

TEST(OvxdWrite, ABlockWithoutTheReceiverBytesIsRefusedByTheMainViewsWriteWithoutAQuestion) {
    // 25 bytes hold byte 24 but not byte 25: nothing is read beyond the block, the mapping stays.
    const std::pair<int, const char*> cases[] = {{0, "DATA_BUFFER_EMPTY"},
                                                 {25, "DATA_BUFFER_INVALID"}};
    for (const auto& [size, key] : cases) {
        OvxdPage s;
        chooseReceiverType(s, 1);
        s.control<QComboBox>("RcMapping1")->setCurrentIndex(5);
        s.main->data = QByteArray(size, char(0));
        s.control<QPushButton>("btnWrite")->click();
        EXPECT_EQ(s.alertHeadlines(), testsupport::headlines({key})) << size;
        EXPECT_EQ(s.control<QComboBox>("RcMapping1")->currentIndex(), 5);
        testsupport::pumpEvents(100);
        EXPECT_TRUE(s.commands().isEmpty());
    }
}

TEST(OvxdWrite, APopUpWithoutSelectionIsNeverWritten) {
    OvxdPage s; // firmware 0x11: eight serial protocols
    QByteArray block = s.main->data;
    block[24] = 1;
    block[25] = 9; // "TBS/ELRS CRSF" is not in this firmware's list
    s.load(block);
    ASSERT_EQ(s.control<QComboBox>("ReceiverSubType")->currentIndex(), -1);
    s.page->tabMain->setCurrentIndex(2);

    s.control<QPushButton>("btnWrite")->click();
    EXPECT_EQ(s.alertHeadlines(),
              QStringList{testsupport::refusalHeadline("Receiver › Transmitter / protocol")});
    EXPECT_EQ(s.shell.ui.lastAlert().style, AlertStyle::Critical);
    EXPECT_EQ(s.page->tabMain->currentWidget()->objectName(), "Receiver"); // where it is
    testsupport::pumpEvents(100);
    EXPECT_TRUE(s.commands().isEmpty());

    // Encoding leaves the whole block as it was rather than storing 0xFF.
    s.control<QSpinBox>("BasicGain1")->setValue(50);
    s.page->uiToData();
    EXPECT_EQ(s.main->data, block);
}

TEST(OvxdWrite, PageButtonsCallTheMainViewsHandlers) {
    OvxdPage s;
    s.app->menuItemAccelCalibration->trigger();
    EXPECT_EQ(s.page->tabMain->currentWidget()->objectName(), "Sensor");
    EXPECT_EQ(s.page->tabSensor->currentWidget()->objectName(), "AccelerometerCalibration");
    s.control<QPushButton>("btnRead")->click();
    ASSERT_TRUE(s.waitLong([&] { return s.unit.count("R") == 1; }));
    ASSERT_TRUE(s.waitLong([&] { return !s.app->port->busy(); }));
    s.control<QPushButton>("btnLevelCalibration")->click();
    EXPECT_EQ(s.lastHeadline(), headline("LEVEL_CALIBRATION_CONFIRM"));
    s.answer(1);
    s.control<QPushButton>("btnClose")->click();
    EXPECT_EQ(s.main->currentViewController,
              static_cast<ViewController*>(s.main->welcomeViewController()));
}

} // namespace
