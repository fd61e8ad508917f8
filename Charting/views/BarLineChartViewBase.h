#pragma once

#include "Charting/components/AxisDependency.h"
#include "Charting/data/BarLineScatterCandleBubbleChartDataProvider.h"
#include "Charting/jobs/ZoomJobChart.h"
#include "Charting/views/ChartViewBase.h"

#include <QColor>

#include <memory>

namespace charting {

class Transformer;
class XAxisRenderer;
class YAxis;
class YAxisRenderer;

// The chart view of every chart with an x axis and two y axes: the axes with their renderers and
// transformers, the drawing pass in its fixed order, the axis ranges, auto-scaling to the visible
// x range, the content layout (room for the axes and the legend), the grid background and
// border, and keeping the visible position on a resize.
class BarLineChartViewBase : public ChartViewBase,
                             public virtual BarLineScatterCandleBubbleChartDataProvider,
                             public ZoomJobChart {
public:
    ~BarLineChartViewBase() override;

    // Makes the transformers and the highlighter (before any drawing or layout).
    void initialize() override;

    virtual QColor gridBackgroundColor() const { return gridBackgroundColor_; }
    virtual void setGridBackgroundColor(QColor color) { gridBackgroundColor_ = color; }
    virtual QColor borderColor() const { return borderColor_; }
    virtual void setBorderColor(QColor color) { borderColor_ = color; }
    virtual double borderLineWidth() const { return borderLineWidth_; }
    virtual void setBorderLineWidth(double width) { borderLineWidth_ = width; }
    virtual bool drawGridBackgroundEnabled() const { return drawGridBackgroundEnabled_; }
    virtual void setDrawGridBackgroundEnabled(bool enabled) { drawGridBackgroundEnabled_ = enabled; }
    virtual bool isDrawGridBackgroundEnabled() const { return drawGridBackgroundEnabled(); }
    virtual bool drawBordersEnabled() const { return drawBordersEnabled_; }
    virtual void setDrawBordersEnabled(bool enabled) { drawBordersEnabled_ = enabled; }
    virtual bool isDrawBordersEnabled() const { return drawBordersEnabled(); }
    virtual bool clipValuesToContentEnabled() const { return clipValuesToContentEnabled_; }
    virtual void setClipValuesToContentEnabled(bool enabled) { clipValuesToContentEnabled_ = enabled; }
    virtual bool clipDataToContentEnabled() const { return clipDataToContentEnabled_; }
    virtual void setClipDataToContentEnabled(bool enabled) { clipDataToContentEnabled_ = enabled; }
    // Smallest offset on each side of the content.
    virtual double minOffset() const { return minOffset_; }
    virtual void setMinOffset(double offset) { minOffset_ = offset; }
    // Keep the visible position when the view's size changes.
    virtual bool keepPositionOnRotation() const { return keepPositionOnRotation_; }
    virtual void setKeepPositionOnRotation(bool keep) { keepPositionOnRotation_ = keep; }
    virtual std::shared_ptr<YAxis> leftAxis() const { return leftAxis_; }
    virtual void setLeftAxis(std::shared_ptr<YAxis> axis);
    virtual std::shared_ptr<YAxis> rightAxis() const { return rightAxis_; }
    virtual void setRightAxis(std::shared_ptr<YAxis> axis);
    // Axis renderers, made on first read.
    virtual std::shared_ptr<YAxisRenderer> leftYAxisRenderer();
    virtual void setLeftYAxisRenderer(std::shared_ptr<YAxisRenderer> renderer);
    virtual std::shared_ptr<YAxisRenderer> rightYAxisRenderer();
    virtual void setRightYAxisRenderer(std::shared_ptr<YAxisRenderer> renderer);
    virtual std::shared_ptr<XAxisRenderer> xAxisRenderer();
    virtual void setXAxisRenderer(std::shared_ptr<XAxisRenderer> renderer);
    // The transformers (replaceable: the horizontal bar chart brings its own).
    virtual void setTransformers(std::shared_ptr<Transformer> left,
                                 std::shared_ptr<Transformer> right);

    virtual bool highlightPerDragEnabled() const { return highlightPerDragEnabled_; }
    virtual void setHighlightPerDragEnabled(bool enabled) { highlightPerDragEnabled_ = enabled; }

    virtual void autoScaleToVisibleRange();
    virtual void prepareValuePixelMatrices();
    // Adds the legend's room beside the content to the four offsets.
    virtual void addLegendOffsets(double& offsetLeft, double& offsetTop, double& offsetRight,
                                  double& offsetBottom);
    virtual void drawGridBackgroundAndBorder(GraphicsContext& context);

    // Fixed offsets: the layout leaves them alone until resetViewPortOffsets. From another
    // thread the work is handed to the main thread.
    virtual void setViewPortOffsets(double left, double top, double right, double bottom);
    virtual void resetViewPortOffsets();
    // The value range of the y axis on that side.
    double getAxisRange(AxisDependency axis) const override;
    double xRange() override { return ChartViewBase::xRange(); }

    virtual std::shared_ptr<YAxis> getAxis(AxisDependency axis);
    virtual bool isAnyAxisInverted() const;
    virtual bool autoScaleMinMaxEnabled() const { return autoScaleMinMaxEnabled_; }
    virtual void setAutoScaleMinMaxEnabled(bool enabled) { autoScaleMinMaxEnabled_ = enabled; }
    virtual bool isAutoScaleMinMaxEnabled() const { return autoScaleMinMaxEnabled(); }
    virtual void setYAxisMinWidth(AxisDependency axis, double width);
    virtual double getYAxisMinWidth(AxisDependency axis) const;
    virtual void setYAxisMaxWidth(AxisDependency axis, double width);
    virtual double getYAxisMaxWidth(AxisDependency axis) const;
    virtual double getYAxisWidth(AxisDependency axis) const;
    std::shared_ptr<Transformer> getTransformerForAxis(AxisDependency axis) override;
    int maxVisibleCount() override { return maxVisibleCount_; }
    virtual void setMaxVisibleCount(int count) { maxVisibleCount_ = count; }
    bool isInverted(AxisDependency axis) override;
    double lowestVisibleX() override;
    double highestVisibleX() override;

    void notifyDataSetChanged() override;
    void calculateOffsets() override;
    void computeAxisRanges() override;
    double chartYMax() override;
    double chartYMin() override;

    void drawRect(GraphicsContext* context, const platform::Rect& rect) override;
    void boundsDidChange() override;

protected:
    explicit BarLineChartViewBase(QWidget* parent = nullptr);

    bool customViewPortEnabled() const { return customViewPortEnabled_; }

private:
    const std::shared_ptr<YAxis>& axisFor(AxisDependency axis) const {
        return axis == AxisDependency::left ? leftAxis_ : rightAxis_;
    }
    void applyViewPortOffsets(double left, double top, double right, double bottom);
    void prepareOffsetMatrices();

    int maxVisibleCount_ = 100;
    bool autoScaleMinMaxEnabled_ = false;
    QColor gridBackgroundColor_ = QColor(240, 240, 240);
    QColor borderColor_ = QColor(0, 0, 0);
    double borderLineWidth_ = 1.0;
    bool drawGridBackgroundEnabled_ = false;
    bool drawBordersEnabled_ = false;
    bool clipValuesToContentEnabled_ = false;
    bool clipDataToContentEnabled_ = true;
    double minOffset_ = 10.0;
    bool keepPositionOnRotation_ = false;
    std::shared_ptr<YAxis> leftAxis_;
    std::shared_ptr<YAxis> rightAxis_;
    std::shared_ptr<YAxisRenderer> leftYAxisRenderer_;
    std::shared_ptr<YAxisRenderer> rightYAxisRenderer_;
    std::shared_ptr<Transformer> leftAxisTransformer_;
    std::shared_ptr<Transformer> rightAxisTransformer_;
    std::shared_ptr<XAxisRenderer> xAxisRenderer_;
    bool customViewPortEnabled_ = false;
    bool highlightPerDragEnabled_ = true;
};

} // namespace charting
