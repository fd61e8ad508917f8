#include "support/ConnectedShell.h"

#include "OVX_Configurator/Alert.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/SerialPort.h"
#include "support/EventLoop.h"

namespace testsupport {

QString headline(const char* key) {
    return splitAlertText(localized(key)).message;
}

QStringList headlines(std::initializer_list<const char*> keys) {
    QStringList out;
    for (const char* key : keys)
        out << headline(key);
    return out;
}

ConnectedShell::ConnectedShell(int model, const std::function<void(SimulatedUnit&)>& setUp)
    : unit(model) {
    if (setUp)
        setUp(unit);
    shell.ports.arrive(unit);
    app = &shell.launch();
    main = app->mainViewController();
}

bool ConnectedShell::identify() {
    const std::size_t before = shell.ui.alerts.size();
    main->detectDevice();
    const int length = SimulatedUnit::blockLength(unit.deviceId(), unit.dataVersion());
    waitFor([&] {
        return (length > 0 && main->data.size() == length) || shell.ui.alerts.size() > before;
    });
    return length > 0 && main->data.size() == length;
}

bool ConnectedShell::waitFor(const std::function<bool()>& done) {
    return waitUntil(done, 10000);
}

bool ConnectedShell::waitForAlert(std::size_t before) {
    return waitFor([&] { return shell.ui.alerts.size() > before; });
}

void ConnectedShell::advance(double seconds, double step) {
    SerialPort& link = *app->port;
    auto replyOnTheWay = [&] {
        return link.isOpen() && link.awaitingReply() && !unit.withholding();
    };
    for (double done = 0; done < seconds - 1e-9; done += step) {
        shell.clock.advance(std::min(step, seconds - done));
        pumpEvents(0); // what the step wrote is read, also where nothing is waited for
        waitFor([&] { return !replyOnTheWay(); });
    }
}

void ConnectedShell::stopLivePolls() {
    if (main->currentViewController)
        main->currentViewController->viewWillDisappear();
}

QStringList ConnectedShell::alertHeadlines() const {
    QStringList out;
    for (const auto& alert : shell.ui.alerts)
        out << alert.request.messageText;
    return out;
}

} // namespace testsupport
