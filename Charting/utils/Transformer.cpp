#include "Charting/utils/Transformer.h"

#include "Charting/utils/ViewPortHandler.h"
#include "platform/Fatal.h"

#include <cmath>
#include <limits>

namespace charting {

using platform::AffineTransform;
using platform::Point;
using platform::Rect;

std::shared_ptr<Transformer> Transformer::create(std::shared_ptr<ViewPortHandler> viewPortHandler) {
    return std::make_shared<Transformer>(std::move(viewPortHandler));
}

Transformer::Transformer(std::shared_ptr<ViewPortHandler> viewPortHandler)
    : viewPortHandler_(std::move(viewPortHandler)) {
    if (!viewPortHandler_)
        platform::fatal("Transformer needs a ViewPortHandler");
}

void Transformer::prepareMatrixValuePx(double chartXMin, double deltaX, double deltaY,
                                       double chartYMin) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    double scaleX = viewPortHandler_->contentWidth() / deltaX;
    double scaleY = viewPortHandler_->contentHeight() / deltaY;
    if (scaleX == inf)
        scaleX = 0;
    if (scaleY == inf)
        scaleY = 0;
    matrixValueToPx_ =
        AffineTransform::identity().scaledBy(scaleX, -scaleY).translatedBy(-chartXMin, -chartYMin);
}

void Transformer::prepareMatrixOffset(bool inverted) {
    const ViewPortHandler& h = *viewPortHandler_;
    if (!inverted)
        matrixOffset_ =
            AffineTransform::makeTranslation(h.offsetLeft(), h.chartHeight() - h.offsetBottom());
    else
        matrixOffset_ =
            AffineTransform::makeScale(1.0, -1.0).translatedBy(h.offsetLeft(), -h.offsetTop());
}

AffineTransform Transformer::valueToPixelMatrix() const {
    return matrixValueToPx_.concatenating(viewPortHandler_->touchMatrix())
        .concatenating(matrixOffset_);
}

AffineTransform Transformer::pixelToValueMatrix() const {
    return valueToPixelMatrix().inverted();
}

void Transformer::valuesToPixels(std::vector<Point>& points) const {
    const AffineTransform m = valueToPixelMatrix();
    for (Point& p : points)
        p = m.apply(p);
}

void Transformer::valueToPixel(Point& point) const {
    point = valueToPixelMatrix().apply(point);
}

Point Transformer::pixelForValues(double x, double y) const {
    return valueToPixelMatrix().apply(Point{x, y});
}

void Transformer::rectToPixel(Rect& r) const {
    r = valueToPixelMatrix().apply(r);
}

void Transformer::rectToPixel(Rect& r, double phaseY) const {
    const double bottom = (r.origin.y + r.size.height) * phaseY;
    const double top = r.origin.y * phaseY;
    r = Rect(r.origin.x, top, r.size.width, bottom - top);
    rectToPixel(r);
}

void Transformer::rectToPixelHorizontal(Rect& r) const {
    rectToPixel(r);
}

void Transformer::rectToPixelHorizontal(Rect& r, double phase) const {
    const double right = (r.origin.x + r.size.width) * phase;
    const double left = r.origin.x * phase;
    r = Rect(left, r.origin.y, right - left, r.size.height);
    rectToPixel(r);
}

void Transformer::rectsToPixels(std::vector<Rect>& rects) const {
    const AffineTransform m = valueToPixelMatrix();
    for (Rect& r : rects)
        r = m.apply(r);
}

void Transformer::pixelsToValues(std::vector<Point>& pixels) const {
    const AffineTransform m = pixelToValueMatrix();
    for (Point& p : pixels)
        p = m.apply(p);
}

void Transformer::pixelToValue(Point& pixel) const {
    pixel = pixelToValueMatrix().apply(pixel);
}

Point Transformer::valueForTouchPoint(Point point) const {
    return pixelToValueMatrix().apply(point);
}

Point Transformer::valueForTouchPoint(double x, double y) const {
    return valueForTouchPoint(Point{x, y});
}

} // namespace charting
