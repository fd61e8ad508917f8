// ovx-sim: a simulated stabiliser unit on a pseudo-terminal, for trying the program by hand.
//
//   ovx-sim [--model 166|168|169|170] [--firmware N] [--data-version N] [--name NAME] [--quiet]
//
// Prints the device path and the line that makes the program list it, then answers commands
// until it is interrupted. Numbers may be given in decimal or with a 0x prefix.

#include "support/SimulatedUnit.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

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
    parser.addOption({"quiet", "Do not print the commands received."});
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
    if (!parser.isSet("quiet")) {
        unit.onFrame = [](const QByteArray& frame) {
            if (frame != "INFO" && frame != "STCK" && frame != "SERV" && frame != "SNSR" &&
                frame != "d") // polls arrive many times a second
                std::printf("received %s\n", qPrintable(printable(frame)));
            std::fflush(stdout);
        };
    }

    std::printf("Simulated unit %d (firmware 0x%02X, data version 0x%02X) on %s\n", model,
                unit.firmwareVersion(), unit.dataVersion(), qPrintable(unit.devicePath()));
    std::printf("Start the program with:\n  OVX_EXTRA_PORTS=%s=%s scripts/run\n",
                qPrintable(parser.value("name")), qPrintable(unit.devicePath()));
    std::fflush(stdout);
    return app.exec();
}
