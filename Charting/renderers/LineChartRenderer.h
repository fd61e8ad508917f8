#pragma once

#include "Charting/renderers/LineRadarRenderer.h"
#include "Charting/utils/Path.h"
#include "platform/Geometry.h"

#include <memory>
#include <optional>
#include <vector>

namespace charting {

class ChartDataEntry;
class LineChartDataProvider;
class LineChartDataSetProtocol;
class Transformer;

// Draws the data of a line chart: each visible line data set as a line in its mode (linear,
// stepped, cubic or horizontal Bezier) with its fill and gradient, the circles at its entries,
// value labels and icons, the cross-hair lines of highlights, and one accessibility element per
// drawn circle after the chart's header element.
//
// Lines are built in value space and mapped once through the value-to-pixel matrix. A line with
// many more points than the visible range has device pixels is reduced, before it is stroked or
// filled, to the first, lowest, highest and last point of each pixel column: it keeps its shape
// and the stroke costs what a few points per pixel cost.
class LineChartRenderer : public LineRadarRenderer {
public:
    // Points per device pixel column above which a line is reduced per column.
    static constexpr double kReductionPointsPerPixel = 4;

    static std::shared_ptr<LineChartRenderer>
    create(LineChartDataProvider* dataProvider, std::shared_ptr<Animator> animator,
           std::shared_ptr<ViewPortHandler> viewPortHandler);
    LineChartRenderer(LineChartDataProvider* dataProvider, std::shared_ptr<Animator> animator,
                      std::shared_ptr<ViewPortHandler> viewPortHandler);
    LineChartRenderer(std::shared_ptr<Animator>, std::shared_ptr<ViewPortHandler>) = delete;

    // One list per data set of the line data, made on first read: empty lists when the data
    // provider is a chart view, none otherwise.
    virtual const std::vector<AccessibilityElements>& accessibilityOrderedElements();
    // The chart, not owned: none once it is gone.
    virtual LineChartDataProvider* dataProvider() const;
    virtual void setDataProvider(LineChartDataProvider* dataProvider);

    void drawData(GraphicsContext& context) override;
    void drawValues(GraphicsContext& context) override;
    void drawExtras(GraphicsContext& context) override;
    void drawHighlighted(GraphicsContext& context, const Highlights& indices) override;

    virtual void drawDataSet(GraphicsContext& context, LineChartDataSetProtocol& dataSet);
    virtual void drawCubicBezier(GraphicsContext& context, LineChartDataSetProtocol& dataSet);
    virtual void drawHorizontalBezier(GraphicsContext& context, LineChartDataSetProtocol& dataSet);
    // Closes the curve along the fill line and fills it.
    virtual void drawCubicFill(GraphicsContext& context, LineChartDataSetProtocol& dataSet,
                               Path& spline, const platform::AffineTransform& matrix,
                               const XBounds& bounds);
    virtual void drawLinear(GraphicsContext& context, LineChartDataSetProtocol& dataSet);
    virtual void drawLinearFill(GraphicsContext& context, LineChartDataSetProtocol& dataSet,
                                const Transformer& trans, const XBounds& bounds);
    // The area between the line and the fill line fillMin, in view coordinates.
    virtual Path generateFilledPath(const LineChartDataSetProtocol& dataSet, double fillMin,
                                    const XBounds& bounds, const platform::AffineTransform& matrix);
    // Strokes the line with the data set's colours pinned to its gradient positions (y values).
    virtual void drawGradientLine(GraphicsContext& context, const LineChartDataSetProtocol& dataSet,
                                  const Path& spline, const platform::AffineTransform& matrix);
    virtual void drawCircles(GraphicsContext& context);
    // The element of one entry: " <x text>: <y text>", after "<label>, " when the chart has two
    // or more data sets; no label or frame when the entry or the data provider is missing.
    virtual std::shared_ptr<NSUIAccessibilityElement>
    createAccessibilityElement(long long index, AccessibleChart& container,
                               const LineChartDataSetProtocol& dataSet, int dataSetIndex,
                               const platform::Rect& frame);

private:
    // After a curve mode has built its curve: the fill under it, then the line over it.
    // What both curve modes need before they build their path: the value-to-pixel matrix, the
    // y phase and the line colour; the x bounds are set. Nothing without a data provider.
    struct CurveSetup {
        platform::AffineTransform matrix;
        double phaseY;
        QColor color;
    };
    std::optional<CurveSetup> curveSetup(LineChartDataSetProtocol& dataSet, const char* operation);
    void finishCurve(GraphicsContext& context, LineChartDataSetProtocol& dataSet,
                     const Path& curve, const platform::AffineTransform& matrix,
                     const XBounds& bounds, const QColor& color);
    // Device pixels per view point of the context being drawn into.
    double pixelsPerPoint_ = 1;
    std::optional<std::vector<AccessibilityElements>> accessibilityOrderedElements_;
    LineChartDataProvider* dataProvider_ = nullptr;
    std::weak_ptr<const void> dataProviderLifetime_;
    std::vector<platform::Point> lineSegments_ = std::vector<platform::Point>(2);
    Path linePath_; // reused for every line
};

} // namespace charting
