#include "Charting/renderers/CandleStickChartRenderer.h"

#include "Charting/animation/Animator.h"
#include "Charting/data/CandleChartData.h"
#include "Charting/data/CandleChartDataEntry.h"
#include "Charting/data/CandleChartDataSet.h"
#include "Charting/utils/ViewPortHandler.h"
#include "support/FakeXYChart.h"
#include "support/RecordingGraphicsContext.h"

#include <gtest/gtest.h>

using namespace charting;
using platform::Point;
using platform::Rect;

namespace {

const QColor kEntry(10, 10, 10);
const QColor kUp(0, 200, 0);
const QColor kDown(200, 0, 0);
const QColor kFlat(0, 0, 200);
const QColor kShadow(90, 90, 90);

struct Fixture {
    testsupport::FakeXYChart chart;
    std::shared_ptr<Animator> animator = Animator::create();
    std::shared_ptr<CandleStickChartRenderer> renderer =
        CandleStickChartRenderer::create(&chart, animator, chart.handler);
    RecordingGraphicsContext g;

    // One candle at x 5 with high 9 and low 1.
    std::shared_ptr<CandleChartDataSet> show(double open, double close) {
        auto set = CandleChartDataSet::create({CandleChartDataEntry::create(5, 9, 1, open, close)},
                                              QStringLiteral("candles"));
        set->setColors({kEntry});
        set->setIncreasingColor(kUp);
        set->setDecreasingColor(kDown);
        set->setNeutralColor(kFlat);
        set->setShadowColor(kShadow);
        chart.chartData = CandleChartData::create({set});
        return set;
    }
};

Path segments(const std::vector<Point>& points) {
    Path p;
    for (std::size_t i = 0; i + 1 < points.size(); i += 2)
        p.addLines({points[i], points[i + 1]});
    return p;
}

} // namespace

// Value (x, y) is pixel (10x, 100 - 10y); a body is 0.8 x units wide (bar space 0.1).
TEST(CandleStickChartRenderer, BodiesOfRisingFallingAndEqualCandles) {
    struct Case {
        const char* what;
        double open, close;
        std::string bodyOp;
        QColor bodyColor;
        Path shadow;
    };
    const std::vector<Case> cases = {
        {"rising, outlined", 3, 7, "strokeRect", kUp,
         segments({{50, 10}, {50, 30}, {50, 70}, {50, 90}})},
        {"falling, filled", 7, 3, "fillRect", kDown,
         segments({{50, 10}, {50, 30}, {50, 70}, {50, 90}})},
        {"equal, a line", 5, 5, "strokeLineSegments", kFlat,
         segments({{50, 10}, {50, 50}, {50, 50}, {50, 90}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        f.show(c.open, c.close);
        f.renderer->drawData(f.g);
        const auto paints = f.g.paintCalls();
        ASSERT_EQ(paints.size(), 2u);
        EXPECT_EQ(paints[0].op, "strokeLineSegments");
        EXPECT_EQ(paints[0].path, c.shadow);
        EXPECT_EQ(paints[0].state.strokeColor, kShadow);
        EXPECT_EQ(paints[0].state.lineWidth, 1.5);
        EXPECT_EQ(paints[1].op, c.bodyOp);
        if (c.bodyOp == "strokeLineSegments") {
            EXPECT_EQ(paints[1].path, segments({{46, 50}, {54, 50}}));
        } else {
            const Rect body = paints[1].path.boundingBox();
            EXPECT_NEAR(body.origin.x, 46, 1e-9);
            EXPECT_NEAR(body.size.width, 8, 1e-9);
            EXPECT_EQ(body.origin.y, 30);
            EXPECT_EQ(body.size.height, 40);
        }
        const auto& state = paints[1].state;
        EXPECT_EQ(c.bodyOp == "fillRect" ? state.fillColor : state.strokeColor, c.bodyColor);
        EXPECT_EQ(f.g.savedStateCount(), 0);
    }
}

TEST(CandleStickChartRenderer, FillFlagsColoursAndShadowColours) {
    Fixture f;
    auto set = f.show(3, 7);
    set->setIncreasingFilled(true);
    set->setShadowColorSameAsCandle(true);
    f.renderer->drawData(f.g);
    auto paints = f.g.paintCalls();
    ASSERT_EQ(paints.size(), 2u);
    EXPECT_EQ(paints[0].state.strokeColor, kUp);
    EXPECT_EQ(paints[1].op, "fillRect");

    // Without colours of its own a candle takes the entry colour, its shadow too.
    set->setShadowColorSameAsCandle(false);
    set->setShadowColor(std::nullopt);
    set->setIncreasingColor(std::nullopt);
    set->setDecreasingFilled(false);
    f.g.clear();
    f.renderer->drawData(f.g);
    paints = f.g.paintCalls();
    ASSERT_EQ(paints.size(), 2u);
    EXPECT_EQ(paints[0].state.strokeColor, kEntry);
    EXPECT_EQ(paints[1].state.fillColor, kEntry);
}

TEST(CandleStickChartRenderer, OpenCloseBarsWithoutCandleBars) {
    for (auto [open, close, color] : {std::tuple{3.0, 7.0, kUp}, {7.0, 3.0, kDown}}) {
        Fixture f;
        auto set = f.show(open, close);
        set->setShowCandleBar(false);
        f.renderer->drawData(f.g);
        const auto paints = f.g.paintCalls();
        ASSERT_EQ(paints.size(), 1u);
        EXPECT_EQ(paints[0].op, "strokeLineSegments");
        const double openY = 100 - 10 * open, closeY = 100 - 10 * close;
        const auto& els = paints[0].path.elements();
        ASSERT_EQ(els.size(), 6u);
        EXPECT_EQ(els[0].points[0], (Point{50, 10}));
        EXPECT_EQ(els[1].points[0], (Point{50, 90}));
        EXPECT_NEAR(els[2].points[0].x, 46, 1e-9); // the open to the left
        EXPECT_EQ(els[2].points[0].y, openY);
        EXPECT_EQ(els[3].points[0], (Point{50, openY}));
        EXPECT_EQ(els[4].points[0], (Point{50, closeY})); // the close to the right
        EXPECT_NEAR(els[5].points[0].x, 54, 1e-9);
        EXPECT_EQ(els[5].points[0].y, closeY);
        EXPECT_EQ(paints[0].state.strokeColor, color);
    }
}

TEST(CandleStickChartRenderer, SkipsOtherEntriesHiddenSetsAndMissingData) {
    Fixture f;
    auto set = f.show(3, 7);
    set->addEntry(ChartDataEntry::create(6, 4));
    f.renderer->drawData(f.g);
    EXPECT_EQ(f.g.paintCalls().size(), 2u);

    set->setVisible(false);
    f.g.clear();
    f.renderer->drawData(f.g);
    EXPECT_TRUE(f.g.paintCalls().empty());

    f.chart.chartData = ChartData::create({CandleChartDataSet::create()});
    f.renderer->drawData(f.g);
    EXPECT_TRUE(f.g.calls().empty());
}
