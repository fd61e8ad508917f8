#pragma once

#include "Charting/utils/Gradient.h"
#include "platform/Geometry.h"

#include <QColor>
#include <QImage>

namespace charting {

class GraphicsContext;

// Paints the area under a line (or inside a radar shape). The renderers add the area's outline
// as the context's current path, set the fill alpha and pass the chart's content rectangle as
// `rect`. Every fill but EmptyFill saves the graphics state first and restores it last; the
// current path is consumed.
class Fill {
public:
    virtual ~Fill() = default;
    virtual void fillPath(GraphicsContext& context, const platform::Rect& rect) = 0;
};

// Paints nothing.
class EmptyFill : public Fill {
public:
    void fillPath(GraphicsContext& context, const platform::Rect& rect) override;
};

// The path filled with one colour (nonzero winding).
class ColorFill : public Fill {
public:
    explicit ColorFill(QColor color) : color_(color) {}
    ColorFill() = delete;
    const QColor& color() const { return color_; }
    void fillPath(GraphicsContext& context, const platform::Rect& rect) override;

private:
    QColor color_;
};

// An image drawn into the rectangle, clipped to the path: once, or repeated over the clipped
// area from the rectangle on. A null image paints nothing.
class ImageFill : public Fill {
public:
    ImageFill(QImage image, bool isTiled) : image_(std::move(image)), isTiled_(isTiled) {}
    ImageFill() = delete;
    const QImage& image() const { return image_; }
    bool isTiled() const { return isTiled_; }
    void fillPath(GraphicsContext& context, const platform::Rect& rect) override;

private:
    QImage image_;
    bool isTiled_;
};

// A drawing layer (kept as its picture) drawn into the rectangle, clipped to the path.
class LayerFill : public Fill {
public:
    explicit LayerFill(QImage layer) : layer_(std::move(layer)) {}
    LayerFill() = delete;
    const QImage& layer() const { return layer_; }
    void fillPath(GraphicsContext& context, const platform::Rect& rect) override;

private:
    QImage layer_;
};

// A linear gradient across the rectangle through its centre, clipped to the path: angle 0 runs
// from the left edge to the right edge, 90 from the bottom edge up (degrees, counter-clockwise
// on screen). Extended before its start and after its end.
class LinearGradientFill : public Fill {
public:
    LinearGradientFill(Gradient gradient, double angle)
        : gradient_(std::move(gradient)), angle_(angle) {}
    LinearGradientFill() = delete;
    const Gradient& gradient() const { return gradient_; }
    double angle() const { return angle_; }
    void fillPath(GraphicsContext& context, const platform::Rect& rect) override;

private:
    Gradient gradient_;
    double angle_;
};

// A radial gradient clipped to the path, between two circles placed relative to the rectangle:
// centres at its centre moved by the offsets (fractions of its width and height), radii as
// fractions of half its longer side. Extended before its start and after its end.
class RadialGradientFill : public Fill {
public:
    RadialGradientFill(Gradient gradient, platform::Point startOffsetPercent,
                       platform::Point endOffsetPercent, double startRadiusPercent,
                       double endRadiusPercent)
        : gradient_(std::move(gradient)), startOffsetPercent_(startOffsetPercent),
          endOffsetPercent_(endOffsetPercent), startRadiusPercent_(startRadiusPercent),
          endRadiusPercent_(endRadiusPercent) {}
    // From the centre (radius 0) to half the rectangle's longer side.
    explicit RadialGradientFill(Gradient gradient)
        : RadialGradientFill(std::move(gradient), {0, 0}, {0, 0}, 0, 1) {}
    RadialGradientFill() = delete;
    const Gradient& gradient() const { return gradient_; }
    platform::Point startOffsetPercent() const { return startOffsetPercent_; }
    platform::Point endOffsetPercent() const { return endOffsetPercent_; }
    double startRadiusPercent() const { return startRadiusPercent_; }
    double endRadiusPercent() const { return endRadiusPercent_; }
    void fillPath(GraphicsContext& context, const platform::Rect& rect) override;

private:
    Gradient gradient_;
    platform::Point startOffsetPercent_;
    platform::Point endOffsetPercent_;
    double startRadiusPercent_;
    double endRadiusPercent_;
};

} // namespace charting
