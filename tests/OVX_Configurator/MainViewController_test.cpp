#include "OVX_Configurator/MainViewController.h"

#include "OVX_Configurator/AppInfo.h"
#include "OVX_Configurator/MainWindowController.h"
#include "OVX_Configurator/WelcomeViewController.h"
#include "OVX_Configurator/firmware/FirmwareUpdateViewController.h"
#include "OVX_Configurator/pages/OVXA_ViewController.h"
#include "OVX_Configurator/pages/OVXB_ViewController.h"
#include "OVX_Configurator/pages/OVXC_ViewController.h"
#include "OVX_Configurator/pages/OVXD_ViewController.h"
#include "support/Outlets.h"
#include "support/ShellEnvironment.h"

#include <QMainWindow>

#include <gtest/gtest.h>

namespace {

using testsupport::ShellEnvironment;

TEST(MainViewController, StartsOnTheWelcomePage) {
    ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    MainViewController* main = app.mainViewController();
    EXPECT_EQ(app.mainWindowController()->window()->centralWidget(), main->view());
    // The six pages in their fixed order, each made once and pointing back at the main view.
    const std::vector<ViewController*> pages{
        main->welcomeViewController(), main->firmwareUpdateViewController(),
        main->ovxaViewController(),    main->ovxbViewController(),
        main->ovxcViewController(),    main->ovxdViewController()};
    EXPECT_EQ(main->childViewControllers(), pages);
    EXPECT_EQ(main->welcomeViewController()->parentController, main);
    EXPECT_EQ(main->firmwareUpdateViewController()->parentController, main);
    EXPECT_EQ(main->ovxaViewController()->parentController, main);
    EXPECT_EQ(main->ovxbViewController()->parentController, main);
    EXPECT_EQ(main->ovxcViewController()->parentController, main);
    EXPECT_EQ(main->ovxdViewController()->parentController, main);
    EXPECT_EQ(main->currentViewController, main->welcomeViewController());
    EXPECT_EQ(main->welcomeViewController()->view()->parentWidget(),
              testsupport::outlet<QWidget>(main, "MainContentView"));
    EXPECT_EQ(main->window, app.mainWindowController()->window());
    EXPECT_EQ(main->statusLabels().size(), 16);
    for (QLabel* label : main->statusLabels())
        EXPECT_FALSE(label->isVisible()) << label->objectName().toStdString();
}

TEST(MainViewController, AnIndexOutsideThePagesLeavesTheContentAreaEmpty) {
    for (std::int64_t index : {-1, 6}) {
        ShellEnvironment shell;
        AppDelegate& app = shell.launch();
        MainViewController* main = app.mainViewController();
        main->window->setWindowTitle("OVX Configurator [OVX Delta]");
        app.menuItemRead->setEnabled(true);
        app.timerCheckFirmwareUpdate.startRepeating(80, [] {});
        main->statusFirmwareVersion->show();

        main->showPage(index);
        EXPECT_FALSE(app.timerCheckFirmwareUpdate.isActive()) << index;
        EXPECT_EQ(main->welcomeViewController()->view()->parentWidget(), nullptr);
        EXPECT_EQ(main->currentViewController, main->welcomeViewController());
        // Title and menus stay as they were.
        EXPECT_EQ(main->window->windowTitle(), "OVX Configurator [OVX Delta]");
        EXPECT_TRUE(app.menuItemRead->isEnabled());
        EXPECT_TRUE(main->statusFirmwareVersion->isVisibleTo(
            testsupport::outlet<QWidget>(main, "StatusBarView")));

        main->showPage(0); // back: title reset, device items disabled
        EXPECT_EQ(main->window->windowTitle(), AppInfo::kApplicationName);
        EXPECT_FALSE(app.menuItemRead->isEnabled());
        EXPECT_FALSE(main->statusFirmwareVersion->isVisibleTo(
            testsupport::outlet<QWidget>(main, "StatusBarView")));
        EXPECT_EQ(main->welcomeViewController()->view()->parentWidget(),
                  testsupport::outlet<QWidget>(main, "MainContentView"));
    }
}

TEST(MainViewController, EachMessageHidesTheBarThreeSecondsAfterItWasShown) {
    ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    MainViewController* main = app.mainViewController();
    main->showInfoMessage("Parameters read");
    EXPECT_TRUE(testsupport::outlet<QWidget>(main, "BottomMessageView")->isVisible());
    EXPECT_EQ(testsupport::outlet<QLabel>(main, "txtBottomMessage")->text(), "Parameters read");
    QColor info =
        testsupport::outlet<QWidget>(main, "BottomMessageView")->palette().color(QPalette::Window);

    shell.clock.advance(2.0);
    main->showCautionMessage("No serial port found");
    EXPECT_EQ(testsupport::outlet<QLabel>(main, "txtBottomMessage")->text(),
              "No serial port found");
    EXPECT_NE(
        testsupport::outlet<QWidget>(main, "BottomMessageView")->palette().color(QPalette::Window),
        info);

    shell.clock.advance(1.1); // the first message's hide still comes at its own time
    EXPECT_FALSE(testsupport::outlet<QWidget>(main, "BottomMessageView")->isVisible());
}

} // namespace
