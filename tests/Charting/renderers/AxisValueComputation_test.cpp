#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/formatters/DefaultAxisValueFormatter.h"
#include "Charting/renderers/XAxisRenderer.h"
#include "Charting/renderers/YAxisRenderer.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"
#include "support/FakeTextMeasurer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace charting;
using platform::Point;

namespace {

struct Case {
    const char* name;
    double min, max;
    int labelCount = 6;
    bool force = false;
    std::optional<double> granularity;
    bool centred = false;
    std::vector<double> entries;
    int decimals = 0;
    std::vector<double> centeredEntries = {};
};

void expectValues(const std::vector<double>& actual, const std::vector<double>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i], expected[i], 1e-12 * std::max(1.0, std::abs(expected[i])))
            << "at " << i;
        EXPECT_TRUE(std::isfinite(actual[i])) << "at " << i;
        EXPECT_FALSE(actual[i] == 0 && std::signbit(actual[i])) << "-0 at " << i;
    }
}

} // namespace

TEST(AxisValueComputation, Table) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"gyro axis",
         -1200,
         1200,
         6,
         false,
         100.0,
         false,
         {-1200, -800, -400, 0, 400, 800, 1200},
         0},
        {"acceleration axis",
         -1.5,
         1.5,
         6,
         false,
         0.1,
         false,
         {-1.5, -1.0, -0.5, 0, 0.5, 1.0, 1.5},
         1},
        {"live x range", 0, 199, 6, false, {}, false, {0, 30, 60, 90, 120, 150, 180}, 0},
        {"0 to 100", 0, 100, 6, false, {}, false, {0, 20, 40, 60, 80, 100}, 0},
        {"0 to 70", 0, 70, 6, false, {}, false, {0, 10, 20, 30, 40, 50, 60, 70}, 0},
        {"significant digit above 5", 0, 42, 6, false, {}, false, {0, 10, 20, 30, 40}, 0},
        {"granularity raises the interval", 0, 2, 6, false, 1.0, false, {0, 1, 2}, 0},
        {"small interval decimals",
         0,
         0.06,
         6,
         false,
         {},
         false,
         {0, 0.01, 0.02, 0.03, 0.04, 0.05, 0.06},
         2},
        {"forced", -1, 1, 5, true, {}, false, {-1, -0.5, 0, 0.5, 1}, 1},
        {"forced keeps the range ends", 0.3, 1.7, 3, true, {}, false, {0.3, 1.0, 1.7}, 1},
        {"forced single label", 2.5, 7.5, 1, true, {}, false, {2.5}, 0},
        {"centred",
         0,
         100,
         6,
         false,
         {},
         true,
         {-20, 0, 20, 40, 60, 80, 100, 120},
         0,
         {-10, 10, 30, 50, 70, 90, 110, 130}},
        {"centred forced", 0, 10, 3, true, {}, true, {0, 5, 10}, 0, {2.5, 7.5, 12.5}},
        {"first entry -0 stored as +0", -5, 95, 6, false, {}, false, {0, 20, 40, 60, 80}, 0},
        {"reversed bounds give no values", 9, 1, 6, false, {}, false, {}, 0},
        {"empty range", 5, 5, 6, false, {}, false, {}, 3},
        {"no number", nan, 5, 6, false, {}, false, {}, 3},
        {"infinite", -inf, 5, 6, false, {}, false, {}, 3},
        {"too small to scale", 0, 1e-310, 6, false, {}, false, {}, 3},
        {"too small to scale, forced", 0, 1e-310, 5, true, {}, false, {}, 3},
        {"too small to scale, granularity", 0, 1e-310, 6, false, 1e-320, false, {}, 3},
        {"near the largest double",
         -8e307,
         8e307,
         6,
         false,
         {},
         false,
         {-6e307, -3e307, 0, 3e307, 6e307},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto axis = YAxis::create();
        axis->setDecimals(3);
        axis->setAxisMinLabels(1);
        axis->setLabelCount(c.labelCount, c.force);
        if (c.granularity)
            axis->setGranularity(*c.granularity);
        axis->setEntries({1}); // centring needs entries already there
        axis->setCenterAxisLabelsEnabled(c.centred);
        axis->setCenteredEntries({42});
        const bool computed = computeAxisEntries(*axis, c.min, c.max);
        EXPECT_EQ(computed, !c.entries.empty() || std::string(c.name).find("reversed") == 0);
        expectValues(axis->entries(), c.entries);
        EXPECT_EQ(axis->decimals(), c.decimals);
        if (c.centred)
            expectValues(axis->centeredEntries(), c.centeredEntries);
        else if (computed)
            EXPECT_EQ(axis->centeredEntries(), std::vector<double>{42}); // left as it was
        else
            EXPECT_TRUE(axis->centeredEntries().empty());
    }
}

namespace {

// Content 200 x 100 at left 10, top 5 on a chart 230 x 120; x 0...20, y -1...1.
struct Chart {
    std::shared_ptr<ViewPortHandler> handler = ViewPortHandler::create(230, 120);
    std::shared_ptr<Transformer> transformer = Transformer::create(handler);
    std::shared_ptr<XAxis> xAxis = XAxis::create();
    std::shared_ptr<YAxis> yAxis = YAxis::create();
    Chart() {
        handler->restrainViewPort(10, 5, 20, 15);
        transformer->prepareMatrixValuePx(0, 20, 2, -1);
        transformer->prepareMatrixOffset(false);
        xAxis->setLabelCount(5);
    }
    // Twice as large about the content's centre: x 5...15 and y -0.5...0.5 visible.
    void zoomIn() { handler->refresh(handler->zoom(2, 2, 100, -50), nullptr, false); }
};

// The bounds the renderers hand to their value computation.
template <class Base, class Axis> class Spy : public Base {
public:
    Spy(std::shared_ptr<ViewPortHandler> h, std::shared_ptr<Axis> a, std::shared_ptr<Transformer> t)
        : Base(std::move(h), std::move(a), std::move(t)) {}
    void computeAxisValues(double min, double max) override {
        bounds.push_back({min, max});
        Base::computeAxisValues(min, max);
    }
    std::vector<std::pair<double, double>> bounds;
};

} // namespace

TEST(AxisValueComputation, VisibleRangeFromTheViewPort) {
    struct Row {
        const char* name;
        bool transformer, zoomed, inverted, narrow;
        std::pair<double, double> x, y;
    };
    const Row rows[] = {
        {"fully zoomed out: the given bounds", true, false, false, false, {0, 20}, {-1, 1}},
        {"zoomed in: the visible bounds", true, true, false, false, {5, 15}, {-0.5, 0.5}},
        // The y transformer is inverted too: its top edge shows the smallest value.
        {"zoomed in and inverted", true, true, true, false, {15, 5}, {-0.5, 0.5}},
        {"no transformer", false, true, false, false, {0, 20}, {-1, 1}},
        {"content 10 points wide", true, true, false, true, {0, 20}, {-1, 1}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Chart c;
        if (r.narrow)
            c.handler->restrainViewPort(110, 5, 110, 15); // content width 10
        if (r.zoomed)
            c.zoomIn();
        if (r.inverted)
            c.transformer->prepareMatrixOffset(true);
        auto t = r.transformer ? c.transformer : nullptr;
        Spy<XAxisRenderer, XAxis> x(c.handler, c.xAxis, t);
        Spy<YAxisRenderer, YAxis> y(c.handler, c.yAxis, t);
        x.computeAxis(0, 20, r.inverted);
        y.computeAxis(-1, 1, r.inverted);
        ASSERT_EQ(x.bounds.size(), 1u);
        ASSERT_EQ(y.bounds.size(), 1u);
        EXPECT_NEAR(x.bounds[0].first, r.x.first, 1e-9);
        EXPECT_NEAR(x.bounds[0].second, r.x.second, 1e-9);
        EXPECT_NEAR(y.bounds[0].first, r.y.first, 1e-9);
        EXPECT_NEAR(y.bounds[0].second, r.y.second, 1e-9);
    }
    // Zoomed in, the x labels cover the visible part only.
    Chart c;
    c.zoomIn();
    XAxisRenderer::create(c.handler, c.xAxis, c.transformer)->computeAxis(0, 20, false);
    EXPECT_EQ(c.xAxis->entries(), (std::vector<double>{6, 8, 10, 12, 14}));
}

TEST(AxisValueComputation, XRendererMeasuresItsLabels) {
    FakeTextMeasurer fake;
    ScopedTextMeasurer scope(fake);
    Chart c;
    QFont font;
    font.setPointSizeF(8); // 4 per character, 10 high
    c.xAxis->setLabelFont(font);
    c.xAxis->setValueFormatter(DefaultAxisValueFormatter::withBlock([](double v, AxisBase*) {
        return v == 8 ? QStringLiteral("eight-8-8-") : QString::number(v);
    }));
    auto x = XAxisRenderer::create(c.handler, c.xAxis, c.transformer);
    struct Row {
        double degrees, rotatedWidth, rotatedHeight;
    };
    const Row rows[] = {{0, 40, 10},
                        {90, 10, 40},
                        {-90, 10, 40},
                        {30, 40 * 0.8660254037844387 + 5, 20 + 10 * 0.8660254037844387}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.degrees);
        c.xAxis->setLabelRotationAngle(r.degrees);
        x->computeAxisValues(0, 20); // 0, 5, 10, 15, 20
        EXPECT_EQ(c.xAxis->labelWidth(), 40);
        EXPECT_EQ(c.xAxis->labelHeight(), 10);
        EXPECT_NEAR(c.xAxis->labelRotatedWidth(), r.rotatedWidth, 1e-9);
        EXPECT_NEAR(c.xAxis->labelRotatedHeight(), r.rotatedHeight, 1e-9);
    }
    // No values: the sizes stay as they were.
    x->computeAxisValues(3, 3);
    EXPECT_TRUE(c.xAxis->entries().empty());
    EXPECT_EQ(c.xAxis->labelWidth(), 40);
}
