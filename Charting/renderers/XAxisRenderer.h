#pragma once

#include "Charting/components/XAxis.h"
#include "Charting/renderers/AxisRenderer.h"
#include "Charting/utils/TextAttributes.h"
#include "platform/Geometry.h"

#include <QString>

#include <array>

namespace charting {

class ChartLimitLine;

// Computes the x axis's label values and label sizes, and draws its labels above and/or below
// the content, the axis line, the vertical grid lines and the vertical limit lines.
class XAxisRenderer : public AxisRendererBase<XAxis> {
public:
    // Without a transformer the view port is not consulted and no labels, grid lines or limit
    // lines are drawn.
    static std::shared_ptr<XAxisRenderer> create(std::shared_ptr<ViewPortHandler> viewPortHandler,
                                                 std::shared_ptr<XAxis> axis,
                                                 std::shared_ptr<Transformer> transformer);
    XAxisRenderer() = delete;

    void computeAxis(double min, double max, bool inverted) override;
    // The label values, then (when there are any) the label sizes.
    void computeAxisValues(double min, double max) override;
    // Measures the longest label, upright and rotated, into the axis.
    virtual void computeSize();

    void renderAxisLabels(GraphicsContext& context) override;
    void renderAxisLine(GraphicsContext& context) override;
    // One row of labels at the y position; the anchor is a fraction of the label size.
    virtual void drawLabels(GraphicsContext& context, double pos, platform::Point anchor);
    virtual void drawLabel(GraphicsContext& context, const QString& formattedLabel, double x,
                           double y, const TextAttributes& attributes, platform::Size constrainedTo,
                           platform::Point anchor, double angleRadians);
    void renderGridLines(GraphicsContext& context) override;
    // The content rectangle widened by half the grid line width on the left and right.
    virtual platform::Rect gridClippingRect() const;
    // A vertical line through the content at pixel x, when x lies within the chart.
    virtual void drawGridLine(GraphicsContext& context, double x, double y);
    void renderLimitLines(GraphicsContext& context) override;
    virtual void renderLimitLineLine(GraphicsContext& context, const ChartLimitLine& limitLine,
                                     platform::Point position);
    virtual void renderLimitLineLabel(GraphicsContext& context, const ChartLimitLine& limitLine,
                                      platform::Point position, double yOffset);

protected:
    using AxisRendererBase::AxisRendererBase;

    std::array<platform::Point, 2>& axisLineSegmentsBuffer() { return axisLineSegmentsBuffer_; }

private:
    std::array<platform::Point, 2> axisLineSegmentsBuffer_{};
};

} // namespace charting
