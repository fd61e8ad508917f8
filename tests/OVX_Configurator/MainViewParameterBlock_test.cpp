// The parameter block: read, write, restart, factory restore, the level and hover calibrations
// and the parameter file, against the simulated unit.

#include "OVX_Configurator/Alert.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/ModalViewController.h"
#include "OVX_Configurator/utils/VersionText.h"
#include "support/ConnectedShell.h"
#include "support/EventLoop.h"
#include "support/Outlets.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string_view>

namespace {

using testsupport::ConnectedShell;
using testsupport::headline;
using testsupport::SimulatedUnit;
using Fault = SimulatedUnit::Fault;

// Counts the outcomes an operation reports.
struct Outcome {
    int success = 0, error = 0, timeout = 0;
    std::function<void()> onSuccess() {
        return [this] { ++success; };
    }
    std::function<void()> onError() {
        return [this] { ++error; };
    }
    std::function<void()> onTimeout() {
        return [this] { ++timeout; };
    }
    bool is(int s, int e, int t) const { return success == s && error == e && timeout == t; }
};

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A connected, identified unit of `model` with its block read.
struct Identified : ConnectedShell {
    explicit Identified(int model = 168) : ConnectedShell(model) {
        EXPECT_TRUE(identify());
        // These tests follow the block exchanges alone on the line while they move the clock
        // (the pages' tests cover polls beside requests).
        stopLivePolls();
        unit.clearRecord();
        shell.clock.advance(3.0); // the message bar of the read is gone
    }
};

// The operations on the unit that take the caller's three closures.
struct DeviceOperation {
    const char* name;
    bool asks;      // a question comes before the request
    double timeout; // of the request
    std::function<void(MainViewController*, Outcome&)> start;
};

const std::vector<DeviceOperation>& deviceOperations() {
    using M = MainViewController;
    static const std::vector<DeviceOperation> operations{
        {"read", false, 0.5,
         [](M* m, Outcome& o) { m->readFromDevice(o.onSuccess(), o.onError(), o.onTimeout()); }},
        {"write", true, 0.5,
         [](M* m, Outcome& o) { m->writeToDevice(o.onSuccess(), o.onError(), o.onTimeout()); }},
        {"factory restore", true, 0.5,
         [](M* m, Outcome& o) { m->factoryReset(o.onSuccess(), o.onError(), o.onTimeout()); }},
        {"restart", true, 0.1,
         [](M* m, Outcome& o) {
             m->restartDevice(true, o.onSuccess(), o.onError(), o.onTimeout());
         }},
        {"level calibration", true, 5.0,
         [](M* m, Outcome& o) { m->levelCalibration(o.onSuccess(), o.onError(), o.onTimeout()); }},
        {"hover calibration", true, 5.0,
         [](M* m, Outcome& o) { m->hoverCalibration(o.onSuccess(), o.onError(), o.onTimeout()); }},
    };
    return operations;
}

TEST(MainViewBlock, ReadStoresTheBlockAndShowsItThroughThePage) {
    Identified s;
    QByteArray block = s.unit.block();
    block[20] = 7;
    s.unit.setBlock(block);
    int shown = 0;
    s.main->handlerDataToUI = [&] {
        ++shown;
        EXPECT_EQ(s.main->data, block); // the page sees the new block
    };
    Outcome o;
    s.app->menuItemRead->trigger(); // the slot: readFromDevice with closures that do nothing
    ASSERT_TRUE(s.waitFor([&] { return shown == 1; }));
    EXPECT_EQ(testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text(),
              localized("READ_SUCCESS"));
    EXPECT_TRUE(testsupport::outlet<QWidget>(s.main, "BottomMessageView")->isVisible());

    s.main->readFromDevice(o.onSuccess(), o.onError(), o.onTimeout());
    ASSERT_TRUE(s.waitFor([&] { return o.success == 1; }));
    EXPECT_TRUE(o.is(1, 0, 0));
    EXPECT_EQ(s.unit.frames(), (QList<QByteArray>{"R", "R"}));
    EXPECT_TRUE(s.shell.ui.alerts.empty());
}

TEST(MainViewBlock, ABadOrMissingReplyToReadIsReportedAndKeepsTheBlock) {
    struct Case {
        Fault fault;
        const char* alert;
        bool timesOut;
    } cases[] = {{Fault::WrongAck, "RESPONSE_ERROR", false},
                 {Fault::BadCrc, "RESPONSE_ERROR", false},
                 {Fault::NoReply, "RESPONSE_TIMEOUT", true},
                 {Fault::ShortReply, "RESPONSE_TIMEOUT", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alert);
        Identified s;
        const QByteArray before = s.main->data;
        s.unit.injectFault(c.fault, "R");
        Outcome o;
        s.main->readFromDevice(o.onSuccess(), o.onError(), o.onTimeout());
        if (c.timesOut) {
            testsupport::pumpEvents(20);
            s.shell.clock.advance(0.5);
        }
        ASSERT_TRUE(s.waitForAlert(0));
        EXPECT_EQ(s.alertHeadlines(), QStringList{headline(c.alert)});
        EXPECT_EQ(s.shell.ui.lastAlert().style, AlertStyle::Critical);
        EXPECT_TRUE(o.is(0, c.timesOut ? 0 : 1, c.timesOut ? 1 : 0));
        EXPECT_EQ(s.main->data, before);
        EXPECT_FALSE(s.app->port->busy());
    }
}

TEST(MainViewBlock, WriteSendsThePagesBlockAndItsCrcAfterConfirmation) {
    for (auto [model, length] : {std::pair{168, 91}, {169, 71}, {170, 93}}) {
        SCOPED_TRACE(model);
        Identified s(model);
        // The page encodes its controls into the block right before it is sent.
        s.main->handlerUIToData = [&] { s.main->data[20] = char(s.main->data[20] + 1); };
        QByteArray expected = s.main->data;
        expected[20] = char(expected[20] + 1);

        s.app->menuItemWrite->trigger(); // the page's write: the main view's write
        ASSERT_EQ(s.shell.ui.alerts.size(), 1u);
        EXPECT_EQ(s.shell.ui.lastAlert().messageText, headline("WRITE_CONFIRM"));
        EXPECT_EQ(s.shell.ui.lastAlert().buttons,
                  (QStringList{localized("YES"), localized("CANCEL")}));
        testsupport::pumpEvents(10);
        EXPECT_TRUE(s.unit.received().isEmpty()); // nothing before the answer

        s.confirm();
        ASSERT_TRUE(s.waitFor([&] { return s.unit.count("W") == 1; }));
        // The unit is asked who it is and what it holds, then gets one frame, nothing else.
        EXPECT_EQ(s.unit.frames(),
                  (QList<QByteArray>{"r", "R", testsupport::writeFrame(expected)}));
        EXPECT_EQ(s.unit.received(), "rR" + testsupport::writeFrame(expected));
        EXPECT_EQ(s.unit.received().size(), 2 + 1 + length + 2);
        ASSERT_TRUE(s.waitFor([&] {
            return testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text() ==
                   localized("WRITE_SUCCESS");
        }));
        EXPECT_EQ(s.unit.block(), expected);
        EXPECT_EQ(s.shell.ui.alerts.size(), 1u);
    }
}

TEST(MainViewBlock, CancellingTheWriteSendsAndRunsNothing) {
    Identified s;
    int encoded = 0;
    s.main->handlerUIToData = [&] { ++encoded; };
    Outcome o;
    s.main->writeToDevice(o.onSuccess(), o.onError(), o.onTimeout());
    s.shell.ui.answer(1);
    testsupport::pumpEvents(20);
    s.shell.clock.advance(1.0);
    EXPECT_EQ(encoded, 0);
    EXPECT_TRUE(o.is(0, 0, 0));
    EXPECT_TRUE(s.unit.received().isEmpty());
}

TEST(MainViewBlock, ARefusedOrUnansweredWriteIsReported) {
    for (Fault fault : {Fault::WrongAck, Fault::NoReply}) {
        Identified s;
        s.unit.injectFault(fault, "W");
        Outcome o;
        s.main->writeToDevice(o.onSuccess(), o.onError(), o.onTimeout());
        s.confirm();
        ASSERT_TRUE(s.waitFor([&] { return s.unit.count("W") == 1; }));
        if (fault == Fault::NoReply) {
            testsupport::pumpEvents(20);
            s.shell.clock.advance(0.5);
        }
        ASSERT_TRUE(s.waitForAlert(1));
        const bool timedOut = fault == Fault::NoReply;
        EXPECT_EQ(s.shell.ui.lastAlert().messageText,
                  headline(timedOut ? "RESPONSE_TIMEOUT" : "RESPONSE_ERROR"));
        EXPECT_TRUE(o.is(0, timedOut ? 0 : 1, timedOut ? 1 : 0));
    }
}

// Write and Save need a whole block of the identified unit: an empty block is "no parameters
// yet", a block of another length "parameters that do not fit the unit"; nothing is sent or
// written either way.
TEST(MainViewBlock, WriteAndSaveRefuseABlockThatIsNotExactlyTheUnitsLength) {
    struct Case {
        int model;
        int dataVersion;
        int size;
        const char* alert;
    } cases[] = {
        {168, 0x10, 0, "DATA_BUFFER_EMPTY"},    {168, 0x10, 90, "DATA_BUFFER_INVALID"},
        {168, 0x10, 92, "DATA_BUFFER_INVALID"}, {170, 0x11, 0, "DATA_BUFFER_EMPTY"},
        {170, 0x11, 93, "DATA_BUFFER_INVALID"}, // the older block where the unit now needs 96
        {170, 0x10, 96, "DATA_BUFFER_INVALID"}, // the newer block where the unit needs 93
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " with " << c.size << " bytes");
        ConnectedShell s(c.model, [&](SimulatedUnit& unit) { unit.setDataVersion(c.dataVersion); });
        ASSERT_TRUE(s.identify());
        s.stopLivePolls();
        s.unit.clearRecord();
        ASSERT_TRUE(s.shell.ui.alerts.empty());
        s.main->data.resize(c.size);
        Outcome write;
        s.main->writeToDevice(write.onSuccess(), write.onError(), write.onTimeout());
        ASSERT_EQ(s.shell.ui.alerts.size(), 1u);
        EXPECT_EQ(s.shell.ui.lastAlert().messageText, headline(c.alert));
        EXPECT_TRUE(write.is(0, 1, 0));

        int saved = 0, failed = 0;
        QTemporaryDir dir;
        const QString path = dir.filePath("never-written.dat");
        s.shell.ui.savePanelAnswers.push_back(path);
        s.main->saveParameterFile([&] { ++saved; }, [&] { ++failed; });
        ASSERT_EQ(s.shell.ui.alerts.size(), 2u);
        EXPECT_EQ(s.shell.ui.lastAlert().messageText, headline(c.alert));
        EXPECT_EQ(failed, 1);
        EXPECT_EQ(saved, 0);
        EXPECT_TRUE(s.shell.ui.savePanelTitles.empty()); // no panel was shown
        EXPECT_FALSE(QFile::exists(path));

        s.shell.clock.advance(1.0);
        testsupport::pumpEvents(20);
        EXPECT_TRUE(s.unit.received().isEmpty());
    }
}

// The block saved to a file comes back whole; a file of any other length is refused and the
// block stays as it was.
TEST(MainViewBlock, TheParameterFileRoundTripsAndOtherLengthsAreRefused) {
    Identified s;
    QTemporaryDir dir;
    const QString path = dir.filePath("settings.dat");
    const QByteArray block = s.main->data;
    ASSERT_TRUE(writeFile(path, "an older file that is longer than any block of the unit" +
                                    QByteArray(200, 'x')));

    int saved = 0;
    s.shell.ui.savePanelAnswers.push_back(path);
    s.app->menuItemSave->trigger();
    s.main->saveParameterFile([&] { ++saved; }, {});
    EXPECT_EQ(s.shell.ui.panelFileTypes, (std::vector<QString>{"dat", "dat"}));
    EXPECT_EQ(s.shell.ui.savePanelTitles.front(), localized("SAVE_FILE_TITLE"));
    EXPECT_EQ(saved, 0);              // the second panel was cancelled: nothing happens
    EXPECT_EQ(readFile(path), block); // replaced, not overwritten in place
    EXPECT_EQ(testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text(),
              localized("SAVE_FILE_SUCCESS"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"settings.dat"});

    s.main->data.fill('\0');
    int shown = 0, opened = 0;
    s.main->handlerDataToUI = [&] { ++shown; };
    s.shell.ui.openPanelAnswers.push_back(path);
    s.main->openParameterFile([&] { ++opened; }, {});
    EXPECT_EQ(s.main->data, block);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text(),
              localized("OPEN_FILE_SUCCESS"));
    testsupport::pumpEvents(10);
    EXPECT_TRUE(s.unit.received().isEmpty()); // loading sends nothing

    for (int size : {90, 92, 0}) {
        SCOPED_TRACE(size);
        const QString other = dir.filePath(QString("other-%1.dat").arg(size));
        ASSERT_TRUE(writeFile(other, QByteArray(size, '\x55')));
        const std::size_t before = s.shell.ui.alerts.size();
        s.shell.ui.openPanelAnswers.push_back(other);
        s.main->openParameterFile([&] { ++opened; }, {});
        ASSERT_EQ(s.shell.ui.alerts.size(), before + 1);
        EXPECT_EQ(s.shell.ui.lastAlert().messageText, headline("BAD_FILE_FORMAT"));
        EXPECT_EQ(s.main->data, block);
        EXPECT_EQ(shown, 1);
    }

    int failures = 0;
    s.shell.ui.openPanelAnswers.push_back(dir.filePath("gone.dat"));
    s.main->openParameterFile({}, [&] { ++failures; });
    EXPECT_EQ(s.shell.ui.lastAlert().messageText, headline("FILE_NOT_EXISTS"));
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(opened, 1);
}

TEST(MainViewBlock, AFileOfTheOtherDataVersionIsRefused) {
    ConnectedShell s(170); // data version 16: 93 bytes
    ASSERT_TRUE(s.identify());
    ASSERT_EQ(s.main->dataLength, 93);
    QTemporaryDir dir;
    const QString path = dir.filePath("v17.dat");
    ASSERT_TRUE(writeFile(path, SimulatedUnit::defaultBlock(170, 0x11, 17)));
    const QByteArray block = s.main->data;
    s.shell.ui.openPanelAnswers.push_back(path);
    s.main->openParameterFile({}, {});
    EXPECT_EQ(s.shell.ui.lastAlert().messageText, headline("BAD_FILE_FORMAT"));
    EXPECT_EQ(s.main->data, block);
}

// OVXB blocks of data versions 0x10 and 0x11 have one length but not one layout.
TEST(MainViewBlock, AFileOfAnotherDataVersionOfTheSameLengthIsRefused) {
    struct Case {
        quint8 unitVersion, fileVersion;
    } cases[] = {{0x10, 0x11}, {0x11, 0x10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unitVersion);
        ConnectedShell s(168, [&](SimulatedUnit& u) { u.setDataVersion(c.unitVersion); });
        ASSERT_TRUE(s.identify());
        QTemporaryDir dir;
        const QString path = dir.filePath("other-version.dat");
        QByteArray file = SimulatedUnit::defaultBlock(168, 0x21, c.fileVersion);
        file[30] = 0x44;
        ASSERT_EQ(file.size(), s.main->dataLength);
        ASSERT_TRUE(writeFile(path, file));
        const QByteArray block = s.main->data;
        int shown = 0, failed = 0;
        s.main->handlerDataToUI = [&] { ++shown; };
        s.shell.ui.openPanelAnswers.push_back(path);
        s.main->openParameterFile({}, [&] { ++failed; });
        EXPECT_EQ(s.shell.ui.lastAlert().messageText, headline("BAD_FILE_FORMAT"));
        EXPECT_EQ(failed, 1);
        EXPECT_EQ(shown, 0);
        EXPECT_EQ(s.main->data, block);
        EXPECT_EQ(s.main->statusDataVersion->text(), versionText(c.unitVersion));
    }
}

// A file saved by other firmware of the same data version opens, and the status bar still names
// the connected unit's versions.
TEST(MainViewBlock, TheStatusBarKeepsTheUnitsVersionsAfterAFileIsOpened) {
    ConnectedShell s(168);
    ASSERT_TRUE(s.identify());
    ASSERT_EQ(s.main->statusFirmwareVersion->text(), versionText(0x21));
    QTemporaryDir dir;
    const QString path = dir.filePath("older-firmware.dat");
    QByteArray file = SimulatedUnit::defaultBlock(168, 0x20, 0x10);
    file[30] = 0x44;
    ASSERT_TRUE(writeFile(path, file));
    s.shell.ui.openPanelAnswers.push_back(path);
    s.main->openParameterFile({}, {});
    EXPECT_EQ(s.main->data, file);
    EXPECT_EQ(testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text(),
              localized("OPEN_FILE_SUCCESS"));
    EXPECT_EQ(s.main->statusFirmwareVersion->text(), versionText(0x21));
    EXPECT_EQ(s.main->statusDataVersion->text(), versionText(0x10));
}

TEST(MainViewBlock, AFailedSaveReportsAndLeavesNoFile) {
    Identified s;
    QTemporaryDir dir;
    for (const QString& path : {dir.filePath("missing/settings.dat"), dir.path()}) {
        SCOPED_TRACE(path.toStdString());
        int failed = 0;
        s.shell.ui.savePanelAnswers.push_back(path);
        s.main->saveParameterFile({}, [&] { ++failed; });
        EXPECT_EQ(s.shell.ui.lastAlert().messageText, headline("SAVE_FILE_FAILED"));
        EXPECT_EQ(failed, 1);
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST(MainViewBlock, RestartSendsRebtWithTheCallersClosuresOnly) {
    Identified s;
    s.app->menuItemReboot->trigger();
    EXPECT_EQ(s.shell.ui.lastAlert().messageText, headline("RESTART_CONFIRM"));
    EXPECT_EQ(s.shell.ui.lastAlert().buttons,
              (QStringList{localized("RESTART_NOW"), localized("RESTART_LATER")}));
    s.shell.ui.answer(1); // later
    testsupport::pumpEvents(10);
    EXPECT_TRUE(s.unit.received().isEmpty());

    s.app->menuItemReboot->trigger();
    s.confirm();
    // The acknowledgement must have been judged too: until then the link is busy and refuses the
    // next request.
    ASSERT_TRUE(s.waitFor([&] { return s.unit.count("REBT") == 1 && !s.app->port->busy(); }));
    EXPECT_EQ(s.unit.received(), "REBT");
    ASSERT_TRUE(s.waitFor([&] { return !s.app->port->busy(); })); // its answer came

    // The pages restart without asking; a time-out reaches only their closure.
    Outcome o;
    s.unit.injectFault(Fault::NoReply, "REBT");
    s.main->restartDevice(false, o.onSuccess(), o.onError(), o.onTimeout());
    ASSERT_TRUE(s.waitFor([&] { return s.unit.count("REBT") == 2; }));
    s.shell.clock.advance(0.1);
    EXPECT_TRUE(o.is(0, 0, 1));
    EXPECT_EQ(s.shell.ui.alerts.size(), 2u);
}

TEST(MainViewBlock, FactoryRestoreReadsTheRestoredBlock) {
    Identified s;
    QByteArray changed = s.unit.block();
    changed[30] = 99;
    s.unit.setBlock(changed);
    s.main->data = changed;

    s.app->menuItemRestore->trigger();
    EXPECT_EQ(s.shell.ui.lastAlert().messageText, headline("RESET_CONFIRM"));
    s.shell.ui.answer(1); // cancel
    testsupport::pumpEvents(10);
    EXPECT_TRUE(s.unit.received().isEmpty());

    Outcome o;
    s.main->factoryReset(o.onSuccess(), o.onError(), o.onTimeout());
    s.confirm();
    ASSERT_TRUE(s.waitFor([&] { return s.main->data != changed; }));
    EXPECT_EQ(s.unit.frames(), (QList<QByteArray>{"REST", "R"}));
    EXPECT_EQ(s.unit.received(), "RESTR");
    EXPECT_EQ(s.main->data, SimulatedUnit::defaultBlock(168, s.unit.firmwareVersion(), 0x10));
    EXPECT_EQ(s.shell.ui.lastAlert().messageText, headline("RESET_SUCCESS"));
    EXPECT_EQ(s.shell.ui.lastAlert().style, AlertStyle::Informational);
    EXPECT_EQ(testsupport::outlet<QLabel>(s.main, "txtBottomMessage")->text(),
              localized("READ_SUCCESS"));
    EXPECT_TRUE(o.is(1, 0, 0));
}

// Every outcome of a calibration, a request the busy link refuses too, unlocks the menus and
// takes the progress sheet away; a refused request says why.
TEST(MainViewBlock, CalibrationsUnlockTheMenusWhateverHappens) {
    enum class Ending { Success, Failure, TimeOut, Refused };
    struct Case {
        bool level;
        Ending ending;
        const char* alert;
    } cases[] = {
        {true, Ending::Success, "CALIBRATION_SUCCESS"},
        {false, Ending::Success, "CALIBRATION_SUCCESS"},
        {true, Ending::Failure, "CALIBRATION_FAILED"},
        {false, Ending::TimeOut, "RESPONSE_TIMEOUT"},
        {true, Ending::Refused, "DEVICE_BUSY"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.level ? "level " : "hover ") << int(c.ending));
        Identified s;
        const QByteArray word = c.level ? "LEVL" : "HOVR";
        if (c.ending == Ending::Failure)
            s.unit.injectFault(Fault::WrongAck, word);
        if (c.ending == Ending::TimeOut)
            s.unit.injectFault(Fault::NoReply, word);
        Outcome o;
        if (c.level)
            s.main->levelCalibration(o.onSuccess(), o.onError(), o.onTimeout());
        else
            s.main->hoverCalibration(o.onSuccess(), o.onError(), o.onTimeout());
        ASSERT_EQ(s.shell.ui.alerts.size(), 1u);
        EXPECT_EQ(s.shell.ui.lastAlert().messageText,
                  headline(c.level ? "LEVEL_CALIBRATION_CONFIRM" : "HOVER_CALIBRATION_CONFIRM"));
        EXPECT_EQ(s.shell.ui.lastAlert().buttons,
                  (QStringList{localized("START"), localized("CANCEL")}));
        if (c.ending == Ending::Refused) { // a read is still waiting for its reply
            ASSERT_TRUE(s.app->port->requestDataFrame("R", 91, true, 0.5));
        }

        s.confirm();
        if (c.ending == Ending::Refused) {
            EXPECT_TRUE(s.app->menuItemMain->isEnabled());
            EXPECT_FALSE(s.main->modalViewController()->isPresentedAsSheet());
            ASSERT_EQ(s.shell.ui.alerts.size(), 2u);
            EXPECT_EQ(s.shell.ui.lastAlert().messageText, headline(c.alert));
            EXPECT_EQ(s.shell.ui.lastAlert().style, AlertStyle::Critical);
            EXPECT_TRUE(o.is(0, 0, 0));
            continue;
        }
        EXPECT_FALSE(s.app->menuItemMain->isEnabled());
        EXPECT_FALSE(s.app->menuItemLanguage->isEnabled());
        EXPECT_FALSE(s.app->menuItemHelp->isEnabled());
        EXPECT_TRUE(s.main->modalViewController()->isPresentedAsSheet());
        EXPECT_EQ(s.main->modalViewController()->txtMessage->text(), localized("CALIBRATING"));

        if (c.ending == Ending::TimeOut) {
            ASSERT_TRUE(s.waitFor([&] { return s.unit.count(word) == 1; }));
            testsupport::pumpEvents(20);
            s.shell.clock.advance(4.9);
            EXPECT_FALSE(s.app->menuItemMain->isEnabled());
            s.shell.clock.advance(0.1);
        }
        ASSERT_TRUE(s.waitForAlert(1));
        EXPECT_EQ(s.shell.ui.lastAlert().messageText, headline(c.alert));
        EXPECT_EQ(s.shell.ui.lastAlert().style,
                  c.ending == Ending::Success ? AlertStyle::Informational : AlertStyle::Critical);
        EXPECT_TRUE(s.app->menuItemMain->isEnabled());
        EXPECT_TRUE(s.app->menuItemLanguage->isEnabled());
        EXPECT_TRUE(s.app->menuItemHelp->isEnabled());
        EXPECT_FALSE(s.main->modalViewController()->isPresentedAsSheet());
        if (c.ending == Ending::Success) {
            EXPECT_TRUE(o.is(1, 0, 0));
            ASSERT_TRUE(s.waitFor([&] { return s.unit.count("R") == 1; })); // read back
            EXPECT_EQ(s.unit.received(), word + "R");
        } else {
            EXPECT_TRUE(o.is(0, c.ending == Ending::Failure, c.ending == Ending::TimeOut));
            EXPECT_EQ(s.unit.received(), word);
        }
    }
}

TEST(MainViewBlock, WithoutAnOpenPortEveryDeviceOperationWarnsAndSendsNothing) {
    Identified s;
    s.app->port->disconnect();
    ASSERT_FALSE(s.app->port->isOpen());
    Outcome o;
    for (const DeviceOperation& operation : deviceOperations()) {
        SCOPED_TRACE(operation.name);
        const std::size_t before = s.shell.ui.alerts.size();
        operation.start(s.main, o);
        ASSERT_EQ(s.shell.ui.alerts.size(), before + 1);
        EXPECT_EQ(s.shell.ui.lastAlert().messageText, headline("SELECT_PORT_WARNING"));
    }
    s.shell.clock.advance(1.0);
    testsupport::pumpEvents(10);
    EXPECT_TRUE(o.is(0, 0, 0));
    EXPECT_TRUE(s.unit.received().isEmpty());
}

// A question is still shown when the unit is unplugged: the answer finds no port, warns, sends
// nothing and leaves nothing locked.
TEST(MainViewBlock, AnAnswerAfterTheUnitWasUnpluggedWarnsAndSendsNothing) {
    for (const DeviceOperation& operation : deviceOperations()) {
        if (!operation.asks)
            continue;
        SCOPED_TRACE(operation.name);
        Identified s;
        SimulatedUnit other(168);
        s.shell.ports.arrive(other, "ttyUSB1"); // still listed when the unit has gone
        int encoded = 0;
        s.main->handlerUIToData = [&] { ++encoded; };
        Outcome o;
        operation.start(s.main, o);
        ASSERT_EQ(s.shell.ui.alerts.size(), 1u);

        s.shell.ports.remove("SLAB_sim");
        ASSERT_EQ(s.shell.ui.alerts.size(), 2u);
        s.confirm();
        ASSERT_EQ(s.shell.ui.alerts.size(), 3u);
        EXPECT_EQ(s.shell.ui.lastAlert().messageText, headline("SELECT_PORT_WARNING"));
        EXPECT_TRUE(s.app->menuItemMain->isEnabled());
        EXPECT_FALSE(s.main->modalViewController()->isPresentedAsSheet());
        s.shell.clock.advance(6.0);
        testsupport::pumpEvents(10);
        EXPECT_EQ(encoded, 0);
        EXPECT_TRUE(o.is(0, 0, 0));
        EXPECT_TRUE(s.unit.received().isEmpty());
        EXPECT_TRUE(other.received().isEmpty());
    }
}

// The unit is unplugged while an operation waits for its reply: the user hears of the removal
// once (no time-out alert follows it), nothing stays locked, and the link is free for the unit
// when it comes back and has told who it is.
TEST(MainViewBlock, UnpluggingDuringAnOperationEndsInOneMessageNotInAHang) {
    for (const DeviceOperation& c : deviceOperations()) {
        SCOPED_TRACE(c.name);
        Identified s;
        QByteArray own = s.unit.block(); // settings of its own, not the factory's
        own[20] = 0x5A;
        s.unit.setBlock(own);
        s.main->readFromDevice({}, {}, {});
        ASSERT_TRUE(s.waitFor([&] { return s.main->data == own; }));
        const QByteArray block = s.main->data;
        s.unit.holdReplies(true);
        Outcome o;
        c.start(s.main, o);
        if (c.asks)
            s.confirm();
        ASSERT_TRUE(s.waitFor([&] { return s.unit.heldReplies() == 1; }));
        const std::size_t before = s.shell.ui.alerts.size();

        s.shell.ports.remove("SLAB_sim");
        ASSERT_EQ(s.shell.ui.alerts.size(), before + 1);
        EXPECT_EQ(s.shell.ui.lastAlert().messageText,
                  splitAlertText(localized("PORT_REMOVED").arg("SLAB_sim")).message);
        EXPECT_FALSE(s.app->port->busy());
        EXPECT_TRUE(s.app->menuItemMain->isEnabled());
        EXPECT_FALSE(s.main->modalViewController()->isPresentedAsSheet());
        s.shell.clock.advance(c.timeout + 1.0);
        testsupport::pumpEvents(10);
        EXPECT_EQ(s.shell.ui.alerts.size(), before + 1) << s.shell.ui.lastAlert().messageText;
        EXPECT_TRUE(o.is(0, 0, 0));
        EXPECT_EQ(s.main->data, block);

        s.unit.holdReplies(false);
        s.unit.clearRecord();
        s.shell.ports.arrive(s.unit);
        ASSERT_TRUE(s.app->port->isOpen());
        ASSERT_TRUE(s.waitFor([&] { return !s.main->isCheckingReturningUnit(); }));
        EXPECT_EQ(s.unit.frames(), (QList<QByteArray>{"r", "R"}));
        // A calibration or restore whose answer was lost left its result on the unit: the page
        // holds it now, as the read after it would have done.
        EXPECT_EQ(s.main->deviceID, 168);
        EXPECT_EQ(s.main->data, s.unit.block());
        s.main->readFromDevice(o.onSuccess(), o.onError(), o.onTimeout());
        ASSERT_TRUE(s.waitFor([&] { return o.success == 1; }));
        EXPECT_EQ(s.main->data, s.unit.block());
    }
}

} // namespace
