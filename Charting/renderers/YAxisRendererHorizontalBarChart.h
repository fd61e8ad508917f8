#pragma once

#include "Charting/renderers/YAxisRenderer.h"

namespace charting {

// A y axis of a horizontal bar chart, whose y values run along the horizontal pixel direction:
// the left axis along the top edge of the content, the right axis along the bottom edge, with
// vertical grid, zero and limit lines. The transformer maps (y value, x value) to pixels.
class YAxisRendererHorizontalBarChart : public YAxisRenderer {
public:
    static std::shared_ptr<YAxisRendererHorizontalBarChart>
    create(std::shared_ptr<ViewPortHandler> viewPortHandler, std::shared_ptr<YAxis> axis,
           std::shared_ptr<Transformer> transformer);

    // The visible range from the content's left and right edges.
    void computeAxis(double min, double max, bool inverted) override;
    // Above the content's top edge (left axis) or below its bottom edge (right axis); inside
    // the content when the labels are drawn inside.
    void renderAxisLabels(GraphicsContext& context) override;
    // The labels of the entries at pixel y `fixedPosition` + `offset`, each centred on the x of
    // its position (the alignment is not consulted).
    void drawYLabels(GraphicsContext& context, double fixedPosition,
                     const std::vector<platform::Point>& positions, double offset,
                     TextAlignment textAlign) override;
    void renderAxisLine(GraphicsContext& context) override;
    // The content rectangle widened by half the grid line width on the left and right.
    platform::Rect gridClippingRect() const override;
    // A vertical line through the content at the position's x.
    void drawGridLine(GraphicsContext& context, platform::Point position) override;
    // The pixel points of the entries (as y values).
    std::vector<platform::Point> transformedPositions() const override;
    void drawZeroLine(GraphicsContext& context) override;
    // A vertical line through the content at each enabled limit.
    void renderLimitLines(GraphicsContext& context) override;

protected:
    using YAxisRenderer::YAxisRenderer;

private:
    // A vertical line through the content at pixel x, clipped to the content widened by half
    // the line width on each side.
    void strokeVerticalLine(GraphicsContext& context, double x, double lineWidth);
};

} // namespace charting
