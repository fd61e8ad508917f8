#pragma once

#include "platform/Geometry.h"

#include <memory>
#include <vector>

namespace charting {

class ViewPortHandler;

// Converts between data values and pixels for one axis of a chart: the value-to-pixel matrix,
// then the handler's touch matrix (zoom and pan), then the offset matrix into the content.
class Transformer {
public:
    static std::shared_ptr<Transformer> create(std::shared_ptr<ViewPortHandler> viewPortHandler);
    explicit Transformer(std::shared_ptr<ViewPortHandler> viewPortHandler);
    Transformer() = delete;
    virtual ~Transformer() = default;

    virtual void prepareMatrixValuePx(double chartXMin, double deltaX, double deltaY,
                                      double chartYMin);
    virtual void prepareMatrixOffset(bool inverted);

    // Value points to pixels, in place; the matrix is computed once per call.
    virtual void valuesToPixels(std::vector<platform::Point>& points) const;
    void valuePointsToPixels(std::vector<platform::Point>& points) const { valuesToPixels(points); }
    virtual void valueToPixel(platform::Point& point) const;
    virtual platform::Point pixelForValues(double x, double y) const;

    // Rectangles to pixels: the upright bounding box of the mapped corners.
    virtual void rectToPixel(platform::Rect& r) const;
    // With the y extent scaled by the phase first: bars grow from the value 0 line.
    virtual void rectToPixel(platform::Rect& r, double phaseY) const;
    virtual void rectToPixelHorizontal(platform::Rect& r) const;
    // With the x extent scaled by the phase first.
    virtual void rectToPixelHorizontal(platform::Rect& r, double phase) const;
    virtual void rectsToPixels(std::vector<platform::Rect>& rects) const;

    // Pixels to values.
    virtual void pixelsToValues(std::vector<platform::Point>& pixels) const;
    virtual void pixelToValue(platform::Point& pixel) const;
    virtual platform::Point valueForTouchPoint(platform::Point point) const;
    virtual platform::Point valueForTouchPoint(double x, double y) const;

    // Computed on every call from the current touch matrix.
    virtual platform::AffineTransform valueToPixelMatrix() const;
    virtual platform::AffineTransform pixelToValueMatrix() const;

    const platform::AffineTransform& matrixValueToPx() const { return matrixValueToPx_; }
    void setMatrixValueToPx(const platform::AffineTransform& m) { matrixValueToPx_ = m; }
    const platform::AffineTransform& matrixOffset() const { return matrixOffset_; }
    void setMatrixOffset(const platform::AffineTransform& m) { matrixOffset_ = m; }
    const std::shared_ptr<ViewPortHandler>& viewPortHandler() const { return viewPortHandler_; }

private:
    platform::AffineTransform matrixValueToPx_;
    platform::AffineTransform matrixOffset_;
    std::shared_ptr<ViewPortHandler> viewPortHandler_;
};

} // namespace charting
