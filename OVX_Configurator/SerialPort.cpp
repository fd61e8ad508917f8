#include "OVX_Configurator/SerialPort.h"

#include "platform/MainQueue.h"
#include "platform/NotificationCenter.h"

#include <algorithm>
#include <utility>

namespace {
constexpr char kAck = 0x0D;
using platform::run;
} // namespace

std::uint16_t crc16Modbus(const QByteArray& bytes, qsizetype start, qsizetype count) {
    std::uint16_t crc = 0xFFFF;
    for (qsizetype i = start; i < start + count; ++i) {
        crc ^= static_cast<std::uint8_t>(bytes[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001)
                            : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

// ---- Life ----

SerialPort::SerialPort() = default;

std::shared_ptr<SerialPort> SerialPort::create() {
    std::shared_ptr<SerialPort> link(new SerialPort);
    link->refreshPortList();
    return link;
}

SerialPort::~SerialPort() {
    for (const auto& weak : delegatedPorts_) {
        auto port = weak.lock();
        if (port && port->delegate() == this)
            port->setDelegate(nullptr);
    }
    if (serialPort_)
        serialPort_->close();
}

bool SerialPort::isOpen() const {
    return serialPort_ && serialPort_->isOpen();
}

// ---- Ports ----

void SerialPort::refreshPortList() {
    if (serialPort_)
        serialPort_->close();
    serialPortManager_ = TTYSerialPortManager::sharedSerialPortManager();
    availablePorts_.clear();
    listedDevices_.clear();
    for (const auto& port : serialPortManager_->availablePorts()) {
        availablePorts_[port->name()] = port->path();
        listedDevices_[port->name()] = port->device();
    }
}

void SerialPort::connect(const QString& portName, Callback onOpened, Callback onFailed) {
    auto entry = listedDevices_.constFind(portName);
    if (entry == listedDevices_.constEnd())
        return;
    portName_ = portName;
    giveUpDeferred();
    // The port of the device as the port list knows it: a device whose node has gone or is no
    // serial device any more fails to open like any other, and says so.
    serialPort_ = TTYSerialPort::create(entry.value());
    serialPort_->setBaudRate(115200);
    serialPort_->setNumberOfDataBits(8);
    serialPort_->setNumberOfStopBits(1);
    serialPort_->setParity(TTYSerialPort::ParityNone);
    serialPort_->setDelegate(this);
    std::erase_if(delegatedPorts_, [](const auto& weak) { return weak.expired(); });
    delegatedPorts_.push_back(serialPort_);
    serialPort_->open();
    reportAfterDelay(std::move(onOpened), std::move(onFailed), true);
}

void SerialPort::disconnect(Callback onClosed, Callback onFailed) {
    giveUpDeferred();
    if (serialPort_)
        serialPort_->close();
    reportAfterDelay(std::move(onClosed), std::move(onFailed), false);
}

// After the check delay: onDone when the port is open (wantOpen) or closed (not wantOpen),
// onFailed otherwise; nothing when there is no port object by then.
void SerialPort::reportAfterDelay(Callback onDone, Callback onFailed, bool wantOpen) {
    std::weak_ptr<SerialPort> weak = weak_from_this();
    platform::scheduler().after(connectCheckDelay, [weak, onDone = std::move(onDone),
                                                    onFailed = std::move(onFailed), wantOpen] {
        auto link = weak.lock();
        if (!link || !link->serialPort_)
            return;
        run(link->serialPort_->isOpen() == wantOpen ? onDone : onFailed);
    });
}

// ---- Requests ----

bool SerialPort::canStart() const {
    return !busy_ && !held_ && !deferred_ && isOpen();
}

void SerialPort::resetState() {
    dataReceived_ = false;
    dataSizeReceived_ = 0;
    userSuccessCallback_ = nullptr;
    userErrorCallback_ = nullptr;
    userTimeoutCallback_ = nullptr;
    receiveBuff_.clear();
    checkTimeout_.stop();
    splitTimer_.stop();
    pending_ = Pending::None;
}

bool SerialPort::sendCommand(const QByteArray& command, bool setBusy, double timeout,
                             Callback onSuccess, Callback onError, Callback onTimeout) {
    return sendWord(command, {}, 1, ResponseType::SingleAckReply, setBusy, timeout,
                    std::move(onSuccess), std::move(onError), std::move(onTimeout));
}

bool SerialPort::sendCommandDualAck(const QByteArray& command, bool setBusy, double timeout,
                                    Callback onSuccess, Callback onError, Callback onTimeout) {
    return sendWord(command, {}, 2, ResponseType::DualAckReply, setBusy, timeout,
                    std::move(onSuccess), std::move(onError), std::move(onTimeout));
}

bool SerialPort::requestDataFrame(const QByteArray& command, qsizetype n, bool setBusy,
                                  double timeout, Callback onSuccess, Callback onError,
                                  Callback onTimeout) {
    return n >= 0 && sendWord(command, {}, n + 3, ResponseType::DataFrame, setBusy, timeout,
                              std::move(onSuccess), std::move(onError), std::move(onTimeout));
}

bool SerialPort::requestBytes(const QByteArray& command, qsizetype n, bool setBusy, double timeout,
                              Callback onSuccess, Callback onError, Callback onTimeout) {
    return n >= 1 && sendWord(command, {}, n, ResponseType::SingleByteRead, setBusy, timeout,
                              std::move(onSuccess), std::move(onError), std::move(onTimeout));
}

bool SerialPort::sendDataFrame(const QByteArray& command, const QByteArray& payload, qsizetype n,
                               bool setBusy, double timeout, Callback onSuccess, Callback onError,
                               Callback onTimeout) {
    return sendFramed(command, {}, payload, n, false, setBusy, timeout, std::move(onSuccess),
                      std::move(onError), std::move(onTimeout));
}

bool SerialPort::sendDataFrameSplit(const QByteArray& command, const QByteArray& payload,
                                    qsizetype n, bool setBusy, double timeout, Callback onSuccess,
                                    Callback onError, Callback onTimeout) {
    return sendFramed(command, {}, payload, n, true, setBusy, timeout, std::move(onSuccess),
                      std::move(onError), std::move(onTimeout));
}

bool SerialPort::sendAddressedFrame(const QByteArray& command, AddressMode addressMode,
                                    std::uint32_t address, const QByteArray& payload, qsizetype n,
                                    bool setBusy, double timeout, Callback onSuccess,
                                    Callback onError, Callback onTimeout) {
    QByteArray addressBytes;
    if (addressMode == AddressMode::_24BIT)
        addressBytes.append(char((address >> 16) & 0xFF));
    addressBytes.append(char((address >> 8) & 0xFF));
    addressBytes.append(char(address & 0xFF));
    return sendFramed(command, addressBytes, payload, n, false, setBusy, timeout,
                      std::move(onSuccess), std::move(onError), std::move(onTimeout));
}

// Starts a request that writes `command` (and, when `second` is not empty, `second` after the
// split pause) and expects `expectedSize` bytes of `type`.
bool SerialPort::sendWord(const QByteArray& command, const QByteArray& second, qint64 expectedSize,
                          ResponseType type, bool setBusy, double timeout, Callback onSuccess,
                          Callback onError, Callback onTimeout) {
    Request request;
    request.firstWrite = command;
    request.secondWrite = second;
    request.expectedSize = expectedSize;
    request.type = type;
    request.setBusy = setBusy;
    request.timeout = timeout;
    request.onSuccess = std::move(onSuccess);
    request.onError = std::move(onError);
    request.onTimeout = std::move(onTimeout);
    return startRequest(std::move(request));
}

// Builds the frame (letter, address, the first n payload bytes, their CRC high and low byte) into
// sendBuff and sends it in one write expecting one acknowledge byte, or (split) the letter, the
// pause and the rest, expecting two. A missing letter or a count that does not fit is refused.
bool SerialPort::sendFramed(const QByteArray& command, const QByteArray& address,
                            const QByteArray& payload, qsizetype n, bool split, bool setBusy,
                            double timeout, Callback onSuccess, Callback onError,
                            Callback onTimeout) {
    if (command.isEmpty() || n < 0 || n > payload.size() || !canStart())
        return false;
    const std::uint16_t crc = crc16Modbus(payload, 0, n);
    sendBuff_.clear();
    sendBuff_.append(command[0]);
    sendBuff_.append(address);
    sendBuff_.append(payload.constData(), n);
    sendBuff_.append(char(crc >> 8));
    sendBuff_.append(char(crc & 0xFF));
    if (split)
        return sendWord(sendBuff_.left(1), sendBuff_.mid(1), 2, ResponseType::DualAckReply, setBusy,
                        timeout, std::move(onSuccess), std::move(onError), std::move(onTimeout));
    return sendWord(sendBuff_, {}, 1, ResponseType::SingleAckReply, setBusy, timeout,
                    std::move(onSuccess), std::move(onError), std::move(onTimeout));
}

// Accepts a request when the link is free and the port open. The request goes out once the line
// is its own: after the reply of a poll still due (or the poll's time-out), and after a time-out,
// once the line has fallen quiet; so it is never judged on the bytes of another exchange. Polls
// are refused while it waits. A line that does not fall quiet in time ends it as a time-out.
bool SerialPort::startRequest(Request request) {
    if (!canStart())
        return false;
    busy_ = request.setBusy;
    deferred_ = std::move(request);
    startDeferred();
    return true;
}

// Seconds the next exchange must still wait for the line to fall quiet after a time-out (0 once
// the quiet is over; sums of clock steps land a hair short of it).
double SerialPort::waitBeforeRequest() const {
    const double wait = settling_ ? quietUntil_ - platform::scheduler().now() : 0.0;
    return wait > 1e-6 ? wait : 0.0;
}

void SerialPort::startDeferred() {
    deferTimer_.stop();
    if (!deferred_ || pending_ == Pending::Poll) // the poll's end starts it again
        return;
    if (const double wait = waitBeforeRequest(); wait > 0) {
        const double now = platform::scheduler().now();
        if (!quietDeadline_)
            quietDeadline_ = now + lateReplyAllowance;
        const double left = *quietDeadline_ - now;
        if (left > 1e-6) {
            deferTimer_.start(std::min(wait, left), [this] { startDeferred(); });
            return;
        }
        // Past the bound, only a line that keeps bringing bytes ends the wait; one that fell
        // quiet is waited for to the end of its quiet (at most lateReplyAllowance after its
        // last byte).
        if (now - lastByteAt_ < quietAfterTimeout - 1e-6) {
            giveUpDeferred();
            return;
        }
        deferTimer_.start(wait, [this] { startDeferred(); });
        return;
    }
    settling_ = false; // what came before the quiet was discarded
    quietDeadline_.reset();
    Request request = std::move(*deferred_);
    deferred_.reset();
    begin(std::move(request));
}

void SerialPort::begin(Request request) {
    lastRequestUnwritten_ = false;
    busy_ = request.setBusy;
    resetState();
    pending_ = Pending::Request;
    expectedDataSize_ = request.expectedSize;
    expectedResponseType_ = request.type;
    userSuccessCallback_ = std::move(request.onSuccess);
    userErrorCallback_ = std::move(request.onError);
    userTimeoutCallback_ = std::move(request.onTimeout);
    writeFirst(request.firstWrite);
    const double timeout = request.timeout;
    if (request.secondWrite.isEmpty()) {
        checkTimeout_.start(timeout, [this] { handleTimeout(); });
        return;
    }
    splitTimer_.start(splitPause, [this, second = request.secondWrite, timeout] {
        write(second);
        checkTimeout_.start(timeout, [this] { handleTimeout(); });
    });
}

bool SerialPort::sendLastWord(const QByteArray& command) {
    return isOpen() && serialPort_->sendData(command);
}

void SerialPort::write(const QByteArray& bytes) {
    if (serialPort_)
        serialPort_->sendData(bytes); // a failed write ends in the time-out
}

// The write that starts an exchange. Every byte that came before it, whether still unread or
// read and not yet handed to this link, is dropped: only what comes after it can be its reply.
void SerialPort::writeFirst(const QByteArray& bytes) {
    if (serialPort_)
        serialPort_->discardInput();
    write(bytes);
}

// ---- Polls ----

bool SerialPort::pollDataFrame(const QByteArray& command, qsizetype n, Callback onSuccess) {
    return n >= 0 && poll(command, n + 3, ResponseType::DataFrame, std::move(onSuccess));
}

bool SerialPort::pollDataFrameWithoutCRC(const QByteArray& command, qsizetype n,
                                         Callback onSuccess) {
    return n >= 0 &&
           poll(command, n + 1, ResponseType::DataFrameWithoutCRC, std::move(onSuccess));
}

bool SerialPort::poll(const QByteArray& command, qsizetype size, ResponseType type,
                      Callback onSuccess) {
    if (!canStart() || pending_ != Pending::None || waitBeforeRequest() > 0)
        return false;
    settling_ = false;
    resetState();
    pending_ = Pending::Poll;
    expectedDataSize_ = size;
    expectedResponseType_ = type;
    userSuccessCallback_ = std::move(onSuccess);
    writeFirst(command);
    checkTimeout_.start(pollTimeout, [this] { handleTimeout(); });
    return true;
}

// ---- Replies ----

void SerialPort::serialPortDidReceiveData(const std::shared_ptr<TTYSerialPort>& port,
                                          const QByteArray& data) {
    // A port left behind by a later connect may still report: its bytes are no reply.
    if (data.isEmpty() || port != serialPort_)
        return;
    lastByteAt_ = platform::scheduler().now();
    if (settling_ && pending_ == Pending::None) { // a late reply: the quiet starts again
        settleAfter(data.size());
        startDeferred();
    }
    dataSizeReceived_ += data.size();
    // Bytes nobody waits for, and bytes past the expected length (that reply can no longer
    // complete), are counted but not kept: a device that keeps talking never fills the memory.
    if (pending_ == Pending::None || dataSizeReceived_ > expectedDataSize_)
        return;
    receiveBuff_.append(data);
    if (dataSizeReceived_ == expectedDataSize_) {
        dataReceived_ = true;
        checkResponse();
    }
}

void SerialPort::checkResponse() {
    if (!dataReceived_ || pending_ == Pending::None)
        return;
    const bool wasRequest = pending_ == Pending::Request;
    pending_ = Pending::None;
    if (wasRequest)
        busy_ = false;
    checkTimeout_.stop();

    const qint64 m = expectedDataSize_;
    const QByteArray& r = receiveBuff_;
    bool good = false;
    if (dataSizeReceived_ == m && r.size() == m && m > 0) {
        switch (expectedResponseType_) {
        case ResponseType::SingleByteRead:
            data_ = r.left(1);
            good = true;
            break;
        case ResponseType::SingleAckReply:
            good = r[0] == kAck;
            break;
        case ResponseType::DualAckReply:
            good = m >= 2 && r[0] == kAck && r[1] == kAck;
            break;
        case ResponseType::DataFrame:
            if (m >= 3 && r[0] == kAck &&
                crc16Modbus(r, 1, m - 3) == quint8(r[m - 2]) * 256 + quint8(r[m - 1])) {
                data_ = r.mid(1, m - 3);
                good = true;
            }
            break;
        case ResponseType::DataFrameWithoutCRC:
            if (r[0] == kAck) {
                data_ = r.mid(1, m - 1);
                good = true;
            }
            break;
        }
    }
    run(good ? userSuccessCallback_ : userErrorCallback_);
    if (!wasRequest)
        startDeferred();
}

void SerialPort::handleTimeout() {
    if (dataReceived_ || pending_ == Pending::None)
        return;
    const bool wasRequest = pending_ == Pending::Request;
    pending_ = Pending::None; // a late reply is not judged any more
    const qint64 due = expectedDataSize_ - dataSizeReceived_;
    const bool dataFrame = expectedResponseType_ == ResponseType::DataFrame ||
                           expectedResponseType_ == ResponseType::DataFrameWithoutCRC;
    lateBytesDue_ = dataFrame ? std::max<qint64>(due, 0) : 0;
    settling_ = true;
    settleAfter(0);
    if (!wasRequest) {
        startDeferred();
        return;
    }
    busy_ = false;
    run(userTimeoutCallback_);
}

// The line must stay quiet a while from now, after `lateBytes` more bytes of the timed-out
// exchange came: briefly once its frame is whole (or it was no data frame), else long enough
// for the rest of its data frame to come.
void SerialPort::settleAfter(qint64 lateBytes) {
    lateBytesDue_ = std::max<qint64>(lateBytesDue_ - lateBytes, 0);
    quietUntil_ = platform::scheduler().now() +
                  (lateBytesDue_ > 0 ? lateReplyAllowance : quietAfterTimeout);
}

// ---- Port events ----

void SerialPort::post(const char* name, const std::shared_ptr<TTYSerialPort>& port) {
    platform::NotificationCenter::defaultCenter().post(name, nullptr, {{"0", port}});
}

void SerialPort::serialPortWasOpened(const std::shared_ptr<TTYSerialPort>& port) {
    post(serialPortWasOpenedNotification, port);
}

void SerialPort::serialPortWasClosed(const std::shared_ptr<TTYSerialPort>& port) {
    if (port == serialPort_)
        giveUpDeferred();
    post(serialPortWasClosedNotification, port);
}

void SerialPort::serialPortWasRemovedFromSystem(const std::shared_ptr<TTYSerialPort>& port) {
    // A port left behind going takes nothing from the current one. The current one going ends
    // the exchange on it: no reply can come, so no time-out follows the removal's own message.
    if (port == serialPort_)
        endExchange();
    post(serialPortWasRemovedNotification, port);
    if (port == serialPort_)
        serialPort_.reset();
}

void SerialPort::endExchange() {
    resetState();
    deferTimer_.stop();
    deferred_.reset();
    quietDeadline_.reset();
    busy_ = false;
    settling_ = false;
    lateBytesDue_ = 0;
}

// The request waiting for the line ends as unanswered, and nothing of it is written: the line
// did not fall quiet in time, or its port closed (it must not go out on whatever port is opened
// next). The next exchange still waits for the quiet.
void SerialPort::giveUpDeferred() {
    if (!deferred_)
        return;
    Callback onTimeout = std::move(deferred_->onTimeout);
    deferred_.reset();
    deferTimer_.stop();
    quietDeadline_.reset();
    busy_ = false;
    lastRequestUnwritten_ = true;
    run(onTimeout);
}

void SerialPort::serialPortDidEncounterError(const std::shared_ptr<TTYSerialPort>& port,
                                             const TTYSerialPortError&) {
    post(serialPortErrorNotification, port);
}
