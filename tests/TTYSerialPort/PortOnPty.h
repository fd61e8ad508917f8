#pragma once

#include "RecordingDelegate.h"
#include "TTYSerialPort/TTYSerialPort.h"
#include "support/EventLoop.h"
#include "support/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <QFile>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

// A closed port on a fresh pseudo-terminal, with a recording delegate.
struct PortOnPty : ::testing::Test {
    testsupport::PseudoTerminal pty;
    RecordingDelegate delegate;
    std::shared_ptr<TTYSerialPort> port;

    void SetUp() override {
        ASSERT_TRUE(pty.isValid());
        port = TTYSerialPort::create(pty.devicePath());
        ASSERT_TRUE(port);
        port->setDelegate(&delegate);
    }
    void TearDown() override {
        if (port)
            port->setDelegate(nullptr);
        port.reset();
    }

    void openAt115200() {
        port->setBaudRate(115200);
        port->open();
        ASSERT_TRUE(port->isOpen());
        ASSERT_TRUE(testsupport::waitUntil([&] { return delegate.count("opened") == 1; }));
    }

    // The line settings as the device has them now (read through a descriptor of our own).
    termios lineSettings() const {
        termios t{};
        int fd =
            ::open(QFile::encodeName(pty.devicePath()).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(::tcgetattr(fd, &t), 0);
        ::close(fd);
        return t;
    }
};
