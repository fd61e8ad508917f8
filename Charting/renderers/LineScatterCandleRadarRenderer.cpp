#include "Charting/renderers/LineScatterCandleRadarRenderer.h"

#include "Charting/animation/Animator.h"
#include "Charting/data/BarLineScatterCandleBubbleChartDataProvider.h"
#include "Charting/data/ChartData.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/LineScatterCandleRadarChartDataSetProtocol.h"
#include "Charting/utils/ChartUtils.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

namespace charting {

using platform::Point;

void LineScatterCandleRadarRenderer::drawHighlightLines(
    GraphicsContext& context, Point point, const LineScatterCandleRadarChartDataSetProtocol& set) {
    const ViewPortHandler& vph = *viewPortHandler();
    if (set.isVerticalHighlightIndicatorEnabled()) {
        context.beginPath();
        context.moveTo(Point{point.x, vph.contentTop()});
        context.addLineTo(Point{point.x, vph.contentBottom()});
        context.strokePath();
    }
    if (set.isHorizontalHighlightIndicatorEnabled()) {
        context.beginPath();
        context.moveTo(Point{vph.contentLeft(), point.y});
        context.addLineTo(Point{vph.contentRight(), point.y});
        context.strokePath();
    }
}

void LineScatterCandleRadarRenderer::drawHighlightsOf(
    GraphicsContext& context, BarLineScatterCandleBubbleChartDataProvider& provider,
    const ChartData& data, const Highlights& indices,
    bool (*accepts)(const ChartDataSetProtocol&), double maxX) {
    const double phaseY = animator() ? animator()->phaseY() : 1.0;
    context.saveGState();
    for (const auto& high : indices) {
        if (!high)
            continue;
        const int index = high->dataSetIndex();
        // A highlight left over from data that has changed since: nothing to draw.
        if (index < 0 || index >= data.dataSetCount())
            continue;
        const auto& dataSet = data.dataSets()[std::size_t(index)];
        auto* set = dynamic_cast<const LineScatterCandleRadarChartDataSetProtocol*>(dataSet.get());
        if (!set || !accepts(*dataSet) || !set->isHighlightEnabled())
            continue;
        const auto entry = set->entryForXValue(high->x(), high->y());
        if (!entry || !isInBoundsX(entry, *set))
            continue;
        context.setStrokeColor(set->highlightColor());
        context.setLineWidth(set->highlightLineWidth());
        setLineDash(context, set->highlightLineDashPhase(), set->highlightLineDashLengths());
        const double x = entry->x();
        if (x > maxX)
            continue;
        const Point pt =
            provider.getTransformerForAxis(set->axisDependency())->pixelForValues(x, entry->y() * phaseY);
        high->setDraw(pt);
        drawHighlightLines(context, pt, *set);
    }
    context.restoreGState();
}

} // namespace charting
