#include "support/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

// The fixture itself: bytes pass both ways unchanged (no CR/LF translation, no echo).
TEST(PseudoTerminal, PassesBytesBothWaysUnchanged) {
    testsupport::PseudoTerminal pty;
    ASSERT_TRUE(pty.isValid());
    int fd = ::open(pty.devicePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    const char out[] = {'R', 0x0D, 0x0A, 0x00, char(0xFF)};
    ASSERT_EQ(::write(fd, out, sizeof out), ssize_t(sizeof out));
    EXPECT_EQ(pty.readExactly(sizeof out), QByteArray(out, sizeof out));
    ASSERT_TRUE(pty.write(QByteArray("\x0D\x11", 2)));
    char in[8] = {};
    ssize_t n = -1;
    for (int i = 0; i < 200 && n <= 0; ++i) {
        n = ::read(fd, in, sizeof in);
        if (n <= 0)
            usleep(1000);
    }
    EXPECT_EQ(QByteArray(in, int(n)), QByteArray("\x0D\x11", 2));
    ::close(fd);
}
