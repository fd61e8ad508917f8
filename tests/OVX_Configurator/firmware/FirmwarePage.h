#pragma once

// The firmware update page in the running program, for the firmware page's tests: the site's
// lists and images on the loopback server, images as files, and a driver that moves the manual
// clock and the line until the page gets where a test wants it.

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/firmware/FirmwareUpdateViewController.h"
#include "support/ConnectedShell.h"
#include "support/SimulatedBootLoader.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <vector>

namespace firmwaretest {

// A firmware image for `deviceId` and `version` with `pages` pages whose bytes differ from page
// to page and within each group of 8; `extra` unused bytes follow the last whole page.
QByteArray makeImage(int deviceId, int version, int pages, int extra = 0);

struct Device {
    QString id, nameEn, nameCn;
};
struct Release {
    QString deviceId, title, version, dateline, filename, size, descriptionEn, descriptionCn;
};
QByteArray deviceList(const std::vector<Device>& devices);
QByteArray updateList(const std::vector<Release>& releases);

// The site's paths.
extern const QString kDeviceListPath;
extern const QString kUpdateListPath;

// Waits until no list request is on its way and the page has filled what came.
bool settle(AppDelegate& app);

// The program with a simulated unit on "SLAB_sim" and the firmware page shown.
class FirmwarePage {
public:
    // `devices` and `releases` are what the site lists when the page first appears.
    explicit FirmwarePage(int model = 168,
                          const std::function<void(testsupport::SimulatedUnit&)>& setUp = nullptr,
                          const std::vector<Device>& devices = {{"A8", "OVXB", "OVXB 中文"}},
                          const std::vector<Release>& releases = {});

    testsupport::ConnectedShell s;
    FirmwareUpdateViewController* page = nullptr;
    QTemporaryDir files;

    testsupport::SimulatedBootLoader& boot() { return s.unit.bootLoader(); }
    SerialPort& link() { return *s.app->port; }
    testsupport::RecordingUIServices& ui() { return s.shell.ui; }

    // Writes `image` to a file and opens it on the "OfflineUpdate" tab.
    void openImage(const QByteArray& image, const QString& name = "image.bin");
    // Selects the tab of that identifier.
    void selectTab(const QString& identifier);
    // Presses Start.
    void start() { page->btnStartAction(); }
    // Moves the clock and the line until `done` (true) or `maxSeconds` of clock time passed
    // (false). A request on its way is given real time to be answered before the clock moves on,
    // so replies that come are never mistaken for lost ones.
    bool runUntil(const std::function<bool()>& done, double maxSeconds = 60);
    // Runs until a new alert is shown (false when none came).
    bool runUntilAlert(double maxSeconds = 60);
    // Headline of the last alert.
    QString lastHeadline() const;
    // Answers the oldest shown alert with its first (0) or second (1) button.
    void answer(int button) { ui().answer(button); }
};

} // namespace firmwaretest
