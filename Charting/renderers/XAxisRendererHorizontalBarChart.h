#pragma once

#include "Charting/renderers/XAxisRenderer.h"

namespace charting {

class BarChartDataProvider;

// The x axis of a horizontal bar chart, whose x values run up the view: labels beside the left
// edge of the content (label position bottom), the right edge (top) or both, the axis line along
// those edges, horizontal grid lines and horizontal limit lines. The transformer maps (y value,
// x value) to pixels.
class XAxisRendererHorizontalBarChart : public XAxisRenderer {
public:
    static std::shared_ptr<XAxisRendererHorizontalBarChart>
    create(std::shared_ptr<ViewPortHandler> viewPortHandler, std::shared_ptr<XAxis> axis,
           std::shared_ptr<Transformer> transformer, BarChartDataProvider* chart);

    // The chart the axis belongs to, not owned.
    BarChartDataProvider* chart() const { return chart_; }

    // The visible range from the content's bottom and top edges.
    void computeAxis(double min, double max, bool inverted) override;
    // The label sizes; the rotated width also holds the gap between the labels and the content.
    void computeSize() override;
    void renderAxisLabels(GraphicsContext& context) override;
    // One column of labels at the x position, each centred on its value's height.
    void drawLabels(GraphicsContext& context, double pos, platform::Point anchor) override;
    void renderAxisLine(GraphicsContext& context) override;
    // The content rectangle widened by half the grid line width above and below.
    platform::Rect gridClippingRect() const override;
    // A horizontal line across the content at pixel y.
    void drawGridLine(GraphicsContext& context, double x, double y) override;
    // A horizontal line across the content at each enabled limit.
    void renderLimitLines(GraphicsContext& context) override;

protected:
    XAxisRendererHorizontalBarChart(std::shared_ptr<ViewPortHandler> viewPortHandler,
                                    std::shared_ptr<XAxis> axis,
                                    std::shared_ptr<Transformer> transformer,
                                    BarChartDataProvider* chart)
        : XAxisRenderer(std::move(viewPortHandler), std::move(axis), std::move(transformer)),
          chart_(chart) {}

private:
    BarChartDataProvider* chart_;
};

} // namespace charting
