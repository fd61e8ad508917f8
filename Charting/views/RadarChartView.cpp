#include "Charting/views/RadarChartView.h"

#include "Charting/components/Legend.h"
#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/ChartData.h"
#include "Charting/data/ChartDataSetProtocol.h"
#include "Charting/highlight/RadarHighlighter.h"
#include "Charting/renderers/LegendRenderer.h"
#include "Charting/renderers/RadarChartRenderer.h"
#include "Charting/renderers/XAxisRendererRadarChart.h"
#include "Charting/renderers/YAxisRendererRadarChart.h"
#include "Charting/utils/ViewPortHandler.h"
#include "platform/Fatal.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace charting {

RadarChartView::RadarChartView(QWidget* parent) : PieRadarChartViewBase(parent) { initialize(); }

RadarChartView::~RadarChartView() = default;

void RadarChartView::initialize() {
    PieRadarChartViewBase::initialize();
    yAxis_ = YAxis::create(AxisDependency::left);
    yAxis_->setLabelXOffset(10.0);
    setRenderer(RadarChartRenderer::create(this, chartAnimator(), viewPortHandler()));
    yAxisRenderer_ = YAxisRendererRadarChart::create(viewPortHandler(), yAxis_, this);
    xAxisRenderer_ = XAxisRendererRadarChart::create(viewPortHandler(), xAxis(), this);
    setHighlighter(RadarHighlighter::create(this));
}

std::shared_ptr<YAxis> RadarChartView::yAxis() const {
    if (!yAxis_)
        platform::fatal("RadarChartView: the y axis is read before the chart is initialised");
    return yAxis_;
}

static int largestEntryCount(const std::shared_ptr<ChartData>& data) {
    if (!data)
        return 0;
    const auto largest = data->maxEntryCountSet();
    return largest ? largest->entryCount() : 0;
}

double RadarChartView::radius() {
    const platform::Rect content = viewPortHandler()->contentRect();
    return std::min(content.size.width / 2.0, content.size.height / 2.0);
}

double RadarChartView::factor() { return radius() / yAxis()->axisRange(); }

double RadarChartView::sliceAngle() {
    const int count = largestEntryCount(data());
    if (count == 0)
        return std::numeric_limits<double>::infinity();
    return 360.0 / double(count);
}

double RadarChartView::yRange() { return yAxis()->axisRange(); }
double RadarChartView::chartYMax() { return yAxis()->axisMaximum(); }
double RadarChartView::chartYMin() { return yAxis()->axisMinimum(); }

double RadarChartView::requiredLegendOffset() { return legend()->font().pointSizeF() * 4.0; }

double RadarChartView::requiredBaseOffset() {
    const auto axis = xAxis();
    return axis->isEnabled() && axis->isDrawLabelsEnabled() ? axis->labelRotatedWidth() : 10.0;
}

double RadarChartView::requiredMinOffset() {
    const double least = minOffset();
    const auto axis = xAxis();
    if (axis->isEnabled() && axis->isDrawLabelsEnabled())
        return std::max(least, axis->labelRotatedWidth());
    return least;
}

void RadarChartView::calcMinMax() {
    const auto d = data();
    if (!d)
        return;
    yAxis()->calculate(d->getYMin(AxisDependency::left), d->getYMax(AxisDependency::left));
    xAxis()->calculate(0.0, double(largestEntryCount(d)));
}

void RadarChartView::notifyDataSetChanged() {
    calcMinMax();
    yAxisRenderer_->computeAxis(yAxis_->axisMinimum(), yAxis_->axisMaximum(), yAxis_->isInverted());
    xAxisRenderer_->computeAxis(xAxis()->axisMinimum(), xAxis()->axisMaximum(), false);
    if (const auto d = data(); d && !legend()->isLegendCustom())
        legendRenderer()->computeLegend(*d);
    calculateOffsets();
    redraw();
}

int RadarChartView::indexForAngle(double angle) {
    const double a = angle - rotationAngle();
    double n = std::fmod(a, 360.0);
    if (a < 0)
        n += 360.0;
    const int count = largestEntryCount(data());
    const double slice = sliceAngle();
    for (int i = 0; i < count; ++i)
        if (slice * (i + 1) - slice / 2.0 > n)
            return i;
    return 0;
}

void RadarChartView::drawRect(GraphicsContext* context, const platform::Rect& rect) {
    ChartViewBase::drawRect(context, rect);
    const auto dataRenderer = renderer();
    if (!data() || !dataRenderer || !context)
        return;
    GraphicsContext& g = *context;
    const auto x = xAxis();
    if (x->isEnabled())
        xAxisRenderer_->computeAxis(x->axisMinimum(), x->axisMaximum(), false);
    xAxisRenderer_->renderAxisLabels(g);
    if (drawWeb_)
        dataRenderer->drawExtras(g);
    if (yAxis_->isEnabled() && yAxis_->isDrawLimitLinesBehindDataEnabled())
        yAxisRenderer_->renderLimitLines(g);
    dataRenderer->drawData(g);
    if (valuesToHighlight())
        dataRenderer->drawHighlighted(g, highlighted());
    if (yAxis_->isEnabled() && !yAxis_->isDrawLimitLinesBehindDataEnabled())
        yAxisRenderer_->renderLimitLines(g);
    yAxisRenderer_->renderAxisLabels(g);
    dataRenderer->drawValues(g);
    legendRenderer()->renderLegend(g);
    drawDescription(g);
    drawMarkersInContext(g);
}

} // namespace charting
