#include "Charting/renderers/XAxisRenderer.h"

#include "Charting/components/ChartLimitLine.h"
#include "Charting/utils/ChartUtils.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/TextMeasurer.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

#include <cmath>
#include <numbers>

namespace charting {

using platform::Point;
using platform::Rect;
using platform::Size;

std::shared_ptr<XAxisRenderer>
XAxisRenderer::create(std::shared_ptr<ViewPortHandler> viewPortHandler, std::shared_ptr<XAxis> axis,
                      std::shared_ptr<Transformer> transformer) {
    return std::shared_ptr<XAxisRenderer>(
        new XAxisRenderer(std::move(viewPortHandler), std::move(axis), std::move(transformer)));
}

void XAxisRenderer::computeAxis(double min, double max, bool inverted) {
    const ViewPortHandler& vph = *viewPortHandler_;
    const auto [from, to] = visibleRange(vph, transformer_.get(), vph.isFullyZoomedOutX(),
                                         Point{vph.contentLeft(), vph.contentTop()},
                                         Point{vph.contentRight(), vph.contentTop()}, false,
                                         inverted, min, max);
    computeAxisValues(from, to);
}

void XAxisRenderer::computeAxisValues(double min, double max) {
    if (computeAxisEntries(*axis_, min, max))
        computeSize();
}

void XAxisRenderer::computeSize() {
    TextAttributes attributes;
    attributes.font = axis_->labelFont();
    const Size size = textMeasurer().size(axis_->getLongestLabel(), attributes);
    const double w = size.width, h = size.height;
    const double a = axis_->labelRotationAngle() * std::numbers::pi / 180.0;
    axis_->setLabelWidth(w);
    axis_->setLabelHeight(h);
    axis_->setLabelRotatedWidth(std::abs(w * std::cos(a)) + std::abs(h * std::sin(a)));
    axis_->setLabelRotatedHeight(std::abs(w * std::sin(a)) + std::abs(h * std::cos(a)));
}

void XAxisRenderer::renderAxisLabels(GraphicsContext& context) {
    if (!axis_->isEnabled() || !axis_->isDrawLabelsEnabled())
        return;
    const ViewPortHandler& vph = *viewPortHandler_;
    const double d = axis_->yOffset();
    const Point above{0.5, 1.0}, below{0.5, 0.0};
    switch (axis_->labelPosition()) {
    case XAxis::LabelPosition::top:
        drawLabels(context, vph.contentTop() - d, above);
        break;
    case XAxis::LabelPosition::bottom:
        drawLabels(context, vph.contentBottom() + d, below);
        break;
    case XAxis::LabelPosition::both:
        drawLabels(context, vph.contentTop() - d, above);
        drawLabels(context, vph.contentBottom() + d, below);
        break;
    case XAxis::LabelPosition::topInside:
        drawLabels(context, vph.contentTop() + d + axis_->labelRotatedHeight(), above);
        break;
    case XAxis::LabelPosition::bottomInside:
        drawLabels(context, vph.contentBottom() - d - axis_->labelRotatedHeight(), below);
        break;
    }
}

void XAxisRenderer::drawLabels(GraphicsContext& context, double pos, Point anchor) {
    if (!transformer_)
        return;
    const ViewPortHandler& vph = *viewPortHandler_;
    TextAttributes attributes;
    attributes.font = axis_->labelFont();
    attributes.foregroundColor = axis_->labelTextColor();
    attributes.paragraphStyle.alignment = TextAlignment::center;

    const double angle = axis_->labelRotationAngle() * std::numbers::pi / 180.0;
    const bool centring = axis_->isCenterAxisLabelsEnabled();
    const platform::AffineTransform m = transformer_->valueToPixelMatrix();
    const Size constrained{axis_->isWordWrapEnabled() ? axis_->wordWrapWidthPercent() * m.a : 0.0,
                           0.0};

    // Copies: a formatter may change the axis while its labels are drawn.
    const std::vector<double> entries = axis_->entries();
    const std::vector<double> centred = axis_->centeredEntries();
    const std::size_t count = entries.size();
    for (std::size_t i = 0; i < count; ++i) {
        // Centred values that were not recomputed with the entries are not read past their end.
        const double value = centring && i < centred.size() ? centred[i] : entries[i];
        double x = m.apply(Point{value, 0}).x;
        if (!vph.isInBoundsX(x))
            continue;
        const QString text = axis_->getFormattedLabel(int(i));
        if (axis_->isAvoidFirstLastClippingEnabled()) {
            const double w = textMeasurer().boundingRect(text, constrained, attributes).width();
            if (i == count - 1 && count > 1) {
                if (w > vph.offsetRight() * 2 && x + w > vph.chartWidth())
                    x -= w / 2;
            } else if (i == 0) {
                x += w / 2;
            }
        }
        drawLabel(context, text, x, pos, attributes, constrained, anchor, angle);
    }
}

void XAxisRenderer::drawLabel(GraphicsContext& context, const QString& formattedLabel, double x,
                              double y, const TextAttributes& attributes, Size constrainedTo,
                              Point anchor, double angleRadians) {
    const Rect box = textMeasurer().boundingRect(formattedLabel, constrainedTo, attributes);
    drawMultilineText(context, formattedLabel, Point{x, y}, attributes, box.size, anchor,
                      angleRadians);
}

void XAxisRenderer::renderAxisLine(GraphicsContext& context) {
    if (!axis_->isEnabled() || !axis_->isDrawAxisLineEnabled())
        return;
    const ViewPortHandler& vph = *viewPortHandler_;
    context.saveGState();
    setAxisLineStroke(context, *axis_);

    const XAxis::LabelPosition position = axis_->labelPosition();
    auto strokeAlong = [&](double y) {
        axisLineSegmentsBuffer_[0] = Point{vph.contentLeft(), y};
        axisLineSegmentsBuffer_[1] = Point{vph.contentRight(), y};
        context.strokeLineSegments({axisLineSegmentsBuffer_[0], axisLineSegmentsBuffer_[1]});
    };
    if (position == XAxis::LabelPosition::top || position == XAxis::LabelPosition::topInside ||
        position == XAxis::LabelPosition::both)
        strokeAlong(vph.contentTop());
    if (position == XAxis::LabelPosition::bottom ||
        position == XAxis::LabelPosition::bottomInside || position == XAxis::LabelPosition::both)
        strokeAlong(vph.contentBottom());
    context.restoreGState();
}

void XAxisRenderer::renderGridLines(GraphicsContext& context) {
    if (!transformer_ || !axis_->isEnabled() || !axis_->isDrawGridLinesEnabled())
        return;
    context.saveGState();
    setGridStroke(context, *axis_, gridClippingRect());

    const platform::AffineTransform m = transformer_->valueToPixelMatrix();
    const std::vector<double> entries = axis_->entries();
    for (double v : entries) {
        const Point p = m.apply(Point{v, v});
        drawGridLine(context, p.x, p.y);
    }
    context.restoreGState();
}

Rect XAxisRenderer::gridClippingRect() const {
    const Rect content = viewPortHandler_->contentRect();
    const double w = axis_->gridLineWidth();
    return Rect(content.origin.x - w / 2, content.origin.y, content.size.width + w,
                content.size.height);
}

void XAxisRenderer::drawGridLine(GraphicsContext& context, double x, double y) {
    (void)y;
    const ViewPortHandler& vph = *viewPortHandler_;
    if (!(x >= vph.offsetLeft() && x <= vph.chartWidth()))
        return;
    context.beginPath();
    context.moveTo(Point{x, vph.contentTop()});
    context.addLineTo(Point{x, vph.contentBottom()});
    context.strokePath();
}

void XAxisRenderer::renderLimitLines(GraphicsContext& context) {
    if (!transformer_)
        return;
    const std::vector<std::shared_ptr<ChartLimitLine>> lines = axis_->limitLines();
    if (lines.empty())
        return;
    const platform::AffineTransform m = transformer_->valueToPixelMatrix();
    const Rect content = viewPortHandler_->contentRect();
    for (const auto& line : lines) {
        if (!line || !line->isEnabled())
            continue;
        context.saveGState();
        const double w = line->lineWidth();
        context.clipToRect(Rect(content.origin.x - w / 2, content.origin.y, content.size.width + w,
                                content.size.height));
        const Point position = m.apply(Point{line->limit(), 0});
        renderLimitLineLine(context, *line, position);
        renderLimitLineLabel(context, *line, position, 2.0 + line->yOffset());
        context.restoreGState();
    }
}

void XAxisRenderer::renderLimitLineLine(GraphicsContext& context, const ChartLimitLine& limitLine,
                                        Point position) {
    const ViewPortHandler& vph = *viewPortHandler_;
    context.beginPath();
    context.moveTo(Point{position.x, vph.contentTop()});
    context.addLineTo(Point{position.x, vph.contentBottom()});
    setLimitLineStroke(context, limitLine);
    context.strokePath();
}

void XAxisRenderer::renderLimitLineLabel(GraphicsContext& context, const ChartLimitLine& limitLine,
                                         Point position, double yOffset) {
    const QString label = limitLine.label();
    if (!limitLine.drawLabelEnabled() || label.isEmpty())
        return;
    const ViewPortHandler& vph = *viewPortHandler_;
    const double h = textMeasurer().boundingRectForFont(limitLine.valueFont()).height();
    const double xo = limitLine.lineWidth() + limitLine.xOffset();

    Point point;
    TextAlignment align = TextAlignment::left;
    switch (limitLine.labelPosition()) {
    case ChartLimitLine::LabelPosition::leftTop:
        point = Point{position.x - xo, vph.contentTop() + yOffset};
        align = TextAlignment::right;
        break;
    case ChartLimitLine::LabelPosition::leftBottom:
        point = Point{position.x - xo, vph.contentBottom() - h - yOffset};
        align = TextAlignment::right;
        break;
    case ChartLimitLine::LabelPosition::rightTop:
        point = Point{position.x + xo, vph.contentTop() + yOffset};
        break;
    case ChartLimitLine::LabelPosition::rightBottom:
        point = Point{position.x + xo, vph.contentBottom() - h - yOffset};
        break;
    default:
        return;
    }
    TextAttributes attributes;
    attributes.font = limitLine.valueFont();
    attributes.foregroundColor = limitLine.valueTextColor();
    drawTextAligned(context, label, point, align, attributes, Point{0, 0}, 0.0);
}

} // namespace charting
