#pragma once

#include "Charting/components/AxisDependency.h"
#include "Charting/utils/ViewPortChart.h"

namespace charting {

// What the zoom jobs use of the bar-line chart view that runs them: besides its bounds and
// redrawing, the value ranges of its axes and the layout of its content.
class ZoomJobChart : public ViewPortChart {
public:
    // The value range of the y axis on the given side.
    virtual double getAxisRange(AxisDependency axis) = 0;
    // The value range of the x axis.
    virtual double xRange() = 0;
    // Lays out the content rectangle again (offsets for axes and legend).
    virtual void calculateOffsets() = 0;
};

} // namespace charting
