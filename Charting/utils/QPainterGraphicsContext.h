#pragma once

#include "Charting/utils/GraphicsContext.h"

#include <QTransform>

class QPainter;

namespace charting {

// Paints on a QPainter (a widget's paint event, an off-screen image). The painter's transform
// when the context is made is the base of the context's own transform; states still saved
// when the context goes are restored, so the painter is handed back as it came.
class QPainterGraphicsContext : public GraphicsContext {
public:
    explicit QPainterGraphicsContext(QPainter& painter);
    ~QPainterGraphicsContext() override;

    QPainter& painter() { return painter_; }
    static QTransform toQTransform(const platform::AffineTransform& m);

protected:
    void paintPath(const Path& userPath, PaintKind kind, FillRule rule,
                   const State& state) override;
    void paintLinearGradient(const Gradient& gradient, platform::Point start, platform::Point end,
                             unsigned options, const State& state) override;
    void paintRadialGradient(const Gradient& gradient, platform::Point startCenter,
                             double startRadius, platform::Point endCenter, double endRadius,
                             unsigned options, const State& state) override;
    void paintImage(const QImage& image, const platform::Rect& rect, bool tiled,
                    const State& state) override;
    void paintText(const QString& text, const platform::Rect& box, bool wrapped,
                   const TextAttributes& attributes, const State& state) override;
    double surfacePixelsPerPoint() const override;
    void stateSaved() override;
    void stateRestored() override;
    void clipAdded(const Clip& deviceClip) override;

private:
    void prepare(const State& state);
    double devicePixelRatio() const;

    QPainter& painter_;
    QTransform base_;
};

} // namespace charting
