#include "platform/Scheduler.h"
#include "support/EventLoop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::ManualScheduler;
using platform::ScopedScheduler;

TEST(ManualScheduler, RunsTimersInDueOrderAndOnlyWhenDue) {
    ManualScheduler s;
    std::vector<std::string> log;
    s.after(0.3, [&] { log.push_back("b@" + std::to_string(s.now())); });
    s.after(0.1, [&] { log.push_back("a"); });
    auto cancelled = s.after(0.2, [&] { log.push_back("never"); });
    s.cancel(cancelled);
    s.advance(0.25);
    EXPECT_EQ(log, std::vector<std::string>{"a"});
    s.advance(0.05);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].substr(0, 4), "b@0.");
    EXPECT_EQ(s.pending(), 0u);
}

TEST(ManualScheduler, RepeatingTimerFiresOncePerIntervalAndCanCancelItself) {
    ManualScheduler s;
    int ticks = 0;
    platform::Scheduler::Id id = 0;
    id = s.every(0.05, [&] {
        if (++ticks == 4)
            s.cancel(id);
    });
    s.advance(0.12);
    EXPECT_EQ(ticks, 2);
    s.advance(1.0);
    EXPECT_EQ(ticks, 4);
    EXPECT_FALSE(s.isActive(id));
}

TEST(ManualScheduler, WorkScheduledFromACallbackRunsInTheSameAdvanceWhenDue) {
    ManualScheduler s;
    std::vector<double> at;
    s.after(0.1, [&] {
        at.push_back(s.now());
        s.after(0.1, [&] { at.push_back(s.now()); });
    });
    s.advance(0.5);
    ASSERT_EQ(at.size(), 2u);
    EXPECT_DOUBLE_EQ(at[0], 0.1);
    EXPECT_DOUBLE_EQ(at[1], 0.2);
    EXPECT_DOUBLE_EQ(s.now(), 0.5);
}

TEST(Timer, UsesTheInstalledSchedulerAndStopsWhenDestroyed) {
    ManualScheduler s;
    ScopedScheduler use(s);
    int fired = 0;
    {
        platform::Timer t;
        t.start(1.0, [&] { ++fired; });
        EXPECT_TRUE(t.isActive());
    }
    s.advance(2.0);
    EXPECT_EQ(fired, 0);

    platform::Timer t;
    t.start(1.0, [&] { ++fired; });
    t.start(0.5, [&] { fired += 10; }); // restarting replaces the pending work
    s.advance(2.0);
    EXPECT_EQ(fired, 10);
    EXPECT_FALSE(t.isActive());
}

TEST(QtScheduler, SingleShotRunsFromTheEventLoop) {
    platform::QtScheduler s;
    bool fired = false;
    s.after(0.001, [&] { fired = true; });
    EXPECT_FALSE(fired);
    EXPECT_TRUE(testsupport::waitUntil([&] { return fired; }));
}
