#pragma once

#include "Charting/renderers/BarLineScatterCandleBubbleRenderer.h"
#include "platform/Geometry.h"

namespace charting {

class BarLineScatterCandleBubbleChartDataProvider;
class ChartData;
class ChartDataSetProtocol;
class LineScatterCandleRadarChartDataSetProtocol;

// Base of the renderers that draw cross-hair lines through a highlighted value.
class LineScatterCandleRadarRenderer : public BarLineScatterCandleBubbleRenderer {
public:
    using BarLineScatterCandleBubbleRenderer::BarLineScatterCandleBubbleRenderer;

    // The vertical line through the point across the whole content height, then the horizontal
    // one across the whole content width, as the data set's two switches say; each stroked on
    // its own with the stroke settings the caller set.
    virtual void drawHighlightLines(GraphicsContext& context, platform::Point point,
                                    const LineScatterCandleRadarChartDataSetProtocol& set);

protected:
    // The highlight lines of each highlight whose data-set index names a data set of the data
    // that `accepts` and that highlights, through the entry found by the highlight's x and y as
    // far as the x animation has come and not right of maxX: stroked in the data set's
    // highlight colour, width and dash through the entry's point (y scaled by phaseY), which is
    // stored as the highlight's draw point. The graphics state is restored afterwards.
    void drawHighlightsOf(GraphicsContext& context,
                          BarLineScatterCandleBubbleChartDataProvider& provider,
                          const ChartData& data, const Highlights& indices,
                          bool (*accepts)(const ChartDataSetProtocol&), double maxX);
};

} // namespace charting
