#pragma once

#include "Charting/data/LineRadarChartDataSetProtocol.h"
#include "Charting/utils/LineCap.h"

namespace charting {

class ChartFillFormatter;

// How a line data set's line is drawn: raw 0 and 1 with straight segments (1 as steps), 2 as
// cubic Bezier curves, 3 as horizontal Bezier curves. Any integer may be stored; values outside
// these are the renderer's concern.
enum class LineChartMode : int {
    linear = 0,
    stepped = 1,
    cubicBezier = 2,
    horizontalBezier = 3,
};

// The line data set as the line renderer reads it.
class LineChartDataSetProtocol : public virtual LineRadarChartDataSetProtocol {
public:
    using Mode = LineChartMode;

    virtual Mode mode() const = 0;
    virtual void setMode(Mode mode) = 0;
    virtual double cubicIntensity() const = 0;
    // Clamped to 0.05 ... 1.0.
    virtual void setCubicIntensity(double intensity) = 0;
    virtual bool isDrawLineWithGradientEnabled() const = 0;
    virtual void setDrawLineWithGradientEnabled(bool enabled) = 0;
    virtual std::optional<std::vector<double>> gradientPositions() const = 0;
    virtual void setGradientPositions(std::optional<std::vector<double>> positions) = 0;
    virtual double circleRadius() const = 0;
    virtual void setCircleRadius(double radius) = 0;
    virtual double circleHoleRadius() const = 0;
    virtual void setCircleHoleRadius(double radius) = 0;
    virtual const std::vector<QColor>& circleColors() const = 0;
    // The circle colour at index modulo the number of circle colours; none when there are none.
    virtual std::optional<QColor> getCircleColorAtIndex(int index) const = 0;
    virtual void setCircleColor(QColor color) = 0;
    // Empties the circle colours (the argument is not consulted).
    virtual void resetCircleColors(int index) = 0;
    virtual bool drawCirclesEnabled() const = 0;
    virtual void setDrawCirclesEnabled(bool enabled) = 0;
    virtual bool isDrawCirclesEnabled() const = 0;
    virtual std::optional<QColor> circleHoleColor() const = 0;
    virtual void setCircleHoleColor(std::optional<QColor> color) = 0;
    virtual bool drawCircleHoleEnabled() const = 0;
    virtual void setDrawCircleHoleEnabled(bool enabled) = 0;
    virtual bool isDrawCircleHoleEnabled() const = 0;
    virtual double lineDashPhase() const = 0;
    // None draws a solid line.
    virtual std::optional<std::vector<double>> lineDashLengths() const = 0;
    virtual void setLineDashLengths(std::optional<std::vector<double>> lengths) = 0;
    virtual LineCap lineCapType() const = 0;
    virtual void setLineCapType(LineCap cap) = 0;
    // Never none: writing none installs a new DefaultFillFormatter.
    virtual std::shared_ptr<ChartFillFormatter> fillFormatter() const = 0;
    virtual void setFillFormatter(std::shared_ptr<ChartFillFormatter> formatter) = 0;
};

} // namespace charting
