#include "Charting/components/Legend.h"
#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/BarChartData.h"
#include "Charting/data/BarChartDataEntry.h"
#include "Charting/data/BarChartDataSet.h"
#include "Charting/data/Highlight.h"
#include "Charting/highlight/HorizontalBarHighlighter.h"
#include "Charting/renderers/HorizontalBarChartRenderer.h"
#include "Charting/renderers/XAxisRendererHorizontalBarChart.h"
#include "Charting/renderers/YAxisRendererHorizontalBarChart.h"
#include "Charting/utils/TransformerHorizontalBarChart.h"
#include "Charting/utils/ViewPortHandler.h"
#include "Charting/views/HorizontalBarChartView.h"
#include "platform/Log.h"
#include "support/ChartImage.h"

#include <QDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace charting;
using platform::Point;

namespace {

void sizeView(ChartViewBase& view, int width, int height) {
    view.resize(width, height);
    view.boundsDidChange();
}

// A 400 x 300 view without legend showing bars at x 0...4 of y 1, 2, -3, 4, 5.
struct HorizontalView {
    HorizontalBarChartView view;
    std::shared_ptr<BarChartDataSet> set;
    explicit HorizontalView(AxisDependency axis = AxisDependency::left) {
        sizeView(view, 400, 300);
        view.legend()->setEnabled(false);
        ChartDataSet::EntryList entries;
        const double ys[] = {1, 2, -3, 4, 5};
        for (int x = 0; x < 5; ++x)
            entries.push_back(BarChartDataEntry::create(x, ys[x]));
        set = BarChartDataSet::create(entries, QStringLiteral("Bars"));
        set->setAxisDependency(axis);
        view.setData(BarChartData::create({set}));
    }
    Point pixel(double x, double y, AxisDependency axis = AxisDependency::left) {
        return view.getTransformerForAxis(axis)->pixelForValues(y, x);
    }
};

} // namespace

TEST(HorizontalBarChartView, InstallsTheTurnedComponents) {
    HorizontalBarChartView view;
    const auto left = view.getTransformerForAxis(AxisDependency::left);
    const auto right = view.getTransformerForAxis(AxisDependency::right);
    EXPECT_TRUE(std::dynamic_pointer_cast<TransformerHorizontalBarChart>(left));
    EXPECT_TRUE(std::dynamic_pointer_cast<TransformerHorizontalBarChart>(right));
    EXPECT_NE(left, right);
    EXPECT_TRUE(std::dynamic_pointer_cast<HorizontalBarChartRenderer>(view.renderer()));
    EXPECT_TRUE(std::dynamic_pointer_cast<HorizontalBarHighlighter>(view.highlighter()));
    const auto x = std::dynamic_pointer_cast<XAxisRendererHorizontalBarChart>(view.xAxisRenderer());
    ASSERT_TRUE(x);
    EXPECT_EQ(x->transformer(), left);
    EXPECT_EQ(x->chart(), &view);
    const auto l = std::dynamic_pointer_cast<YAxisRendererHorizontalBarChart>(view.leftYAxisRenderer());
    const auto r =
        std::dynamic_pointer_cast<YAxisRendererHorizontalBarChart>(view.rightYAxisRenderer());
    ASSERT_TRUE(l && r);
    EXPECT_EQ(l->transformer(), left);
    EXPECT_EQ(r->transformer(), right);
    EXPECT_EQ(view.xAxis()->spaceMin(), 0.5);
}

TEST(HorizontalBarChartView, OffsetsForTheTurnedAxes) {
    struct Case {
        XAxis::LabelPosition position;
        bool left;
        bool right;
    };
    for (const Case c : {Case{XAxis::LabelPosition::bottom, true, false},
                         Case{XAxis::LabelPosition::top, false, true},
                         Case{XAxis::LabelPosition::both, true, true},
                         Case{XAxis::LabelPosition::bottomInside, false, false},
                         Case{XAxis::LabelPosition::topInside, false, false}}) {
        HorizontalView v;
        v.view.xAxis()->setLabelPosition(c.position);
        v.view.notifyDataSetChanged();
        const auto vph = v.view.viewPortHandler();
        const double w = v.view.xAxis()->labelRotatedWidth();
        ASSERT_GT(w, v.view.minOffset());
        EXPECT_EQ(vph->offsetLeft(), c.left ? w : v.view.minOffset()) << int(c.position);
        EXPECT_EQ(vph->offsetRight(), c.right ? w : v.view.minOffset()) << int(c.position);
        // The left axis's labels above the content, the right axis's below it.
        EXPECT_EQ(vph->offsetTop(), v.view.leftAxis()->getRequiredHeightSpace());
        EXPECT_EQ(vph->offsetBottom(), v.view.rightAxis()->getRequiredHeightSpace());
    }
    // A horizontal legend at the top counts the left axis's label height once more.
    HorizontalView v;
    v.view.rightAxis()->setEnabled(false);
    const auto legend = v.view.legend();
    legend->setEnabled(true);
    legend->setOrientation(Legend::Orientation::horizontal);
    legend->setVerticalAlignment(Legend::VerticalAlignment::top);
    v.view.notifyDataSetChanged();
    const double h = v.view.leftAxis()->getRequiredHeightSpace();
    const double legendHeight =
        std::min(legend->neededHeight(), 300 * legend->maxSizePercent()) + legend->yOffset();
    EXPECT_DOUBLE_EQ(v.view.viewPortHandler()->offsetTop(), legendHeight + 2 * h);
    EXPECT_EQ(v.view.viewPortHandler()->offsetBottom(), v.view.minOffset());
}

TEST(HorizontalBarChartView, BarsRunAlongTheHorizontalAndMirrorOnAnInvertedAxis) {
    for (const bool inverted : {false, true}) {
        HorizontalView v(AxisDependency::right);
        v.view.rightAxis()->setInverted(inverted);
        v.view.notifyDataSetChanged();
        const auto vph = v.view.viewPortHandler();
        const auto bounds = v.view.getBarBounds(v.set->entryForIndex(3)); // y 4 at x 3
        const Point zero = v.pixel(3, 0, AxisDependency::right);
        const Point end = v.pixel(3, 4, AxisDependency::right);
        EXPECT_DOUBLE_EQ(bounds.size.width, std::abs(end.x - zero.x));
        EXPECT_DOUBLE_EQ(bounds.midY(), zero.y);
        if (inverted) {
            // Grows leftwards: value 0 lies right of the value 4.
            EXPECT_DOUBLE_EQ(bounds.maxX(), zero.x);
            EXPECT_LT(end.x, zero.x);
            // The axis minimum sits at the content's right edge.
            EXPECT_NEAR(v.pixel(3, v.view.rightAxis()->axisMinimum(), AxisDependency::right).x,
                        vph->contentRight(), 1e-9);
        } else {
            EXPECT_DOUBLE_EQ(bounds.minX(), zero.x);
            EXPECT_NEAR(v.pixel(3, v.view.rightAxis()->axisMinimum(), AxisDependency::right).x,
                        vph->contentLeft(), 1e-9);
        }
        // The x values run upwards.
        EXPECT_LT(v.pixel(4, 0, AxisDependency::right).y, v.pixel(0, 0, AxisDependency::right).y);
        // A negative bar lies on the other side of the zero line.
        const auto negative = v.view.getBarBounds(v.set->entryForIndex(2));
        EXPECT_DOUBLE_EQ(inverted ? negative.minX() : negative.maxX(), zero.x);
        EXPECT_EQ(v.view.getPosition(*v.set->entryForIndex(3), AxisDependency::right), end);
    }
}

TEST(HorizontalBarChartView, TouchesAndMarkersSwapTheirCoordinates) {
    HorizontalView v;
    // A touch beside bar 3 (nearer its centre vertically than bar 4's) picks bar 3.
    const Point centre = v.pixel(3, 2);
    const auto high = v.view.getHighlightByTouchPoint(Point{centre.x + 40, centre.y - 10});
    ASSERT_TRUE(high);
    EXPECT_EQ(high->x(), 3);
    EXPECT_EQ(high->y(), 4);
    EXPECT_DOUBLE_EQ(high->yPx(), centre.y);

    auto marked = Highlight::create(1, 2, 0, 0);
    marked->setDraw(11, 22);
    EXPECT_EQ(v.view.getMarkerPosition(*marked), (Point{22, 11}));

    HorizontalBarChartView empty;
    platform::ScopedLogCapture log;
    EXPECT_FALSE(empty.getHighlightByTouchPoint(Point{1, 1}));
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Can't select by touch. No data set."});
}

TEST(HorizontalBarChartView, VisibleRangesLimitTheTurnedZoom) {
    HorizontalView v;
    const auto vph = v.view.viewPortHandler();
    // Not zoomed: the whole x axis is visible, from the content's bottom to its top.
    EXPECT_DOUBLE_EQ(v.view.lowestVisibleX(), v.view.xAxis()->axisMinimum());
    EXPECT_DOUBLE_EQ(v.view.highestVisibleX(), v.view.xAxis()->axisMaximum());

    const double xRange = v.view.xAxis()->axisRange();
    v.view.setVisibleXRangeMaximum(xRange);
    EXPECT_EQ(vph->minScaleY(), 1);
    v.view.setVisibleXRange(xRange / 10, xRange / 2);
    EXPECT_DOUBLE_EQ(vph->minScaleY(), 2);
    EXPECT_DOUBLE_EQ(vph->maxScaleY(), 10);
    v.view.setVisibleXRangeMinimum(xRange / 4);
    EXPECT_DOUBLE_EQ(vph->maxScaleY(), 4);

    const double yRange = v.view.getAxisRange(AxisDependency::left);
    v.view.setVisibleYRange(yRange / 10, yRange / 2, AxisDependency::left);
    EXPECT_DOUBLE_EQ(vph->minScaleX(), 2);
    EXPECT_DOUBLE_EQ(vph->maxScaleX(), 10);
    v.view.setVisibleYRangeMaximum(yRange / 3, AxisDependency::left);
    EXPECT_DOUBLE_EQ(vph->minScaleX(), 3);
    v.view.setVisibleYRangeMinimum(yRange / 5, AxisDependency::left);
    EXPECT_DOUBLE_EQ(vph->maxScaleX(), 5);
    // Unusable ranges change nothing.
    v.view.setVisibleXRange(0, xRange);
    v.view.setVisibleYRangeMaximum(std::nan(""), AxisDependency::left);
    EXPECT_DOUBLE_EQ(vph->minScaleY(), 2);
    EXPECT_DOUBLE_EQ(vph->minScaleX(), 3);
}

// A horizontal bar chart of known data, written under the build folder for a look.
TEST(HorizontalBarChartView, ScreenshotOfKnownData) {
    HorizontalBarChartView view;
    sizeView(view, 800, 400);
    ChartDataSet::EntryList plain, stacked;
    for (int i = 0; i < 6; ++i) {
        plain.push_back(BarChartDataEntry::create(i, 30 * std::cos(i * 0.9) + 5 * i));
        stacked.push_back(
            BarChartDataEntry::create(i, std::vector<double>{4.0 + 2 * i, 10.0 - i, -4.0 - i}));
    }
    auto first = BarChartDataSet::create(plain, QStringLiteral("Yaw"));
    first->setColor(QColor(52, 120, 246));
    first->setBarBorderWidth(1);
    auto second = BarChartDataSet::create(stacked, QStringLiteral("Servo"));
    second->setColors({QColor(52, 199, 89), QColor(255, 149, 0), QColor(175, 82, 222)});
    second->setStackLabels({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    auto data = BarChartData::create({first, second});
    data->setBarWidth(0.4);
    view.setData(data);
    view.groupBars(0, 0.1, 0.05);
    view.highlightValue(Highlight::create(2.25, 0, 0, 0), false);
    const QImage image = testsupport::paintChart(view);

    const QString dir = QDir(QStringLiteral(OVX_TEST_OUTPUT_DIR)).filePath("screenshots");
    QDir().mkpath(dir);
    ASSERT_TRUE(image.save(QDir(dir).filePath("HorizontalBarChartView.png")));
    // The first set's bar at x 1.25 (y > 0) has the first set's colour in its middle.
    const auto bar = view.getBarBounds(first->entryForIndex(1));
    EXPECT_GT(bar.width(), bar.height());
    EXPECT_EQ(image.pixelColor(int(bar.midX()), int(bar.midY())), QColor(52, 120, 246));
}
