#include "Charting/data/Highlight.h"
#include "Charting/renderers/BarChartRenderer.h"
#include "Charting/utils/NSUIAccessibilityElement.h"
#include "support/FakeTextMeasurer.h"
#include "BarRendererTestChart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace charting;
using namespace bartest;
using platform::Rect;

namespace {

// A chart showing x 0...10 and y -5...5: value (x, y) is pixel (10x, 50 - 10y).
struct Fixture {
    explicit Fixture(std::shared_ptr<BarChartData> data) {
        chart.chartData = std::move(data);
        chart.show(0, 10, -5, 10);
        renderer->initBuffers();
    }
    RecordingGraphicsContext& draw() {
        context.clear();
        renderer->drawData(context);
        return context;
    }
    ViewChart chart;
    std::shared_ptr<Animator> animator = Animator::create();
    std::shared_ptr<BarChartRenderer> renderer =
        BarChartRenderer::create(&chart, animator, chart.handler);
    RecordingGraphicsContext context;
};

} // namespace

TEST(BarChartRenderer, PlainBarsStandOnZeroAndGrowWithThePhase) {
    struct Case {
        const char* name;
        double phaseY;
        bool inverted;
        std::vector<Rect> expected;
    };
    const std::vector<Case> cases = {
        {"upright", 1.0, false, {Rect(17.5, 10, 5, 40), Rect(47.5, 50, 5, 30)}},
        {"half grown", 0.5, false, {Rect(17.5, 30, 5, 20), Rect(47.5, 50, 5, 15)}},
        {"inverted", 1.0, true, {Rect(17.5, 50, 5, 40), Rect(47.5, 20, 5, 30)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Bars before and beyond the content are not drawn.
        Fixture f(barData({plainSet({{-1, 1}, {2, 4}, {5, -3}, {11, 2}})}));
        f.chart.inverted[0] = c.inverted;
        f.chart.show(0, 10, -5, 10);
        f.animator->setPhaseY(c.phaseY);
        EXPECT_EQ(rectsOf(f.draw(), "fillRect"), c.expected);
    }
}

TEST(BarChartRenderer, StackedPiecesOneColourEach) {
    auto set = stackedSet({{2, {-2, 0, 3}}, {6, {1, 2}}});
    set->setColors({QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)});
    Fixture f(barData({set}));
    const auto fills = f.draw().callsNamed("fillRect");
    // Stack size 3: the second bar's two pieces follow its first three; buffers hold only what
    // is drawn.
    ASSERT_EQ(fills.size(), 5u);
    const std::vector<Rect> expected = {Rect(17.5, 50, 5, 20), Rect(17.5, 50, 5, 0),
                                        Rect(17.5, 20, 5, 30), Rect(57.5, 40, 5, 10),
                                        Rect(57.5, 20, 5, 20)};
    EXPECT_EQ(rectsOf(f.context, "fillRect"), expected);
    const QColor colours[] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255),
                              QColor(255, 0, 0), QColor(0, 255, 0)};
    for (std::size_t i = 0; i < fills.size(); ++i)
        EXPECT_EQ(fills[i].state.fillColor, colours[i]) << i;
}

TEST(BarChartRenderer, ShadowsBehindAndBordersAroundEachBar) {
    auto set = plainSet({{2, 4}});
    set->setBarShadowColor(QColor(9, 9, 9));
    set->setBarBorderWidth(2);
    set->setBarBorderColor(QColor(1, 2, 3));
    set->setColor(QColor(200, 0, 0));
    Fixture f(barData({set}));
    f.chart.drawShadow = true;
    const auto& context = f.draw();
    const auto paints = context.paintCalls();
    ASSERT_EQ(paints.size(), 3u);
    EXPECT_EQ(paints[0].op, "fillRect");
    EXPECT_EQ(rectsOf(context, "fillRect")[0], Rect(17.5, 0, 5, 100));
    EXPECT_EQ(paints[0].state.fillColor, QColor(9, 9, 9));
    EXPECT_EQ(paints[1].state.fillColor, QColor(200, 0, 0));
    EXPECT_EQ(paints[2].op, "strokeRect");
    EXPECT_EQ(rectsOf(context, "strokeRect")[0], Rect(17.5, 10, 5, 40));
    EXPECT_EQ(paints[2].state.strokeColor, QColor(1, 2, 3));
    EXPECT_EQ(paints[2].state.lineWidth, 2);
    EXPECT_EQ(context.savedStateCount(), 0);
}

// Entries changed to taller stacks after the buffers were sized: every piece is drawn, and no
// rectangle of the earlier frame is drawn again.
TEST(BarChartRenderer, BuffersFollowTheEntriesDrawn) {
    auto set = plainSet({{2, 1}, {4, 1}});
    Fixture f(barData({set}));
    EXPECT_EQ(f.draw().callsNamed("fillRect").size(), 2u);
    set->setEntries({BarChartDataEntry::create(2, std::vector<double>{1, 1, 1}),
                     BarChartDataEntry::create(4, std::vector<double>{1, 1, 1, 1})});
    const auto rects = rectsOf(f.draw(), "fillRect");
    ASSERT_EQ(rects.size(), 7u);
    EXPECT_EQ(rects[6], Rect(37.5, 10, 5, 10));
}

TEST(BarChartRenderer, TheXPhaseCountsEntriesAndANonFinitePhaseCountsNone) {
    const std::vector<std::pair<double, std::size_t>> cases = {
        {1.0, 4}, {0.5, 2}, {0.3, 2}, {0.0, 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
        {std::numeric_limits<double>::infinity(), 4}};
    for (auto [phase, bars] : cases) {
        Fixture f(barData({plainSet({{1, 1}, {2, 1}, {3, 1}, {4, 1}})}));
        f.animator->setPhaseX(phase);
        EXPECT_EQ(f.draw().callsNamed("fillRect").size(), bars) << phase;
        f.renderer->drawValues(f.context);
    }
}

TEST(BarChartRenderer, HighlightsCoverTheBarTheLevelOrTheWholeStack) {
    auto plain = plainSet({{2, 4}});
    plain->setHighlightAlpha(0.25);
    auto stacks = stackedSet({{6, {-2, 1, 3}}});
    stacks->setHighlightColor(QColor(0, 0, 200));
    stacks->setAxisDependency(AxisDependency::left);
    Fixture f(barData({plain, stacks}));

    auto barHigh = Highlight::create(2, 4, 0, 0);
    auto levelHigh = Highlight::create(6, 2, 20, 10, 0, 1, 2, AxisDependency::left);
    f.renderer->drawHighlighted(f.context, {barHigh, levelHigh});
    auto fills = f.context.callsNamed("fillRect");
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(rectsOf(f.context, "fillRect"),
              (std::vector<Rect>{Rect(17.5, 10, 5, 40), Rect(57.5, 10, 5, 30)}));
    EXPECT_EQ(fills[0].state.fillColor, QColor(Qt::black));
    EXPECT_EQ(fills[0].state.alpha, 0.25);
    EXPECT_EQ(fills[1].state.fillColor, QColor(0, 0, 200));
    // The draw point is the middle of the bar's top.
    EXPECT_EQ(barHigh->drawX(), 20);
    EXPECT_EQ(barHigh->drawY(), 10);

    f.chart.fullBar = true;
    f.context.clear();
    f.renderer->drawHighlighted(f.context, {levelHigh});
    EXPECT_EQ(rectsOf(f.context, "fillRect"), (std::vector<Rect>{Rect(57.5, 10, 5, 60)}));
    EXPECT_EQ(f.context.savedStateCount(), 0);
}

TEST(BarChartRenderer, ValueLabelsSitBeyondTheBarEndOrInsideIt) {
    FakeTextMeasurer measurer;
    ScopedTextMeasurer scoped(measurer);
    QFont font;
    font.setPointSizeF(8); // characters 4 wide, lines 10 high
    auto set = plainSet({{2, 2}, {5, -3}});
    set->setValueFont(font);
    Fixture f(barData({set}));
    struct Case {
        const char* name;
        bool above;
        bool inverted;
        std::vector<platform::Point> expected; // top-left corners of "2.0" and "-3.0"
    };
    // Ends at pixel y 30 and 80 (inverted: 70 and 20); labels 12 and 16 wide.
    const std::vector<Case> cases = {
        {"above", true, false, {{14, 15}, {42, 85}}},
        {"inside", false, false, {{14, 35}, {42, 65}}},
        {"above inverted", true, true, {{14, 75}, {42, 5}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.chart.valueAboveBar = c.above;
        f.chart.inverted[0] = c.inverted;
        f.chart.show(0, 10, -5, 10);
        f.draw();
        f.context.clear();
        f.renderer->drawValues(f.context);
        const auto texts = f.context.callsNamed("drawText");
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].text, "2.0");
        EXPECT_EQ(texts[1].text, "-3.0");
        for (std::size_t i = 0; i < 2; ++i)
            EXPECT_EQ((platform::Point{texts[i].args[0], texts[i].args[1]}), c.expected[i]) << i;
    }
}

TEST(BarChartRenderer, StackedLabelsAtTheOuterEndOfEachPiece) {
    FakeTextMeasurer measurer;
    ScopedTextMeasurer scoped(measurer);
    QFont font;
    font.setPointSizeF(8);
    auto set = stackedSet({{2, {-2, 0, 3}}});
    set->setValueFont(font);
    Fixture f(barData({set}));
    f.draw();
    f.renderer->drawValues(f.context);
    const auto texts = f.context.callsNamed("drawText");
    ASSERT_EQ(texts.size(), 3u);
    // -2 and 0 below their ends (70 and 50), 3 above its end (20).
    EXPECT_EQ((platform::Point{texts[0].args[0], texts[0].args[1]}), (platform::Point{12, 75}));
    EXPECT_EQ((platform::Point{texts[1].args[0], texts[1].args[1]}), (platform::Point{14, 55}));
    EXPECT_EQ((platform::Point{texts[2].args[0], texts[2].args[1]}), (platform::Point{14, 5}));
}

TEST(BarChartRenderer, AccessibilityElementsAfterTheHeaderGroupedByBar) {
    auto first = plainSet({{2, 1}, {4, 2}}, "First");
    auto second = plainSet({{3, 1}, {5, 2}}, "Second");
    Fixture f(barData({first, second}));
    f.draw();
    const auto& elements = f.renderer->accessibleChartElements();
    ASSERT_EQ(elements.size(), 5u);
    EXPECT_TRUE(elements[0]->isHeader());
    EXPECT_TRUE(elements[1]->elementLabel().startsWith("First, 2"));
    EXPECT_TRUE(elements[2]->elementLabel().startsWith("Second, 3"));
    EXPECT_TRUE(elements[3]->elementLabel().startsWith("First, 4"));
    EXPECT_TRUE(elements[4]->elementLabel().startsWith("Second, 5"));
}

TEST(BarChartRenderer, NothingWithoutBarDataOrOnceTheChartIsGone) {
    RecordingGraphicsContext context;
    std::shared_ptr<BarChartRenderer> renderer;
    {
        Fixture f(barData({plainSet({{2, 1}})}));
        renderer = f.renderer;
        f.chart.chartData = nullptr;
        renderer->initBuffers();
        EXPECT_TRUE(renderer->buffers().empty());
        renderer->drawData(context);
    }
    renderer->drawData(context);
    renderer->drawValues(context);
    renderer->drawHighlighted(context, {Highlight::create(2, 1, 0, 0)});
    EXPECT_TRUE(context.paintCalls().empty());
}
