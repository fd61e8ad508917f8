// The simulated unit on its own, seen from a plain descriptor of its line: the far end that the
// device link's tests rely on must answer with the right frames.

#include "OVX_Configurator/SerialPort.h"
#include "platform/Scheduler.h"
#include "support/EventLoop.h"
#include "support/SimulatedUnit.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using testsupport::SimulatedUnit;

namespace {

// The program's side of the line, without the serial layer.
class Line {
public:
    explicit Line(const SimulatedUnit& unit)
        : fd_(::open(unit.devicePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
    }
    ~Line() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }
    void send(const QByteArray& bytes) {
        ASSERT_EQ(::write(fd_, bytes.constData(), bytes.size()), ssize_t(bytes.size()));
    }
    QByteArray readAvailable() {
        QByteArray out;
        char buf[256];
        ssize_t n;
        while ((n = ::read(fd_, buf, sizeof buf)) > 0)
            out.append(buf, n);
        return out;
    }
    // Pumps events until `count` bytes came back (or a short while passed).
    QByteArray read(int count, int timeoutMs = 2000) {
        testsupport::waitUntil(
            [&] {
                got_ += readAvailable();
                return got_.size() >= count;
            },
            timeoutMs);
        return std::exchange(got_, {});
    }

private:
    int fd_;
    QByteArray got_;
};

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

} // namespace

TEST(SimulatedUnit, IdentifiesItselfPerModel) {
    struct Case {
        int model;
        int blockLength;
    } cases[] = {{166, 71}, {168, 91}, {169, 71}, {170, 93}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        SimulatedUnit unit(c.model);
        Line line(unit);
        ASSERT_TRUE(line.isOpen());
        line.send("r");
        const QByteArray identity = bytes({c.model, unit.firmwareVersion(), unit.dataVersion()});
        EXPECT_EQ(line.read(6), SimulatedUnit::dataFrame(identity));
        line.send("R");
        const QByteArray block = line.read(c.blockLength + 3);
        ASSERT_EQ(block.size(), c.blockLength + 3);
        EXPECT_EQ(block.mid(1, c.blockLength), unit.block());
        EXPECT_EQ(quint8(block[2]), unit.firmwareVersion());
        EXPECT_EQ(quint8(block[3]), unit.dataVersion());
    }
}

TEST(SimulatedUnit, DataVersionDecidesTheBlockOfModel170) {
    SimulatedUnit unit(170);
    EXPECT_EQ(unit.block().size(), 93);
    unit.setDataVersion(17);
    EXPECT_EQ(unit.block().size(), 96);
    EXPECT_EQ(unit.block()[2], 17);
}

TEST(SimulatedUnit, TellsReadFromRestartAndRestore) {
    SimulatedUnit unit(168);
    Line line(unit);
    line.send("REBT");
    EXPECT_EQ(line.read(1), bytes({0x0D}));
    line.send("R");
    EXPECT_EQ(line.read(94).size(), 94);
    line.send("REST");
    EXPECT_EQ(line.read(1), bytes({0x0D}));
    EXPECT_EQ(unit.frames(), (QList<QByteArray>{"REBT", "R", "REST"}));
    EXPECT_EQ(unit.count("R"), 1);
}

TEST(SimulatedUnit, StoresAWrittenBlockAndRefusesABadCrc) {
    SimulatedUnit unit(168);
    Line line(unit);
    QByteArray block = unit.block();
    block[20] = 3;
    block[1] = 0x77; // the unit keeps its own version
    const std::uint16_t crc = crc16Modbus(block, 0, block.size());
    line.send("W" + block + bytes({crc >> 8, crc & 0xFF}));
    EXPECT_EQ(line.read(1), bytes({0x0D}));
    EXPECT_EQ(unit.block()[20], 3);
    EXPECT_EQ(quint8(unit.block()[1]), unit.firmwareVersion());

    block[20] = 4;
    line.send("W" + block + bytes({crc & 0xFF, crc >> 8}));
    EXPECT_EQ(line.read(1), bytes({SimulatedUnit::kNak}));
    EXPECT_EQ(unit.block()[20], 3);
    EXPECT_EQ(unit.count("W"), 2);
}

TEST(SimulatedUnit, Model166TakesTheLetterAloneAndTheBlockHeadLater) {
    SimulatedUnit unit(166);
    Line line(unit);
    QByteArray head = unit.block().left(57);
    head[10] = 2;
    const std::uint16_t crc = crc16Modbus(head, 0, head.size());
    line.send("W");
    testsupport::pumpEvents(50);
    EXPECT_TRUE(line.readAvailable().isEmpty());
    line.send(head + bytes({crc >> 8, crc & 0xFF}));
    EXPECT_EQ(line.read(2), bytes({0x0D, 0x0D}));
    EXPECT_EQ(unit.block()[10], 2);
    EXPECT_EQ(unit.block().size(), 71);
    line.send("l");
    EXPECT_EQ(line.read(2), bytes({0x0D, 0x0D}));
    line.send("d");
    const QByteArray live = line.read(31);
    EXPECT_EQ(live.size(), 31);
    EXPECT_EQ(live[0], 0x0D);
}

TEST(SimulatedUnit, PollRepliesHaveEachModelsLength) {
    struct Case {
        int model;
        const char* command;
        int payload;
    } cases[] = {{168, "INFO", 11}, {168, "STCK", 14}, {168, "SERV", 20}, {168, "SNSR", 16},
                 {169, "INFO", 11}, {169, "STCK", 18}, {169, "SERV", 22}, {169, "SNSR", 16},
                 {170, "INFO", 11}, {170, "STCK", 22}, {170, "SERV", 24}, {170, "SNSR", 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.model) + " " + c.command);
        SimulatedUnit unit(c.model);
        Line line(unit);
        line.send(c.command);
        const QByteArray reply = line.read(c.payload + 3);
        ASSERT_EQ(reply.size(), c.payload + 3);
        const QByteArray payload = reply.mid(1, c.payload);
        EXPECT_EQ(reply, SimulatedUnit::dataFrame(payload));
        testsupport::pumpEvents(10);
        EXPECT_TRUE(line.readAvailable().isEmpty());
    }
}

TEST(SimulatedUnit, FixedPollPayloadAndUnknownCommandsUnanswered) {
    SimulatedUnit unit(166);
    unit.setPollPayload("d", QByteArray(30, '\x11'));
    Line line(unit);
    line.send("INFO"); // not a command of this model
    line.send("d");
    EXPECT_EQ(line.read(31), bytes({0x0D}) + QByteArray(30, '\x11'));
    EXPECT_EQ(unit.frames(), (QList<QByteArray>{"INFO", "d"}));
}

TEST(SimulatedUnit, StatusReportsTheRunningProcedure) {
    SimulatedUnit unit(168);
    Line line(unit);
    auto state = [&] {
        line.send("INFO");
        const QByteArray reply = line.read(14);
        return reply.size() == 14 ? int(reply[1]) : -1;
    };
    EXPECT_EQ(state(), 1);
    struct Case {
        const char* start;
        int running;
    } cases[] = {{"TRIM", 7}, {"TRVL", 8}, {"ACCL", 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        line.send(c.start);
        EXPECT_EQ(line.read(1), bytes({0x0D}));
        EXPECT_EQ(state(), c.running);
        line.send("CNCL");
        EXPECT_EQ(line.read(1), bytes({0x0D}));
        EXPECT_EQ(state(), 1);
    }
}

TEST(SimulatedUnit, AccelerometerCalibrationStepsOnlyWhileCalibrating) {
    SimulatedUnit unit(169);
    Line line(unit);
    line.send(bytes({0x01}));
    EXPECT_EQ(line.read(2), bytes({0x15, 0x15}));
    line.send("ACCL");
    EXPECT_EQ(line.read(1), bytes({0x0D}));
    EXPECT_EQ(unit.activeProcedure(), "ACCL");
    line.send(bytes({0x01}));
    EXPECT_EQ(line.read(2), bytes({0x0D, 0x0D}));
    line.send(bytes({0x02}));
    EXPECT_EQ(line.read(2), bytes({0x0D, 0x0D}));
    EXPECT_EQ(unit.activeProcedure(), "");
}

TEST(SimulatedUnit, FaultsChangeTheNextMatchingReplyOnly) {
    struct Case {
        SimulatedUnit::Fault fault;
        QByteArray expected; // reply to "r" from a 168 unit with firmware 0x21, data 0x10
    };
    const QByteArray good = SimulatedUnit::dataFrame(bytes({168, 0x21, 0x10}));
    QByteArray wrongAck = good, badCrc = good, swapped = good;
    wrongAck[0] = 0x06;
    badCrc[5] = char(~badCrc[5]);
    std::swap(swapped[4], swapped[5]);
    const Case cases[] = {{SimulatedUnit::Fault::WrongAck, wrongAck},
                          {SimulatedUnit::Fault::BadCrc, badCrc},
                          {SimulatedUnit::Fault::SwappedCrc, swapped},
                          {SimulatedUnit::Fault::ShortReply, good.left(5)},
                          {SimulatedUnit::Fault::ExtraByte, good + bytes({0})}};
    for (const Case& c : cases) {
        SimulatedUnit unit(168);
        Line line(unit);
        unit.injectFault(c.fault, "r");
        line.send("INFO");
        EXPECT_EQ(line.read(14).size(), 14); // another command: untouched
        line.send("r");
        EXPECT_EQ(line.read(c.expected.size() + 1, 200), c.expected);
        line.send("r");
        EXPECT_EQ(line.read(6), good);
    }
}

TEST(SimulatedUnit, LateSplitAndHeldRepliesFollowTheScheduler) {
    platform::ManualScheduler clock;
    platform::ScopedScheduler use(clock);
    SimulatedUnit unit(168);
    Line line(unit);
    const QByteArray good = SimulatedUnit::dataFrame(bytes({168, 0x21, 0x10}));

    unit.injectFault(SimulatedUnit::Fault::NoReply);
    line.send("r");
    EXPECT_TRUE(line.read(1, 100).isEmpty());

    unit.setLateDelay(0.7);
    unit.injectFault(SimulatedUnit::Fault::LateReply);
    line.send("r");
    EXPECT_TRUE(line.read(1, 100).isEmpty());
    clock.advance(0.69);
    EXPECT_TRUE(line.read(1, 50).isEmpty());
    clock.advance(0.01);
    EXPECT_EQ(line.read(6), good);

    unit.setSplit({1, 2}, 0.02);
    unit.injectFault(SimulatedUnit::Fault::SplitReply);
    line.send("r");
    EXPECT_EQ(line.read(1), good.left(1));
    clock.advance(0.02);
    EXPECT_EQ(line.read(2), good.mid(1, 2));
    clock.advance(0.02);
    EXPECT_EQ(line.read(3), good.mid(3));

    unit.holdReplies(true);
    line.send("r");
    EXPECT_TRUE(line.read(1, 100).isEmpty());
    EXPECT_EQ(unit.heldReplies(), 1);
    unit.releaseReplies();
    EXPECT_EQ(line.read(6), good);
}
