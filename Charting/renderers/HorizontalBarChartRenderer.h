#pragma once

#include "Charting/renderers/BarChartRenderer.h"

namespace charting {

// Draws the data of a horizontal bar chart, whose x values run up the view and whose bars run
// along the horizontal pixel direction: the bar renderer with every operation that depends on
// the bars' direction turned a quarter turn.
class HorizontalBarChartRenderer : public BarChartRenderer {
public:
    static std::shared_ptr<HorizontalBarChartRenderer>
    create(BarChartDataProvider* dataProvider, std::shared_ptr<Animator> animator,
           std::shared_ptr<ViewPortHandler> viewPortHandler);
    using BarChartRenderer::BarChartRenderer;

    // Whether the chart's entries are fewer than maxVisibleCount x the vertical zoom.
    bool isDrawingValuesAllowed(ChartDataProvider* dataProvider) override;
    // The y phase grows the rectangle along the horizontal direction.
    platform::Rect highlightRect(double x, double y1, double y2, double barWidthHalf,
                                 const Transformer& trans) const override;
    // (the bar's vertical middle, its right edge): the marker position with its coordinates
    // swapped, as the horizontal bar chart view reads it.
    void setHighlightDrawPosition(Highlight& high, const platform::Rect& bar) const override;

protected:
    platform::Rect shadowRect(double x, double barWidth, const Transformer& trans) const override;
    bool isBeyondContent(const platform::Rect& bar) const override;
    bool isBeforeContent(const platform::Rect& bar) const override;
    bool barsAreHorizontal() const override { return true; }
};

} // namespace charting
