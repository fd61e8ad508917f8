#include "OVX_Configurator/Alert.h"
#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/AppInfo.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/WelcomeViewController.h"
#include "platform/Log.h"
#include "support/EventLoop.h"
#include "support/Outlets.h"
#include "support/ShellEnvironment.h"

#include <gtest/gtest.h>

namespace {

using testsupport::LoopbackHttpServer;
using testsupport::ShellEnvironment;

const QString kSoftwareList = QStringLiteral("/download/mac/check_updates.xml");
const QString kFirmwareList = QStringLiteral("/updates/update_list.xml");

// Waits until every request of the delegate has run its completion.
bool settle(AppDelegate& app) {
    return testsupport::waitUntil([&] { return app.pendingHttpRequests() == 0; }, 10000);
}

// A program release list with one entry per (build, filename, title).
struct Release {
    QString build;
    QString filename = QStringLiteral("OVX_Configurator.dmg");
    QString title = QStringLiteral("OVX Configurator");
};
QByteArray softwareList(const std::vector<Release>& releases) {
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<updates>\n");
    for (const Release& r : releases)
        xml += QStringLiteral("  <update>\n    <name>OVX Configurator</name>\n"
                              "    <title>%1</title>\n    <version>1.0</version>\n"
                              "    <build>%2</build>\n    <dateline>2026-11-02</dateline>\n"
                              "    <filename>%3</filename>\n    <size>1024</size>\n"
                              "    <description>Fixes</description>\n  </update>\n")
                   .arg(r.title, r.build, r.filename);
    return (xml + QStringLiteral("</updates>\n")).toUtf8();
}

// A firmware release list with one entry per (device_id, version, title), all hexadecimal.
struct Firmware {
    QString deviceId;
    QString version;
    QString title;
};
QByteArray firmwareList(const std::vector<Firmware>& entries) {
    QString xml = QStringLiteral("<?xml version=\"1.0\"?>\n<updates>\n");
    for (const Firmware& f : entries)
        xml += QStringLiteral("<update><device_id>%1</device_id><title>%3</title>"
                              "<version>%2</version><dateline>2026-10-01 12:00</dateline>"
                              "<size>8192</size><filename>fw_%1_%2.bin</filename>"
                              "<description_cn>cn</description_cn>"
                              "<description_en>en</description_en></update>\n")
                   .arg(f.deviceId, f.version, f.title);
    return (xml + QStringLiteral("</updates>\n")).toUtf8();
}

QString bundleBuildPlus(int delta) {
    return QString::number(AppDelegate::bundleVersion().toLongLong() + delta);
}

// The alert expected for a localised format text with one argument.
void expectAlert(const AlertRequest& alert, const QString& text, AlertStyle style) {
    const AlertText expected = splitAlertText(text);
    EXPECT_EQ(alert.messageText, expected.message);
    EXPECT_EQ(alert.informativeText, expected.informative);
    EXPECT_EQ(alert.style, style);
}

void expectSoftwareOffer(const AlertRequest& alert, const QString& title) {
    expectAlert(alert, localized("SOFTWARE_UPDATE_AVAILABLE").arg(title),
                AlertStyle::Informational);
    EXPECT_EQ(alert.buttons, (QStringList{localized("DOWNLOAD_NOW"), localized("REMIND_LATER"),
                                          localized("NEVER_REMIND")}));
}

void expectFirmwareOffer(const AlertRequest& alert, const QString& title) {
    expectAlert(alert, localized("FIRMWARE_UPDATE_AVAILABLE").arg(title),
                AlertStyle::Informational);
    EXPECT_EQ(alert.buttons, (QStringList{localized("UPDATE_NOW"), localized("REMIND_LATER"),
                                          localized("NEVER_REMIND")}));
}

// The one offer when something was found; otherwise the menu's "nothing new" alert of
// `noUpdateKey`, or silence after a timer-driven check.
void expectOutcome(ShellEnvironment& shell, bool fromMenu, bool offered, const char* noUpdateKey,
                   AlertStyle noUpdateStyle,
                   const std::function<void(const AlertRequest&)>& expectOffer) {
    if (!offered && !fromMenu) {
        EXPECT_TRUE(shell.ui.alerts.empty());
        return;
    }
    ASSERT_EQ(shell.ui.alerts.size(), 1u);
    if (offered)
        expectOffer(shell.ui.lastAlert());
    else
        expectAlert(shell.ui.lastAlert(), localized(noUpdateKey), noUpdateStyle);
}

// Runs the program check from the menu or from its timer and waits for the outcome.
void runSoftwareCheck(ShellEnvironment& shell, bool fromMenu) {
    AppDelegate& app = *shell.delegate;
    if (fromMenu)
        app.menuItemCheckSoftwareUpdateAction();
    else
        shell.clock.advance(60.0);
    ASSERT_TRUE(settle(app));
}

// Identifies a unit and runs the firmware check from the menu or from its 80-second timer.
void runFirmwareCheck(ShellEnvironment& shell, bool fromMenu) {
    AppDelegate& app = *shell.delegate;
    if (fromMenu) {
        app.menuItemCheckFirmwareUpdateAction();
    } else {
        app.timerCheckSoftwareUpdate.stop(); // only the firmware check runs
        app.scheduleFirmwareUpdateCheck();
        shell.clock.advance(80.0);
    }
    ASSERT_TRUE(settle(app));
}

void identify(AppDelegate& app, std::uint8_t deviceID, std::uint8_t firmwareVersion) {
    app.mainViewController()->deviceID = deviceID;
    app.mainViewController()->firmwareVersion = firmwareVersion;
}

// ---- Program check ----

TEST(SoftwareReleaseCheck, OffersOnlyAFirstEntryWithAGreaterBuildNumber) {
    struct Case {
        const char* name;
        std::vector<Release> releases;
        bool offered;
    };
    const QString bundle = AppDelegate::bundleVersion();
    const Case cases[] = {
        {"newer", {{bundleBuildPlus(1)}}, true},
        {"ten times the build", {{bundle + "0"}}, true},
        {"newer minor build", {{bundle + ".1"}}, true},
        {"equal", {{bundle}}, false},
        {"equal with a zero component", {{bundle + ".0"}}, false},
        {"older", {{bundleBuildPlus(-1)}}, false},
        // Fewer digits: as text it would order after ours and be offered.
        {"older by digits", {{QString(bundle.size() - 1, QLatin1Char('9'))}}, false},
        {"only the second entry newer", {{bundle}, {bundleBuildPlus(5)}}, false},
        {"first entry without a build", {{QString()}}, false},
        {"build that is no number", {{QStringLiteral("beta")}}, false},
        {"no entries", {}, false},
    };
    for (const Case& c : cases) {
        for (bool fromMenu : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (fromMenu ? " (menu)" : " (timer)"));
            ShellEnvironment shell;
            AppDelegate& app = shell.launch();
            shell.site.setReply(kSoftwareList, 200, softwareList(c.releases));
            runSoftwareCheck(shell, fromMenu);
            EXPECT_EQ(shell.site.requests(), std::vector<QString>{kSoftwareList});
            expectOutcome(
                shell, fromMenu, c.offered, "NO_SOFTWARE_UPDATE", AlertStyle::Informational,
                [](const AlertRequest& offer) { expectSoftwareOffer(offer, "OVX Configurator"); });
            // Whatever the outcome, the check does not repeat by itself.
            EXPECT_FALSE(app.timerCheckSoftwareUpdate.isActive());
        }
    }
}

TEST(SoftwareReleaseCheck, ButtonsDownloadRemindInSixtySecondsOrNeverAgain) {
    ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    shell.site.setReply(kSoftwareList, 200,
                        softwareList({{bundleBuildPlus(1), "OVX_Configurator_2.dmg", "2.0"}}));

    // The timer-driven check finds the release 60 seconds after launch.
    shell.clock.advance(59.9);
    EXPECT_TRUE(shell.site.requests().empty());
    runSoftwareCheck(shell, false);
    ASSERT_EQ(shell.ui.alerts.size(), 1u);
    expectSoftwareOffer(shell.ui.lastAlert(), "2.0");
    EXPECT_FALSE(app.timerCheckSoftwareUpdate.isActive());

    // "Remind me later": the same check again 60 seconds later, and only then.
    shell.ui.answer(1);
    EXPECT_TRUE(app.timerCheckSoftwareUpdate.isActive());
    EXPECT_TRUE(shell.ui.openedUrls.empty());
    shell.clock.advance(59.9);
    testsupport::pumpEvents(20);
    EXPECT_EQ(shell.site.requests().size(), 1u);
    shell.clock.advance(0.2);
    ASSERT_TRUE(settle(app));
    EXPECT_EQ(shell.site.requests().size(), 2u);
    ASSERT_EQ(shell.ui.alerts.size(), 2u);
    EXPECT_FALSE(app.timerCheckSoftwareUpdate.isActive());

    // "Download now" opens the release's file on the maker's site, without a language.
    shell.ui.answer(0);
    ASSERT_EQ(shell.ui.openedUrls.size(), 1u);
    EXPECT_EQ(shell.ui.openedUrls[0],
              QUrl(shell.site.baseUrl() + "/download/mac/OVX_Configurator_2.dmg"));
    EXPECT_FALSE(app.timerCheckSoftwareUpdate.isActive());

    // "Don't remind me" (or closing the alert): not again in this run.
    app.menuItemCheckSoftwareUpdateAction();
    ASSERT_TRUE(settle(app));
    ASSERT_EQ(shell.ui.alerts.size(), 3u);
    shell.ui.answer(kAlertClosed);
    shell.clock.advance(3600.0);
    testsupport::pumpEvents(20);
    EXPECT_EQ(shell.site.requests().size(), 3u);
    EXPECT_EQ(shell.ui.openedUrls.size(), 1u);
    EXPECT_EQ(shell.clock.pending(), 0u);
}

TEST(SoftwareReleaseCheck, EntitiesAndCdataDoNotCutTextsShort) {
    ShellEnvironment shell;
    shell.launch();
    // Entities and a comment inside the file name, a CDATA section inside the title.
    shell.site.setReply(
        kSoftwareList, 200,
        QStringLiteral("<updates><update>"
                       "<title>OVX <![CDATA[<Configurator> & ]]>Tools</title>"
                       "<build>%1</build>"
                       "<filename>OVX_&amp;_Tools<!-- build -->_&#x32;.dmg</filename>"
                       "</update></updates>")
            .arg(bundleBuildPlus(1))
            .toUtf8());
    runSoftwareCheck(shell, true);
    ASSERT_EQ(shell.ui.alerts.size(), 1u);
    expectSoftwareOffer(shell.ui.lastAlert(), "OVX <Configurator> & Tools");
    shell.ui.answer(0);
    ASSERT_EQ(shell.ui.openedUrls.size(), 1u);
    EXPECT_EQ(shell.ui.openedUrls[0].path(), "/download/mac/OVX_&_Tools_2.dmg");
    EXPECT_EQ(shell.ui.openedUrls[0].query(), QString());
}

TEST(SoftwareReleaseCheck, DownloadOpensTheWholeFileName) {
    // A space would make no address at all, a "?" or "#" would cut the name short.
    const std::pair<const char*, const char*> cases[] = {
        {"OVX Configurator 2.0.dmg", "/download/mac/OVX Configurator 2.0.dmg"},
        {"OVX_2.0?beta#1.dmg", "/download/mac/OVX_2.0?beta#1.dmg"},
        {"OVX%202.0.dmg", "/download/mac/OVX 2.0.dmg"}, // already escaped: kept
        {"配置程序.dmg", "/download/mac/配置程序.dmg"},
    };
    for (const auto& [fileName, path] : cases) {
        SCOPED_TRACE(fileName);
        ShellEnvironment shell;
        shell.launch();
        shell.site.setReply(kSoftwareList, 200,
                            softwareList({{bundleBuildPlus(1), QString::fromUtf8(fileName)}}));
        runSoftwareCheck(shell, true);
        ASSERT_EQ(shell.ui.alerts.size(), 1u);
        shell.ui.answer(0);
        ASSERT_EQ(shell.ui.openedUrls.size(), 1u);
        const QUrl opened = shell.ui.openedUrls[0];
        EXPECT_EQ(opened.host(), QUrl(shell.site.baseUrl()).host());
        EXPECT_EQ(opened.path(), QString::fromUtf8(path));
        EXPECT_FALSE(opened.hasQuery());
        EXPECT_FALSE(opened.hasFragment());
    }
}

TEST(SoftwareReleaseCheck, EntryWithoutFileOrTitle) {
    ShellEnvironment shell;
    shell.launch();
    // Nothing to download: no offer.
    shell.site.setReply(
        kSoftwareList, 200,
        QStringLiteral("<updates><update><build>%1</build><filename/></update></updates>")
            .arg(bundleBuildPlus(1))
            .toUtf8());
    runSoftwareCheck(shell, true);
    ASSERT_EQ(shell.ui.alerts.size(), 1u);
    expectAlert(shell.ui.lastAlert(), localized("NO_SOFTWARE_UPDATE"), AlertStyle::Informational);

    // No title: the offer names the version.
    shell.site.setReply(kSoftwareList, 200,
                        QStringLiteral("<updates><update><version>2.1</version><build>%1</build>"
                                       "<filename>a.dmg</filename></update></updates>")
                            .arg(bundleBuildPlus(1))
                            .toUtf8());
    runSoftwareCheck(shell, true);
    ASSERT_EQ(shell.ui.alerts.size(), 2u);
    expectSoftwareOffer(shell.ui.lastAlert(), "2.1");
}

// ---- Firmware check ----

TEST(FirmwareReleaseCheck, OffersTheFirstNewerEntryOfTheUnit) {
    // Versions are hexadecimal: 12 is 18, 14 is 20, 16 is 22.
    const std::vector<Firmware> list = {
        {"A6", "20", "OVXA 2.0"}, // another model
        {"A8", "12", "OVXB 1.2"}, {"a8", "14", "OVXB 1.4"}, {"A8", "16", "OVXB 1.6"},
        {"A8", "13", "OVXB 1.3"}, {"AA", "30", "OVXC 3.0"},
    };
    struct Case {
        std::uint8_t device;
        std::uint8_t firmware;
        const char* offered; // none: no update
    };
    const Case cases[] = {
        {168, 0x11, "OVXB 1.2"}, {168, 19, "OVXB 1.4"}, {168, 20, "OVXB 1.6"},
        {168, 0x16, nullptr},    {168, 0x40, nullptr},  {170, 0x2F, "OVXC 3.0"},
        {169, 0x01, nullptr},
    };
    for (const Case& c : cases) {
        for (bool fromMenu : {true, false}) {
            SCOPED_TRACE(::testing::Message() << int(c.device) << " firmware " << int(c.firmware)
                                              << (fromMenu ? " (menu)" : " (timer)"));
            ShellEnvironment shell;
            AppDelegate& app = shell.launch();
            shell.site.setReply(kFirmwareList, 200, firmwareList(list));
            identify(app, c.device, c.firmware);
            runFirmwareCheck(shell, fromMenu);
            EXPECT_EQ(shell.site.requests(), std::vector<QString>{kFirmwareList});
            expectOutcome(
                shell, fromMenu, c.offered, "NO_FIRMWARE_UPDATE", AlertStyle::Critical,
                [&](const AlertRequest& offer) { expectFirmwareOffer(offer, c.offered); });
            EXPECT_FALSE(app.timerCheckFirmwareUpdate.isActive());
        }
    }
}

TEST(FirmwareReleaseCheck, EntriesLackingWhatTheCheckNeedsArePassedOver) {
    ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    identify(app, 168, 0x10);
    shell.site.setReply(kFirmwareList, 200,
                        "<updates>"
                        "<device_id>A8</device_id><version>FF</version>" // before any entry
                        "<update><title>no device</title><version>20</version></update>"
                        "<update><device_id>A8</device_id><title>no version</title></update>"
                        "<update><device_id>A8</device_id><version>FFFFFFFFFFFFFFFFFF</version>"
                        "<title>too large</title></update>"
                        "<update><device_id>A8</device_id><version>11</version></update>"
                        "</updates>");
    runFirmwareCheck(shell, true);
    ASSERT_EQ(shell.ui.alerts.size(), 1u);
    expectFirmwareOffer(shell.ui.lastAlert(), "11"); // no title: the version names it
    EXPECT_EQ(app.firmwareUpdateElements.size(), 4u);
}

TEST(FirmwareReleaseCheck, DoesNothingWhileNoUnitIsIdentified) {
    ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    app.timerCheckSoftwareUpdate.stop(); // only the firmware check runs
    shell.site.setReply(kFirmwareList, 200, firmwareList({{"0", "1", "nothing"}}));

    app.menuItemCheckFirmwareUpdateAction();
    testsupport::pumpEvents(50);
    EXPECT_TRUE(shell.site.requests().empty());
    EXPECT_TRUE(shell.ui.alerts.empty());

    // A timer that fires without a unit stays armed and fires again 80 seconds later.
    app.scheduleFirmwareUpdateCheck();
    shell.clock.advance(80.0);
    shell.clock.advance(80.0);
    testsupport::pumpEvents(50);
    EXPECT_TRUE(shell.site.requests().empty());
    EXPECT_TRUE(app.timerCheckFirmwareUpdate.isActive());

    // Once a unit is there, the next firing checks.
    shell.site.setReply(kFirmwareList, 200, firmwareList({{"A8", "21", "OVXB 2.1"}}));
    identify(app, 168, 0x20);
    shell.clock.advance(80.0);
    ASSERT_TRUE(settle(app));
    EXPECT_EQ(shell.site.requests().size(), 1u);
    ASSERT_EQ(shell.ui.alerts.size(), 1u);
    EXPECT_FALSE(app.timerCheckFirmwareUpdate.isActive());

    // A unit that goes away while the list is on its way gets no offer.
    app.menuItemCheckFirmwareUpdateAction();
    identify(app, 0, 0);
    ASSERT_TRUE(settle(app));
    EXPECT_EQ(shell.site.requests().size(), 2u);
    EXPECT_EQ(shell.ui.alerts.size(), 1u);
}

TEST(FirmwareReleaseCheck, ButtonsUpdateNowOrRemindInEightySeconds) {
    ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    MainViewController* main = app.mainViewController();
    QWidget* welcome = main->welcomeViewController()->view();
    ASSERT_EQ(welcome->parentWidget(), testsupport::outlet<QWidget>(main, "MainContentView"));
    shell.site.setReply(kFirmwareList, 200, firmwareList({{"AA", "21", "OVXC 2.1"}}));
    identify(app, 170, 0x20);

    runFirmwareCheck(shell, false);
    ASSERT_EQ(shell.ui.alerts.size(), 1u);
    expectFirmwareOffer(shell.ui.lastAlert(), "OVXC 2.1");

    // "Remind me later": again 80 seconds later, and only then.
    shell.ui.answer(1);
    EXPECT_TRUE(app.timerCheckFirmwareUpdate.isActive());
    shell.clock.advance(79.9);
    testsupport::pumpEvents(20);
    EXPECT_EQ(shell.site.requests().size(), 1u);
    shell.clock.advance(0.2);
    ASSERT_TRUE(settle(app));
    EXPECT_EQ(shell.site.requests().size(), 2u);
    ASSERT_EQ(shell.ui.alerts.size(), 2u);

    // "Update now": the firmware update page takes the content area.
    shell.ui.answer(0);
    EXPECT_NE(welcome->parentWidget(), testsupport::outlet<QWidget>(main, "MainContentView"));
    EXPECT_FALSE(app.timerCheckFirmwareUpdate.isActive());
    // The page asks the site for its lists; once they are answered nothing is left armed.
    ASSERT_TRUE(settle(app));
    EXPECT_EQ(shell.clock.pending(), 0u);
}

// ---- Failures ----

struct FailureCase {
    const char* name;
    LoopbackHttpServer::Reply reply;
    bool refuse;           // the site refuses connections
    const char* key;       // the format of the menu's alert
    QString expectedError; // its argument; empty: any text
};

// Runs each failure against both checks, from the menu (one critical alert of `key`, no offer)
// and from the timer (silence, nothing armed again).
void expectFailures(const std::vector<FailureCase>& cases) {
    for (const FailureCase& c : cases) {
        for (bool firmware : {false, true}) {
            for (bool fromMenu : {true, false}) {
                SCOPED_TRACE(std::string(c.name) + (firmware ? " firmware" : " program") +
                             (fromMenu ? " (menu)" : " (timer)"));
                ShellEnvironment shell;
                AppDelegate& app = shell.launch();
                shell.site.setReply(firmware ? kFirmwareList : kSoftwareList, c.reply);
                if (c.refuse)
                    shell.site.refuseConnections();
                if (firmware) {
                    identify(app, 168, 0x10);
                    runFirmwareCheck(shell, fromMenu);
                } else {
                    runSoftwareCheck(shell, fromMenu);
                }
                if (fromMenu) {
                    ASSERT_EQ(shell.ui.alerts.size(), 1u);
                    const AlertRequest& alert = shell.ui.lastAlert();
                    EXPECT_EQ(alert.style, AlertStyle::Critical);
                    const QString format = localized(c.key);
                    EXPECT_EQ(alert.messageText, splitAlertText(format).message);
                    if (c.expectedError.isEmpty())
                        EXPECT_FALSE(alert.informativeText.isEmpty());
                    else
                        EXPECT_EQ(alert.informativeText,
                                  splitAlertText(format.arg(c.expectedError)).informative);
                } else {
                    EXPECT_TRUE(shell.ui.alerts.empty());
                }
                EXPECT_FALSE(firmware ? app.timerCheckFirmwareUpdate.isActive()
                                      : app.timerCheckSoftwareUpdate.isActive());
            }
        }
    }
}

TEST(ReleaseCheckFailures, HttpStatusAndNetworkErrors) {
    using Behaviour = LoopbackHttpServer::Behaviour;
    const QByteArray newerEverything =
        softwareList({{bundleBuildPlus(1)}}) + firmwareList({{"A8", "FF", "x"}});
    const std::vector<FailureCase> cases = {
        {"404",
         {404, "<updates/>"},
         false,
         "NETWORK_REQUEST_ERROR",
         localized("STATUS_CODE") + ": 404"},
        {"500", {500, "oops"}, false, "NETWORK_REQUEST_ERROR", localized("STATUS_CODE") + ": 500"},
        {"301 without location",
         {301, {}},
         false,
         "NETWORK_REQUEST_ERROR",
         localized("STATUS_CODE") + ": 301"},
        {"connection refused", {}, true, "NETWORK_REQUEST_ERROR", {}},
        {"closed without an answer",
         {200, {}, Behaviour::CloseWithoutAnswer},
         false,
         "NETWORK_REQUEST_ERROR",
         {}},
        // A good status with a body cut short is a failure, not a shorter list.
        {"closed mid-body",
         {200, softwareList({{bundleBuildPlus(1)}, {"1"}, {"2"}, {"3"}}), Behaviour::CloseMidBody},
         false,
         "NETWORK_REQUEST_ERROR",
         {}},
    };
    expectFailures(cases);
}

TEST(ReleaseCheckFailures, MalformedListsOfferNothing) {
    // The first entry is complete and newer, but the document around it is not a list.
    const QByteArray software = softwareList({{bundleBuildPlus(1)}});
    const QByteArray firmware = firmwareList({{"A8", "FF", "x"}});
    const qsizetype entry = firmware.indexOf("<update>");
    const QByteArray both = software.left(software.indexOf("</update>") + 9) +
                            firmware.mid(entry, firmware.indexOf("</update>") + 9 - entry);
    const std::vector<FailureCase> cases = {
        {"truncated", {200, both}, false, "RELEASE_LIST_ERROR", {}},
        {"empty", {200, {}}, false, "RELEASE_LIST_ERROR", {}},
        {"not XML",
         {200, "<html><body>Service unavailable<br></body></html>"},
         false,
         "RELEASE_LIST_ERROR",
         {}},
        {"entity bomb",
         {200, "<!DOCTYPE u [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaa\">"
               "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
               "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
               "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">]>"
               "<updates><update><title>&d;</title></update></updates>"},
         false,
         "RELEASE_LIST_ERROR",
         {}},
    };
    expectFailures(cases);
}

TEST(ReleaseCheckFailures, TimeOutAfterSixtySecondsWithoutProgress) {
    for (bool fromMenu : {true, false}) {
        SCOPED_TRACE(fromMenu ? "menu" : "timer");
        ShellEnvironment shell;
        AppDelegate& app = shell.launch();
        shell.site.setReply(kSoftwareList,
                            {200, {}, LoopbackHttpServer::Behaviour::NeverAnswer, "text/plain"});
        if (fromMenu)
            app.menuItemCheckSoftwareUpdateAction();
        else
            shell.clock.advance(60.0);
        ASSERT_TRUE(testsupport::waitUntil([&] { return shell.site.requests().size() == 1; }));
        shell.clock.advance(59.9);
        testsupport::pumpEvents(20);
        EXPECT_EQ(app.pendingHttpRequests(), 1u);
        shell.clock.advance(0.2);
        ASSERT_TRUE(settle(app));
        if (fromMenu) {
            ASSERT_EQ(shell.ui.alerts.size(), 1u);
            expectAlert(shell.ui.lastAlert(),
                        localized("NETWORK_REQUEST_ERROR").arg(localized("REQUEST_TIMED_OUT")),
                        AlertStyle::Critical);
        } else {
            EXPECT_TRUE(shell.ui.alerts.empty());
        }
    }
}

TEST(ReleaseCheckFailures, OversizedAnswerIsRefused) {
    ShellEnvironment shell;
    shell.launch();
    QByteArray huge = "<updates><update><title>";
    huge += QByteArray(AppDelegate::kHttpMaximumBytes, 'x');
    huge += "</title></update></updates>";
    shell.site.setReply(kSoftwareList, 200, huge);
    runSoftwareCheck(shell, true);
    // Told as too large, not as a site that could not be reached.
    ASSERT_EQ(shell.ui.alerts.size(), 1u);
    expectAlert(shell.ui.lastAlert(), localized("RELEASE_LIST_TOO_LARGE"), AlertStyle::Critical);
    EXPECT_NE(shell.ui.lastAlert().messageText,
              splitAlertText(localized("NETWORK_REQUEST_ERROR")).message);
}

// ---- HTTP GET and parsing ----

TEST(ReleaseCheckHttp, GetRunsExactlyOneClosureAndNoneOnceTheDelegateIsGone) {
    ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    shell.site.setReply("/data", 200, "payload");
    std::vector<QString> outcomes;
    auto onSuccess = [&](const QByteArray& body) {
        outcomes.push_back("data " + QString::fromUtf8(body));
    };
    auto onError = [&](const QString& text) { outcomes.push_back("error " + text); };
    app.httpGet(shell.site.baseUrl() + "/data", onSuccess, onError);
    app.httpGet(shell.site.baseUrl() + "/missing", onSuccess, onError);
    EXPECT_TRUE(outcomes.empty()); // never before the caller returns
    ASSERT_TRUE(settle(app));
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_TRUE(std::find(outcomes.begin(), outcomes.end(), "data payload") != outcomes.end());
    EXPECT_TRUE(std::find(outcomes.begin(), outcomes.end(),
                          "error " + AppDelegate::statusCodeText(404)) != outcomes.end());

    // A request still on its way when the delegate goes runs nothing.
    shell.site.setReply("/slow", {200, "late", LoopbackHttpServer::Behaviour::NeverAnswer});
    app.httpGet(shell.site.baseUrl() + "/slow", onSuccess, onError);
    ASSERT_TRUE(testsupport::waitUntil([&] { return shell.site.requests().size() == 3; }));
    shell.delegate.reset();
    testsupport::pumpEvents(50);
    shell.clock.advance(120.0);
    EXPECT_EQ(outcomes.size(), 2u);
}

TEST(ReleaseCheckHttp, SiteAddressComesFromTheEnvironment) {
    ASSERT_FALSE(qEnvironmentVariableIsSet("OVX_SITE_URL"));
    qputenv("OVX_SITE_URL", "http://127.0.0.1:8080/maker//");
    EXPECT_EQ(AppInfo::webSiteAddress(), "http://127.0.0.1:8080/maker");
    qunsetenv("OVX_SITE_URL");

    ShellEnvironment shell;
    EXPECT_EQ(shell.launch().webSiteAddress, shell.site.baseUrl());
}

TEST(ReleaseListParsing, FillsRecordsNamedLikeTheElements) {
    ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    platform::ScopedLogCapture log;
    app.handleSoftwareUpdateList("<updates>\n"
                                 "<title>before any entry</title>\n"
                                 "<update>\n"
                                 "  <name> OVX </name><title>T</title><version>1.1</version>\n"
                                 "  <build>5</build><dateline>2026-01-01</dateline>\n"
                                 "  <filename>a.dmg</filename><size>12</size>\n"
                                 "  <description>line 1\nline 2</description><other>x</other>\n"
                                 "</update>\n"
                                 "<update><build>\n  </build><title/>\n</update>\n"
                                 "<build>after the last entry</build>\n"
                                 "</updates>",
                                 true);
    const SoftwareUpdateElement first{.name = "OVX",
                                      .title = "T",
                                      .version = "1.1",
                                      .build = "5",
                                      .dateline = "2026-01-01",
                                      .filename = "a.dmg",
                                      .size = "12",
                                      .description = "line 1\nline 2"};
    SoftwareUpdateElement second;
    second.build = ""; // white space only
    second.title = ""; // an empty element followed by white space
    ASSERT_EQ(app.softwareUpdateElements.size(), 2u);
    EXPECT_EQ(app.softwareUpdateElements[0], first);
    EXPECT_EQ(app.softwareUpdateElements[1], second);
    EXPECT_TRUE(shell.ui.alerts.empty());
    // Each text is printed trimmed.
    for (const char* text : {"before any entry", "OVX", "line 1\nline 2", "after the last entry"})
        EXPECT_NE(std::find(log.lines().begin(), log.lines().end(), text), log.lines().end())
            << text;

    // The firmware list fills its own records; the program list stays as it was.
    app.handleFirmwareUpdateList("<updates><update><device_id>A8</device_id><title>t</title>"
                                 "<version>20</version><dateline>d</dateline><size>1</size>"
                                 "<filename>f.bin</filename><description_cn>c</description_cn>"
                                 "<description_en>e</description_en></update></updates>",
                                 true);
    const FirmwareUpdateElement fw{.device_id = "A8",
                                   .title = "t",
                                   .version = "20",
                                   .dateline = "d",
                                   .size = "1",
                                   .filename = "f.bin",
                                   .description_cn = "c",
                                   .description_en = "e"};
    ASSERT_EQ(app.firmwareUpdateElements.size(), 1u);
    EXPECT_EQ(app.firmwareUpdateElements[0], fw);
    EXPECT_EQ(app.softwareUpdateElements.size(), 2u);
}

} // namespace
