#include "Charting/utils/Fill.h"

#include "Charting/utils/GraphicsContext.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace charting {

using platform::Point;
using platform::Rect;

void EmptyFill::fillPath(GraphicsContext&, const Rect&) {}

void ColorFill::fillPath(GraphicsContext& context, const Rect&) {
    context.saveGState();
    context.setFillColor(color_);
    context.fillPath(FillRule::winding);
    context.restoreGState();
}

void ImageFill::fillPath(GraphicsContext& context, const Rect& rect) {
    context.saveGState();
    context.clip(FillRule::winding);
    if (isTiled_)
        context.drawTiledImage(image_, rect);
    else
        context.drawImage(image_, rect);
    context.restoreGState();
}

void LayerFill::fillPath(GraphicsContext& context, const Rect& rect) {
    context.saveGState();
    context.clip(FillRule::winding);
    context.drawImage(layer_, rect);
    context.restoreGState();
}

void LinearGradientFill::fillPath(GraphicsContext& context, const Rect& rect) {
    context.saveGState();
    const Point c{rect.midX(), rect.midY()};
    const double a = (360.0 - angle_) * std::numbers::pi / 180.0;
    const double dx = std::cos(a) * rect.size.width / 2;
    const double dy = std::sin(a) * rect.size.height / 2;
    context.clip(FillRule::winding);
    context.drawLinearGradient(gradient_, Point{c.x - dx, c.y - dy}, Point{c.x + dx, c.y + dy},
                               drawsBeforeStartLocation | drawsAfterEndLocation);
    context.restoreGState();
}

void RadialGradientFill::fillPath(GraphicsContext& context, const Rect& rect) {
    context.saveGState();
    const Point c{rect.midX(), rect.midY()};
    const double w = rect.size.width, h = rect.size.height;
    const double r = std::max(w, h) / 2;
    context.clip(FillRule::winding);
    context.drawRadialGradient(
        gradient_, Point{c.x + w * startOffsetPercent_.x, c.y + h * startOffsetPercent_.y},
        r * startRadiusPercent_, Point{c.x + w * endOffsetPercent_.x, c.y + h * endOffsetPercent_.y},
        r * endRadiusPercent_, drawsBeforeStartLocation | drawsAfterEndLocation);
    context.restoreGState();
}

} // namespace charting
