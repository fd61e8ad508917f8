#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/renderers/XAxisRendererHorizontalBarChart.h"
#include "Charting/renderers/YAxisRendererHorizontalBarChart.h"
#include "Charting/utils/TransformerHorizontalBarChart.h"
#include "Charting/utils/ViewPortHandler.h"
#include "support/FakeTextMeasurer.h"
#include "support/RecordingGraphicsContext.h"

#include <gtest/gtest.h>

using namespace charting;
using platform::Point;
using platform::Rect;

namespace {

// Content 20...180 x 10...90 of a 200 x 100 view, showing y values 0...10 across (16 pixels
// each) and x values 0...4 upwards (20 pixels each).
struct Axes {
    Axes() {
        handler->restrainViewPort(20, 10, 20, 10);
        transformer->prepareMatrixValuePx(0, 10, 4, 0);
        transformer->prepareMatrixOffset(false);
        xAxis->setEntries({1, 3});
        yAxis->setEntries({0, 5, 10});
        xAxis->setDrawGridLinesEnabled(true);
        yAxis->setDrawGridLinesEnabled(true);
    }
    FakeTextMeasurer measurer;
    ScopedTextMeasurer scoped{measurer};
    std::shared_ptr<ViewPortHandler> handler = ViewPortHandler::create(200, 100);
    std::shared_ptr<Transformer> transformer = TransformerHorizontalBarChart::create(handler);
    std::shared_ptr<XAxis> xAxis = XAxis::create();
    std::shared_ptr<YAxis> yAxis = YAxis::create(AxisDependency::left);
    std::shared_ptr<XAxisRendererHorizontalBarChart> xRenderer =
        XAxisRendererHorizontalBarChart::create(handler, xAxis, transformer, nullptr);
    std::shared_ptr<YAxisRendererHorizontalBarChart> yRenderer =
        YAxisRendererHorizontalBarChart::create(handler, yAxis, transformer);
    RecordingGraphicsContext context;
};

std::vector<Rect> boxes(const RecordingGraphicsContext& context, const char* op) {
    std::vector<Rect> result;
    for (const auto& call : context.callsNamed(op))
        result.push_back(op == std::string("drawTextInRect")
                             ? Rect(call.args[0], call.args[1], call.args[2], call.args[3])
                             : call.path.boundingBox());
    return result;
}

} // namespace

TEST(XAxisRendererHorizontalBarChart, LabelsBesideTheContentAtTheirValuesHeight) {
    struct Case {
        XAxis::LabelPosition position;
        std::vector<double> rightEdges; // of the label boxes, per column
        std::vector<double> leftEdges;
    };
    // Value 1 at pixel y 70, value 3 at 30; labels 5 from the edges 20 and 180.
    const std::vector<Case> cases = {
        {XAxis::LabelPosition::bottom, {15}, {}},
        {XAxis::LabelPosition::top, {}, {185}},
        {XAxis::LabelPosition::both, {15}, {185}},
        {XAxis::LabelPosition::bottomInside, {}, {25}},
        {XAxis::LabelPosition::topInside, {175}, {}},
    };
    for (const auto& c : cases) {
        Axes a;
        a.xAxis->setLabelPosition(c.position);
        a.xRenderer->renderAxisLabels(a.context);
        const auto labels = boxes(a.context, "drawTextInRect");
        ASSERT_EQ(labels.size(), 2 * (c.rightEdges.size() + c.leftEdges.size())) << int(c.position);
        for (const Rect& box : labels) {
            EXPECT_TRUE(box.midY() == 70 || box.midY() == 30) << box.midY();
            const bool right = std::find(c.rightEdges.begin(), c.rightEdges.end(), box.maxX()) !=
                               c.rightEdges.end();
            const bool left = std::find(c.leftEdges.begin(), c.leftEdges.end(), box.minX()) !=
                              c.leftEdges.end();
            EXPECT_TRUE(right || left) << int(c.position) << " " << box.minX();
        }
    }
}

TEST(XAxisRendererHorizontalBarChart, RoomForLabelsLinesAndRange) {
    Axes a;
    QFont font;
    font.setPointSizeF(8);
    a.xAxis->setLabelFont(font);
    a.xRenderer->computeAxis(0, 4, false);
    // The longest label ("4") is 4 wide: with its gap of 5 from the content.
    EXPECT_EQ(a.xAxis->labelRotatedWidth(), a.xAxis->labelWidth() + 5);
    // Zoomed in twice vertically: labels only for the values between the bottom and top edges.
    a.handler->refresh(a.handler->zoom(1, 2, 100, 50), nullptr, false);
    a.xRenderer->computeAxis(0, 4, false);
    const double bottom = a.transformer->valueForTouchPoint(20, 90).y;
    const double top = a.transformer->valueForTouchPoint(20, 10).y;
    EXPECT_NEAR(top - bottom, 2, 1e-9);
    ASSERT_FALSE(a.xAxis->entries().empty());
    EXPECT_GE(a.xAxis->entries().front(), bottom);
    EXPECT_LE(a.xAxis->entries().back(), top);

    Axes b;
    b.xAxis->setLabelPosition(XAxis::LabelPosition::both);
    b.xRenderer->renderAxisLine(b.context);
    b.xRenderer->renderGridLines(b.context);
    EXPECT_EQ(boxes(b.context, "strokeLineSegments"),
              (std::vector<Rect>{Rect(180, 10, 0, 80), Rect(20, 10, 0, 80)}));
    EXPECT_EQ(boxes(b.context, "strokePath"),
              (std::vector<Rect>{Rect(20, 70, 160, 0), Rect(20, 30, 160, 0)}));
}

TEST(YAxisRendererHorizontalBarChart, LabelsAlongTheTopOrBottomEdgeAndVerticalLines) {
    for (const auto side : {AxisDependency::left, AxisDependency::right}) {
        Axes a;
        a.yAxis = YAxis::create(side);
        a.yAxis->setEntries({0, 5, 10});
        a.yAxis->setDrawZeroLineEnabled(true);
        a.yAxis->setZeroLineColor(QColor(Qt::red));
        a.yRenderer = YAxisRendererHorizontalBarChart::create(a.handler, a.yAxis, a.transformer);
        a.yRenderer->renderAxisLabels(a.context);
        const auto texts = a.context.callsNamed("drawText");
        ASSERT_EQ(texts.size(), 3u);
        const double lh = a.measurer.boundingRectForFont(a.yAxis->labelFont()).height();
        const double d = a.yAxis->yOffset();
        const double expectedTop = side == AxisDependency::left ? 10 - d - lh : 90 + d;
        const double xs[] = {20, 100, 180};
        for (std::size_t i = 0; i < 3; ++i) {
            const double w = a.measurer.size(texts[i].text, *texts[i].attributes).width;
            EXPECT_DOUBLE_EQ(texts[i].args[0] + w / 2, xs[i]) << i;
            EXPECT_DOUBLE_EQ(texts[i].args[1], expectedTop) << i;
        }
        a.context.clear();
        a.yRenderer->renderAxisLine(a.context);
        a.yRenderer->renderGridLines(a.context);
        const double edge = side == AxisDependency::left ? 10 : 90;
        EXPECT_EQ(boxes(a.context, "strokeLineSegments"),
                  (std::vector<Rect>{Rect(20, edge, 160, 0), Rect(20, 10, 0, 80)}));
        EXPECT_EQ(boxes(a.context, "strokePath"),
                  (std::vector<Rect>{Rect(20, 10, 0, 80), Rect(100, 10, 0, 80),
                                     Rect(180, 10, 0, 80)}));
    }
}
