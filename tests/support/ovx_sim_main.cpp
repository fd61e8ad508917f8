// ovx-sim: a simulated stabiliser unit on a pseudo-terminal, for trying the program by hand.
//
//   ovx-sim [--model 166|168|169|170] [--firmware N] [--data-version N] [--name NAME] [--quiet]
//           [--boot-loader] [--boot-id N] [--line-rate BAUD] [--compare-image FILE]
//           [--reply-delay SECONDS]
//
// Prints the device path and the line that makes the program list it, then answers commands
// until it is interrupted. With --quiet it prints only the line that lists it
// (OVX_EXTRA_PORTS=NAME=PATH) and, with --compare-image, the comparison. Numbers may be given in
// decimal or with a 0x prefix. An empty line on the standard input switches the unit off and on:
// its boot loader then waits a moment for the program's probe, so that a firmware update can find
// it.

#include "OVX_Configurator/device/FirmwareImage.h"
#include "support/SimulatedBootLoader.h"
#include "support/SimulatedUnit.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

bool parseByte(const QString& text, int& out) {
    bool ok = false;
    const int value = text.toInt(&ok, 0);
    if (!ok || value < 0 || value > 255)
        return false;
    out = value;
    return true;
}

QString printable(const QByteArray& frame) {
    QString text;
    for (char c : frame) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && frame.size() <= 4)
            text += QChar(byte);
        else
            text += QStringLiteral("\\x%1").arg(byte, 2, 16, QChar('0'));
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("ovx-sim");

    QCommandLineParser parser;
    parser.setApplicationDescription("A simulated OVX unit on a pseudo-terminal.");
    parser.addHelpOption();
    parser.addOption({"model", "Device identifier: 166, 168, 169 or 170.", "id", "168"});
    parser.addOption({"firmware", "Firmware version byte (e.g. 0x21).", "byte"});
    parser.addOption({"data-version", "Data version byte (e.g. 0x10).", "byte"});
    parser.addOption({"name", "Port name for OVX_EXTRA_PORTS.", "name", "SLAB_ovxsim"});
    parser.addOption({"quiet", "Print only the OVX_EXTRA_PORTS line (and the image comparison)."});
    parser.addOption({"polls", "Print the live polls received as well."});
    parser.addOption({"boot-loader", "Start in the boot loader, ready for a firmware update."});
    parser.addOption({"boot-id", "Identifier the boot loader reports (171: 24-bit addresses).",
                      "byte"});
    parser.addOption({"line-rate",
                      "Answer page writes after their time on a line of this speed (0: at once).",
                      "baud", "115200"});
    parser.addOption({"reply-delay", "Answer every command this many seconds late (e.g. 0.3).",
                      "seconds", "0"});
    parser.addOption({"compare-image",
                      "When the boot loader is left, compare its flash with this firmware image.",
                      "file"});
    parser.process(app);

    int model = 0;
    if (!parseByte(parser.value("model"), model) ||
        testsupport::SimulatedUnit::blockLength(model, 0x10) == 0) {
        std::fprintf(stderr, "ovx-sim: unknown model %s (use 166, 168, 169 or 170)\n",
                     qPrintable(parser.value("model")));
        return 2;
    }
    testsupport::SimulatedUnit unit(model);
    if (!unit.isValid()) {
        std::perror("ovx-sim: cannot open a pseudo-terminal");
        return 1;
    }
    int byte = 0;
    if (parser.isSet("firmware")) {
        if (!parseByte(parser.value("firmware"), byte)) {
            std::fprintf(stderr, "ovx-sim: bad firmware version\n");
            return 2;
        }
        unit.setFirmwareVersion(quint8(byte));
    }
    if (parser.isSet("data-version")) {
        if (!parseByte(parser.value("data-version"), byte)) {
            std::fprintf(stderr, "ovx-sim: bad data version\n");
            return 2;
        }
        unit.setDataVersion(quint8(byte));
    }
    testsupport::SimulatedBootLoader& boot = unit.bootLoader();
    if (parser.isSet("boot-id")) {
        if (!parseByte(parser.value("boot-id"), byte)) {
            std::fprintf(stderr, "ovx-sim: bad boot-loader identifier\n");
            return 2;
        }
        boot.setIdentifier(byte);
    }
    bool rateOk = false;
    const int rate = parser.value("line-rate").toInt(&rateOk);
    if (!rateOk || rate < 0) {
        std::fprintf(stderr, "ovx-sim: bad line rate\n");
        return 2;
    }
    boot.setLineRate(rate);
    bool delayOk = false;
    const double delay = parser.value("reply-delay").toDouble(&delayOk);
    if (!delayOk || delay < 0 || delay > 60) {
        std::fprintf(stderr, "ovx-sim: bad reply delay\n");
        return 2;
    }
    for (const char* command : {"r", "R", "W", "REBT", "REST", "LEVL", "HOVR", "INFO", "STCK",
                                "SERV", "SNSR", "d", "l", "h", "TRIM", "TRVL", "CNCL", "ACCL",
                                "\x01", "\x02", "\x03", "\x04", "\x05", "\x06"})
        unit.setReplyDelay(command, delay);
    QByteArray image;
    if (parser.isSet("compare-image")) {
        QFile file(parser.value("compare-image"));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "ovx-sim: cannot read %s\n", qPrintable(file.fileName()));
            return 2;
        }
        image = file.readAll();
    }
    const bool quiet = parser.isSet("quiet");
    boot.onCommand = [&boot, &image, quiet](const QByteArray& command) {
        const auto& writes = boot.pageWrites();
        if (command == "e") {
            if (!quiet)
                std::printf("boot loader left: %lld page writes, %lld refused\n",
                            static_cast<long long>(writes.size()),
                            static_cast<long long>(std::count_if(writes.begin(), writes.end(),
                                                                 [](const auto& w) {
                                                                     return !w.accepted;
                                                                 })));
            if (!image.isEmpty()) {
                const qsizetype differs = boot.firstDifferentPage(image);
                if (differs < 0)
                    std::printf("flash matches the image (%lld pages)\n",
                                static_cast<long long>(firmware::pageCount(image)));
                else
                    std::printf("flash differs from the image at page %lld\n",
                                static_cast<long long>(differs));
            }
        } else if (quiet) {
            return;
        } else if (command == "w" || command == "W") {
            const auto& last = writes.back();
            if (!last.accepted || writes.size() == 1 || writes.size() % 64 == 0)
                std::printf("boot loader: page write at 0x%06X %s (%lld so far)\n", last.address,
                            last.accepted ? "acknowledged" : "refused",
                            static_cast<long long>(writes.size()));
        } else {
            std::printf("boot loader: received %s\n", command.constData());
        }
        std::fflush(stdout);
    };
    if (parser.isSet("boot-loader"))
        boot.enter();
    // An empty line switches the unit off and on; the end of the input only stops listening.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&input, &unit, quiet] {
        char buffer[256];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            input.setEnabled(false);
            return;
        }
        if (std::find(buffer, buffer + n, '\n') != buffer + n) {
            unit.powerCycle();
            if (quiet)
                return;
            std::printf("switched off and on: the boot loader waits %.1f s for the program\n",
                        unit.bootLoader().bootWindow());
            std::fflush(stdout);
        }
    });

    if (!quiet) {
        const bool polls = parser.isSet("polls");
        unit.onFrame = [polls](const QByteArray& frame) {
            if (polls || (frame != "INFO" && frame != "STCK" && frame != "SERV" &&
                          frame != "SNSR" && frame != "d")) // polls arrive many times a second
                std::printf("received %s\n", qPrintable(printable(frame)));
            std::fflush(stdout);
        };
    }

    if (quiet) { // the one line a script needs
        std::printf("OVX_EXTRA_PORTS=%s=%s\n", qPrintable(parser.value("name")),
                    qPrintable(unit.devicePath()));
        std::fflush(stdout);
        return app.exec();
    }
    std::printf("Simulated unit %d (firmware 0x%02X, data version 0x%02X) on %s\n", model,
                unit.firmwareVersion(), unit.dataVersion(), qPrintable(unit.devicePath()));
    std::printf("Start the program with:\n  OVX_EXTRA_PORTS=%s=%s scripts/run\n",
                qPrintable(parser.value("name")), qPrintable(unit.devicePath()));
    std::printf("Press Enter to switch the unit off and on (%s).\n",
                boot.isActive() ? "it is in its boot loader now" : "it runs its application");
    std::fflush(stdout);
    return app.exec();
}
