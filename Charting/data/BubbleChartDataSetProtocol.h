#pragma once

#include "Charting/data/BarLineScatterCandleBubbleChartDataSetProtocol.h"

namespace charting {

// Data sets of bubble charts, as the bubble renderer and the bubble chart data reach them.
class BubbleChartDataSetProtocol : public virtual BarLineScatterCandleBubbleChartDataSetProtocol {
public:
    // The largest entry size met so far.
    virtual double maxSize() const = 0;
    // Whether bubble sizes are relative to maxSize.
    virtual bool isNormalizeSizeEnabled() const = 0;
    // Line width of the ring around a highlighted bubble.
    virtual double highlightCircleWidth() const = 0;
    virtual void setHighlightCircleWidth(double width) = 0;
};

} // namespace charting
