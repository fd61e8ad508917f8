#include "Charting/renderers/LineScatterCandleRadarRenderer.h"

#include "Charting/data/LineScatterCandleRadarChartDataSetProtocol.h"
#include "Charting/utils/GraphicsContext.h"
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

} // namespace charting
