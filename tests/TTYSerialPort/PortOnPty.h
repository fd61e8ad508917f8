#pragma once

#include "RecordingDelegate.h"
#include "TTYSerialPort/TTYSerialPort.h"
#include "support/EventLoop.h"
#include "support/PseudoTerminal.h"

#include <gtest/gtest.h>

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

    // The line settings as the device has them now, read back on the other end of the
    // pseudo-terminal (which shares them with the port's end).
    termios lineSettings() const {
        termios t{};
        EXPECT_EQ(::tcgetattr(pty.masterFd(), &t), 0);
        return t;
    }
};
