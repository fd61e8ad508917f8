// The OVXC page's write: the exact frame of each layout, the question about a changed receiver
// with the default channel sets it writes, the restart offer, and the writes it refuses.

#include "OvxcPage.h"

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "support/Outlets.h"

#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using testsupport::headline;
using testsupport::OvxcPage;
using testsupport::versions;
using testsupport::writeFrame;

void choose(QComboBox* popUp, int index) {
    popUp->setCurrentIndex(index);
    emit popUp->activated(index);
}

// Confirms "WRITE_CONFIRM" and waits for the frame on the wire.
void confirmWrite(OvxcPage& s) {
    ASSERT_EQ(s.lastHeadline(), headline("WRITE_CONFIRM"));
    s.answer(0);
    ASSERT_TRUE(s.waitLong([&] { return s.unit.count("W") == 1; }));
}

TEST(OvxcWrite, TheFrameOfEachLayoutByteForByte) {
    for (quint8 dataVersion : {16, 17}) {
        SCOPED_TRACE(dataVersion);
        const int shift = dataVersion == 17 ? 3 : 0;
        OvxcPage s(versions(0x11, dataVersion));
        QByteArray block = s.main->data;
        ASSERT_EQ(block.size(), dataVersion == 17 ? 96 : 93);
        block[20] = char(0x5A); // not the page's: kept
        block[22] = 3;          // flight mode 1: angle
        if (shift)
            block[29] = 2; // user mode 2
        block[28 + shift] = 1; // wing type
        s.unit.setBlock(block);
        s.control<QPushButton>("btnRead")->click();
        ASSERT_TRUE(s.waitLong([&] { return s.main->data == block; }));

        s.control<QSpinBox>("BasicGain2")->setValue(77);
        s.control<QSpinBox>("SubTrim1")->setValue(-3);
        s.control<QComboBox>("GyroDlpf")->setCurrentIndex(4);
        s.control<QPushButton>("btnWrite")->click();
        confirmWrite(s); // no channel question: the receiver is as stored
        QByteArray written = block;
        written[55 + shift] = 77;
        written[71 + shift] = char(0xFD);
        written[92 + shift] = 4;
        EXPECT_EQ(s.commands(), (QList<QByteArray>{"R", "r", "R", writeFrame(written)}));
    }
}

struct Branch {
    const char* name;
    int type, subType;   // chosen on the page (the unit holds 0 and 0)
    int channelAnswer;   // 0 YES, 1 NO, 2 CANCEL at "CHANNELS_RESET_CONFIRM"
    QByteArray channels; // RcMapping1-9 written
    QByteArray outputs;  // OutputMapping1-5 written
};

TEST(OvxcWrite, AChangedReceiverAsksAboutTheChannelsAndOffersARestart) {
    const QByteArray zeros9(9, '\0'), zeros5(5, '\0');
    const Branch branches[] = {
        {"JETI EXBus, reset", 2, 8, 0, QByteArray::fromHex("020405030006000100"),
         QByteArray::fromHex("0102030406")},
        {"JR with PWM, reset", 0, 1, 0, QByteArray::fromHex("020304060005000100"),
         QByteArray::fromHex("0102030405")},
        {"SBus, kept", 2, 0, 1, zeros9, zeros5},
        {"cancelled", 2, 0, 2, {}, {}},
    };
    for (const Branch& b : branches) {
        SCOPED_TRACE(b.name);
        OvxcPage s(versions(0x11, 17));
        const QByteArray block = s.main->data;
        choose(s.control<QComboBox>("ReceiverType"), b.type);
        s.control<QComboBox>("ReceiverSubType")->setCurrentIndex(b.subType);
        s.control<QPushButton>("btnWrite")->click();
        ASSERT_EQ(s.alertHeadlines(), testsupport::headlines({"CHANNELS_RESET_CONFIRM"}));
        EXPECT_EQ(s.shell.ui.lastAlert().buttons,
                  (QStringList{localized("YES"), localized("NO"), localized("CANCEL")}));
        s.answer(b.channelAnswer);
        if (b.channelAnswer == 2) {
            testsupport::pumpEvents(100);
            EXPECT_TRUE(s.commands().isEmpty());
            EXPECT_EQ(s.alertHeadlines().size(), 1);
            EXPECT_EQ(s.main->data, block);
            continue;
        }
        confirmWrite(s);
        QByteArray written = block;
        written[33] = char(b.type);
        written[34] = char(b.subType);
        written.replace(35, 9, b.channels);
        written.replace(44, 5, b.outputs);
        EXPECT_EQ(s.commands(), (QList<QByteArray>{"r", "R", writeFrame(written)}));

        ASSERT_TRUE(s.waitLong([&] { return s.shell.ui.alerts.size() == 3; }));
        EXPECT_EQ(s.alertHeadlines(),
                  testsupport::headlines({"CHANNELS_RESET_CONFIRM", "WRITE_CONFIRM", "DEVICE_RESTART_REQUIRED"}));
        s.answer(0); // restart now, without a second question
        ASSERT_TRUE(s.waitLong([&] { return s.unit.count("REBT") == 1; }));
        testsupport::pumpEvents(100);
        EXPECT_EQ(s.alertHeadlines().size(), 3);
    }
}

TEST(OvxcWrite, AReceiverChangedAndChangedBackWritesWithoutQuestions) {
    OvxcPage s; // short layout: receiver at 30 and 31
    QByteArray block = s.main->data;
    block[30] = 2;
    block[31] = 4;
    s.load(block);
    QComboBox* type = s.control<QComboBox>("ReceiverType");
    QComboBox* subType = s.control<QComboBox>("ReceiverSubType");
    choose(type, 0);
    choose(type, 2);
    subType->setCurrentIndex(4);
    s.app->menuItemWrite->trigger(); // the menu's write takes the same path
    confirmWrite(s);
    ASSERT_TRUE(s.waitLong([&] {
        return testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text() ==
               localized("WRITE_SUCCESS");
    }));
    testsupport::pumpEvents(100);
    EXPECT_EQ(s.alertHeadlines(), testsupport::headlines({"WRITE_CONFIRM"}));
    EXPECT_EQ(s.commands(), (QList<QByteArray>{"r", "R", writeFrame(block)}));

    // A different sub-type alone is a change.
    subType->setCurrentIndex(5);
    s.control<QPushButton>("btnWrite")->click();
    EXPECT_EQ(s.lastHeadline(), headline("CHANNELS_RESET_CONFIRM"));
}

// The block only takes the page's receiver once a write was confirmed: a declined write asks
// about the channels again (the mapping YES chose stays on the page); a confirmed write the unit
// rejects has stored it, so the next write asks only the main view's question.
TEST(OvxcWrite, TheChannelQuestionComesBackUntilAWriteWasConfirmed) {
    OvxcPage s(versions(0x11, 17));
    const QByteArray stored = s.main->data;
    choose(s.control<QComboBox>("ReceiverType"), 2);
    s.control<QComboBox>("ReceiverSubType")->setCurrentIndex(8); // JETI EXBus: set B
    s.control<QPushButton>("btnWrite")->click();
    s.answer(0); // reset the mapping
    ASSERT_EQ(s.lastHeadline(), headline("WRITE_CONFIRM"));
    s.answer(1); // but do not write
    EXPECT_EQ(s.main->data, stored);
    EXPECT_EQ(s.control<QComboBox>("RcMapping3")->currentIndex(), 5);
    s.control<QComboBox>("RcMapping3")->setCurrentIndex(7); // an edit after the reset

    s.unit.injectFault(testsupport::SimulatedUnit::Fault::WrongAck, "W");
    s.control<QPushButton>("btnWrite")->click();
    ASSERT_EQ(s.lastHeadline(), headline("CHANNELS_RESET_CONFIRM"));
    s.answer(1); // keep the channels
    confirmWrite(s);
    ASSERT_TRUE(s.waitLong([&] { return s.lastHeadline() == headline("RESPONSE_ERROR"); }));
    s.answer(0);
    QByteArray written = stored;
    written[33] = 2;
    written[34] = 8;
    written.replace(35, 9, QByteArray::fromHex("020407030006000100"));
    written.replace(44, 5, QByteArray::fromHex("0102030406"));
    EXPECT_EQ(s.commands(), (QList<QByteArray>{"r", "R", writeFrame(written)}));
    EXPECT_EQ(s.main->data, written);

    s.control<QPushButton>("btnWrite")->click();
    EXPECT_EQ(s.alertHeadlines(),
              testsupport::headlines({"CHANNELS_RESET_CONFIRM", "WRITE_CONFIRM",
                                      "CHANNELS_RESET_CONFIRM", "WRITE_CONFIRM", "RESPONSE_ERROR",
                                      "WRITE_CONFIRM"}));
}

TEST(OvxcWrite, ABlockTooShortForTheReceiverBytesGoesToTheMainViewsWrite) {
    struct Case {
        quint8 dataVersion;
        int size; // the block holds the receiver type byte, not the sub-type byte
    };
    for (const Case& c : {Case{17, 34}, Case{16, 31}}) {
        SCOPED_TRACE(int(c.dataVersion));
        OvxcPage s(versions(0x11, c.dataVersion));
        choose(s.control<QComboBox>("ReceiverType"), 2); // a change that cannot be checked
        s.control<QComboBox>("RcMapping1")->setCurrentIndex(5);
        s.main->data = s.main->data.left(c.size);
        s.control<QPushButton>("btnWrite")->click();
        EXPECT_EQ(s.alertHeadlines(), testsupport::headlines({"DATA_BUFFER_INVALID"}));
        s.answer(0);
        s.main->data.clear();
        s.app->menuItemWrite->trigger();
        EXPECT_EQ(s.lastHeadline(), headline("DATA_BUFFER_EMPTY"));
        EXPECT_EQ(s.control<QComboBox>("RcMapping1")->currentIndex(), 5); // no mapping reset
        testsupport::pumpEvents(100);
        EXPECT_TRUE(s.commands().isEmpty());
    }
}

TEST(OvxcWrite, APopUpWithoutSelectionIsNeverWritten) {
    OvxcPage s(versions(16, 16));
    QByteArray block = s.main->data;
    block[30] = 2;
    block[31] = 9; // CRSF: not listed by this firmware
    s.load(block);
    ASSERT_EQ(s.control<QComboBox>("ReceiverSubType")->currentIndex(), -1);
    s.control<QPushButton>("btnWrite")->click();
    EXPECT_EQ(s.alertHeadlines(),
              QStringList{testsupport::refusalHeadline("Receiver › Brand / protocol")});
    testsupport::pumpEvents(100);
    EXPECT_TRUE(s.commands().isEmpty());
    s.control<QSpinBox>("BasicGain1")->setValue(50);
    s.page->uiToData();
    EXPECT_EQ(s.main->data, block); // rather than storing 0xFF
}

// Settings the page hides or disables give the unit back the bytes it holds, also bytes their
// controls cannot show: flight mode 6 behind a three-position switch, the channel functions of
// receiver type 0, the reversal of an output that drives no servo.
TEST(OvxcWrite, HiddenOrDisabledSettingsGoBackAsRead) {
    const std::pair<const char*, std::vector<std::pair<int, int>>> cases[] = {
        {"flight mode 6, three-position switch", {{21, 0}, {27, 9}}},
        {"channel functions of receiver type 0", {{30, 0}, {31, 0}, {32, 200}, {40, 50}}},
        {"reversal of an output that is off", {{41, 0}, {66, 5}}},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        OvxcPage s(versions(16, 16));
        QByteArray block = s.main->data;
        for (const auto& [offset, byte] : bytes)
            block[offset] = char(byte);
        testsupport::expectWrittenAsLoaded(s, block, block.size());
    }
}

} // namespace
