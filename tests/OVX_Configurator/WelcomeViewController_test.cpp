#include "OVX_Configurator/WelcomeViewController.h"

#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "support/ShellEnvironment.h"

#include <gtest/gtest.h>

namespace {

TEST(WelcomeViewController, DriverButtonTellsHowToGetAccessToSerialPorts) {
    testsupport::ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    WelcomeViewController* welcome = app.mainViewController()->welcomeViewController();
    EXPECT_EQ(welcome->appDelegate, &app);
    ASSERT_NE(welcome->btnDownloadUSBDriver, nullptr);

    welcome->btnDownloadUSBDriver->click();
    EXPECT_TRUE(shell.ui.openedUrls.empty()); // nothing to download on Linux
    ASSERT_EQ(shell.ui.alerts.size(), 1u);
    EXPECT_EQ(shell.ui.lastAlert().style, AlertStyle::Informational);
    EXPECT_TRUE(shell.ui.lastAlert().informativeText.contains("dialout"));
    EXPECT_TRUE(shell.ui.lastAlert().informativeText.contains("udev"));
}

TEST(WelcomeViewController, UpdateButtonLeavesTheWelcomePage) {
    testsupport::ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    WelcomeViewController* welcome = app.mainViewController()->welcomeViewController();
    app.timerCheckFirmwareUpdate.startRepeating(80, [] {});
    welcome->UpdateButtonAction(); // page 1, the firmware update page
    EXPECT_EQ(welcome->view()->parentWidget(), nullptr);
    EXPECT_FALSE(app.timerCheckFirmwareUpdate.isActive());
}

} // namespace
