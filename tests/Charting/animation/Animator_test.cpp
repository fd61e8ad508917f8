#include "Charting/animation/Animator.h"
#include "platform/Scheduler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <string>
#include <vector>

using charting::Animator;
using charting::ChartAnimatorDelegate;
using charting::ChartEasingOption;

namespace {

struct Recorder : ChartAnimatorDelegate {
    void animatorUpdated(Animator& a) override {
        events.push_back("updated " + std::to_string(a.phaseX()) + " " +
                         std::to_string(a.phaseY()));
    }
    void animatorStopped(Animator&) override { events.push_back("stopped"); }
    std::vector<std::string> events;
};

class AnimatorTest : public testing::Test {
protected:
    platform::ManualScheduler clock;
    platform::ScopedScheduler scoped{clock};
    Recorder recorder;
    std::shared_ptr<Animator> animator = Animator::create();
    void SetUp() override { animator->setDelegate(&recorder); }
    void TearDown() override { animator.reset(); }
};

constexpr double kFrame = 1.0 / 60;

} // namespace

TEST_F(AnimatorTest, LinearXAnimationRunsFromZeroToOneAndStopsOnce) {
    animator->animate(1.0, 0.0, ChartEasingOption::linear);
    EXPECT_EQ(animator->phaseX(), 0.0);
    EXPECT_EQ(animator->phaseY(), 1.0); // y is not animated
    EXPECT_TRUE(recorder.events.empty());

    clock.advance(0.5);
    EXPECT_NEAR(animator->phaseX(), 0.5, kFrame);
    EXPECT_EQ(animator->phaseY(), 1.0);
    const auto framesSoFar = recorder.events.size();
    EXPECT_NEAR(double(framesSoFar), 30, 1);

    clock.advance(0.6);
    EXPECT_FALSE(animator->isRunning());
    EXPECT_EQ(animator->phaseX(), 1.0);
    ASSERT_GE(recorder.events.size(), 2u);
    // The last frame sets the phase to exactly 1, then the stop sends only its own notice.
    EXPECT_EQ(recorder.events[recorder.events.size() - 2], "updated 1.000000 1.000000");
    EXPECT_EQ(recorder.events.back(), "stopped");
    const auto total = recorder.events.size();
    clock.advance(1.0);
    EXPECT_EQ(recorder.events.size(), total); // the display link is gone
    EXPECT_EQ(clock.pending(), 0u);
}

TEST_F(AnimatorTest, ZeroDurationsStartNothingAndStopWhenIdleSendsNothing) {
    int updates = 0, stops = 0;
    animator->setUpdateBlock([&] { ++updates; });
    animator->setStopBlock([&] { ++stops; });
    animator->animate(0.0, 0.0);
    EXPECT_FALSE(animator->isRunning());
    animator->stop();
    clock.advance(1);
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_EQ(updates + stops, 0);
}

TEST_F(AnimatorTest, ANewTwoAxisAnimationStopsTheRunningOneFirst) {
    animator->animate(1.0, 1.0, ChartEasingOption::easeInQuad);
    clock.advance(0.25);
    recorder.events.clear();
    animator->animate(2.0, 2.0);
    ASSERT_EQ(recorder.events.size(), 2u);
    EXPECT_EQ(recorder.events[0], "updated 1.000000 1.000000"); // phases jump to 1
    EXPECT_EQ(recorder.events[1], "stopped");
    EXPECT_EQ(animator->phaseX(), 0.0); // restarted from 0
    EXPECT_EQ(animator->phaseY(), 0.0);
    EXPECT_TRUE(animator->isRunning());
}

TEST_F(AnimatorTest, OneAxisAnimationJoinsAndLengthensTheRunningOne) {
    animator->animate(1.0, 1.0);
    clock.advance(0.5);
    animator->animateY(2.0, ChartEasingOption::linear); // y restarts, ends at 2.5
    clock.advance(0.6);                                 // t = 1.1: x done, y at 0.3
    EXPECT_TRUE(animator->isRunning());
    EXPECT_EQ(animator->phaseX(), 1.0);
    EXPECT_NEAR(animator->phaseY(), 0.3, kFrame);
    clock.advance(1.5);
    EXPECT_FALSE(animator->isRunning());
    EXPECT_EQ(recorder.events.back(), "stopped");
}

TEST_F(AnimatorTest, OneAxisAnimationStartedWhileIdleEndsWithItsOwnDuration) {
    animator->animate(0.5, 5.0);
    clock.advance(0.2);
    animator->stop(); // y had 4.8 s left
    recorder.events.clear();
    animator->animateX(0.5);
    clock.advance(0.55);
    EXPECT_FALSE(animator->isRunning());
    EXPECT_EQ(recorder.events.back(), "stopped");
}

TEST_F(AnimatorTest, ReleasingARunningAnimatorStopsIt) {
    animator->animate(1.0, 1.0);
    clock.advance(0.1);
    animator.reset();
    EXPECT_EQ(recorder.events.back(), "stopped");
    EXPECT_EQ(clock.pending(), 0u);
}

TEST_F(AnimatorTest, AFrameAfterTheEndComputesThePhaseAtTheDurationAndStopsOnce) {
    // 0.51 s is no whole number of frames: the last frame comes after the end. Both curves
    // overshoot 1 just past their end, and give exactly 1 at it.
    for (ChartEasingOption option :
         {ChartEasingOption::easeOutBack, ChartEasingOption::easeInOutElastic}) {
        SCOPED_TRACE(int(option));
        std::vector<std::pair<double, double>> phases;
        std::vector<double> times;
        animator->setUpdateBlock([&] {
            phases.emplace_back(animator->phaseX(), animator->phaseY());
            times.push_back(clock.now());
        });
        recorder.events.clear();
        animator->animate(0.51, 0.51, option);
        clock.advance(1.0);
        ASSERT_FALSE(animator->isRunning());
        ASSERT_GE(phases.size(), 2u);
        EXPECT_EQ(phases.back(), std::make_pair(1.0, 1.0));
        // That update came from the last frame; the stop found both phases at 1 and sent none.
        EXPECT_NE(times[times.size() - 2], times.back());
        EXPECT_NE(phases[phases.size() - 2], std::make_pair(1.0, 1.0));
        EXPECT_EQ(std::count(recorder.events.begin(), recorder.events.end(), "stopped"), 1);
        EXPECT_EQ(recorder.events.back(), "stopped");
    }
}

TEST_F(AnimatorTest, ADurationThatIsNotANumberNeverKeepsTheAnimationRunning) {
    animator->animate(NAN, 0.5);
    clock.advance(0.55);
    EXPECT_FALSE(animator->isRunning());
    animator->animate(0.5, NAN);
    clock.advance(0.55);
    EXPECT_FALSE(animator->isRunning());
    animator->animate(0.5, 0.5);
    animator->animateX(NAN); // joins: x is disabled, the end stays that of y
    clock.advance(0.55);
    EXPECT_FALSE(animator->isRunning());
    EXPECT_EQ(animator->phaseX(), 1.0);
    EXPECT_EQ(animator->phaseY(), 1.0);
    EXPECT_EQ(clock.pending(), 0u);
}
