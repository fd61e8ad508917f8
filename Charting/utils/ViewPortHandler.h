#pragma once

#include "platform/Geometry.h"

#include <memory>

namespace charting {

class ViewPortChart;

// The geometry of one chart view: its size, the content rectangle inside it and the touch matrix
// that carries the user's zoom (a, d) and pan (tx, ty), with the limits both must respect.
class ViewPortHandler {
public:
    static std::shared_ptr<ViewPortHandler> create(double width, double height);
    ViewPortHandler(double width, double height);
    ViewPortHandler() = delete;
    virtual ~ViewPortHandler() = default;

    // Size and content rectangle.
    virtual void setChartDimens(double width, double height);
    virtual bool hasChartDimens() const;
    virtual void restrainViewPort(double offsetLeft, double offsetTop, double offsetRight,
                                  double offsetBottom);

    virtual double offsetLeft() const;
    virtual double offsetRight() const;
    virtual double offsetTop() const;
    virtual double offsetBottom() const;
    virtual double contentTop() const;
    virtual double contentLeft() const;
    virtual double contentRight() const;
    virtual double contentBottom() const;
    virtual double contentWidth() const;
    virtual double contentHeight() const;
    virtual platform::Point contentCenter() const;

    // New touch matrices; returned, not applied (fitScreen also resets the smallest scales).
    virtual platform::AffineTransform zoom(double scaleX, double scaleY) const;
    virtual platform::AffineTransform zoom(double scaleX, double scaleY, double x, double y) const;
    virtual platform::AffineTransform zoomIn(double x, double y) const;
    virtual platform::AffineTransform zoomOut(double x, double y) const;
    virtual platform::AffineTransform resetZoom() const;
    virtual platform::AffineTransform setZoom(double scaleX, double scaleY) const;
    virtual platform::AffineTransform setZoom(double scaleX, double scaleY, double x,
                                              double y) const;
    virtual platform::AffineTransform fitScreen();
    virtual platform::AffineTransform translate(platform::Point pt) const;

    // Applying a matrix: stored, clamped and the chart (when given) marked for redrawing.
    virtual void centerViewPort(platform::Point pt, ViewPortChart* chart);
    virtual platform::AffineTransform refresh(const platform::AffineTransform& newMatrix,
                                              ViewPortChart* chart, bool invalidate);
    virtual void clampScaleAndTranslation(platform::AffineTransform& matrix,
                                          const platform::Rect& content);

    // Zoom limits; each setter clamps the touch matrix at once (no redraw).
    virtual void setMinimumScaleX(double xScale);
    virtual void setMaximumScaleX(double xScale);
    virtual void setMinMaxScaleX(double minScaleX, double maxScaleX);
    virtual void setMinimumScaleY(double yScale);
    virtual void setMaximumScaleY(double yScale);
    virtual void setMinMaxScaleY(double minScaleY, double maxScaleY);

    // Bounds tests on pixel values (one pixel of slack left and right, none above and below).
    virtual bool isInBoundsX(double x) const;
    virtual bool isInBoundsY(double y) const;
    virtual bool isInBounds(platform::Point point) const;
    virtual bool isInBounds(double x, double y) const;
    virtual bool isInBoundsLeft(double x) const;
    virtual bool isInBoundsRight(double x) const;
    virtual bool isInBoundsTop(double y) const;
    virtual bool isInBoundsBottom(double y) const;
    // Whether the infinite line through the two points can touch the content.
    virtual bool isIntersectingLine(platform::Point from, platform::Point to) const;

    virtual bool isFullyZoomedOut() const;
    virtual bool isFullyZoomedOutY() const;
    virtual bool isFullyZoomedOutX() const;
    virtual void setDragOffsetX(double offset);
    virtual void setDragOffsetY(double offset);
    virtual bool hasNoDragOffset() const;
    virtual bool canZoomOutMoreX() const;
    virtual bool canZoomInMoreX() const;
    virtual bool canZoomOutMoreY() const;
    virtual bool canZoomInMoreY() const;

    // Stored fields; a direct write stores the value and nothing else.
    const platform::AffineTransform& touchMatrix() const { return touchMatrix_; }
    void setTouchMatrix(const platform::AffineTransform& m) { touchMatrix_ = m; }
    const platform::Rect& contentRect() const { return contentRect_; }
    void setContentRect(const platform::Rect& r) { contentRect_ = r; }
    double chartWidth() const { return chartWidth_; }
    void setChartWidth(double v) { chartWidth_ = v; }
    double chartHeight() const { return chartHeight_; }
    void setChartHeight(double v) { chartHeight_ = v; }
    double minScaleY() const { return minScaleY_; }
    void setMinScaleY(double v) { minScaleY_ = v; }
    double maxScaleY() const { return maxScaleY_; }
    void setMaxScaleY(double v) { maxScaleY_ = v; }
    double minScaleX() const { return minScaleX_; }
    void setMinScaleX(double v) { minScaleX_ = v; }
    double maxScaleX() const { return maxScaleX_; }
    void setMaxScaleX(double v) { maxScaleX_ = v; }
    double scaleX() const { return scaleX_; }
    void setScaleX(double v) { scaleX_ = v; }
    double scaleY() const { return scaleY_; }
    void setScaleY(double v) { scaleY_ = v; }
    double transX() const { return transX_; }
    void setTransX(double v) { transX_ = v; }
    double transY() const { return transY_; }
    void setTransY(double v) { transY_ = v; }
    double transOffsetX() const { return transOffsetX_; }
    double transOffsetY() const { return transOffsetY_; }

private:
    platform::AffineTransform touchMatrix_;
    platform::Rect contentRect_;
    double chartWidth_ = 0;
    double chartHeight_ = 0;
    double minScaleY_ = 1;
    double maxScaleY_;
    double minScaleX_ = 1;
    double maxScaleX_;
    double scaleX_ = 1;
    double scaleY_ = 1;
    double transX_ = 0;
    double transY_ = 0;
    double transOffsetX_ = 0;
    double transOffsetY_ = 0;
};

} // namespace charting
