#include "Charting/components/ChartLimitLine.h"
#include "Charting/components/Legend.h"
#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/RadarChartData.h"
#include "Charting/data/RadarChartDataEntry.h"
#include "Charting/data/RadarChartDataSet.h"
#include "Charting/formatters/IndexAxisValueFormatter.h"
#include "Charting/highlight/RadarHighlighter.h"
#include "Charting/renderers/RadarChartRenderer.h"
#include "Charting/renderers/XAxisRendererRadarChart.h"
#include "Charting/renderers/YAxisRendererRadarChart.h"
#include "Charting/utils/TextMeasurer.h"
#include "Charting/utils/ViewPortHandler.h"
#include "Charting/views/RadarChartView.h"
#include "support/FakeTextMeasurer.h"
#include "support/RecordingGraphicsContext.h"

#include <QDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

using namespace charting;
using platform::Point;

namespace {

std::shared_ptr<RadarChartDataSet> radarSet(std::initializer_list<double> values,
                                            QString label = QStringLiteral("Set")) {
    ChartDataSet::EntryList entries;
    for (const double v : values)
        entries.push_back(RadarChartDataEntry::create(v));
    return RadarChartDataSet::create(entries, label);
}

// A 400 x 400 radar view with no legend and no x labels, so that its content is a known square.
struct Radar : ::testing::Test {
    RadarChartView view;
    void SetUp() override {
        view.resize(400, 400);
        view.boundsDidChange();
        view.legend()->setEnabled(false);
        view.xAxis()->setEnabled(false);
    }
    void show(ChartData::DataSetList sets) { view.setData(RadarChartData::create(std::move(sets))); }
    Point pointOf(double value, int index) {
        return view.getPosition(view.centerOffsets(), (value - view.chartYMin()) * view.factor(),
                                view.sliceAngle() * index + view.rotationAngle());
    }
};

} // namespace

TEST(RadarData, EntriesSetsAndLookups) {
    const auto entry = RadarChartDataEntry::create(7.5);
    EXPECT_TRUE(std::isnan(entry->x()));
    EXPECT_EQ(entry->value(), 7.5);
    const auto copy = entry->copy();
    EXPECT_NE(std::dynamic_pointer_cast<RadarChartDataEntry>(copy), nullptr);

    auto set = radarSet({1, 2, 3});
    set->setDrawHighlightCircleEnabled(true);
    set->setHighlightCircleOuterRadius(9);
    EXPECT_EQ(set->valueFont().pointSizeF(), 13);
    const auto copied = std::dynamic_pointer_cast<RadarChartDataSet>(set->copy());
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->isDrawHighlightCircleEnabled());
    EXPECT_EQ(copied->highlightCircleOuterRadius(), 9);

    auto data = RadarChartData::create({set});
    data->setLabels({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    EXPECT_EQ(data->labels().size(), 3);
    // By index in the named data set; a stale data-set index, an index past the end or a NaN x
    // gives none.
    EXPECT_EQ(data->entryFor(*Highlight::create(2, 0, 0, 0)), set->entryForIndex(2));
    EXPECT_EQ(data->entryFor(*Highlight::create(1, 0, 3, 0)), nullptr);
    EXPECT_EQ(data->entryFor(*Highlight::create(5, 0, 0, 0)), nullptr);
    EXPECT_EQ(data->entryFor(*Highlight::create(std::nan(""), 0, 0, 0)), nullptr);
}

TEST_F(Radar, FactorSliceAngleAndSkippedSpokes) {
    EXPECT_EQ(view.sliceAngle(), std::numeric_limits<double>::infinity());
    EXPECT_EQ(view.indexForAngle(123), 0);
    view.yAxis()->setAxisMinimum(0);
    view.yAxis()->setAxisMaximum(10);
    show({radarSet({1, 2, 3, 4, 5})});
    EXPECT_EQ(view.sliceAngle(), 72);
    EXPECT_EQ(view.factor(), view.radius() / 10.0);
    EXPECT_EQ(view.yRange(), 10);
    view.setSkipWebLineCount(-3);
    EXPECT_EQ(view.skipWebLineCount(), 0);
}

TEST_F(Radar, IndexForAngleAtTheSeams) {
    show({radarSet({1, 2, 3, 4, 5})});
    view.setRotationAngle(270);
    const struct {
        double angle;
        int index;
    } cases[] = {{270, 0}, {305.9, 0}, {306, 1}, {233, 4}, {234, 0}, {269.9, 0}, {630, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(view.indexForAngle(c.angle), c.index) << c.angle;
}

TEST_F(Radar, ShortSetClosesThroughTheCentreAndTheWebSkipsSpokes) {
    view.yAxis()->setAxisMinimum(0);
    view.yAxis()->setAxisMaximum(10);
    auto shortSet = radarSet({5, 5, 5});
    show({radarSet({1, 2, 3, 4, 5, 6}), shortSet});
    RecordingGraphicsContext context;
    auto* renderer = dynamic_cast<RadarChartRenderer*>(view.renderer().get());
    ASSERT_NE(renderer, nullptr);
    renderer->drawDataSet(context, *shortSet, 6);
    const auto strokes = context.callsNamed("strokePath");
    ASSERT_EQ(strokes.size(), 1u);
    const auto& elements = strokes[0].path.elements();
    // Three points, the centre, closed.
    ASSERT_EQ(elements.size(), 5u);
    const Point c = view.centerOffsets();
    EXPECT_NEAR(elements[3].points[0].x, c.x, 1e-9);
    EXPECT_NEAR(elements[3].points[0].y, c.y, 1e-9);
    const Point second = pointOf(5, 1);
    EXPECT_NEAR(elements[1].points[0].x, second.x, 1e-9);
    EXPECT_NEAR(elements[1].points[0].y, second.y, 1e-9);

    // With one spoke skipped between two drawn ones, spokes 0, 2 and 4 of 6.
    context.clear();
    view.setSkipWebLineCount(1);
    view.yAxis()->setDrawLabelsEnabled(false);
    renderer->drawWeb(context);
    const auto segments = context.callsNamed("strokeLineSegments");
    const std::size_t rings = view.yAxis()->entries().size() * std::size_t(9);
    ASSERT_EQ(segments.size(), 3u + rings);
    for (int k = 0; k < 3; ++k) {
        const Point tip = view.getPosition(c, view.yRange() * view.factor(),
                                           view.sliceAngle() * (2 * k) + view.rotationAngle());
        const auto& seg = segments[std::size_t(k)].path.elements();
        EXPECT_NEAR(seg.back().points[0].x, tip.x, 1e-9) << k;
        EXPECT_NEAR(seg.back().points[0].y, tip.y, 1e-9) << k;
    }
}

TEST_F(Radar, OpaqueFillHasNoOutlineNorAccessibilityRows) {
    auto set = radarSet({3, 4, 5, 6});
    set->setDrawFilledEnabled(true);
    set->setFillAlpha(1.0);
    show({set});
    RecordingGraphicsContext context;
    view.renderer()->drawData(context);
    EXPECT_TRUE(context.callsNamed("strokePath").empty());
    EXPECT_EQ(view.renderer()->accessibleChartElements().size(), 1u); // the chart's header only

    set->setFillAlpha(0.5);
    context.clear();
    view.renderer()->drawData(context);
    EXPECT_EQ(context.callsNamed("strokePath").size(), 1u);
    // Header, the set's header, then its four entries.
    EXPECT_EQ(view.renderer()->accessibleChartElements().size(), 6u);

    // New data with more spokes: every entry is read out again.
    show({radarSet({1, 2, 3, 4, 5, 6, 7})});
    view.renderer()->drawData(context);
    EXPECT_EQ(view.renderer()->accessibleChartElements().size(), 9u);
}

TEST_F(Radar, NearestValueOnTheTouchedSpoke) {
    view.yAxis()->setAxisMinimum(0);
    view.yAxis()->setAxisMaximum(10);
    show({radarSet({4, 4, 4, 4}, "a"), radarSet({8, 8, 8, 8}, "b"), radarSet({4, 4, 4, 4}, "c")});
    auto* highlighter = dynamic_cast<RadarHighlighter*>(view.highlighter().get());
    ASSERT_NE(highlighter, nullptr);
    const struct {
        double distance; // in values along spoke 1
        int dataSet;
    } cases[] = {{4, 0}, {5.9, 0}, {6.1, 1}, {9.5, 1}, {1, 0}};
    for (const auto& c : cases) {
        const Point touch = pointOf(c.distance, 1);
        const auto h = view.getHighlightByTouchPoint(touch);
        ASSERT_NE(h, nullptr) << c.distance;
        EXPECT_EQ(h->x(), 1);
        EXPECT_EQ(h->dataSetIndex(), c.dataSet) << c.distance;
    }
    // Beyond the radius nothing is hit.
    EXPECT_EQ(view.getHighlightByTouchPoint(pointOf(10.5, 1)), nullptr);
}

TEST_F(Radar, HighlightRingAndStaleHighlightsSkipped) {
    view.yAxis()->setAxisMinimum(0);
    view.yAxis()->setAxisMaximum(10);
    auto set = radarSet({2, 4, 6, 8});
    set->setDrawHighlightCircleEnabled(true);
    show({set});
    RecordingGraphicsContext context;
    view.renderer()->drawHighlighted(
        context, {Highlight::create(2, 6, 0, 0), Highlight::create(1, 4, 5, 0),
                  Highlight::create(std::nan(""), 0, 0, 0)});
    // One highlight drawn: its two lines, then its ring (outer and inner circles filled even-odd,
    // the outer one stroked).
    const auto fills = context.callsNamed("fillPath");
    ASSERT_EQ(fills.size(), 1u);
    const auto box = fills[0].path.boundingBox();
    const Point p = pointOf(6, 2);
    EXPECT_NEAR(box.origin.x + box.size.width / 2, p.x, 1e-9);
    EXPECT_NEAR(box.size.width, 8, 1e-9);
    const auto strokes = context.callsNamed("strokePath");
    ASSERT_EQ(strokes.size(), 3u);
    EXPECT_NEAR(strokes[2].path.boundingBox().size.width, 8, 1e-9);
    EXPECT_NEAR(strokes[0].path.boundingBox().origin.x, p.x, 1e-9); // the vertical line
}

TEST_F(Radar, SpokeLabelsAndLimitPolygon) {
    view.xAxis()->setEnabled(true);
    view.yAxis()->setAxisMinimum(0);
    view.yAxis()->setAxisMaximum(10);
    show({radarSet({1, 2, 3, 4})});
    view.setRotationAngle(270);
    RecordingGraphicsContext context;
    view.xAxisRenderer()->renderAxisLabels(context);
    const auto texts = context.callsNamed("drawText");
    ASSERT_EQ(texts.size(), 4u);
    // Spoke 0 straight up, spoke 1 to the right (angles grow clockwise on screen).
    const Point c = view.centerOffsets();
    EXPECT_LT(texts[0].args.at(1), c.y - view.radius() + 1);
    EXPECT_GT(texts[1].args.at(0), c.x + view.radius() - 1);

    context.clear();
    auto line = ChartLimitLine::create(5.0);
    view.yAxis()->addLimitLine(line);
    view.yAxisRenderer()->renderLimitLines(context);
    const auto strokes = context.callsNamed("strokePath");
    ASSERT_EQ(strokes.size(), 1u);
    // A closed square through the four spokes at half the radius.
    EXPECT_EQ(strokes[0].path.elements().size(), 5u);
    const auto box = strokes[0].path.boundingBox();
    EXPECT_NEAR(box.size.width, view.radius(), 1e-6);
}

TEST_F(Radar, ScreenshotOfKnownData) {
    view.legend()->setEnabled(true);
    view.xAxis()->setEnabled(true);
    auto a = radarSet({6, 7, 5, 8, 4, 6}, QStringLiteral("Roll"));
    a->setColors({QColor(255, 59, 48)});
    a->setDrawFilledEnabled(true);
    a->setFillColor(QColor(255, 59, 48));
    auto b = radarSet({3, 5, 7, 4, 6, 5}, QStringLiteral("Pitch"));
    b->setColors({QColor(0, 122, 255)});
    view.yAxis()->setAxisMinimum(0);
    view.yAxis()->setAxisMaximum(10);
    show({a, b});
    const auto image = view.getChartImage(false);
    ASSERT_TRUE(image);
    const QString dir = QDir(QStringLiteral(OVX_TEST_OUTPUT_DIR)).filePath("screenshots");
    QDir().mkpath(dir);
    ASSERT_TRUE(image->save(QDir(dir).filePath("RadarChartView.png")));
}

namespace {

enum class LegendPlace { off, inside, outside };

// A 400 x 400 radar view of four spokes named as a stabiliser's settings; with the fake
// measurer at the axis's 10-point font the longest name, "Gyro gain", is 45 x 12.5 points.
struct RadarRoom : ::testing::Test {
    FakeTextMeasurer measurer;
    ScopedTextMeasurer scope{measurer};
    RadarChartView view;
    static constexpr double kLongestWidth = 45, kLabelHeight = 12.5;

    void SetUp() override {
        view.resize(400, 400);
        view.boundsDidChange();
        view.xAxis()->setValueFormatter(IndexAxisValueFormatter::create(
            {QStringLiteral("Roll"), QStringLiteral("Gyro gain"), QStringLiteral("Pitch"),
             QStringLiteral("Expo")}));
        view.yAxis()->setAxisMinimum(0);
        view.yAxis()->setAxisMaximum(10);
    }
    void place(LegendPlace legend) {
        view.legend()->setEnabled(legend != LegendPlace::off);
        view.legend()->setDrawInside(legend == LegendPlace::inside);
    }
    void show() { view.setData(RadarChartData::create({radarSet({6, 7, 5, 8})})); }
};

} // namespace

TEST_F(RadarRoom, TheWebLeavesRoomForTheSpokeLabelsWhereverTheLegendIs) {
    struct Case {
        const char* name;
        LegendPlace legend;
        bool axisEnabled;
        bool drawLabels;
        double rotation;   // of the labels, degrees
        double minOffset;
        double side;       // the offset expected on the left, top and right
        double bottom;     // without an outside legend
    };
    const double w = kLongestWidth, h = kLabelHeight;
    // Rotated by 30 degrees the longest label takes w cos 30 + h sin 30.
    const double w30 = w * std::cos(std::numbers::pi / 6) + h * 0.5;
    const Case cases[] = {
        {"legend off, labels", LegendPlace::off, true, true, 0, 0, w, w},
        {"legend off, no labels", LegendPlace::off, true, false, 0, 0, 0, 10},
        {"legend off, axis off", LegendPlace::off, false, true, 0, 0, 0, 10},
        {"legend inside, labels", LegendPlace::inside, true, true, 0, 0, w, w},
        {"legend inside, no labels", LegendPlace::inside, true, false, 0, 0, 0, 10},
        {"legend inside, labels upright", LegendPlace::inside, true, true, 90, 0, h, h},
        {"legend off, labels at 30 degrees", LegendPlace::off, true, true, 30, 0, w30, w30},
        {"legend off, a larger minimum wins", LegendPlace::off, true, true, 0, 60, 60, 60},
        {"legend off, a smaller minimum loses", LegendPlace::off, true, true, 0, 20, w, w},
        {"legend off, no labels, the minimum", LegendPlace::off, true, false, 0, 20, 20, 20},
        // Outside, the legend already adds the label width on every side.
        {"legend outside, labels", LegendPlace::outside, true, true, 0, 0, w, 0},
        {"legend outside, no labels", LegendPlace::outside, true, false, 0, 0, 10, 0},
        {"legend outside, labels upright", LegendPlace::outside, true, true, 90, 0, h, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        place(c.legend);
        view.xAxis()->setEnabled(c.axisEnabled);
        view.xAxis()->setDrawLabelsEnabled(c.drawLabels);
        view.xAxis()->setLabelRotationAngle(c.rotation);
        view.setMinOffset(c.minOffset);
        show();
        if (c.axisEnabled && c.drawLabels && c.minOffset < c.side) {
            EXPECT_NEAR(view.xAxis()->labelRotatedWidth(), c.side, 1e-9);
        }
        const auto vph = view.viewPortHandler();
        EXPECT_NEAR(vph->offsetLeft(), c.side, 1e-9);
        EXPECT_NEAR(vph->offsetTop(), c.side, 1e-9);
        EXPECT_NEAR(vph->offsetRight(), c.side, 1e-9);
        if (c.legend == LegendPlace::outside) {
            // The horizontal legend at the bottom: its height and spacing over the base offset.
            const auto l = view.legend();
            const double legendHeight =
                std::min(l->neededHeight() + view.requiredLegendOffset(),
                         vph->chartHeight() * l->maxSizePercent());
            EXPECT_GT(l->neededHeight(), 0);
            EXPECT_NEAR(vph->offsetBottom(), legendHeight + c.side, 1e-9);
        } else {
            EXPECT_NEAR(vph->offsetBottom(), c.bottom, 1e-9);
        }
    }
}

TEST_F(RadarRoom, EverySpokeLabelLiesWithinTheViewWithoutALegend) {
    place(LegendPlace::off);
    show();
    for (const double angle : {270.0, 0.0, 45.0}) {
        SCOPED_TRACE(angle);
        view.setRotationAngle(angle);
        RecordingGraphicsContext context;
        view.xAxisRenderer()->renderAxisLabels(context);
        const auto texts = context.callsNamed("drawText");
        ASSERT_EQ(texts.size(), 4u);
        for (const auto& text : texts) {
            SCOPED_TRACE(text.text.toStdString());
            const auto size = measurer.size(text.text, *text.attributes);
            const double left = text.args.at(0), top = text.args.at(1);
            EXPECT_GE(left, 0);
            EXPECT_GE(top, 0);
            EXPECT_LE(left + size.width, 400);
            EXPECT_LE(top + size.height, 400);
        }
    }
}
