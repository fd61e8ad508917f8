#include "TTYSerialPort/TTYSerialPort.h"

#include "platform/Fatal.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"

#include <QFile>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// Every live port object, not owned.
std::mutex& registryMutex() {
    static std::mutex m;
    return m;
}

std::vector<std::weak_ptr<TTYSerialPort>>& registry() {
    static std::vector<std::weak_ptr<TTYSerialPort>> ports;
    return ports;
}

// The termios speed for a rate in bits per second, or B0 when the rate is not a standard one.
speed_t speedFor(quint32 rate) {
    static const std::pair<quint32, speed_t> table[] = {
        {50, B50},           {75, B75},           {110, B110},         {134, B134},
        {150, B150},         {200, B200},         {300, B300},         {600, B600},
        {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
        {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
        {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
        {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
        {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
        {3500000, B3500000}, {4000000, B4000000},
    };
    for (const auto& [bps, speed] : table) {
        if (bps == rate)
            return speed;
    }
    return B0;
}

// The errors with which a device that has gone answers.
bool isGoneError(int code) {
    return code == EIO || code == ENXIO || code == ENODEV;
}

// The errors with which a descriptor says it does not support a terminal or lock call.
bool isNotSupported(int code) {
    return code == ENOTTY || code == EINVAL;
}

} // namespace

std::shared_ptr<TTYSerialPort> TTYSerialPort::create(const QString& path) {
    std::optional<TTYSerialDevice> device = TTYSerialDevice::fromPath(path);
    if (!device)
        return nullptr;
    return create(*device);
}

std::shared_ptr<TTYSerialPort> TTYSerialPort::create(const TTYSerialDevice& device) {
    if (device.calloutPath.isEmpty())
        platform::fatal("-[TTYSerialPort initWithDevice:] requires non-zero device argument.");
    if (auto existing = existingPortWithPath(device.calloutPath);
        existing && existing->device_.isSameDevice(device))
        return existing;
    auto port = std::make_shared<TTYSerialPort>(Passkey{}, device);
    std::lock_guard lock(registryMutex());
    registry().push_back(port);
    return port;
}

std::shared_ptr<TTYSerialPort> TTYSerialPort::existingPortWithPath(const QString& path) {
    std::lock_guard lock(registryMutex());
    for (const auto& entry : registry()) {
        auto port = entry.lock();
        if (port && port->path() == path)
            return port;
    }
    return nullptr;
}

TTYSerialPort::TTYSerialPort(Passkey, const TTYSerialDevice& device) : device_(device) {}

TTYSerialPort::~TTYSerialPort() {
    {
        std::lock_guard lock(registryMutex());
        auto& ports = registry();
        ports.erase(std::remove_if(ports.begin(), ports.end(),
                                   [](const auto& entry) { return entry.expired(); }),
                    ports.end());
    }
    pendingRequestTimeoutTimer_.stop();
    if (isOpen())
        reallyClosePort(true);
}

std::size_t TTYSerialPort::hash() const {
    return qHash(path());
}

bool TTYSerialPort::isReading() const {
    return readPollSource_ && readPollSource_->isEnabled();
}

// ---- opening and closing ----

void TTYSerialPort::open() {
    if (isOpen())
        return;
    // Reports run the delegate at once, and a delegate may let go of its last reference.
    const auto keepAlive = shared_from_this();
    const QByteArray node = QFile::encodeName(path());
    const int fd = ::open(node.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reportError(errno);
        return;
    }
    bool exclusive = false;
    auto fail = [&](int code) {
        if (exclusive)
            ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        reportError(code);
    };
    // Exclusive access: first the lock that keeps out every program asking for it, then the
    // exclusive mode that keeps other users out (root excepted) while the port is open.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && !isNotSupported(errno))
        return fail(errno);
    if (::ioctl(fd, TIOCEXCL) == 0)
        exclusive = true;
    else if (!isNotSupported(errno))
        return fail(errno);
    termios attributes{};
    if (::tcgetattr(fd, &attributes) != 0)
        return fail(errno);
    // From now on writes and reads block; a read is made only when poll finds the line
    // readable (readAvailableBytes).
    if (::fcntl(fd, F_SETFL, 0) != 0)
        return fail(errno);

    fileDescriptor_ = fd;
    originalPortAttributes_ = attributes;
    removalReported_ = false;
    int bits = 0;
    hasModemLines_ = ::ioctl(fd, TIOCMGET, &bits) == 0 || !isNotSupported(errno);
    setPortOptions();
    updateModemLines();

    postReport([](TTYSerialPortDelegate& d, const auto& port) { d.serialPortWasOpened(port); });

    readPollSource_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    // The handlers hold the port while they run: a delegate may drop the last reference.
    QObject::connect(readPollSource_.get(), &QSocketNotifier::activated,
                     [weak = weak_from_this()]() {
                         if (auto self = weak.lock())
                             self->readAvailableBytes();
                     });
    if (hasModemLines_) {
        pinPollTimer_.startRepeating(0.010, [weak = weak_from_this()]() {
            if (auto self = weak.lock())
                self->pollModemLines();
        });
    }
}

bool TTYSerialPort::close() {
    if (isOpen()) {
        const auto keepAlive = shared_from_this();
        reallyClosePort(false);
    }
    return true;
}

void TTYSerialPort::reallyClosePort(bool quietly) {
    readPollSource_.reset();
    pinPollTimer_.stop();
    const int fd = fileDescriptor_;
    termios attributes{};
    if (::tcgetattr(fd, &attributes) == 0) {
        attributes.c_cflag &= ~CRTSCTS;
        ::tcsetattr(fd, TCSANOW, &attributes);
    }
    ::tcsetattr(fd, TCSADRAIN, &originalPortAttributes_);
    ::ioctl(fd, TIOCNXCL);
    // On Linux the descriptor is released even when close fails, so the port counts as closed
    // either way: keeping the number would let a later write reach whatever reuses it.
    const bool closed = ::close(fd) == 0;
    const int code = errno;
    fileDescriptor_ = -1;
    hasModemLines_ = false;
    if (quietly)
        return;
    endRequests();
    if (!closed)
        reportError(code);
    reportNow([](TTYSerialPortDelegate& d, const auto& port) { d.serialPortWasClosed(port); });
}

void TTYSerialPort::cleanupAfterSystemRemoval() {
    const auto keepAlive = shared_from_this();
    if (!removalReported_) {
        removalReported_ = true;
        reportNow([](TTYSerialPortDelegate& d, const auto& port) {
            d.serialPortWasRemovedFromSystem(port);
        });
    }
    close();
}

void TTYSerialPort::cleanup() {
    platform::logLine("WARNING: Cleanup is deprecated and was never intended to be called "
                      "publicly. You should update your code to avoid calling this method.");
    cleanupAfterSystemRemoval();
}

void TTYSerialPort::deviceWasRemoved() {
    // Stop watching at once: a hung-up descriptor stays readable forever.
    if (readPollSource_)
        readPollSource_->setEnabled(false);
    pinPollTimer_.stop();
    cleanupAfterSystemRemoval();
}

// ---- line settings ----

termios TTYSerialPort::configuredAttributes(termios t) const {
    // 1. A raw line; as the BSD cfmakeraw, also no input flow control and no parity check.
    ::cfmakeraw(&t);
    t.c_iflag &= ~(IXOFF | IXANY | INPCK);
    // 2. Reads return once a byte came, or 0.2 s after the last one (reads are made only when
    // bytes are there, so they never wait).
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 2;
    // 3. Character size: 7 or 8 bits; any other count leaves the field cleared.
    t.c_cflag &= ~CSIZE;
    if (numberOfDataBits_ == 7)
        t.c_cflag |= CS7;
    else if (numberOfDataBits_ == 8)
        t.c_cflag |= CS8;
    // 4. Parity.
    if (parity_ == ParityEven) {
        t.c_cflag |= PARENB;
        t.c_cflag &= ~PARODD;
    } else if (parity_ == ParityOdd) {
        t.c_cflag |= PARENB | PARODD;
    } else {
        t.c_cflag &= ~(PARENB | PARODD); // no odd flag is inherited either
    }
    // 5. Stop bits.
    if (numberOfStopBits_ >= 2)
        t.c_cflag |= CSTOPB;
    else
        t.c_cflag &= ~CSTOPB;
    // 6. Echo.
    if (shouldEchoReceivedData_)
        t.c_lflag |= ECHO;
    else
        t.c_lflag &= ~ECHO;
    // 7. RTS/CTS flow control (Linux has no DTR/DSR or DCD output flow control flags).
    if (usesRTSCTSFlowControl_)
        t.c_cflag |= CRTSCTS;
    else
        t.c_cflag &= ~CRTSCTS;
    // 8. Receiver on, hang up on the last close, modem status lines ignored.
    t.c_cflag |= CREAD | HUPCL | CLOCAL;
    // 9. No canonical input, no signal characters.
    t.c_lflag &= ~(ICANON | ISIG);
    // 10. The speed (left as it is for a rate that is not a standard one).
    if (const speed_t speed = speedFor(baudRate_); speed != B0)
        ::cfsetspeed(&t, speed);
    return t;
}

bool TTYSerialPort::setPortOptions() {
    if (!isOpen())
        return true;
    termios t{};
    if (::tcgetattr(fileDescriptor_, &t) != 0) {
        reportError(errno);
        return false;
    }
    t = configuredAttributes(t);
    if (::tcsetattr(fileDescriptor_, TCSANOW, &t) != 0) {
        reportError(errno);
        return false;
    }
    if (speedFor(baudRate_) == B0) {
        reportError(EINVAL);
        return false;
    }
    return true;
}

void TTYSerialPort::setBaudRate(quint32 baudRate) {
    baudRate_ = baudRate;
    setPortOptions();
}

void TTYSerialPort::setNumberOfStopBits(unsigned numberOfStopBits) {
    if (numberOfStopBits == numberOfStopBits_)
        return;
    numberOfStopBits_ = numberOfStopBits;
    setPortOptions();
}

void TTYSerialPort::setNumberOfDataBits(unsigned numberOfDataBits) {
    if (numberOfDataBits == numberOfDataBits_)
        return;
    numberOfDataBits_ = numberOfDataBits;
    setPortOptions();
}

void TTYSerialPort::setParity(unsigned parity) {
    if (parity == parity_)
        return;
    parity_ = parity > ParityEven ? ParityNone : parity;
    setPortOptions();
}

void TTYSerialPort::setShouldEchoReceivedData(bool shouldEchoReceivedData) {
    if (shouldEchoReceivedData == shouldEchoReceivedData_)
        return;
    shouldEchoReceivedData_ = shouldEchoReceivedData;
    setPortOptions();
}

namespace {
// Stores a flow-control flag: an open port is closed, reconfigured and opened again.
void changeFlowControl(TTYSerialPort& port, bool& flag, bool value) {
    if (flag == value)
        return;
    const auto keepAlive = port.shared_from_this();
    const bool wasOpen = port.isOpen();
    port.close();
    flag = value;
    if (wasOpen)
        port.open();
}
} // namespace

void TTYSerialPort::setUsesRTSCTSFlowControl(bool value) {
    changeFlowControl(*this, usesRTSCTSFlowControl_, value);
}

void TTYSerialPort::setUsesDTRDSRFlowControl(bool value) {
    changeFlowControl(*this, usesDTRDSRFlowControl_, value);
}

void TTYSerialPort::setUsesDCDOutputFlowControl(bool value) {
    changeFlowControl(*this, usesDCDOutputFlowControl_, value);
}

// ---- modem lines ----

void TTYSerialPort::setRTS(bool RTS) {
    if (RTS == RTS_)
        return;
    RTS_ = RTS;
    updateModemLines();
}

void TTYSerialPort::setDTR(bool DTR) {
    if (DTR == DTR_)
        return;
    DTR_ = DTR;
    updateModemLines();
}

void TTYSerialPort::updateModemLines() {
    if (!isOpen() || !hasModemLines_)
        return;
    int bits = 0;
    ::ioctl(fileDescriptor_, TIOCMGET, &bits);
    bits = RTS_ ? (bits | TIOCM_RTS) : (bits & ~TIOCM_RTS);
    bits = DTR_ ? (bits | TIOCM_DTR) : (bits & ~TIOCM_DTR);
    if (::ioctl(fileDescriptor_, TIOCMSET, &bits) != 0)
        reportError(errno);
}

void TTYSerialPort::pollModemLines() {
    if (!isOpen()) {
        pinPollTimer_.stop();
        return;
    }
    int bits = 0;
    if (::ioctl(fileDescriptor_, TIOCMGET, &bits) != 0) {
        const int code = errno;
        // One report, not one every 10 ms.
        pinPollTimer_.stop();
        reportError(code);
        if (isGoneError(code))
            deviceWasRemoved();
        return;
    }
    CTS_ = (bits & TIOCM_CTS) != 0;
    DSR_ = (bits & TIOCM_DSR) != 0;
    DCD_ = (bits & TIOCM_CD) != 0;
}

// ---- reading and writing ----

void TTYSerialPort::readAvailableBytes() {
    if (!isOpen())
        return;
    // Reads on the blocking descriptor wait for a byte: a wake-up whose bytes were discarded
    // meanwhile (discardInput) must not read, or the program would hang until the next byte.
    pollfd ready{fileDescriptor_, POLLIN, 0};
    if (::poll(&ready, 1, 0) == 0)
        return;
    char buffer[1024];
    const ssize_t n = ::read(fileDescriptor_, buffer, sizeof buffer);
    const int code = errno;
    if (n > 0) {
        receive(QByteArray(buffer, static_cast<qsizetype>(n)));
        return;
    }
    if (n < 0 && (code == EAGAIN || code == EINTR))
        return;
    if (n == 0) {
        // Nothing to read: a hung-up device, unless the wake-up was stale.
        pollfd p{fileDescriptor_, POLLIN, 0};
        if (::poll(&p, 1, 0) != 1 || (p.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0)
            return;
    } else if (!isGoneError(code)) {
        readPollSource_->setEnabled(false);
        reportError(code);
        close();
        return;
    }
    deviceWasRemoved();
}

void TTYSerialPort::receive(const QByteArray& bytes) {
    postReport([bytes, generation = inputGeneration_](TTYSerialPortDelegate& d, const auto& port) {
        if (port->inputGeneration_ == generation)
            d.serialPortDidReceiveData(port, bytes);
    });
    // Listeners and the pending request see the bytes one at a time, so the first and shortest
    // packet wins; nothing is allocated per byte (only a packet found is copied). Indexes, not
    // iterators: a delegate told of a failed write may change the listeners.
    for (const char byte : bytes) {
        for (std::size_t i = 0; i < packetDescriptorsAndBuffers_.size(); ++i) {
            auto& [descriptor, buffer] = packetDescriptorsAndBuffers_[i];
            buffer.appendByte(byte);
            std::optional<QByteArray> packet =
                descriptor->packetMatchingAtEndOfBuffer(buffer.data());
            if (packet && !packet->isEmpty()) {
                postReport(
                    [packet = *packet, descriptor](TTYSerialPortDelegate& d, const auto& port) {
                        d.serialPortDidReceivePacket(port, packet, descriptor);
                    });
                buffer.clearBuffer();
            }
        }
        checkResponseToPendingRequest(&byte);
    }
}

bool TTYSerialPort::sendData(const QByteArray& data) {
    if (!isOpen())
        return false;
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fileDescriptor_, data.constData() + done,
                                  static_cast<size_t>(data.size() - done));
        if (n < 0) {
            const int code = errno;
            if (code == EINTR)
                continue;
            reportError(code);
            return false;
        }
        done += n;
    }
    return true;
}

void TTYSerialPort::discardInput() {
    if (!isOpen())
        return;
    ::tcflush(fileDescriptor_, TCIFLUSH);
    ++inputGeneration_;
}

// ---- reports ----

void TTYSerialPort::reportError(int code) {
    const TTYSerialPortError error = TTYSerialPortError::fromErrno(code, path());
    reportNow([error](TTYSerialPortDelegate& d, const auto& port) {
        d.serialPortDidEncounterError(port, error);
    });
}

void TTYSerialPort::postReport(const Report& report) {
    postTask([report](const std::shared_ptr<TTYSerialPort>& port) {
        if (port->delegate_)
            report(*port->delegate_, port);
    });
}

void TTYSerialPort::postTask(Task task) {
    tasks_.push_back(std::move(task));
    if (tasksPosted_)
        return;
    tasksPosted_ = true;
    platform::runOnMain([weak = weak_from_this()]() {
        if (auto port = weak.lock()) {
            port->tasksPosted_ = false;
            port->flushTasks();
        }
    });
}

void TTYSerialPort::reportNow(const Report& report) {
    auto self = weak_from_this().lock();
    flushTasks();
    if (self && delegate_)
        report(*delegate_, self);
}

void TTYSerialPort::flushTasks() {
    auto self = weak_from_this().lock();
    if (!self) {
        tasks_.clear();
        return;
    }
    while (!tasks_.empty()) {
        Task task = std::move(tasks_.front());
        tasks_.pop_front();
        task(self);
    }
}

// ---- request queue ----

bool TTYSerialPort::sendRequest(const std::shared_ptr<TTYSerialRequest>& request) {
    return request && reallySendRequest(request);
}

bool TTYSerialPort::reallySendRequest(const std::shared_ptr<TTYSerialRequest>& request) {
    if (pendingRequest_) {
        requestsQueue_.push_back(request);
        return true;
    }
    const auto& descriptor = request->responseDescriptor();
    requestResponseReceiveBuffer_ =
        TTYSerialBuffer(descriptor ? descriptor->maximumPacketLength() : 0);
    pendingRequest_ = request;
    pendingRequestTimedOut_ = false;
    if (request->timeoutInterval() > 0) {
        pendingRequestTimeoutTimer_.start(request->timeoutInterval(), [weak = weak_from_this()]() {
            if (auto self = weak.lock())
                self->pendingRequestDidTimeout();
        });
    }
    const bool written = sendData(request->dataToSend());
    if (written)
        checkResponseToPendingRequest(nullptr);
    return written;
}

void TTYSerialPort::sendNextRequest() {
    // The time-out belongs to the request that ends here, however it ended.
    pendingRequestTimeoutTimer_.stop();
    pendingRequest_.reset();
    pendingRequestTimedOut_ = false;
    if (requestsQueue_.empty())
        return;
    auto next = requestsQueue_.front();
    requestsQueue_.erase(requestsQueue_.begin());
    reallySendRequest(next);
}

void TTYSerialPort::pendingRequestDidTimeout() {
    pendingRequestTimeoutTimer_.stop();
    auto request = pendingRequest_;
    if (!request || pendingRequestTimedOut_)
        return;
    if (!delegate_) {
        sendNextRequest();
        return;
    }
    // The next request is written once the delegate has heard of the time-out; until then the
    // timed-out request takes no more bytes.
    pendingRequestTimedOut_ = true;
    postTask([request](const std::shared_ptr<TTYSerialPort>& port) {
        if (port->delegate_)
            port->delegate_->serialPortRequestDidTimeout(port, request);
        if (port->pendingRequest_ == request && port->pendingRequestTimedOut_)
            port->sendNextRequest();
    });
}

void TTYSerialPort::checkResponseToPendingRequest(const char* receivedByte) {
    if (!pendingRequest_ || pendingRequestTimedOut_)
        return;
    const auto& descriptor = pendingRequest_->responseDescriptor();
    if (!receivedByte) {
        if (!descriptor)
            sendNextRequest();
        return;
    }
    // A request that awaits no answer but is still pending (its write failed) takes no bytes.
    if (!descriptor)
        return;
    requestResponseReceiveBuffer_.appendByte(*receivedByte);
    std::optional<QByteArray> packet =
        descriptor->packetMatchingAtEndOfBuffer(requestResponseReceiveBuffer_.data());
    if (!packet)
        return;
    pendingRequestTimeoutTimer_.stop();
    if (!packet->isEmpty()) {
        postReport([packet = *packet, request = pendingRequest_](TTYSerialPortDelegate& d,
                                                                 const auto& port) {
            d.serialPortDidReceiveResponse(port, packet, request);
        });
    }
    sendNextRequest();
}

void TTYSerialPort::cancelQueuedRequest(const std::shared_ptr<TTYSerialRequest>& request) {
    if (!request || request == pendingRequest_)
        return;
    std::erase(requestsQueue_, request);
}

void TTYSerialPort::cancelAllQueuedRequests() {
    requestsQueue_.clear();
}

void TTYSerialPort::endRequests() {
    pendingRequestTimeoutTimer_.stop();
    requestsQueue_.clear();
    pendingRequest_.reset();
    pendingRequestTimedOut_ = false;
}

// ---- packet listeners ----

void TTYSerialPort::startListeningForPacketsMatchingDescriptor(
    const std::shared_ptr<TTYSerialPacketDescriptor>& descriptor) {
    if (!descriptor)
        return;
    for (const auto& entry : packetDescriptorsAndBuffers_) {
        if (entry.first->isEqual(*descriptor))
            return;
    }
    packetDescriptorsAndBuffers_.emplace_back(descriptor,
                                              TTYSerialBuffer(descriptor->maximumPacketLength()));
}

void TTYSerialPort::stopListeningForPacketsMatchingDescriptor(
    const std::shared_ptr<TTYSerialPacketDescriptor>& descriptor) {
    if (!descriptor)
        return;
    std::erase_if(packetDescriptorsAndBuffers_,
                  [&](const auto& entry) { return entry.first->isEqual(*descriptor); });
}

std::vector<std::shared_ptr<TTYSerialPacketDescriptor>> TTYSerialPort::packetDescriptors() const {
    std::vector<std::shared_ptr<TTYSerialPacketDescriptor>> descriptors;
    for (const auto& entry : packetDescriptorsAndBuffers_)
        descriptors.push_back(entry.first);
    return descriptors;
}
