// The device link against a simulated unit over a pseudo-terminal: the bytes on the wire, the
// reply checks, the busy rule and the time-outs. Time is a ManualScheduler; input is pumped.

#include "OVX_Configurator/SerialPort.h"
#include "platform/Scheduler.h"
#include "support/EventLoop.h"
#include "support/SimulatedPorts.h"
#include "support/SimulatedUnit.h"

#include <gtest/gtest.h>

#include <string>

using testsupport::SimulatedUnit;
using Fault = SimulatedUnit::Fault;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// Counts the closures a request ran.
struct Outcome {
    int success = 0, error = 0, timeout = 0;
    SerialPort::Callback onSuccess() {
        return [this] { ++success; };
    }
    SerialPort::Callback onError() {
        return [this] { ++error; };
    }
    SerialPort::Callback onTimeout() {
        return [this] { ++timeout; };
    }
    int total() const { return success + error + timeout; }
    std::string str() const {
        return "success " + std::to_string(success) + ", error " + std::to_string(error) +
               ", timeout " + std::to_string(timeout);
    }
};

class SerialPortTest : public ::testing::Test {
protected:
    explicit SerialPortTest(int model = 168) : unit(model), ports(unit) {}

    void SetUp() override {
        ASSERT_TRUE(unit.isValid());
        link = SerialPort::create();
        link->connect("SLAB_sim");
        ASSERT_TRUE(link->isOpen());
        testsupport::pumpEvents(10);
        unit.clearRecord();
    }

    // Pumps input until the request ran a closure (or a short while passed).
    bool settle(const Outcome& o, int timeoutMs = 2000) {
        return testsupport::waitUntil([&] { return o.total() > 0; }, timeoutMs);
    }
    // Pumps input until the unit received `count` bytes.
    bool unitGot(int count) {
        return testsupport::waitUntil([&] { return unit.received().size() >= count; });
    }

    platform::ManualScheduler clock;
    platform::ScopedScheduler useClock{clock};
    SimulatedUnit unit;
    testsupport::SimulatedPorts ports;
    std::shared_ptr<SerialPort> link;
};

class SerialPort166Test : public SerialPortTest {
protected:
    SerialPort166Test() : SerialPortTest(166) {}
};

const QByteArray kIdentity = bytes({168, 0x21, 0x10});

} // namespace

// ---- Every request kind, end to end ----

TEST_F(SerialPortTest, CommandsGoOutAsTheirBareWord) {
    // Restart, calibration, servo procedure and accelerometer wizard commands: the word (or the
    // single step byte) and nothing else, one or two acknowledge bytes back.
    struct Case {
        QByteArray word;
        bool dual;
    } cases[] = {{"REBT", false}, {"LEVL", true},        {"TRIM", false},      {"CNCL", false},
                 {"ACCL", false}, {bytes({0x01}), true}, {bytes({0x02}), true}};
    QByteArray sent;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word.toHex().toStdString());
        Outcome o;
        if (c.dual)
            EXPECT_TRUE(link->sendCommandDualAck(c.word, true, 5.0, o.onSuccess(), o.onError(),
                                                 o.onTimeout()));
        else
            EXPECT_TRUE(
                link->sendCommand(c.word, true, 0.5, o.onSuccess(), o.onError(), o.onTimeout()));
        EXPECT_TRUE(link->busy());
        ASSERT_TRUE(settle(o));
        EXPECT_EQ(o.str(), "success 1, error 0, timeout 0");
        EXPECT_FALSE(link->busy());
        sent += c.word;
        EXPECT_EQ(unit.received(), sent);
    }
}

TEST_F(SerialPortTest, DataFrameRequestsLeaveThePayloadInData) {
    Outcome identify, read;
    EXPECT_TRUE(link->requestDataFrame("r", 3, true, 0.5, identify.onSuccess(), identify.onError(),
                                       identify.onTimeout()));
    ASSERT_TRUE(settle(identify));
    EXPECT_EQ(identify.success, 1);
    EXPECT_EQ(link->data(), kIdentity);

    QByteArray block = unit.block();
    block[40] = 0x5A;
    unit.setBlock(block);
    EXPECT_TRUE(link->requestDataFrame("R", 91, true, 0.5, read.onSuccess(), read.onError(),
                                       read.onTimeout()));
    ASSERT_TRUE(settle(read));
    EXPECT_EQ(read.success, 1);
    EXPECT_EQ(link->data(), block);
    EXPECT_EQ(unit.received(), QByteArray("rR"));
}

TEST_F(SerialPortTest, WriteFrameCarriesLetterBlockAndCrcHighByteFirst) {
    QByteArray block = unit.block();
    block[30] = 2;
    const std::uint16_t crc = crc16Modbus(block, 0, block.size());
    Outcome write;
    EXPECT_TRUE(link->sendDataFrame("W", block, block.size(), true, 0.5, write.onSuccess(),
                                    write.onError(), write.onTimeout()));
    ASSERT_TRUE(settle(write));
    EXPECT_EQ(write.str(), "success 1, error 0, timeout 0");
    EXPECT_EQ(unit.received(), "W" + block + bytes({crc >> 8, crc & 0xFF}));
    EXPECT_EQ(link->sendBuff(), unit.received());
    EXPECT_EQ(unit.block(), block);
}

TEST_F(SerialPortTest, CrcOfTheCheckStringGoesOutAs4B37) {
    unit.setInputHandler([](const QByteArray& input) { return int(input.size()); });
    EXPECT_TRUE(link->sendDataFrame("Wxyz", QByteArray("123456789"), 9, true, 0.5));
    ASSERT_TRUE(unitGot(12));
    EXPECT_EQ(unit.received(), QByteArray("W123456789\x4B\x37"));
}

TEST_F(SerialPortTest, PartialPayloadAndAddressedFrames) {
    unit.setInputHandler([](const QByteArray& input) { return int(input.size()); });
    // The first n payload bytes only; the CRC covers them alone.
    EXPECT_TRUE(link->sendDataFrame("W", bytes({0x11, 0x22, 0x33}), 2, true, 0.5));
    ASSERT_TRUE(unitGot(5));
    const std::uint16_t crc2 = crc16Modbus(bytes({0x11, 0x22}), 0, 2);
    EXPECT_EQ(unit.received(), bytes({0x57, 0x11, 0x22, crc2 >> 8, crc2 & 0xFF}));
    unit.sendRaw(bytes({0x0D}));
    ASSERT_TRUE(testsupport::waitUntil([&] { return !link->busy(); }));

    QByteArray page(128, '\0');
    for (int i = 0; i < 128; ++i)
        page[i] = char(i * 3);
    const std::uint16_t crc = crc16Modbus(page, 0, 128);
    const QByteArray tail = page + bytes({crc >> 8, crc & 0xFF});
    struct Case {
        AddressMode mode;
        QByteArray address;
    } cases[] = {{AddressMode::_16BIT, bytes({0x12, 0x80})},
                 {AddressMode::_24BIT, bytes({0x00, 0x12, 0x80})}};
    for (const Case& c : cases) {
        unit.clearRecord();
        Outcome o;
        EXPECT_TRUE(link->sendAddressedFrame("P", c.mode, 0x1280, page, 128, true, 0.5,
                                             o.onSuccess(), o.onError(), o.onTimeout()));
        const QByteArray expected = "P" + c.address + tail;
        ASSERT_TRUE(unitGot(int(expected.size())));
        EXPECT_EQ(unit.received(), expected);
        EXPECT_EQ(expected.size(), c.mode == AddressMode::_16BIT ? 133 : 134);
        unit.sendRaw(bytes({0x0D}));
        ASSERT_TRUE(settle(o));
        EXPECT_EQ(o.success, 1);
    }
    // Address bytes are taken from the 32-bit address by truncation.
    unit.clearRecord();
    EXPECT_TRUE(link->sendAddressedFrame("P", AddressMode::_16BIT, 0xAB1280, page, 1, true, 0.5));
    ASSERT_TRUE(unitGot(6));
    EXPECT_EQ(unit.received().mid(1, 2), bytes({0x12, 0x80}));
}

TEST_F(SerialPortTest, RequestBytesKeepsTheFirstByteOnly) {
    unit.setInputHandler([this](const QByteArray& input) {
        if (input.startsWith("?"))
            unit.reply("?", bytes({0x42, 0x43}));
        return 1;
    });
    Outcome o;
    EXPECT_TRUE(link->requestBytes("?", 2, true, 0.5, o.onSuccess(), o.onError(), o.onTimeout()));
    ASSERT_TRUE(settle(o));
    EXPECT_EQ(o.success, 1);
    EXPECT_EQ(link->data(), bytes({0x42}));
    EXPECT_EQ(unit.received(), QByteArray("?"));
}

TEST_F(SerialPortTest, PollsDeliverPayloadWithoutHoldingTheLink) {
    const QByteArray info = bytes({1, 0, 2, 77, 1, 0, 5, 0, 0, 0, 1});
    unit.setPollPayload("INFO", info);
    int polled = 0;
    link->pollDataFrame("INFO", 11, [&] { ++polled; });
    EXPECT_FALSE(link->busy());
    ASSERT_TRUE(testsupport::waitUntil([&] { return polled > 0; }));
    EXPECT_EQ(polled, 1);
    EXPECT_EQ(link->data(), info);
    EXPECT_EQ(unit.received(), QByteArray("INFO"));
}

TEST_F(SerialPort166Test, PollWithoutCrcAndSplitWrite) {
    unit.setPollPayload("d", QByteArray(30, '\x07'));
    int polled = 0;
    link->pollDataFrameWithoutCRC("d", 30, [&] { ++polled; });
    ASSERT_TRUE(testsupport::waitUntil([&] { return polled > 0; }));
    EXPECT_EQ(link->data(), QByteArray(30, '\x07'));
    EXPECT_EQ(unit.received(), QByteArray("d"));

    // The letter alone; the head of the block 0.1 s later, without blocking the main thread.
    unit.clearRecord();
    QByteArray block = unit.block();
    block[5] = 9;
    const std::uint16_t crc = crc16Modbus(block, 0, 57);
    Outcome write;
    EXPECT_TRUE(link->sendDataFrameSplit("W", block, 57, true, 0.5, write.onSuccess(),
                                         write.onError(), write.onTimeout()));
    ASSERT_TRUE(unitGot(1));
    testsupport::pumpEvents(20);
    EXPECT_EQ(unit.received(), QByteArray("W"));
    EXPECT_TRUE(link->busy());
    int refusedPoll = 0;
    link->pollDataFrameWithoutCRC("d", 30, [&] { ++refusedPoll; });
    EXPECT_FALSE(link->sendCommand("REBT", true, 0.1));
    clock.advance(0.099);
    testsupport::pumpEvents(20);
    EXPECT_EQ(unit.received(), QByteArray("W"));
    clock.advance(0.001);
    ASSERT_TRUE(settle(write));
    EXPECT_EQ(write.str(), "success 1, error 0, timeout 0");
    EXPECT_EQ(unit.received(), "W" + block.left(57) + bytes({crc >> 8, crc & 0xFF}));
    EXPECT_EQ(unit.block()[5], 9);
    EXPECT_EQ(refusedPoll, 0);
}

TEST_F(SerialPort166Test, SplitWriteTimesOutFromTheSecondWrite) {
    unit.injectFault(Fault::NoReply, "W");
    Outcome write;
    EXPECT_TRUE(link->sendDataFrameSplit("W", unit.block(), 57, true, 0.5, write.onSuccess(),
                                         write.onError(), write.onTimeout()));
    clock.advance(0.1);
    ASSERT_TRUE(unitGot(60));
    clock.advance(0.499);
    testsupport::pumpEvents(10);
    EXPECT_EQ(write.total(), 0);
    clock.advance(0.001);
    EXPECT_EQ(write.str(), "success 0, error 0, timeout 1");
    EXPECT_FALSE(link->busy());
}

// ---- Faults of the unit ----

TEST_F(SerialPortTest, EachFaultEndsInItsOneClosureAndTheLinkStaysUsable) {
    struct Case {
        Fault fault;
        const char* expected;
    } cases[] = {
        {Fault::WrongAck, "success 0, error 1, timeout 0"},
        {Fault::BadCrc, "success 0, error 1, timeout 0"},
        {Fault::SwappedCrc, "success 0, error 1, timeout 0"},
        {Fault::ShortReply, "success 0, error 0, timeout 1"},
        {Fault::ExtraByte, "success 0, error 0, timeout 1"},
        {Fault::NoReply, "success 0, error 0, timeout 1"},
        {Fault::LateReply, "success 0, error 0, timeout 1"},
        {Fault::SplitReply, "success 1, error 0, timeout 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.fault));
        ASSERT_TRUE(link->requestDataFrame("R", 91, true, 0.5));
        ASSERT_TRUE(testsupport::waitUntil([&] { return !link->busy(); }));
        const QByteArray before = link->data();
        ASSERT_EQ(before, unit.block());

        unit.injectFault(c.fault, "r");
        Outcome o;
        ASSERT_TRUE(
            link->requestDataFrame("r", 3, true, 0.5, o.onSuccess(), o.onError(), o.onTimeout()));
        for (int i = 0; i < 3; ++i) { // the chunks of a split reply
            testsupport::pumpEvents(20);
            clock.advance(0.01);
        }
        settle(o, 100);
        clock.advance(0.5);
        clock.advance(1.0); // a late reply comes now, and must change nothing
        testsupport::pumpEvents(50);
        EXPECT_EQ(o.str(), c.expected);
        EXPECT_EQ(link->data(), o.success ? kIdentity : before);
        EXPECT_FALSE(link->busy());

        Outcome next;
        ASSERT_TRUE(link->requestDataFrame("r", 3, true, 0.5, next.onSuccess(), next.onError(),
                                           next.onTimeout()));
        // After a time-out the request waits for a quiet line: the clock moves on until it
        // went out.
        const int sent = unit.count("r");
        for (int i = 0; i < 200 && unit.count("r") == sent; ++i) {
            clock.advance(0.01);
            testsupport::pumpEvents(1);
        }
        ASSERT_TRUE(settle(next));
        EXPECT_EQ(next.str(), "success 1, error 0, timeout 0");
    }
}

// A read whose reply comes after its time-out (0.6 s or 1.5 s after it was sent): the read times
// out, and the next one, made at once, waits until the late frame has come and the line has
// been quiet, so the late reply is discarded instead of being taken for the next one's (which
// would bring back the old block).
TEST_F(SerialPortTest, ALateReplyNeverSpoilsTheNextRequest) {
    struct Case {
        double replyDelay, late; // the late reply comes replyDelay + late after the read
    } cases[] = {{0.3, 0.3}, {0.0, 1.5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.replyDelay + c.late);
        unit.clearRecord();
        unit.setReplyDelay("R", c.replyDelay);
        unit.setLateDelay(c.late);
        unit.injectFault(Fault::LateReply, "R");
        Outcome first;
        ASSERT_TRUE(link->requestDataFrame("R", 91, true, 0.5, first.onSuccess(),
                                           first.onError(), first.onTimeout()));
        ASSERT_TRUE(testsupport::waitUntil([&] { return unit.count("R") == 1; }));
        clock.advance(0.5);
        EXPECT_EQ(first.str(), "success 0, error 0, timeout 1");
        unit.clearRecord();

        QByteArray changed = unit.block();
        changed[10] = char(changed[10] + 1); // the second read must see the block as it is now
        unit.setBlock(changed);
        Outcome second;
        ASSERT_TRUE(link->requestDataFrame("R", 91, true, 0.5, second.onSuccess(),
                                           second.onError(), second.onTimeout()));
        EXPECT_TRUE(link->busy());
        EXPECT_FALSE(link->sendCommand("REBT", true, 0.1)); // the waiting request holds the link
        int polled = 0;
        link->pollDataFrame("INFO", 11, [&] { ++polled; }); // dropped while the line settles
        const double untilLate = c.replyDelay + c.late - 0.5;
        clock.advance(untilLate - 0.05);
        testsupport::pumpEvents(20);
        EXPECT_TRUE(unit.received().isEmpty()); // still waiting for the late frame

        clock.advance(0.06); // the late reply arrives and is discarded
        ASSERT_TRUE(testsupport::waitUntil([&] { return link->dataSizeReceived() == 94; }));
        clock.advance(SerialPort::quietAfterTimeout - 0.02);
        testsupport::pumpEvents(20);
        EXPECT_TRUE(unit.received().isEmpty()); // the quiet starts again with each late byte
        clock.advance(0.03);
        ASSERT_TRUE(testsupport::waitUntil([&] { return unit.count("R") == 1; }));
        clock.advance(c.replyDelay);
        ASSERT_TRUE(settle(second));
        EXPECT_EQ(second.str(), "success 1, error 0, timeout 0");
        EXPECT_EQ(link->data(), changed);
        EXPECT_EQ(unit.received(), QByteArray("R"));
        EXPECT_EQ(first.str(), "success 0, error 0, timeout 1");
        EXPECT_EQ(polled, 0);
    }
}

// After a time-out the line must fall quiet before the next exchange: briefly after a request
// that waited for acknowledge bytes, long enough for a late frame after one that waited for data.
// The line is free again after it.
TEST_F(SerialPortTest, AfterATimeOutTheNextRequestWaitsForAQuietLine) {
    struct Case {
        const char* command;
        bool dataFrame;
        double wait;
    } cases[] = {{"r", true, SerialPort::lateReplyAllowance},
                 {"REST", false, SerialPort::quietAfterTimeout}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        unit.clearRecord();
        unit.injectFault(Fault::NoReply, c.command);
        Outcome first;
        ASSERT_TRUE(c.dataFrame ? link->requestDataFrame(c.command, 3, true, 0.5, first.onSuccess(),
                                                         first.onError(), first.onTimeout())
                                : link->sendCommand(c.command, true, 0.5, first.onSuccess(),
                                                    first.onError(), first.onTimeout()));
        ASSERT_TRUE(testsupport::waitUntil([&] { return unit.count(c.command) == 1; }));
        clock.advance(0.5);
        ASSERT_EQ(first.str(), "success 0, error 0, timeout 1");
        clock.advance(c.wait - 0.01);
        Outcome second;
        ASSERT_TRUE(link->requestDataFrame("r", 3, true, 0.5, second.onSuccess(), second.onError(),
                                           second.onTimeout()));
        testsupport::pumpEvents(20);
        EXPECT_EQ(unit.count("r"), c.dataFrame ? 1 : 0);
        clock.advance(0.02);
        ASSERT_TRUE(settle(second));
        EXPECT_EQ(second.str(), "success 1, error 0, timeout 0");
        int polled = 0;
        ASSERT_TRUE(link->pollDataFrame("INFO", 11, [&] { ++polled; }));
        ASSERT_TRUE(testsupport::waitUntil([&] { return polled == 1; }));
    }
}

TEST_F(SerialPortTest, ReplySplitInChunksCompletesOnTheLastChunk) {
    unit.setSplit({1, 2}, 0.05);
    unit.injectFault(Fault::SplitReply, "r");
    Outcome o;
    ASSERT_TRUE(
        link->requestDataFrame("r", 3, true, 0.5, o.onSuccess(), o.onError(), o.onTimeout()));
    testsupport::waitUntil([&] { return link->dataSizeReceived() == 1; });
    EXPECT_EQ(link->dataSizeReceived(), 1);
    clock.advance(0.05);
    testsupport::waitUntil([&] { return link->dataSizeReceived() == 3; });
    EXPECT_EQ(link->dataSizeReceived(), 3);
    EXPECT_EQ(o.total(), 0);
    clock.advance(0.05);
    ASSERT_TRUE(settle(o));
    EXPECT_EQ(o.str(), "success 1, error 0, timeout 0");
    EXPECT_EQ(link->data(), kIdentity);
}

TEST_F(SerialPortTest, AcknowledgeChecks) {
    struct Case {
        bool dual;
        QByteArray reply;
        const char* expected;
    } cases[] = {
        {false, bytes({0x0D}), "success 1, error 0, timeout 0"},
        {false, bytes({0x06}), "success 0, error 1, timeout 0"},
        {true, bytes({0x0D, 0x0D}), "success 1, error 0, timeout 0"},
        {true, bytes({0x0D, 0x0A}), "success 0, error 1, timeout 0"},
        {true, bytes({0x0A, 0x0D}), "success 0, error 1, timeout 0"},
    };
    unit.setInputHandler([](const QByteArray& input) { return int(input.size()); });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply.toHex().toStdString());
        const QByteArray before = link->data();
        Outcome o;
        if (c.dual)
            ASSERT_TRUE(link->sendCommandDualAck("HOVR", true, 5.0, o.onSuccess(), o.onError(),
                                                 o.onTimeout()));
        else
            ASSERT_TRUE(
                link->sendCommand("REST", true, 0.5, o.onSuccess(), o.onError(), o.onTimeout()));
        unit.sendRaw(c.reply);
        ASSERT_TRUE(settle(o));
        EXPECT_EQ(o.str(), c.expected);
        EXPECT_EQ(link->data(), before);
    }
}

TEST_F(SerialPortTest, PollRepliesThatFailTheirCheckRunNothing) {
    struct Case {
        Fault fault;
        int arrives; // bytes of the damaged 14-byte reply that reach the link
    } cases[] = {{Fault::WrongAck, 14},   {Fault::BadCrc, 14},    {Fault::SwappedCrc, 14},
                 {Fault::ShortReply, 13}, {Fault::ExtraByte, 15}, {Fault::NoReply, 0}};
    const QByteArray info = bytes({1, 0, 2, 77, 1, 0, 5, 0, 0, 0, 1});
    unit.setPollPayload("INFO", info);
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.fault));
        ASSERT_TRUE(link->requestDataFrame("r", 3, true, 0.5));
        ASSERT_TRUE(testsupport::waitUntil([&] { return !link->busy(); }));
        ASSERT_EQ(link->data(), kIdentity);

        unit.injectFault(c.fault, "INFO");
        int polled = 0;
        link->pollDataFrame("INFO", 11, [&] { ++polled; });
        testsupport::waitUntil([&] { return link->dataSizeReceived() == c.arrives; }, 500);
        testsupport::pumpEvents(20);
        // The poll's time-out, and the wait for the rest of a frame that may still come.
        clock.advance(SerialPort::pollTimeout + SerialPort::lateReplyAllowance);
        EXPECT_EQ(link->dataSizeReceived(), c.arrives);
        EXPECT_EQ(polled, 0);
        EXPECT_EQ(link->data(), kIdentity);
        EXPECT_FALSE(link->busy());

        link->pollDataFrame("INFO", 11, [&] { ++polled; }); // the next poll starts afresh
        ASSERT_TRUE(testsupport::waitUntil([&] { return polled == 1; }));
        EXPECT_EQ(link->data(), info);
    }
}

TEST_F(SerialPortTest, BytesNobodyWaitsForAreCountedButNotKept) {
    // An idle link on a device that keeps talking, then a poll whose reply runs on: the
    // accumulator never holds more than the reply it waits for.
    const QByteArray chunk(1024, '\x55');
    auto chatter = [&] {
        for (int i = 0; i < 16; ++i) {
            const qint64 before = link->dataSizeReceived();
            unit.sendRaw(chunk);
            ASSERT_TRUE(testsupport::waitUntil(
                [&] { return link->dataSizeReceived() == before + chunk.size(); }));
        }
    };
    chatter();
    EXPECT_EQ(link->dataSizeReceived(), 16 * 1024);
    EXPECT_TRUE(link->receiveBuff().isEmpty());

    unit.injectFault(Fault::ExtraByte, "INFO");
    int polled = 0;
    link->pollDataFrame("INFO", 11, [&] { ++polled; });
    ASSERT_TRUE(testsupport::waitUntil([&] { return link->dataSizeReceived() == 15; }));
    chatter();
    EXPECT_EQ(link->dataSizeReceived(), 15 + 16 * 1024);
    EXPECT_LE(link->receiveBuff().size(), 14);
    EXPECT_EQ(polled, 0);

    Outcome o;
    ASSERT_TRUE(
        link->requestDataFrame("r", 3, true, 0.5, o.onSuccess(), o.onError(), o.onTimeout()));
    // The request waits out the poll, whose reply ran past its length, and a quiet line.
    clock.advance(SerialPort::pollTimeout);
    testsupport::pumpEvents(20);
    EXPECT_EQ(unit.count("r"), 0);
    clock.advance(SerialPort::quietAfterTimeout);
    ASSERT_TRUE(settle(o));
    EXPECT_EQ(o.str(), "success 1, error 0, timeout 0");
    EXPECT_EQ(link->data(), kIdentity);
}

// ---- Busy rule and time-outs ----

TEST_F(SerialPortTest, BusyLinkRefusesRequestsAndPollsAndRunsNothingOfThem) {
    unit.holdReplies(true);
    Outcome first, second;
    int polled = 0;
    ASSERT_TRUE(link->requestDataFrame("r", 3, true, 0.5, first.onSuccess(), first.onError(),
                                       first.onTimeout()));
    EXPECT_FALSE(link->sendCommand("REBT", true, 0.1, second.onSuccess(), second.onError(),
                                   second.onTimeout()));
    EXPECT_FALSE(link->sendDataFrame("W", unit.block(), 91, true, 0.5, second.onSuccess(),
                                     second.onError(), second.onTimeout()));
    link->pollDataFrame("INFO", 11, [&] { ++polled; });
    ASSERT_TRUE(unitGot(1));
    testsupport::pumpEvents(20);
    EXPECT_EQ(unit.received(), QByteArray("r"));
    unit.releaseReplies();
    ASSERT_TRUE(settle(first));
    clock.advance(1.0);
    testsupport::pumpEvents(20);
    EXPECT_EQ(first.str(), "success 1, error 0, timeout 0");
    EXPECT_EQ(second.total(), 0);
    EXPECT_EQ(polled, 0);
}

TEST_F(SerialPortTest, LateReplyAfterTheTimeOutIsIgnored) {
    unit.setLateDelay(0.8);
    unit.injectFault(Fault::LateReply, "r");
    const QByteArray before = link->data();
    Outcome o;
    ASSERT_TRUE(
        link->requestDataFrame("r", 3, true, 0.5, o.onSuccess(), o.onError(), o.onTimeout()));
    ASSERT_TRUE(unitGot(1));
    clock.advance(0.5);
    EXPECT_EQ(o.str(), "success 0, error 0, timeout 1");
    EXPECT_FALSE(link->busy());
    clock.advance(0.31);
    ASSERT_TRUE(testsupport::waitUntil([&] { return link->dataSizeReceived() == 6; }));
    testsupport::pumpEvents(20);
    EXPECT_EQ(o.str(), "success 0, error 0, timeout 1");
    EXPECT_EQ(link->data(), before);
}

TEST_F(SerialPortTest, AStaleTimeOutNeverEndsALaterRequest) {
    unit.holdReplies(true);
    Outcome first, second;
    ASSERT_TRUE(link->sendCommand("REBT", false, 0.5, first.onSuccess(), first.onError(),
                                  first.onTimeout()));
    clock.advance(0.3);
    ASSERT_TRUE(link->sendCommand("REST", true, 1.0, second.onSuccess(), second.onError(),
                                  second.onTimeout()));
    clock.advance(0.5); // the first request's time-out would have been due at 0.5
    EXPECT_EQ(second.total(), 0);
    EXPECT_TRUE(link->busy());
    clock.advance(0.5);
    EXPECT_EQ(second.str(), "success 0, error 0, timeout 1");
    EXPECT_EQ(first.total(), 0);
}

// ---- Requests meeting polls ----

// Every reply comes late, the poll's too. A read and a write asked for while a poll waits for its
// reply go out only once that reply was judged, and are judged on their own replies: the read
// brings the block, the write is acknowledged and stored.
TEST_F(SerialPortTest, RequestsWaitForALatePollReplyAndSucceed) {
    const QByteArray info = bytes({1, 0, 2, 77, 1, 0, 5, 0, 0, 0, 1});
    unit.setPollPayload("INFO", info);
    for (double late : {0.04, 0.12, 0.3}) {
        SCOPED_TRACE(late);
        for (const char* command : {"INFO", "R", "W"})
            unit.setReplyDelay(command, late);
        QByteArray written = unit.block();
        written[20] = char(late * 100);
        struct Request {
            const char* command;
            std::function<bool(Outcome&)> send;
            QByteArray result;
        } requests[] = {
            {"R",
             [&](Outcome& o) {
                 return link->requestDataFrame("R", 91, true, 0.5, o.onSuccess(), o.onError(),
                                               o.onTimeout());
             },
             unit.block()},
            {"W",
             [&](Outcome& o) {
                 return link->sendDataFrame("W", written, 91, true, 0.5, o.onSuccess(),
                                            o.onError(), o.onTimeout());
             },
             written},
        };
        for (Request& r : requests) {
            SCOPED_TRACE(r.command);
            unit.clearRecord();
            int polled = 0;
            ASSERT_TRUE(link->pollDataFrame("INFO", 11, [&] { ++polled; }));
            Outcome o;
            ASSERT_TRUE(r.send(o));
            ASSERT_TRUE(unitGot(4));
            clock.advance(late - 0.01);
            testsupport::pumpEvents(20);
            EXPECT_EQ(unit.received(), QByteArray("INFO")); // the request waits for the reply
            clock.advance(0.01);
            ASSERT_TRUE(testsupport::waitUntil([&] { return unit.count(r.command) == 1; }));
            EXPECT_EQ(polled, 1);
            EXPECT_EQ(link->data(), info);
            clock.advance(late);
            ASSERT_TRUE(settle(o));
            EXPECT_EQ(o.str(), "success 1, error 0, timeout 0");
            if (QByteArray(r.command) == "R")
                EXPECT_EQ(link->data(), r.result);
            else
                EXPECT_EQ(unit.block(), r.result);
        }
    }
}

// A poll's reply later than the poll's own time-out is discarded as it comes; the request waiting
// for the line goes out once it has come and the line was quiet.
TEST_F(SerialPortTest, APollReplyLaterThanItsTimeOutIsDiscarded) {
    unit.setReplyDelay("INFO", 0.7);
    int polled = 0;
    ASSERT_TRUE(link->pollDataFrame("INFO", 11, [&] { ++polled; }));
    Outcome o;
    ASSERT_TRUE(
        link->requestDataFrame("r", 3, true, 0.5, o.onSuccess(), o.onError(), o.onTimeout()));
    ASSERT_TRUE(unitGot(4));
    clock.advance(0.69);
    testsupport::pumpEvents(20);
    EXPECT_EQ(unit.received(), QByteArray("INFO"));
    clock.advance(0.01);
    ASSERT_TRUE(testsupport::waitUntil([&] { return link->dataSizeReceived() == 14; }));
    clock.advance(SerialPort::quietAfterTimeout + 0.01);
    ASSERT_TRUE(settle(o));
    EXPECT_EQ(o.str(), "success 1, error 0, timeout 0");
    EXPECT_EQ(link->data(), kIdentity);
    EXPECT_EQ(polled, 0);
    EXPECT_EQ(unit.received(), QByteArray("INFOr"));
}

TEST_F(SerialPortTest, RequestDuringASlowPollReplyWaitsAndIsJudgedOnItsOwnReply) {
    unit.setReplyDelay("INFO", 0.05);
    unit.setSplit({5}, 0.02);
    unit.injectFault(Fault::SplitReply, "INFO"); // 5 bytes at 0.05 s, the rest at 0.07 s
    int polled = 0;
    link->pollDataFrame("INFO", 11, [&] { ++polled; });
    Outcome o;
    ASSERT_TRUE(
        link->requestDataFrame("r", 3, true, 0.5, o.onSuccess(), o.onError(), o.onTimeout()));
    EXPECT_TRUE(link->busy());
    ASSERT_TRUE(unitGot(4));
    testsupport::pumpEvents(20);
    EXPECT_EQ(unit.received(), QByteArray("INFO")); // "r" waits for the poll's reply
    clock.advance(0.05);
    ASSERT_TRUE(testsupport::waitUntil([&] { return link->dataSizeReceived() == 5; }));
    EXPECT_EQ(unit.received(), QByteArray("INFO"));
    clock.advance(0.02);
    ASSERT_TRUE(settle(o));
    EXPECT_EQ(polled, 1);
    EXPECT_EQ(o.str(), "success 1, error 0, timeout 0");
    EXPECT_EQ(link->data(), kIdentity);
    EXPECT_EQ(unit.received(), QByteArray("INFOr"));
}

// A poll whose reply never comes holds the line until its own time-out, and a while longer for
// the rest of its frame to come late; only then does the request go out.
TEST_F(SerialPortTest, ALostPollReplyHoldsTheNextRequestUntilTheLineIsClear) {
    unit.injectFault(Fault::NoReply, "INFO");
    int polled = 0;
    ASSERT_TRUE(link->pollDataFrame("INFO", 11, [&] { ++polled; }));
    ASSERT_TRUE(unitGot(4));
    Outcome o;
    ASSERT_TRUE(
        link->requestDataFrame("r", 3, true, 0.5, o.onSuccess(), o.onError(), o.onTimeout()));
    EXPECT_FALSE(link->pollDataFrame("INFO", 11, [&] { ++polled; })); // the request waits first
    clock.advance(SerialPort::pollTimeout - 0.01);
    testsupport::pumpEvents(20);
    EXPECT_EQ(unit.received(), QByteArray("INFO"));
    clock.advance(0.01 + SerialPort::lateReplyAllowance - 0.01);
    testsupport::pumpEvents(20);
    EXPECT_EQ(unit.received(), QByteArray("INFO"));
    clock.advance(0.01);
    ASSERT_TRUE(settle(o));
    EXPECT_EQ(o.str(), "success 1, error 0, timeout 0");
    EXPECT_EQ(polled, 0);
    EXPECT_EQ(unit.received(), QByteArray("INFOr"));
}

TEST_F(SerialPortTest, LeftoverInputIsNotCountedTowardsTheNextRequest) {
    unit.sendRaw(bytes({0x0D, 0x0D, 0x0D}));
    ASSERT_TRUE(testsupport::waitUntil([&] { return link->dataSizeReceived() == 3; }));
    Outcome o;
    ASSERT_TRUE(
        link->requestDataFrame("r", 3, true, 0.5, o.onSuccess(), o.onError(), o.onTimeout()));
    ASSERT_TRUE(settle(o));
    EXPECT_EQ(o.str(), "success 1, error 0, timeout 0");
    EXPECT_EQ(link->data(), kIdentity);
}

// ---- A noisy line ----

// Noise that reached the program just before an exchange went out, still unread or read by the
// port and not yet handed to the link, is no part of the exchange's reply: the read and the poll
// get their own replies alone.
TEST_F(SerialPortTest, NoiseJustBeforeAnExchangeNeverReachesItsReply) {
    const QByteArray info = bytes({1, 0, 2, 77, 1, 0, 5, 0, 0, 0, 1});
    unit.setPollPayload("INFO", info);
    const QByteArray noise = bytes({0x0D, 0x55, 0xAA, 0x0D});
    const int fd = link->serialPort()->fileDescriptor();
    struct Case {
        bool readByThePort; // else the noise waits unread on the port's device
        bool poll;          // else a read
    } cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.readByThePort ? "read, not yet handed over" : "unread") +
                     (c.poll ? ", poll" : ", read"));
        const qint64 before = link->dataSizeReceived();
        unit.sendRaw(noise);
        ASSERT_TRUE(testsupport::waitForUnread(fd, int(noise.size())));
        if (c.readByThePort) {
            ASSERT_TRUE(testsupport::stepUntil([&] { return testsupport::unreadBytes(fd) == 0; }));
            ASSERT_EQ(link->dataSizeReceived(), before);
        }
        Outcome o;
        int polled = 0;
        if (c.poll)
            ASSERT_TRUE(link->pollDataFrame("INFO", 11, [&] { ++polled; }));
        else
            ASSERT_TRUE(link->requestDataFrame("r", 3, true, 0.5, o.onSuccess(), o.onError(),
                                               o.onTimeout()));
        ASSERT_TRUE(testsupport::waitUntil([&] { return o.total() + polled > 0; }));
        testsupport::pumpEvents(20);
        EXPECT_EQ(link->dataSizeReceived(), c.poll ? 14 : 6);
        if (c.poll) {
            EXPECT_EQ(polled, 1);
            EXPECT_EQ(link->data(), info);
        } else {
            EXPECT_EQ(o.str(), "success 1, error 0, timeout 0");
            EXPECT_EQ(link->data(), kIdentity);
        }
    }
}

// The two writes of a split frame are one exchange: an acknowledge that comes between them, not
// yet read when the second write goes out, belongs to the reply.
TEST_F(SerialPort166Test, SplitWriteKeepsWhatCameBetweenItsWrites) {
    unit.setInputHandler([](const QByteArray& input) { return int(input.size()); });
    const int fd = link->serialPort()->fileDescriptor();
    Outcome write;
    ASSERT_TRUE(link->sendDataFrameSplit("W", unit.block(), 57, true, 0.5, write.onSuccess(),
                                         write.onError(), write.onTimeout()));
    ASSERT_TRUE(unitGot(1));
    unit.sendRaw(bytes({0x0D}));
    ASSERT_TRUE(testsupport::waitForUnread(fd, 1));
    clock.advance(SerialPort::splitPause);
    ASSERT_TRUE(unitGot(60));
    unit.sendRaw(bytes({0x0D}));
    ASSERT_TRUE(settle(write));
    EXPECT_EQ(write.str(), "success 1, error 0, timeout 0");
}

// A line that keeps chattering after a time-out never falls quiet: the request waiting for the
// quiet ends as a time-out lateReplyAllowance after it began to wait (when it was accepted after
// a request's time-out, or when the poll it waited for timed out), and none of it is written.
// Polls stay refused until the line is quiet; then the link serves requests again.
TEST_F(SerialPortTest, ALineThatNeverFallsQuietEndsTheWaitingRequestAsATimeOut) {
    for (const bool afterPoll : {false, true}) {
        SCOPED_TRACE(afterPoll ? "after a poll's time-out" : "after a request's time-out");
        unit.clearRecord();
        Outcome o;
        int polled = 0;
        if (afterPoll) {
            unit.injectFault(Fault::NoReply, "INFO");
            ASSERT_TRUE(link->pollDataFrame("INFO", 11, [&] { ++polled; }));
            ASSERT_TRUE(unitGot(4));
            ASSERT_TRUE(link->requestDataFrame("R", 91, true, 0.5, o.onSuccess(), o.onError(),
                                               o.onTimeout()));
            clock.advance(SerialPort::pollTimeout);
        } else {
            unit.injectFault(Fault::NoReply, "r");
            Outcome first;
            ASSERT_TRUE(link->requestDataFrame("r", 3, true, 0.5, first.onSuccess(),
                                               first.onError(), first.onTimeout()));
            ASSERT_TRUE(unitGot(1));
            clock.advance(0.5);
            ASSERT_EQ(first.str(), "success 0, error 0, timeout 1");
            ASSERT_TRUE(link->requestDataFrame("R", 91, true, 0.5, o.onSuccess(), o.onError(),
                                               o.onTimeout()));
        }
        unit.clearRecord();
        auto chatter = [&] {
            const qint64 before = link->dataSizeReceived();
            unit.sendRaw(bytes({0x55}));
            ASSERT_TRUE(
                testsupport::waitUntil([&] { return link->dataSizeReceived() == before + 1; }));
        };
        for (int i = 0; i < 15; ++i) { // a byte every 0.1 s until just before the bound
            chatter();
            clock.advance(i < 14 ? 0.1 : 0.099);
        }
        EXPECT_EQ(o.total(), 0);
        EXPECT_TRUE(link->busy());
        clock.advance(0.002);
        EXPECT_EQ(o.str(), "success 0, error 0, timeout 1");
        EXPECT_FALSE(link->busy());
        EXPECT_TRUE(link->lastRequestUnwritten()); // the line was busy, not the unit silent

        chatter();
        EXPECT_FALSE(link->pollDataFrame("INFO", 11, [&] { ++polled; }));
        clock.advance(SerialPort::lateReplyAllowance);
        testsupport::pumpEvents(20);
        EXPECT_EQ(o.total(), 1);
        EXPECT_TRUE(unit.received().isEmpty());
        EXPECT_EQ(polled, 0);

        Outcome next;
        ASSERT_TRUE(link->requestDataFrame("r", 3, true, 0.5, next.onSuccess(), next.onError(),
                                           next.onTimeout()));
        ASSERT_TRUE(settle(next));
        EXPECT_EQ(next.str(), "success 1, error 0, timeout 0");
    }
}

// A poll's reply is cut short (part of it, then nothing), one stray byte comes a second after the
// poll timed out, and the line falls quiet: the request queued behind the poll waits out the
// quiet, however long past lateReplyAllowance it lasts, and is then written and answered. Only a
// line that keeps bringing bytes ends a waiting request unwritten.
TEST_F(SerialPortTest, ARequestBehindAReplyCutShortIsWrittenOnceTheLineFallsQuiet) {
    unit.injectFault(Fault::NoReply, "INFO");
    ASSERT_TRUE(link->pollDataFrame("INFO", 11, [] {}));
    ASSERT_TRUE(unitGot(4));
    unit.sendRaw(bytes({0x01, 0x02, 0x03, 0x04, 0x05})); // 5 of the 13 bytes of the reply
    ASSERT_TRUE(testsupport::waitUntil([&] { return link->dataSizeReceived() == 5; }));
    Outcome o;
    ASSERT_TRUE(link->requestDataFrame("R", 91, true, 0.5, o.onSuccess(), o.onError(),
                                       o.onTimeout()));
    clock.advance(SerialPort::pollTimeout);
    clock.advance(1.0);
    unit.clearRecord();
    unit.sendRaw(bytes({0x06}));
    testsupport::pumpEvents(20);
    for (int step = 0; step < 100 && o.total() == 0; ++step) { // up to 5 s of a quiet line
        clock.advance(0.05);
        // Once written, the reply is read before the clock moves on.
        testsupport::waitUntil([&] { return o.total() > 0 || !link->awaitingReply(); }, 10000);
    }
    ASSERT_TRUE(settle(o, 10000));
    EXPECT_EQ(o.str(), "success 1, error 0, timeout 0");
    EXPECT_EQ(unit.frames(), QList<QByteArray>{"R"});
    EXPECT_FALSE(link->lastRequestUnwritten());
}

// A request still waiting for the line when its port closes (closed by the program, or another
// port connected in its place) never goes out on a port opened later: it ends with its time-out.
TEST_F(SerialPortTest, ARequestWaitingWhenItsPortClosesNeverGoesOutOnTheNextPort) {
    for (const bool reconnect : {false, true}) {
        SCOPED_TRACE(reconnect ? "another connect" : "disconnect");
        clock.advance(SerialPort::lateReplyAllowance); // the line of the last round is quiet
        unit.clearRecord();
        unit.injectFault(Fault::NoReply, "INFO");
        ASSERT_TRUE(link->pollDataFrame("INFO", 11, [] {}));
        ASSERT_TRUE(unitGot(4));
        Outcome o;
        ASSERT_TRUE(link->requestDataFrame("R", 91, true, 0.5, o.onSuccess(), o.onError(),
                                           o.onTimeout()));
        if (reconnect) {
            link->connect("SLAB_sim");
        } else {
            link->disconnect();
            link->connect("SLAB_sim");
        }
        EXPECT_EQ(o.str(), "success 0, error 0, timeout 1");
        EXPECT_FALSE(link->busy());
        ASSERT_TRUE(link->isOpen());
        clock.advance(SerialPort::pollTimeout + SerialPort::lateReplyAllowance);
        testsupport::pumpEvents(20);
        EXPECT_EQ(unit.received(), QByteArray("INFO"));
        EXPECT_EQ(o.total(), 1);
    }
}

// A held link takes no request and no poll, lets the exchange on the line end, and takes them
// again once released.
TEST_F(SerialPortTest, AHeldLinkRefusesEveryExchangeUntilReleased) {
    unit.holdReplies(true);
    Outcome first;
    ASSERT_TRUE(link->requestDataFrame("r", 3, true, 0.5, first.onSuccess(), first.onError(),
                                       first.onTimeout()));
    ASSERT_TRUE(unitGot(1));
    link->setHeld(true);
    unit.releaseReplies();
    unit.holdReplies(false);
    ASSERT_TRUE(settle(first));
    EXPECT_EQ(first.str(), "success 1, error 0, timeout 0");

    Outcome refused;
    int polled = 0;
    EXPECT_FALSE(link->requestDataFrame("R", 91, true, 0.5, refused.onSuccess(),
                                        refused.onError(), refused.onTimeout()));
    EXPECT_FALSE(link->sendCommand("REBT", true, 0.1, refused.onSuccess(), refused.onError(),
                                   refused.onTimeout()));
    EXPECT_FALSE(link->pollDataFrame("INFO", 11, [&] { ++polled; }));
    clock.advance(1.0);
    testsupport::pumpEvents(20);
    EXPECT_EQ(unit.received(), QByteArray("r"));
    EXPECT_EQ(refused.total(), 0);

    link->setHeld(false);
    Outcome read;
    ASSERT_TRUE(link->requestDataFrame("R", 91, true, 0.5, read.onSuccess(), read.onError(),
                                       read.onTimeout()));
    ASSERT_TRUE(settle(read));
    EXPECT_EQ(read.str(), "success 1, error 0, timeout 0");
    EXPECT_EQ(polled, 0);
}
