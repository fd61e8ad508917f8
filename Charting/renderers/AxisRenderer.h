#pragma once

#include "platform/Geometry.h"

#include <memory>
#include <optional>
#include <utility>

namespace charting {

class AxisBase;
class ChartLimitLine;
class GraphicsContext;
class Transformer;
class ViewPortHandler;

// What every axis renderer offers the chart views: the label values for a range, and the four
// layers it draws (labels, grid lines, axis line, limit lines).
class AxisRenderer {
public:
    virtual ~AxisRenderer() = default;

    virtual const std::shared_ptr<ViewPortHandler>& viewPortHandler() const = 0;
    virtual AxisBase* axis() const = 0;
    // None: the view port is not consulted and nothing placed by value is drawn.
    virtual const std::shared_ptr<Transformer>& transformer() const = 0;

    virtual void renderAxisLabels(GraphicsContext& context) = 0;
    virtual void renderGridLines(GraphicsContext& context) = 0;
    virtual void renderAxisLine(GraphicsContext& context) = 0;
    virtual void renderLimitLines(GraphicsContext& context) = 0;

    // The visible part of min...max (from the view port when zoomed in), then its values.
    virtual void computeAxis(double min, double max, bool inverted) = 0;
    virtual void computeAxisValues(double min, double max) = 0;
};

// What both axis renderers hold: the view port, their axis and the optional transformer.
template <class Axis> class AxisRendererBase : public AxisRenderer {
public:
    const std::shared_ptr<ViewPortHandler>& viewPortHandler() const override {
        return viewPortHandler_;
    }
    Axis* axis() const override { return axis_.get(); }
    const std::shared_ptr<Transformer>& transformer() const override { return transformer_; }

protected:
    AxisRendererBase(std::shared_ptr<ViewPortHandler> viewPortHandler, std::shared_ptr<Axis> axis,
                     std::shared_ptr<Transformer> transformer)
        : viewPortHandler_(std::move(viewPortHandler)), axis_(std::move(axis)),
          transformer_(std::move(transformer)) {}

    std::shared_ptr<ViewPortHandler> viewPortHandler_;
    std::shared_ptr<Axis> axis_;
    std::shared_ptr<Transformer> transformer_;
};

// The values at two pixel points of the content, when the view port decides the visible range:
// with a transformer, content wider than 10 points and not fully zoomed out along the axis.
std::optional<std::pair<platform::Point, platform::Point>>
visibleValues(const ViewPortHandler& viewPortHandler, const Transformer* transformer,
              bool fullyZoomedOut, platform::Point first, platform::Point second);

// The axis range min...max as the view port shows it: the values at two pixel points of the
// content (their x values, or their y values when `alongY`), from the first to the second, the
// other way round when inverted; min...max as given when the view port does not decide.
std::pair<double, double> visibleRange(const ViewPortHandler& viewPortHandler,
                                       const Transformer* transformer, bool fullyZoomedOut,
                                       platform::Point first, platform::Point second, bool alongY,
                                       bool inverted, double min, double max);

// Stroke settings: the axis line's colour, width and dash; the grid's clip to the rectangle,
// antialiasing, colour, width, cap and dash; a limit line's colour, width and dash.
void setAxisLineStroke(GraphicsContext& context, const AxisBase& axis);
void setGridStroke(GraphicsContext& context, const AxisBase& axis, const platform::Rect& clip);
void setLimitLineStroke(GraphicsContext& context, const ChartLimitLine& line);

// The label values of the axis for min...max, shared by the axis renderers: an interval of one
// significant digit (not below the granularity when that is on), forced or centred labels as
// the axis asks, written into the axis's entries, centred entries and decimals. A range that
// gives no usable interval (empty, not finite, too small to scale) leaves both lists empty and
// the decimals as they were, and returns false.
bool computeAxisEntries(AxisBase& axis, double min, double max);

} // namespace charting
