#include "Charting/renderers/LineRadarRenderer.h"

#include "Charting/utils/Fill.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/ViewPortHandler.h"

namespace charting {

void LineRadarRenderer::drawFilledPathWithFill(GraphicsContext& context, const Path& path,
                                               Fill& fill, double fillAlpha) {
    context.saveGState();
    context.beginPath();
    context.addPath(path);
    context.setAlpha(fillAlpha);
    fill.fillPath(context, viewPortHandler()->contentRect());
    context.restoreGState();
}

void LineRadarRenderer::drawFilledPathWithColor(GraphicsContext& context, const Path& path,
                                                const QColor& fillColor, double fillAlpha) {
    context.saveGState();
    context.beginPath();
    context.addPath(path);
    context.setAlpha(fillAlpha);
    context.setFillColor(fillColor);
    context.fillPath(FillRule::winding);
    context.restoreGState();
}

} // namespace charting
