#include "TTYSerialPort/TTYSerialPort.h"

#include "PortOnPty.h"
#include "platform/Log.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

using testsupport::PseudoTerminal;
using testsupport::waitUntil;

namespace {

speed_t speedOf(const termios& t) {
    return ::cfgetospeed(&t);
}

QByteArray pattern(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 256) & 0xFF);
    return bytes;
}

} // namespace

TEST_F(PortOnPty, OpensAt115200With8N1OnARawLine) {
    openAt115200();
    const termios t = lineSettings();
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B115200));
    EXPECT_EQ(::cfgetispeed(&t), speed_t(B115200));
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL), 0u);
    EXPECT_EQ(t.c_cflag & (CREAD | CLOCAL), tcflag_t(CREAD | CLOCAL));
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | IXON | IXOFF | ISTRIP), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
    EXPECT_EQ(delegate.events, std::vector<std::string>{"opened"});
}

TEST_F(PortOnPty, LineFollowsEachSetting) {
    openAt115200();
    port->setNumberOfStopBits(2);
    EXPECT_NE(lineSettings().c_cflag & CSTOPB, 0u);
    port->setShouldEchoReceivedData(true);
    EXPECT_NE(lineSettings().c_lflag & ECHO, 0u);
    port->setBaudRate(9600);
    EXPECT_EQ(speedOf(lineSettings()), speed_t(B9600));
    EXPECT_TRUE(delegate.errors.empty());
}

// A pseudo-terminal carries 8-bit characters only: the refusal reaches the delegate.
TEST_F(PortOnPty, RefusedCharacterSizeIsReported) {
    openAt115200();
    port->setNumberOfDataBits(7);
    ASSERT_EQ(delegate.errors.size(), 1u);
    EXPECT_EQ(delegate.errors[0].code, EINVAL);
    EXPECT_EQ(lineSettings().c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_TRUE(port->isOpen());
}

TEST_F(PortOnPty, NonStandardSpeedIsReportedNotIgnored) {
    openAt115200();
    port->setBaudRate(123456);
    ASSERT_EQ(delegate.errors.size(), 1u);
    EXPECT_EQ(delegate.errors[0].code, EINVAL);
    EXPECT_EQ(speedOf(lineSettings()), speed_t(B115200));
}

TEST_F(PortOnPty, ParityOutOfRangeIsStoredAsNone) {
    port->setParity(TTYSerialPort::ParityOdd);
    port->setParity(5);
    EXPECT_EQ(port->parity(), unsigned(TTYSerialPort::ParityNone));
}

TEST_F(PortOnPty, BytesPassBothWaysInChunksAndInOrder) {
    openAt115200();
    const QByteArray incoming = pattern(3000);
    for (int at = 0; at < incoming.size(); at += 700)
        ASSERT_TRUE(pty.write(incoming.mid(at, 700)));
    ASSERT_TRUE(waitUntil([&] { return delegate.received().size() >= incoming.size(); }));
    EXPECT_EQ(delegate.received(), incoming);
    for (const QByteArray& chunk : delegate.chunks)
        EXPECT_LE(chunk.size(), 1024);

    const QByteArray outgoing = pattern(2000).right(1500);
    ASSERT_TRUE(port->sendData(outgoing.left(1000)));
    ASSERT_TRUE(port->sendData(outgoing.mid(1000)));
    EXPECT_EQ(pty.readExactly(outgoing.size()), outgoing);
}

TEST_F(PortOnPty, BytesWaitingAtOpenArriveAfterTheOpenedReportAndBeforeClosed) {
    ASSERT_TRUE(pty.write("early"));
    port->open();
    ASSERT_TRUE(waitUntil([&] { return delegate.received() == "early"; }));
    ASSERT_TRUE(pty.write("late"));
    testsupport::pumpEvents(0); // the read may be pending when the port closes
    port->close();
    testsupport::pumpEvents(20);
    ASSERT_GE(delegate.events.size(), 3u);
    EXPECT_EQ(delegate.events.front(), "opened");
    EXPECT_EQ(delegate.events.back(), "closed");
    EXPECT_EQ(delegate.count("closed"), 1);
}

TEST_F(PortOnPty, EmptySendWritesNothingAndClosedPortRefusesToSend) {
    EXPECT_FALSE(port->sendData("R"));
    openAt115200();
    EXPECT_TRUE(port->sendData(QByteArray()));
    testsupport::pumpEvents(10);
    EXPECT_TRUE(pty.readAvailable().isEmpty());
    port->close();
    EXPECT_FALSE(port->sendData("R"));
    EXPECT_TRUE(pty.readAvailable().isEmpty());
}

TEST_F(PortOnPty, CloseRestoresTheSettingsFoundAtOpen) {
    int fd = ::open(QFile::encodeName(pty.devicePath()).constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios before{};
    ASSERT_EQ(::tcgetattr(fd, &before), 0);
    ::cfsetspeed(&before, B9600);
    before.c_cflag = (before.c_cflag & ~CSIZE) | CS7 | PARENB | HUPCL;
    before.c_lflag |= ICANON;
    before.c_iflag |= ICRNL;
    before.c_cc[VMIN] = 1;
    before.c_cc[VTIME] = 5;
    ASSERT_EQ(::tcsetattr(fd, TCSANOW, &before), 0);
    ASSERT_EQ(::tcgetattr(fd, &before), 0);
    ::close(fd);

    openAt115200();
    EXPECT_EQ(speedOf(lineSettings()), speed_t(B115200));
    EXPECT_TRUE(port->close());
    EXPECT_FALSE(port->isOpen());
    const termios after = lineSettings();
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    EXPECT_EQ(after.c_cc[VMIN], 1);
    EXPECT_EQ(after.c_cc[VTIME], 5);
    EXPECT_EQ(::cfgetospeed(&after), speed_t(B9600));
    EXPECT_EQ(delegate.events, (std::vector<std::string>{"opened", "closed"}));
}

TEST_F(PortOnPty, OpenOfADeviceInUseFailsCleanly) {
    // Another program holds the device.
    int other = ::open(QFile::encodeName(pty.devicePath()).constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    port->open();
    EXPECT_FALSE(port->isOpen());
    ASSERT_EQ(delegate.errors.size(), 1u);
    EXPECT_EQ(delegate.errors[0].code, EWOULDBLOCK);
    EXPECT_EQ(delegate.errors[0].localizedDescription,
              QString::fromLocal8Bit(std::strerror(EWOULDBLOCK)));
    EXPECT_EQ(delegate.errors[0].path, pty.devicePath());
    ::close(other);

    // And the other way round: an open port keeps others out.
    port->open();
    ASSERT_TRUE(port->isOpen());
    other = ::open(QFile::encodeName(pty.devicePath()).constData(), O_RDWR | O_NOCTTY);
    if (other >= 0) { // root passes the exclusive mode; the lock still holds
        EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0);
        ::close(other);
    }
    testsupport::pumpEvents(10);
    EXPECT_EQ(delegate.events, (std::vector<std::string>{"error", "opened"}));
}

TEST_F(PortOnPty, HangUpReportsRemovedThenClosedOnceAndStopsReading) {
    openAt115200();
    pty.hangUp();
    ASSERT_TRUE(waitUntil([&] { return delegate.count("closed") == 1; }));
    testsupport::pumpEvents(50);
    EXPECT_EQ(delegate.events, (std::vector<std::string>{"opened", "removed", "closed"}));
    EXPECT_FALSE(delegate.readingWhenRemoved);
    EXPECT_FALSE(port->isReading());
    EXPECT_FALSE(port->isOpen());
    // A later removal notice from elsewhere is not reported again.
    port->cleanupAfterSystemRemoval();
    EXPECT_EQ(delegate.count("removed"), 1);
}

// A hung-up line (an unplugged USB bridge) reads 0 bytes and polls POLLHUP.
TEST_F(PortOnPty, LineThatReadsNothingAfterHangUpIsRemovedOnce) {
    openAt115200();
    const int other = ::open(QFile::encodeName(pty.devicePath()).constData(), O_RDWR | O_NOCTTY);
    if (other < 0 || ::ioctl(other, TIOCVHANGUP) != 0) {
        if (other >= 0)
            ::close(other);
        GTEST_SKIP() << "hanging up a line needs CAP_SYS_ADMIN";
    }
    ::close(other);
    ASSERT_TRUE(waitUntil([&] { return delegate.count("closed") == 1; }));
    testsupport::pumpEvents(50);
    EXPECT_EQ(delegate.events, (std::vector<std::string>{"opened", "removed", "closed"}));
    EXPECT_FALSE(delegate.readingWhenRemoved);
    EXPECT_FALSE(port->isOpen());
}

TEST_F(PortOnPty, DelegateMayDropThePortWhenItIsRemoved) {
    struct Dropper : RecordingDelegate {
        std::shared_ptr<TTYSerialPort>* holder = nullptr;
        void serialPortWasClosed(const std::shared_ptr<TTYSerialPort>& p) override {
            RecordingDelegate::serialPortWasClosed(p);
            holder->reset();
        }
    } dropper;
    dropper.holder = &port;
    port->setDelegate(&dropper);
    port->open();
    std::weak_ptr<TTYSerialPort> weak = port;
    pty.hangUp();
    ASSERT_TRUE(waitUntil([&] { return weak.expired(); }));
    EXPECT_EQ(dropper.events, (std::vector<std::string>{"opened", "removed", "closed"}));
}

TEST_F(PortOnPty, ChangingFlowControlReopensOnlyOnAChange) {
    openAt115200();
    port->setUsesRTSCTSFlowControl(false);
    EXPECT_EQ(delegate.events, std::vector<std::string>{"opened"});
    port->setUsesRTSCTSFlowControl(true);
    EXPECT_TRUE(port->isOpen());
    EXPECT_NE(lineSettings().c_cflag & CRTSCTS, 0u);
    ASSERT_TRUE(waitUntil([&] { return delegate.count("opened") == 2; }));
    EXPECT_EQ(delegate.events, (std::vector<std::string>{"opened", "closed", "opened"}));
}

TEST_F(PortOnPty, CloseOfAClosedPortDoesNothing) {
    EXPECT_TRUE(port->close());
    testsupport::pumpEvents(5);
    EXPECT_TRUE(delegate.events.empty());
}

TEST_F(PortOnPty, FailedCloseIsReportedAndLeavesThePortClosed) {
    openAt115200();
    ::close(port->fileDescriptor()); // the descriptor vanishes behind the port's back
    port->close();
    EXPECT_FALSE(port->isOpen());
    ASSERT_EQ(delegate.errors.size(), 1u);
    EXPECT_EQ(delegate.errors[0].code, EBADF);
    EXPECT_EQ(delegate.events, (std::vector<std::string>{"opened", "error", "closed"}));
}

TEST_F(PortOnPty, DeprecatedCleanupWarnsAndReportsRemoval) {
    openAt115200();
    platform::ScopedLogCapture log;
    port->cleanup();
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{
                  "WARNING: Cleanup is deprecated and was never intended to be called "
                  "publicly. You should update your code to avoid calling this method."});
    EXPECT_EQ(delegate.events, (std::vector<std::string>{"opened", "removed", "closed"}));
}

TEST(TTYSerialPort, OneLivePortPerDevice) {
    PseudoTerminal pty;
    auto port = TTYSerialPort::create(pty.devicePath());
    ASSERT_TRUE(port);
    EXPECT_EQ(TTYSerialPort::create(pty.devicePath()), port);
    EXPECT_EQ(TTYSerialPort::existingPortWithPath(pty.devicePath()), port);
    EXPECT_EQ(port->path(), pty.devicePath());
    EXPECT_EQ(port->name(), pty.devicePath().section('/', -1));
    EXPECT_EQ(port->description(), port->name());

    // A link to the device names the same device.
    QTemporaryDir dir;
    const QString link = dir.filePath("by-id-link");
    ASSERT_TRUE(QFile::link(pty.devicePath(), link));
    EXPECT_EQ(TTYSerialPort::create(link), port);

    // Once the last owner lets go, the device gets a new port object.
    std::weak_ptr<TTYSerialPort> weak = port;
    port.reset();
    EXPECT_TRUE(weak.expired());
    EXPECT_FALSE(TTYSerialPort::existingPortWithPath(pty.devicePath()));
}

TEST(TTYSerialPort, NoPortForAPathThatIsNoDevice) {
    EXPECT_FALSE(TTYSerialPort::create("/dev/does-not-exist"));
    EXPECT_FALSE(TTYSerialPort::create(""));
    EXPECT_FALSE(TTYSerialPort::create("/etc/hostname"));
}

TEST(TTYSerialPort, DeviceThatIsNoTerminalDoesNotOpen) {
    auto port = TTYSerialPort::create("/dev/null");
    ASSERT_TRUE(port);
    RecordingDelegate delegate;
    port->setDelegate(&delegate);
    port->open();
    EXPECT_FALSE(port->isOpen());
    ASSERT_EQ(delegate.errors.size(), 1u);
    EXPECT_EQ(delegate.errors[0].code, ENOTTY);
}

TEST(TTYSerialPortDeathTest, DeviceWithoutPathStopsTheProgram) {
    EXPECT_DEATH(TTYSerialPort::create(TTYSerialDevice{}),
                 "-\\[TTYSerialPort initWithDevice:\\] requires non-zero device argument\\.");
}
