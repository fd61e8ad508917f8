#include "TTYSerialPort/TTYSerialPort.h"

#include "PortOnPty.h"
#include "platform/Log.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSocketNotifier>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <functional>
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
    EXPECT_EQ(t.c_cflag & (PARENB | PARODD | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_cflag & (CREAD | HUPCL | CLOCAL), tcflag_t(CREAD | HUPCL | CLOCAL));
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | IXON | IXOFF | ISTRIP), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    // Reads never wait whatever these say: the descriptor is non-blocking.
    EXPECT_EQ(t.c_cc[VMIN], 1);
    EXPECT_EQ(t.c_cc[VTIME], 2);
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

// A pseudo-terminal keeps 8 data bits and no parity whatever it is asked, so the settings are
// checked as the port builds them, over a line that another program left in a different state.
TEST_F(PortOnPty, LineSettingsFollowTheOptionsAndInheritNothing) {
    termios left{};
    left.c_iflag = ICRNL | IXON | IXOFF | IXANY | INPCK | ISTRIP;
    left.c_oflag = OPOST | ONLCR;
    left.c_cflag = CS7 | PARENB | PARODD | CSTOPB | HUPCL | CRTSCTS;
    left.c_lflag = ICANON | ECHO | ISIG | IEXTEN;
    left.c_cc[VMIN] = 4;
    left.c_cc[VTIME] = 5;
    ::cfsetspeed(&left, B9600);

    struct Case {
        unsigned dataBits, parity, stopBits;
        bool echo, rtscts;
        tcflag_t cflag; // of CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS
        tcflag_t lflag; // of ECHO
    };
    const Case cases[] = {
        {8, TTYSerialPort::ParityNone, 1, false, false, CS8, 0},
        {7, TTYSerialPort::ParityEven, 1, false, false, CS7 | PARENB, 0},
        {8, TTYSerialPort::ParityOdd, 2, false, false, CS8 | PARENB | PARODD | CSTOPB, 0},
        {6, TTYSerialPort::ParityNone, 3, true, false, CSTOPB, ECHO}, // size field cleared
        {5, TTYSerialPort::ParityNone, 1, false, true, CRTSCTS, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dataBits << " bits, parity " << c.parity << ", "
                                        << c.stopBits << " stop bits");
        port->setNumberOfDataBits(c.dataBits);
        port->setParity(c.parity);
        port->setNumberOfStopBits(c.stopBits);
        port->setShouldEchoReceivedData(c.echo);
        port->setUsesRTSCTSFlowControl(c.rtscts);
        port->setBaudRate(115200);
        const termios t = port->configuredAttributes(left);
        EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS), c.cflag);
        EXPECT_EQ(t.c_cflag & (CREAD | CLOCAL | HUPCL), tcflag_t(CREAD | CLOCAL | HUPCL));
        EXPECT_EQ(t.c_lflag & (ECHO | ICANON | ISIG | IEXTEN), c.lflag);
        EXPECT_EQ(t.c_iflag & (ICRNL | IXON | IXOFF | IXANY | INPCK | ISTRIP), 0u);
        EXPECT_EQ(t.c_oflag & OPOST, 0u);
        EXPECT_EQ(t.c_cc[VMIN], 1);
        EXPECT_EQ(t.c_cc[VTIME], 2);
        EXPECT_EQ(::cfgetospeed(&t), speed_t(B115200));
        EXPECT_EQ(::cfgetispeed(&t), speed_t(B115200));
    }
    // A rate that is not a standard one leaves the speed as it was.
    port->setBaudRate(123456);
    const termios odd = port->configuredAttributes(left);
    EXPECT_EQ(::cfgetospeed(&odd), speed_t(B9600));
    EXPECT_TRUE(delegate.events.empty()); // a closed port applies nothing
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

// Bytes that came before discardInput never reach the delegate, whether the device still holds
// them or the port has read them and not yet reported them; bytes after it do.
TEST_F(PortOnPty, DiscardedInputIsNeverReportedAndLaterInputIs) {
    openAt115200();
    const int fd = port->fileDescriptor();
    for (const bool readByThePort : {false, true}) {
        SCOPED_TRACE(readByThePort ? "read, not yet reported" : "unread");
        delegate.chunks.clear();
        ASSERT_TRUE(pty.write("stale"));
        ASSERT_TRUE(testsupport::waitForUnread(fd, 5));
        if (readByThePort) {
            ASSERT_TRUE(testsupport::stepUntil([&] { return testsupport::unreadBytes(fd) == 0; }));
            ASSERT_TRUE(delegate.chunks.empty());
        }
        port->discardInput();
        ASSERT_TRUE(pty.write("fresh"));
        ASSERT_TRUE(waitUntil([&] { return delegate.received().size() >= 5; }));
        testsupport::pumpEvents(10);
        EXPECT_EQ(delegate.received(), QByteArray("fresh"));
    }
}

// The port is woken for bytes that another handler of the same wake-up discards before the port
// reads them: it reads nothing and goes on, instead of waiting in its read for the next byte
// (the program would hang there).
TEST_F(PortOnPty, AWakeUpForDiscardedBytesDoesNotWaitForTheNextByte) {
    // A handler woken before the port's, in the same round of the event loop.
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    QSocketNotifier earlier(pipeFds[0], QSocketNotifier::Read);
    QObject::connect(&earlier, &QSocketNotifier::activated, [&] {
        char byte;
        (void)::read(pipeFds[0], &byte, 1);
        port->discardInput();
    });
    openAt115200();
    const int fd = port->fileDescriptor();
    ASSERT_TRUE(pty.write("stale"));
    ASSERT_TRUE(testsupport::waitForUnread(fd, 5));
    ASSERT_EQ(::write(pipeFds[1], "x", 1), 1);

    static volatile sig_atomic_t interrupted = 0;
    struct sigaction interrupt {
    }, before{};
    interrupt.sa_handler = [](int) { interrupted = 1; };
    sigemptyset(&interrupt.sa_mask);
    interrupt.sa_flags = 0; // a waiting read ends with EINTR
    ASSERT_EQ(::sigaction(SIGALRM, &interrupt, &before), 0);
    ::alarm(10);
    testsupport::pumpEvents(50);
    ::alarm(0);
    ::sigaction(SIGALRM, &before, nullptr);
    EXPECT_EQ(interrupted, 0) << "a read waited for a byte that did not come";
    EXPECT_TRUE(delegate.received().isEmpty());
    ASSERT_TRUE(pty.write("fresh"));
    ASSERT_TRUE(waitUntil([&] { return delegate.received().size() >= 5; }));
    EXPECT_EQ(delegate.received(), QByteArray("fresh"));
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
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

// Descriptor 0 is a descriptor like any other (a program started without standard input gets it).
TEST_F(PortOnPty, DescriptorZeroIsAnOpenPort) {
    // Standard input comes back once the port has let go of descriptor 0.
    struct Input {
        int saved = ::dup(0);
        ~Input() {
            if (::fcntl(0, F_GETFD) < 0)
                ::dup2(saved, 0);
            ::close(saved);
        }
    } input;
    ASSERT_GE(input.saved, 0);
    ::close(0);
    port->open();
    ASSERT_TRUE(port->isOpen());
    ASSERT_TRUE(delegate.errors.empty());
    if (port->fileDescriptor() != 0) {
        port->close();
        GTEST_SKIP() << "another thread took descriptor 0";
    }
    ASSERT_TRUE(waitUntil([&] { return delegate.count("opened") == 1; }));
    ASSERT_TRUE(pty.write("in"));
    ASSERT_TRUE(waitUntil([&] { return delegate.received() == "in"; }));
    EXPECT_TRUE(port->sendData("out"));
    EXPECT_EQ(pty.readExactly(3), QByteArray("out"));
    port->close();
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(delegate.events, (std::vector<std::string>{"opened", "data", "closed"}));
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

// The delegate may let go of its port in any report, also one made while the caller is still
// inside the port (the sanitiser build catches a port that keeps working after it went).
TEST(TTYSerialPort, DelegateMayDropItsPortDuringAnyReport) {
    struct Dropper : RecordingDelegate {
        std::shared_ptr<TTYSerialPort>* holder = nullptr;
        std::string dropOn;
        void drop(const std::string& event) {
            if (event == dropOn)
                holder->reset();
        }
        void serialPortWasRemovedFromSystem(const std::shared_ptr<TTYSerialPort>& p) override {
            RecordingDelegate::serialPortWasRemovedFromSystem(p);
            drop("removed");
        }
        void serialPortDidEncounterError(const std::shared_ptr<TTYSerialPort>& p,
                                         const TTYSerialPortError& e) override {
            RecordingDelegate::serialPortDidEncounterError(p, e);
            drop("error");
        }
        void serialPortWasClosed(const std::shared_ptr<TTYSerialPort>& p) override {
            RecordingDelegate::serialPortWasClosed(p);
            drop("closed");
        }
    };
    struct Case {
        const char* what;
        std::string dropOn;
        std::function<void(PseudoTerminal&, std::shared_ptr<TTYSerialPort>&)> act;
        std::vector<std::string> events; // after "opened"
    };
    const Case cases[] = {
        {"line hung up",
         "removed",
         [](PseudoTerminal& pty, auto&) { pty.hangUp(); },
         {"removed", "closed"}},
        {"removal notice",
         "removed",
         [](auto&, auto& port) { port->cleanupAfterSystemRemoval(); },
         {"removed", "closed"}},
        {"flow control change",
         "closed",
         [](auto&, auto& port) { port->setUsesRTSCTSFlowControl(true); },
         {"closed"}},
        {"failed close",
         "error",
         [](auto&, auto& port) {
             ::close(port->fileDescriptor());
             port->close();
         },
         {"error", "closed"}},
        {"refused speed at open",
         "error",
         [](auto&, auto& port) {
             port->close();
             port->setBaudRate(123456);
             port->open();
         },
         {"closed", "error"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PseudoTerminal line;
        Dropper dropper;
        auto held = TTYSerialPort::create(line.devicePath());
        ASSERT_TRUE(held);
        dropper.holder = &held;
        held->setDelegate(&dropper);
        held->open();
        ASSERT_TRUE(waitUntil([&] { return dropper.count("opened") == 1; }));
        std::weak_ptr<TTYSerialPort> weak = held;
        dropper.dropOn = c.dropOn;
        c.act(line, held); // the delegate's holder is the only reference
        ASSERT_TRUE(waitUntil([&] { return weak.expired(); }));
        testsupport::pumpEvents(10);
        std::vector<std::string> expected{"opened"};
        expected.insert(expected.end(), c.events.begin(), c.events.end());
        EXPECT_EQ(dropper.events, expected);
    }
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
