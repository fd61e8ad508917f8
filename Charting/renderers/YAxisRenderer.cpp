#include "Charting/renderers/YAxisRenderer.h"

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

std::shared_ptr<YAxisRenderer>
YAxisRenderer::create(std::shared_ptr<ViewPortHandler> viewPortHandler, std::shared_ptr<YAxis> axis,
                      std::shared_ptr<Transformer> transformer) {
    return std::shared_ptr<YAxisRenderer>(
        new YAxisRenderer(std::move(viewPortHandler), std::move(axis), std::move(transformer)));
}

void YAxisRenderer::computeAxis(double min, double max, bool inverted) {
    const ViewPortHandler& vph = *viewPortHandler_;
    const auto [from, to] = visibleRange(vph, transformer_.get(), vph.isFullyZoomedOutY(),
                                         Point{vph.contentLeft(), vph.contentBottom()},
                                         Point{vph.contentLeft(), vph.contentTop()}, true,
                                         inverted, min, max);
    computeAxisValues(from, to);
}

void YAxisRenderer::computeAxisValues(double min, double max) {
    computeAxisEntries(*axis_, min, max);
}

void YAxisRenderer::renderAxisLabels(GraphicsContext& context) {
    if (!axis_->isEnabled() || !axis_->isDrawLabelsEnabled())
        return;
    const ViewPortHandler& vph = *viewPortHandler_;
    const double xo = axis_->xOffset();
    const double lh = textMeasurer().boundingRectForFont(axis_->labelFont()).height();
    const double yo = lh / 2.5 + axis_->yOffset();

    const bool left = axis_->axisDependency() == YAxis::AxisDependency::left;
    const bool outside = axis_->labelPosition() == YAxis::LabelPosition::outsideChart;
    double x;
    TextAlignment align;
    if (left) {
        x = outside ? vph.offsetLeft() - xo : vph.offsetLeft() + xo;
        align = outside ? TextAlignment::right : TextAlignment::left;
    } else {
        x = outside ? vph.contentRight() + xo : vph.contentRight() - xo;
        align = outside ? TextAlignment::left : TextAlignment::right;
    }
    drawYLabels(context, x, transformedPositions(), yo - lh, align);
}

void YAxisRenderer::drawYLabels(GraphicsContext& context, double fixedPosition,
                                const std::vector<Point>& positions, double offset,
                                TextAlignment textAlign) {
    const int from = axis_->isDrawBottomYLabelEntryEnabled() ? 0 : 1;
    int to = axis_->isDrawTopYLabelEntryEnabled() ? axis_->entryCount() : axis_->entryCount() - 1;
    to = std::min(to, int(positions.size()));
    if (to <= from)
        return;
    const double x0 = fixedPosition + axis_->labelXOffset();
    TextAttributes attributes;
    attributes.font = axis_->labelFont();
    attributes.foregroundColor = axis_->labelTextColor();
    for (int i = from; i < to; ++i) {
        const QString text = axis_->getFormattedLabel(i);
        const Point point{x0, positions[std::size_t(i)].y + offset};
        drawTextAligned(context, text, point, textAlign, attributes, Point{0, 0}, 0.0);
    }
}

void YAxisRenderer::renderAxisLine(GraphicsContext& context) {
    if (!axis_->isEnabled() || !axis_->drawAxisLineEnabled())
        return;
    const ViewPortHandler& vph = *viewPortHandler_;
    context.saveGState();
    setAxisLineStroke(context, *axis_);
    const double x = axis_->axisDependency() == YAxis::AxisDependency::left ? vph.contentLeft()
                                                                            : vph.contentRight();
    context.beginPath();
    context.moveTo(Point{x, vph.contentTop()});
    context.addLineTo(Point{x, vph.contentBottom()});
    context.strokePath();
    context.restoreGState();
}

void YAxisRenderer::renderGridLines(GraphicsContext& context) {
    if (!axis_->isEnabled())
        return;
    if (axis_->drawGridLinesEnabled()) {
        const std::vector<Point> positions = transformedPositions();
        context.saveGState();
        setGridStroke(context, *axis_, gridClippingRect());
        for (const Point& p : positions)
            drawGridLine(context, p);
        context.restoreGState();
    }
    if (axis_->drawZeroLineEnabled())
        drawZeroLine(context);
}

Rect YAxisRenderer::gridClippingRect() const {
    const Rect content = viewPortHandler_->contentRect();
    const double w = axis_->gridLineWidth();
    return Rect(content.origin.x, content.origin.y - w / 2, content.size.width,
                content.size.height + w);
}

void YAxisRenderer::drawGridLine(GraphicsContext& context, Point position) {
    const ViewPortHandler& vph = *viewPortHandler_;
    context.beginPath();
    context.moveTo(Point{vph.contentLeft(), position.y});
    context.addLineTo(Point{vph.contentRight(), position.y});
    context.strokePath();
}

std::vector<Point> YAxisRenderer::transformedPositions() const {
    if (!transformer_)
        return {};
    std::vector<Point> positions;
    positions.reserve(axis_->entries().size());
    for (double v : axis_->entries())
        positions.push_back(Point{0, v});
    transformer_->valuePointsToPixels(positions);
    return positions;
}

void YAxisRenderer::drawZeroLine(GraphicsContext& context) {
    const std::optional<QColor> color = axis_->zeroLineColor();
    if (!transformer_ || !color)
        return;
    const ViewPortHandler& vph = *viewPortHandler_;
    const Rect content = vph.contentRect();
    const double w = axis_->zeroLineWidth();
    context.saveGState();
    context.clipToRect(Rect(content.origin.x, content.origin.y - w / 2, content.size.width,
                            content.size.height + w));
    context.setStrokeColor(*color);
    context.setLineWidth(w);
    const Point p = transformer_->pixelForValues(0, 0);
    setLineDash(context, axis_->zeroLineDashPhase(), axis_->zeroLineDashLengths());
    context.beginPath();
    context.moveTo(Point{vph.contentLeft(), p.y});
    context.addLineTo(Point{vph.contentRight(), p.y});
    context.drawPath(PathDrawingMode::stroke);
    context.restoreGState();
}

void YAxisRenderer::renderLimitLines(GraphicsContext& context) {
    if (!transformer_)
        return;
    const std::vector<std::shared_ptr<ChartLimitLine>> lines = axis_->limitLines();
    if (lines.empty())
        return;
    const ViewPortHandler& vph = *viewPortHandler_;
    const Rect content = vph.contentRect();
    context.saveGState();
    const platform::AffineTransform m = transformer_->valueToPixelMatrix();
    for (const auto& line : lines) {
        if (!line || !line->isEnabled())
            continue;
        context.saveGState();
        const double w = line->lineWidth();
        context.clipToRect(Rect(content.origin.x, content.origin.y - w / 2, content.size.width,
                                content.size.height + w));
        const double y = m.apply(Point{0, line->limit()}).y;
        context.beginPath();
        context.moveTo(Point{vph.contentLeft(), y});
        context.addLineTo(Point{vph.contentRight(), y});
        setLimitLineStroke(context, *line);
        context.strokePath();

        const QString label = line->label();
        if (line->drawLabelEnabled() && !label.isEmpty()) {
            const double h = textMeasurer().boundingRectForFont(line->valueFont()).height();
            const double xo = 4.0 + line->xOffset();
            const double yo = w + h + line->yOffset();
            std::optional<Point> point;
            TextAlignment align = TextAlignment::left;
            switch (line->labelPosition()) {
            case ChartLimitLine::LabelPosition::leftTop:
                point = Point{vph.contentLeft() + xo, y - yo};
                break;
            case ChartLimitLine::LabelPosition::leftBottom:
                point = Point{vph.contentLeft() + xo, y + yo - h};
                break;
            case ChartLimitLine::LabelPosition::rightTop:
                point = Point{vph.contentRight() - xo, y - yo};
                align = TextAlignment::right;
                break;
            case ChartLimitLine::LabelPosition::rightBottom:
                point = Point{vph.contentRight() - xo, y + yo - h};
                align = TextAlignment::right;
                break;
            }
            if (point) {
                TextAttributes attributes;
                attributes.font = line->valueFont();
                attributes.foregroundColor = line->valueTextColor();
                drawTextAligned(context, label, *point, align, attributes, Point{0, 0}, 0.0);
            }
        }
        context.restoreGState();
    }
    context.restoreGState();
}

} // namespace charting
