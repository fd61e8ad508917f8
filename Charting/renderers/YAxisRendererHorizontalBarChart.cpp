#include "Charting/renderers/YAxisRendererHorizontalBarChart.h"

#include "Charting/components/ChartLimitLine.h"
#include "Charting/utils/ChartUtils.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/TextMeasurer.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

#include <algorithm>

namespace charting {

using platform::Point;
using platform::Rect;

std::shared_ptr<YAxisRendererHorizontalBarChart>
YAxisRendererHorizontalBarChart::create(std::shared_ptr<ViewPortHandler> viewPortHandler,
                                        std::shared_ptr<YAxis> axis,
                                        std::shared_ptr<Transformer> transformer) {
    return std::shared_ptr<YAxisRendererHorizontalBarChart>(new YAxisRendererHorizontalBarChart(
        std::move(viewPortHandler), std::move(axis), std::move(transformer)));
}

void YAxisRendererHorizontalBarChart::computeAxis(double min, double max, bool inverted) {
    const ViewPortHandler& vph = *viewPortHandler_;
    const auto [from, to] = visibleRange(vph, transformer_.get(), vph.isFullyZoomedOutX(),
                                         Point{vph.contentLeft(), vph.contentTop()},
                                         Point{vph.contentRight(), vph.contentTop()}, false,
                                         inverted, min, max);
    computeAxisValues(from, to);
}

void YAxisRendererHorizontalBarChart::renderAxisLabels(GraphicsContext& context) {
    if (!axis_->isEnabled() || !axis_->isDrawLabelsEnabled())
        return;
    const ViewPortHandler& vph = *viewPortHandler_;
    const double lh = textMeasurer().boundingRectForFont(axis_->labelFont()).height();
    const double d = axis_->yOffset();
    const bool top = axis_->axisDependency() == YAxis::AxisDependency::left;
    const bool outside = axis_->labelPosition() == YAxis::LabelPosition::outsideChart;
    double y;
    if (top)
        y = outside ? vph.contentTop() - d - lh : vph.contentTop() + d;
    else
        y = outside ? vph.contentBottom() + d : vph.contentBottom() - d - lh;
    drawYLabels(context, y, transformedPositions(), 0, TextAlignment::center);
}

void YAxisRendererHorizontalBarChart::drawYLabels(GraphicsContext& context, double fixedPosition,
                                                  const std::vector<Point>& positions,
                                                  double offset, TextAlignment textAlign) {
    (void)textAlign;
    const int from = axis_->isDrawBottomYLabelEntryEnabled() ? 0 : 1;
    int to = axis_->isDrawTopYLabelEntryEnabled() ? axis_->entryCount() : axis_->entryCount() - 1;
    to = std::min(to, int(positions.size()));
    TextAttributes attributes;
    attributes.font = axis_->labelFont();
    attributes.foregroundColor = axis_->labelTextColor();
    for (int i = from; i < to; ++i) {
        const Point point{positions[std::size_t(i)].x + axis_->labelXOffset(),
                          fixedPosition + offset};
        drawTextAligned(context, axis_->getFormattedLabel(i), point, TextAlignment::center,
                        attributes, Point{0, 0}, 0.0);
    }
}

void YAxisRendererHorizontalBarChart::renderAxisLine(GraphicsContext& context) {
    if (!axis_->isEnabled() || !axis_->drawAxisLineEnabled())
        return;
    const ViewPortHandler& vph = *viewPortHandler_;
    const double y = axis_->axisDependency() == YAxis::AxisDependency::left ? vph.contentTop()
                                                                            : vph.contentBottom();
    context.saveGState();
    setAxisLineStroke(context, *axis_);
    context.strokeLineSegments({Point{vph.contentLeft(), y}, Point{vph.contentRight(), y}});
    context.restoreGState();
}

Rect YAxisRendererHorizontalBarChart::gridClippingRect() const {
    const Rect content = viewPortHandler_->contentRect();
    const double w = axis_->gridLineWidth();
    return Rect(content.origin.x - w / 2, content.origin.y, content.size.width + w,
                content.size.height);
}

void YAxisRendererHorizontalBarChart::drawGridLine(GraphicsContext& context, Point position) {
    const ViewPortHandler& vph = *viewPortHandler_;
    context.beginPath();
    context.moveTo(Point{position.x, vph.contentTop()});
    context.addLineTo(Point{position.x, vph.contentBottom()});
    context.strokePath();
}

std::vector<Point> YAxisRendererHorizontalBarChart::transformedPositions() const {
    if (!transformer_)
        return {};
    std::vector<Point> positions;
    positions.reserve(axis_->entries().size());
    for (double v : axis_->entries())
        positions.push_back(Point{v, 0});
    transformer_->valuePointsToPixels(positions);
    return positions;
}

void YAxisRendererHorizontalBarChart::strokeVerticalLine(GraphicsContext& context, double x,
                                                         double lineWidth) {
    const Rect content = viewPortHandler_->contentRect();
    context.clipToRect(Rect(content.origin.x - lineWidth / 2, content.origin.y,
                            content.size.width + lineWidth, content.size.height));
    context.strokeLineSegments({Point{x, content.minY()}, Point{x, content.maxY()}});
}

void YAxisRendererHorizontalBarChart::drawZeroLine(GraphicsContext& context) {
    const std::optional<QColor> color = axis_->zeroLineColor();
    if (!transformer_ || !color)
        return;
    context.saveGState();
    context.setStrokeColor(*color);
    context.setLineWidth(axis_->zeroLineWidth());
    setLineDash(context, axis_->zeroLineDashPhase(), axis_->zeroLineDashLengths());
    strokeVerticalLine(context, transformer_->pixelForValues(0, 0).x, axis_->zeroLineWidth());
    context.restoreGState();
}

void YAxisRendererHorizontalBarChart::renderLimitLines(GraphicsContext& context) {
    if (!transformer_)
        return;
    const std::vector<std::shared_ptr<ChartLimitLine>> lines = axis_->limitLines();
    const platform::AffineTransform m = transformer_->valueToPixelMatrix();
    for (const auto& line : lines) {
        if (!line || !line->isEnabled())
            continue;
        context.saveGState();
        setLimitLineStroke(context, *line);
        strokeVerticalLine(context, m.apply(Point{line->limit(), 0}).x, line->lineWidth());
        context.restoreGState();
    }
}

} // namespace charting
