#pragma once

#include "Charting/utils/Gradient.h"
#include "Charting/utils/LineCap.h"
#include "Charting/utils/Path.h"
#include "Charting/utils/TextAttributes.h"
#include "platform/Geometry.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <functional>
#include <vector>

namespace charting {

enum class PathDrawingMode : int {
    fill = 0,
    eoFill = 1,
    stroke = 2,
    fillStroke = 3,
    eoFillStroke = 4
};

// The drawing surface every renderer draws through. Coordinates are points with y growing
// downwards. The semantics are fixed here, whatever paints behind it:
// - the graphics state (colours, alpha, line settings, transform, clip) is saved and restored
//   as a whole, balanced; restoring with nothing saved does nothing;
// - lines have butt caps and miter joins unless set; dash lengths and phase are in points, and
//   no (or an empty) list of lengths means a solid line;
// - each clip intersects the clip in effect;
// - fills use the nonzero winding rule unless told otherwise;
// - the current path is not part of the state: points are mapped by the transform in effect
//   when they are added, and painting or clipping with it consumes it;
// - text is placed by the top-left corner of its box (single line) or wrapped inside a box.
class GraphicsContext {
public:
    struct Clip {
        Path path; // in device space
        FillRule rule = FillRule::winding;
    };
    struct State {
        platform::AffineTransform ctm;
        QColor strokeColor = QColor(0, 0, 0);
        QColor fillColor = QColor(0, 0, 0);
        double alpha = 1;
        double lineWidth = 1;
        LineCap lineCap = LineCap::butt;
        LineJoin lineJoin = LineJoin::miter;
        double miterLimit = 10;
        double lineDashPhase = 0;
        std::vector<double> lineDashLengths;
        bool shouldAntialias = true;
        std::vector<Clip> clips; // all of them apply
        StrokeStyle strokeStyle() const;
    };

    GraphicsContext() = default;
    virtual ~GraphicsContext() = default;
    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;

    // Graphics state.
    void saveGState();
    void restoreGState();
    int savedStateCount() const { return int(stack_.size()); }
    const State& state() const { return state_; }
    void setStrokeColor(const QColor& color);
    void setFillColor(const QColor& color);
    void setAlpha(double alpha);
    void setLineWidth(double width);
    void setLineCap(LineCap cap);
    void setLineJoin(LineJoin join);
    void setMiterLimit(double limit);
    void setLineDash(double phase, const std::vector<double>& lengths);
    void setShouldAntialias(bool antialias);

    // Transform: each step applies before the transform in effect.
    void translateBy(double tx, double ty);
    void scaleBy(double sx, double sy);
    void rotateBy(double radians);
    void concatenateCTM(const platform::AffineTransform& transform);
    const platform::AffineTransform& ctm() const { return state_.ctm; }
    // Device pixels per unit of user space: the transform's scale times the surface's own.
    double devicePixelsPerPoint() const;

    // Clipping (intersects the clip in effect).
    void clipToRect(const platform::Rect& rect);
    void clipToRects(const std::vector<platform::Rect>& rects);
    void clip(FillRule rule = FillRule::winding); // to the current path, which is consumed

    // The current path.
    void beginPath();
    void moveTo(platform::Point p);
    void addLineTo(platform::Point p);
    void addCurveTo(platform::Point control1, platform::Point control2, platform::Point end);
    void addQuadCurveTo(platform::Point control, platform::Point end);
    void closePath();
    void addRect(const platform::Rect& rect);
    void addEllipse(const platform::Rect& rect);
    void addLines(const std::vector<platform::Point>& points);
    void addPath(const Path& path);
    void replacePathWithStrokedPath();
    bool isPathEmpty() const { return path_.isEmpty(); }
    // In the current user space; null when the path is empty.
    platform::Rect boundingBoxOfPath() const;
    const Path& devicePath() const { return path_; }

    // Painting.
    void strokePath();
    void fillPath(FillRule rule = FillRule::winding);
    void drawPath(PathDrawingMode mode);
    // Strokes the segments between points 0-1, 2-3, ... (an odd last point is ignored).
    void strokeLineSegments(const std::vector<platform::Point>& points);
    void fillRect(const platform::Rect& rect);
    void strokeRect(const platform::Rect& rect);
    void fillEllipse(const platform::Rect& rect);
    void strokeEllipse(const platform::Rect& rect);
    void drawLinearGradient(const Gradient& gradient, platform::Point start, platform::Point end,
                            unsigned options);
    void drawRadialGradient(const Gradient& gradient, platform::Point startCenter,
                            double startRadius, platform::Point endCenter, double endRadius,
                            unsigned options);
    // The image upright in the rectangle; tiled: repeated over the clip from the rectangle on.
    void drawImage(const QImage& image, const platform::Rect& rect);
    void drawTiledImage(const QImage& image, const platform::Rect& tile);
    // One line of text with the top-left corner of its box at the point.
    void drawText(const QString& text, platform::Point topLeft, const TextAttributes& attributes);
    // Text wrapped inside the box, aligned by the paragraph style, from the box's top.
    void drawText(const QString& text, const platform::Rect& box, const TextAttributes& attributes);

protected:
    enum class PaintKind { fill, stroke };
    // What the painting side does; geometry is in user space of `state.ctm` unless named device.
    virtual void paintPath(const Path& userPath, PaintKind kind, FillRule rule,
                           const State& state) = 0;
    virtual void paintLinearGradient(const Gradient& gradient, platform::Point start,
                                     platform::Point end, unsigned options, const State& state) = 0;
    virtual void paintRadialGradient(const Gradient& gradient, platform::Point startCenter,
                                     double startRadius, platform::Point endCenter,
                                     double endRadius, unsigned options, const State& state) = 0;
    virtual void paintImage(const QImage& image, const platform::Rect& rect, bool tiled,
                            const State& state) = 0;
    virtual void paintText(const QString& text, const platform::Rect& box, bool wrapped,
                           const TextAttributes& attributes, const State& state) = 0;
    // Device pixels per point of the surface itself (its pixel ratio and base transform).
    virtual double surfacePixelsPerPoint() const { return 1; }
    virtual void stateSaved() {}
    virtual void stateRestored() {}
    virtual void clipAdded(const Clip& deviceClip) { (void)deviceClip; }

    // Every public call, with its name, numeric arguments, the device path it painted or clipped
    // to, and its text and attributes (empty for the others); state() is the state in effect.
    virtual void noteCall(const char* op, std::vector<double> args, const Path& devicePath,
                          const QString& text, const TextAttributes* attributes) {
        (void)op, (void)args, (void)devicePath, (void)text, (void)attributes;
    }

private:
    void paintCurrentPath(PaintKind kind, FillRule rule);
    // Paints a path made for the call alone (the current path is replaced, then consumed).
    void paintNewPath(const char* op, std::vector<double> args, PaintKind kind,
                      const std::function<void(Path&)>& build);
    void note(const char* op, std::vector<double> args = {}) {
        noteCall(op, std::move(args), Path(), QString(), nullptr);
    }

    State state_;
    std::vector<State> stack_;
    Path path_;
};

} // namespace charting
