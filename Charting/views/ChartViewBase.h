#pragma once

#include "Charting/animation/Animator.h"
#include "Charting/data/ChartDataProvider.h"
#include "Charting/renderers/AccessibleChart.h"
#include "Charting/utils/NSUIView.h"
#include "Charting/utils/TextAttributes.h"
#include "Charting/utils/ViewPortChart.h"
#include "platform/Geometry.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace charting {

class AnimatedViewPortJob;
class ChartDataEntry;
class ChartHighlighterProtocol;
class ChartMarker;
class ChartValueFormatter;
class ChartViewBase;
class DataRenderer;
class Description;
class GraphicsContext;
class Highlight;
class Legend;
class LegendRenderer;
class ViewPortHandler;
class ViewPortJob;
class XAxis;

// Told of selections, gestures and the end of animations; every operation is optional.
class ChartViewDelegate {
public:
    virtual ~ChartViewDelegate() = default;
    virtual void chartValueSelected(ChartViewBase& chartView,
                                    const std::shared_ptr<ChartDataEntry>& entry,
                                    const Highlight& highlight) {
        (void)chartView, (void)entry, (void)highlight;
    }
    virtual void chartViewDidEndPanning(ChartViewBase& chartView) { (void)chartView; }
    virtual void chartValueNothingSelected(ChartViewBase& chartView) { (void)chartView; }
    virtual void chartScaled(ChartViewBase& chartView, double scaleX, double scaleY) {
        (void)chartView, (void)scaleX, (void)scaleY;
    }
    virtual void chartTranslated(ChartViewBase& chartView, double dX, double dY) {
        (void)chartView, (void)dX, (void)dY;
    }
    virtual void chartViewAnimatorDidStop(ChartViewBase& chartView, Animator& animator) {
        (void)chartView, (void)animator;
    }
};

// The root of every chart view: the chart data and what happens when it is set, the x axis,
// description and legend, the data renderer and highlighter, the view-port handler and animator,
// the highlighted values with their markers, the no-data text, image export and the view-port
// jobs that wait until the view has a size. Never shown by itself.
//
// Construction: the most derived concrete view calls initialize() once at the end of its
// constructor (so that a layout can make it with just a parent widget).
class ChartViewBase : public NSUIView,
                      public virtual ChartDataProvider,
                      public virtual ViewPortChart,
                      public ChartAnimatorDelegate,
                      public AccessibleChart {
public:
    enum class ImageFormat : int { jpeg = 0, png = 1 };

    ~ChartViewBase() override;

    // The platform view's bounds and redrawing, for the view-port handler and jobs as well.
    platform::Rect bounds() const override { return NSUIView::bounds(); }
    void setNeedsDisplayInRect(const platform::Rect& rect) override {
        NSUIView::setNeedsDisplayInRect(rect);
    }

    // Made on first read: a default value formatter with 0 decimals.
    virtual std::shared_ptr<ChartValueFormatter> defaultValueFormatter();
    virtual void setDefaultValueFormatter(std::shared_ptr<ChartValueFormatter> formatter);

    // The data; setting it (even to the object already set) reruns the data-changed pass.
    std::shared_ptr<ChartData> data() override { return data_; }
    virtual void setData(std::shared_ptr<ChartData> data);

    virtual bool dragDecelerationEnabled() const { return dragDecelerationEnabled_; }
    virtual void setDragDecelerationEnabled(bool enabled) { dragDecelerationEnabled_ = enabled; }

    // Components, made on first read.
    std::shared_ptr<XAxis> xAxis() override;
    virtual void setXAxis(std::shared_ptr<XAxis> axis);
    virtual std::shared_ptr<Description> chartDescription();
    virtual void setChartDescription(std::shared_ptr<Description> description);
    virtual std::shared_ptr<Legend> legend();
    virtual void setLegend(std::shared_ptr<Legend> legend);

    // Not owned; clears itself before it goes.
    virtual ChartViewDelegate* delegate() const { return delegate_; }
    virtual void setDelegate(ChartViewDelegate* delegate) { delegate_ = delegate; }

    virtual QString noDataText() const { return noDataText_; }
    virtual void setNoDataText(QString text) { noDataText_ = std::move(text); }
    virtual QFont noDataFont() const { return noDataFont_; }
    virtual void setNoDataFont(QFont font) { noDataFont_ = std::move(font); }
    virtual QColor noDataTextColor() const { return noDataTextColor_; }
    virtual void setNoDataTextColor(QColor color) { noDataTextColor_ = color; }
    virtual TextAlignment noDataTextAlignment() const { return noDataTextAlignment_; }
    virtual void setNoDataTextAlignment(TextAlignment a) { noDataTextAlignment_ = a; }

    // Made on first read, on this view's view-port handler and legend.
    virtual std::shared_ptr<LegendRenderer> legendRenderer();
    virtual void setLegendRenderer(std::shared_ptr<LegendRenderer> renderer);
    virtual std::shared_ptr<DataRenderer> renderer() const { return renderer_; }
    virtual void setRenderer(std::shared_ptr<DataRenderer> renderer);
    virtual std::shared_ptr<ChartHighlighterProtocol> highlighter() const { return highlighter_; }
    virtual void setHighlighter(std::shared_ptr<ChartHighlighterProtocol> highlighter);
    // Made on first read; sized by the view's first resize (size 0 x 0 before it, so that
    // view-port jobs wait for the real size).
    virtual std::shared_ptr<ViewPortHandler> viewPortHandler();
    virtual void setViewPortHandler(std::shared_ptr<ViewPortHandler> handler);
    // Made on first read, with this view as its delegate.
    virtual std::shared_ptr<Animator> chartAnimator();
    virtual void setChartAnimator(std::shared_ptr<Animator> animator);

    virtual bool offsetsCalculated() const { return offsetsCalculated_; }
    virtual void setOffsetsCalculated(bool calculated) { offsetsCalculated_ = calculated; }
    virtual const std::vector<std::shared_ptr<Highlight>>& highlighted() const {
        return highlighted_;
    }
    virtual void setHighlighted(std::vector<std::shared_ptr<Highlight>> highlights) {
        highlighted_ = std::move(highlights);
    }
    virtual bool drawMarkers() const { return drawMarkers_; }
    virtual void setDrawMarkers(bool enabled) { drawMarkers_ = enabled; }
    virtual bool isDrawMarkersEnabled() const { return drawMarkers(); }
    virtual std::shared_ptr<ChartMarker> marker() const { return marker_; }
    virtual void setMarker(std::shared_ptr<ChartMarker> marker) { marker_ = std::move(marker); }

    virtual double extraTopOffset() const { return extraTopOffset_; }
    virtual void setExtraTopOffset(double v) { extraTopOffset_ = v; }
    virtual double extraRightOffset() const { return extraRightOffset_; }
    virtual void setExtraRightOffset(double v) { extraRightOffset_ = v; }
    virtual double extraBottomOffset() const { return extraBottomOffset_; }
    virtual void setExtraBottomOffset(double v) { extraBottomOffset_ = v; }
    virtual double extraLeftOffset() const { return extraLeftOffset_; }
    virtual void setExtraLeftOffset(double v) { extraLeftOffset_ = v; }
    virtual void setExtraOffsets(double left, double top, double right, double bottom);

    // Installs the renderer and highlighter of the chart type; the base class sets up nothing.
    virtual void initialize() {}
    // No data, no offsets, no highlights; redraws.
    virtual void clear();
    // Drops the data's data sets (the view's own state stays); redraws.
    virtual void clearValues();
    // No data, or data without data sets.
    virtual bool isEmpty();
    // Recomputes everything from the data and redraws (the chart type's own pass).
    virtual void notifyDataSetChanged();
    virtual void calculateOffsets();
    virtual void computeAxisRanges() {}
    virtual void setupDefaultFormatter(double min, double max);
    virtual void drawDescription(GraphicsContext& context);

    // Highlighting.
    virtual bool highlightPerTapEnabled() const { return highlightPerTapEnabled_; }
    virtual void setHighlightPerTapEnabled(bool enabled) { highlightPerTapEnabled_ = enabled; }
    virtual bool isHighLightPerTapEnabled() const { return highlightPerTapEnabled(); }
    virtual bool valuesToHighlight() const { return !highlighted_.empty(); }
    // Stores the highlights as they are (none: none), no delegate call; redraws.
    virtual void highlightValues(const std::vector<std::shared_ptr<Highlight>>& highlights);
    virtual void highlightValue(double x, int dataSetIndex, int dataIndex);
    virtual void highlightValue(double x, double y, int dataSetIndex, int dataIndex);
    virtual void highlightValue(double x, int dataSetIndex, int dataIndex, bool callDelegate);
    virtual void highlightValue(double x, double y, int dataSetIndex, int dataIndex,
                                bool callDelegate);
    virtual void highlightValue(const std::shared_ptr<Highlight>& highlight);
    virtual void highlightValue(const std::shared_ptr<Highlight>& highlight, bool callDelegate);
    virtual std::shared_ptr<Highlight> getHighlightByTouchPoint(platform::Point point);
    virtual std::shared_ptr<Highlight> lastHighlighted() const { return lastHighlighted_; }
    virtual void setLastHighlighted(std::shared_ptr<Highlight> highlight) {
        lastHighlighted_ = std::move(highlight);
    }
    virtual void drawMarkersInContext(GraphicsContext& context);
    virtual platform::Point getMarkerPosition(const Highlight& highlight);

    // Animation: handed to the animator (option 15, in-out sine, where none is given).
    virtual void animate(double xAxisDuration, double yAxisDuration, ChartEasingFunctionBlock easingX,
                         ChartEasingFunctionBlock easingY);
    virtual void animate(double xAxisDuration, double yAxisDuration,
                         ChartEasingOption easingOptionX, ChartEasingOption easingOptionY);
    virtual void animate(double xAxisDuration, double yAxisDuration,
                         ChartEasingFunctionBlock easing);
    virtual void animate(double xAxisDuration, double yAxisDuration,
                         ChartEasingOption easingOption);
    virtual void animate(double xAxisDuration, double yAxisDuration);
    virtual void animateX(double xAxisDuration, ChartEasingFunctionBlock easing);
    virtual void animateX(double xAxisDuration, ChartEasingOption easingOption);
    virtual void animateX(double xAxisDuration);
    virtual void animateY(double yAxisDuration, ChartEasingFunctionBlock easing);
    virtual void animateY(double yAxisDuration, ChartEasingOption easingOption);
    virtual void animateY(double yAxisDuration);

    // The data-provider interface.
    double chartYMax() override;
    double chartYMin() override;
    double chartXMax() override;
    double chartXMin() override;
    double xRange() override;
    virtual platform::Point midPoint() const;
    platform::Point centerOffsets() override;
    virtual platform::Rect contentRect();
    double maxHighlightDistance() override { return maxHighlightDistance_; }
    virtual void setMaxHighlightDistance(double distance) { maxHighlightDistance_ = distance; }
    int maxVisibleCount() override { return std::numeric_limits<int>::max(); }

    // The chart drawn into a new image of the view's size (white, then the background colour,
    // behind it unless transparent and not opaque); none when no image can be made.
    virtual std::optional<QImage> getChartImage(bool transparent);
    // The chart as PNG (transparent) or JPEG (opaque), written atomically.
    virtual bool saveToPath(const QString& path, ImageFormat format, double compressionQuality);
    // Whether the view paints all of itself opaquely.
    virtual bool isOpaque() const;

    // View-port jobs run at once when the view has its size, else when it gets it.
    virtual void removeViewportJob(const std::shared_ptr<ViewPortJob>& job);
    virtual void clearAllViewportJobs();
    virtual void addViewportJob(const std::shared_ptr<ViewPortJob>& job);
    const std::vector<std::shared_ptr<ViewPortJob>>& viewportJobs() const {
        return viewportJobs_;
    }

    virtual bool isDragDecelerationEnabled() const { return dragDecelerationEnabled(); }
    virtual double dragDecelerationFrictionCoef() const { return dragDecelerationFrictionCoef_; }
    // Clamped into 0...0.999.
    virtual void setDragDecelerationFrictionCoef(double coefficient);

    void animatorUpdated(Animator& animator) override;
    void animatorStopped(Animator& animator) override;

    // The renderer's accessibility elements (none without a renderer).
    std::vector<std::shared_ptr<NSUIAccessibilityElement>> accessibilityRows() const override;
    QWidget* accessibilityContainer() override { return this; }
    std::optional<QString> chartDescriptionText() override;

    // The drawing pass into a context (none: nothing is drawn); subclasses call it first.
    virtual void drawRect(GraphicsContext* context, const platform::Rect& rect);

    // The view's size changed: the view-port handler takes it, the chart recomputes and the
    // waiting view-port jobs run in order.
    virtual void boundsDidChange();

protected:
    explicit ChartViewBase(QWidget* parent = nullptr);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Hands the handler a size given to the widget that no resize event reported yet (a hidden
    // widget's pending resize).
    void syncSizeWithBounds();
    void redraw();

private:
    void dataDidSet();
    void runJob(const std::shared_ptr<ViewPortJob>& job);

    std::shared_ptr<ChartValueFormatter> defaultValueFormatter_;
    std::shared_ptr<ChartData> data_;
    bool dragDecelerationEnabled_ = true;
    std::shared_ptr<XAxis> xAxis_;
    std::shared_ptr<Description> chartDescription_;
    std::shared_ptr<Legend> legend_;
    ChartViewDelegate* delegate_ = nullptr;
    QString noDataText_ = QStringLiteral("No chart data available.");
    QFont noDataFont_;
    QColor noDataTextColor_;
    TextAlignment noDataTextAlignment_ = TextAlignment::left;
    std::shared_ptr<LegendRenderer> legendRenderer_;
    std::shared_ptr<DataRenderer> renderer_;
    std::shared_ptr<ChartHighlighterProtocol> highlighter_;
    std::shared_ptr<ViewPortHandler> viewPortHandler_;
    std::shared_ptr<Animator> chartAnimator_;
    bool offsetsCalculated_ = false;
    std::vector<std::shared_ptr<Highlight>> highlighted_;
    bool drawMarkers_ = true;
    std::shared_ptr<ChartMarker> marker_;
    double extraTopOffset_ = 0;
    double extraRightOffset_ = 0;
    double extraBottomOffset_ = 0;
    double extraLeftOffset_ = 0;
    bool highlightPerTapEnabled_ = true;
    std::shared_ptr<Highlight> lastHighlighted_;
    std::vector<std::shared_ptr<ViewPortJob>> viewportJobs_;
    double dragDecelerationFrictionCoef_ = 0.9;
    double maxHighlightDistance_ = 500.0;
    // Animated jobs started by this view, stopped (unfinished) when it goes.
    std::vector<std::weak_ptr<AnimatedViewPortJob>> startedAnimations_;
};

} // namespace charting
