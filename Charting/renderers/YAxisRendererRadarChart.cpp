#include "Charting/renderers/YAxisRendererRadarChart.h"

#include "Charting/components/ChartLimitLine.h"
#include "Charting/data/ChartData.h"
#include "Charting/data/ChartDataSetProtocol.h"
#include "Charting/utils/ChartUtils.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/TextMeasurer.h"
#include "Charting/views/RadarChartView.h"

namespace charting {

std::shared_ptr<YAxisRendererRadarChart>
YAxisRendererRadarChart::create(std::shared_ptr<ViewPortHandler> viewPortHandler,
                                std::shared_ptr<YAxis> axis, RadarChartView* chart) {
    return std::shared_ptr<YAxisRendererRadarChart>(
        new YAxisRendererRadarChart(std::move(viewPortHandler), std::move(axis), chart));
}

YAxisRendererRadarChart::YAxisRendererRadarChart(std::shared_ptr<ViewPortHandler> viewPortHandler,
                                                 std::shared_ptr<YAxis> axis,
                                                 RadarChartView* chart)
    : YAxisRenderer(std::move(viewPortHandler), std::move(axis), nullptr), chart_(chart) {}

void YAxisRendererRadarChart::renderAxisLabels(GraphicsContext& context) {
    RadarChartView* view = chart();
    YAxis* yAxis = axis();
    if (!view || !yAxis->isEnabled() || !yAxis->isDrawLabelsEnabled())
        return;
    TextAttributes attributes;
    attributes.font = yAxis->labelFont();
    attributes.foregroundColor = yAxis->labelTextColor();
    const platform::Point center = view->centerOffsets();
    const double factor = view->factor();
    const double lineHeight = textMeasurer().boundingRectForFont(attributes.font).size.height;
    const auto& entries = yAxis->entries();
    const int from = yAxis->drawBottomYLabelEntryEnabled() ? 0 : 1;
    const int to = int(entries.size()) - (yAxis->drawTopYLabelEntryEnabled() ? 0 : 1);
    for (int j = from; j < to; ++j) {
        const double r = (entries[std::size_t(j)] - yAxis->axisMinimum()) * factor;
        const platform::Point p = view->getPosition(center, r, view->rotationAngle());
        const QString text = yAxis->getFormattedLabel(j);
        // The label sits just above the spoke it labels.
        drawTextAligned(context, text, platform::Point{p.x + yAxis->labelXOffset(), p.y - lineHeight},
                        yAxis->labelAlignment(), attributes, platform::Point{0, 0}, 0.0);
    }
}

void YAxisRendererRadarChart::renderLimitLines(GraphicsContext& context) {
    RadarChartView* view = chart();
    const auto data = view ? view->data() : nullptr;
    const auto lines = axis()->limitLines();
    if (!data || lines.empty())
        return;
    const double sliceAngle = view->sliceAngle();
    const double factor = view->factor();
    const double rotation = view->rotationAngle();
    const platform::Point center = view->centerOffsets();
    const auto largest = data->maxEntryCountSet();
    const int count = largest ? largest->entryCount() : 0;
    context.saveGState();
    for (const auto& line : lines) {
        if (!line || !line->isEnabled())
            continue;
        setLimitLineStroke(context, *line);
        const double r = (line->limit() - view->chartYMin()) * factor;
        context.beginPath();
        if (count > 0) {
            context.moveTo(view->getPosition(center, r, rotation));
            for (int j = 1; j < count; ++j)
                context.addLineTo(view->getPosition(center, r, sliceAngle * j + rotation));
        }
        context.closePath();
        context.strokePath();
    }
    context.restoreGState();
}

} // namespace charting
