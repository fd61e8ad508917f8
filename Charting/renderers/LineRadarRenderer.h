#pragma once

#include "Charting/renderers/LineScatterCandleRadarRenderer.h"

#include <QColor>

namespace charting {

class Fill;
class Path;

// Base of the line and radar renderers: fills the area under a line, by a Fill or by a colour.
class LineRadarRenderer : public LineScatterCandleRadarRenderer {
public:
    using LineScatterCandleRadarRenderer::LineScatterCandleRadarRenderer;

    // The path (in view coordinates) painted by the fill within the content rectangle, at the
    // alpha; the context's state is as it was afterwards.
    virtual void drawFilledPathWithFill(GraphicsContext& context, const Path& path, Fill& fill,
                                        double fillAlpha);
    // The path filled with the colour (nonzero winding) at the alpha.
    virtual void drawFilledPathWithColor(GraphicsContext& context, const Path& path,
                                         const QColor& fillColor, double fillAlpha);
};

} // namespace charting
