#include "Charting/renderers/HorizontalBarChartRenderer.h"

#include "Charting/animation/Animator.h"
#include "Charting/data/Highlight.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"


namespace charting {

using platform::Rect;

std::shared_ptr<HorizontalBarChartRenderer>
HorizontalBarChartRenderer::create(BarChartDataProvider* dataProvider,
                                   std::shared_ptr<Animator> animator,
                                   std::shared_ptr<ViewPortHandler> viewPortHandler) {
    return std::make_shared<HorizontalBarChartRenderer>(dataProvider, std::move(animator),
                                                        std::move(viewPortHandler));
}

bool HorizontalBarChartRenderer::isDrawingValuesAllowed(ChartDataProvider* dataProvider) {
    return hasFewerEntriesThanVisible(dataProvider, viewPortHandler()->scaleY());
}

Rect HorizontalBarChartRenderer::shadowRect(double x, double barWidth,
                                            const Transformer& trans) const {
    Rect r(0, x - barWidth / 2.0, 0, barWidth);
    trans.rectToPixel(r);
    const ViewPortHandler& vph = *viewPortHandler();
    r.origin.x = vph.contentLeft();
    r.size.width = vph.contentWidth();
    return r;
}

bool HorizontalBarChartRenderer::isBeyondContent(const Rect& bar) const {
    return !viewPortHandler()->isInBoundsTop(bar.origin.y + bar.size.height);
}

bool HorizontalBarChartRenderer::isBeforeContent(const Rect& bar) const {
    return !viewPortHandler()->isInBoundsBottom(bar.origin.y);
}

Rect HorizontalBarChartRenderer::highlightRect(double x, double y1, double y2, double barWidthHalf,
                                               const Transformer& trans) const {
    Rect r(y1, x - barWidthHalf, y2 - y1, 2 * barWidthHalf);
    trans.rectToPixelHorizontal(r, animator() ? animator()->phaseY() : 1.0);
    return r;
}

void HorizontalBarChartRenderer::setHighlightDrawPosition(Highlight& high, const Rect& bar) const {
    high.setDraw(bar.midY(), bar.origin.x + bar.size.width);
}

} // namespace charting
