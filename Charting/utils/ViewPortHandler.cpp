#include "Charting/utils/ViewPortHandler.h"

#include "Charting/utils/ViewPortChart.h"

#include <cmath>
#include <limits>

namespace charting {

using platform::AffineTransform;
using platform::Point;
using platform::Rect;

namespace {
constexpr double kLargest = std::numeric_limits<double>::max();

double floorToHundredths(double v) {
    return std::floor(v * 100.0) / 100.0;
}

// The smallest scale is at least 1; a largest scale of 0 means no limit. A limit that is not a
// number (a visible range of 0 over an axis range of 0) is taken the same way: the smallest scale
// as 1, the largest as no limit, so that it never reaches the touch matrix.
double lowerScaleLimit(double v) {
    return v >= 1.0 ? v : 1.0;
}
double upperScaleLimit(double v) {
    return v == 0.0 || std::isnan(v) ? kLargest : v;
}

// A scale raised to the minimum (also when it is not a number), then lowered to the maximum.
double clampScale(double v, double min, double max) {
    if (!(v >= min))
        v = min;
    return v > max ? max : v;
}
} // namespace

std::shared_ptr<ViewPortHandler> ViewPortHandler::create(double width, double height) {
    return std::make_shared<ViewPortHandler>(width, height);
}

ViewPortHandler::ViewPortHandler(double width, double height)
    : maxScaleY_(kLargest), maxScaleX_(kLargest) {
    ViewPortHandler::setChartDimens(width, height);
}

void ViewPortHandler::setChartDimens(double width, double height) {
    const double left = offsetLeft(), top = offsetTop();
    const double right = offsetRight(), bottom = offsetBottom();
    chartHeight_ = height;
    chartWidth_ = width;
    restrainViewPort(left, top, right, bottom);
}

bool ViewPortHandler::hasChartDimens() const {
    return chartHeight_ > 0 && chartWidth_ > 0;
}

void ViewPortHandler::restrainViewPort(double offsetLeft, double offsetTop, double offsetRight,
                                       double offsetBottom) {
    contentRect_ = Rect(offsetLeft, offsetTop, (chartWidth_ - offsetLeft) - offsetRight,
                        (chartHeight_ - offsetBottom) - offsetTop);
}

double ViewPortHandler::offsetLeft() const {
    return contentRect_.origin.x;
}
double ViewPortHandler::offsetRight() const {
    return (chartWidth_ - contentRect_.size.width) - contentRect_.origin.x;
}
double ViewPortHandler::offsetTop() const {
    return contentRect_.origin.y;
}
double ViewPortHandler::offsetBottom() const {
    return (chartHeight_ - contentRect_.size.height) - contentRect_.origin.y;
}
double ViewPortHandler::contentTop() const {
    return contentRect_.origin.y;
}
double ViewPortHandler::contentLeft() const {
    return contentRect_.origin.x;
}
double ViewPortHandler::contentRight() const {
    return contentRect_.origin.x + contentRect_.size.width;
}
double ViewPortHandler::contentBottom() const {
    return contentRect_.origin.y + contentRect_.size.height;
}
double ViewPortHandler::contentWidth() const {
    return contentRect_.size.width;
}
double ViewPortHandler::contentHeight() const {
    return contentRect_.size.height;
}
Point ViewPortHandler::contentCenter() const {
    return Point{contentRect_.origin.x + contentRect_.size.width * 0.5,
                 contentRect_.origin.y + contentRect_.size.height * 0.5};
}

AffineTransform ViewPortHandler::zoom(double scaleX, double scaleY) const {
    return touchMatrix_.scaledBy(scaleX, scaleY);
}

AffineTransform ViewPortHandler::zoom(double scaleX, double scaleY, double x, double y) const {
    return touchMatrix_.translatedBy(x, y).scaledBy(scaleX, scaleY).translatedBy(-x, -y);
}

AffineTransform ViewPortHandler::zoomIn(double x, double y) const {
    return zoom(1.4, 1.4, x, y);
}

AffineTransform ViewPortHandler::zoomOut(double x, double y) const {
    return zoom(0.7, 0.7, x, y);
}

AffineTransform ViewPortHandler::resetZoom() const {
    return zoom(1.0, 1.0, 0.0, 0.0);
}

AffineTransform ViewPortHandler::setZoom(double scaleX, double scaleY) const {
    AffineTransform m = touchMatrix_;
    m.a = scaleX;
    m.d = scaleY;
    return m;
}

AffineTransform ViewPortHandler::setZoom(double scaleX, double scaleY, double x, double y) const {
    AffineTransform m = touchMatrix_;
    m.a = 1.0;
    m.d = 1.0;
    return m.translatedBy(x, y).scaledBy(scaleX, scaleY).translatedBy(-x, -y);
}

AffineTransform ViewPortHandler::fitScreen() {
    minScaleX_ = 1.0;
    minScaleY_ = 1.0;
    return AffineTransform::identity();
}

AffineTransform ViewPortHandler::translate(Point pt) const {
    const double dx = pt.x - offsetLeft();
    const double dy = pt.y - offsetTop();
    return touchMatrix_.concatenating(AffineTransform::makeTranslation(-dx, -dy));
}

void ViewPortHandler::centerViewPort(Point pt, ViewPortChart* chart) {
    refresh(translate(pt), chart, true);
}

AffineTransform ViewPortHandler::refresh(const AffineTransform& newMatrix, ViewPortChart* chart,
                                         bool /*invalidate*/) {
    touchMatrix_ = newMatrix;
    clampScaleAndTranslation(touchMatrix_, contentRect_);
    if (chart)
        chart->setNeedsDisplayInRect(chart->bounds());
    return touchMatrix_;
}

void ViewPortHandler::clampScaleAndTranslation(AffineTransform& matrix, const Rect& content) {
    scaleX_ = clampScale(matrix.a, minScaleX_, maxScaleX_);
    scaleY_ = clampScale(matrix.d, minScaleY_, maxScaleY_);

    const double w = content.size.width;
    const double h = content.size.height;

    // The first limit also catches a translation that is not a number.
    const double maxTransX = transOffsetX_;
    const double minTransX = -w * (scaleX_ - 1.0) - transOffsetX_;
    double tx = matrix.tx;
    if (!(tx >= minTransX))
        tx = minTransX;
    if (tx > maxTransX)
        tx = maxTransX;
    transX_ = tx;

    const double maxTransY = h * (scaleY_ - 1.0) + transOffsetY_;
    const double minTransY = -transOffsetY_;
    double ty = matrix.ty;
    if (!(ty <= maxTransY))
        ty = maxTransY;
    if (ty < minTransY)
        ty = minTransY;
    transY_ = ty;

    matrix.tx = transX_;
    matrix.a = scaleX_;
    matrix.ty = transY_;
    matrix.d = scaleY_;
}

void ViewPortHandler::setMinimumScaleX(double xScale) {
    minScaleX_ = lowerScaleLimit(xScale);
    clampScaleAndTranslation(touchMatrix_, contentRect_);
}

void ViewPortHandler::setMaximumScaleX(double xScale) {
    maxScaleX_ = upperScaleLimit(xScale);
    clampScaleAndTranslation(touchMatrix_, contentRect_);
}

void ViewPortHandler::setMinMaxScaleX(double minScaleX, double maxScaleX) {
    minScaleX_ = lowerScaleLimit(minScaleX);
    maxScaleX_ = upperScaleLimit(maxScaleX);
    clampScaleAndTranslation(touchMatrix_, contentRect_);
}

void ViewPortHandler::setMinimumScaleY(double yScale) {
    minScaleY_ = lowerScaleLimit(yScale);
    clampScaleAndTranslation(touchMatrix_, contentRect_);
}

void ViewPortHandler::setMaximumScaleY(double yScale) {
    maxScaleY_ = upperScaleLimit(yScale);
    clampScaleAndTranslation(touchMatrix_, contentRect_);
}

void ViewPortHandler::setMinMaxScaleY(double minScaleY, double maxScaleY) {
    minScaleY_ = lowerScaleLimit(minScaleY);
    maxScaleY_ = upperScaleLimit(maxScaleY);
    clampScaleAndTranslation(touchMatrix_, contentRect_);
}

bool ViewPortHandler::isInBoundsX(double x) const {
    return isInBoundsLeft(x) && isInBoundsRight(x);
}

bool ViewPortHandler::isInBoundsY(double y) const {
    return isInBoundsTop(y) && isInBoundsBottom(y);
}

bool ViewPortHandler::isInBounds(Point point) const {
    return isInBounds(point.x, point.y);
}

bool ViewPortHandler::isInBounds(double x, double y) const {
    return isInBoundsX(x) && isInBoundsY(y);
}

bool ViewPortHandler::isInBoundsLeft(double x) const {
    return contentRect_.origin.x <= x + 1.0;
}

bool ViewPortHandler::isInBoundsRight(double x) const {
    return floorToHundredths(x) - 1.0 <= contentRect_.origin.x + contentRect_.size.width;
}

bool ViewPortHandler::isInBoundsTop(double y) const {
    return y >= contentRect_.origin.y;
}

bool ViewPortHandler::isInBoundsBottom(double y) const {
    return floorToHundredths(y) <= contentRect_.origin.y + contentRect_.size.height;
}

bool ViewPortHandler::isIntersectingLine(Point from, Point to) const {
    if (isInBounds(from) || isInBounds(to))
        return true;
    if (from.x == to.x)
        return isInBoundsX(from.x);
    const double m = (to.y - from.y) / (to.x - from.x);
    const double b = from.y - from.x * m;
    if (isInBoundsY(contentRect_.origin.x * m + b))
        return true;
    if (m == 0.0)
        return false;
    if (isInBoundsX((contentBottom() - b) / m))
        return true;
    return isInBoundsX((contentRect_.origin.y - b) / m);
}

bool ViewPortHandler::isFullyZoomedOut() const {
    return isFullyZoomedOutX() && isFullyZoomedOutY();
}

bool ViewPortHandler::isFullyZoomedOutY() const {
    return !(scaleY_ > minScaleY_ || minScaleY_ > 1.0);
}

bool ViewPortHandler::isFullyZoomedOutX() const {
    return !(scaleX_ > minScaleX_ || minScaleX_ > 1.0);
}

void ViewPortHandler::setDragOffsetX(double offset) {
    transOffsetX_ = offset;
}

void ViewPortHandler::setDragOffsetY(double offset) {
    transOffsetY_ = offset;
}

bool ViewPortHandler::hasNoDragOffset() const {
    return transOffsetX_ <= 0 && transOffsetY_ <= 0;
}

bool ViewPortHandler::canZoomOutMoreX() const {
    return scaleX_ > minScaleX_;
}
bool ViewPortHandler::canZoomInMoreX() const {
    return scaleX_ < maxScaleX_;
}
bool ViewPortHandler::canZoomOutMoreY() const {
    return scaleY_ > minScaleY_;
}
bool ViewPortHandler::canZoomInMoreY() const {
    return scaleY_ < maxScaleY_;
}

} // namespace charting
