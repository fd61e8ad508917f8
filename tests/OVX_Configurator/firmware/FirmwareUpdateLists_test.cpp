// The firmware page's lists, download and image file: what the site lists, in which language,
// for which model; and every way a list, a download or a file can be wrong.

#include "FirmwarePage.h"

#include "OVX_Configurator/Alert.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/ModalViewController.h"
#include "OVX_Configurator/WelcomeViewController.h"
#include "support/EventLoop.h"
#include "support/ShellEnvironment.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace firmwaretest;
using testsupport::headline;
using testsupport::LoopbackHttpServer;
using testsupport::ShellEnvironment;
using State = FirmwareUpdateViewController::State;

namespace {

QStringList items(const QComboBox* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->itemText(i);
    return out;
}

const std::vector<Device> kDevices = {
    {"A6", "OVXA", "OVXA 陀螺仪"}, {"A8", "OVXB", "OVXB 陀螺仪"}, {"AA", "OVXC", "OVXC 陀螺仪"}};
const std::vector<Release> kReleases = {
    {"A8", "OVXB V3.3", "33", "2026-11-02 10:00", "b33.bin", "1026", "Faster", "更快"},
    {"A6", "OVXA V1.4", "14", "2026-10-01", "a14.bin", {}, "Level fix", "水平修正"},
    {"A8", "OVXB V3.2", "32", "2026-9-1", "b32.bin", "1026", "First", "首版"},
};

// The page in the program started with `languages`, the site listing `devices` and `releases`.
struct ListPage {
    explicit ListPage(const QStringList& languages = {"en"},
                      const std::vector<Device>& devices = kDevices,
                      const std::vector<Release>& releases = kReleases)
        : shell(languages) {
        shell.site.setReply(kDeviceListPath, 200, deviceList(devices));
        shell.site.setReply(kUpdateListPath, 200, updateList(releases));
        app = &shell.launch();
        page = app->mainViewController()->firmwareUpdateViewController();
        app->mainViewController()->showPage(1);
        settle(*app);
    }
    void chooseDevice(int index) {
        page->lstDeviceList->setCurrentIndex(index);
        page->lstDeviceListAction();
        settle(*app);
    }
    void chooseRelease(int index) {
        page->lstFirmwareList->setCurrentIndex(index);
        page->lstFirmwareListAction();
    }
    QString description() const { return page->txtFirmwareDescription->toPlainText(); }
    ShellEnvironment shell;
    AppDelegate* app = nullptr;
    FirmwareUpdateViewController* page = nullptr;
};

TEST(FirmwareLists, ListsModelsAndTheirReleasesInTheInterfaceLanguage) {
    ListPage en;
    EXPECT_EQ(items(en.page->lstDeviceList),
              (QStringList{localized("SELECT_PRODUCT_MODEL"), "OVXA", "OVXB", "OVXC"}));
    // With the placeholder chosen every release is listed; a short dateline is shown whole.
    EXPECT_EQ(items(en.page->lstFirmwareList),
              (QStringList{localized("SELECT_FIRMWARE_VERSION"), "OVXB V3.3_2026-11-02",
                           "OVXA V1.4_2026-10-01", "OVXB V3.2_2026-9-1"}));
    EXPECT_EQ(en.description(), " ");
    en.chooseDevice(2); // OVXB
    EXPECT_EQ(items(en.page->lstFirmwareList),
              (QStringList{localized("SELECT_FIRMWARE_VERSION"), "OVXB V3.3_2026-11-02",
                           "OVXB V3.2_2026-9-1"}));
    en.chooseRelease(2);
    EXPECT_EQ(en.description(), "First");
    en.chooseRelease(0);
    EXPECT_EQ(en.description(), " ");
    en.chooseDevice(3); // OVXC has no release
    EXPECT_EQ(items(en.page->lstFirmwareList), QStringList{localized("SELECT_FIRMWARE_VERSION")});
    EXPECT_EQ(en.shell.site.requests(), (std::vector<QString>{kDeviceListPath, kUpdateListPath,
                                                              kUpdateListPath, kUpdateListPath}));

    for (const char* language : {"zh-Hans", "zh-Hant"}) {
        ListPage zh({language});
        EXPECT_EQ(items(zh.page->lstDeviceList).mid(1),
                  (QStringList{"OVXA 陀螺仪", "OVXB 陀螺仪", "OVXC 陀螺仪"}))
            << language;
        zh.chooseRelease(1);
        EXPECT_EQ(zh.description(), "更快") << language;
    }
}

TEST(FirmwareLists, SkipsIncompleteEntriesAndListsNothingFromAnEmptyList) {
    const std::vector<Device> devices = {{"A8", "OVXB", "OVXB"},
                                         {"ZZ", "Bad id", "Bad id"},
                                         {"1A6", "Too big", "Too big"},
                                         {"A6", {}, "只有中文"}};
    std::vector<Release> releases = kReleases;
    Release noFile = kReleases[0];
    noFile.filename = QString();
    Release badVersion = kReleases[0];
    badVersion.version = "G1";
    Release badSize = kReleases[0];
    badSize.size = "12k";
    releases.insert(releases.begin(), {noFile, badVersion, badSize});
    ListPage en({"en"}, devices, releases);
    EXPECT_EQ(items(en.page->lstDeviceList).mid(1), QStringList{"OVXB"});
    EXPECT_EQ(en.page->currentUpdateElements.size(), 3u);
    EXPECT_TRUE(en.shell.ui.alerts.empty());

    ListPage empty({"en"}, {}, kReleases);
    EXPECT_EQ(items(empty.page->lstDeviceList), QStringList{localized("SELECT_PRODUCT_MODEL")});
    EXPECT_EQ(empty.page->lstFirmwareList->count(), 4); // every release of every model
}

TEST(FirmwareLists, ADamagedOrHostileListIsReportedAndOffersNothing) {
    const QByteArray good = updateList(kReleases);
    const QByteArray cases[] = {
        good.left(good.size() / 2),              // cut short
        "not xml at all",                        // no document
        QByteArray("\x00\xff\xfe<updates>", 11), // binary
        "<?xml version=\"1.0\"?><!DOCTYPE u [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
        "\"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
        "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">]><updates><update><title>&d;&d;&d;&d;"
        "</title></update></updates>", // entity expansion
        QByteArray(20000, '<'),        // nonsense
        {},                            // empty body
    };
    for (const QByteArray& body : cases) {
        ListPage en;
        en.shell.site.setReply(kUpdateListPath, 200, body);
        const std::size_t before = en.shell.ui.alerts.size();
        en.page->btnLoadFirmwareListAction();
        settle(*en.app);
        ASSERT_GT(en.shell.ui.alerts.size(), before) << body.left(40).toStdString();
        EXPECT_EQ(en.shell.ui.lastAlert().messageText, headline("RELEASE_LIST_ERROR"));
        EXPECT_EQ(items(en.page->lstFirmwareList),
                  QStringList{localized("SELECT_FIRMWARE_VERSION")});
        EXPECT_TRUE(en.page->currentUpdateElements.empty());
    }
}

TEST(FirmwareLists, ANetworkFailureIsReportedWithItsReason) {
    ShellEnvironment shell;
    shell.site.setReply(kDeviceListPath, 503, "busy");
    AppDelegate& app = shell.launch();
    app.mainViewController()->showPage(1);
    settle(app);
    ASSERT_EQ(shell.ui.alerts.size(), 1u);
    const AlertText expected =
        splitAlertText(localized("NETWORK_REQUEST_ERROR").arg(localized("STATUS_CODE") + ": 503"));
    EXPECT_EQ(shell.ui.lastAlert().messageText, expected.message);
    EXPECT_EQ(shell.ui.lastAlert().informativeText, expected.informative);
    EXPECT_EQ(shell.ui.lastAlert().style, AlertStyle::Critical);
}

// A list whose fetch failed says that nothing was loaded, not that it is still loading; a reload
// that succeeds fills it.
TEST(FirmwareLists, AListThatFailedToLoadSaysSo) {
    const struct {
        QString path;
        int status;
    } cases[] = {{kDeviceListPath, 503}, {kUpdateListPath, 404}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        ListPage en;
        const bool devices = c.path == kDeviceListPath;
        QComboBox* list = devices ? en.page->lstDeviceList : en.page->lstFirmwareList;
        auto reload = [&] {
            if (devices)
                en.page->btnLoadDeviceListAction();
            else
                en.page->btnLoadFirmwareListAction();
        };
        en.shell.site.setReply(c.path, c.status, "no");
        reload();
        EXPECT_EQ(items(list), QStringList{localized("FETCHING_DATA")}); // while it loads
        settle(*en.app);
        EXPECT_EQ(items(list), QStringList{localized("LIST_NOT_LOADED")});
        EXPECT_EQ(en.shell.ui.lastAlert().messageText,
                  splitAlertText(localized("NETWORK_REQUEST_ERROR")).message);

        en.shell.site.setReply(c.path, 200, devices ? deviceList(kDevices) : updateList(kReleases));
        reload();
        settle(*en.app);
        EXPECT_EQ(list->count(), 4); // the placeholder and three entries
        EXPECT_EQ(list->itemText(0),
                  localized(devices ? "SELECT_PRODUCT_MODEL" : "SELECT_FIRMWARE_VERSION"));
    }
}

TEST(FirmwareDownload, DownloadsTheChosenReleaseUnderTheProgressSheet) {
    ListPage en;
    FirmwareUpdateViewController* page = en.page;
    page->tabMain->setCurrentIndex(0);
    page->btnStartAction(); // nothing chosen
    ASSERT_EQ(en.shell.ui.alerts.size(), 1u);
    EXPECT_EQ(en.shell.ui.lastAlert().messageText, headline("FIRMWARE_NOT_SELECTED"));
    en.shell.ui.answer(0);

    // The image of the list's release: no unit is connected, so the port warning follows.
    const QByteArray image = makeImage(0xA8, 0x33, 8);
    en.shell.site.setReply("/updates/b33.bin", {200, image, LoopbackHttpServer::Behaviour::Answer,
                                                "application/octet-stream"});
    Release sized = kReleases[0];
    en.chooseRelease(1);
    page->btnStartAction();
    MainViewController* main = en.app->mainViewController();
    EXPECT_TRUE(main->modalViewController()->isPresentedAsSheet());
    EXPECT_EQ(main->modalViewController()->messageToDisplay, localized("FIRMWARE_DOWNLOADING"));
    settle(*en.app);
    EXPECT_FALSE(main->modalViewController()->isPresentedAsSheet());
    EXPECT_EQ(page->firmwareData.size(), image.size());
    EXPECT_EQ(page->targetDeviceId, 0xA8);
    EXPECT_EQ(page->targetVersion, 0x33);
    EXPECT_EQ(page->targetFilename, "b33.bin");
    EXPECT_EQ(en.shell.site.requests().back(), "/updates/b33.bin");

    // Downloads that are not the listed release are refused before anything is sent.
    struct Case {
        QByteArray body;
        int status;
        QString headline;
    } cases[] = {
        {makeImage(0xAA, 0x33, 8), 200, headline("FIRMWARE_IMAGE_MISMATCH")},
        {makeImage(0xA8, 0x32, 8), 200, headline("FIRMWARE_IMAGE_MISMATCH")},
        {makeImage(0xA8, 0x33, 7), 200, headline("FIRMWARE_IMAGE_SIZE_MISMATCH")},
        {makeImage(0xA8, 0x33, 0), 200, headline("FIRMWARE_IMAGE_TOO_SHORT")},
        {{}, 200, headline("FIRMWARE_IMAGE_TOO_SHORT")}, // not "no firmware loaded"
        {"gone", 404, splitAlertText(localized("NETWORK_REQUEST_ERROR")).message},
    };
    for (const Case& c : cases) {
        en.shell.site.setReply("/updates/b33.bin", c.status, c.body);
        const std::size_t before = en.shell.ui.alerts.size();
        page->btnStartAction();
        settle(*en.app);
        EXPECT_FALSE(main->modalViewController()->isPresentedAsSheet());
        ASSERT_GT(en.shell.ui.alerts.size(), before);
        EXPECT_EQ(en.shell.ui.alerts[before].request.messageText, c.headline)
            << c.body.size() << " " << c.status;
        EXPECT_EQ(page->state(), State::Idle);
    }
}

TEST(FirmwareDownload, AMissingHttpAnswerIsAnErrorThatEndsTheSheet) {
    ListPage en;
    QTemporaryDir site;
    QDir(site.path()).mkpath("updates");
    QFile file(site.filePath("updates/b33.bin"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(makeImage(0xA8, 0x33, 8));
    file.close();
    en.app->webSiteAddress = QUrl::fromLocalFile(site.path()).toString();
    en.chooseRelease(1);
    const std::size_t before = en.shell.ui.alerts.size();
    en.page->btnStartAction();
    settle(*en.app);
    EXPECT_FALSE(en.app->mainViewController()->modalViewController()->isPresentedAsSheet());
    ASSERT_EQ(en.shell.ui.alerts.size(), before + 1);
    const AlertText expected =
        splitAlertText(localized("NETWORK_REQUEST_ERROR").arg(localized("NO_HTTP_RESPONSE")));
    EXPECT_EQ(en.shell.ui.lastAlert().messageText, expected.message);
    EXPECT_EQ(en.shell.ui.lastAlert().informativeText, expected.informative);
    EXPECT_TRUE(en.page->firmwareData.isEmpty());
}

TEST(FirmwareFile, OpensAFileAndSummarisesIt) {
    ListPage en;
    FirmwareUpdateViewController* page = en.page;
    QTemporaryDir dir;
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return dir.filePath(name);
    };
    page->tabMain->setCurrentIndex(1);
    page->btnStartAction();
    EXPECT_EQ(en.shell.ui.lastAlert().messageText, headline("FIRMWARE_FILE_NOT_SELECTED"));

    // 2 + 3 × 128 + 100 bytes: three pages; the summary shows the whole file.
    const QString path = write("fw.bin", makeImage(0xA8, 0x2A, 3, 100));
    en.shell.ui.openPanelAnswers.push_back(path);
    page->btnOpenFileAction();
    EXPECT_EQ(en.shell.ui.panelFileTypes.back(), "bin");
    const QString url = QUrl::fromLocalFile(path).toString();
    EXPECT_EQ(page->txtFilename->text(), url);
    EXPECT_TRUE(url.startsWith("file:"));
    EXPECT_EQ(page->txtFirmwareFileDescription->toPlainText().remove('\r'),
              "> Filename: " + url +
                  "\n> Device ID: 0xA8\n> Firmware Version: 2.10\n"
                  "> File Size: 0.5KB\n> Ready for update ...");
    EXPECT_EQ(page->targetAddressMode, AddressMode::_16BIT);
    EXPECT_EQ(firmware::pageCount(page->firmwareData), 3);

    en.shell.ui.openPanelAnswers.push_back(write("wide.bin", makeImage(171, 0x10, 1)));
    page->btnOpenFileAction();
    EXPECT_EQ(page->targetAddressMode, AddressMode::_24BIT);
    EXPECT_EQ(page->targetDeviceId, 171);

    // A file that cannot be an image, or is gone, forgets the file and the image; the message
    // says what is wrong with it. A file past what 24-bit flash addresses reach is too large
    // (written sparse), one whose reading fails is unreadable (the process's own memory file,
    // which fails at its first byte whoever reads it).
    const QString huge = dir.filePath("huge.bin");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(17 * 1024 * 1024));
    }
    const std::pair<QString, const char*> refused[] = {
        {write("short.bin", "\xA8"), "FIRMWARE_IMAGE_TOO_SHORT"},
        {write("empty.bin", {}), "FIRMWARE_IMAGE_TOO_SHORT"},
        {huge, "FIRMWARE_FILE_TOO_LARGE"},
        {QStringLiteral("/proc/self/mem"), "FIRMWARE_FILE_UNREADABLE"},
        {dir.filePath("missing.bin"), "FILE_NOT_EXISTS"},
    };
    for (const auto& [file, key] : refused) {
        en.shell.ui.openPanelAnswers.push_back(write("ok.bin", makeImage(0xA8, 0x33, 2)));
        page->btnOpenFileAction();
        ASSERT_FALSE(page->firmwareData.isEmpty());
        en.shell.ui.openPanelAnswers.push_back(file);
        page->btnOpenFileAction();
        EXPECT_EQ(en.shell.ui.lastAlert().messageText, headline(key)) << file.toStdString();
        EXPECT_TRUE(page->firmwareData.isEmpty());
        EXPECT_TRUE(page->txtFilename->text().isEmpty());
        EXPECT_EQ(page->txtFirmwareFileDescription->toPlainText(), " ");
    }
    // A cancelled panel changes nothing.
    en.shell.ui.openPanelAnswers.push_back(write("ok.bin", makeImage(0xA8, 0x33, 2)));
    page->btnOpenFileAction();
    page->btnOpenFileAction();
    EXPECT_FALSE(page->firmwareData.isEmpty());

    // Close forgets the image and goes back to the welcome page.
    page->btnCloseAction();
    EXPECT_TRUE(page->firmwareData.isEmpty());
    EXPECT_TRUE(page->txtFilename->text().isEmpty());
    EXPECT_EQ(en.app->mainViewController()->currentViewController,
              static_cast<ViewController*>(en.app->mainViewController()->welcomeViewController()));
}

} // namespace
