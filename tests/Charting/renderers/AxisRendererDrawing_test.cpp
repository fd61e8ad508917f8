#include "Charting/components/ChartLimitLine.h"
#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/formatters/DefaultAxisValueFormatter.h"
#include "Charting/renderers/XAxisRenderer.h"
#include "Charting/renderers/YAxisRenderer.h"
#include "Charting/utils/QPainterGraphicsContext.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"
#include "support/FakeTextMeasurer.h"
#include "support/RecordingGraphicsContext.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

using namespace charting;
using platform::Point;
using platform::Rect;
using Calls = std::vector<RecordingGraphicsContext::Call>;

namespace {

QFont pointFont(double size) {
    QFont f;
    f.setPointSizeF(size);
    return f;
}

// Content 200 x 100 at left 10, top 5 (right 210, bottom 105) on a chart 230 x 120, offset right
// 20; x 0...20 (10 points per unit), y -1...1 (50 points per unit, 0 at y 55). Text is measured
// by the fake measurer: with the 10-point label fonts 5 points per character, 12.5 high.
struct Chart {
    FakeTextMeasurer fake;
    ScopedTextMeasurer scope{fake};
    std::shared_ptr<ViewPortHandler> handler = ViewPortHandler::create(230, 120);
    std::shared_ptr<Transformer> transformer = Transformer::create(handler);
    std::shared_ptr<XAxis> xAxis = XAxis::create();
    std::shared_ptr<YAxis> leftAxis = YAxis::create(YAxis::AxisDependency::left);
    std::shared_ptr<YAxis> rightAxis = YAxis::create(YAxis::AxisDependency::right);
    std::shared_ptr<XAxisRenderer> x = XAxisRenderer::create(handler, xAxis, transformer);
    std::shared_ptr<YAxisRenderer> left = YAxisRenderer::create(handler, leftAxis, transformer);
    std::shared_ptr<YAxisRenderer> right = YAxisRenderer::create(handler, rightAxis, transformer);
    RecordingGraphicsContext g;

    Chart() {
        handler->restrainViewPort(10, 5, 20, 15);
        transformer->prepareMatrixValuePx(0, 20, 2, -1);
        transformer->prepareMatrixOffset(false);
        for (AxisBase* axis :
             {(AxisBase*)xAxis.get(), (AxisBase*)leftAxis.get(), (AxisBase*)rightAxis.get()}) {
            axis->setLabelFont(pointFont(10));
            axis->setValueFormatter(DefaultAxisValueFormatter::withBlock(
                [](double v, AxisBase*) { return QString::number(v); }));
        }
    }
};

struct Text {
    QString text;
    double x, y;
    friend bool operator==(const Text& a, const Text& b) {
        return a.text == b.text && std::abs(a.x - b.x) < 1e-9 && std::abs(a.y - b.y) < 1e-9;
    }
};

std::ostream& operator<<(std::ostream& os, const Text& t) {
    return os << '"' << t.text.toStdString() << "\" at " << t.x << "," << t.y;
}

// Single-line texts by their top-left corner (the box's corner for wrapped text).
std::vector<Text> texts(const RecordingGraphicsContext& g) {
    std::vector<Text> out;
    for (const auto& c : g.calls())
        if (c.op == "drawText" || c.op == "drawTextInRect")
            out.push_back(Text{c.text, c.args.at(0), c.args.at(1)});
    return out;
}

// The end points of every stroked line, in device space.
std::vector<std::pair<Point, Point>> strokedLines(const RecordingGraphicsContext& g) {
    std::vector<std::pair<Point, Point>> out;
    for (const auto& c : g.paintCalls()) {
        if (c.op != "strokePath" && c.op != "drawPath" && c.op != "strokeLineSegments")
            continue;
        const auto& e = c.path.elements();
        for (std::size_t i = 0; i + 1 < e.size(); i += 2)
            out.push_back({e[i].points[0], e[i + 1].points[0]});
    }
    return out;
}

} // namespace

TEST(XAxisRendererDrawing, LabelRowsAtEveryPosition) {
    using P = XAxis::LabelPosition;
    struct Case {
        P position;
        std::vector<double> rowTops; // y of the labels' boxes, one per row
    };
    // Labels are 12.5 high; the axis's y offset is 4 and the rotated label height 12.5.
    const Case cases[] = {
        {P::top, {5 - 4 - 12.5}},
        {P::bottom, {105 + 4}},
        {P::both, {5 - 4 - 12.5, 105 + 4}},
        {P::topInside, {5 + 4 + 12.5 - 12.5}},
        {P::bottomInside, {105 - 4 - 12.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.position));
        Chart chart;
        chart.xAxis->setLabelPosition(c.position);
        chart.xAxis->setLabelCount(5);
        chart.x->computeAxis(0, 20, false); // 0, 4, ..., 20; measures the labels
        ASSERT_EQ(chart.xAxis->labelRotatedHeight(), 12.5);
        chart.x->renderAxisLabels(chart.g);
        std::vector<Text> expected;
        for (double top : c.rowTops)
            for (double v : {0, 4, 8, 12, 16, 20}) {
                const QString t = QString::number(v);
                expected.push_back(Text{t, 10 + 10 * v - t.size() * 2.5, top});
            }
        EXPECT_EQ(texts(chart.g), expected);
        const auto drawn = chart.g.callsNamed("drawTextInRect");
        ASSERT_FALSE(drawn.empty());
        EXPECT_EQ(drawn[0].attributes->paragraphStyle.alignment, TextAlignment::center);
        EXPECT_EQ(drawn[0].attributes->font.pointSizeF(), 10);
    }
}

TEST(XAxisRendererDrawing, LabelsSkippedOutsideShiftedAtTheEndsAndCentred) {
    Chart chart;
    chart.xAxis->setLabelPosition(XAxis::LabelPosition::bottom);
    chart.xAxis->setEntries({-3, 0, 10, 20, 23});
    chart.x->renderAxisLabels(chart.g);
    // -3 and 23 lie outside the content (x -20 and 240).
    EXPECT_EQ(texts(chart.g),
              (std::vector<Text>{{"0", 7.5, 109}, {"10", 105, 109}, {"20", 205, 109}}));

    // The first label moves right by half its width; the last moves left by half its width only
    // when wider than twice the right offset (40) and crossing the chart's width (230).
    chart.xAxis->setAvoidFirstLastClippingEnabled(true);
    chart.xAxis->setValueFormatter(DefaultAxisValueFormatter::withBlock([](double v, AxisBase*) {
        return v == 20 ? QStringLiteral("label-020") : QString::number(v);
    }));
    chart.xAxis->setEntries({0, 10, 20});
    chart.g.clear();
    chart.x->renderAxisLabels(chart.g);
    EXPECT_EQ(texts(chart.g),
              (std::vector<Text>{{"0", 10, 109}, {"10", 105, 109}, {"label-020", 165, 109}}));
    chart.xAxis->setEntries({20}); // a single label is the first one
    chart.g.clear();
    chart.x->renderAxisLabels(chart.g);
    EXPECT_EQ(texts(chart.g), (std::vector<Text>{{"label-020", 210, 109}}));
    chart.xAxis->setEntries({0, 10});
    chart.xAxis->setValueFormatter(DefaultAxisValueFormatter::withBlock([](double v, AxisBase*) {
        return v == 10 ? QStringLiteral("label-010") : QString::number(v);
    }));
    chart.g.clear();
    chart.x->renderAxisLabels(chart.g); // 45 wide at x 110: does not cross the chart's width
    EXPECT_EQ(texts(chart.g), (std::vector<Text>{{"0", 10, 109}, {"label-010", 87.5, 109}}));

    // Centred labels stand at the centred values with the texts of the entries; centred values
    // missing at the end fall back to the entries.
    Chart centred;
    centred.xAxis->setLabelPosition(XAxis::LabelPosition::bottom);
    centred.xAxis->setEntries({0, 10});
    centred.xAxis->setCenteredEntries({5});
    centred.xAxis->setCenterAxisLabelsEnabled(true);
    centred.x->renderAxisLabels(centred.g);
    EXPECT_EQ(texts(centred.g), (std::vector<Text>{{"0", 57.5, 109}, {"10", 105, 109}}));
}

TEST(XAxisRendererDrawing, WordWrapAndRotation) {
    Chart chart;
    chart.xAxis->setLabelPosition(XAxis::LabelPosition::bottom);
    chart.xAxis->setValueFormatter(DefaultAxisValueFormatter::withBlock(
        [](double, AxisBase*) { return QStringLiteral("ab cd"); }));
    chart.xAxis->setEntries({10});
    chart.xAxis->setWordWrapEnabled(true);
    chart.xAxis->setWordWrapWidthPercent(1.0); // one x unit: 10 points
    chart.x->renderAxisLabels(chart.g);
    auto drawn = chart.g.callsNamed("drawTextInRect");
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].args, (std::vector<double>{105, 109, 10, 25})); // two lines of 10

    chart.transformer->prepareMatrixValuePx(0, 4, 2, -1); // 50 points per x unit
    chart.xAxis->setEntries({2});
    chart.g.clear();
    chart.x->renderAxisLabels(chart.g);
    drawn = chart.g.callsNamed("drawTextInRect");
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].args, (std::vector<double>{110 - 12.5, 109, 25, 12.5})); // one line

    // The angle is kept in degrees and turned into radians where the text is drawn.
    chart.xAxis->setWordWrapEnabled(false);
    chart.xAxis->setLabelRotationAngle(90);
    chart.g.clear();
    chart.x->renderAxisLabels(chart.g);
    const auto rotations = chart.g.callsNamed("rotateBy");
    ASSERT_EQ(rotations.size(), 1u);
    EXPECT_DOUBLE_EQ(rotations[0].args[0], std::numbers::pi / 2);
    // Rotated by 90 degrees the 25 x 12.5 box hangs below the row with its centre on x 110.
    const auto text = chart.g.callsNamed("drawTextInRect").at(0);
    const Point centre = text.state.ctm.apply(Point{0, 0});
    EXPECT_NEAR(centre.x, 110, 1e-9);
    EXPECT_NEAR(centre.y, 109 + 12.5, 1e-9);
}

TEST(XAxisRendererDrawing, AxisLineGridLinesAndLimitLines) {
    Chart chart;
    chart.xAxis->setLabelPosition(XAxis::LabelPosition::both);
    chart.xAxis->setAxisLineWidth(2);
    chart.xAxis->setAxisLineDashLengths(std::vector<double>{3, 1});
    chart.x->renderAxisLine(chart.g);
    EXPECT_EQ(strokedLines(chart.g),
              (std::vector<std::pair<Point, Point>>{{{10, 5}, {210, 5}}, {{10, 105}, {210, 105}}}));
    const auto line = chart.g.callsNamed("strokeLineSegments").at(0);
    EXPECT_EQ(line.state.lineWidth, 2);
    EXPECT_EQ(line.state.lineDashLengths, (std::vector<double>{3, 1}));

    // Grid lines at the entries whose x lies between the offset left and the chart's width.
    chart.g.clear();
    chart.xAxis->setEntries({-5, 0, 10, 20, 21.5, 23});
    chart.xAxis->setGridLineDashLengths(std::vector<double>{4, 2});
    chart.xAxis->setGridLineDashPhase(1);
    chart.xAxis->setGridAntialiasEnabled(false);
    chart.x->renderGridLines(chart.g);
    EXPECT_EQ(strokedLines(chart.g),
              (std::vector<std::pair<Point, Point>>{{{10, 5}, {10, 105}},
                                                    {{110, 5}, {110, 105}},
                                                    {{210, 5}, {210, 105}},
                                                    {{225, 5}, {225, 105}}}));
    const auto grid = chart.g.callsNamed("strokePath").at(0);
    ASSERT_EQ(grid.state.clips.size(), 1u);
    EXPECT_EQ(grid.state.clips[0].path.boundingBox(), Rect(9.75, 5, 200.5, 100));
    EXPECT_EQ(grid.state.lineDashLengths, (std::vector<double>{4, 2}));
    EXPECT_EQ(grid.state.lineDashPhase, 1);
    EXPECT_EQ(grid.state.lineCap, LineCap::butt);
    EXPECT_FALSE(grid.state.shouldAntialias);
    EXPECT_EQ(grid.state.strokeColor, QColor::fromRgbF(0.5, 0.5, 0.5, 0.9));

    // Limit lines: one line each, labels by position, nothing for a disabled one.
    struct Case {
        ChartLimitLine::LabelPosition position;
        Text label;
    };
    // At x 110; width 2 and x offset 5 put the label 7 from the line, the y offset 2 + 5 from
    // the content edge; "max" is 15 wide and 12.5 high.
    const Case cases[] = {
        {ChartLimitLine::LabelPosition::leftTop, {"max", 88, 12}},
        {ChartLimitLine::LabelPosition::leftBottom, {"max", 88, 85.5}},
        {ChartLimitLine::LabelPosition::rightTop, {"max", 117, 12}},
        {ChartLimitLine::LabelPosition::rightBottom, {"max", 117, 85.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.position));
        Chart lc;
        auto limit = ChartLimitLine::create(10, QStringLiteral("max"));
        limit->setValueFont(pointFont(10));
        limit->setLabelPosition(c.position);
        limit->setLineDashLengths(std::vector<double>{5, 5});
        auto disabled = ChartLimitLine::create(5, QStringLiteral("off"));
        disabled->setEnabled(false);
        auto unlabelled = ChartLimitLine::create(15);
        lc.xAxis->addLimitLine(limit);
        lc.xAxis->addLimitLine(disabled);
        lc.xAxis->addLimitLine(unlabelled);
        lc.x->renderLimitLines(lc.g);
        EXPECT_EQ(strokedLines(lc.g), (std::vector<std::pair<Point, Point>>{
                                          {{110, 5}, {110, 105}}, {{160, 5}, {160, 105}}}));
        EXPECT_EQ(texts(lc.g), std::vector<Text>{c.label});
        const auto stroke = lc.g.callsNamed("strokePath").at(0);
        EXPECT_EQ(stroke.state.clips.at(0).path.boundingBox(), Rect(9, 5, 202, 100));
        EXPECT_EQ(stroke.state.strokeColor, limit->lineColor());
        EXPECT_EQ(stroke.state.lineDashLengths, (std::vector<double>{5, 5}));
        EXPECT_TRUE(lc.g.callsNamed("strokePath").at(1).state.lineDashLengths.empty());
    }
}

TEST(YAxisRendererDrawing, LabelColumnsBySideAndPosition) {
    using P = YAxis::LabelPosition;
    struct Case {
        bool right;
        P position;
        double labelXOffset;
        double anchorX;
        bool rightAligned;
    };
    const Case cases[] = {
        {false, P::outsideChart, 0, 10 - 5, true},
        {false, P::insideChart, 0, 10 + 5, false},
        {true, P::outsideChart, 0, 210 + 5, false},
        {true, P::insideChart, 0, 210 - 5, true},
        {false, P::outsideChart, 3, 10 - 5 + 3, true},
        {true, static_cast<P>(7), 0, 210 - 5, true}, // any raw value but 0 is inside
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.right << int(c.position) << c.labelXOffset);
        Chart chart;
        auto& axis = c.right ? chart.rightAxis : chart.leftAxis;
        auto& renderer = c.right ? chart.right : chart.left;
        axis->setLabelPosition(c.position);
        axis->setLabelXOffset(c.labelXOffset);
        axis->setLabelFont(pointFont(9.6)); // a box 12 high: labels 12 / 2.5 - 12 = 7.2 above
        axis->setEntries({-1, 0, 1});
        renderer->renderAxisLabels(chart.g);
        auto at = [&](const char* t, double y) {
            const double w = QString::fromUtf8(t).size() * 4.8;
            return Text{t, c.rightAligned ? c.anchorX - w : c.anchorX, y};
        };
        EXPECT_EQ(texts(chart.g),
                  (std::vector<Text>{at("-1", 105 - 7.2), at("0", 55 - 7.2), at("1", 5 - 7.2)}));
    }
}

TEST(YAxisRendererDrawing, TopAndBottomLabelsAndMissingPositions) {
    struct Case {
        bool bottom, top;
        std::vector<double> entries;
        std::vector<QString> drawn;
    };
    const Case cases[] = {
        {true, true, {-1, 0, 1}, {"-1", "0", "1"}},
        {true, false, {-1, 0, 1}, {"-1", "0"}},
        {false, true, {-1, 0, 1}, {"0", "1"}},
        {false, false, {0}, {}},
        {true, true, {}, {}},
    };
    for (const Case& c : cases) {
        Chart chart;
        chart.leftAxis->setDrawBottomYLabelEntryEnabled(c.bottom);
        chart.leftAxis->setDrawTopYLabelEntryEnabled(c.top);
        chart.leftAxis->setEntries(c.entries);
        chart.left->renderAxisLabels(chart.g);
        std::vector<QString> drawn;
        for (const Text& t : texts(chart.g))
            drawn.push_back(t.text);
        EXPECT_EQ(drawn, c.drawn);
    }
    // Labels only for positions that exist: two positions for three entries give two labels.
    Chart chart;
    chart.leftAxis->setEntries({-1, 0, 1});
    chart.left->drawYLabels(chart.g, 50, {Point{0, 10}, Point{0, 20}}, 1, TextAlignment::center);
    EXPECT_EQ(texts(chart.g), (std::vector<Text>{{"-1", 45, 11}, {"0", 47.5, 21}}));
}

TEST(YAxisRendererDrawing, GridLinesZeroLineAndAxisLine) {
    // The pages' gyro axis: -1200...1200, entries every 400, dashed grid, a zero line of width 1.
    Chart chart;
    chart.transformer->prepareMatrixValuePx(0, 20, 2400, -1200);
    chart.leftAxis->setAxisMinimum(-1200);
    chart.leftAxis->setAxisMaximum(1200);
    chart.leftAxis->setGranularity(100);
    chart.leftAxis->setGridLineDashLengths(std::vector<double>{4, 2});
    chart.leftAxis->setDrawZeroLineEnabled(true);
    chart.left->computeAxis(-1200, 1200, false);
    chart.left->renderGridLines(chart.g);
    std::vector<std::pair<Point, Point>> expected;
    for (int k = 0; k <= 6; ++k) // -1200 at the bottom (105) to 1200 at the top (5)
        expected.push_back({{10, 105 - k * 100.0 / 6}, {210, 105 - k * 100.0 / 6}});
    expected.push_back({{10, 55}, {210, 55}}); // the zero line last
    const auto lines = strokedLines(chart.g);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_NEAR(lines[i].first.y, expected[i].first.y, 1e-9);
        EXPECT_EQ(lines[i].first.x, 10);
        EXPECT_EQ(lines[i].second.x, 210);
    }
    const auto grid = chart.g.callsNamed("strokePath").at(0);
    EXPECT_EQ(grid.state.clips.at(0).path.boundingBox(), Rect(10, 4.75, 200, 100.5));
    EXPECT_EQ(grid.state.lineDashLengths, (std::vector<double>{4, 2}));
    const auto zero = chart.g.callsNamed("drawPath").at(0);
    EXPECT_EQ(zero.args, std::vector<double>{double(PathDrawingMode::stroke)});
    EXPECT_EQ(zero.state.clips.at(0).path.boundingBox(), Rect(10, 4.5, 200, 101));
    EXPECT_EQ(zero.state.lineWidth, 1);
    EXPECT_TRUE(zero.state.lineDashLengths.empty());

    // The zero line also without grid lines; not without a colour nor on a disabled axis.
    chart.leftAxis->setDrawGridLinesEnabled(false);
    chart.g.clear();
    chart.left->renderGridLines(chart.g);
    EXPECT_EQ(strokedLines(chart.g), (std::vector<std::pair<Point, Point>>{{{10, 55}, {210, 55}}}));
    chart.leftAxis->setZeroLineColor(std::nullopt);
    chart.g.clear();
    chart.left->renderGridLines(chart.g);
    EXPECT_TRUE(chart.g.paintCalls().empty());
    chart.leftAxis->setZeroLineColor(QColor(Qt::blue));
    chart.leftAxis->setEnabled(false);
    chart.left->renderGridLines(chart.g);
    EXPECT_TRUE(chart.g.paintCalls().empty());

    // The axis line on the axis's side.
    chart.right->renderAxisLine(chart.g);
    chart.leftAxis->setEnabled(true);
    chart.left->renderAxisLine(chart.g);
    EXPECT_EQ(strokedLines(chart.g),
              (std::vector<std::pair<Point, Point>>{{{210, 5}, {210, 105}}, {{10, 5}, {10, 105}}}));
}

TEST(YAxisRendererDrawing, LimitLines) {
    struct Case {
        ChartLimitLine::LabelPosition position;
        Text label;
    };
    // At y 30 (value 0.5); 4 + x offset 5 from the content edge; the label's box 2 + 12.5 + 5
    // from the line; "max" 15 wide, 12.5 high.
    const Case cases[] = {
        {ChartLimitLine::LabelPosition::leftTop, {"max", 19, 10.5}},
        {ChartLimitLine::LabelPosition::leftBottom, {"max", 19, 37}},
        {ChartLimitLine::LabelPosition::rightTop, {"max", 186, 10.5}},
        {ChartLimitLine::LabelPosition::rightBottom, {"max", 186, 37}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.position));
        Chart chart;
        auto limit = ChartLimitLine::create(0.5, QStringLiteral("max"));
        limit->setValueFont(pointFont(10));
        limit->setLabelPosition(c.position);
        auto disabled = ChartLimitLine::create(0, QStringLiteral("off"));
        disabled->setEnabled(false);
        auto unlabelled = ChartLimitLine::create(-0.5, QStringLiteral("hidden"));
        unlabelled->setDrawLabelEnabled(false);
        chart.leftAxis->addLimitLine(limit);
        chart.leftAxis->addLimitLine(disabled);
        chart.leftAxis->addLimitLine(unlabelled);
        chart.left->renderLimitLines(chart.g);
        EXPECT_EQ(strokedLines(chart.g), (std::vector<std::pair<Point, Point>>{
                                             {{10, 30}, {210, 30}}, {{10, 80}, {210, 80}}}));
        EXPECT_EQ(texts(chart.g), std::vector<Text>{c.label});
        const auto stroke = chart.g.callsNamed("strokePath").at(0);
        EXPECT_EQ(stroke.state.clips.at(0).path.boundingBox(), Rect(10, 4, 200, 102));
        EXPECT_EQ(stroke.state.lineWidth, 2);
    }
}

TEST(AxisRendererDrawing, WithoutATransformerOnlyTheAxisLines) {
    Chart chart;
    auto x = XAxisRenderer::create(chart.handler, chart.xAxis, nullptr);
    auto y = YAxisRenderer::create(chart.handler, chart.leftAxis, nullptr);
    chart.xAxis->setLabelPosition(XAxis::LabelPosition::bottom);
    for (AxisBase* axis : {(AxisBase*)chart.xAxis.get(), (AxisBase*)chart.leftAxis.get()}) {
        axis->setEntries({0, 0.5, 1});
        axis->addLimitLine(ChartLimitLine::create(0.5, QStringLiteral("limit")));
    }
    chart.leftAxis->setDrawZeroLineEnabled(true);
    for (AxisRenderer* r : {(AxisRenderer*)x.get(), (AxisRenderer*)y.get()}) {
        r->renderAxisLabels(chart.g);
        r->renderGridLines(chart.g);
        r->renderLimitLines(chart.g);
    }
    EXPECT_TRUE(chart.g.paintCalls().empty());
    EXPECT_TRUE(y->transformedPositions().empty());
    x->renderAxisLine(chart.g);
    y->renderAxisLine(chart.g);
    EXPECT_EQ(strokedLines(chart.g), (std::vector<std::pair<Point, Point>>{{{10, 105}, {210, 105}},
                                                                           {{10, 5}, {10, 105}}}));
}

TEST(AxisRendererDrawing, EveryOperationLeavesTheStateBalanced) {
    Chart chart;
    for (AxisBase* axis : {(AxisBase*)chart.xAxis.get(), (AxisBase*)chart.leftAxis.get(),
                           (AxisBase*)chart.rightAxis.get()}) {
        axis->setEntries({0, 0.5, 1, 10});
        axis->setCenteredEntries({0.25, 0.75});
        axis->setCenterAxisLabelsEnabled(true);
        axis->setGridLineDashLengths(std::vector<double>{4, 2});
        axis->setAxisLineDashLengths(std::vector<double>{1, 1});
        axis->setGridAntialiasEnabled(false);
        axis->setGridLineCap(LineCap::round);
        axis->setAxisLineWidth(3);
        auto l = ChartLimitLine::create(0.5, QStringLiteral("limit"));
        l->setLabelPosition(ChartLimitLine::LabelPosition::leftTop);
        axis->addLimitLine(l);
        axis->addLimitLine(ChartLimitLine::create(0.7, QStringLiteral("other")));
    }
    chart.xAxis->setLabelPosition(XAxis::LabelPosition::both);
    chart.xAxis->setLabelRotationAngle(45);
    chart.xAxis->setAvoidFirstLastClippingEnabled(true);
    chart.xAxis->setWordWrapEnabled(true);
    chart.leftAxis->setDrawZeroLineEnabled(true);
    chart.leftAxis->setZeroLineDashLengths(std::vector<double>{2, 2});
    chart.rightAxis->setLabelPosition(YAxis::LabelPosition::insideChart);

    const std::pair<const char*, std::function<void(GraphicsContext&)>> operations[] = {
        {"x labels", [&](GraphicsContext& g) { chart.x->renderAxisLabels(g); }},
        {"x axis line", [&](GraphicsContext& g) { chart.x->renderAxisLine(g); }},
        {"x grid lines", [&](GraphicsContext& g) { chart.x->renderGridLines(g); }},
        {"x limit lines", [&](GraphicsContext& g) { chart.x->renderLimitLines(g); }},
        {"left labels", [&](GraphicsContext& g) { chart.left->renderAxisLabels(g); }},
        {"left axis line", [&](GraphicsContext& g) { chart.left->renderAxisLine(g); }},
        {"left grid and zero lines", [&](GraphicsContext& g) { chart.left->renderGridLines(g); }},
        {"left limit lines", [&](GraphicsContext& g) { chart.left->renderLimitLines(g); }},
        {"right labels", [&](GraphicsContext& g) { chart.right->renderAxisLabels(g); }},
        {"right limit lines", [&](GraphicsContext& g) { chart.right->renderLimitLines(g); }},
    };
    for (const auto& [name, operation] : operations) {
        SCOPED_TRACE(name);
        RecordingGraphicsContext g;
        g.setLineWidth(7);
        g.setStrokeColor(QColor(Qt::green));
        operation(g);
        EXPECT_FALSE(g.paintCalls().empty());
        EXPECT_EQ(g.savedStateCount(), 0);
        EXPECT_EQ(g.callsNamed("saveGState").size(), g.callsNamed("restoreGState").size());
        EXPECT_EQ(g.state().lineWidth, 7);
        EXPECT_EQ(g.state().strokeColor, QColor(Qt::green));
        EXPECT_TRUE(g.state().clips.empty());
        EXPECT_TRUE(g.state().lineDashLengths.empty());
        EXPECT_TRUE(g.state().shouldAntialias);
        EXPECT_TRUE(g.state().ctm.isIdentity());
        EXPECT_EQ(g.state().lineCap, LineCap::butt);
    }
}

namespace {

// Paints an operation on a white image, without antialiasing where the axis allows.
QImage paint(const std::function<void(GraphicsContext&)>& operation) {
    QImage image(230, 120, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    {
        QPainterGraphicsContext g(painter);
        g.setShouldAntialias(false);
        operation(g);
    }
    painter.end();
    return image;
}

bool inked(const QImage& image, int x, int y) {
    return image.pixelColor(x, y) != QColor(Qt::white);
}

} // namespace

TEST(AxisRendererPixels, ButtCapsPointDashesAndTheWidenedGridClip) {
    Chart chart;
    // The x axis line, 4 wide, ends with butt caps at the content's ends.
    chart.xAxis->setLabelPosition(XAxis::LabelPosition::bottom);
    chart.xAxis->setAxisLineWidth(4);
    chart.xAxis->setAxisLineColor(Qt::black);
    QImage image = paint([&](GraphicsContext& g) { chart.x->renderAxisLine(g); });
    EXPECT_TRUE(inked(image, 10, 104));
    EXPECT_TRUE(inked(image, 209, 104));
    EXPECT_FALSE(inked(image, 8, 104));
    EXPECT_FALSE(inked(image, 211, 104));

    // Grid dashes 4 on, 2 off in points, whatever the line width (2 here), starting at the
    // content's left; the top line (value 1, at y 5) shows at full width through the clip
    // widened by half the line width.
    chart.leftAxis->setEntries({1, 0});
    chart.leftAxis->setGridLineWidth(2);
    chart.leftAxis->setGridColor(Qt::black);
    chart.leftAxis->setGridAntialiasEnabled(false);
    chart.leftAxis->setGridLineDashLengths(std::vector<double>{4, 2});
    image = paint([&](GraphicsContext& g) { chart.left->renderGridLines(g); });
    for (int x = 10; x < 40; ++x)
        EXPECT_EQ(inked(image, x, 55), (x - 10) % 6 < 4) << "x " << x;
    EXPECT_TRUE(inked(image, 10, 4));
    EXPECT_TRUE(inked(image, 10, 5));
    EXPECT_FALSE(inked(image, 10, 3));
    EXPECT_FALSE(inked(image, 9, 55)); // not left of the content
}
