#pragma once

#include "Charting/data/BarLineScatterCandleBubbleChartDataSetProtocol.h"

namespace charting {

// Line, scatter, candle and radar data sets: switches for the two highlight lines.
class LineScatterCandleRadarChartDataSetProtocol
    : public virtual BarLineScatterCandleBubbleChartDataSetProtocol {
public:
    virtual bool drawHorizontalHighlightIndicatorEnabled() const = 0;
    virtual void setDrawHorizontalHighlightIndicatorEnabled(bool enabled) = 0;
    virtual bool drawVerticalHighlightIndicatorEnabled() const = 0;
    virtual void setDrawVerticalHighlightIndicatorEnabled(bool enabled) = 0;
    virtual bool isHorizontalHighlightIndicatorEnabled() const = 0;
    virtual bool isVerticalHighlightIndicatorEnabled() const = 0;
    // Sets both switches.
    virtual void setDrawHighlightIndicators(bool enabled) = 0;
};

} // namespace charting
