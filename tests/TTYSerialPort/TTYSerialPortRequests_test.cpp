#include "TTYSerialPort/TTYSerialPort.h"

#include "PortOnPty.h"
#include "platform/Scheduler.h"

#include <gtest/gtest.h>

using testsupport::PseudoTerminal;
using testsupport::waitUntil;

namespace {

using Request = std::shared_ptr<TTYSerialRequest>;

struct WithManualClock {
    platform::ManualScheduler clock;
    platform::ScopedScheduler useClock{clock};
};

// An open port on a pseudo-terminal, with time that moves only when the test says so (the clock
// is made first and goes last).
struct RequestQueue : WithManualClock, PortOnPty {
    void SetUp() override {
        PortOnPty::SetUp();
        openAt115200();
    }

    // A request answered by 3 bytes ending in a carriage return.
    static Request request(const QByteArray& command, double timeout = 0) {
        return TTYSerialRequest::create(
            command, std::any(), timeout,
            TTYSerialPacketDescriptor::create(3, std::any(), [](const QByteArray& d) {
                return d.size() == 3 && d.endsWith('\r');
            }));
    }
    static Request withoutAnswer(const QByteArray& command, double timeout = 0) {
        return TTYSerialRequest::create(command, std::any(), timeout,
                                        std::shared_ptr<TTYSerialPacketDescriptor>());
    }

    // What the unit has been sent, after a moment for anything in flight.
    QByteArray sent() {
        testsupport::pumpEvents(10);
        return pty.readAvailable();
    }
};

} // namespace

TEST_F(RequestQueue, SecondRequestIsWrittenOnlyAfterTheFirstIsAnswered) {
    const Request first = request("A?"), second = request("B?");
    EXPECT_TRUE(port->sendRequest(first));
    EXPECT_TRUE(port->sendRequest(second));
    EXPECT_EQ(sent(), QByteArray("A?"));
    EXPECT_EQ(port->pendingRequest(), first);
    EXPECT_EQ(port->queuedRequests(), std::vector<Request>{second});

    ASSERT_TRUE(pty.write("OK\r"));
    EXPECT_EQ(pty.readExactly(2), QByteArray("B?"));
    ASSERT_TRUE(waitUntil([&] { return delegate.responses.size() == 1; }));
    EXPECT_EQ(delegate.responses[0], std::make_pair(QByteArray("OK\r"), first));
    EXPECT_EQ(port->pendingRequest(), second);
    EXPECT_TRUE(port->queuedRequests().empty());
}

TEST_F(RequestQueue, ThreeByteAnswerIsCutOutOfALongerRead) {
    const Request first = request("A?"), second = request("B?");
    port->sendRequest(first);
    port->sendRequest(second);
    ASSERT_TRUE(pty.write("OK\rNO\rXY"));
    ASSERT_TRUE(waitUntil([&] { return delegate.responses.size() == 2; }));
    EXPECT_EQ(delegate.responses[0], std::make_pair(QByteArray("OK\r"), first));
    EXPECT_EQ(delegate.responses[1], std::make_pair(QByteArray("NO\r"), second));
    EXPECT_EQ(delegate.received(), QByteArray("OK\rNO\rXY")); // every byte still reported
    EXPECT_FALSE(port->pendingRequest());
    // The data report comes before the responses cut out of it.
    EXPECT_EQ(delegate.events,
              (std::vector<std::string>{"opened", "data", "response", "response"}));
}

TEST_F(RequestQueue, TimeOutEndsARequestAndTheNextFollowsTheReport) {
    const Request first = request("A?", 1.0), second = request("B?", 1.0);
    port->sendRequest(first);
    port->sendRequest(second);
    EXPECT_EQ(sent(), QByteArray("A?"));
    clock.advance(0.9);
    EXPECT_EQ(sent(), QByteArray());
    clock.advance(0.2);
    EXPECT_EQ(sent(), QByteArray("B?"));
    ASSERT_EQ(delegate.timeouts, std::vector<Request>{first});

    // A late answer to the first now answers the second.
    ASSERT_TRUE(pty.write("OK\r"));
    ASSERT_TRUE(waitUntil([&] { return delegate.responses.size() == 1; }));
    EXPECT_EQ(delegate.responses[0].second, second);
    clock.advance(5);
    testsupport::pumpEvents(10);
    EXPECT_EQ(delegate.timeouts.size(), 1u); // an answered request never times out
}

TEST_F(RequestQueue, RequestWithoutAnswerEndsAtItsWriteAndItsTimeOutGoesWithIt) {
    const Request blind = withoutAnswer("W", 1.0), next = request("B?");
    const Request lone = withoutAnswer("X", 1.0);
    EXPECT_TRUE(port->sendRequest(blind));
    EXPECT_TRUE(port->sendRequest(next));
    EXPECT_EQ(sent(), QByteArray("WB?"));
    clock.advance(1.5); // the ended request's time-out must not end the next one
    testsupport::pumpEvents(10);
    EXPECT_TRUE(delegate.timeouts.empty());
    EXPECT_EQ(port->pendingRequest(), next);

    ASSERT_TRUE(pty.write("OK\r"));
    ASSERT_TRUE(waitUntil([&] { return delegate.responses.size() == 1; }));
    EXPECT_TRUE(port->sendRequest(lone));
    EXPECT_FALSE(port->pendingRequest());
    clock.advance(1.5); // nor report a time-out with nothing pending
    testsupport::pumpEvents(10);
    EXPECT_TRUE(delegate.timeouts.empty());
}

TEST_F(RequestQueue, RequestWithoutAnswerWhoseWriteFailedTakesNoBytes) {
    port->close();
    const Request blind = withoutAnswer("W", 1.0), next = request("B?");
    EXPECT_FALSE(port->sendRequest(blind));
    EXPECT_TRUE(port->sendRequest(next));
    EXPECT_EQ(port->pendingRequest(), blind);
    port->open();
    ASSERT_TRUE(pty.write("OK\r"));
    ASSERT_TRUE(waitUntil([&] { return delegate.received() == "OK\r"; }));
    EXPECT_TRUE(delegate.responses.empty());
    EXPECT_EQ(port->pendingRequest(), blind);
    clock.advance(1.0);
    EXPECT_EQ(sent(), QByteArray("B?"));
    EXPECT_EQ(delegate.timeouts, std::vector<Request>{blind});
}

TEST_F(RequestQueue, CancellingLeavesThePendingRequestAlone) {
    const Request first = request("A?"), second = request("B?"), third = request("C?");
    port->sendRequest(first);
    port->sendRequest(second);
    port->sendRequest(third);
    port->cancelQueuedRequest(first);
    port->cancelQueuedRequest(nullptr);
    EXPECT_EQ(port->pendingRequest(), first);
    port->cancelQueuedRequest(second);
    EXPECT_EQ(port->queuedRequests(), std::vector<Request>{third});
    port->cancelAllQueuedRequests();
    EXPECT_TRUE(port->queuedRequests().empty());
    EXPECT_EQ(port->pendingRequest(), first);
    EXPECT_FALSE(port->sendRequest(nullptr)); // refused, not queued
    EXPECT_TRUE(port->queuedRequests().empty());
    ASSERT_TRUE(pty.write("OK\r"));
    ASSERT_TRUE(waitUntil([&] { return delegate.responses.size() == 1; }));
    EXPECT_EQ(sent(), QByteArray("A?"));
}

TEST_F(RequestQueue, CloseDropsTheRequestsAndTheirTimeOuts) {
    port->sendRequest(request("A?", 1.0));
    port->sendRequest(request("B?", 1.0));
    port->close();
    EXPECT_FALSE(port->pendingRequest());
    EXPECT_TRUE(port->queuedRequests().empty());
    clock.advance(2);
    testsupport::pumpEvents(10);
    EXPECT_TRUE(delegate.timeouts.empty());
}

TEST_F(RequestQueue, ListenerReportsEachLineOnce) {
    auto lines =
        TTYSerialPacketDescriptor::create(QByteArray("$"), QByteArray("\n"), 16, std::any());
    port->startListeningForPacketsMatchingDescriptor(lines);
    port->startListeningForPacketsMatchingDescriptor(lines); // still one buffer
    EXPECT_EQ(port->packetDescriptors().size(), 1u);
    ASSERT_TRUE(pty.write("$AB\n$CD\n$E"));
    ASSERT_TRUE(waitUntil([&] { return delegate.received().size() == 10; }));
    ASSERT_TRUE(pty.write("F\n"));
    ASSERT_TRUE(waitUntil([&] { return delegate.packets.size() >= 3; }));
    testsupport::pumpEvents(10);
    EXPECT_EQ(delegate.packets, (std::vector<QByteArray>{"$AB\n", "$CD\n", "$EF\n"}));

    port->stopListeningForPacketsMatchingDescriptor(lines);
    EXPECT_TRUE(port->packetDescriptors().empty());
    ASSERT_TRUE(pty.write("$GH\n"));
    ASSERT_TRUE(waitUntil([&] { return delegate.received().size() == 16; }));
    testsupport::pumpEvents(10);
    EXPECT_EQ(delegate.packets.size(), 3u);
}

// A reported packet leaves nothing behind: its last bytes never begin the next one.
TEST_F(RequestQueue, ListenerStartsEachPacketWithAnEmptyBuffer) {
    port->startListeningForPacketsMatchingDescriptor(
        TTYSerialPacketDescriptor::create(QByteArray("ABA"), std::any()));
    ASSERT_TRUE(pty.write("ABABA"));
    ASSERT_TRUE(waitUntil([&] { return delegate.received().size() == 5; }));
    testsupport::pumpEvents(10);
    EXPECT_EQ(delegate.packets, std::vector<QByteArray>{"ABA"});
}
