#include "OVX_Configurator/AppDelegate.h"

#include "OVX_Configurator/Alert.h"
#include "OVX_Configurator/AppInfo.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/MainWindowController.h"
#include "OVX_Configurator/device/DeviceModel.h"
#include "platform/Fatal.h"
#include "platform/MainQueue.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QNetworkAccessManager>
#include <QSettings>
#include <QUrl>

namespace {

AppDelegate*& instance() {
    static AppDelegate* d = nullptr;
    return d;
}

const QString kLanguagesKey = QStringLiteral("AppleLanguages");
constexpr double kNotificationRemovalDelay = 3.0;

using platform::run;

} // namespace

AppDelegate::AppDelegate() : port(SerialPort::create()), webSiteAddress(AppInfo::webSiteAddress()) {
    instance() = this;
    if (auto* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { applicationWillTerminate(); });
}

AppDelegate::~AppDelegate() {
    cancelHttpRequests();
    if (UserNotificationCenter::defaultCenter().delegate() == this)
        UserNotificationCenter::defaultCenter().setDelegate(nullptr);
    mainWindowController_.reset();
    if (instance() == this)
        instance() = nullptr;
}

AppDelegate& AppDelegate::shared() {
    if (!instance())
        platform::fatal("AppDelegate: the application has no delegate");
    return *instance();
}

AppDelegate* AppDelegate::current() {
    return instance();
}

QString AppDelegate::bundleVersion() {
    static const QString version = AppInfo::build();
    return version;
}

MainWindowController* AppDelegate::mainWindowController() {
    if (!mainWindowController_)
        mainWindowController_ = std::make_unique<MainWindowController>();
    return mainWindowController_.get();
}

MainViewController* AppDelegate::mainViewController() {
    return mainWindowController()->mainViewController();
}

// ---- Start and end ----

void AppDelegate::applicationDidFinishLaunching() {
    // The texts are chosen before the window loads, so that its layout shows them.
    lang = languageForCode(preferredLanguage());
    langForWebsite = websiteLanguage(lang);
    Localization::shared().setLanguage(lang);

    mainWindowController()->showWindow();
    UserNotificationCenter::defaultCenter().setDelegate(this);

    QAction* current = lang == LanguageType::SimplifiedChinese    ? menuItemLanguageSimplified
                       : lang == LanguageType::TraditionalChinese ? menuItemLanguageTraditional
                                                                  : menuItemLanguageEnglish;
    if (current) {
        current->setEnabled(false);
        current->setChecked(true);
    }

    scheduleSoftwareUpdateCheck();
}

bool AppDelegate::applicationShouldTerminate() {
    if (isUpdating) {
        showCriticalMessage(localized("WAIT_UPDATE_COMPLETE"), {});
        return false;
    }
    return true;
}

void AppDelegate::applicationWillTerminate() {
    timerCheckSoftwareUpdate.stop();
    timerCheckFirmwareUpdate.stop();
    // A procedure left running would keep the unit in it after the program is gone.
    if (mainWindowController_)
        mainWindowController_->mainViewController()->endProceduresOnUnit();
    if (port)
        port->disconnect({}, {});
}

bool AppDelegate::terminate() {
    if (!applicationShouldTerminate())
        return false;
    applicationWillTerminate();
    uiServices().exitProgram(0);
    return true;
}

void AppDelegate::exitApplication() {
    applicationWillTerminate();
    uiServices().exitProgram(0);
}

// ---- Notifications ----

void AppDelegate::userNotificationCenterDidDeliverNotification(UserNotificationCenter& center,
                                                               const UserNotification& n) {
    platform::scheduler().after(kNotificationRemovalDelay,
                                [&center, n] { center.removeDeliveredNotification(n); });
}

void AppDelegate::userNotificationCenterDidActivateNotification(UserNotificationCenter&,
                                                                const UserNotification& n) {
    if (!n.userInfo || n.userInfo->isEmpty())
        return;
    bool isNumber = false;
    const int type = n.userInfo->value(QStringLiteral("MessageType")).toInt(&isNumber);
    if (!isNumber)
        return;
    if (type == 2) {
        openURLString(webSiteAddress + QStringLiteral("/download/mac/") + QStringLiteral("?lang=") +
                      rawValue(langForWebsite));
        timerCheckSoftwareUpdate.stop();
    } else if (type == 3) {
        mainViewController()->showPage(FirmwareUpdatePage);
        timerCheckFirmwareUpdate.stop();
    }
}

// ---- Menus ----

void AppDelegate::awakeFromLayout(QMainWindow& window) {
    auto item = [&window](const char* name) { return window.findChild<QAction*>(name); };
    auto menu = [&window](const char* name) -> QAction* {
        QMenu* m = window.findChild<QMenu*>(name);
        return m ? m->menuAction() : nullptr;
    };
    menuItemMain = menu("menuItemMain");
    menuItemLanguage = menu("menuItemLanguage");
    menuItemHelp = menu("menuItemHelp");
    menuItemLanguageSimplified = item("menuItemLanguageSimplified");
    menuItemLanguageTraditional = item("menuItemLanguageTraditional");
    menuItemLanguageEnglish = item("menuItemLanguageEnglish");
    menuItemAbout = item("menuItemAbout");
    menuItemConnect = item("menuItemConnect");
    menuItemRead = item("menuItemRead");
    menuItemWrite = item("menuItemWrite");
    menuItemOpen = item("menuItemOpen");
    menuItemSave = item("menuItemSave");
    menuItemRestore = item("menuItemRestore");
    menuItemReboot = item("menuItemReboot");
    menuItemLevelCalibration = item("menuItemLevelCalibration");
    menuItemHoverCalibration = item("menuItemHoverCalibration");
    menuItemAccelCalibration = item("menuItemAccelCalibration");
    menuItemFirmwareUpdate = item("menuItemFirmwareUpdate");
    menuItemQuit = item("menuItemQuit");
    menuItemCheckFirmwareUpdate = item("menuItemCheckFirmwareUpdate");
    menuItemCheckSoftwareUpdate = item("menuItemCheckSoftwareUpdate");

    const std::pair<const char*, void (AppDelegate::*)()> actions[] = {
        {"menuItemConnect", &AppDelegate::menuItemConnectAction},
        {"menuItemRead", &AppDelegate::menuItemReadAction},
        {"menuItemWrite", &AppDelegate::menuItemWriteAction},
        {"menuItemOpen", &AppDelegate::menuItemOpenAction},
        {"menuItemSave", &AppDelegate::menuItemSaveAction},
        {"menuItemRestore", &AppDelegate::menuItemRestoreAction},
        {"menuItemReboot", &AppDelegate::menuItemRebootAction},
        {"menuItemLevelCalibration", &AppDelegate::menuItemLevelCalibrationAction},
        {"menuItemHoverCalibration", &AppDelegate::menuItemHoverCalibrationAction},
        {"menuItemAccelCalibration", &AppDelegate::menuItemAccelCalibrationAction},
        {"menuItemFirmwareUpdate", &AppDelegate::menuItemFirmwareUpdateAction},
        {"menuItemCheckFirmwareUpdate", &AppDelegate::menuItemCheckFirmwareUpdateAction},
        {"menuItemCheckSoftwareUpdate", &AppDelegate::menuItemCheckSoftwareUpdateAction},
        {"menuItemLanguageSimplified", &AppDelegate::menuItemLanguageSimplifiedAction},
        {"menuItemLanguageTraditional", &AppDelegate::menuItemLanguageTraditionalAction},
        {"menuItemLanguageEnglish", &AppDelegate::menuItemLanguageEnglishAction},
        {"menuItemManualDownload", &AppDelegate::menuItemManualDownloadAction},
        {"menuItemVisitWebsite", &AppDelegate::menuItemVisitWebsiteAction},
        {"menuItemAbout", &AppDelegate::menuItemAboutAction},
    };
    for (const auto& [name, action] : actions)
        if (QAction* a = item(name))
            connect(a, &QAction::triggered, this, [this, action] { (this->*action)(); });
    if (menuItemQuit)
        connect(menuItemQuit, &QAction::triggered, this, [this] { terminate(); });
}

void AppDelegate::menuItemConnectAction() {
    mainViewController()->detectDevice();
}
void AppDelegate::menuItemReadAction() {
    run(mainViewController()->handlerReadFromDevice);
}
void AppDelegate::menuItemWriteAction() {
    run(mainViewController()->handlerWriteToDevice);
}
void AppDelegate::menuItemOpenAction() {
    mainViewController()->openParameterFile({}, {});
}
void AppDelegate::menuItemSaveAction() {
    mainViewController()->saveParameterFile({}, {});
}
void AppDelegate::menuItemRestoreAction() {
    run(mainViewController()->handlerFactoryRestore);
}
void AppDelegate::menuItemRebootAction() {
    mainViewController()->restartDevice(true, {}, {}, {});
}
void AppDelegate::menuItemLevelCalibrationAction() {
    run(mainViewController()->handlerLevelCalibration);
}
void AppDelegate::menuItemHoverCalibrationAction() {
    run(mainViewController()->handlerHoverCalibration);
}
void AppDelegate::menuItemAccelCalibrationAction() {
    run(mainViewController()->handlerAccelCalibration);
}
void AppDelegate::menuItemFirmwareUpdateAction() {
    mainViewController()->showPage(FirmwareUpdatePage);
}
void AppDelegate::menuItemCheckFirmwareUpdateAction() {
    checkFirmwareUpdate(false);
}
void AppDelegate::menuItemCheckSoftwareUpdateAction() {
    checkSoftwareUpdate(false);
}
void AppDelegate::menuItemLanguageSimplifiedAction() {
    switchLanguage(rawValue(LanguageType::SimplifiedChinese));
}
void AppDelegate::menuItemLanguageTraditionalAction() {
    switchLanguage(rawValue(LanguageType::TraditionalChinese));
}
void AppDelegate::menuItemLanguageEnglishAction() {
    switchLanguage(rawValue(LanguageType::English));
}
void AppDelegate::menuItemManualDownloadAction() {
    openUrlWithLanguage(webSiteAddress + QStringLiteral("/manuals/"));
}
void AppDelegate::menuItemVisitWebsiteAction() {
    openUrlWithLanguage(webSiteAddress);
}

void AppDelegate::menuItemAboutAction() {
    showInfoMessage(QString::fromUtf8(AppInfo::kApplicationName) + QLatin1Char('|') +
                        localized("ABOUT_VERSION").arg(AppInfo::version(), bundleVersion()),
                    {});
}

// ---- Language ----

QString AppDelegate::preferredLanguage() {
    const QStringList codes = QSettings().value(kLanguagesKey).toStringList();
    if (!codes.isEmpty() && !codes.first().isEmpty())
        return codes.first();
    return languageCodeForLocale(QLocale::system());
}

void AppDelegate::switchLanguage(const QString& code) {
    QSettings settings;
    settings.setValue(kLanguagesKey, QStringList{code});
    settings.sync();
    showInfoMessage(localized("APP_RESTART_REQUIRED"), [this] { exitApplication(); });
}

// ---- Web pages ----

void AppDelegate::openURLString(const QString& text) {
    const QUrl url(text, QUrl::StrictMode);
    if (text.isEmpty() || !url.isValid() || url.scheme().isEmpty())
        return;
    uiServices().openUrl(url);
}

void AppDelegate::openUrlWithLanguage(const QString& base) {
    openURLString(base + QStringLiteral("?lang=") + rawValue(langForWebsite));
}

// ---- Alerts ----

QWidget* AppDelegate::alertWindow() {
    if (!mainWindowController_ || !mainWindowController_->isWindowLoaded())
        return nullptr;
    return mainWindowController_->window();
}

void AppDelegate::showMessage(const QString& text, AlertStyle style,
                              std::function<void()> completion) {
    beginAlert(alertWindow(), text, style, {localized("OK")}, {completion}, completion);
}

void AppDelegate::showCriticalMessage(const QString& text, std::function<void()> completion) {
    showMessage(text, AlertStyle::Critical, std::move(completion));
}

void AppDelegate::showInfoMessage(const QString& text, std::function<void()> completion) {
    showMessage(text, AlertStyle::Informational, std::move(completion));
}

void AppDelegate::showThreeButtonAlert(const QString& text, const QString& firstButton,
                                       const QString& secondButton, const QString& thirdButton,
                                       std::function<void()> firstAction,
                                       std::function<void()> secondAction,
                                       std::function<void()> thirdAction) {
    beginChoiceAlert(alertWindow(), text, firstButton, secondButton, thirdButton,
                     std::move(firstAction), std::move(secondAction), std::move(thirdAction));
}
