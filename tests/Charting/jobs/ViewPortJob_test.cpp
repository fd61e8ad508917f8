#include "Charting/jobs/AnimatedMoveViewJob.h"
#include "Charting/jobs/AnimatedZoomViewJob.h"
#include "Charting/jobs/MoveViewJob.h"
#include "Charting/jobs/ZoomJobChart.h"
#include "Charting/jobs/ZoomViewJob.h"
#include "Charting/utils/NSUIView.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"
#include "platform/Scheduler.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace charting;
using platform::AffineTransform;
using platform::Point;

namespace {

// Shaped as the chart views are: a view base that is a platform view and answers the chart
// interface, and a bar-line view on it that answers the zoom jobs' interface.
class FakeViewBase : public NSUIView, public virtual ViewPortChart {
public:
    platform::Rect bounds() const override { return NSUIView::bounds(); }
    void setNeedsDisplayInRect(const platform::Rect&) override { ++redraws; }
    int redraws = 0;
};

// A bar-line chart stand-in: x 0...20, left y -1...1, right y 0...100.
class FakeBarLineView : public FakeViewBase, public ZoomJobChart {
public:
    double getAxisRange(AxisDependency axis) const override {
        return axis == AxisDependency::left ? 2 : 100;
    }
    double xRange() override { return 20; }
    void calculateOffsets() override { ++offsetCalculations; }
    int offsetCalculations = 0;
};

struct Chart {
    platform::ManualScheduler clock;
    platform::ScopedScheduler scoped{clock};
    FakeBarLineView view;
    std::shared_ptr<ViewPortHandler> handler = ViewPortHandler::create(420, 220);
    std::shared_ptr<Transformer> transformer = Transformer::create(handler);
    Chart() {
        view.resize(420, 220);
        handler->restrainViewPort(20, 10, 0, 10); // content (20, 10, 400, 200)
        transformer->prepareMatrixValuePx(0, 20, 2, -1);
        transformer->prepareMatrixOffset(false);
    }
};

void expectPoint(Point p, Point expected, double tolerance = 1e-9) {
    EXPECT_NEAR(p.x, expected.x, tolerance);
    EXPECT_NEAR(p.y, expected.y, tolerance);
}

void expectMatrix(const AffineTransform& m, const AffineTransform& e) {
    EXPECT_NEAR(m.a, e.a, 1e-9);
    EXPECT_NEAR(m.d, e.d, 1e-9);
    EXPECT_NEAR(m.tx, e.tx, 1e-9);
    EXPECT_NEAR(m.ty, e.ty, 1e-9);
}

} // namespace

TEST(ViewPortJobDeathTest, TheBaseJobHasNothingToDo) {
    Chart c;
    ViewPortJob job(c.handler, 1, 2, c.transformer, &c.view);
    EXPECT_DEATH(job.doJob(), "doJob\\(\\) must be overridden by subclasses");
}

TEST(MoveViewJob, PutsTheValueAtTheContentsTopLeftCorner) {
    Chart c;
    c.handler->refresh(AffineTransform::makeScale(4, 4), nullptr, false);
    const Point before = c.transformer->pixelForValues(5, 0.5);
    const AffineTransform expected = c.handler->touchMatrix().concatenating(
        AffineTransform::makeTranslation(-(before.x - 20), -(before.y - 10)));
    MoveViewJob::create(c.handler, 5, 0.5, c.transformer, &c.view)->doJob();
    expectMatrix(c.handler->touchMatrix(), expected);
    expectPoint(c.transformer->pixelForValues(5, 0.5), Point{20, 10});
    EXPECT_EQ(c.view.redraws, 1);
}

TEST(ZoomViewJob, ZoomsToTheScalesWithTheValueInTheCentre) {
    Chart c;
    ZoomViewJob::create(c.handler, 2, 4, 12, 0.25, c.transformer, AxisDependency::left, &c.view)
        ->doJob();
    EXPECT_EQ(c.handler->scaleX(), 2);
    EXPECT_EQ(c.handler->scaleY(), 4);
    expectPoint(c.transformer->pixelForValues(12, 0.25), c.handler->contentCenter());
    EXPECT_EQ(c.view.offsetCalculations, 1);
    EXPECT_GE(c.view.redraws, 1);
}

TEST(AnimatedMoveViewJob, EndsExactlyWhereTheDirectMoveGoesAndThenLetsGo) {
    Chart c;
    c.handler->refresh(AffineTransform::makeScale(4, 4), nullptr, false);
    const AffineTransform start = c.handler->touchMatrix();
    MoveViewJob::create(c.handler, 15, 0.5, c.transformer, &c.view)->doJob();
    const AffineTransform direct = c.handler->touchMatrix();
    c.handler->setTouchMatrix(start);

    std::weak_ptr<AnimatedMoveViewJob> weak;
    {
        auto job =
            AnimatedMoveViewJob::create(c.handler, 15, 0.5, c.transformer, &c.view, 0, 1, 0.5,
                                        easingFunctionForOption(ChartEasingOption::linear));
        weak = job;
        job->doJob();
        EXPECT_EQ(job->phase(), 0.0);
    } // only the running animation keeps the job now
    c.clock.advance(0.25);
    ASSERT_FALSE(weak.expired());
    EXPECT_NEAR(weak.lock()->phase(), 0.5, 1.0 / 60);
    c.clock.advance(0.3);
    EXPECT_TRUE(weak.expired()); // finished and released
    expectMatrix(c.handler->touchMatrix(), direct);
    EXPECT_EQ(c.clock.pending(), 0u);
}

TEST(AnimatedMoveViewJob, BackEasingOvershootsTheTarget) {
    Chart c;
    c.handler->refresh(AffineTransform::makeScale(4, 1), nullptr, false);
    auto job = AnimatedMoveViewJob::create(c.handler, 10, 0, c.transformer, &c.view, 0, 0, 0.5,
                                           easingFunctionForOption(ChartEasingOption::easeOutBack));
    job->start();
    double lowest = 0;
    for (int i = 0; i < 40; ++i) {
        c.clock.advance(1.0 / 60);
        lowest = std::min(lowest, c.handler->transX());
    }
    const double final = c.handler->transX();
    EXPECT_LT(lowest, final - 1); // went past the target, then came back
    EXPECT_EQ(job->phase(), 1.0);
}

TEST(AnimatedZoomViewJob, EndsWhereTheDirectZoomGoes) {
    Chart c;
    ZoomViewJob::create(c.handler, 3, 2, 12, 0.25, c.transformer, AxisDependency::left, &c.view)
        ->doJob();
    const AffineTransform direct = c.handler->touchMatrix();
    c.handler->setTouchMatrix(AffineTransform::identity());
    c.handler->refresh(AffineTransform::identity(), nullptr, false);
    c.view.offsetCalculations = 0;

    const Point origin = c.transformer->valueForTouchPoint(Point{20, 10});
    auto job = AnimatedZoomViewJob::create(
        c.handler, c.transformer, &c.view, AxisDependency::left, 20, 3, 2, 1, 1, 12, 0.25, origin.x,
        origin.y, 0.4, easingFunctionForOption(ChartEasingOption::easeInOutCubic));
    job->doJob();
    c.clock.advance(0.2);
    EXPECT_GT(c.handler->scaleX(), 1);
    EXPECT_LT(c.handler->scaleX(), 3);
    c.clock.advance(0.25);
    EXPECT_FALSE(job->isRunning());
    expectMatrix(c.handler->touchMatrix(), direct);
    EXPECT_EQ(c.view.offsetCalculations, 1); // finishAnimation, once
}

TEST(AnimatedZoomViewJob, EqualStartAndTargetScalesOnlyPan) {
    Chart c;
    c.handler->refresh(AffineTransform::makeScale(2, 2), nullptr, false);
    auto job = AnimatedZoomViewJob::create(c.handler, c.transformer, &c.view, AxisDependency::left,
                                           20, 2, 2, 2, 2, 15, 0.5, 0, 1, 0.5, nullptr);
    job->start();
    for (int i = 0; i < 35; ++i) {
        c.clock.advance(1.0 / 60);
        EXPECT_EQ(c.handler->scaleX(), 2);
        EXPECT_EQ(c.handler->scaleY(), 2);
    }
    EXPECT_LT(c.handler->transX(), 0);
}

TEST(AnimatedViewPortJob, StoppingWithoutFinishLeavesEverythingWhereItWas) {
    Chart c;
    c.handler->refresh(AffineTransform::makeScale(4, 4), nullptr, false);
    auto job = AnimatedZoomViewJob::create(c.handler, c.transformer, &c.view, AxisDependency::left,
                                           20, 1, 1, 4, 4, 10, 0, 0, 1, 1.0, nullptr);
    job->stop(true); // not running: nothing happens
    EXPECT_EQ(c.view.offsetCalculations, 0);
    job->start();
    c.clock.advance(0.5);
    const double phase = job->phase();
    const AffineTransform m = c.handler->touchMatrix();
    job->stop(false);
    EXPECT_EQ(job->phase(), phase);
    expectMatrix(c.handler->touchMatrix(), m);
    EXPECT_EQ(c.view.offsetCalculations, 0); // no finish hook
    c.clock.advance(1);
    expectMatrix(c.handler->touchMatrix(), m);
}

TEST(AnimatedViewPortJob, ADurationBelowOrBesideZeroJumpsToTheEndWithoutNaN) {
    for (double duration : {0.0, -1.0, double(NAN)}) {
        SCOPED_TRACE(duration);
        Chart c;
        c.handler->refresh(AffineTransform::makeScale(4, 4), nullptr, false);
        auto job = AnimatedMoveViewJob::create(c.handler, 10, 0, c.transformer, &c.view, 0, 0,
                                               duration, nullptr);
        job->start();
        c.clock.advance(1.0 / 60);
        EXPECT_FALSE(job->isRunning());
        EXPECT_EQ(job->phase(), 1.0);
        EXPECT_FALSE(std::isnan(c.handler->touchMatrix().tx));
        EXPECT_NEAR(c.transformer->pixelForValues(10, 0).x, 20, 1e-9); // the move arrived
        EXPECT_EQ(c.clock.pending(), 0u);
    }
}

TEST(AnimatedViewPortJob, AJobWhoseChartWentAwayStopsQuietly) {
    auto clock = std::make_unique<platform::ManualScheduler>();
    platform::ScopedScheduler scoped(*clock);
    auto view = std::make_unique<FakeBarLineView>();
    auto handler = ViewPortHandler::create(100, 100);
    auto transformer = Transformer::create(handler);
    handler->refresh(AffineTransform::makeScale(4, 4), nullptr, false);
    std::weak_ptr<AnimatedZoomViewJob> weak;
    {
        auto job =
            AnimatedZoomViewJob::create(handler, transformer, view.get(), AxisDependency::right, 20,
                                        1, 1, 4, 4, 10, 0, 0, 1, 1.0, nullptr);
        job->start();
        weak = job;
    }
    clock->advance(0.1);
    view.reset();
    transformer.reset();
    handler.reset();
    clock->advance(0.1);
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(clock->pending(), 0u);
}

TEST(ViewPortJob, AJobWhoseViewWentAwayLeavesTheViewPortAlone) {
    Chart c;
    auto view = std::make_unique<FakeBarLineView>();
    auto zoom = ZoomViewJob::create(c.handler, 2, 4, 12, 0.25, c.transformer, AxisDependency::left,
                                    view.get());
    auto animated =
        AnimatedZoomViewJob::create(c.handler, c.transformer, view.get(), AxisDependency::left, 20,
                                    3, 2, 1, 1, 12, 0.25, 0, 1, 0.4, nullptr);
    EXPECT_EQ(zoom->chart(), view.get());
    view.reset();
    EXPECT_EQ(zoom->view(), nullptr);
    EXPECT_EQ(zoom->chart(), nullptr);
    zoom->doJob();
    animated->doJob();
    c.clock.advance(0.5);
    EXPECT_FALSE(animated->isRunning());
    expectMatrix(c.handler->touchMatrix(), AffineTransform::identity());
}
