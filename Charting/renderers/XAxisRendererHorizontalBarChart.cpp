#include "Charting/renderers/XAxisRendererHorizontalBarChart.h"

#include "Charting/components/ChartLimitLine.h"
#include "Charting/utils/ChartUtils.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

#include <numbers>

namespace charting {

using platform::Point;
using platform::Rect;

std::shared_ptr<XAxisRendererHorizontalBarChart>
XAxisRendererHorizontalBarChart::create(std::shared_ptr<ViewPortHandler> viewPortHandler,
                                        std::shared_ptr<XAxis> axis,
                                        std::shared_ptr<Transformer> transformer,
                                        BarChartDataProvider* chart) {
    return std::shared_ptr<XAxisRendererHorizontalBarChart>(new XAxisRendererHorizontalBarChart(
        std::move(viewPortHandler), std::move(axis), std::move(transformer), chart));
}

void XAxisRendererHorizontalBarChart::computeAxis(double min, double max, bool inverted) {
    const ViewPortHandler& vph = *viewPortHandler_;
    const auto [from, to] = visibleRange(vph, transformer_.get(), vph.isFullyZoomedOutY(),
                                         Point{vph.contentLeft(), vph.contentBottom()},
                                         Point{vph.contentLeft(), vph.contentTop()}, true,
                                         inverted, min, max);
    computeAxisValues(from, to);
}

void XAxisRendererHorizontalBarChart::computeSize() {
    XAxisRenderer::computeSize();
    axis_->setLabelRotatedWidth(axis_->labelRotatedWidth() + axis_->xOffset());
}

void XAxisRendererHorizontalBarChart::renderAxisLabels(GraphicsContext& context) {
    if (!axis_->isEnabled() || !axis_->isDrawLabelsEnabled())
        return;
    const ViewPortHandler& vph = *viewPortHandler_;
    const double d = axis_->xOffset();
    const Point leftOfPoint{1.0, 0.5}, rightOfPoint{0.0, 0.5};
    switch (axis_->labelPosition()) {
    case XAxis::LabelPosition::top:
        drawLabels(context, vph.contentRight() + d, rightOfPoint);
        break;
    case XAxis::LabelPosition::topInside:
        drawLabels(context, vph.contentRight() - d, leftOfPoint);
        break;
    case XAxis::LabelPosition::bottom:
        drawLabels(context, vph.contentLeft() - d, leftOfPoint);
        break;
    case XAxis::LabelPosition::bottomInside:
        drawLabels(context, vph.contentLeft() + d, rightOfPoint);
        break;
    case XAxis::LabelPosition::both:
        drawLabels(context, vph.contentRight() + d, rightOfPoint);
        drawLabels(context, vph.contentLeft() - d, leftOfPoint);
        break;
    }
}

void XAxisRendererHorizontalBarChart::drawLabels(GraphicsContext& context, double pos,
                                                 Point anchor) {
    if (!transformer_)
        return;
    const ViewPortHandler& vph = *viewPortHandler_;
    TextAttributes attributes;
    attributes.font = axis_->labelFont();
    attributes.foregroundColor = axis_->labelTextColor();
    const double angle = axis_->labelRotationAngle() * std::numbers::pi / 180.0;
    const bool centring = axis_->isCenterAxisLabelsEnabled();
    const platform::AffineTransform m = transformer_->valueToPixelMatrix();
    // Copies: a formatter may change the axis while its labels are drawn.
    const std::vector<double> entries = axis_->entries();
    const std::vector<double> centred = axis_->centeredEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const double value = centring && i < centred.size() ? centred[i] : entries[i];
        const double y = m.apply(Point{0, value}).y;
        if (!vph.isInBoundsY(y))
            continue;
        drawLabel(context, axis_->getFormattedLabel(int(i)), pos, y, attributes,
                  platform::Size{}, anchor, angle);
    }
}

void XAxisRendererHorizontalBarChart::renderAxisLine(GraphicsContext& context) {
    if (!axis_->isEnabled() || !axis_->isDrawAxisLineEnabled())
        return;
    const ViewPortHandler& vph = *viewPortHandler_;
    context.saveGState();
    setAxisLineStroke(context, *axis_);
    const XAxis::LabelPosition position = axis_->labelPosition();
    const auto strokeDown = [&](double x) {
        context.strokeLineSegments({Point{x, vph.contentTop()}, Point{x, vph.contentBottom()}});
    };
    if (position == XAxis::LabelPosition::top || position == XAxis::LabelPosition::topInside ||
        position == XAxis::LabelPosition::both)
        strokeDown(vph.contentRight());
    if (position == XAxis::LabelPosition::bottom ||
        position == XAxis::LabelPosition::bottomInside || position == XAxis::LabelPosition::both)
        strokeDown(vph.contentLeft());
    context.restoreGState();
}

Rect XAxisRendererHorizontalBarChart::gridClippingRect() const {
    const Rect content = viewPortHandler_->contentRect();
    const double w = axis_->gridLineWidth();
    return Rect(content.origin.x, content.origin.y - w / 2, content.size.width,
                content.size.height + w);
}

void XAxisRendererHorizontalBarChart::drawGridLine(GraphicsContext& context, double x, double y) {
    (void)x;
    const ViewPortHandler& vph = *viewPortHandler_;
    context.beginPath();
    context.moveTo(Point{vph.contentLeft(), y});
    context.addLineTo(Point{vph.contentRight(), y});
    context.strokePath();
}

void XAxisRendererHorizontalBarChart::renderLimitLines(GraphicsContext& context) {
    if (!transformer_)
        return;
    const std::vector<std::shared_ptr<ChartLimitLine>> lines = axis_->limitLines();
    const platform::AffineTransform m = transformer_->valueToPixelMatrix();
    const ViewPortHandler& vph = *viewPortHandler_;
    for (const auto& line : lines) {
        if (!line || !line->isEnabled())
            continue;
        context.saveGState();
        const Rect content = vph.contentRect();
        const double w = line->lineWidth();
        context.clipToRect(Rect(content.origin.x, content.origin.y - w / 2, content.size.width,
                                content.size.height + w));
        const double y = m.apply(Point{0, line->limit()}).y;
        setLimitLineStroke(context, *line);
        context.strokeLineSegments({Point{vph.contentLeft(), y}, Point{vph.contentRight(), y}});
        context.restoreGState();
    }
}

} // namespace charting
