#include "Charting/renderers/XAxisRendererRadarChart.h"

#include "Charting/data/ChartData.h"
#include "Charting/data/ChartDataSetProtocol.h"
#include "Charting/formatters/ChartAxisValueFormatter.h"
#include "Charting/utils/ChartUtils.h"
#include "Charting/views/RadarChartView.h"

#include <cmath>
#include <numbers>

namespace charting {

std::shared_ptr<XAxisRendererRadarChart>
XAxisRendererRadarChart::create(std::shared_ptr<ViewPortHandler> viewPortHandler,
                                std::shared_ptr<XAxis> axis, RadarChartView* chart) {
    return std::shared_ptr<XAxisRendererRadarChart>(
        new XAxisRendererRadarChart(std::move(viewPortHandler), std::move(axis), chart));
}

XAxisRendererRadarChart::XAxisRendererRadarChart(std::shared_ptr<ViewPortHandler> viewPortHandler,
                                                 std::shared_ptr<XAxis> axis,
                                                 RadarChartView* chart)
    : XAxisRenderer(std::move(viewPortHandler), std::move(axis), nullptr), chart_(chart) {}

void XAxisRendererRadarChart::renderAxisLabels(GraphicsContext& context) {
    RadarChartView* view = chart();
    XAxis* xAxis = axis();
    if (!view || !xAxis->isEnabled() || !xAxis->isDrawLabelsEnabled())
        return;
    const auto data = view->data();
    const auto largest = data ? data->maxEntryCountSet() : nullptr;
    const int count = largest ? largest->entryCount() : 0;
    if (count <= 0)
        return;
    TextAttributes attributes;
    attributes.font = xAxis->labelFont();
    attributes.foregroundColor = xAxis->labelTextColor();
    const double labelAngle = xAxis->labelRotationAngle() * std::numbers::pi / 180.0;
    const auto formatter = xAxis->valueFormatter();
    const platform::Point center = view->centerOffsets();
    const double distance = view->yRange() * view->factor() + xAxis->labelRotatedWidth() / 2.0;
    for (int i = 0; i < count; ++i) {
        const QString text = formatter ? formatter->stringForValue(double(i), xAxis) : QString();
        const double angle = std::fmod(view->sliceAngle() * i + view->rotationAngle(), 360.0);
        const platform::Point p = view->getPosition(center, distance, angle);
        drawLabel(context, text, p.x, p.y - xAxis->labelRotatedHeight() / 2.0, attributes,
                  platform::Point{0.5, 0.25}, labelAngle);
    }
}

void XAxisRendererRadarChart::drawLabel(GraphicsContext& context, const QString& formattedLabel,
                                        double x, double y, const TextAttributes& attributes,
                                        platform::Point anchor, double angleRadians) {
    drawTextAnchored(context, formattedLabel, platform::Point{x, y}, attributes, anchor,
                     angleRadians);
}

} // namespace charting
