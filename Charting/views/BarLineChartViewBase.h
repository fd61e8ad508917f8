#pragma once

#include "Charting/animation/ChartAnimationEasing.h"
#include "Charting/components/AxisDependency.h"
#include "Charting/data/BarLineScatterCandleBubbleChartDataProvider.h"
#include "Charting/jobs/ZoomJobChart.h"
#include "Charting/utils/GestureTracker.h"
#include "Charting/views/ChartViewBase.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QPointer>

#include <memory>

namespace charting {

class BarLineScatterCandleBubbleChartDataSetProtocol;
class ChartDataSetProtocol;
class NSUIDisplayLink;
class Transformer;
class XAxisRenderer;
class YAxis;
class YAxisRenderer;

// The chart view of every chart with an x axis and two y axes: the axes with their renderers and
// transformers, the drawing pass in its fixed order, the axis ranges, auto-scaling to the visible
// x range, the content layout (room for the axes and the legend), the grid background and
// border, and keeping the visible position on a resize. Interactive: zoom, moves and centring
// (at once, as view-port jobs or animated), limits of the visible ranges, conversions between
// values and pixels, and the gestures (click to highlight, double click to zoom, pinch to zoom,
// drag to move with deceleration or to highlight).
class BarLineChartViewBase : public ChartViewBase,
                             public virtual BarLineScatterCandleBubbleChartDataProvider,
                             public ZoomJobChart,
                             public GestureRecognizerDelegate {
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
    virtual bool isHighlightPerDragEnabled() const { return highlightPerDragEnabled(); }

    // Zoom about the content's centre by 1.4 or 0.7 on both axes; back to the unzoomed matrix.
    virtual void zoomIn();
    virtual void zoomOut();
    virtual void resetZoom();
    // Scales by the factors about a point in content coordinates.
    virtual void zoom(double scaleX, double scaleY, double x, double y);
    // Queues a job: zoomed to the scales with the value (xValue, yValue) at the content's centre.
    virtual void zoom(double scaleX, double scaleY, double xValue, double yValue,
                      AxisDependency axis);
    // Scales by the factors about the content's centre (no new layout, no extra redraw).
    virtual void zoomToCenter(double scaleX, double scaleY);
    // Queues an animated zoom to the scales with the value (xValue, yValue) at the centre.
    virtual void zoomAndCenterViewAnimated(double scaleX, double scaleY, double xValue,
                                           double yValue, AxisDependency axis, double duration,
                                           ChartEasingFunctionBlock easing);
    virtual void zoomAndCenterViewAnimated(double scaleX, double scaleY, double xValue,
                                           double yValue, AxisDependency axis, double duration,
                                           ChartEasingOption easingOption);
    virtual void zoomAndCenterViewAnimated(double scaleX, double scaleY, double xValue,
                                           double yValue, AxisDependency axis, double duration);
    // Unzoomed, with the smallest scales back at 1.
    virtual void fitScreen();
    virtual void setScaleMinima(double scaleX, double scaleY);

    // Limits of the visible value ranges (as scale limits of the view-port handler). A range that
    // is not a positive finite number is ignored.
    virtual double visibleXRange();
    virtual void setVisibleXRangeMaximum(double maxXRange);
    virtual void setVisibleXRangeMinimum(double minXRange);
    virtual void setVisibleXRange(double minXRange, double maxXRange);
    virtual void setVisibleYRangeMaximum(double maxYRange, AxisDependency axis);
    virtual void setVisibleYRangeMinimum(double minYRange, AxisDependency axis);
    virtual void setVisibleYRange(double minYRange, double maxYRange, AxisDependency axis);

    // Moves (queued as view-port jobs): the value to the content's left edge (x), its top edge
    // (y, shifted by half the visible y range) or both; centring puts the value in the middle.
    virtual void moveViewToX(double xValue);
    virtual void moveViewToY(double yValue, AxisDependency axis);
    virtual void moveViewTo(double xValue, double yValue, AxisDependency axis);
    virtual void moveViewToAnimated(double xValue, double yValue, AxisDependency axis,
                                    double duration, ChartEasingFunctionBlock easing);
    virtual void moveViewToAnimated(double xValue, double yValue, AxisDependency axis,
                                    double duration, ChartEasingOption easingOption);
    virtual void moveViewToAnimated(double xValue, double yValue, AxisDependency axis,
                                    double duration);
    virtual void centerViewTo(double xValue, double yValue, AxisDependency axis);
    virtual void centerViewToAnimated(double xValue, double yValue, AxisDependency axis,
                                      double duration, ChartEasingFunctionBlock easing);
    virtual void centerViewToAnimated(double xValue, double yValue, AxisDependency axis,
                                      double duration, ChartEasingOption easingOption);
    virtual void centerViewToAnimated(double xValue, double yValue, AxisDependency axis,
                                      double duration);

    // Conversions between values and view points.
    virtual platform::Point getPosition(const ChartDataEntry& entry, AxisDependency axis);
    virtual platform::Point valueForTouchPoint(platform::Point point, AxisDependency axis);
    virtual platform::Point pixelForValues(double x, double y, AxisDependency axis);
    virtual std::shared_ptr<ChartDataEntry> getEntryByTouchPoint(platform::Point point);
    virtual std::shared_ptr<BarLineScatterCandleBubbleChartDataSetProtocol>
    getDataSetByTouchPoint(platform::Point point);

    virtual double scaleX();
    virtual double scaleY();
    virtual bool isFullyZoomedOut();
    virtual void setDragOffsetX(double offset);
    virtual void setDragOffsetY(double offset);
    virtual bool hasNoDragOffset();

    // Gesture flags. Writing a drag flag leaves the pan gesture's enabled state alone.
    virtual bool dragEnabled() const { return dragXEnabled_ || dragYEnabled_; }
    virtual void setDragEnabled(bool enabled);
    virtual bool isDragEnabled() const { return dragEnabled(); }
    virtual bool dragXEnabled() const { return dragXEnabled_; }
    virtual void setDragXEnabled(bool enabled) { dragXEnabled_ = enabled; }
    virtual bool dragYEnabled() const { return dragYEnabled_; }
    virtual void setDragYEnabled(bool enabled) { dragYEnabled_ = enabled; }
    virtual void setScaleEnabled(bool enabled);
    virtual bool scaleXEnabled() const { return scaleXEnabled_; }
    virtual void setScaleXEnabled(bool enabled);
    virtual bool isScaleXEnabled() const { return scaleXEnabled(); }
    virtual bool scaleYEnabled() const { return scaleYEnabled_; }
    virtual void setScaleYEnabled(bool enabled);
    virtual bool isScaleYEnabled() const { return scaleYEnabled(); }
    virtual bool doubleTapToZoomEnabled() const { return doubleTapToZoomEnabled_; }
    virtual void setDoubleTapToZoomEnabled(bool enabled);
    virtual bool isDoubleTapToZoomEnabled() const { return doubleTapToZoomEnabled(); }
    virtual bool pinchZoomEnabled() const { return pinchZoomEnabled_; }
    virtual void setPinchZoomEnabled(bool enabled);
    virtual bool isPinchZoomEnabled() const { return pinchZoomEnabled(); }

    // The gesture handlers (the actions of the view's four recognisers).
    virtual void tapGestureRecognized(GestureRecognizer& recognizer);
    virtual void doubleTapGestureRecognized(GestureRecognizer& recognizer);
    virtual void pinchGestureRecognized(GestureRecognizer& recognizer);
    virtual void panGestureRecognized(GestureRecognizer& recognizer);
    // Moves the view by a drag's translation; whether it moved.
    virtual bool applyPanTranslation(platform::Point translation);
    virtual void stopDeceleration();
    // One frame of the movement after a fast drag.
    virtual void decelerationLoop();
    // Whether a gesture should start now (a filter for callers and subclasses; the tracker does
    // not ask it).
    virtual bool shouldBeginGesture(GestureRecognizer& recognizer);
    // Pinch and drag run together; the drag runs together with an enclosing scroll area's.
    bool gestureRecognizerShouldRecognizeSimultaneouslyWithGestureRecognizer(
        GestureRecognizer& recognizer, GestureRecognizer& other) override;

    GestureTracker* gestureTracker() const { return gestureTracker_; }
    const std::shared_ptr<GestureRecognizer>& tapGestureRecognizer() const {
        return tapGestureRecognizer_;
    }
    const std::shared_ptr<GestureRecognizer>& doubleTapGestureRecognizer() const {
        return doubleTapGestureRecognizer_;
    }
    const std::shared_ptr<GestureRecognizer>& pinchGestureRecognizer() const {
        return pinchGestureRecognizer_;
    }
    const std::shared_ptr<GestureRecognizer>& panGestureRecognizer() const {
        return panGestureRecognizer_;
    }
    bool isDragging() const { return isDragging_; }
    bool isScaling() const { return isScaling_; }
    bool isDecelerating() const { return decelerationDisplayLink_ != nullptr; }

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
    // Whether an inverted axis mirrors a drag along x instead of along y: true for charts that
    // lay their values out horizontally (horizontal bars).
    virtual bool invertedAxisMirrorsDragX() const { return false; }
    // Adds the room of the axes' labels beside the content to the four offsets (a step of the
    // layout; charts that turn their axes lay them out otherwise).
    virtual void addAxisOffsets(double& offsetLeft, double& offsetTop, double& offsetRight,
                                double& offsetBottom);

private:
    enum class GestureScaleAxis { both = 0, x = 1, y = 2 };

    // Applies a new touch matrix, lays the content out again and redraws.
    void applyZoomMatrix(const platform::AffineTransform& matrix);
    void makeGestureRecognizers();
    void dropGestureRecognizers();
    void updatePinchEnabled();
    // A drag's touch point is mirrored when the touched data set's axis is inverted.
    bool isTouchInverted();
    void queueMove(double xValue, double yValue, AxisDependency axis);
    void queueAnimatedMove(double xValue, double yValue, AxisDependency axis, double duration,
                           ChartEasingFunctionBlock easing);
    // The translation with the parts the drag flags forbid set to 0.
    platform::Point allowedDrag(platform::Point translation) const;

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
    bool pinchZoomEnabled_ = false;
    bool doubleTapToZoomEnabled_ = true;
    bool dragXEnabled_ = true;
    bool dragYEnabled_ = true;
    bool scaleXEnabled_ = true;
    bool scaleYEnabled_ = true;
    GestureTracker* gestureTracker_ = nullptr;
    std::shared_ptr<GestureRecognizer> tapGestureRecognizer_;
    std::shared_ptr<GestureRecognizer> doubleTapGestureRecognizer_;
    std::shared_ptr<GestureRecognizer> pinchGestureRecognizer_;
    std::shared_ptr<GestureRecognizer> panGestureRecognizer_;
    bool isDragging_ = false;
    bool isScaling_ = false;
    GestureScaleAxis gestureScaleAxis_ = GestureScaleAxis::both;
    std::shared_ptr<ChartDataSetProtocol> closestDataSetToTouch_;
    QPointer<QAbstractScrollArea> outerScrollView_;
    platform::Point lastPanPoint_;
    double decelerationLastTime_ = 0;
    std::shared_ptr<NSUIDisplayLink> decelerationDisplayLink_;
    // What the deceleration's display link steps for (it holds its target weakly).
    std::shared_ptr<int> decelerationTarget_ = std::make_shared<int>(0);
    platform::Point decelerationVelocity_;
};

} // namespace charting
