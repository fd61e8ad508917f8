#pragma once

#include "Charting/components/YAxis.h"
#include "Charting/renderers/AxisRenderer.h"
#include "Charting/utils/TextAttributes.h"
#include "platform/Geometry.h"

#include <vector>

namespace charting {

// Computes a y axis's label values and draws its labels beside the content, the axis line on
// its side, the horizontal grid lines, the zero line and the horizontal limit lines.
class YAxisRenderer : public AxisRendererBase<YAxis> {
public:
    // Without a transformer the view port is not consulted and no labels, grid lines, zero line
    // or limit lines are drawn.
    static std::shared_ptr<YAxisRenderer> create(std::shared_ptr<ViewPortHandler> viewPortHandler,
                                                 std::shared_ptr<YAxis> axis,
                                                 std::shared_ptr<Transformer> transformer);
    YAxisRenderer() = delete;

    void renderAxisLabels(GraphicsContext& context) override;
    void renderAxisLine(GraphicsContext& context) override;
    // The labels of the entries at pixel x `fixedPosition`, each at the y of its position plus
    // `offset`; entries without a position get no label.
    virtual void drawYLabels(GraphicsContext& context, double fixedPosition,
                             const std::vector<platform::Point>& positions, double offset,
                             TextAlignment textAlign);
    void renderGridLines(GraphicsContext& context) override;
    // The content rectangle widened by half the grid line width above and below.
    virtual platform::Rect gridClippingRect() const;
    // A horizontal line across the content at the position's y.
    virtual void drawGridLine(GraphicsContext& context, platform::Point position);
    // The pixel points of the entries (x value 0); none without a transformer.
    virtual std::vector<platform::Point> transformedPositions() const;
    virtual void drawZeroLine(GraphicsContext& context);
    void renderLimitLines(GraphicsContext& context) override;

    void computeAxis(double min, double max, bool inverted) override;
    void computeAxisValues(double min, double max) override;

protected:
    using AxisRendererBase::AxisRendererBase;
};

} // namespace charting
