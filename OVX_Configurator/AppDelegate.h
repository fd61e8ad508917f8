#pragma once

#include "OVX_Configurator/FirmwareUpdateElement.h"
#include "OVX_Configurator/LanguageType.h"
#include "OVX_Configurator/SerialPort.h"
#include "OVX_Configurator/SoftwareUpdateElement.h"
#include "OVX_Configurator/UIServices.h"
#include "OVX_Configurator/UserNotificationCenter.h"
#include "OVX_Configurator/XMLParser.h"
#include "OVX_Configurator/XMLType.h"
#include "platform/Scheduler.h"

#include <QAction>
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class MainViewController;
class MainWindowController;
class QMainWindow;
class QNetworkAccessManager;
class QNetworkReply;

// The application delegate: the one per program. It owns the main window and the device link,
// holds the interface language and the firmware page's busy flags, answers the menus by
// forwarding to the main view or its handler slots, guards and carries out termination,
// switches the language, opens the maker's web pages and answers activated notifications. It
// also checks the maker's release lists for a newer program and newer firmware for the unit.
class AppDelegate : public QObject,
                    public UserNotificationCenterDelegate,
                    public XMLParserDelegate {
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

    // The maker's web site (home page) without a trailing slash; the release lists and the
    // program downloads lie on it too.
    QString webSiteAddress;

    // Release list parsing: the element most recently opened, the list being read, the parsed
    // entries in document order and the entry being filled.
    std::optional<QString> currentNodeName;
    XMLType currentXMLType = XMLType::XMLSoftwareUpdates;
    std::vector<SoftwareUpdateElement> softwareUpdateElements;
    std::optional<SoftwareUpdateElement> softwareUpdateElement;
    std::vector<FirmwareUpdateElement> firmwareUpdateElements;
    std::optional<FirmwareUpdateElement> firmwareUpdateElement;

    // The program's build number, compared with the release list.
    static QString bundleVersion();

    MainWindowController* mainWindowController();
    MainViewController* mainViewController();

    // Application events.
    void applicationDidFinishLaunching();
    // False (after telling the user) while a firmware update runs.
    bool applicationShouldTerminate();
    // Stops both check timers, ends a procedure a page runs on the unit (with the word its
    // Cancel or Exit sends) and closes the port.
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

    // Release checks (`background`: started by a timer, silent unless something is found;
    // otherwise every outcome is reported). Each check stops its own timer when it starts, so
    // a timer fires once unless something arms it again. The firmware check does nothing at
    // all while no unit has been identified.
    void checkSoftwareUpdate(bool background);
    void checkFirmwareUpdate(bool background);
    void checkSoftwareUpdateBackground() { checkSoftwareUpdate(true); }
    void checkFirmwareUpdateBackground() { checkFirmwareUpdate(true); }
    // Arm the pending checks: the program check in 60 s (at launch, "remind me later"), the
    // firmware check in 80 s (once a unit has been identified, "remind me later"). Arming stops
    // the timer that was pending.
    void scheduleSoftwareUpdateCheck();
    void scheduleFirmwareUpdateCheck();

    // The completions of the checks: parse the received list and offer what it holds.
    void handleSoftwareUpdateList(const QByteArray& data, bool background);
    void handleFirmwareUpdateList(const QByteArray& data, bool background);
    // A failed request: reported with "NETWORK_REQUEST_ERROR" unless `background`; a list over
    // the size limit with "RELEASE_LIST_TOO_LARGE".
    void showNetworkError(const QString& text, bool background);

    // One HTTP(S) GET of `urlText`. `onSuccess` gets the body of a 2xx answer; `onError` gets
    // the reason of any failure: the network's own text, statusCodeText for another status,
    // a time-out after 60 s without progress, or a body larger than kHttpMaximumBytes. Exactly
    // one of them runs, later, on the main thread, unless the delegate is gone by then; an
    // answer that is not HTTP (another scheme) runs `onNoResponse` instead, unless it failed.
    // No alert is shown here.
    void httpGet(const QString& urlText, std::function<void(const QByteArray&)> onSuccess,
                 std::function<void(const QString&)> onError,
                 std::function<void()> onNoResponse = {});
    // "STATUS_CODE" + ": " + the status in decimal.
    static QString statusCodeText(int statusCode);
    static constexpr double kHttpTimeout = 60.0;
    static constexpr qint64 kHttpMaximumBytes = 8 * 1024 * 1024;
    // Requests started by httpGet whose completion has not run yet.
    std::size_t pendingHttpRequests() const { return pendingHttpRequests_; }

    // Release list parsing events.
    void parserDidStartElement(XMLParser& parser, const QString& elementName,
                               const QString& namespaceURI, const QString& qualifiedName,
                               const QXmlStreamAttributes& attributes) override;
    void parserDidEndElement(XMLParser& parser, const QString& elementName,
                             const QString& namespaceURI, const QString& qualifiedName) override;
    void parserFoundCharacters(XMLParser& parser, const QString& string) override;

    // Takes the menu items of the main window's freshly loaded layout and connects them.
    void awakeFromLayout(QMainWindow& window);

private:
    QWidget* alertWindow();
    // Parses a release list of `type` into its list field; on malformed XML reports it
    // (unless `background`) and returns false.
    bool parseReleaseList(const QByteArray& data, XMLType type, bool background);
    // Runs the closure of the finished `reply`'s outcome.
    void handleHttpResponse(QNetworkReply& reply, bool timedOut, bool tooLarge,
                            const std::function<void(const QByteArray&)>& onSuccess,
                            const std::function<void(const QString&)>& onError,
                            const std::function<void()>& onNoResponse);
    // Drops the requests in flight without running their closures.
    void cancelHttpRequests();

    std::unique_ptr<MainWindowController> mainWindowController_;
    std::unique_ptr<QNetworkAccessManager> networkAccessManager_;
    std::size_t pendingHttpRequests_ = 0;
};
