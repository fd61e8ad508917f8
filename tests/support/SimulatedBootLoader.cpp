#include "support/SimulatedBootLoader.h"

#include "OVX_Configurator/device/FirmwareImage.h"

#include <algorithm>

namespace testsupport {
namespace {

QByteArray key(const QByteArray& command) {
    return "boot " + command;
}

} // namespace

SimulatedBootLoader::SimulatedBootLoader(SimulatedUnit& unit) : unit_(unit) {
    unit_.setInputHandler([this](const QByteArray& input) { return handleInput(input); });
}

SimulatedBootLoader::~SimulatedBootLoader() {
    unit_.setInputHandler(nullptr);
}

void SimulatedBootLoader::restart() {
    mode_ = Mode::Window;
    window_.start(bootWindow_, [this] {
        if (mode_ == Mode::Window)
            mode_ = Mode::Application;
    });
}

void SimulatedBootLoader::enter() {
    window_.stop();
    mode_ = Mode::Active;
}

int SimulatedBootLoader::identifier() const {
    return identifier_ != 0 ? identifier_ : unit_.deviceId();
}

AddressMode SimulatedBootLoader::addressMode() const {
    return firmware::addressModeFor(std::uint8_t(identifier()));
}

void SimulatedBootLoader::setLineRate(int baud) {
    for (const auto& [letter, addressBytes] : {std::pair{"w", 2}, std::pair{"W", 3}}) {
        const double frameBytes = 1 + addressBytes + firmware::kPageSize + 2;
        unit_.setReplyDelay(key(letter), baud > 0 ? frameBytes * 10 / baud : 0);
    }
}

// ---- Flash ----

QByteArray SimulatedBootLoader::flashPage(qsizetype page) const {
    QByteArray bytes = flash_.mid(page * firmware::kPageSize, firmware::kPageSize);
    bytes.resize(firmware::kPageSize, char(0xFF));
    return bytes;
}

qsizetype SimulatedBootLoader::firstDifferentPage(const QByteArray& image) const {
    const qsizetype pages = firmware::pageCount(image);
    for (qsizetype p = 0; p < pages; ++p)
        if (flashPage(p) != firmware::imagePage(image, p))
            return p;
    return -1;
}

bool SimulatedBootLoader::flashMatches(const QByteArray& image) const {
    return firmware::pageCount(image) > 0 && firstDifferentPage(image) < 0;
}

void SimulatedBootLoader::clearRecord() {
    writes_.clear();
    commands_.clear();
}

// ---- Faults ----

void SimulatedBootLoader::injectFault(SimulatedUnit::Fault fault, const QByteArray& command,
                                      int times) {
    unit_.injectFault(fault, key(command), times);
}

// ---- Input ----

void SimulatedBootLoader::answer(const QByteArray& command, const QByteArray& bytes) {
    unit_.reply(key(command), bytes);
}

// Sees the unit's input first: nothing while the application runs; in the window "p" (and "r",
// answered as in the boot loader); in the boot loader its commands, a page write once the whole
// frame is there.
int SimulatedBootLoader::handleInput(const QByteArray& input) {
    if (mode_ == Mode::Application)
        return -1;
    const char letter = input[0];
    if (mode_ == Mode::Window) {
        if (letter == 'r') { // the boot loader names itself and goes on waiting for "p"
            commands_.append("r");
            if (onCommand)
                onCommand("r");
            answer("r", QByteArray(1, char(identifier())));
            return 1;
        }
        window_.stop();
        if (letter != 'p') { // anything else starts the application at once
            mode_ = Mode::Application;
            return -1;
        }
        mode_ = Mode::Active;
        commands_.append("p");
        if (onCommand)
            onCommand("p");
        answer("p", QByteArray(1, SimulatedUnit::kAck));
        return 1;
    }
    const int addressBytes = addressMode() == AddressMode::_24BIT ? 3 : 2;
    const char writeLetter = addressBytes == 3 ? 'W' : 'w';
    if (letter == writeLetter) {
        const int frameSize = 1 + addressBytes + int(firmware::kPageSize) + 2;
        if (input.size() < frameSize)
            return 0;
        handleWrite(input.left(frameSize), addressBytes);
        return frameSize;
    }
    const QByteArray command(1, letter);
    if (letter != 'p' && letter != 'r' && letter != 'e')
        return 1; // not a command of this boot loader
    commands_.append(command);
    if (onCommand)
        onCommand(command);
    if (letter == 'p') {
        answer(command, QByteArray(1, SimulatedUnit::kAck));
    } else if (letter == 'r') {
        answer(command, QByteArray(1, char(identifier())));
    } else {
        mode_ = Mode::Application;
        answer(command, QByteArray(1, SimulatedUnit::kAck));
    }
    return 1;
}

void SimulatedBootLoader::handleWrite(const QByteArray& frame, int addressBytes) {
    const QByteArray command(1, frame[0]);
    std::uint32_t address = 0;
    for (int i = 0; i < addressBytes; ++i)
        address = (address << 8) | quint8(frame[1 + i]);
    const QByteArray sent = frame.mid(1 + addressBytes, firmware::kPageSize);
    const std::uint16_t crc = crc16Modbus(sent, 0, sent.size());
    const bool crcOk = quint8(frame[frame.size() - 2]) == (crc >> 8) &&
                       quint8(frame[frame.size() - 1]) == (crc & 0xFF);
    const qint64 capacity = addressBytes == 3 ? 0x1000000 : 0x10000;
    bool accepted = crcOk && address % firmware::kPageSize == 0 &&
                    qint64(address) + firmware::kPageSize <= capacity;
    if (accepted && refusals_ > 0) {
        --refusals_;
        accepted = false;
    }
    if (accepted) {
        const qsizetype end = qsizetype(address) + firmware::kPageSize;
        if (flash_.size() < end)
            flash_.resize(end, char(0xFF));
        const QByteArray page = firmware::pageByteUnpermutation(sent);
        std::copy(page.begin(), page.end(), flash_.begin() + address);
    }
    writes_.append({address, sent, accepted});
    commands_.append(command);
    if (onCommand)
        onCommand(command);
    answer(command, QByteArray(1, accepted ? SimulatedUnit::kAck : kNak));
}

} // namespace testsupport
