#pragma once

#include "Charting/data/LineScatterCandleRadarChartDataSetProtocol.h"

namespace charting {

class Fill;

// Line and radar data sets: the area fill and the line width.
class LineRadarChartDataSetProtocol : public virtual LineScatterCandleRadarChartDataSetProtocol {
public:
    virtual QColor fillColor() const = 0;
    // Stores the colour and drops the fill object.
    virtual void setFillColor(QColor color) = 0;
    // When set, the renderer fills with it instead of fillColor and fillAlpha.
    virtual std::shared_ptr<Fill> fill() const = 0;
    virtual void setFill(std::shared_ptr<Fill> fill) = 0;
    virtual double fillAlpha() const = 0;
    virtual void setFillAlpha(double alpha) = 0;
    virtual double lineWidth() const = 0;
    // Clamped to 0 ... 10.
    virtual void setLineWidth(double width) = 0;
    virtual bool drawFilledEnabled() const = 0;
    virtual void setDrawFilledEnabled(bool enabled) = 0;
    virtual bool isDrawFilledEnabled() const = 0;
};

} // namespace charting
