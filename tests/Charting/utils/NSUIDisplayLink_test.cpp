#include "Charting/utils/DisplayTicker.h"
#include "Charting/utils/MediaClock.h"
#include "Charting/utils/NSUIDisplayLink.h"
#include "platform/MainQueue.h"
#include "platform/Scheduler.h"
#include "support/EventLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using charting::DisplayTicker;
using charting::NSUIDisplayLink;

TEST(NSUIDisplayLink, WithoutADisplayTickerATimerFiresEverySixtiethOfASecond) {
    platform::ManualScheduler clock;
    platform::ScopedScheduler scoped(clock);
    auto target = std::make_shared<int>(0);
    int steps = 0;
    auto link = NSUIDisplayLink::create(target, [&] { ++steps; });
    EXPECT_FALSE(link->usesDisplayTicker());
    clock.advance(0.1);
    EXPECT_EQ(steps, 0); // nothing until it is added to the run loop
    link->addToRunLoop();
    clock.advance(1.0 + 1e-9);
    EXPECT_EQ(steps, 60);
    EXPECT_EQ(link->timestamp(), 0.0);
    EXPECT_DOUBLE_EQ(charting::mediaTime(), clock.now());

    target.reset(); // a released target receives nothing, the link keeps running
    clock.advance(0.5);
    EXPECT_EQ(steps, 60);
    EXPECT_TRUE(link->isRunning());
    link->invalidate();
    EXPECT_EQ(clock.pending(), 0u);
}

namespace {
// Ticks from a thread of its own, like a display.
class ThreadTicker : public DisplayTicker {
public:
    ~ThreadTicker() override { stop(); }
    void start(std::function<void()> onFrame) override {
        running = true;
        worker = std::thread([this, onFrame] {
            while (running) {
                onFrame();
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    }
    void stop() override {
        running = false;
        if (worker.joinable())
            worker.join();
    }
    std::atomic<bool> running{false};
    std::thread worker;
};
} // namespace

TEST(NSUIDisplayLink, DisplayTicksAreHandedToTheMainThread) {
    charting::ScopedDisplayTickerFactory factory([] { return std::make_unique<ThreadTicker>(); });
    auto target = std::make_shared<int>(0);
    int steps = 0;
    bool allOnMain = true;
    auto link = NSUIDisplayLink::create(target, [&] {
        ++steps;
        allOnMain = allOnMain && platform::isMainThread();
    });
    ASSERT_TRUE(link->usesDisplayTicker());
    link->addToRunLoop();
    EXPECT_TRUE(testsupport::waitUntil([&] { return steps >= 3; }));
    link->invalidate();
    const int after = steps;
    testsupport::pumpEvents(30);
    EXPECT_EQ(steps, after); // nothing after invalidate, not even ticks already posted
    EXPECT_TRUE(allOnMain);
    EXPECT_GT(link->timestamp(), 0.0);
}
