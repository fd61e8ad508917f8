#pragma once

#include "Charting/renderers/BarLineScatterCandleBubbleRenderer.h"
#include "platform/Geometry.h"

namespace charting {

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
};

} // namespace charting
