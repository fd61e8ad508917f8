// A whole firmware update of a 64 KB image (512 pages) through the program's firmware page, over
// a pseudo-terminal to the simulated unit's boot loader, at the real timings: 0.05 s before
// each page, and each page acknowledged only after its 133 bytes would have crossed a 115200
// baud line. The floor is pages × (0.05 s + 133 × 10 / 115200 s); the counters report the time
// against it.

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/firmware/FirmwareUpdateViewController.h"
#include "support/EventLoop.h"
#include "support/LoopbackHttpServer.h"
#include "support/RecordingUIServices.h"
#include "support/SimulatedBootLoader.h"
#include "support/SimulatedPorts.h"
#include "support/SimulatedUnit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPages = 512;
constexpr int kBaud = 115200;

QByteArray image64k() {
    QByteArray image;
    image.append(char(168));
    image.append(char(0x33));
    for (int i = 0; i < kPages * 128; ++i)
        image.append(char((i * 13 + i / 128) & 0xFF));
    return image;
}

// Processes events until `done`, answering every alert with its first button.
bool runUntil(testsupport::RecordingUIServices& ui, const std::function<bool()>& done,
              int timeoutMs) {
    return testsupport::waitUntil(
        [&] {
            while (ui.pendingAlerts() > 0)
                ui.answer(0);
            return done();
        },
        timeoutMs);
}

void BM_FirmwareUpdate64K(benchmark::State& state) {
    QTemporaryDir dir;
    QCoreApplication::setOrganizationName(QStringLiteral("OVXBench"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings().setValue(QStringLiteral("AppleLanguages"), QStringList{"en"});
    testsupport::LoopbackHttpServer site;
    qputenv("OVX_SITE_URL", site.baseUrl().toUtf8());
    const QByteArray image = image64k();
    const QString path = dir.filePath(QStringLiteral("image.bin"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(image);
    file.close();

    const double floor = kPages * (0.05 + 133.0 * 10 / kBaud);
    double seconds = 0;
    bool matches = true;
    for (auto _ : state) {
        testsupport::RecordingUIServices ui;
        testsupport::SimulatedUnit unit(168);
        unit.setFirmwareVersion(0x32);
        unit.bootLoader().setLineRate(kBaud);
        testsupport::SimulatedPorts ports(unit);
        AppDelegate delegate;
        delegate.applicationDidFinishLaunching();
        MainViewController* main = delegate.mainViewController();
        FirmwareUpdateViewController* page = main->firmwareUpdateViewController();
        main->showPage(1);
        runUntil(
            ui, [&] { return delegate.port->isOpen() && delegate.pendingHttpRequests() == 0; },
            10000);
        page->tabMain->setCurrentIndex(1);
        ui.openPanelAnswers.push_back(path);
        page->btnOpenFileAction();
        page->btnStartAction();
        using State = FirmwareUpdateViewController::State;
        if (!runUntil(
                ui, [&] { return page->state() == State::Updating; }, 10000)) {
            state.SkipWithError("the update did not begin");
            break;
        }
        QElapsedTimer clock;
        clock.start();
        if (!runUntil(
                ui, [&] { return page->state() == State::Idle; }, 120000)) {
            state.SkipWithError("the update did not end");
            break;
        }
        seconds = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        runUntil(
            ui, [&] { return !unit.bootLoader().isActive(); }, 2000);
        matches = matches && unit.bootLoader().flashMatches(image);
    }
    state.counters["seconds"] = seconds;
    state.counters["floor_seconds"] = floor;
    state.counters["over_floor_percent"] = (seconds / floor - 1) * 100;
    state.counters["flash_matches"] = matches ? 1 : 0;
}

} // namespace

BENCHMARK(BM_FirmwareUpdate64K)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// The benchmarks run inside a headless application, which must end before Qt's own globals.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
