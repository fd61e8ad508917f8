#include "support/PseudoTerminal.h"

#include "support/EventLoop.h"

#include <QElapsedTimer>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace testsupport {

PseudoTerminal::PseudoTerminal() {
    int master = -1, slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
        return;
    termios t{};
    tcgetattr(slave, &t);
    cfmakeraw(&t);
    tcsetattr(slave, TCSANOW, &t);
    tcgetattr(master, &t);
    cfmakeraw(&t);
    tcsetattr(master, TCSANOW, &t);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    master_ = master;
    slaveKeeper_ = slave;
    path_ = QString::fromLocal8Bit(name);
}

PseudoTerminal::~PseudoTerminal() { hangUp(); }

bool PseudoTerminal::write(const QByteArray& bytes) {
    qsizetype done = 0;
    while (master_ >= 0 && done < bytes.size()) {
        ssize_t n = ::write(master_, bytes.constData() + done, bytes.size() - done);
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else {
            usleep(200);
        }
    }
    return done == bytes.size();
}

QByteArray PseudoTerminal::readAvailable() {
    QByteArray out;
    char buf[1024];
    while (master_ >= 0) {
        ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0)
            break;
        out.append(buf, n);
    }
    return out;
}

QByteArray PseudoTerminal::readExactly(int count, int timeoutMs) {
    QByteArray out;
    waitUntil(
        [&] {
            out += readAvailable();
            return out.size() >= count;
        },
        timeoutMs);
    return out;
}

void PseudoTerminal::hangUp() {
    if (slaveKeeper_ >= 0)
        ::close(slaveKeeper_);
    if (master_ >= 0)
        ::close(master_);
    slaveKeeper_ = master_ = -1;
}

int unreadBytes(int fd) {
    int count = 0;
    return ::ioctl(fd, FIONREAD, &count) == 0 ? count : -1;
}

bool waitForUnread(int fd, int count, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (unreadBytes(fd) < count) {
        if (clock.elapsed() > timeoutMs)
            return false;
        usleep(200);
    }
    return true;
}

} // namespace testsupport
