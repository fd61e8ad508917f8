#include "Charting/views/HorizontalBarChartView.h"

#include "Charting/components/Legend.h"
#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/highlight/HorizontalBarHighlighter.h"
#include "Charting/renderers/HorizontalBarChartRenderer.h"
#include "Charting/renderers/XAxisRendererHorizontalBarChart.h"
#include "Charting/renderers/YAxisRendererHorizontalBarChart.h"
#include "Charting/utils/TransformerHorizontalBarChart.h"
#include "Charting/utils/ViewPortHandler.h"
#include "platform/Log.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace charting {

namespace {

bool usable(double range) { return std::isfinite(range) && range > 0; }

} // namespace

HorizontalBarChartView::HorizontalBarChartView(QWidget* parent)
    : BarChartView(parent, DeferInitialize{}) {
    initialize();
}

void HorizontalBarChartView::initialize() {
    BarChartView::initialize();
    const auto vph = viewPortHandler();
    setTransformers(TransformerHorizontalBarChart::create(vph),
                    TransformerHorizontalBarChart::create(vph));
    const auto left = getTransformerForAxis(AxisDependency::left);
    setRenderer(HorizontalBarChartRenderer::create(this, chartAnimator(), vph));
    setLeftYAxisRenderer(YAxisRendererHorizontalBarChart::create(vph, leftAxis(), left));
    setRightYAxisRenderer(YAxisRendererHorizontalBarChart::create(
        vph, rightAxis(), getTransformerForAxis(AxisDependency::right)));
    setXAxisRenderer(XAxisRendererHorizontalBarChart::create(vph, xAxis(), left, this));
    setHighlighter(HorizontalBarHighlighter::create(this));
}

platform::Point HorizontalBarChartView::getMarkerPosition(const Highlight& highlight) {
    return {highlight.drawY(), highlight.drawX()};
}

std::shared_ptr<Highlight> HorizontalBarChartView::getHighlightByTouchPoint(platform::Point point) {
    if (!data()) {
        platform::logLine("Can't select by touch. No data set.");
        return nullptr;
    }
    const auto h = highlighter();
    return h ? h->getHighlight(point.y, point.x) : nullptr;
}

void HorizontalBarChartView::addLegendOffsets(double& offsetLeft, double& offsetTop,
                                              double& offsetRight, double& offsetBottom) {
    BarChartView::addLegendOffsets(offsetLeft, offsetTop, offsetRight, offsetBottom);
    const auto l = legend();
    if (!l->isEnabled() || l->isDrawInsideEnabled() ||
        l->orientation() != Legend::Orientation::horizontal)
        return;
    const auto labelled = [](YAxis& axis) { return axis.isEnabled() && axis.isDrawLabelsEnabled(); };
    if (l->verticalAlignment() == Legend::VerticalAlignment::top && labelled(*leftAxis()))
        offsetTop += leftAxis()->getRequiredHeightSpace();
    else if (l->verticalAlignment() == Legend::VerticalAlignment::bottom && labelled(*rightAxis()))
        offsetBottom += rightAxis()->getRequiredHeightSpace();
}

void HorizontalBarChartView::addAxisOffsets(double& offsetLeft, double& offsetTop,
                                            double& offsetRight, double& offsetBottom) {
    if (leftAxis()->needsOffset())
        offsetTop += leftAxis()->getRequiredHeightSpace();
    if (rightAxis()->needsOffset())
        offsetBottom += rightAxis()->getRequiredHeightSpace();
    const auto x = xAxis();
    if (!x->isEnabled())
        return;
    const double w = x->labelRotatedWidth();
    switch (x->labelPosition()) {
    case XAxis::LabelPosition::bottom:
        offsetLeft += w;
        break;
    case XAxis::LabelPosition::top:
        offsetRight += w;
        break;
    case XAxis::LabelPosition::both:
        offsetLeft += w;
        offsetRight += w;
        break;
    default:
        break;
    }
}

void HorizontalBarChartView::prepareValuePixelMatrices() {
    const auto x = xAxis();
    for (const AxisDependency side : {AxisDependency::right, AxisDependency::left}) {
        const auto axis = getAxis(side);
        getTransformerForAxis(side)->prepareMatrixValuePx(axis->axisMinimum(), axis->axisRange(),
                                                          x->axisRange(), x->axisMinimum());
    }
}

platform::Rect HorizontalBarChartView::getBarBounds(const std::shared_ptr<ChartDataEntry>& entry) {
    const auto bar = barValues(entry);
    if (!bar || !bar->transformer)
        return platform::Rect(std::numeric_limits<double>::infinity(),
                              std::numeric_limits<double>::infinity(), 0, 0);
    const double top = bar->x - bar->barWidth / 2.0;
    const double bottom = bar->x + bar->barWidth / 2.0;
    const double left = bar->y >= 0 ? bar->y : 0;
    const double right = bar->y <= 0 ? bar->y : 0;
    platform::Rect bounds(left, top, right - left, bottom - top);
    bar->transformer->rectToPixel(bounds);
    return bounds;
}

platform::Point HorizontalBarChartView::getPosition(const ChartDataEntry& entry,
                                                    AxisDependency axis) {
    return getTransformerForAxis(axis)->pixelForValues(entry.y(), entry.x());
}

double HorizontalBarChartView::lowestVisibleX() {
    const auto vph = viewPortHandler();
    const platform::Point pt = getTransformerForAxis(AxisDependency::left)
                                   ->valueForTouchPoint(vph->contentLeft(), vph->contentBottom());
    return std::max(xAxis()->axisMinimum(), pt.y);
}

double HorizontalBarChartView::highestVisibleX() {
    const auto vph = viewPortHandler();
    const platform::Point pt = getTransformerForAxis(AxisDependency::left)
                                   ->valueForTouchPoint(vph->contentLeft(), vph->contentTop());
    return std::min(xAxis()->axisMaximum(), pt.y);
}

void HorizontalBarChartView::setVisibleXRangeMaximum(double maxXRange) {
    if (usable(maxXRange))
        viewPortHandler()->setMinimumScaleY(xAxis()->axisRange() / maxXRange);
}

void HorizontalBarChartView::setVisibleXRangeMinimum(double minXRange) {
    if (usable(minXRange))
        viewPortHandler()->setMaximumScaleY(xAxis()->axisRange() / minXRange);
}

void HorizontalBarChartView::setVisibleXRange(double minXRange, double maxXRange) {
    if (!usable(minXRange) || !usable(maxXRange))
        return;
    const double range = xAxis()->axisRange();
    viewPortHandler()->setMinMaxScaleY(range / maxXRange, range / minXRange);
}

void HorizontalBarChartView::setVisibleYRangeMaximum(double maxYRange, AxisDependency axis) {
    if (usable(maxYRange))
        viewPortHandler()->setMinimumScaleX(getAxisRange(axis) / maxYRange);
}

void HorizontalBarChartView::setVisibleYRangeMinimum(double minYRange, AxisDependency axis) {
    if (usable(minYRange))
        viewPortHandler()->setMaximumScaleX(getAxisRange(axis) / minYRange);
}

void HorizontalBarChartView::setVisibleYRange(double minYRange, double maxYRange,
                                              AxisDependency axis) {
    if (!usable(minYRange) || !usable(maxYRange))
        return;
    const double range = getAxisRange(axis);
    viewPortHandler()->setMinMaxScaleX(range / maxYRange, range / minYRange);
}

} // namespace charting
