// The boot-loader update sequence against the simulated unit and its boot loader: what goes on
// the wire, what ends in the unit's flash, and how the page behaves when something fails.

#include "FirmwarePage.h"

#include "OVX_Configurator/Alert.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainWindowController.h"
#include "OVX_Configurator/WelcomeViewController.h"
#include "OVX_Configurator/device/FirmwareImage.h"
#include "support/EventLoop.h"

#include <QMainWindow>

#include <gtest/gtest.h>

using firmwaretest::FirmwarePage;
using firmwaretest::makeImage;
using testsupport::headline;
using testsupport::SimulatedBootLoader;
using testsupport::SimulatedUnit;
using Fault = SimulatedUnit::Fault;
using State = FirmwareUpdateViewController::State;

namespace {

// A unit of `model` with `firmware` whose boot loader reports `bootId` (0: the model).
std::function<void(SimulatedUnit&)> unitWith(int firmware, int bootId = 0) {
    return [=](SimulatedUnit& unit) {
        unit.setFirmwareVersion(quint8(firmware));
        if (bootId)
            unit.bootLoader().setIdentifier(bootId);
    };
}

// Starts with the image open and confirms the update: the page is writing pages after this.
void startConfirmed(FirmwarePage& f, const QByteArray& image) {
    f.openImage(image);
    f.start();
    ASSERT_TRUE(f.runUntilAlert());
    ASSERT_EQ(f.lastHeadline(), headline("UPDATE_CONFIRM"));
    f.answer(0);
}

TEST(FirmwareUpdate, AWholeUpdateLeavesTheImageInTheFlash) {
    struct Case {
        int model, firmware, bootId, pages;
        QByteArray letter;
    } cases[] = {{168, 0x32, 0, 40, "w"}, {170, 0x11, 171, 24, "W"}};
    for (const Case& c : cases) {
        FirmwarePage f(c.model, unitWith(c.firmware, c.bootId));
        const QByteArray image = makeImage(c.bootId ? c.bootId : c.model, 0x33, c.pages, 17);
        startConfirmed(f, image);
        ASSERT_TRUE(f.runUntilAlert(120)) << c.model;
        EXPECT_EQ(f.lastHeadline(), headline("UPDATE_COMPLETE"));
        EXPECT_EQ(f.ui().lastAlert().style, AlertStyle::Informational);
        ASSERT_TRUE(
            f.runUntil([&] { return f.boot().mode() == SimulatedBootLoader::Mode::Application; }));
        EXPECT_TRUE(f.boot().flashMatches(image))
            << "differs at " << f.boot().firstDifferentPage(image);

        // The restart, the probe, the identifier, every page once in address order, "e".
        EXPECT_EQ(f.s.unit.frames(), (QList<QByteArray>{"r", "REBT"}));
        QList<QByteArray> expected{"p", "r"};
        for (int p = 0; p < c.pages; ++p)
            expected << c.letter;
        expected << "e";
        EXPECT_EQ(f.boot().commands(), expected) << c.model;
        const auto& writes = f.boot().pageWrites();
        ASSERT_EQ(writes.size(), c.pages);
        // The first page written is the one the image stores last, the last the one at offset 2.
        EXPECT_EQ(writes.first().address, 0u);
        EXPECT_EQ(firmware::pageByteUnpermutation(writes.first().sent),
                  image.mid(2 + (c.pages - 1) * 128, 128));
        EXPECT_EQ(writes.last().address, std::uint32_t((c.pages - 1) * 128));
        EXPECT_EQ(firmware::pageByteUnpermutation(writes.last().sent), image.mid(2, 128));
        EXPECT_EQ(f.page->state(), State::Idle);
        EXPECT_FALSE(f.s.app->isUpdating);
        EXPECT_TRUE(f.s.app->menuItemMain->isEnabled());
        EXPECT_TRUE(f.page->btnStart->isEnabled());
        EXPECT_TRUE(f.page->barUpdateProgress->isHidden());
    }
}

TEST(FirmwareUpdate, ChoosesTheRestartCommandByModelAndFirmware) {
    struct Case {
        int model, firmware;
        QByteArray command; // empty: straight to the search
    } cases[] = {{168, 31, "b"},
                 {168, 32, "REBT"},
                 {169, 0x11, "REBT"},
                 {170, 0x11, "REBT"},
                 {166, 0x13, {}}};
    for (const Case& c : cases) {
        FirmwarePage f(c.model, unitWith(c.firmware));
        f.openImage(makeImage(c.model, 0x40, 2));
        f.start();
        ASSERT_TRUE(f.runUntilAlert()) << c.model;
        if (c.command.isEmpty()) {
            EXPECT_EQ(f.lastHeadline(), headline("DETECT_CONFIRM")) << c.model;
            EXPECT_EQ(f.ui().lastAlert().buttons,
                      (QStringList{localized("CONTINUE"), localized("CANCEL")}));
            EXPECT_EQ(f.s.unit.frames(), QList<QByteArray>{"r"});
            continue;
        }
        EXPECT_EQ(f.lastHeadline(), headline("UPDATE_CONFIRM")) << c.model;
        EXPECT_EQ(f.ui().lastAlert().buttons, (QStringList{localized("YES"), localized("CANCEL")}));
        f.answer(0);
        ASSERT_TRUE(f.runUntil([&] { return f.s.unit.frames().size() == 2; }));
        EXPECT_EQ(f.s.unit.frames().last(), c.command) << c.model << " " << c.firmware;
    }
}

TEST(FirmwareUpdate, SixFailedWritesAreRetriedAndTheSeventhEndsTheUpdate) {
    for (int failures : {6, 7}) {
        FirmwarePage f(168, unitWith(0x32));
        const QByteArray image = makeImage(168, 0x33, 12);
        startConfirmed(f, image);
        ASSERT_TRUE(f.runUntil([&] { return f.page->state() == State::Updating; }));
        // A lost acknowledge, a wrong one and a refused page, each time on another page.
        for (int k = 0; k < failures; ++k) {
            ASSERT_TRUE(f.runUntil([&] { return f.page->page == k + 1; }));
            if (k % 3 == 0)
                f.boot().injectFault(Fault::NoReply, "w");
            else if (k % 3 == 1)
                f.boot().injectFault(Fault::WrongAck, "w");
            else
                f.boot().refusePages(1);
        }
        ASSERT_TRUE(f.runUntilAlert(120));
        if (failures == 6) {
            EXPECT_EQ(f.lastHeadline(), headline("UPDATE_COMPLETE"));
            EXPECT_EQ(f.page->retryCount, 6);
            ASSERT_TRUE(f.runUntil([&] { return !f.boot().isActive(); }));
            EXPECT_TRUE(f.boot().flashMatches(image));
        } else {
            EXPECT_EQ(f.lastHeadline(), headline("UPDATE_TERMINATE_UNEXPECTEDLY"));
            EXPECT_EQ(f.ui().lastAlert().style, AlertStyle::Critical);
            EXPECT_FALSE(f.s.app->isUpdating);
            EXPECT_EQ(f.page->page, 7);
            // The unit stays in its boot loader for the next attempt; nothing claims success.
            f.s.shell.clock.advance(1.0);
            testsupport::pumpEvents(20);
            EXPECT_TRUE(f.boot().isActive());
            for (const auto& alert : f.ui().alerts)
                EXPECT_NE(alert.request.messageText, headline("UPDATE_COMPLETE"));
        }
    }
}

TEST(FirmwareUpdate, LateAcknowledgesStillLeaveEveryPageWritten) {
    FirmwarePage f(168, unitWith(0x32));
    const QByteArray image = makeImage(168, 0x33, 16);
    f.s.unit.setLateDelay(0.7); // after the time-out, while the page is written again
    startConfirmed(f, image);
    ASSERT_TRUE(f.runUntil([&] { return f.page->state() == State::Updating; }));
    for (int p : {1, 5, 9}) {
        ASSERT_TRUE(f.runUntil([&] { return f.page->page == p; }));
        f.boot().injectFault(Fault::LateReply, "w");
    }
    ASSERT_TRUE(f.runUntilAlert(120));
    EXPECT_EQ(f.lastHeadline(), headline("UPDATE_COMPLETE"));
    ASSERT_TRUE(f.runUntil([&] { return !f.boot().isActive(); }));
    EXPECT_TRUE(f.boot().flashMatches(image));
}

TEST(FirmwareUpdate, ProgressLagsOnePageBehind) {
    FirmwarePage f(168, unitWith(0x32));
    startConfirmed(f, makeImage(168, 0x33, 128));
    ASSERT_TRUE(f.runUntil([&] { return f.page->page == 1; }));
    EXPECT_TRUE(f.page->barUpdateProgress->isVisibleTo(f.page->view()));
    EXPECT_EQ(f.page->barUpdateProgress->maximum(), 128);
    EXPECT_EQ(f.page->barUpdateProgress->value(), 0);
    EXPECT_EQ(f.page->txtUpdateInformation->text(), "0.0%(0/16384" + localized("BYTES") + ")");
    ASSERT_TRUE(f.runUntil([&] { return f.page->page == 128; }, 120));
    EXPECT_EQ(f.page->barUpdateProgress->value(), 127);
    EXPECT_EQ(f.page->txtUpdateInformation->text(), "99.2%(16256/16384" + localized("BYTES") + ")");
}

TEST(FirmwareUpdate, LocksTheControlsAndRefusesToQuitWhileWriting) {
    FirmwarePage f(168, unitWith(0x32));
    startConfirmed(f, makeImage(168, 0x33, 64));
    ASSERT_TRUE(f.runUntil([&] { return f.page->page == 3; }));
    EXPECT_TRUE(f.s.app->isUpdating);
    for (QWidget* w : std::initializer_list<QWidget*>{
             f.page->lstDeviceList, f.page->lstFirmwareList, f.page->btnReloadDeviceList,
             f.page->btnReloadFirmwareList, f.page->txtFilename, f.page->btnOpen, f.page->btnStart,
             f.page->btnClose, f.s.main->btnReloadPortList, f.s.main->lstPortList})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(f.s.app->menuItemMain->isEnabled());

    // Quitting and closing the window are refused; the window keeps its close button.
    QMainWindow* window = f.s.app->mainWindowController()->window();
    const Qt::WindowFlags flags = window->windowFlags();
    const std::size_t before = f.ui().alerts.size();
    EXPECT_FALSE(f.s.app->terminate());
    EXPECT_FALSE(window->close());
    EXPECT_EQ(window->windowFlags(), flags);
    ASSERT_GT(f.ui().alerts.size(), before);
    EXPECT_EQ(f.ui().alerts[before].request.messageText, headline("WAIT_UPDATE_COMPLETE"));
    EXPECT_TRUE(f.ui().exitStatuses.empty());
    while (f.ui().answer(0)) {
    }
    ASSERT_TRUE(f.runUntilAlert(120));
    EXPECT_EQ(f.lastHeadline(), headline("UPDATE_COMPLETE"));
    EXPECT_TRUE(f.s.app->terminate());
}

TEST(FirmwareUpdate, TheSearchFindsAUnitSwitchedOffAndOn) {
    FirmwarePage f(166, unitWith(0x13));
    const QByteArray image = makeImage(166, 0x14, 8);
    f.openImage(image);
    f.start();
    ASSERT_TRUE(f.runUntilAlert());
    ASSERT_EQ(f.lastHeadline(), headline("DETECT_CONFIRM"));
    f.answer(0);
    ASSERT_TRUE(f.runUntil(
        [&] { return f.boot().commands().isEmpty() && f.s.unit.received().count('p') >= 3; }));
    EXPECT_EQ(f.page->state(), State::Detecting);
    EXPECT_TRUE(f.s.app->isDetecting);
    EXPECT_EQ(f.page->btnStart->text(), localized("CANCEL_UPDATE"));
    EXPECT_TRUE(f.page->btnStart->isEnabled());
    EXPECT_TRUE(f.page->btnClose->isEnabled());
    EXPECT_FALSE(f.page->btnOpen->isEnabled()); // the image cannot change under the search
    EXPECT_FALSE(f.page->lstDeviceList->isEnabled());
    EXPECT_FALSE(f.s.main->lstPortList->isEnabled());
    EXPECT_TRUE(f.page->barDetecting->isVisibleTo(f.page->view()));

    f.s.unit.powerCycle();
    ASSERT_TRUE(f.runUntilAlert(120));
    EXPECT_EQ(f.lastHeadline(), headline("UPDATE_COMPLETE"));
    EXPECT_FALSE(f.s.app->isDetecting);
    EXPECT_EQ(f.page->btnStart->text(), localized("START_UPDATE"));
    ASSERT_TRUE(f.runUntil([&] { return !f.boot().isActive(); }));
    EXPECT_TRUE(f.boot().flashMatches(image));
}

TEST(FirmwareUpdate, ACancelledSearchDropsTheProbeStillOnItsWay) {
    FirmwarePage f(166, unitWith(0x13));
    f.openImage(makeImage(166, 0x14, 8));
    f.start();
    ASSERT_TRUE(f.runUntilAlert());
    f.answer(0);
    ASSERT_TRUE(f.runUntil([&] { return f.s.unit.received().count('p') >= 2; }));
    // The unit comes up in its boot loader; its answer to the next probe is held back.
    f.boot().enter();
    f.s.unit.holdReplies(true);
    ASSERT_TRUE(f.runUntil([&] { return f.s.unit.heldReplies() == 1 && f.link().busy(); }));
    EXPECT_EQ(f.page->state(), State::Detecting);
    f.start(); // now Stop Searching
    EXPECT_EQ(f.page->state(), State::Idle);
    EXPECT_FALSE(f.s.app->isDetecting);
    f.s.unit.releaseReplies();
    f.s.unit.holdReplies(false);
    testsupport::waitUntil([&] { return !f.link().busy(); });
    f.s.shell.clock.advance(1.0);
    testsupport::pumpEvents(20);
    EXPECT_EQ(f.boot().commands(), QList<QByteArray>{"p"}); // no "r", no page
    EXPECT_EQ(f.page->state(), State::Idle);
    EXPECT_FALSE(f.s.app->isUpdating);

    // Close during the search ends it the same way.
    f.start();
    ASSERT_TRUE(f.runUntilAlert());
    ASSERT_EQ(f.lastHeadline(), headline("DETECT_CONFIRM"));
    f.s.unit.holdReplies(true);
    f.answer(0);
    ASSERT_TRUE(f.runUntil([&] { return f.s.unit.heldReplies() == 1 && f.link().busy(); }));
    f.page->btnCloseAction();
    f.s.unit.releaseReplies();
    f.s.unit.holdReplies(false);
    f.s.shell.clock.advance(1.0);
    testsupport::pumpEvents(20);
    EXPECT_TRUE(f.boot().pageWrites().isEmpty());
    EXPECT_EQ(f.s.main->currentViewController,
              static_cast<ViewController*>(f.s.main->welcomeViewController()));
}

// Start pressed while another exchange holds the link (a unit on a reopened port being asked who
// it is): nothing is sent, and the page says that the unit is busy.
TEST(FirmwareUpdate, AStartWhileTheLinkIsBusySaysSoAndSendsNothing) {
    FirmwarePage f(168, unitWith(0x32));
    f.s.unit.holdReplies(true);
    ASSERT_TRUE(f.link().requestDataFrame("r", 3, true, 10.0, {}, {}, {}));
    ASSERT_TRUE(f.runUntil([&] { return f.s.unit.heldReplies() == 1; }));
    f.s.unit.clearRecord();
    const std::size_t before = f.s.shell.ui.alerts.size();
    f.openImage(makeImage(168, 0x33, 4));
    f.start();
    ASSERT_EQ(f.s.shell.ui.alerts.size(), before + 1);
    EXPECT_EQ(f.lastHeadline(), headline("DEVICE_BUSY"));
    EXPECT_EQ(f.page->state(), State::Idle);
    testsupport::pumpEvents(20);
    EXPECT_TRUE(f.s.unit.received().isEmpty());
}

TEST(FirmwareUpdate, RefusesABootLoaderOfAnotherModel) {
    FirmwarePage f(168, unitWith(0x32, 170));
    startConfirmed(f, makeImage(168, 0x33, 4));
    ASSERT_TRUE(f.runUntilAlert());
    EXPECT_EQ(f.lastHeadline(), headline("UNEXPECTED_DEVICE_ID"));
    ASSERT_TRUE(f.runUntil([&] { return !f.boot().isActive(); }));
    EXPECT_EQ(f.boot().commands(), (QList<QByteArray>{"p", "r", "e"}));
    EXPECT_TRUE(f.boot().pageWrites().isEmpty());
    EXPECT_EQ(f.page->state(), State::Idle);
}

TEST(FirmwareUpdate, RefusedImagesSendNothing) {
    struct Case {
        const char* what;
        QByteArray image;
        const char* key;
    } cases[] = {
        {"header only", makeImage(168, 0x33, 0), "FIRMWARE_IMAGE_TOO_SHORT"},
        {"less than a page", makeImage(168, 0x33, 0, 100), "FIRMWARE_IMAGE_TOO_SHORT"},
        {"past 16-bit addresses", makeImage(168, 0x33, 513), "FIRMWARE_IMAGE_TOO_LARGE"},
    };
    FirmwarePage f(168, unitWith(0x32));
    for (const Case& c : cases) {
        f.openImage(c.image, QString::fromLatin1(c.what) + ".bin");
        f.start();
        ASSERT_FALSE(f.ui().alerts.empty());
        EXPECT_EQ(f.lastHeadline(), headline(c.key)) << c.what;
        f.ui().answer(0);
        testsupport::pumpEvents(20);
        EXPECT_TRUE(f.s.unit.received().isEmpty()) << c.what;
        EXPECT_EQ(f.page->state(), State::Idle);
    }
}

TEST(FirmwareUpdate, AnUnpluggedUnitEndsTheUpdateAndCanBeWrittenAgain) {
    FirmwarePage f(168, unitWith(0x32));
    const QByteArray image = makeImage(168, 0x33, 40);
    startConfirmed(f, image);
    ASSERT_TRUE(f.runUntil([&] { return f.page->page == 10; }));
    const std::size_t before = f.ui().alerts.size();
    f.s.shell.ports.remove("SLAB_sim");
    ASSERT_TRUE(f.runUntil([&] { return f.ui().alerts.size() > before; }));
    EXPECT_EQ(f.ui().alerts[before].request.messageText,
              splitAlertText(localized("PORT_REMOVED").arg("SLAB_sim")).message);
    EXPECT_FALSE(f.s.app->isUpdating);
    EXPECT_EQ(f.page->state(), State::Idle);
    f.s.shell.clock.advance(2.0);
    testsupport::pumpEvents(20);
    for (const auto& alert : f.ui().alerts)
        EXPECT_NE(alert.request.messageText, headline("UPDATE_COMPLETE"));
    EXPECT_EQ(f.page->firmwareData, image); // kept for the next attempt
    while (f.ui().answer(0)) {
    }

    // Plugged in again, still in its boot loader: the search finds it and writes it all.
    f.s.shell.ports.arrive(f.s.unit);
    ASSERT_TRUE(f.runUntil([&] { return f.link().isOpen(); }));
    f.start();
    ASSERT_TRUE(f.runUntilAlert());
    ASSERT_EQ(f.lastHeadline(), headline("DETECT_CONFIRM"));
    f.answer(0);
    ASSERT_TRUE(f.runUntilAlert(120));
    EXPECT_EQ(f.lastHeadline(), headline("UPDATE_COMPLETE"));
    ASSERT_TRUE(f.runUntil([&] { return !f.boot().isActive(); }));
    EXPECT_TRUE(f.boot().flashMatches(image));
}

} // namespace
