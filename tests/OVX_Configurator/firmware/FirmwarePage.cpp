#include "FirmwarePage.h"

#include "support/EventLoop.h"

#include <QCoreApplication>
#include <QFile>

namespace firmwaretest {

const QString kDeviceListPath = QStringLiteral("/updates/device_list.xml");
const QString kUpdateListPath = QStringLiteral("/updates/update_list.xml");

QByteArray makeImage(int deviceId, int version, int pages, int extra) {
    QByteArray image;
    image.append(char(deviceId));
    image.append(char(version));
    for (int stored = 0; stored < pages; ++stored) {
        const int flashPage = pages - 1 - stored;
        for (int i = 0; i < 128; ++i)
            image.append(char((flashPage * 37 + i * 11 + (flashPage >> 8)) & 0xFF));
    }
    image.append(QByteArray(extra, '\x77'));
    return image;
}

QByteArray deviceList(const std::vector<Device>& devices) {
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<devices>\n");
    for (const Device& d : devices)
        xml += QStringLiteral("  <device>\n    <device_id>%1</device_id>\n"
                              "    <name_cn>%3</name_cn>\n    <name_en>%2</name_en>\n"
                              "  </device>\n")
                   .arg(d.id, d.nameEn, d.nameCn);
    return (xml + QStringLiteral("</devices>\n")).toUtf8();
}

QByteArray updateList(const std::vector<Release>& releases) {
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<updates>\n");
    for (const Release& r : releases) {
        xml += QStringLiteral("  <update>\n");
        const std::pair<const char*, QString> fields[] = {{"device_id", r.deviceId},
                                                          {"title", r.title},
                                                          {"version", r.version},
                                                          {"dateline", r.dateline},
                                                          {"size", r.size},
                                                          {"filename", r.filename},
                                                          {"description_cn", r.descriptionCn},
                                                          {"description_en", r.descriptionEn}};
        for (const auto& [name, value] : fields)
            if (!value.isNull()) // a null text leaves the element out
                xml += QStringLiteral("    <%1>%2</%1>\n").arg(QLatin1String(name), value);
        xml += QStringLiteral("  </update>\n");
    }
    return (xml + QStringLiteral("</updates>\n")).toUtf8();
}

bool settle(AppDelegate& app) {
    // A filled list asks for the next one from the event loop: wait until nothing is pending
    // for a few rounds.
    int quiet = 0;
    return testsupport::waitUntil(
        [&] {
            QCoreApplication::processEvents();
            quiet = app.pendingHttpRequests() == 0 ? quiet + 1 : 0;
            return quiet > 20;
        },
        20000);
}

FirmwarePage::FirmwarePage(int model, const std::function<void(testsupport::SimulatedUnit&)>& setUp,
                           const std::vector<Device>& devices, const std::vector<Release>& releases)
    : s(model, setUp) {
    s.shell.site.setReply(kDeviceListPath, 200, deviceList(devices));
    s.shell.site.setReply(kUpdateListPath, 200, updateList(releases));
    page = s.main->firmwareUpdateViewController();
    s.main->showPage(1);
    settle(*s.app);
}

void FirmwarePage::openImage(const QByteArray& image, const QString& name) {
    const QString path = files.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(image);
    file.close();
    selectTab(QStringLiteral("OfflineUpdate"));
    ui().openPanelAnswers.push_back(path);
    page->btnOpenFileAction();
}

void FirmwarePage::selectTab(const QString& identifier) {
    for (int i = 0; i < page->tabMain->count(); ++i)
        if (page->tabMain->widget(i)->objectName() == identifier)
            page->tabMain->setCurrentIndex(i);
}

bool FirmwarePage::runUntil(const std::function<bool()>& done, double maxSeconds) {
    const double end = s.shell.clock.now() + maxSeconds;
    while (!done()) {
        if (s.shell.clock.now() > end)
            return false;
        QCoreApplication::processEvents();
        if (link().busy() && testsupport::waitUntil([&] { return !link().busy() || done(); }, 200))
            continue;
        s.shell.clock.advance(link().busy() ? 0.1 : 0.01);
    }
    return true;
}

bool FirmwarePage::runUntilAlert(double maxSeconds) {
    const std::size_t before = ui().alerts.size();
    return runUntil([&] { return ui().alerts.size() > before; }, maxSeconds);
}

QString FirmwarePage::lastHeadline() const {
    return s.shell.ui.alerts.empty() ? QString() : s.shell.ui.lastAlert().messageText;
}

} // namespace firmwaretest
