#include "Charting/views/BarChartView.h"

#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/BarChartData.h"
#include "Charting/data/BarChartDataSetProtocol.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/highlight/BarHighlighter.h"
#include "Charting/renderers/BarChartRenderer.h"
#include "Charting/utils/Transformer.h"
#include "platform/Log.h"

#include <limits>

namespace charting {

BarChartView::BarChartView(QWidget* parent) : BarLineChartViewBase(parent) { initialize(); }

BarChartView::BarChartView(QWidget* parent, DeferInitialize) : BarLineChartViewBase(parent) {}

void BarChartView::initialize() {
    BarLineChartViewBase::initialize();
    setRenderer(BarChartRenderer::create(this, chartAnimator(), viewPortHandler()));
    setHighlighter(BarHighlighter::create(this));
    xAxis()->setSpaceMin(0.5);
    xAxis()->setSpaceMax(0.5);
}

std::shared_ptr<BarChartData> BarChartView::barData() {
    return std::dynamic_pointer_cast<BarChartData>(data());
}

void BarChartView::computeAxisRanges() {
    const auto bars = barData();
    if (!bars)
        return;
    const double half = fitBars_ ? bars->barWidth() / 2.0 : 0.0;
    xAxis()->calculate(bars->xMin() - half, bars->xMax() + half);
    leftAxis()->calculate(bars->getYMin(AxisDependency::left), bars->getYMax(AxisDependency::left));
    rightAxis()->calculate(bars->getYMin(AxisDependency::right),
                           bars->getYMax(AxisDependency::right));
}

std::shared_ptr<Highlight> BarChartView::getHighlightByTouchPoint(platform::Point point) {
    if (!data()) {
        platform::logLine("Can't select by touch. No data set.");
        return nullptr;
    }
    const auto h = highlighter();
    const auto high = h ? h->getHighlight(point.x, point.y) : nullptr;
    if (!high || !highlightFullBarEnabled_)
        return high;
    return Highlight::create(high->x(), high->y(), high->xPx(), high->yPx(), high->dataIndex(),
                             high->dataSetIndex(), -1, high->axis());
}

std::optional<BarChartView::BarValues>
BarChartView::barValues(const std::shared_ptr<ChartDataEntry>& entry) {
    const auto bars = barData();
    if (!bars || !entry)
        return std::nullopt;
    const auto set =
        std::dynamic_pointer_cast<BarChartDataSetProtocol>(bars->getDataSetForEntry(entry));
    if (!set)
        return std::nullopt;
    return BarValues{entry->x(), entry->y(), bars->barWidth(),
                     getTransformerForAxis(set->axisDependency())};
}

platform::Rect BarChartView::getBarBounds(const std::shared_ptr<ChartDataEntry>& entry) {
    const auto bar = barValues(entry);
    if (!bar || !bar->transformer)
        return platform::Rect(std::numeric_limits<double>::infinity(),
                              std::numeric_limits<double>::infinity(), 0, 0);
    const double left = bar->x - bar->barWidth / 2.0;
    const double right = bar->x + bar->barWidth / 2.0;
    const double top = bar->y >= 0 ? bar->y : 0;
    const double bottom = bar->y <= 0 ? bar->y : 0;
    platform::Rect bounds(left, top, right - left, bottom - top);
    bar->transformer->rectToPixel(bounds);
    return bounds;
}

void BarChartView::groupBars(double fromX, double groupSpace, double barSpace) {
    const auto bars = barData();
    if (!bars) {
        platform::logLine("You need to set data for the chart before grouping bars.");
        return;
    }
    bars->groupBars(fromX, groupSpace, barSpace);
    notifyDataSetChanged();
}

void BarChartView::highlightValueAtStack(double x, int dataSetIndex, int stackIndex) {
    highlightValue(Highlight::create(x, dataSetIndex, stackIndex), false);
}

void BarChartView::setDrawValueAboveBarEnabled(bool enabled) {
    drawValueAboveBarEnabled_ = enabled;
    redraw();
}

void BarChartView::setDrawBarShadowEnabled(bool enabled) {
    drawBarShadowEnabled_ = enabled;
    redraw();
}

} // namespace charting
