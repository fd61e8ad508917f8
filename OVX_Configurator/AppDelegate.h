#pragma once

#include "OVX_Configurator/LanguageType.h"
#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/UIServices.h"
#include "OVX_Configurator/UserNotificationCenter.h"
#include "platform/Scheduler.h"

#include <QAction>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class MainViewController;
class MainWindowController;
class QMainWindow;

// The application delegate: the one per program. It owns the main window and the device link,
// holds the interface language and the firmware page's busy flags, answers the menus by
// forwarding to the main view or its handler slots, guards and carries out termination,
// switches the language, opens the maker's web pages and answers activated notifications.
class AppDelegate : public QObject, public UserNotificationCenterDelegate {
    Q_OBJECT
public:
    AppDelegate();
    ~AppDelegate() override;

    // The program's delegate; the program stops when there is none.
    static AppDelegate& shared();
    // The program's delegate, or null.
    static AppDelegate* current();

    // Menu items (set when the main window's layout is loaded). The main, language and help
    // items are the menus' own items: disabling one disables its whole menu.
    QPointer<QAction> menuItemMain, menuItemLanguage, menuItemHelp;
    QPointer<QAction> menuItemLanguageSimplified, menuItemLanguageTraditional,
        menuItemLanguageEnglish;
    QPointer<QAction> menuItemAbout, menuItemConnect, menuItemRead, menuItemWrite, menuItemOpen,
        menuItemSave, menuItemRestore, menuItemReboot, menuItemLevelCalibration,
        menuItemHoverCalibration, menuItemAccelCalibration, menuItemFirmwareUpdate, menuItemQuit,
        menuItemCheckFirmwareUpdate, menuItemCheckSoftwareUpdate;

    // Pending release checks: a program check 60 s after start, a firmware check 80 s after a
    // unit has been identified.
    platform::Timer timerCheckSoftwareUpdate;
    platform::Timer timerCheckFirmwareUpdate;

    // The program's one device link; every page reaches the unit only through it.
    std::shared_ptr<SerialPort> port;

    LanguageType lang = LanguageType::English;
    LanguageTypeForWebsite langForWebsite = LanguageTypeForWebsite::English;
    bool isUpdating = false;  // the firmware page is writing a unit: quitting is refused
    bool isDetecting = false; // the firmware page is probing for a boot loader

    // The maker's web site (home page) without a trailing slash.
    QString webSiteAddress;

    // The program's build number, compared with the release list.
    static QString bundleVersion();

    MainWindowController* mainWindowController();
    MainViewController* mainViewController();

    // Application events.
    void applicationDidFinishLaunching();
    // False (after telling the user) while a firmware update runs.
    bool applicationShouldTerminate();
    // Stops both check timers and closes the port.
    void applicationWillTerminate();
    bool applicationShouldTerminateAfterLastWindowClosed() const { return true; }
    // Quits through the guard: true when the program is ending.
    bool terminate();

    // Notification centre events.
    void userNotificationCenterDidDeliverNotification(UserNotificationCenter& center,
                                                      const UserNotification& n) override;
    void userNotificationCenterDidActivateNotification(UserNotificationCenter& center,
                                                       const UserNotification& n) override;
    bool userNotificationCenterShouldPresentNotification(UserNotificationCenter&,
                                                         const UserNotification&) override {
        return true;
    }

    // Menu actions.
    void menuItemConnectAction();
    void menuItemReadAction();
    void menuItemWriteAction();
    void menuItemOpenAction();
    void menuItemSaveAction();
    void menuItemRestoreAction();
    void menuItemRebootAction();
    void menuItemLevelCalibrationAction();
    void menuItemHoverCalibrationAction();
    void menuItemAccelCalibrationAction();
    void menuItemFirmwareUpdateAction();
    void menuItemCheckFirmwareUpdateAction();
    void menuItemCheckSoftwareUpdateAction();
    void menuItemLanguageSimplifiedAction();
    void menuItemLanguageTraditionalAction();
    void menuItemLanguageEnglishAction();
    void menuItemManualDownloadAction();
    void menuItemVisitWebsiteAction();
    void menuItemAboutAction();

    // The first entry of the "AppleLanguages" preference; without one, the code of the
    // system's locale (languageCodeForLocale).
    static QString preferredLanguage();
    // Stores `code` as the preferred language, says that a restart is needed and ends the
    // program when that alert is dismissed.
    void switchLanguage(const QString& code);
    // Stops both check timers, closes the port and ends the program with status 0.
    void exitApplication();

    // Opens `text` in the browser when it forms a URL.
    void openURLString(const QString& text);
    // Opens `base` + "?lang=" + the web-site language code.
    void openUrlWithLanguage(const QString& base);

    // A one-button alert ("OK") on the main window; `completion` runs when it ends, whatever
    // the response. Without a main window nothing is shown and nothing runs.
    void showMessage(const QString& text, AlertStyle style, std::function<void()> completion);
    void showCriticalMessage(const QString& text, std::function<void()> completion);
    void showInfoMessage(const QString& text, std::function<void()> completion);
    // A three-button alert: the first and second buttons run their actions, any other response
    // the third.
    void showThreeButtonAlert(const QString& text, const QString& firstButton,
                              const QString& secondButton, const QString& thirdButton,
                              std::function<void()> firstAction, std::function<void()> secondAction,
                              std::function<void()> thirdAction);

    // Release checks (`background`: started by a timer, silent unless something is found).
    void checkSoftwareUpdate(bool background);
    void checkFirmwareUpdate(bool background);
    void checkSoftwareUpdateBackground() { checkSoftwareUpdate(true); }
    void checkFirmwareUpdateBackground() { checkFirmwareUpdate(true); }

    // Takes the menu items of the main window's freshly loaded layout and connects them.
    void awakeFromLayout(QMainWindow& window);

private:
    QWidget* alertWindow();

    std::unique_ptr<MainWindowController> mainWindowController_;
};
