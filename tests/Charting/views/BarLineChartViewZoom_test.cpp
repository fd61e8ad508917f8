#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/jobs/MoveViewJob.h"
#include "Charting/utils/ViewPortHandler.h"
#include "Charting/views/LineChartView.h"
#include "platform/Scheduler.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <thread>

using namespace charting;
using platform::Point;

namespace {

// Eleven entries x = 0, 10, ..., 100 with y = x; both axes fixed to 0...100.
std::shared_ptr<LineChartData> rampData() {
    ChartDataSet::EntryList entries;
    for (int i = 0; i <= 10; ++i)
        entries.push_back(ChartDataEntry::create(i * 10.0, i * 10.0));
    return LineChartData::create({LineChartDataSet::create(entries, QStringLiteral("ramp"))});
}

// A line chart 420 x 220 whose content is (20, 10, 400, 200): 4 pixels per x unit and 2 per
// y unit while unzoomed.
struct Chart {
    platform::ManualScheduler clock;
    platform::ScopedScheduler scoped{clock};
    LineChartView view;
    std::shared_ptr<ViewPortHandler> vph;

    explicit Chart(bool sized = true) {
        view.xAxis()->setAxisMinimum(0);
        view.xAxis()->setAxisMaximum(100);
        for (auto axis : {view.leftAxis(), view.rightAxis()}) {
            axis->setAxisMinimum(0);
            axis->setAxisMaximum(100);
        }
        if (sized) {
            view.resize(420, 220);
            view.boundsDidChange();
        }
        view.setData(rampData());
        view.setViewPortOffsets(20, 10, 0, 10);
        vph = view.viewPortHandler();
    }
};

const double notANumber = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();

} // namespace

TEST(BarLineChartViewZoom, VisibleRangesBecomeScaleLimitsAndUnusableRangesAreIgnored) {
    Chart c;
    c.view.setVisibleXRange(10, 50);
    EXPECT_DOUBLE_EQ(c.vph->minScaleX(), 2);
    EXPECT_DOUBLE_EQ(c.vph->maxScaleX(), 10);
    c.view.setVisibleYRange(10, 50, AxisDependency::left);
    EXPECT_DOUBLE_EQ(c.vph->minScaleY(), 2);
    EXPECT_DOUBLE_EQ(c.vph->maxScaleY(), 10);
    c.view.setVisibleXRangeMaximum(25);
    c.view.setVisibleXRangeMinimum(20);
    EXPECT_DOUBLE_EQ(c.vph->minScaleX(), 4);
    EXPECT_DOUBLE_EQ(c.vph->maxScaleX(), 5);
    c.view.setVisibleYRangeMaximum(25, AxisDependency::right);
    c.view.setVisibleYRangeMinimum(20, AxisDependency::right);
    EXPECT_DOUBLE_EQ(c.vph->minScaleY(), 4);
    EXPECT_DOUBLE_EQ(c.vph->maxScaleY(), 5);

    // A range of 0, below 0 or not a number would give infinite, mirrored or undefined scales.
    for (double bad : {0.0, -5.0, notANumber, inf}) {
        SCOPED_TRACE(bad);
        c.view.setVisibleXRangeMaximum(bad);
        c.view.setVisibleXRangeMinimum(bad);
        c.view.setVisibleXRange(bad, 50);
        c.view.setVisibleXRange(10, bad);
        c.view.setVisibleYRangeMaximum(bad, AxisDependency::left);
        c.view.setVisibleYRangeMinimum(bad, AxisDependency::left);
        c.view.setVisibleYRange(bad, 50, AxisDependency::left);
        c.view.setVisibleYRange(10, bad, AxisDependency::left);
        EXPECT_DOUBLE_EQ(c.vph->minScaleX(), 4);
        EXPECT_DOUBLE_EQ(c.vph->maxScaleX(), 5);
        EXPECT_DOUBLE_EQ(c.vph->minScaleY(), 4);
        EXPECT_DOUBLE_EQ(c.vph->maxScaleY(), 5);
        EXPECT_DOUBLE_EQ(c.view.scaleX(), 4);
        EXPECT_TRUE(std::isfinite(c.vph->touchMatrix().tx));
    }
}

TEST(BarLineChartViewZoom, CentringAndMovingPutTheValueWhereAsked) {
    Chart c;
    c.view.zoom(2, 2, 0, 0);
    EXPECT_DOUBLE_EQ(c.view.scaleX(), 2);
    EXPECT_DOUBLE_EQ(c.view.visibleXRange(), 50);

    c.view.centerViewTo(50, 50, AxisDependency::left);
    EXPECT_NEAR(c.view.lowestVisibleX(), 25, 1e-9);
    EXPECT_NEAR(c.view.highestVisibleX(), 75, 1e-9);
    const Point centre = c.view.valueForTouchPoint(c.vph->contentCenter(), AxisDependency::left);
    EXPECT_NEAR(centre.x, 50, 1e-9);
    EXPECT_NEAR(centre.y, 50, 1e-9);

    c.view.moveViewToX(10);
    EXPECT_NEAR(c.view.lowestVisibleX(), 10, 1e-9);
    // The y value given lands at the content's vertical middle.
    c.view.moveViewTo(30, 40, AxisDependency::left);
    const Point middleLeft = c.view.valueForTouchPoint(
        {c.vph->contentLeft(), c.vph->contentCenter().y}, AxisDependency::left);
    EXPECT_NEAR(middleLeft.x, 30, 1e-9);
    EXPECT_NEAR(middleLeft.y, 40, 1e-9);
    c.view.moveViewToY(60, AxisDependency::left);
    EXPECT_NEAR(c.view.valueForTouchPoint({c.vph->contentLeft(), c.vph->contentCenter().y},
                                          AxisDependency::left)
                    .y,
                60, 1e-9);

    // The zoom job: scales set, the value at the centre.
    c.view.zoom(4, 4, 20, 70, AxisDependency::left);
    EXPECT_DOUBLE_EQ(c.view.scaleX(), 4);
    const Point zoomed = c.view.valueForTouchPoint(c.vph->contentCenter(), AxisDependency::left);
    EXPECT_NEAR(zoomed.x, 20, 1e-9);
    EXPECT_NEAR(zoomed.y, 70, 1e-9);
}

TEST(BarLineChartViewZoom, ACentringBeforeTheViewHasItsSizeWaitsAsAMoveJob) {
    Chart c(false);
    c.vph->refresh(c.vph->setZoom(2, 4), nullptr, false);
    c.view.centerViewTo(50, 30, AxisDependency::left);
    ASSERT_EQ(c.view.viewportJobs().size(), 1u);
    const auto job = std::dynamic_pointer_cast<MoveViewJob>(c.view.viewportJobs().front());
    ASSERT_TRUE(job);
    EXPECT_DOUBLE_EQ(job->xValue(), 25);      // 50 - (100 / 2) / 2
    EXPECT_DOUBLE_EQ(job->yValue(), 30 + 12.5); // 30 + (100 / 4) / 2
}

TEST(BarLineChartViewZoom, AnimatedZoomAndMoveArriveOnTheManualClock) {
    Chart c;
    c.view.zoomAndCenterViewAnimated(2, 2, 50, 50, AxisDependency::left, 0.5);
    EXPECT_DOUBLE_EQ(c.view.scaleX(), 1); // nothing before the first frame
    c.clock.advance(0.25);
    EXPECT_GT(c.view.scaleX(), 1);
    EXPECT_LT(c.view.scaleX(), 2);
    c.clock.advance(0.3);
    EXPECT_DOUBLE_EQ(c.view.scaleX(), 2);
    EXPECT_DOUBLE_EQ(c.view.scaleY(), 2);
    EXPECT_NEAR(c.view.lowestVisibleX(), 25, 1e-9);

    c.view.moveViewToAnimated(10, 0, AxisDependency::left, 0.5, ChartEasingOption::linear);
    c.clock.advance(0.6);
    EXPECT_NEAR(c.view.lowestVisibleX(), 10, 1e-9);
    c.view.centerViewToAnimated(60, 50, AxisDependency::left, 0.5);
    c.clock.advance(0.6);
    EXPECT_NEAR(c.view.lowestVisibleX(), 35, 1e-9);
}

TEST(BarLineChartViewZoom, ZoomStepsResetAndFit) {
    Chart c;
    c.view.zoomIn();
    EXPECT_DOUBLE_EQ(c.view.scaleX(), 1.4);
    EXPECT_DOUBLE_EQ(c.view.scaleY(), 1.4);
    EXPECT_FALSE(c.view.isFullyZoomedOut());
    c.view.zoomIn();
    c.view.zoomOut();
    EXPECT_NEAR(c.view.scaleX(), 1.4 * 1.4 * 0.7, 1e-12);
    // The handler's reset scales by 1 about the origin: the matrix stays as it is.
    const auto before = c.vph->touchMatrix();
    c.view.resetZoom();
    EXPECT_EQ(c.vph->touchMatrix(), before);

    c.view.setScaleMinima(3, 2);
    EXPECT_DOUBLE_EQ(c.view.scaleX(), 3);
    EXPECT_DOUBLE_EQ(c.view.scaleY(), 2);
    c.view.fitScreen();
    EXPECT_DOUBLE_EQ(c.view.scaleX(), 1);
    EXPECT_DOUBLE_EQ(c.vph->minScaleX(), 1);
    EXPECT_TRUE(c.view.isFullyZoomedOut());

    // Zoom about the content's centre: the centre value stays.
    c.view.zoomToCenter(2, 2);
    EXPECT_DOUBLE_EQ(c.view.scaleX(), 2);
}

TEST(BarLineChartViewZoom, ValuesAndPixelsConvertBothWays) {
    Chart c;
    const Point p = c.view.pixelForValues(30, 60, AxisDependency::left);
    EXPECT_NEAR(p.x, 20 + 30 * 4, 1e-9);
    EXPECT_NEAR(p.y, 210 - 60 * 2, 1e-9);
    const Point v = c.view.valueForTouchPoint(p, AxisDependency::left);
    EXPECT_NEAR(v.x, 30, 1e-9);
    EXPECT_NEAR(v.y, 60, 1e-9);

    const auto set = c.view.data()->dataSetAtIndex(0);
    const auto entry = set->entryForIndex(3);
    const Point at = c.view.getPosition(*entry, AxisDependency::left);
    EXPECT_NEAR(at.x, 20 + 30 * 4, 1e-9);
    EXPECT_EQ(c.view.getEntryByTouchPoint(at), entry);
    EXPECT_EQ(c.view.getDataSetByTouchPoint(at), set);
}

TEST(BarLineChartViewZoom, OffsetsSetFromAnotherThreadAreAppliedOnTheMainThread) {
    Chart c;
    c.view.resetViewPortOffsets();
    const double layoutLeft = c.vph->offsetLeft();
    ASSERT_NE(layoutLeft, 33);
    std::thread other([&] { c.view.setViewPortOffsets(33, 34, 35, 36); });
    other.join();
    // Nothing of it happened on the other thread: the layout still owns the offsets.
    c.view.calculateOffsets();
    EXPECT_EQ(c.vph->offsetLeft(), layoutLeft);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(c.vph->offsetLeft(), 33);
    c.view.calculateOffsets();
    EXPECT_EQ(c.vph->offsetLeft(), 33);
    EXPECT_EQ(c.vph->offsetBottom(), 36);
}

TEST(BarLineChartViewZoom, FlagsEnableTheirGestures) {
    Chart c;
    auto& v = c.view;
    EXPECT_TRUE(v.pinchGestureRecognizer()->isEnabled());
    EXPECT_TRUE(v.doubleTapGestureRecognizer()->isEnabled());
    EXPECT_TRUE(v.panGestureRecognizer()->isEnabled());

    v.setScaleEnabled(false);
    EXPECT_FALSE(v.isScaleXEnabled() || v.isScaleYEnabled());
    EXPECT_FALSE(v.pinchGestureRecognizer()->isEnabled());
    v.setPinchZoomEnabled(true);
    EXPECT_TRUE(v.pinchGestureRecognizer()->isEnabled());
    v.setPinchZoomEnabled(false);
    EXPECT_FALSE(v.pinchGestureRecognizer()->isEnabled());
    v.setScaleYEnabled(true);
    EXPECT_TRUE(v.pinchGestureRecognizer()->isEnabled());

    v.setDoubleTapToZoomEnabled(false);
    EXPECT_FALSE(v.doubleTapGestureRecognizer()->isEnabled());

    // Drag flags are read by the handlers; the pan gesture stays as it was.
    v.setDragEnabled(false);
    EXPECT_FALSE(v.isDragEnabled());
    EXPECT_TRUE(v.panGestureRecognizer()->isEnabled());
    v.setDragYEnabled(true);
    EXPECT_TRUE(v.isDragEnabled());
    EXPECT_FALSE(v.dragXEnabled());
}
