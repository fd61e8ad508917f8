#include "support/SimulatedUnit.h"

#include "support/SimulatedBootLoader.h"

#include "OVX_Configurator/SerialPort.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>

namespace testsupport {
namespace {

// Commands of the application firmware, longest first where one begins another ("REBT", "R").
const QList<QByteArray>& commandWords() {
    static const QList<QByteArray> words = {"REBT", "REST", "LEVL", "HOVR", "INFO", "STCK",
                                            "SERV", "SNSR", "TRIM", "TRVL", "CNCL", "ACCL",
                                            "r",    "R",    "W",    "d",    "l",    "h",    "b",
                                            "\x01", "\x02", "\x03", "\x04", "\x05", "\x06"};
    return words;
}

// How long a command word may stay incomplete before the unit takes what it has.
constexpr int kSettleMs = 30;

bool isFourLetterModel(int deviceId) {
    return deviceId == 168 || deviceId == 169 || deviceId == 170;
}

void putWord(QByteArray& bytes, int offset, int value) {
    bytes[offset] = char((value >> 8) & 0xFF);
    bytes[offset + 1] = char(value & 0xFF);
}

int wave(int counter, double amplitude, double period, double phase = 0) {
    return int(
        std::lround(amplitude * std::sin(2 * std::numbers::pi * (counter / period + phase))));
}

// Gyro rates, accelerations (one g = 8192 on Z) and two angles of a gently rocking model: the head
// of the sensor replies. `angleScale` 1 gives tenths of a degree.
void putMotion(QByteArray& p, int counter, int angleScale) {
    for (int axis = 0; axis < 3; ++axis) {
        putWord(p, 2 * axis, wave(counter, 6000, 80, axis / 3.0));
        putWord(p, 6 + 2 * axis, (axis == 2 ? 8192 : 0) + wave(counter, 1500, 120, axis / 3.0));
    }
    putWord(p, 12, wave(counter, 300 * angleScale, 100));
    putWord(p, 14, wave(counter, 200 * angleScale, 100, 0.25));
}

} // namespace

SimulatedUnit::SimulatedUnit(int deviceId)
    : notifier_(std::make_unique<QSocketNotifier>(pty_.masterFd(), QSocketNotifier::Read)),
      settleTimer_(std::make_unique<QTimer>()) {
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readInput(); });
    notifier_->setEnabled(pty_.isValid());
    settleTimer_->setSingleShot(true);
    QObject::connect(settleTimer_.get(), &QTimer::timeout, [this] { parse(true); });
    setModel(deviceId);
    bootLoader_ = std::make_unique<SimulatedBootLoader>(*this);
}

SimulatedUnit::~SimulatedUnit() {
    bootLoader_.reset();
    for (auto& [owner, id] : timers_)
        owner->cancel(id);
    notifier_.reset();
}

// ---- Identity and block ----

void SimulatedUnit::setModel(int deviceId) {
    deviceId_ = deviceId;
    firmwareVersion_ = deviceId == 166 ? 0x13 : deviceId == 168 ? 0x21 : 0x11;
    dataVersion_ = 0x10;
    block_ = defaultBlock(deviceId_, firmwareVersion_, dataVersion_);
    procedure_.clear();
    accelStepsDone_ = 0;
}

void SimulatedUnit::setFirmwareVersion(quint8 version) {
    firmwareVersion_ = version;
    if (block_.size() > 1)
        block_[1] = char(version);
}

void SimulatedUnit::setDataVersion(quint8 version) {
    dataVersion_ = version;
    const int length = blockLength(deviceId_, version);
    if (length > 0 && block_.size() != length) {
        const QByteArray old = block_;
        block_ = defaultBlock(deviceId_, firmwareVersion_, version);
        std::copy_n(old.constData(), std::min(old.size(), block_.size()), block_.data());
    }
    if (block_.size() > 2)
        block_[2] = char(version);
}

int SimulatedUnit::blockLength(int deviceId, quint8 dataVersion) {
    switch (deviceId) {
    case 166:
    case 169:
        return 71;
    case 168:
        return 91;
    case 170:
        return dataVersion == 16 ? 93 : 96;
    default:
        return 0;
    }
}

int SimulatedUnit::writePayloadLength(int deviceId, quint8 dataVersion) {
    const int length = blockLength(deviceId, dataVersion);
    return deviceId == 166 ? length - 14 : length;
}

QByteArray SimulatedUnit::defaultBlock(int deviceId, quint8 firmwareVersion, quint8 dataVersion) {
    QByteArray block(blockLength(deviceId, dataVersion), '\0');
    if (block.size() < 15)
        return block;
    block[1] = char(firmwareVersion);
    block[2] = char(dataVersion);
    if (isFourLetterModel(deviceId)) {
        for (int axis = 0; axis < 3; ++axis) { // one-g values 8192, little-endian
            block[9 + 2 * axis] = 0x00;
            block[10 + 2 * axis] = 0x20;
        }
    }
    return block;
}

int SimulatedUnit::accelCalibrationSteps(int deviceId) {
    return deviceId == 169 ? 2 : isFourLetterModel(deviceId) ? 6 : 0;
}

// ---- Live data ----

int SimulatedUnit::pollPayloadLength(int deviceId, const QByteArray& command) {
    if (deviceId == 166)
        return command == "d" ? 30 : 0;
    if (!isFourLetterModel(deviceId))
        return 0;
    if (command == "INFO")
        return 11;
    if (command == "SNSR")
        return 16;
    if (command == "STCK")
        return deviceId == 168 ? 14 : deviceId == 169 ? 18 : 22;
    if (command == "SERV")
        return deviceId == 168 ? 20 : deviceId == 169 ? 22 : 24;
    return 0;
}

void SimulatedUnit::setPollPayload(const QByteArray& command, const QByteArray& payload) {
    if (payload.isEmpty())
        pollPayloads_.remove(command);
    else
        pollPayloads_[command] = payload;
}

QByteArray SimulatedUnit::pollPayload(const QByteArray& command) {
    const int length = pollPayloadLength(deviceId_, command);
    if (pollPayloads_.contains(command)) {
        QByteArray fixed = pollPayloads_.value(command);
        fixed.resize(length, '\0');
        return fixed;
    }
    const int n = pollCounters_[command]++;
    QByteArray p(length, '\0');
    if (command == "INFO") {
        // System state: standby, or the procedure that runs.
        p[0] = char(procedure_ == "ACCL"   ? 4
                    : procedure_ == "TRIM" ? 7
                    : procedure_ == "TRVL" ? 8
                                           : 1);
        p[2] = char((n / 50) % 3);         // off, normal, lock: a new mode every 50 replies
        p[3] = char(60 + wave(n, 20, 200)); // master gain 40..80 %
        for (int k = 0; k < 7; ++k)
            p[4 + k] = char(((n / 10 + k) % 3) == 0);
    } else if (command == "SNSR") {
        putMotion(p, n, 1);
    } else if (command == "STCK") {
        const int first = deviceId_ == 168 ? 0 : 4;
        if (deviceId_ != 168)
            putWord(p, 2, 1000); // full scale
        for (int offset = first, k = 0; offset + 1 < length; offset += 2, ++k)
            putWord(p, offset, wave(n, 800, 60, k / 7.0));
    } else if (command == "SERV") {
        const int outputs = deviceId_ == 169 ? 4 : 5;
        const int first = deviceId_ == 168 ? 0 : 4;
        if (deviceId_ != 168)
            putWord(p, 2, 400); // travel span
        for (int k = 0; k < outputs; ++k) {
            putWord(p, first + 2 * k, 1500 + wave(n, 300, 60, k / 5.0));
            putWord(p, first + 2 * outputs + 2 * k, 1500);
        }
        if (deviceId_ == 169)
            putWord(p, 20, 1500 + wave(n, 300, 60, 0.8));
    } else if (command == "d") {
        putMotion(p, n, 10); // angles in hundredths of a degree
        for (int k = 0; k < 7; ++k)
            putWord(p, 16 + 2 * k, wave(n, 800, 60, k / 7.0));
    }
    return p;
}

// A procedure's result in the block: `count` signed bytes from `offset` move by one within
// -20..20, so every run leaves another block.
void SimulatedUnit::storeCalibration(int offset, int count) {
    for (int i = offset; i < offset + count && i < block_.size(); ++i) {
        const int value = static_cast<qint8>(block_[i]);
        block_[i] = char(value >= 20 || value < -20 ? -20 : value + 1);
    }
}

// ---- Record ----

int SimulatedUnit::count(const QByteArray& command) const {
    return int(std::count_if(frames_.begin(), frames_.end(), [&](const QByteArray& frame) {
        return command == "W" ? frame.startsWith('W') : frame == command;
    }));
}

void SimulatedUnit::clearRecord() {
    received_.clear();
    frames_.clear();
}

void SimulatedUnit::record(const QByteArray& frame) {
    unanswered_ = true; // until it is answered
    frames_.append(frame);
    if (onFrame)
        onFrame(frame);
}

// ---- Faults and timing ----

void SimulatedUnit::injectFault(Fault fault, const QByteArray& command, int times) {
    if (times > 0)
        faults_.append({fault, command, times});
}

void SimulatedUnit::setSplit(const QList<int>& chunkSizes, double gapSeconds) {
    splitChunks_ = chunkSizes;
    splitGap_ = gapSeconds;
}

void SimulatedUnit::setReplyDelay(const QByteArray& command, double seconds) {
    if (seconds > 0)
        replyDelays_[command] = seconds;
    else
        replyDelays_.remove(command);
}

void SimulatedUnit::releaseReplies() {
    const QList<QByteArray> held = std::exchange(held_, {});
    for (const QByteArray& bytes : held)
        pty_.write(bytes);
}

void SimulatedUnit::powerCycle() {
    procedure_.clear();
    bootLoader_->restart();
}

void SimulatedUnit::sendRaw(const QByteArray& bytes) {
    pty_.write(bytes);
}

void SimulatedUnit::hangUp() {
    if (notifier_)
        notifier_->setEnabled(false);
    pty_.hangUp();
}

bool SimulatedUnit::withholding() const {
    // The boot loader's short answers are all that comes while it runs in the application's place.
    return !timers_.empty() || !held_.isEmpty() || unanswered_ || writeRemaining_ > 0 ||
           bootLoader_->mode() != SimulatedBootLoader::Mode::Application;
}

void SimulatedUnit::emitBytes(const QByteArray& bytes) {
    if (holding_)
        held_.append(bytes);
    else
        pty_.write(bytes);
}

void SimulatedUnit::schedule(double delay, std::function<void()> fn) {
    if (delay <= 0) {
        fn();
        return;
    }
    platform::Scheduler& owner = platform::scheduler();
    auto id = std::make_shared<platform::Scheduler::Id>(0);
    *id = owner.after(delay, [this, id, owner = &owner, fn = std::move(fn)] {
        std::erase_if(timers_, [&](const auto& t) { return t.first == owner && t.second == *id; });
        fn();
    });
    timers_.emplace_back(&owner, *id);
}

void SimulatedUnit::reply(const QByteArray& command, const QByteArray& bytes) {
    unanswered_ = false;
    QByteArray out = bytes;
    std::optional<Fault> fault;
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (it->command.isEmpty() || it->command == command) {
            fault = it->fault;
            if (--it->times == 0)
                faults_.erase(it);
            break;
        }
    }
    double delay = replyDelays_.value(command, 0.0);
    if (fault) {
        switch (*fault) {
        case Fault::NoReply:
            unanswered_ = true;
            return;
        case Fault::LateReply:
            delay += lateDelay_;
            break;
        case Fault::WrongAck:
            if (!out.isEmpty())
                out[0] = 0x06;
            break;
        case Fault::BadCrc:
            if (!out.isEmpty())
                out[out.size() - 1] = char(~out[out.size() - 1]);
            break;
        case Fault::SwappedCrc:
            if (out.size() >= 2)
                std::swap(out[out.size() - 2], out[out.size() - 1]);
            break;
        case Fault::ShortReply:
            out.chop(1);
            break;
        case Fault::ExtraByte:
            out.append('\0');
            break;
        case Fault::SplitReply: {
            QList<QByteArray> chunks;
            qsizetype at = 0;
            for (int size : splitChunks_) {
                if (at >= out.size())
                    break;
                chunks.append(out.mid(at, size));
                at += size;
            }
            if (at < out.size())
                chunks.append(out.mid(at));
            for (int i = 0; i < chunks.size(); ++i) {
                schedule(delay + i * splitGap_, [this, chunk = chunks[i]] { emitBytes(chunk); });
            }
            return;
        }
        }
    }
    schedule(delay, [this, out] { emitBytes(out); });
}

// `lead`, the payload, its CRC high and low byte.
static QByteArray framed(char lead, const QByteArray& payload) {
    const std::uint16_t crc = crc16Modbus(payload, 0, payload.size());
    QByteArray frame(1, lead);
    frame.append(payload);
    frame.append(char(crc >> 8));
    frame.append(char(crc & 0xFF));
    return frame;
}

QByteArray SimulatedUnit::dataFrame(const QByteArray& payload) {
    return framed(kAck, payload);
}

QByteArray writeFrame(const QByteArray& block) {
    return framed('W', block);
}

// ---- Input ----

void SimulatedUnit::readInput() {
    const QByteArray bytes = pty_.readAvailable();
    if (bytes.isEmpty())
        return;
    received_.append(bytes);
    input_.append(bytes);
    parse(false);
}

// Takes commands off the front of the input. A word that may still grow into a longer one
// ("R" before "REBT") waits for more input, at most kSettleMs; `settled` takes what is there.
void SimulatedUnit::parse(bool settled) {
    settleTimer_->stop();
    while (!input_.isEmpty()) {
        if (writeRemaining_ > 0) {
            const qsizetype take = std::min<qsizetype>(writeRemaining_, input_.size());
            writeFrame_.append(input_.left(take));
            input_.remove(0, take);
            writeRemaining_ -= int(take);
            if (writeRemaining_ == 0)
                handleWrite(std::exchange(writeFrame_, {}));
            continue;
        }
        if (inputHandler_) {
            const int used = inputHandler_(input_);
            if (used > 0) {
                input_.remove(0, std::min<qsizetype>(used, input_.size()));
                continue;
            }
            if (used == 0)
                return;
        }
        QByteArray match;
        bool mayGrow = false;
        for (const QByteArray& word : commandWords()) {
            if (input_.startsWith(word)) {
                if (word.size() > match.size())
                    match = word;
            } else if (word.startsWith(input_)) {
                mayGrow = true;
            }
        }
        if (mayGrow && !settled) {
            settleTimer_->start(kSettleMs);
            return;
        }
        if (match.isEmpty()) {
            input_.remove(0, 1); // not a command of this unit
            continue;
        }
        input_.remove(0, match.size());
        handleWord(match);
    }
}

// Answers one command word; "W" opens a frame whose payload follows.
void SimulatedUnit::handleWord(const QByteArray& word) {
    if (word == "W") {
        const int length = writeLengthOverride_ > 0 ? writeLengthOverride_
                                                    : writePayloadLength(deviceId_, dataVersion_);
        writeFrame_ = word;
        writeRemaining_ = length + 2;
        return;
    }
    record(word);
    const bool fourLetter = isFourLetterModel(deviceId_);
    const QByteArray ack(1, kAck);
    const QByteArray dualAck(2, kAck);
    if (word == "r") {
        QByteArray identity;
        identity.append(char(deviceId_));
        identity.append(char(firmwareVersion_));
        identity.append(char(dataVersion_));
        reply(word, dataFrame(identity));
    } else if (word == "R") {
        reply(word, dataFrame(block_));
    } else if (word == "REBT" || (word == "b" && deviceId_ == 168)) {
        procedure_.clear();
        reply(word, ack);
        bootLoader_->restart();
    } else if (word == "REST") {
        block_ = defaultBlock(deviceId_, firmwareVersion_, dataVersion_);
        reply(word, ack);
    } else if ((word == "LEVL" || word == "HOVR") && fourLetter) {
        storeCalibration(word == "LEVL" ? kLevelOffsets : kHoverOffsets, 2);
        reply(word, dualAck);
    } else if ((word == "l" || word == "h") && deviceId_ == 166) {
        reply(word, dualAck);
    } else if (pollPayloadLength(deviceId_, word) > 0) {
        const QByteArray payload = pollPayload(word);
        reply(word, word == "d" ? ack + payload : dataFrame(payload));
    } else if ((word == "TRIM" || word == "TRVL") && deviceId_ == 168) {
        procedure_ = word;
        reply(word, ack);
    } else if (word == "ACCL" && fourLetter) {
        procedure_ = word;
        accelStepsDone_ = 0;
        reply(word, ack);
    } else if (word == "CNCL" && fourLetter) {
        if (procedure_ == "TRIM") // the trims found are kept
            storeCalibration(kSubTrims168, 5);
        procedure_.clear();
        reply(word, ack);
    } else if (word.size() == 1 && word[0] >= 1 && word[0] <= 6 && fourLetter) {
        const int step = word[0];
        if (procedure_ != "ACCL" || step > accelCalibrationSteps(deviceId_)) {
            reply(word, QByteArray(2, kNak));
        } else {
            accelStepsDone_ = std::max(accelStepsDone_, step);
            if (step == accelCalibrationSteps(deviceId_)) {
                procedure_.clear();
                storeCalibration(kAccelOffsets, 6);
            }
            reply(word, dualAck);
        }
    }
}

// A complete "W" frame: letter, payload, CRC high, CRC low.
void SimulatedUnit::handleWrite(const QByteArray& frame) {
    record(frame);
    const QByteArray payload = frame.mid(1, frame.size() - 3);
    const std::uint16_t crc = crc16Modbus(payload, 0, payload.size());
    const bool crcOk = quint8(frame[frame.size() - 2]) == (crc >> 8) &&
                       quint8(frame[frame.size() - 1]) == (crc & 0xFF);
    const int acks = deviceId_ == 166 ? 2 : 1;
    if (!crcOk) {
        reply("W", QByteArray(acks, kNak));
        return;
    }
    if (block_.size() < payload.size())
        block_.resize(payload.size(), '\0');
    std::copy(payload.begin(), payload.end(), block_.begin());
    if (block_.size() > 2) { // the unit keeps its own versions
        block_[1] = char(firmwareVersion_);
        block_[2] = char(dataVersion_);
    }
    reply("W", QByteArray(acks, kAck));
}

} // namespace testsupport
