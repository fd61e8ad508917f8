#pragma once

#include "Charting/components/AxisDependency.h"
#include "Charting/utils/ViewPortChart.h"

namespace charting {

// What the zoom jobs use of the bar-line chart view that runs them: besides its bounds and
// redrawing, the value ranges of its axes and the layout of its content. It extends the chart
// view's interface virtually, so that the view base can answer that one and the bar-line view
// this one.
class ZoomJobChart : public virtual ViewPortChart {
public:
    // The value range of the y axis on the given side.
    virtual double getAxisRange(AxisDependency axis) const = 0;
    // The value range of the x axis (the same operation as the data provider's).
    virtual double xRange() = 0;
    // Lays out the content rectangle again (offsets for axes and legend).
    virtual void calculateOffsets() = 0;
};

} // namespace charting
