#include "OVX_Configurator/AppDelegate.h"

#include "OVX_Configurator/Alert.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/MainWindowController.h"
#include "OVX_Configurator/WelcomeViewController.h"
#include "support/EventLoop.h"
#include "support/ShellEnvironment.h"
#include "support/SimulatedUnit.h"

#include <QMainWindow>

#include <gtest/gtest.h>

namespace {

using testsupport::ShellEnvironment;

// Lists the simulated unit as "SLAB_sim": the main view hears of the new port and opens it.
void connectToUnit(ShellEnvironment& shell, const testsupport::SimulatedUnit& unit) {
    shell.ports.arrive(unit);
    ASSERT_TRUE(shell.delegate->port->isOpen());
}

TEST(AppDelegateQuit, IsRefusedWhileAFirmwareUpdateRuns) {
    ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    testsupport::SimulatedUnit unit(168);
    connectToUnit(shell, unit);
    app.isUpdating = true;

    app.menuItemQuit->trigger();
    EXPECT_TRUE(shell.ui.exitStatuses.empty());
    ASSERT_EQ(shell.ui.alerts.size(), 1u);
    EXPECT_EQ(shell.ui.lastAlert().style, AlertStyle::Critical);
    EXPECT_EQ(shell.ui.lastAlert().messageText,
              splitAlertText(localized("WAIT_UPDATE_COMPLETE")).message);

    // Closing the last window is refused the same way, and the window stays.
    QMainWindow* window = app.mainWindowController()->window();
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(shell.ui.alerts.size(), 2u);
    EXPECT_TRUE(shell.ui.exitStatuses.empty());
    EXPECT_TRUE(app.timerCheckSoftwareUpdate.isActive());
    EXPECT_TRUE(app.port->isOpen());
}

TEST(AppDelegateQuit, EndsTheProgramOtherwise) {
    for (bool byClosingTheWindow : {false, true}) {
        SCOPED_TRACE(byClosingTheWindow ? "close window" : "quit item");
        ShellEnvironment shell;
        AppDelegate& app = shell.launch();
        testsupport::SimulatedUnit unit(168);
        connectToUnit(shell, unit);
        if (byClosingTheWindow)
            EXPECT_TRUE(app.mainWindowController()->window()->close());
        else
            app.menuItemQuit->trigger();
        EXPECT_EQ(shell.ui.exitStatuses, std::vector<int>{0});
        EXPECT_TRUE(shell.ui.alerts.empty());
        EXPECT_FALSE(app.timerCheckSoftwareUpdate.isActive());
        EXPECT_FALSE(app.timerCheckFirmwareUpdate.isActive());
        EXPECT_FALSE(app.port->isOpen());
    }
}

TEST(AppDelegateLanguage, SwitchStoresTheCodeAndEndsOnceTheAlertIsDismissed) {
    for (int response : {0, kAlertClosed}) {
        ShellEnvironment shell;
        AppDelegate& app = shell.launch();
        testsupport::SimulatedUnit unit(170);
        connectToUnit(shell, unit);
        ASSERT_FALSE(app.menuItemLanguageEnglish->isEnabled()); // the language in force

        app.menuItemLanguageTraditional->trigger();
        EXPECT_EQ(shell.storedLanguages(), QStringList{"zh-Hant"});
        ASSERT_EQ(shell.ui.alerts.size(), 1u);
        AlertText expected = splitAlertText(localized("APP_RESTART_REQUIRED"));
        EXPECT_EQ(shell.ui.lastAlert().messageText, expected.message);
        EXPECT_EQ(shell.ui.lastAlert().informativeText, expected.informative);
        EXPECT_EQ(shell.ui.lastAlert().buttons, QStringList{localized("OK")});
        EXPECT_TRUE(shell.ui.exitStatuses.empty()); // the alert does not wait
        EXPECT_TRUE(app.port->isOpen());

        shell.ui.answer(response);
        EXPECT_EQ(shell.ui.exitStatuses, std::vector<int>{0});
        EXPECT_FALSE(app.timerCheckSoftwareUpdate.isActive());
        EXPECT_FALSE(app.port->isOpen());
    }
}

TEST(AppDelegateTimers, TheProgramCheckRunsOnceSixtySecondsAfterLaunch) {
    ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    EXPECT_TRUE(app.timerCheckSoftwareUpdate.isActive());
    shell.clock.advance(59.9);
    EXPECT_TRUE(app.timerCheckSoftwareUpdate.isActive());
    EXPECT_TRUE(shell.site.requests().empty());
    shell.clock.advance(0.2);
    // The check stops its own timer: nothing fires again by itself.
    EXPECT_FALSE(app.timerCheckSoftwareUpdate.isActive());
    // Once its request has been answered (the test site answers 404), nothing is pending.
    ASSERT_TRUE(testsupport::waitUntil([&] { return app.pendingHttpRequests() == 0; }));
    EXPECT_EQ(shell.site.requests(),
              std::vector<QString>{QStringLiteral("/download/mac/check_updates.xml")});
    EXPECT_TRUE(shell.ui.alerts.empty());
    EXPECT_EQ(shell.clock.pending(), 0u);
}

TEST(AppDelegateMenus, DeviceItemsRunTheHandlerSlotsOnlyWhenInstalled) {
    ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    MainViewController* main = app.mainViewController();

    // Empty slots: the items do nothing.
    app.menuItemReadAction();
    app.menuItemWriteAction();
    app.menuItemRestoreAction();
    app.menuItemLevelCalibrationAction();
    app.menuItemHoverCalibrationAction();
    app.menuItemAccelCalibrationAction();
    EXPECT_TRUE(shell.ui.alerts.empty());

    std::vector<std::string> calls;
    main->handlerReadFromDevice = [&] { calls.push_back("read"); };
    main->handlerWriteToDevice = [&] { calls.push_back("write"); };
    main->handlerFactoryRestore = [&] { calls.push_back("restore"); };
    main->handlerLevelCalibration = [&] { calls.push_back("level"); };
    main->handlerHoverCalibration = [&] { calls.push_back("hover"); };
    main->handlerAccelCalibration = [&] { calls.push_back("accel"); };
    for (QAction* item :
         {app.menuItemRead.data(), app.menuItemWrite.data(), app.menuItemRestore.data(),
          app.menuItemLevelCalibration.data(), app.menuItemHoverCalibration.data(),
          app.menuItemAccelCalibration.data()}) {
        item->setEnabled(true);
        item->trigger();
    }
    EXPECT_EQ(calls,
              (std::vector<std::string>{"read", "write", "restore", "level", "hover", "accel"}));
}

TEST(AppDelegateMenus, StartWithTheDeviceItemsDisabledAndLockTogether) {
    ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    for (QAction* item :
         {app.menuItemRead.data(), app.menuItemWrite.data(), app.menuItemOpen.data(),
          app.menuItemSave.data(), app.menuItemRestore.data(), app.menuItemReboot.data(),
          app.menuItemLevelCalibration.data(), app.menuItemHoverCalibration.data(),
          app.menuItemAccelCalibration.data(), app.menuItemCheckFirmwareUpdate.data()}) {
        ASSERT_NE(item, nullptr);
        EXPECT_FALSE(item->isEnabled()) << item->objectName().toStdString();
    }
    EXPECT_TRUE(app.menuItemConnect->isEnabled());
    EXPECT_TRUE(app.menuItemFirmwareUpdate->isEnabled());
    EXPECT_EQ(app.menuItemQuit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));

    app.mainViewController()->lockMenus();
    for (QAction* menu :
         {app.menuItemMain.data(), app.menuItemLanguage.data(), app.menuItemHelp.data()}) {
        ASSERT_NE(menu, nullptr);
        EXPECT_FALSE(menu->isEnabled());
    }
    app.mainViewController()->unlockMenus();
    EXPECT_TRUE(app.menuItemMain->isEnabled());
    EXPECT_TRUE(app.menuItemLanguage->isEnabled());
    EXPECT_TRUE(app.menuItemHelp->isEnabled());
}

TEST(AppDelegateWebPages, CarryTheWebSiteLanguage) {
    const std::pair<const char*, const char*> cases[] = {
        {"zh-Hant", "zh-tw"}, {"zh-Hans", "zh-cn"}, {"en", "en"}};
    for (const auto& [stored, code] : cases) {
        SCOPED_TRACE(stored);
        ShellEnvironment shell(QStringList{stored});
        AppDelegate& app = shell.launch();
        app.webSiteAddress = QStringLiteral("https://maker.example");
        app.menuItemManualDownloadAction();
        app.menuItemVisitWebsiteAction();
        app.openURLString(QString());                   // forms no URL
        app.openURLString(QStringLiteral("not a url")); // has no scheme
        ASSERT_EQ(shell.ui.openedUrls.size(), 2u);
        EXPECT_EQ(shell.ui.openedUrls[0].toString(),
                  QStringLiteral("https://maker.example/manuals/?lang=") + code);
        // The home page has no trailing slash: "?lang=" follows the address directly.
        EXPECT_EQ(shell.ui.openedUrls[1].toString(),
                  QStringLiteral("https://maker.example?lang=") + code);
    }
}

TEST(AppDelegateNotifications, ActivationActsByMessageType) {
    ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    app.webSiteAddress = QStringLiteral("https://maker.example");
    auto& center = UserNotificationCenter::defaultCenter();
    ASSERT_EQ(center.delegate(), &app);

    center.activate({"a", "t", "i", std::nullopt});                    // no user information
    center.activate({"b", "t", "i", QVariantMap{{"MessageType", 7}}}); // unknown type
    EXPECT_TRUE(shell.ui.openedUrls.empty());
    EXPECT_TRUE(app.timerCheckSoftwareUpdate.isActive());

    center.activate({"c", "t", "i", QVariantMap{{"MessageType", 2}}});
    ASSERT_EQ(shell.ui.openedUrls.size(), 1u);
    EXPECT_EQ(shell.ui.openedUrls[0].toString(), "https://maker.example/download/mac/?lang=en");
    EXPECT_FALSE(app.timerCheckSoftwareUpdate.isActive());

    app.timerCheckFirmwareUpdate.startRepeating(80, [] {});
    center.activate({"d", "t", "i", QVariantMap{{"MessageType", 3}}});
    EXPECT_FALSE(app.timerCheckFirmwareUpdate.isActive());
    // Page 1 (the firmware update page) replaces the welcome page.
    EXPECT_EQ(app.mainViewController()->welcomeViewController()->view()->parentWidget(), nullptr);
}

TEST(AppDelegateNotifications, DeliveredOnesGoThreeSecondsLater) {
    ShellEnvironment shell;
    shell.launch();
    auto& center = UserNotificationCenter::defaultCenter();
    const UserNotification first{"first", "t", "i", QVariantMap{{"MessageType", 2}}};
    EXPECT_TRUE(center.delegate()->userNotificationCenterShouldPresentNotification(center, first));
    center.deliver(first);
    shell.clock.advance(1.0);
    center.deliver({"second", "t", "i", std::nullopt});
    ASSERT_EQ(center.deliveredNotifications().size(), 2u);
    shell.clock.advance(1.9);
    EXPECT_EQ(center.deliveredNotifications().size(), 2u);
    shell.clock.advance(0.2); // 3.1 s after the first
    ASSERT_EQ(center.deliveredNotifications().size(), 1u);
    EXPECT_EQ(center.deliveredNotifications()[0].identifier, "second");
    shell.clock.advance(1.0);
    EXPECT_TRUE(center.deliveredNotifications().empty());
}

TEST(AppDelegateAlerts, ThreeButtonsRunTheirActionsAndAnythingElseTheThird) {
    const std::pair<int, const char*> cases[] = {
        {0, "first"}, {1, "second"}, {2, "third"}, {kAlertClosed, "third"}, {5, "third"}};
    for (const auto& [response, expected] : cases) {
        ShellEnvironment shell;
        AppDelegate& app = shell.launch();
        std::string ran;
        app.showThreeButtonAlert(
            "Head|Explanation|dropped", "A", "B", "C", [&] { ran += "first"; },
            [&] { ran += "second"; }, [&] { ran += "third"; });
        const AlertRequest& alert = shell.ui.lastAlert();
        EXPECT_EQ(alert.messageText, "Head");
        EXPECT_EQ(alert.informativeText, "Explanation");
        EXPECT_EQ(alert.buttons, (QStringList{"A", "B", "C"}));
        EXPECT_EQ(alert.style, AlertStyle::Informational);
        EXPECT_EQ(alert.window, app.mainWindowController()->window());
        EXPECT_TRUE(ran.empty());
        shell.ui.answer(response);
        EXPECT_EQ(ran, expected) << response;
    }
}

TEST(AppDelegateAlerts, WithoutAMainWindowNothingIsShownOrRun) {
    ShellEnvironment shell;
    shell.delegate = std::make_unique<AppDelegate>(); // not launched: no window yet
    bool ran = false;
    shell.delegate->showInfoMessage("Hello", [&] { ran = true; });
    shell.delegate->showThreeButtonAlert("Hello", "A", "B", "C", {}, {}, [&] { ran = true; });
    EXPECT_TRUE(shell.ui.alerts.empty());
    EXPECT_FALSE(ran);

    // The main view reached before the window loads still gets the window (for its title).
    MainViewController* main = shell.delegate->mainViewController();
    EXPECT_EQ(main->window, nullptr);
    shell.delegate->applicationDidFinishLaunching();
    EXPECT_EQ(main->window, shell.delegate->mainWindowController()->window());
    shell.delegate->showInfoMessage("Hello", {});
    EXPECT_EQ(shell.ui.alerts.size(), 1u);
}

} // namespace
