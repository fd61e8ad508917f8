#include "Charting/renderers/ScatterChartRenderer.h"

#include "Charting/animation/Animator.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/data/ScatterChartData.h"
#include "Charting/data/ScatterChartDataSet.h"
#include "Charting/formatters/ChartValueFormatter.h"
#include "Charting/utils/ViewPortHandler.h"
#include "platform/Log.h"
#include "support/FakeTextMeasurer.h"
#include "support/FakeXYChart.h"
#include "support/RecordingGraphicsContext.h"

#include <gtest/gtest.h>

using namespace charting;
using platform::Point;
using platform::Rect;

namespace {

std::shared_ptr<ScatterChartDataSet> pointSet(const std::vector<std::pair<double, double>>& points) {
    ChartDataSet::EntryList entries;
    for (auto [x, y] : points)
        entries.push_back(ChartDataEntry::create(x, y));
    return ScatterChartDataSet::create(std::move(entries), QStringLiteral("Points"));
}

struct Fixture {
    testsupport::FakeXYChart chart;
    std::shared_ptr<Animator> animator = Animator::create();
    std::shared_ptr<ScatterChartRenderer> renderer =
        ScatterChartRenderer::create(&chart, animator, chart.handler);
    RecordingGraphicsContext g;

    void show(std::vector<std::shared_ptr<ChartDataSetProtocol>> sets) {
        chart.chartData = ScatterChartData::create(std::move(sets));
    }
    // The centres of the filled squares drawn.
    std::vector<Point> squareCentres() const {
        std::vector<Point> out;
        for (const auto& c : g.callsNamed("fillRect"))
            out.push_back(Point{c.args[0] + c.args[2] / 2, c.args[1] + c.args[3] / 2});
        return out;
    }
};

// Value (x, y) is pixel (10x, 100 - 10y).
Point px(double x, double y) {
    return Point{10 * x, 100 - 10 * y};
}

} // namespace

TEST(ScatterChartRenderer, DefaultSetDrawsFilledTenPointSquaresInEntryColours) {
    Fixture f;
    auto set = pointSet({{1, 2}, {3, 4}, {5, 6}});
    set->setColors({QColor(255, 0, 0), QColor(0, 255, 0)});
    f.show({set});
    f.renderer->drawData(f.g);
    const auto fills = f.g.callsNamed("fillRect");
    ASSERT_EQ(fills.size(), 3u);
    EXPECT_EQ(fills[0].args, (std::vector<double>{5, 75, 10, 10}));
    EXPECT_EQ(fills[0].state.fillColor, QColor(255, 0, 0));
    EXPECT_EQ(fills[1].state.fillColor, QColor(0, 255, 0));
    EXPECT_EQ(fills[2].state.fillColor, QColor(255, 0, 0));
    EXPECT_EQ(f.squareCentres(), (std::vector<Point>{px(1, 2), px(3, 4), px(5, 6)}));
    EXPECT_EQ(f.g.savedStateCount(), 0);
}

TEST(ScatterChartRenderer, XPhaseLimitsTheEntriesConsidered) {
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < 10; ++i)
        points.push_back({i, 5});
    for (auto [phase, drawn] : {std::pair{0.5, 5u}, {0.55, 6u}, {0.0, 0u}, {1.0, 10u}}) {
        Fixture f;
        f.show({pointSet(points)});
        f.animator->setPhaseX(phase);
        f.renderer->drawData(f.g);
        EXPECT_EQ(f.squareCentres().size(), drawn) << phase;
    }
}

TEST(ScatterChartRenderer, EntriesOutsideTheContentAreSkippedAndTheFirstOnTheRightEndsTheSet) {
    Fixture f;
    // Left of the content, above it, inside, right of it, then one inside that is never reached.
    f.show({pointSet({{-1, 5}, {1, 20}, {2, 5}, {11, 5}, {3, 5}})});
    f.renderer->drawData(f.g);
    EXPECT_EQ(f.squareCentres(), (std::vector<Point>{px(2, 5)}));
}

TEST(ScatterChartRenderer, YPhaseScalesPointsButHighlightsFindEntriesByTheirValues) {
    Fixture f;
    auto set = pointSet({{2, 4}, {6, 8}});
    set->setHighlightColor(QColor(9, 9, 9));
    set->setHighlightLineWidth(1.5);
    set->setHighlightLineDashLengths(std::vector<double>{3, 1});
    set->setHighlightLineDashPhase(2);
    f.show({set});
    f.animator->setPhaseY(0);
    f.renderer->drawData(f.g);
    EXPECT_EQ(f.squareCentres(), (std::vector<Point>{Point{20, 100}, Point{60, 100}}));

    auto high = Highlight::create(6, 8, 0, 0);
    f.g.clear();
    f.renderer->drawHighlighted(f.g, {high});
    EXPECT_EQ(high->drawX(), 60);
    EXPECT_EQ(high->drawY(), 100);
    const auto strokes = f.g.callsNamed("strokePath");
    ASSERT_EQ(strokes.size(), 2u);
    Path vertical, horizontal;
    vertical.addLines({{60, 0}, {60, 100}});
    horizontal.addLines({{0, 100}, {100, 100}});
    EXPECT_EQ(strokes[0].path, vertical);
    EXPECT_EQ(strokes[1].path, horizontal);
    EXPECT_EQ(strokes[0].state.strokeColor, QColor(9, 9, 9));
    EXPECT_EQ(strokes[0].state.lineWidth, 1.5);
    EXPECT_EQ(strokes[0].state.lineDashLengths, (std::vector<double>{3, 1}));
    EXPECT_EQ(strokes[0].state.lineDashPhase, 2);
    EXPECT_EQ(f.g.savedStateCount(), 0);
}

TEST(ScatterChartRenderer, HighlightsThatCannotBeDrawnLeaveTheirDrawPoint) {
    Fixture f;
    auto set = pointSet({{2, 4}, {6, 8}});
    auto horizontalOnly = pointSet({{3, 3}});
    horizontalOnly->setDrawVerticalHighlightIndicatorEnabled(false);
    f.show({set, horizontalOnly});
    set->setHighlightEnabled(false);
    struct Case {
        const char* what;
        std::shared_ptr<Highlight> highlight;
    };
    const std::vector<Case> cases = {
        {"highlighting disabled", Highlight::create(2, 4, 0, 0)},
        {"no such data set", Highlight::create(2, 4, 5, 0)},
        {"negative data-set index", Highlight::create(2, 4, -1, 0)},
    };
    for (const auto& c : cases) {
        c.highlight->setDraw(Point{7, 7});
        f.g.clear();
        f.renderer->drawHighlighted(f.g, {c.highlight});
        EXPECT_TRUE(f.g.paintCalls().empty()) << c.what;
        EXPECT_EQ(c.highlight->drawX(), 7) << c.what;
    }
    // The data set's switches choose the lines.
    f.g.clear();
    f.renderer->drawHighlighted(f.g, {Highlight::create(3, 3, 1, 0)});
    ASSERT_EQ(f.g.callsNamed("strokePath").size(), 1u);
    EXPECT_EQ(f.g.callsNamed("strokePath")[0].path.boundingBox(), Rect(0, 70, 100, 0));
}

TEST(ScatterChartRenderer, ValueLabelsSitAShapeSizeAndALineAboveTheirPoints) {
    FakeTextMeasurer measurer;
    ScopedTextMeasurer scoped(measurer);
    Fixture f;
    auto set = pointSet({{2, 5}, {4, 3}});
    set->setValueFont(QFont("Sans", 10));
    set->setValueColors({QColor(1, 1, 1), QColor(2, 2, 2)});
    set->setScatterShapeSize(10);
    f.show({set});
    f.renderer->drawValues(f.g);
    const auto texts = f.g.callsNamed("drawText");
    ASSERT_EQ(texts.size(), 2u);
    const double lineHeight = measurer.boundingRectForFont(QFont("Sans", 10)).size.height;
    for (std::size_t k = 0; k < 2; ++k) {
        const Point p = k == 0 ? px(2, 5) : px(4, 3);
        const double width = texts[k].text.size() * 5.0;
        EXPECT_EQ(texts[k].args[0], p.x - width / 2) << k;
        EXPECT_EQ(texts[k].args[1], p.y - 10 - lineHeight) << k;
        EXPECT_EQ(texts[k].attributes->foregroundColor, QColor(int(k + 1), int(k + 1), int(k + 1)));
    }
    EXPECT_EQ(texts[0].text, set->valueFormatter()->stringForValue(5, set->entryForIndex(0), 0,
                                                                    f.chart.handler.get()));

    // Values are not drawn when the chart shows more entries than its visible count allows.
    f.chart.maxVisible = 2;
    f.g.clear();
    f.renderer->drawValues(f.g);
    EXPECT_TRUE(f.g.paintCalls().empty());
}

// Data sets of another kind are skipped rather than stopping the program; a data set without a
// shape renderer is reported and skipped.
TEST(ScatterChartRenderer, SkipsOtherDataSetsAndDataSetsWithoutShapes) {
    Fixture f;
    auto line = LineChartDataSet::create({ChartDataEntry::create(1, 1)}, QStringLiteral("line"));
    auto without = pointSet({{2, 2}});
    without->setShapeRenderer(nullptr);
    auto hidden = pointSet({{3, 3}});
    hidden->setVisible(false);
    f.show({line, without, hidden, pointSet({{4, 4}})});
    platform::ScopedLogCapture log;
    f.renderer->drawData(f.g);
    EXPECT_EQ(f.squareCentres(), (std::vector<Point>{px(4, 4)}));
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{"There's no ShapeRenderer specified for ScatterDataSet"}));
    f.g.clear();
    f.renderer->drawValues(f.g);
    f.renderer->drawHighlighted(f.g, {Highlight::create(1, 1, 0, 0)});
    EXPECT_EQ(f.g.callsNamed("drawText").size(), 2u); // the two visible scatter sets
    EXPECT_TRUE(f.g.callsNamed("strokePath").empty());
}

TEST(ScatterChartRenderer, DrawsNothingWithoutItsChartOrScatterData) {
    auto animator = Animator::create();
    auto handler = ViewPortHandler::create(100, 100);
    std::shared_ptr<ScatterChartRenderer> renderer;
    {
        testsupport::FakeXYChart chart;
        chart.chartData = ScatterChartData::create({pointSet({{1, 1}})});
        renderer = ScatterChartRenderer::create(&chart, animator, handler);
        EXPECT_EQ(renderer->dataProvider(), &chart);
    }
    EXPECT_EQ(renderer->dataProvider(), nullptr);
    RecordingGraphicsContext g;
    renderer->drawData(g);
    renderer->drawValues(g);
    renderer->drawHighlighted(g, {Highlight::create(1, 1, 0, 0)});
    EXPECT_TRUE(g.calls().empty());

    testsupport::FakeXYChart other;
    other.chartData = ChartData::create({pointSet({{1, 1}})});
    renderer->setDataProvider(&other);
    renderer->drawData(g);
    renderer->drawValues(g);
    EXPECT_TRUE(g.calls().empty());
}
