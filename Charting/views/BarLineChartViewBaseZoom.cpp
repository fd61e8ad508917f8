// Zoom, moves, centring, visible ranges, conversions and gesture flags of the bar-line view.
#include "Charting/views/BarLineChartViewBase.h"

#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/BarLineScatterCandleBubbleChartDataSetProtocol.h"
#include "Charting/data/ChartData.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/jobs/AnimatedMoveViewJob.h"
#include "Charting/jobs/AnimatedZoomViewJob.h"
#include "Charting/jobs/MoveViewJob.h"
#include "Charting/jobs/ZoomViewJob.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

#include <cmath>

namespace charting {

namespace {

bool isUsableRange(double range) { return std::isfinite(range) && range > 0; }

} // namespace

void BarLineChartViewBase::applyZoomMatrix(const platform::AffineTransform& matrix) {
    viewPortHandler()->refresh(matrix, this, false);
    calculateOffsets();
    redraw();
}

void BarLineChartViewBase::zoomIn() {
    const auto vph = viewPortHandler();
    const platform::Point center = vph->contentCenter();
    applyZoomMatrix(vph->zoomIn(center.x, -center.y));
}

void BarLineChartViewBase::zoomOut() {
    const auto vph = viewPortHandler();
    const platform::Point center = vph->contentCenter();
    applyZoomMatrix(vph->zoomOut(center.x, -center.y));
}

void BarLineChartViewBase::resetZoom() { applyZoomMatrix(viewPortHandler()->resetZoom()); }

void BarLineChartViewBase::zoom(double scaleX, double scaleY, double x, double y) {
    applyZoomMatrix(viewPortHandler()->zoom(scaleX, scaleY, x, -y));
}

void BarLineChartViewBase::zoom(double scaleX, double scaleY, double xValue, double yValue,
                                AxisDependency axis) {
    addViewportJob(ZoomViewJob::create(viewPortHandler(), scaleX, scaleY, xValue, yValue,
                                       getTransformerForAxis(axis), axis, this));
}

void BarLineChartViewBase::zoomToCenter(double scaleX, double scaleY) {
    const auto vph = viewPortHandler();
    const platform::Point center = centerOffsets();
    vph->refresh(vph->zoom(scaleX, scaleY, center.x, -center.y), this, false);
}

void BarLineChartViewBase::zoomAndCenterViewAnimated(double scaleX, double scaleY,
                                                     double xValue, double yValue,
                                                     AxisDependency axis, double duration,
                                                     ChartEasingFunctionBlock easing) {
    const auto vph = viewPortHandler();
    const platform::Point origin =
        valueForTouchPoint({vph->contentLeft(), vph->contentTop()}, axis);
    addViewportJob(AnimatedZoomViewJob::create(
        vph, getTransformerForAxis(axis), this, axis, xAxis()->axisRange(), scaleX, scaleY,
        vph->scaleX(), vph->scaleY(), xValue, yValue, origin.x, origin.y, duration,
        std::move(easing)));
}

void BarLineChartViewBase::zoomAndCenterViewAnimated(double scaleX, double scaleY,
                                                     double xValue, double yValue,
                                                     AxisDependency axis, double duration,
                                                     ChartEasingOption easingOption) {
    zoomAndCenterViewAnimated(scaleX, scaleY, xValue, yValue, axis, duration,
                              easingFunctionForOption(easingOption));
}

void BarLineChartViewBase::zoomAndCenterViewAnimated(double scaleX, double scaleY,
                                                     double xValue, double yValue,
                                                     AxisDependency axis, double duration) {
    zoomAndCenterViewAnimated(scaleX, scaleY, xValue, yValue, axis, duration,
                              ChartEasingOption::easeInOutSine);
}

void BarLineChartViewBase::fitScreen() { applyZoomMatrix(viewPortHandler()->fitScreen()); }

void BarLineChartViewBase::setScaleMinima(double scaleX, double scaleY) {
    viewPortHandler()->setMinimumScaleX(scaleX);
    viewPortHandler()->setMinimumScaleY(scaleY);
}

double BarLineChartViewBase::visibleXRange() {
    return std::fabs(highestVisibleX() - lowestVisibleX());
}

void BarLineChartViewBase::setVisibleXRangeMaximum(double maxXRange) {
    if (isUsableRange(maxXRange))
        viewPortHandler()->setMinimumScaleX(xAxis()->axisRange() / maxXRange);
}

void BarLineChartViewBase::setVisibleXRangeMinimum(double minXRange) {
    if (isUsableRange(minXRange))
        viewPortHandler()->setMaximumScaleX(xAxis()->axisRange() / minXRange);
}

void BarLineChartViewBase::setVisibleXRange(double minXRange, double maxXRange) {
    if (!isUsableRange(minXRange) || !isUsableRange(maxXRange))
        return;
    const double range = xAxis()->axisRange();
    viewPortHandler()->setMinMaxScaleX(range / maxXRange, range / minXRange);
}

void BarLineChartViewBase::setVisibleYRangeMaximum(double maxYRange, AxisDependency axis) {
    if (isUsableRange(maxYRange))
        viewPortHandler()->setMinimumScaleY(getAxisRange(axis) / maxYRange);
}

void BarLineChartViewBase::setVisibleYRangeMinimum(double minYRange, AxisDependency axis) {
    if (isUsableRange(minYRange))
        viewPortHandler()->setMaximumScaleY(getAxisRange(axis) / minYRange);
}

void BarLineChartViewBase::setVisibleYRange(double minYRange, double maxYRange,
                                            AxisDependency axis) {
    if (!isUsableRange(minYRange) || !isUsableRange(maxYRange))
        return;
    const double range = getAxisRange(axis);
    viewPortHandler()->setMinMaxScaleY(range / maxYRange, range / minYRange);
}

void BarLineChartViewBase::queueMove(double xValue, double yValue, AxisDependency axis) {
    addViewportJob(
        MoveViewJob::create(viewPortHandler(), xValue, yValue, getTransformerForAxis(axis), this));
}

void BarLineChartViewBase::queueAnimatedMove(double xValue, double yValue, AxisDependency axis,
                                             double duration, ChartEasingFunctionBlock easing) {
    const auto vph = viewPortHandler();
    const platform::Point origin =
        valueForTouchPoint({vph->contentLeft(), vph->contentTop()}, axis);
    addViewportJob(AnimatedMoveViewJob::create(vph, xValue, yValue, getTransformerForAxis(axis),
                                               this, origin.x, origin.y, duration,
                                               std::move(easing)));
}

void BarLineChartViewBase::moveViewToX(double xValue) {
    queueMove(xValue, 0, AxisDependency::left);
}

void BarLineChartViewBase::moveViewToY(double yValue, AxisDependency axis) {
    const double yInView = getAxisRange(axis) / viewPortHandler()->scaleY();
    queueMove(0, yValue + yInView / 2, axis);
}

void BarLineChartViewBase::moveViewTo(double xValue, double yValue, AxisDependency axis) {
    const double yInView = getAxisRange(axis) / viewPortHandler()->scaleY();
    queueMove(xValue, yValue + yInView / 2, axis);
}

void BarLineChartViewBase::moveViewToAnimated(double xValue, double yValue, AxisDependency axis,
                                              double duration, ChartEasingFunctionBlock easing) {
    const double yInView = getAxisRange(axis) / viewPortHandler()->scaleY();
    queueAnimatedMove(xValue, yValue + yInView / 2, axis, duration, std::move(easing));
}

void BarLineChartViewBase::moveViewToAnimated(double xValue, double yValue, AxisDependency axis,
                                              double duration, ChartEasingOption easingOption) {
    moveViewToAnimated(xValue, yValue, axis, duration, easingFunctionForOption(easingOption));
}

void BarLineChartViewBase::moveViewToAnimated(double xValue, double yValue, AxisDependency axis,
                                              double duration) {
    moveViewToAnimated(xValue, yValue, axis, duration, ChartEasingOption::easeInOutSine);
}

void BarLineChartViewBase::centerViewTo(double xValue, double yValue, AxisDependency axis) {
    const auto vph = viewPortHandler();
    const double yInView = getAxisRange(axis) / vph->scaleY();
    const double xInView = xAxis()->axisRange() / vph->scaleX();
    queueMove(xValue - xInView / 2, yValue + yInView / 2, axis);
}

void BarLineChartViewBase::centerViewToAnimated(double xValue, double yValue,
                                                AxisDependency axis, double duration,
                                                ChartEasingFunctionBlock easing) {
    const auto vph = viewPortHandler();
    const double yInView = getAxisRange(axis) / vph->scaleY();
    const double xInView = xAxis()->axisRange() / vph->scaleX();
    queueAnimatedMove(xValue - xInView / 2, yValue + yInView / 2, axis, duration,
                      std::move(easing));
}

void BarLineChartViewBase::centerViewToAnimated(double xValue, double yValue,
                                                AxisDependency axis, double duration,
                                                ChartEasingOption easingOption) {
    centerViewToAnimated(xValue, yValue, axis, duration, easingFunctionForOption(easingOption));
}

void BarLineChartViewBase::centerViewToAnimated(double xValue, double yValue,
                                                AxisDependency axis, double duration) {
    centerViewToAnimated(xValue, yValue, axis, duration, ChartEasingOption::easeInOutSine);
}

platform::Point BarLineChartViewBase::getPosition(const ChartDataEntry& entry,
                                                  AxisDependency axis) {
    platform::Point point{entry.x(), entry.y()};
    getTransformerForAxis(axis)->valueToPixel(point);
    return point;
}

platform::Point BarLineChartViewBase::valueForTouchPoint(platform::Point point,
                                                         AxisDependency axis) {
    return getTransformerForAxis(axis)->valueForTouchPoint(point);
}

platform::Point BarLineChartViewBase::pixelForValues(double x, double y, AxisDependency axis) {
    return getTransformerForAxis(axis)->pixelForValues(x, y);
}

std::shared_ptr<ChartDataEntry> BarLineChartViewBase::getEntryByTouchPoint(platform::Point point) {
    const auto highlight = getHighlightByTouchPoint(point);
    const auto d = data();
    if (!highlight || !d)
        return nullptr;
    return d->entryFor(*highlight);
}

std::shared_ptr<BarLineScatterCandleBubbleChartDataSetProtocol>
BarLineChartViewBase::getDataSetByTouchPoint(platform::Point point) {
    const auto highlight = getHighlightByTouchPoint(point);
    const auto d = data();
    if (!highlight || !d)
        return nullptr;
    return std::dynamic_pointer_cast<BarLineScatterCandleBubbleChartDataSetProtocol>(
        d->dataSetAtIndex(highlight->dataSetIndex()));
}

double BarLineChartViewBase::scaleX() { return viewPortHandler()->scaleX(); }
double BarLineChartViewBase::scaleY() { return viewPortHandler()->scaleY(); }
bool BarLineChartViewBase::isFullyZoomedOut() { return viewPortHandler()->isFullyZoomedOut(); }
void BarLineChartViewBase::setDragOffsetX(double offset) {
    viewPortHandler()->setDragOffsetX(offset);
}
void BarLineChartViewBase::setDragOffsetY(double offset) {
    viewPortHandler()->setDragOffsetY(offset);
}
bool BarLineChartViewBase::hasNoDragOffset() { return viewPortHandler()->hasNoDragOffset(); }

void BarLineChartViewBase::setDragEnabled(bool enabled) {
    dragXEnabled_ = enabled;
    dragYEnabled_ = enabled;
}

void BarLineChartViewBase::updatePinchEnabled() {
    if (pinchGestureRecognizer_)
        pinchGestureRecognizer_->setEnabled(pinchZoomEnabled_ || scaleXEnabled_ ||
                                            scaleYEnabled_);
}

void BarLineChartViewBase::setScaleEnabled(bool enabled) {
    if (scaleXEnabled_ == enabled && scaleYEnabled_ == enabled)
        return;
    scaleXEnabled_ = enabled;
    scaleYEnabled_ = enabled;
    if (pinchGestureRecognizer_)
        pinchGestureRecognizer_->setEnabled(enabled || pinchZoomEnabled_);
}

void BarLineChartViewBase::setScaleXEnabled(bool enabled) {
    if (scaleXEnabled_ == enabled)
        return;
    scaleXEnabled_ = enabled;
    updatePinchEnabled();
}

void BarLineChartViewBase::setScaleYEnabled(bool enabled) {
    if (scaleYEnabled_ == enabled)
        return;
    scaleYEnabled_ = enabled;
    updatePinchEnabled();
}

void BarLineChartViewBase::setDoubleTapToZoomEnabled(bool enabled) {
    if (doubleTapToZoomEnabled_ == enabled)
        return;
    doubleTapToZoomEnabled_ = enabled;
    if (doubleTapGestureRecognizer_)
        doubleTapGestureRecognizer_->setEnabled(enabled);
}

void BarLineChartViewBase::setPinchZoomEnabled(bool enabled) {
    if (pinchZoomEnabled_ == enabled)
        return;
    pinchZoomEnabled_ = enabled;
    updatePinchEnabled();
}

} // namespace charting
